#pragma once

#include "StwCellFormat.h"

#include <string>
#include <string_view>

namespace corvane {

/// One column as the header row describes it: caption, format, width and the column attributes.
struct StwColumn {
    std::string caption;
    StwCellFormat format;
    int width = 0; ///< the two-digit width; the screen width is this times the display multiplier
    bool required = false;
    bool unique = false;
    std::string lookupName;
    std::string thirdAttribute;
    std::string listAttribute;

    /// Reads a header cell: caption, five-character code, two-digit width, then optionally the attributes
    /// required, unique, "^", lookup, "^", third, "^", list. A cell too short for code and width keeps its text
    /// as caption with the header format.
    static StwColumn parse(std::string_view headerCell);
    /// What the cell data keeps of a header cell: caption followed by its code.
    std::string captionWithCode() const;
    bool hasList() const { return !listAttribute.empty(); }
};

} // namespace corvane
