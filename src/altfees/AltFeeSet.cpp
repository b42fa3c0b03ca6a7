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

std::optional<std::string> AltFeeSet::collect(const std::vector<std::pair<int, std::string>>& boxes,
                                              int& invalidSet) const
{
    std::string out;
    for (const auto& [set, typed] : boxes) {
        if (text::trim(typed).empty())
            continue;
        const auto cents = Money::parseDollars(typed);
        if (!cents) {
            invalidSet = set;
            return std::nullopt;
        }
        out += std::to_string(set) + "\t" + std::to_string(*cents) + text::recordSeparator;
    }
    for (const auto& [set, cents] : m_passedThrough)
        out += set + "\t" + cents + text::recordSeparator;
    return out;
}

} // namespace corvane
