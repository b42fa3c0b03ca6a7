#include "SeparatorCheck.h"

namespace corvane {

std::optional<char> SeparatorCheck::firstRefused(std::string_view wire, std::string_view ownSeparators)
{
    for (char c : wire) {
        if (alwaysRefused.find(c) != std::string_view::npos || ownSeparators.find(c) != std::string_view::npos)
            return c;
    }
    return std::nullopt;
}

std::string SeparatorCheck::characterName(char byte)
{
    switch (byte) {
    case '\t':
        return "a TAB";
    case '\r':
    case '\n':
        return "a line break";
    default:
        break;
    }
    const auto code = static_cast<unsigned char>(byte);
    std::string name = "\"";
    name += byte;
    name += '"';
    if (code >= 0x80)
        name += " (character " + std::to_string(code) + ")";
    else if (code < 0x20)
        name = "the control character " + std::to_string(code);
    return name;
}

std::string SeparatorCheck::refusalText(std::string_view fieldName, char byte)
{
    return std::string(fieldName) + " may not hold " + characterName(byte)
        + ": the practice server uses it to separate data.\r\nPlease remove or replace it.";
}

} // namespace corvane
