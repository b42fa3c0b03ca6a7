#pragma once

#include "StwTable.h"

#include <string>
#include <vector>

namespace corvane {

/// Building what a post sends.
class StwSave {
public:
    static constexpr std::size_t maxRequestLength = 9000;

    /// The save text: one entry per data row that is not empty, in grid order (the new-entry row is not sent):
    /// running number, tab, the texts of columns 2 to the last separated by tabs, byte 230.
    static std::string saveText(const StwTable& table);
    /// The same, written into out; the memory out already holds is used again.
    static void saveText(const StwTable& table, std::string& out);
    /// A cell's text as the save text carries it: trimmed; a list column drops its list number; kind "A" loses
    /// grouping commas and parentheses; kind "C" has every colon replaced by byte 199.
    static void appendCellText(std::string& out, const StwTable& table, int row, int col);
    /// The request that carries the whole save text, when it fits in maxRequestLength characters.
    static std::string singleRequest(const std::string& saveText);
    /// The requests that carry the pieces, numbered from 1.
    static std::vector<std::string> pieceRequests(std::vector<std::string> pieces);
};

} // namespace corvane
