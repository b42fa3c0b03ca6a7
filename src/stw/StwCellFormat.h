#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The five characters after a cell's text: font code, editor kind, background letter, text letter, alignment.
struct StwCellFormat {
    static constexpr std::size_t length = 5;
    static constexpr std::string_view emptyCell = "01pZ0";

    char font = '0';
    char kind = '1';
    char background = 'p';
    char textColour = 'Z';
    char alignment = '0';

    /// The format of a cell string: its last five characters; the empty-cell format when it is shorter.
    static StwCellFormat of(std::string_view cell);
    /// The text of a cell string: everything before its last five characters (all of it when shorter).
    static std::string_view textOf(std::string_view cell);

    /// The five characters as a cell string carries them.
    std::string code() const { return {font, kind, background, textColour, alignment}; }

    bool isCheck() const { return kind == '4' || kind == '6'; }
    bool isKnownKind() const;
    /// A required cell: background "*".
    bool isRequired() const { return background == '*'; }
};

/// A number as amount and numeric cells hold it, read on its digits (no floating point, so what is shown is what is
/// saved). "$" and blanks may surround it, grouping commas must come in threes, and a minus sign or parentheses make
/// it negative. Exponents, "nan", "inf", misplaced commas and more decimals than a cell allows are refused.
struct StwNumber {
    bool negative = false;
    std::string whole; ///< digits before the point, without leading zeros (empty for zero)
    std::string fraction; ///< digits after the point, as written

    /// Nothing when text is not such a number, or has more than maxDecimals decimals (any number when negative).
    static std::optional<StwNumber> read(std::string_view text, int maxDecimals = -1);

    /// As a save text carries it: "-1234.5" for "($1,234.5)", "0" for "-0".
    std::string plain() const;
    /// As an amount is shown: at least two decimals ("-1234.50"); more decimals are never cut.
    std::string withCents() const;
    bool isZero() const;
    /// Negative, zero or positive as this number is below, equal to or above other.
    int compare(const StwNumber& other) const;
    bool operator<(const StwNumber& other) const { return compare(other) < 0; }
};

} // namespace corvane
