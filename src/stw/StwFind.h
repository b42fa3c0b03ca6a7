#pragma once

#include "StwTable.h"

#include <optional>
#include <string>

namespace corvane {

/// What the find box asks for: the typed text trimmed, upper-cased and without its asterisks, and the kind of
/// match its asterisks chose.
struct StwFindPattern {
    enum class Kind { Contains, BeginsWith, EndsWith };

    Kind kind = Kind::Contains;
    std::string needle;

    /// Nothing when the text is empty once its asterisks are removed.
    static std::optional<StwFindPattern> parse(std::string_view typed);
    /// Whether a cell's text matches; letter case never matters (accented letters included) and the cell is trimmed
    /// first.
    bool matches(std::string_view cellText) const;
};

/// Finding a text in the grid, row by row from a cell onward.
class StwFind {
public:
    struct Hit {
        int row = 0;
        int col = 0;
    };

    /// The text a cell shows, which is what a search compares: a drop-down cell without its choice-list number.
    static std::string_view shownText(std::string_view cell);
    /// The first matching cell after (row, col), up to and including lastRow; column 0 searches columns 1 to
    /// the last, any other number that column only.
    static std::optional<Hit> next(const StwTable& table, const StwFindPattern& pattern, int row, int col, int column,
                                   int lastRow);
};

} // namespace corvane
