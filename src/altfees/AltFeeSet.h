#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

/// The alternate fees of one procedure code by price set, as the fee-set string carries them: entries
/// "set\tcents" each followed by byte 230.
class AltFeeSet {
public:
    /// The price sets the window shows: 5 to 97 and 100 to 199.
    static const std::vector<int>& shownSets();
    /// The first set of each page: 5, 25, 45, 65, 85, 100, 120, 140, 160, 180.
    static const std::vector<int>& pageStarts();
    /// The 0-based page that shows set, or -1 when it is not shown.
    static int pageOf(int set);

    /// Reads a fee-set string in any order. Entries for shown sets are kept by set (a repeated set keeps its last
    /// amount); entries for sets the window does not show are kept as they came, to be handed back unchanged.
    void parse(std::string_view feeSet);
    const std::map<int, std::string>& shown() const { return m_shown; }
    const std::vector<std::pair<std::string, std::string>>& passedThrough() const { return m_passedThrough; }

    /// Builds the returned string from the boxes' texts (set, typed dollars), in set order; empty boxes are left
    /// out and the entries kept from parse() follow. When a box holds no valid amount, nothing is built and
    /// invalidSet names the first such set.
    std::optional<std::string> collect(const std::vector<std::pair<int, std::string>>& boxes, int& invalidSet) const;

private:
    std::map<int, std::string> m_shown;
    std::vector<std::pair<std::string, std::string>> m_passedThrough;
};

} // namespace corvane
