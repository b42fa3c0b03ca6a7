#include "StwSave.h"

#include "Text.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvane {

namespace {

/// The room an entry may need beyond its row's bytes and a tab per column: the running number, byte 230 and the
/// sixteen bytes a short text's single move may write past its end.
constexpr std::size_t entrySlack = 32;

/// What one cell gives the save text, by the save rules.
struct CellText {
    const char* begin;
    const char* end;
    char kind;
};

inline bool zeroWhenEmpty(char kind)
{
    return kind == '4' || kind == '6' || kind == '9';
}

/// The save rules for the cell string [cell, cellEnd): its code is the last five characters (a shorter cell is all
/// text, of kind "1"); the text is trimmed of blanks; a list column's cell then drops its first character, the
/// list number.
inline CellText cellText(const char* cell, const char* cellEnd, bool listColumn)
{
    const bool hasCode = static_cast<std::size_t>(cellEnd - cell) >= StwCellFormat::length;
    const char* textEnd = hasCode ? cellEnd - StwCellFormat::length : cellEnd;
    CellText t {cell, textEnd, hasCode ? textEnd[1] : '1'};
    while (t.begin < t.end && *t.begin == ' ')
        ++t.begin;
    while (t.end > t.begin && t.end[-1] == ' ')
        --t.end;
    if (listColumn && t.begin < t.end)
        ++t.begin;
    return t;
}

/// A cell is empty without text, and with "0" in a check or amount cell.
inline bool isEmpty(const CellText& t)
{
    return t.begin == t.end || (zeroWhenEmpty(t.kind) && t.end - t.begin == 1 && *t.begin == '0');
}

/// Writes a cell's text at out, which has room for the text and sixteen bytes more; returns the new end. readable
/// is the end of the memory the text lies in, so that a short text can move as one sixteen-byte block.
inline char* writeText(char* out, const CellText& t, const char* readable)
{
    if (t.begin == t.end) {
        if (zeroWhenEmpty(t.kind))
            *out++ = '0';
        return out;
    }
    if (t.kind == 'A') {
        for (const char* c = t.begin; c < t.end; ++c) {
            if (*c != ',' && *c != '(' && *c != ')')
                *out++ = *c;
        }
        return out;
    }
    if (t.kind == 'C') {
        for (const char* c = t.begin; c < t.end; ++c)
            *out++ = *c == ':' ? text::colonStandIn : *c;
        return out;
    }
    const std::size_t size = static_cast<std::size_t>(t.end - t.begin);
#if defined(__SSE2__)
    // Most texts are short: one sixteen-byte move replaces a memcpy call.
    if (size <= 16 && t.begin + 16 <= readable) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_loadu_si128(reinterpret_cast<const __m128i*>(t.begin)));
        return out + size;
    }
#else
    (void)readable;
#endif
    std::memcpy(out, t.begin, size);
    return out + size;
}

/// Writes one row's entry at out, which has room for the row's cells, a tab per column and entrySlack: the running
/// number, then a tab and the text of each column from 2 to lastCol. cells(emit) calls emit(col, begin, end,
/// readable) for the row's cells in column order and returns the column after the last it passed; columns it
/// leaves out at the end are empty. Returns the end of the entry, or nullptr when every cell from column 1 on is
/// empty.
template<typename Cells>
inline char* writeEntry(char* out, int number, int lastCol, const std::vector<char>& listColumns, Cells&& cells)
{
    out = std::to_chars(out, out + 12, number).ptr;
    bool empty = true;
    int next = cells([&](int col, const char* begin, const char* end, const char* readable) {
        if (col < 1 || col > lastCol)
            return;
        const CellText t = cellText(begin, end, listColumns[static_cast<std::size_t>(col)] != 0);
        if (empty && !isEmpty(t))
            empty = false;
        if (col < 2)
            return;
        *out++ = '\t';
        out = writeText(out, t, readable);
    });
    for (next = std::max(next, 2); next <= lastCol; ++next)
        *out++ = '\t';
    if (empty)
        return nullptr;
    *out++ = text::recordSeparator;
    return out;
}

