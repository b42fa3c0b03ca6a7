#include "StwCellFormat.h"

#include <algorithm>

namespace corvane {

StwCellFormat StwCellFormat::of(std::string_view cell)
{
    if (cell.size() < length)
        cell = emptyCell;
    const std::string_view code = cell.substr(cell.size() - length);
    return {code[0], code[1], code[2], code[3], code[4]};
}

std::string_view StwCellFormat::textOf(std::string_view cell)
{
    return cell.size() < length ? cell : cell.substr(0, cell.size() - length);
}

bool StwCellFormat::isKnownKind() const
{
    return std::string_view("0123456789ABCE").find(kind) != std::string_view::npos;
}

std::optional<StwNumber> StwNumber::read(std::string_view text, int maxDecimals)
{
    // "$" and blanks may stand around the number ("$ 12", "-$12", "( $12.50 )"), never inside it ("12 50").
    const auto partOfNumber = [](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == ',';
    };
    std::string s;
    char lastKept = 0;
    bool blankSinceLast = false;
    for (char c : text) {
        if (c == ' ' || c == '$') {
            blankSinceLast = true;
            continue;
        }
        if (blankSinceLast && partOfNumber(c) && partOfNumber(lastKept))
            return std::nullopt;
        s += c;
        lastKept = c;
        blankSinceLast = false;
    }
    StwNumber number;
    std::string_view rest = s;
    if (rest.size() >= 2 && rest.front() == '(' && rest.back() == ')') {
        number.negative = true;
        rest = rest.substr(1, rest.size() - 2);
    } else if (!rest.empty() && rest.front() == '-') {
        number.negative = true;
        rest.remove_prefix(1);
    }
    const std::size_t point = rest.find('.');
    const std::string_view whole = rest.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : rest.substr(point + 1);
    // Grouping commas: the first group has one to three digits, every later group exactly three.
    int groupDigits = 0;
    bool grouped = false;
    for (char c : whole) {
        if (c == ',') {
            if (groupDigits == 0 || groupDigits > 3 || (grouped && groupDigits != 3))
                return std::nullopt;
            grouped = true;
            groupDigits = 0;
        } else if (c >= '0' && c <= '9') {
            ++groupDigits;
            if (c != '0' || !number.whole.empty())
                number.whole += c;
        } else {
            return std::nullopt;
        }
    }
    if (grouped && groupDigits != 3)
        return std::nullopt;
    for (char c : fraction) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    const bool anyDigit
        = std::string_view(whole).find_first_of("0123456789") != std::string_view::npos || !fraction.empty();
    if (!anyDigit || (maxDecimals >= 0 && fraction.size() > static_cast<std::size_t>(maxDecimals)))
        return std::nullopt;
    number.fraction = std::string(fraction);
    if (number.isZero())
        number.negative = false;
    return number;
}

bool StwNumber::isZero() const
{
    return whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
}

std::string StwNumber::plain() const
{
    std::string out = negative ? "-" : "";
    out += whole.empty() ? "0" : whole;
    if (!fraction.empty())
        out += "." + fraction;
    return out;
}

std::string StwNumber::withCents() const
{
    std::string out = negative ? "-" : "";
    out += whole.empty() ? "0" : whole;
    out += "." + fraction;
    if (fraction.size() < 2)
        out.append(2 - fraction.size(), '0');
    return out;
}

int StwNumber::compare(const StwNumber& other) const
{
    if (negative != other.negative)
        return negative ? -1 : 1;
    int magnitude = 0;
    if (whole.size() != other.whole.size()) {
        magnitude = whole.size() < other.whole.size() ? -1 : 1;
    } else if (const int c = whole.compare(other.whole); c != 0) {
        magnitude = c < 0 ? -1 : 1;
    } else {
        const std::size_t length = std::max(fraction.size(), other.fraction.size());
        for (std::size_t i = 0; i < length && magnitude == 0; ++i) {
            const char a = i < fraction.size() ? fraction[i] : '0';
            const char b = i < other.fraction.size() ? other.fraction[i] : '0';
            if (a != b)
                magnitude = a < b ? -1 : 1;
        }
    }
    return negative ? -magnitude : magnitude;
}

} // namespace corvane
