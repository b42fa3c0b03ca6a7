#pragma once

#include <string_view>

namespace corvane {

/// A cell of a fax listing: its value followed by a three-character suffix that styles it (editor, background
/// colour letter, text colour letter; "1" as the editor marks a tick box).
class FaxCell {
public:
    static constexpr std::size_t suffixLength = 3;

    /// The cell without its suffix; empty when the cell is three characters or fewer.
    static std::string_view value(std::string_view cell);
    /// The suffix; empty when the cell is three characters or fewer.
    static std::string_view suffix(std::string_view cell);
    static bool isTickBox(std::string_view suffix) { return !suffix.empty() && suffix[0] == '1'; }
    /// The background colour letter, or 0 when the suffix has none.
    static char backgroundLetter(std::string_view suffix) { return suffix.size() > 1 ? suffix[1] : '\0'; }
    /// The text colour letter, or 0 when the suffix has none.
    static char textLetter(std::string_view suffix) { return suffix.size() > 2 ? suffix[2] : '\0'; }
};

} // namespace corvane
