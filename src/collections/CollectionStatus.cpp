#include "CollectionStatus.h"

#include "Money.h"
#include "Text.h"

#include <algorithm>
#include <optional>

namespace corvane {

const std::array<CriterionSpec, 9>& criterionSpecs()
{
    static const std::array<CriterionSpec, 9> specs = {{
        {9, 1, "Action dates:", {"All", "Select", "None"}, 2, CriterionKind::Dates, 1, true, 'A', nullptr},
        // Actions taken on an account are recorded as message codes.
        {10, 2, "Action codes:", {"All", "Include", "Exclude", "None"}, 5, CriterionKind::Codes, 4, false, 'A', "PM"},
        {11, 3, "Message codes:", {"All", "Include", "Exclude", "None"}, 5, CriterionKind::Codes, 4, false, 'A', "PM"},
        {12, 4, "Balance range:", {"All", "Select"}, 2, CriterionKind::Amounts, 1, true, 'A', nullptr},
        {13, 5, "Age (days) in collection:", {"All", "Select"}, 2, CriterionKind::Days, 1, true, 'A', nullptr},
        // The special fields hold an account's financial class.
        {14, 6, "Special Field A:", {"All", "Include", "Exclude"}, 5, CriterionKind::Codes, 4, false, 'A', "FL"},
        {15, 7, "Special Field B:", {"All", "Include", "Exclude"}, 5, CriterionKind::Codes, 4, false, 'A', "FL"},
        {16, 8, "Special Field C:", {"All", "Include", "Exclude"}, 5, CriterionKind::Codes, 4, false, 'A', "FL"},
        // Its options are Yes and No, so the letter "A" of a value without "^" chooses No.
        {18, 9, "Exclude Accts if Msg posted:", {"Yes", "No"}, 2, CriterionKind::Dates, 1, true, 'N', nullptr},
    }};
    return specs;
}

CollectionSettings::CollectionSettings()
{
    const auto& specs = criterionSpecs();
    for (std::size_t i = 0; i < specs.size(); ++i) {
        groups[i].letter = specs[i].defaultLetter;
        groups[i].inputs.assign(static_cast<std::size_t>(specs[i].inputs), std::string());
        groups[i].stored.assign(static_cast<std::size_t>(specs[i].inputs), std::string());
    }
}

std::string CollectionSettings::accountLabel() const
{
    if (account.empty() && accountSecond.empty())
        return "NONE";
    return accountSecond.empty() ? account : account + "/" + accountSecond;
}

std::string CollectionStatus::normalise(std::string_view record)
{
    if (record.size() < 17 || record.find(':') == std::string_view::npos)
        return std::string(emptyRecord);
    return std::string(record);
}

std::array<std::string, CollectionStatus::fieldCount> CollectionStatus::fields(std::string_view record)
{
    std::array<std::string, fieldCount> out;
    const auto pieces = text::split(record, ':');
    for (std::size_t i = 0; i < out.size() && i < pieces.size(); ++i)
        out[i] = std::string(pieces[i]);
    return out;
}

std::string CollectionStatus::showAmount(std::string_view cents)
{
    if (text::trim(cents).empty())
        return {};
    const auto value = Money::parseCents(cents);
    return value ? "$" + Money::formatDollars(*value, true) : std::string(cents);
}

void CollectionStatus::load(std::string_view record, CollectionSettings& settings)
{
    const auto f = fields(normalise(record));
    const auto field = [&](int number) -> const std::string& {
        return f[static_cast<std::size_t>(number - 1)];
    };

    const std::size_t caret = field(1).find('^');
    settings.listCode = field(1).substr(0, caret);
    settings.listDescription = caret == std::string::npos ? std::string() : field(1).substr(caret + 1);
    settings.patientName = field(2);
    settings.account = field(3);
    settings.accountSecond = field(4);
    settings.selectedMode = field(5) == "S";
    if (!settings.selectedMode) {
        settings.postMessage = field(6) == "Y";
        settings.messageCode = field(7);
        settings.messageDate = field(8);
    } else {
        const std::string& message = field(17);
        const std::size_t messageCaret = message.find('^');
        settings.postMessage = message.substr(0, messageCaret) == "Y";
        const std::string rest = messageCaret == std::string::npos ? std::string() : message.substr(messageCaret + 1);
        const std::size_t comma = rest.find(',');
        settings.messageCode = comma == std::string::npos ? std::string() : rest.substr(0, comma);
        settings.messageDate = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
    }

    const auto& specs = criterionSpecs();
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const CriterionSpec& spec = specs[i];
        CriterionState& group = settings.groups[i];
        const std::string& value = field(spec.field);
        const std::size_t groupCaret = value.find('^');
        char letter = groupCaret == std::string::npos || groupCaret == 0 ? 'A' : value[0];
        bool known = false;
        for (const char* option : spec.options)
            known = known || option[0] == letter;
        group.letter = known ? letter : spec.defaultLetter;
        if (groupCaret == std::string::npos)
            continue;
        const std::string values = value.substr(groupCaret + 1);
        if (values.find(',') == std::string::npos)
            continue;
        const auto pieces = text::split(values, ',');
        if (static_cast<int>(pieces.size()) < spec.minimumPieces)
            continue;
        group.stored.resize(group.inputs.size());
        for (std::size_t k = 0; k < group.inputs.size() && k < pieces.size(); ++k) {
            group.stored[k] = std::string(pieces[k]);
            group.inputs[k] = spec.kind == CriterionKind::Amounts ? showAmount(pieces[k]) : std::string(pieces[k]);
        }
    }
}

