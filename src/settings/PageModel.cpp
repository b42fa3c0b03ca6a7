#include "PageModel.h"

#include "CheckForErrorOnSave.h"
#include "DateRule.h"
#include "Log.h"
#include "Messages.h"
#include "SeparatorCheck.h"
#include "ServerRequest.h"
#include "SettingNumber.h"
#include "SettingValue.h"
#include "SettingsRequests.h"
#include "SettingsTexts.h"
#include "SharedState.h"
#include "Text.h"

namespace corvane {

namespace {

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string joinEntries(std::string_view list)
{
    std::vector<std::string> entries;
    for (const std::string_view entry : text::split(list, '\t')) {
        if (!entry.empty())
            entries.emplace_back(entry);
    }
    return text::join(entries, "\t");
}

std::string numberText(const CachedSetting& cached, const SettingKey& entry)
{
    if (cached.state != CachedSetting::State::Value)
        return cached.text;
    if (entry.kind == ValueKind::Decimal)
        return SettingNumber::formatHundredths(cached.number);
    return std::to_string(cached.number);
}

} // namespace

PageModel::PageModel(int page, PageTexts texts, std::vector<PageField> fields)
    : m_page(page)
    , m_texts(std::move(texts))
    , m_fields(std::move(fields))
    , m_loadedValues(m_fields.size())
    , m_values(m_fields.size())
{
}

std::optional<std::size_t> PageModel::fieldNamed(const std::string& name) const
{
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].objectName == name)
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> PageModel::displayFromRead(std::size_t field, const FieldRead& read,
                                                      std::string& loaded) const
{
    const PageField& entry = m_fields[field];
    if (read.state == FieldRead::State::Failed)
        return std::nullopt;

    if (entry.store == ValueStore::Configuration) {
        const bool stored = read.state == FieldRead::State::Value;
        switch (entry.config) {
        case ConfigRule::PresenceMeansSecond:
            loaded = stored ? "1" : "0";
            return loaded;
        case ConfigRule::StoredOneMeansSecond:
            // Unset is offered as "Account #" but not written until the operator saves it.
            loaded = !stored ? "" : read.value == "1" ? "1" : "0";
            return std::string(!stored || read.value == "1" ? "1" : "0");
        case ConfigRule::PresenceIsTicked:
            loaded = stored ? "1" : "0";
            return loaded;
        case ConfigRule::None:
            loaded = stored ? read.value : std::string();
            return loaded;
        }
    }

    const SettingKey* key = SettingsCatalogue::findKey(entry.key);
    if (!key) {
        SharedState::instance().prompter().beep();
        Log::line("Load One Setting - did not find SettingCode: " + entry.key);
        return std::nullopt;
    }
    const std::string raw = read.state == FieldRead::State::Value ? read.value : std::string();
    const SettingConversion conversion = SettingValue::convert(*key, raw);
    if (!conversion.problem.empty())
        Log::line("ERR in frmSysSettings.LoadOneSetting   " + conversion.problem);
    const CachedSetting& cached = conversion.value;

    switch (entry.kind) {
    case EditorKind::Choice:
    case EditorKind::Check: {
        bool negative = false;
        const auto index = SettingValue::choiceIndex(cached, negative);
        if (negative)
            Log::line("ERR in frmSysSettings.LoadOneSetting   " + entry.key + " holds the negative value "
                      + std::to_string(cached.number) + "; its absolute value is shown");
        if (entry.kind == EditorKind::Check) {
            loaded = index == 1 ? "1" : "0";
        } else if (index && *index >= static_cast<int>(entry.choices.size())) {
            Log::line("Data mismatch: System Settings/LoadDataToOptionFrame - SelectedValue is out of range");
            loaded.clear();
        } else {
            loaded = index ? std::to_string(*index) : std::string();
        }
        return loaded;
    }
    case EditorKind::WholeNumber:
    case EditorKind::Decimal:
        loaded = SettingValue::isNumeric(key->kind) ? numberText(cached, *key) : cached.text;
        return loaded;
    case EditorKind::OrderedList:
        loaded = joinEntries(cached.text);
        if (loaded.empty())
            loaded = text::join(entry.choices, "\t");
        return loaded;
    default:
        loaded = cached.text;
        return loaded;
    }
}

bool PageModel::applyReads(const std::vector<FieldRead>& reads)
{
    m_loaded = false;
    if (reads.size() != m_fields.size())
        return false;
    std::vector<std::string> loaded(m_fields.size());
    std::vector<std::string> shown(m_fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const auto display = displayFromRead(i, reads[i], loaded[i]);
        if (!display)
            return false;
        shown[i] = *display;
    }
    m_loadedValues = std::move(loaded);
    m_values = std::move(shown);
    m_loaded = true;
    return true;
}

