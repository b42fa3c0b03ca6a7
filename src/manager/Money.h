#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// Amounts as the server and the host carry them: whole cents in decimal text, shown as dollars. Every conversion
/// works on the digits; no binary floating point is involved, so 0.29 is 29 cents and every amount up to
/// 99,999,999.99 round-trips unchanged.
class Money {
public:
    static constexpr long long maxCents = 9'999'999'999LL;

    /// Cents from typed dollars: "$", blanks and "," are removed, then digits with at most two decimals remain
    /// ("1,234.50" is 123450, "12" is 1200, ".5" is 50). Nothing for anything else, negatives and amounts above
    /// 99,999,999.99 included.
    static std::optional<long long> parseDollars(std::string_view typed);
    /// Cents from cents text ("1250"; "1250.00" is taken too); nothing when it is not a whole number of cents.
    static std::optional<long long> parseCents(std::string_view text);
    /// "1234.50", or "1,234.50" with grouping.
    static std::string formatDollars(long long cents, bool grouping);
    /// The amount divided by 100 written as short as it goes: 1250 is "12.5", 1200 is "12", 5 is "0.05".
    static std::string shortDollars(long long cents);
};

} // namespace corvane
