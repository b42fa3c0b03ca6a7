#include "StwFind.h"

#include "Text.h"

#include <algorithm>

namespace corvane {

std::optional<StwFindPattern> StwFindPattern::parse(std::string_view typed)
{
    const std::string folded = text::upper(text::trim(typed));
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
            if (text::upper(cell[at + i]) != needle[i])
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
    const char lower = first >= 'A' && first <= 'Z' ? static_cast<char>(first - 'A' + 'a') : first;
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

std::optional<StwFind::Hit> StwFind::next(const StwTable& table, const StwFindPattern& pattern, int row, int col,
                                          int column, int lastRow)
{
    const int columns = table.columnCount();
    const int firstCol = column > 0 ? column : 1;
    const int lastCol = column > 0 ? std::min(column, columns - 1) : columns - 1;
    lastRow = std::min(lastRow, table.rowCount() - 1);
    int c = col + 1;
    for (int r = std::max(row, 1); r <= lastRow; ++r, c = firstCol) {
        for (c = std::max(c, firstCol); c <= lastCol; ++c) {
            if (pattern.matches(table.text(r, c)))
                return Hit{r, c};
        }
    }
    return std::nullopt;
}

} // namespace corvane
