#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The one check that keeps typed text from shifting the fields of a request or a record. The practice server
/// sends text as it is, without escaping, so a separator inside a value would be read as the end of the value.
class SeparatorCheck {
public:
    /// Bytes no typed text may hold anywhere: "|", TAB, CR, LF and the separator bytes 230, 231, 246 and 199.
    static constexpr std::string_view alwaysRefused = "|\t\r\n\xE6\xE7\xF6\xC7";

    /// The first byte of wire that is refused (the bytes above plus the payload's own field separators).
    static std::optional<char> firstRefused(std::string_view wire, std::string_view ownSeparators = {});
    /// How a message names a byte: "\"|\"", "a TAB", "a line break", "\"æ\" (character 230)", "\",\"".
    static std::string characterName(char byte);
    /// The refusal for fieldName holding byte, naming the character.
    static std::string refusalText(std::string_view fieldName, char byte);
};

} // namespace corvane