bool PageModel::load()
{
    return trapped("ERR in frmSysSettings.ShowSetting   ", false, [&] {
        std::vector<FieldRead> reads;
        for (const PageField& entry : m_fields) {
            FieldRead read;
            if (entry.store == ValueStore::System) {
                const SysSettingRead sys = readSysSetting(entry.key);
                read.state = !sys.answered()                    ? FieldRead::State::Failed
                    : sys.state == SysSettingRead::State::Value ? FieldRead::State::Value
                                                                : FieldRead::State::Absent;
                read.value = sys.value;
            } else {
                const std::string request = SettingsRequests::getConfig(entry.key);
                const StringReply reply = ServerRequest::viaString(request);
                const ConfigRead config = SettingsRequests::judgeConfigReply(reply.sent, reply.text);
                if (reply.sent && reply.text == SettingsRequests::unknownCommand) {
                    SharedState::instance().prompter().beep();
                    const std::string line = "--- ERROR: UNKNOWN COMMAND" + request;
                    Log::line(line);
                    if (SharedState::instance().developerMode())
                        tell(line, PromptIcon::None, "DEBUG");
                } else if (!reply.sent) {
                    Log::commFailure("GetServerStringData", "frmSysSettings.ShowSetting");
                }
                read.state = !config.answered()                ? FieldRead::State::Failed
                    : config.state == ConfigRead::State::Value ? FieldRead::State::Value
                                                               : FieldRead::State::Absent;
                read.value = config.value;
            }
            reads.push_back(std::move(read));
        }
        return applyReads(reads);
    });
}

void PageModel::setValue(std::size_t field, std::string value)
{
    if (m_loaded && field < m_values.size())
        m_values[field] = std::move(value);
}

std::string PageModel::defaultValue(std::size_t field) const
{
    std::string loaded;
    const FieldRead empty;
    return displayFromRead(field, empty, loaded).value_or(std::string());
}

bool PageModel::changed(std::size_t field) const
{
    return m_loaded && field < m_values.size() && m_values[field] != m_loadedValues[field];
}

bool PageModel::changed() const
{
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (changed(i))
            return true;
    }
    return false;
}

bool PageModel::canSave() const
{
    return m_loaded && changed() && !validate();
}

std::optional<std::string> PageModel::wireValue(std::size_t field, FieldRefusal* refusal) const
{
    const PageField& entry = m_fields[field];
    const std::string& typed = m_values[field];
    const auto refuse = [&](const std::string& message, const std::string& title = {}) -> std::optional<std::string> {
        if (refusal) {
            refusal->field = field;
            refusal->message = message;
            refusal->title = !title.empty()   ? title
                : !entry.invalidTitle.empty() ? entry.invalidTitle
                                              : std::string(SettingsTexts::validationTitle);
        }
        return std::nullopt;
    };
    const std::string_view trimmed = text::trim(typed);

    switch (entry.kind) {
    case EditorKind::WholeNumber: {
        if (trimmed.empty()) {
            if (entry.empty == EmptyRule::Zero)
                return std::string("0");
            if (entry.empty == EmptyRule::Keep)
                return std::string();
            return refuse(entry.emptyMessage.empty() ? entry.invalidMessage : entry.emptyMessage);
        }
        const auto number = SettingNumber::parseWhole(trimmed);
        if (!number || *number < entry.min || *number > entry.max)
            return refuse(entry.invalidMessage);
        return std::to_string(*number);
    }
    case EditorKind::Decimal: {
        if (trimmed.empty()) {
            if (entry.empty == EmptyRule::Refuse)
                return refuse(entry.emptyMessage.empty() ? entry.invalidMessage : entry.emptyMessage);
            return std::string(entry.empty == EmptyRule::Zero ? "0" : "");
        }
        // Checked after rounding: 999.994 is 999.99 and accepted, 999.995 is 1000 and refused.
        const auto hundredths = SettingNumber::parseHundredths(trimmed);
        if (!hundredths || *hundredths < entry.min || *hundredths > entry.max)
            return refuse(entry.invalidMessage);
        return SettingNumber::formatHundredths(*hundredths);
    }
    case EditorKind::Letter:
        if (trimmed.empty())
            return std::string();
        if (trimmed.size() != 1 || !isLetter(trimmed.front()))
            return refuse(entry.invalidMessage);
        return std::string(1, text::upper(trimmed.front()));
    case EditorKind::Date: {
        if (trimmed.empty())
            return std::string();
        const DateJudgement judged = judgeDateText(trimmed, true, currentDate());
        if (judged.kind == DateJudgement::Kind::NotADate)
            return refuse(std::string(trimmed) + " is not a valid date.\r\nPlease use MM/DD/YYYY or MM/DD/YY format.",
                          "Date Validation");
        if (judged.kind == DateJudgement::Kind::YearOutOfRange)
            return refuse(std::string(trimmed) + " is not a valid date.\r\nYear is invalid.", "Date Validation");
        return judged.normalised;
    }
    case EditorKind::Choice:
    case EditorKind::Check: {
        const auto index = SettingNumber::parseWhole(typed);
        const std::size_t count = entry.kind == EditorKind::Check ? 2 : entry.choices.size();
        if (!index || *index >= static_cast<std::int64_t>(count))
            return refuse(std::string(SettingsTexts::noChoice));
        return std::to_string(*index);
    }
    case EditorKind::OrderedList: {
        std::string value = typed;
        while (!value.empty() && value.front() == '\t')
            value.erase(0, 1);
        while (!value.empty() && value.back() == '\t')
            value.pop_back();
        if (const auto byte = SeparatorCheck::firstRefused(text::replaceAll(value, "\t", "")))
            return refuse(SeparatorCheck::refusalText(entry.label, *byte));
        return value;
    }
    case EditorKind::Lookup:
        if (trimmed.empty() || trimmed.front() == '^')
            return std::string();
        [[fallthrough]];
    case EditorKind::Text:
    case EditorKind::Combo:
        if (const auto byte = SeparatorCheck::firstRefused(typed))
            return refuse(SeparatorCheck::refusalText(entry.label, *byte));
        return typed;
    }
    return std::nullopt;
}

