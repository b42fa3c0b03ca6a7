#include "StwSave.h"

#include "Text.h"

#include <charconv>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvane {

namespace {

bool emptyForSaving(std::string_view cellText, const StwCellFormat& format)
{
    const std::string_view value = text::trim(cellText);
    return value.empty() || ((format.isCheck() || format.kind == '9') && value == "0");
}

void appendText(std::string& out, std::string_view cell, bool listColumn)
{
    const StwCellFormat format = StwCellFormat::of(cell);
    std::string_view value = text::trim(StwCellFormat::textOf(cell));
    if (listColumn && !value.empty())
        value.remove_prefix(1);
    if (format.kind == 'A') {
        for (char c : value) {
            if (c != ',' && c != '(' && c != ')')
                out += c;
        }
        return;
    }
    if (format.kind == 'C') {
        for (char c : value)
            out += c == ':' ? text::colonStandIn : c;
        return;
    }
    out.append(value);
}

} // namespace

void StwSave::appendCellText(std::string& out, const StwTable& table, int row, int col)
{
    appendText(out, table.cell(row, col), table.column(col).hasList());
}

namespace {

/// Writes one cell's text for the save text at out; returns the new end. empty is cleared when the cell holds
/// something worth saving.
inline char* writeCell(char* out, const char* cell, const char* cellEnd, const char* readable, bool listColumn,
                       bool write, bool& empty)
{
    const std::size_t length = static_cast<std::size_t>(cellEnd - cell);
    const bool hasCode = length >= StwCellFormat::length;
    const char kind = hasCode ? cellEnd[-4] : '1';
    const char* textBegin = cell;
    const char* textEnd = hasCode ? cellEnd - StwCellFormat::length : cellEnd;
    while (textBegin < textEnd && (*textBegin == ' ' || *textBegin == '\r' || *textBegin == '\n'))
        ++textBegin;
    while (textEnd > textBegin && (textEnd[-1] == ' ' || textEnd[-1] == '\r' || textEnd[-1] == '\n'))
        --textEnd;
    const std::size_t textLength = static_cast<std::size_t>(textEnd - textBegin);
    if (textLength > 0 && !(textLength == 1 && *textBegin == '0' && (kind == '4' || kind == '6' || kind == '9')))
        empty = false;
    if (!write)
        return out;
    *out++ = '\t';
    if (listColumn && textBegin < textEnd)
        ++textBegin;
    if (kind == 'A') {
        for (const char* c = textBegin; c < textEnd; ++c) {
            if (*c != ',' && *c != '(' && *c != ')')
                *out++ = *c;
        }
    } else if (kind == 'C') {
        for (const char* c = textBegin; c < textEnd; ++c)
            *out++ = *c == ':' ? text::colonStandIn : *c;
    } else {
        const std::size_t textSize = static_cast<std::size_t>(textEnd - textBegin);
#if defined(__SSE2__)
        // Most texts are short: one sixteen-byte move, where both sides have the room, replaces a memcpy call.
        if (textSize <= 16 && textBegin + 16 <= readable) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(textBegin)));
            return out + textSize;
        }
#endif
        std::memcpy(out, textBegin, textSize);
        out += textSize;
    }
    return out;
}

/// Writes one received row's entry at out (which has room for the row's text, a number, a tab per column and 16),
/// from its text alone: the tabs are found sixteen bytes at a time and each text is copied whole. Returns the end,
/// or nullptr when the row is empty.
char* writeReceivedRow(char* out, std::string_view row, int number, int lastCol, const std::vector<char>& listColumns)
{
    out = std::to_chars(out, out + 12, number).ptr;
    bool empty = true;
    const char* const begin = row.data();
    const std::size_t size = row.size();
    const char* cellStart = begin;
    int col = 0;
    const auto endCell = [&](const char* cellEnd) {
        if (col >= 1 && col <= lastCol)
            out = writeCell(out, cellStart, cellEnd, begin + size, listColumns[static_cast<std::size_t>(col)] != 0,
                            col >= 2, empty);
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
        endCell(begin + size);
    for (; col <= lastCol; ++col) {
        if (col >= 2)
            *out++ = '\t';
    }
    if (empty)
        return nullptr;
    *out++ = text::recordSeparator;
    return out;
}

} // namespace

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
    std::string scratch;
    int number = 0;
    const auto room = [&](std::size_t needed) {
        if (used + needed > out.size())
            out.resize(std::max(out.size() * 2, used + needed + (std::size_t(1) << 16)));
    };
    for (int row = 1; row <= lastRow; ++row) {
        if (const auto received = table.receivedRow(row)) {
            // An entry is never longer than its row's text plus its number and one tab per column.
            room(received->size() + 32 + static_cast<std::size_t>(std::max(lastCol, 0)));
            if (char* end = writeReceivedRow(out.data() + used, *received, number + 1, lastCol, listColumns)) {
                used = static_cast<std::size_t>(end - out.data());
                ++number;
            }
            continue;
        }
        scratch.clear();
        scratch += std::to_string(number + 1);
        bool empty = true;
        table.forEachCell(row, 1, lastCol, [&](int col, std::string_view cell) {
            if (empty && !emptyForSaving(StwCellFormat::textOf(cell), StwCellFormat::of(cell)))
                empty = false;
            if (col < 2)
                return;
            scratch += '\t';
            appendText(scratch, cell, listColumns[static_cast<std::size_t>(col)] != 0);
        });
        if (empty)
            continue;
        ++number;
        scratch += text::recordSeparator;
        room(scratch.size());
        std::memcpy(out.data() + used, scratch.data(), scratch.size());
        used += scratch.size();
    }
    out.resize(used);
}

std::string StwSave::singleRequest(const std::string& saveText)
{
    return "|SET|STW|1|" + saveText;
}

std::vector<std::string> StwSave::pieceRequests(std::vector<std::string> pieces)
{
    // Each piece becomes its request in place: the prefix goes in front of text that is already in cache.
    for (std::size_t i = 0; i < pieces.size(); ++i)
        pieces[i].insert(0, "|SET|STW|" + std::to_string(i + 1) + "|");
    return pieces;
}

} // namespace corvane
