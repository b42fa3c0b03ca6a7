#include "AltFeeSet.h"

#include "Money.h"
#include "Text.h"

#include <algorithm>

namespace corvane {

const std::vector<int>& AltFeeSet::shownSets()
{
    static const std::vector<int> sets = [] {
        std::vector<int> all;
        for (int set = 5; set <= 97; ++set)
            all.push_back(set);
        for (int set = 100; set <= 199; ++set)
            all.push_back(set);
        return all;
    }();
    return sets;
}

const std::vector<int>& AltFeeSet::pageStarts()
{
    static const std::vector<int> starts = {5, 25, 45, 65, 85, 100, 120, 140, 160, 180};
    return starts;
}

int AltFeeSet::pageOf(int set)
{
    if (set < 5 || set > 199 || set == 98 || set == 99)
        return -1;
    const auto& starts = pageStarts();
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), set) - starts.begin()) - 1;
}

void AltFeeSet::parse(std::string_view feeSet)
{
    m_shown.clear();
    m_passedThrough.clear();
    for (auto entry : text::split(feeSet, text::recordSeparator)) {
        if (entry.empty())
            continue;
        const std::size_t tab = entry.find('\t');
        const std::string_view number = text::trim(entry.substr(0, tab));
        const std::string_view cents = tab == std::string_view::npos ? std::string_view() : entry.substr(tab + 1);
        int set = -1;
        if (!number.empty() && number.size() <= 4
            && std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            set = std::stoi(std::string(number));
        if (pageOf(set) >= 0)
            m_shown[set] = std::string(cents);
        else if (set >= 0)
            m_passedThrough.emplace_back(std::string(number), std::string(cents));
    }
}

TypedFee AltFeeSet::readTyped(std::string_view typed)
{
    std::string_view s = text::trim(typed);
    if (s.empty())
        return {};
    const auto isDigit = [](char c) {
        return c >= '0' && c <= '9';
    };
    bool negative = false;
    if (s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    if (!s.empty() && s.front() == '$') {
        s.remove_prefix(1);
        s = text::trim(s);
    }
    if (!negative && !s.empty() && s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    const std::size_t point = s.find('.');
    const std::string_view whole = s.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
    const TypedFee notAnAmount {FeeVerdict::NotAnAmount, 0};
    if (whole.empty() && decimals.empty())
        return notAnAmount;
    if (decimals.size() > 2 || !std::all_of(decimals.begin(), decimals.end(), isDigit))
        return notAnAmount;
    std::string digits;
    if (whole.find(',') == std::string_view::npos) {
        if (!std::all_of(whole.begin(), whole.end(), isDigit))
            return notAnAmount;
        digits = std::string(whole);
    } else {
        // Thousands commas: one to three digits, then groups of exactly three.
        const auto groups = text::split(whole, ',');
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const auto group = groups[i];
            const bool sized = i == 0 ? !group.empty() && group.size() <= 3 : group.size() == 3;
            if (!sized || !std::all_of(group.begin(), group.end(), isDigit))
                return notAnAmount;
            digits += group;
        }
    }
    if (digits.size() > 12)
        return {FeeVerdict::TooLarge, 0};
    long long cents = 0;
    for (char c : digits)
        cents = cents * 10 + (c - '0');
    cents *= 100;
    if (!decimals.empty())
        cents += (decimals[0] - '0') * 10 + (decimals.size() > 1 ? decimals[1] - '0' : 0);
    if (negative)
        return {FeeVerdict::Negative, -cents};
    if (cents > Money::maxCents)
        return {FeeVerdict::TooLarge, 0};
    return {FeeVerdict::Amount, cents};
}

std::string AltFeeSet::boxText(long long cents)
{
    return Money::formatDollars(cents, true);
}

std::string AltFeeSet::loadedText(int set) const
{
    const auto found = m_shown.find(set);
    if (found == m_shown.end())
        return {};
    const auto cents = Money::parseCents(found->second);
    return cents ? boxText(*cents) : std::string();
}

std::vector<int> AltFeeSet::unreadable() const
{
    std::vector<int> sets;
    for (const auto& [set, cents] : m_shown) {
        if (!text::trim(cents).empty() && loadedText(set).empty())
            sets.push_back(set);
    }
    return sets;
}

std::optional<std::string> AltFeeSet::collect(const std::vector<std::pair<int, std::string>>& boxes,
                                              int& invalidSet) const
{
    std::string out;
    const auto append = [&out](const std::string& set, const std::string& cents) {
        out += set + "\t" + cents + text::recordSeparator;
    };
    for (const auto& [set, typed] : boxes) {
        const auto stored = m_shown.find(set);
        const std::string loaded = loadedText(set);
        if (text::trim(typed).empty()) {
            if (stored != m_shown.end() && loaded.empty() && !text::trim(stored->second).empty())
                append(std::to_string(set), stored->second);
            continue;
        }
        if (!loaded.empty() && text::trim(typed) == loaded) {
            append(std::to_string(set), std::string(text::trim(stored->second)));
            continue;
        }
        const TypedFee fee = readTyped(typed);
        if (fee.verdict != FeeVerdict::Amount) {
            invalidSet = set;
            return std::nullopt;
        }
        append(std::to_string(set), std::to_string(fee.cents));
    }
    for (const auto& [set, cents] : m_passedThrough)
        append(set, cents);
    return out;
}

} // namespace corvane