std::optional<std::string> PageModel::requestFor(std::size_t field, const std::string& value) const
{
    const PageField& entry = m_fields[field];
    if (entry.store == ValueStore::System)
        return SettingsRequests::setSys(entry.key, value, true, entry.kind == EditorKind::OrderedList ? "\t" : "");
    switch (entry.config) {
    case ConfigRule::PresenceMeansSecond:
        return value == "1" ? SettingsRequests::setConfig(entry.key, "1") : SettingsRequests::deleteConfig(entry.key);
    case ConfigRule::StoredOneMeansSecond:
        return SettingsRequests::setConfig(entry.key, value == "1" ? "1" : "0");
    case ConfigRule::PresenceIsTicked:
        return value == "1" ? SettingsRequests::setConfig(entry.key, "") : SettingsRequests::deleteConfig(entry.key);
    case ConfigRule::None:
        return SettingsRequests::setConfig(entry.key, value);
    }
    return std::nullopt;
}

std::optional<FieldRefusal> PageModel::validate() const
{
    if (!m_loaded)
        return FieldRefusal {0, std::string(SettingsTexts::cover), std::string(SettingsTexts::validationTitle)};
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (!changed(i))
            continue;
        FieldRefusal refusal;
        const auto value = wireValue(i, &refusal);
        if (!value)
            return refusal;
        if (!requestFor(i, *value))
            return FieldRefusal {i, SettingsTexts::keyCannotBeSent(m_fields[i].key),
                                 std::string(SettingsTexts::validationTitle)};
    }
    return std::nullopt;
}

std::vector<SaveRequest> PageModel::saveRequests() const
{
    std::vector<SaveRequest> requests;
    if (validate())
        return requests;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (!changed(i))
            continue;
        const std::string value = *wireValue(i, nullptr);
        requests.push_back({i, *requestFor(i, value), value});
    }
    return requests;
}

void PageModel::markSaved(const SaveRequest& request)
{
    if (request.field >= m_fields.size())
        return;
    m_loadedValues[request.field] = request.value;
    m_values[request.field] = request.value;
}

std::string PageModel::failureMessage(const std::string& request) const
{
    switch (m_texts.failureForm) {
    case FailureForm::Plain:
        return m_texts.failureText;
    case FailureForm::AfterRequest:
        return m_texts.failureText + "\r\nAfter: " + request;
    case FailureForm::RequestFirst:
        return request + "\r\n" + m_texts.failureText;
    }
    return m_texts.failureText;
}

std::string PageModel::partialSaveText(const std::vector<SaveRequest>& requests, std::size_t saved) const
{
    std::vector<std::string> stored;
    std::vector<std::string> notStored;
    for (std::size_t i = 0; i < requests.size(); ++i)
        (i < saved ? stored : notStored).push_back(m_fields[requests[i].field].label);
    std::string text;
    if (!stored.empty())
        text += "Saved: " + text::join(stored, ", ") + ".";
    if (!notStored.empty())
        text += (text.empty() ? "" : "\r\n") + std::string("Not saved: ") + text::join(notStored, ", ") + ".";
    return text;
}

SaveOutcome PageModel::save()
{
    SaveOutcome outcome;
    return trapped("ERR in frmSysSettings.cmdSaveCommon_Click   ", outcome, [&] {
        if (const auto refusal = validate()) {
            outcome.refused = true;
            tell(refusal->message, PromptIcon::Warning, refusal->title);
            return outcome;
        }
        const std::vector<SaveRequest> requests = saveRequests();
        outcome.planned = requests.size();
        for (const SaveRequest& request : requests) {
            const StringReply reply = ServerRequest::viaString(request.request);
            if (!reply.sent) {
                std::string message = failureMessage(request.request);
                if (requests.size() > 1)
                    message += "\r\n\r\n" + partialSaveText(requests, outcome.saved);
                tell(message, PromptIcon::Critical);
                return outcome;
            }
            if (!CheckForErrorOnSave(reply.text)) {
                if (requests.size() > 1)
                    tell(partialSaveText(requests, outcome.saved), PromptIcon::Warning,
                         std::string(SettingsTexts::validationTitle));
                return outcome;
            }
            markSaved(request);
            ++outcome.saved;
        }
        outcome.complete = true;
        return outcome;
    });
}

} // namespace corvane
