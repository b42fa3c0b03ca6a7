#include "SettingNumber.h"

#include "Text.h"

namespace corvane {

namespace {

constexpr std::size_t mostDigits = 18;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<std::int64_t> digitsValue(std::string_view digits)
{
    if (digits.empty() || digits.size() > mostDigits)
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : digits) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<std::int64_t> SettingNumber::parseWhole(std::string_view text)
{
    return digitsValue(text::trim(text));
}

std::optional<std::int64_t> SettingNumber::parseHundredths(std::string_view text)
{
    text = text::trim(text);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    if (fraction.find('.') != std::string_view::npos || fraction.size() > mostDigits)
        return std::nullopt;
    std::int64_t value = 0;
    if (!whole.empty()) {
        const auto w = digitsValue(whole);
        if (!w || *w > INT64_MAX / 100 - 1)
            return std::nullopt;
        value = *w * 100;
    }
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        if (!isDigit(fraction[i]))
            return std::nullopt;
        if (i == 0)
            value += (fraction[i] - '0') * 10;
        else if (i == 1)
            value += fraction[i] - '0';
        else if (i == 2 && fraction[i] >= '5')
            value += 1;
    }
    return value;
}

std::string SettingNumber::formatHundredths(std::int64_t hundredths)
{
    std::string text = hundredths < 0 ? "-" : "";
    const std::uint64_t magnitude
        = hundredths < 0 ? 0 - static_cast<std::uint64_t>(hundredths) : static_cast<std::uint64_t>(hundredths);
    text += std::to_string(magnitude / 100);
    const unsigned cents = static_cast<unsigned>(magnitude % 100);
    if (cents != 0) {
        text += '.';
        text += static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0)
            text += static_cast<char>('0' + cents % 10);
    }
    return text;
}

std::optional<std::int64_t> SettingNumber::parseStored(std::string_view text)
{
    text = text::trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto hundredths = parseHundredths(text);
    if (!hundredths || text.empty() || text.front() == ' ')
        return std::nullopt;
    const std::int64_t whole = (*hundredths + 50) / 100;
    return negative ? -whole : whole;
}

} // namespace corvane
