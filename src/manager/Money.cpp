#include "Money.h"

#include "Text.h"

namespace corvane {

std::optional<long long> Money::parseDollars(std::string_view typed)
{
    std::string digits;
    for (char c : typed) {
        if (c != '$' && c != ' ' && c != ',')
            digits += c;
    }
    digits = std::string(text::trim(digits));
    long long whole = 0;
    int wholeDigits = 0;
    std::size_t i = 0;
    for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        if (++wholeDigits > 12)
            return std::nullopt;
        whole = whole * 10 + (digits[i] - '0');
    }
    long long fraction = 0;
    int fractionDigits = 0;
    if (i < digits.size() && digits[i] == '.') {
        for (++i; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
            if (++fractionDigits > 2)
                return std::nullopt;
            fraction = fraction * 10 + (digits[i] - '0');
        }
    }
    if (i != digits.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;
    if (fractionDigits == 1)
        fraction *= 10;
    const long long cents = whole * 100 + fraction;
    if (cents > maxCents)
        return std::nullopt;
    return cents;
}

std::optional<long long> Money::parseCents(std::string_view textIn)
{
    const std::string_view s = text::trim(textIn);
    std::size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (negative)
        ++i;
    long long value = 0;
    int digits = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        if (++digits > 15)
            return std::nullopt;
        value = value * 10 + (s[i] - '0');
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && s[i] == '0'; ++i) { }
    }
    if (i != s.size() || digits == 0)
        return std::nullopt;
    return negative ? -value : value;
}

std::string Money::formatDollars(long long cents, bool grouping)
{
    const bool negative = cents < 0;
    const unsigned long long magnitude
        = negative ? 0ULL - static_cast<unsigned long long>(cents) : static_cast<unsigned long long>(cents);
    const std::string digits = std::to_string(magnitude / 100);
    std::string whole;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (grouping && i > 0 && (digits.size() - i) % 3 == 0)
            whole += ',';
        whole += digits[i];
    }
    const unsigned long long fraction = magnitude % 100;
    std::string out = negative ? "-" : "";
    out += whole;
    out += '.';
    out += static_cast<char>('0' + fraction / 10);
    out += static_cast<char>('0' + fraction % 10);
    return out;
}

std::string Money::shortDollars(long long cents)
{
    std::string out = formatDollars(cents, false);
    while (out.back() == '0')
        out.pop_back();
    if (out.back() == '.')
        out.pop_back();
    return out;
}

} // namespace corvane
