#pragma once

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

} // namespace corvane
