#include "StwFind.h"

#include "Text.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvane {

std::optional<StwFindPattern> StwFindPattern::parse(std::string_view typed)
{
    const std::string folded = text::foldCase(text::trim(typed));
    StwFindPattern pattern;
    const bool leading = !folded.empty() && folded.front() == '*';
    const bool trailing = !folded.empty() && folded.back() == '*';
    if (leading && !trailing)
        pattern.kind = Kind::EndsWith;
    else if (trailing)
        pattern.kind = Kind::BeginsWith;
    for (char c : folded) {
        if (c != '*')
            pattern.needle += c;
    }
    if (pattern.needle.empty())
        return std::nullopt;
    return pattern;
}

bool StwFindPattern::matches(std::string_view cellText) const
{
    const std::string_view cell = text::trim(cellText);
    if (needle.size() > cell.size())
        return false;
    const auto sameAt = [&](std::size_t at) {
        for (std::size_t i = 0; i < needle.size(); ++i) {
            if (text::foldCase(cell[at + i]) != needle[i])
                return false;
        }
        return true;
    };
    switch (kind) {
    case Kind::BeginsWith:
        return sameAt(0);
    case Kind::EndsWith:
        return sameAt(cell.size() - needle.size());
    case Kind::Contains:
        break;
    }
    // Candidate positions come from a scan for the first letter in either case, so most cells cost one memchr.
    const char first = needle.front();
    const char lower = text::lowerCase(first);
    const std::size_t last = cell.size() - needle.size();
    for (std::size_t at = 0; at <= last; ++at) {
        const std::size_t upperAt = cell.find(first, at);
        const std::size_t lowerAt = lower == first ? upperAt : cell.find(lower, at);
        at = std::min(upperAt, lowerAt);
        if (at == std::string_view::npos || at > last)
            return false;
        if (sameAt(at))
            return true;
    }
    return false;
}

namespace {

/// Whether text holds needle (upper case) in any letter case: sixteen bytes at a time look for the first letter in
/// both cases, and only those places are compared.
bool containsFolded(std::string_view text, std::string_view needle)
{
    if (needle.size() > text.size())
        return false;
    const char first = needle.front();
    const char other = text::lowerCase(first);
    const std::size_t last = text.size() - needle.size();
    const auto sameAt = [&](std::size_t at) {
        for (std::size_t i = 1; i < needle.size(); ++i) {
            if (text::foldCase(text[at + i]) != needle[i])
                return false;
        }
        return true;
    };
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i upperFirst = _mm_set1_epi8(first);
    const __m128i lowerFirst = _mm_set1_epi8(other);
    for (; i + 16 <= last + 1; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, upperFirst), _mm_cmpeq_epi8(chunk, lowerFirst))));
        while (mask) {
            const unsigned bit = static_cast<unsigned>(__builtin_ctz(mask));
            mask &= mask - 1;
            if (sameAt(i + bit))
                return true;
        }
    }
#endif
    for (; i <= last; ++i) {
        if ((text[i] == first || text[i] == other) && sameAt(i))
            return true;
    }
    return false;
}

} // namespace

std::string_view StwFind::shownText(std::string_view cell)
{
    std::string_view shown = StwCellFormat::textOf(cell);
    // A drop-down cell shows its text after the choice-list number.
    if (StwCellFormat::of(cell).kind == '3' && !shown.empty())
        shown.remove_prefix(1);
    return shown;
}

std::optional<StwFind::Hit> StwFind::next(const StwTable& table, const StwFindPattern& pattern, int row, int col,
                                          int column, int lastRow)
{
    const int columns = table.columnCount();
    const int firstCol = column > 0 ? column : 1;
    const int lastCol = column > 0 ? std::min(column, columns - 1) : columns - 1;
    lastRow = std::min(lastRow, table.rowCount() - 1);
    int c = col + 1;
    for (int r = std::max(row, 1); r <= lastRow; ++r, c = firstCol) {
        // Every kind of match contains the needle, so a row whose text does not is passed over in one scan.
        if (const auto span = table.receivedRow(r); span && !containsFolded(*span, pattern.needle))
            continue;
        std::optional<Hit> hit;
        table.forEachCell(r, std::max(c, firstCol), lastCol, [&](int at, std::string_view cell) {
            if (!hit && pattern.matches(StwFind::shownText(cell)))
                hit = Hit {r, at};
        });
        if (hit)
            return hit;
    }
    return std::nullopt;
}

} // namespace corvane