/// The cells of a received row, straight from its text: the tabs are found sixteen bytes at a time.
template<typename Emit> inline int receivedCells(std::string_view row, int lastCol, Emit&& emit)
{
    const char* const begin = row.data();
    const char* const end = begin + row.size();
    const std::size_t size = row.size();
    const char* cellStart = begin;
    int col = 0;
    const auto endCell = [&](const char* cellEnd) {
        emit(col, cellStart, cellEnd, end);
        ++col;
        cellStart = cellEnd + 1;
    };
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i tab = _mm_set1_epi8('\t');
    for (; i + 16 <= size && col <= lastCol; i += 16) {
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(begin + i)), tab)));
        while (mask && col <= lastCol) {
            const unsigned bit = static_cast<unsigned>(__builtin_ctz(mask));
            mask &= mask - 1;
            endCell(begin + i + bit);
        }
    }
#endif
    for (; i < size && col <= lastCol; ++i) {
        if (begin[i] == '\t')
            endCell(begin + i);
    }
    if (col <= lastCol)
        endCell(end);
    return col;
}

} // namespace

bool StwSave::cellIsEmpty(std::string_view cell, bool listColumn)
{
    return isEmpty(cellText(cell.data(), cell.data() + cell.size(), listColumn));
}

std::string StwSave::saveText(const StwTable& table)
{
    std::string out;
    saveText(table, out);
    return out;
}

void StwSave::saveText(const StwTable& table, std::string& out)
{
    const int lastRow = table.hasNewEntryRow() ? table.rowCount() - 2 : table.rowCount() - 1;
    const int lastCol = table.columnCount() - 1;
    std::vector<char> listColumns(static_cast<std::size_t>(std::max(lastCol + 1, 0)));
    for (int col = 0; col <= lastCol; ++col)
        listColumns[static_cast<std::size_t>(col)] = table.column(col).hasList() ? 1 : 0;
    // The save text is written straight into out: the cells drop their five-character codes, so it is shorter than
    // the received text, and it grows in the rare case that edits make it longer. A buffer kept from an earlier
    // post is written again without new memory.
    out.resize(std::max(out.size(), table.textBytes() + 64));
    std::size_t used = 0;
    int number = 0;
    const std::size_t perRow = entrySlack + static_cast<std::size_t>(std::max(lastCol, 0));
    const auto room = [&](std::size_t needed) {
        if (used + needed > out.size())
            out.resize(std::max(out.size() * 2, used + needed + (std::size_t(1) << 16)));
    };
    const auto written = [&](char* end) {
        if (!end)
            return;
        used = static_cast<std::size_t>(end - out.data());
        ++number;
    };
    for (int row = 1; row <= lastRow; ++row) {
        if (const auto received = table.receivedRow(row)) {
            room(received->size() + perRow);
            written(writeEntry(out.data() + used, number + 1, lastCol, listColumns,
                               [&](auto&& emit) { return receivedCells(*received, lastCol, emit); }));
            continue;
        }
        std::size_t bytes = 0;
        table.forEachCell(row, 1, lastCol, [&](int, std::string_view cell) { bytes += cell.size(); });
        room(bytes + perRow);
        written(writeEntry(out.data() + used, number + 1, lastCol, listColumns, [&](auto&& emit) {
            table.forEachCell(row, 1, lastCol, [&](int col, std::string_view cell) {
                emit(col, cell.data(), cell.data() + cell.size(), cell.data() + cell.size());
            });
            return lastCol + 1;
        }));
    }
    out.resize(used);
}

std::string StwSave::singleRequest(const std::string& saveText)
{
    return "|SET|STW|1|" + saveText;
}

bool StwSave::piecesFit(std::string_view saveText, const std::vector<std::string>& pieces)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string& piece = pieces[i];
        const bool last = i + 1 == pieces.size();
        if (last ? piece.size() > pieceLength : piece.size() != pieceLength)
            return false;
        if (saveText.substr(at, piece.size()) != piece)
            return false;
        at += piece.size();
    }
    return at == saveText.size();
}

std::vector<std::string> StwSave::pieceRequests(std::vector<std::string> pieces)
{
    // A full last piece would leave the server waiting for more: an empty piece ends the post.
    if (!pieces.empty() && pieces.back().size() == pieceLength)
        pieces.emplace_back();
    // Each piece becomes its request in place: the prefix goes in front of text that is already in cache.
    for (std::size_t i = 0; i < pieces.size(); ++i)
        pieces[i].insert(0, "|SET|STW|" + std::to_string(i + 1) + "|");
    return pieces;
}

} // namespace corvane
