#pragma once

#include "StwTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// Building what a post sends.
///
/// A post is one request "|SET|STW|1|" and the save text when that fits in maxRequestLength characters, otherwise
/// the save text in pieces of exactly pieceLength characters, "|SET|STW|n|" and piece n, counted from 1. The first
/// piece shorter than pieceLength ends the post; a text that fills its pieces exactly is ended by an empty piece.
class StwSave {
public:
    static constexpr std::size_t maxRequestLength = 9000;
    static constexpr std::size_t pieceLength = 9000;

    /// The save text: one entry per data row that is not empty, in grid order (the new-entry row is not sent):
    /// running number, tab, the texts of columns 2 to the last separated by tabs, byte 230.
    ///
    /// A cell's text is the cell without its five-character code, trimmed of blanks; a list column drops its list
    /// number; kind "A" loses grouping commas and parentheses; kind "C" has every colon replaced by byte 199; an
    /// empty check cell (kinds "4", "6") or amount cell (kind "9") is sent as "0". Received rows and edited rows
    /// follow these rules through the same code.
    static std::string saveText(const StwTable& table);
    /// The same, written into out; the memory out already holds is used again.
    static void saveText(const StwTable& table, std::string& out);
    /// Whether a cell string holds nothing worth sending: no text once trimmed and without its list number, or
    /// "0" in a check or amount cell. A row of such cells is not sent.
    static bool cellIsEmpty(std::string_view cell, bool listColumn);

    /// The request that carries the whole save text, when it fits in maxRequestLength characters.
    static std::string singleRequest(const std::string& saveText);
    /// Whether pieces cut from saveText can go as they are: together they are the text, and every piece but the
    /// last has exactly pieceLength characters.
    static bool piecesFit(std::string_view saveText, const std::vector<std::string>& pieces);
    /// The requests that carry the pieces, numbered from 1, with the empty closing piece when the last is full.
    static std::vector<std::string> pieceRequests(std::vector<std::string> pieces);
};

} // namespace corvane
