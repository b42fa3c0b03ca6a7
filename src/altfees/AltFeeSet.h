#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

/// What a typed fee reads as.
enum class FeeVerdict { Empty, Amount, Negative, NotAnAmount, TooLarge };

/// A typed fee: its verdict and, for an amount, the cents.
struct TypedFee {
    FeeVerdict verdict = FeeVerdict::Empty;
    long long cents = 0;
};

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

    /// Reads a typed fee strictly: an optional "$" (blanks may follow it), then digits, either plain or with a ","
    /// before every group of three, then at most one "." with up to two decimals; blanks around the whole are
    /// ignored. "1,23", "12 50", "1.234" and letters are not amounts; a leading "-" is a negative fee.
    static TypedFee readTyped(std::string_view typed);
    /// The text a box shows for cents: "1,234.50".
    static std::string boxText(long long cents);

    /// Reads a fee-set string in any order. Entries for shown sets are kept by set (a repeated set keeps its last
    /// amount); entries for sets the window does not show are kept as they came, to be handed back unchanged.
    void parse(std::string_view feeSet);
    const std::map<int, std::string>& shown() const { return m_shown; }
    const std::vector<std::pair<std::string, std::string>>& passedThrough() const { return m_passedThrough; }
    /// What the box of a shown set starts with: its amount as boxText, or empty when it has none or its amount is
    /// not a whole number of cents (such an entry is kept and handed back unless the box is filled).
    std::string loadedText(int set) const;
    /// The shown sets whose host amount is not a whole number of cents.
    std::vector<int> unreadable() const;

    /// Builds the returned string from the boxes' texts (set, typed dollars), in set order; empty boxes are left
    /// out (an unreadable host amount of that set is handed back as it came), a box still showing its loaded text
    /// hands back the host's amount unchanged, and the entries for sets the window does not show follow. When a box
    /// holds no valid amount, nothing is built and invalidSet names the first such set.
    std::optional<std::string> collect(const std::vector<std::pair<int, std::string>>& boxes, int& invalidSet) const;

private:
    std::map<int, std::string> m_shown;
    std::vector<std::pair<std::string, std::string>> m_passedThrough;
};

} // namespace corvane