std::string CollectionStatus::reassemble(const CollectionSettings& settings, bool resetPosition, int& invalidTag,
                                         bool& ok)
{
    ok = false;
    std::array<std::string, fieldCount> f;
    const auto field = [&](int number) -> std::string& {
        return f[static_cast<std::size_t>(number - 1)];
    };
    // Always code, "^", description: "L1^" for a list without description and "^" for no list.
    field(1) = std::string(text::trim(settings.listCode)) + "^" + settings.listDescription;
    if (!resetPosition) {
        field(2) = settings.patientName;
        field(3) = settings.account;
        field(4) = settings.accountSecond;
    }
    field(5) = settings.selectedMode ? "S" : "A";
    if (!settings.selectedMode) {
        field(6) = settings.postMessage ? "Y" : "N";
        field(7) = settings.messageCode;
        field(8) = settings.messageDate;
    } else {
        field(17)
            = std::string(settings.postMessage ? "Y" : "N") + "^" + settings.messageCode + "," + settings.messageDate;
    }
    const auto& specs = criterionSpecs();
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const CriterionSpec& spec = specs[i];
        const CriterionState& group = settings.groups[i];
        std::string value(1, group.letter);
        value += '^';
        for (std::size_t k = 0; k < group.inputs.size(); ++k) {
            if (k > 0)
                value += ',';
            const std::string input(text::trim(group.inputs[k]));
            static const std::string nothingStored;
            const std::string& stored = k < group.stored.size() ? group.stored[k] : nothingStored;
            if (spec.kind == CriterionKind::Amounts && !input.empty() && input == showAmount(stored)) {
                // As the record held it: a stored amount the window cannot write itself (a negative one) goes back.
                value += stored;
            } else if (spec.kind == CriterionKind::Amounts && !input.empty()) {
                const auto cents = Money::parseDollars(input);
                if (!cents) {
                    invalidTag = spec.tag;
                    return {};
                }
                value += std::to_string(*cents);
            } else {
                value += input;
            }
        }
        field(spec.field) = value;
    }
    std::string record;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (i > 0)
            record += ':';
        record += f[i];
    }
    ok = true;
    return record;
}

std::string CollectionStatus::expandDigitsDate(std::string_view typed)
{
    const std::string_view digits = text::trim(typed);
    const bool allDigits
        = !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!allDigits || (digits.size() != 8 && digits.size() != 6))
        return std::string(typed);
    return std::string(digits.substr(0, 2)) + "/" + std::string(digits.substr(2, 2)) + "/"
        + std::string(digits.substr(4));
}

bool CollectionStatus::rangeInOrder(CriterionKind kind, std::string_view from, std::string_view thru)
{
    const auto key = [kind](std::string_view value) -> std::optional<long long> {
        const std::string_view v = text::trim(value);
        if (v.empty())
            return std::nullopt;
        switch (kind) {
        case CriterionKind::Amounts:
            return Money::parseDollars(v);
        case CriterionKind::Days:
            if (v.size() > 9 || !std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; }))
                return std::nullopt;
            return std::stoll(std::string(v));
        case CriterionKind::Dates: {
            const auto parts = text::split(v, '/');
            if (parts.size() != 3 || parts[0].size() != 2 || parts[1].size() != 2 || parts[2].size() != 4)
                return std::nullopt;
            long long yyyymmdd = 0;
            for (auto part : {parts[2], parts[0], parts[1]}) {
                for (char c : part) {
                    if (c < '0' || c > '9')
                        return std::nullopt;
                    yyyymmdd = yyyymmdd * 10 + (c - '0');
                }
            }
            return yyyymmdd;
        }
        case CriterionKind::Codes:
            break;
        }
        return std::nullopt;
    };
    const auto first = key(from);
    const auto last = key(thru);
    return !first || !last || *first <= *last;
}

} // namespace corvane
