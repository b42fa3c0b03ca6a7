#include "Text.h"

namespace corvane::text {

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = upper(c);
    return out;
}

char foldCase(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80)
        return upper(c);
    // Windows-1252: à..þ are À..Þ plus 32, except the division sign; š œ ž ÿ have their capitals elsewhere.
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)
        return static_cast<char>(byte - 0x20);
    switch (byte) {
    case 0x9A:
        return static_cast<char>(0x8A);
    case 0x9C:
        return static_cast<char>(0x8C);
    case 0x9E:
        return static_cast<char>(0x8E);
    case 0xFF:
        return static_cast<char>(0x9F);
    default:
        return c;
    }
}

std::string foldCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = foldCase(c);
    return out;
}

char lowerCase(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'A' && byte <= 'Z')
        return static_cast<char>(byte - 'A' + 'a');
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)
        return static_cast<char>(byte + 0x20);
    switch (byte) {
    case 0x8A:
        return static_cast<char>(0x9A);
    case 0x8C:
        return static_cast<char>(0x9C);
    case 0x8E:
        return static_cast<char>(0x9E);
    case 0x9F:
        return static_cast<char>(0xFF);
    default:
        return c;
    }
}

std::string_view trim(std::string_view s)
{
    const auto isBlank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n';
    };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && equalsNoCase(s.substr(0, prefix.size()), prefix);
}

bool containsNoCase(std::string_view s, std::string_view needle)
{
    if (needle.empty())
        return true;
    for (std::size_t i = 0; i + needle.size() <= s.size(); ++i) {
        if (equalsNoCase(s.substr(i, needle.size()), needle))
            return true;
    }
    return false;
}

std::vector<std::string_view> split(std::string_view s, std::string_view delimiter)
{
    std::vector<std::string_view> pieces;
    if (delimiter.empty()) {
        pieces.push_back(s);
        return pieces;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = s.find(delimiter, start);
        if (at == std::string_view::npos) {
            pieces.push_back(s.substr(start));
            return pieces;
        }
        pieces.push_back(s.substr(start, at - start));
        start = at + delimiter.size();
    }
}

std::vector<std::string_view> split(std::string_view s, char delimiter)
{
    return split(s, std::string_view(&delimiter, 1));
}

std::string join(const std::vector<std::string>& pieces, std::string_view separator)
{
    std::string out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            out += separator;
        out += pieces[i];
    }
    return out;
}

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to)
{
    if (from.empty())
        return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = s.find(from, start);
        if (at == std::string_view::npos) {
            out += s.substr(start);
            return out;
        }
        out += s.substr(start, at - start);
        out += to;
        start = at + from.size();
    }
}

} // namespace corvane::text
