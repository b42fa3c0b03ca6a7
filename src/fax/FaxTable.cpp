#include "FaxTable.h"

#include "FaxCell.h"
#include "Text.h"

#include <algorithm>

namespace corvane {

void FaxTable::clear()
{
    m_headings.clear();
    m_blocks.clear();
    m_rows.clear();
    m_offsets.clear();
}

void FaxTable::setHeadings(const std::vector<std::string_view>& headings)
{
    m_headings.assign(headings.begin(), headings.end());
    if (m_headings.empty())
        return;
    const std::string_view second = m_headings.size() > 1 ? std::string_view(m_headings[1]) : std::string_view();
    m_headings[0] = "Select" + std::string(FaxCell::suffix(second));
}

int FaxTable::append(const std::vector<std::string_view>& records)
{
    if (records.empty() || m_headings.empty())
        return 0;
    std::size_t bytes = 0;
    for (std::string_view line : records)
        bytes += line.size();
    std::string block;
    block.reserve(bytes);
    const auto blockIndex = static_cast<std::uint32_t>(m_blocks.size());
    const std::size_t columns = m_headings.size();
    for (std::string_view line : records) {
        // Offsets are 16 bits: a line longer than that keeps its first 65,534 bytes.
        line = line.substr(0, absent - 1);
        m_rows.push_back({blockIndex, static_cast<std::uint32_t>(block.size()), static_cast<std::uint32_t>(line.size()),
                          static_cast<std::uint32_t>(m_offsets.size())});
        std::size_t at = 0;
        for (std::size_t col = 1; col < columns; ++col) {
            const std::size_t tab = at == std::string_view::npos ? at : line.find('\t', at);
            at = tab == std::string_view::npos ? tab : tab + 1;
            m_offsets.push_back(at == std::string_view::npos ? absent : static_cast<std::uint16_t>(at));
        }
        block.append(line);
    }
    m_blocks.push_back(std::move(block));
    return static_cast<int>(records.size());
}

std::string_view FaxTable::heading(int col) const
{
    return col >= 0 && col < columnCount() ? std::string_view(m_headings[static_cast<std::size_t>(col)])
                                           : std::string_view();
}

std::string_view FaxTable::cell(int row, int col) const
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        return {};
    const Row& r = m_rows[static_cast<std::size_t>(row)];
    const std::string_view line = std::string_view(m_blocks[r.block]).substr(r.start, r.length);
    const std::uint16_t* offsets = m_offsets.data() + r.firstOffset;
    const std::size_t start = col == 0 ? 0 : offsets[col - 1];
    if (start == absent)
        return {};
    const std::size_t next = col + 1 < columnCount() ? offsets[col] : absent;
    const std::size_t end = next == absent ? line.size() : next - 1;
    const std::string_view text = line.substr(start, end - start);
    // A line with more fields than headings keeps the extra ones out of its last cell.
    return col + 1 == columnCount() ? text.substr(0, text.find('\t')) : text;
}

int FaxTable::findColumn(std::initializer_list<std::string_view> names) const
{
    for (int col = 0; col < columnCount(); ++col) {
        const std::string_view value = FaxCell::value(m_headings[static_cast<std::size_t>(col)]);
        const std::string_view trimmed = text::trim(value);
        for (std::string_view name : names) {
            if (text::equalsNoCase(trimmed, name))
                return col;
        }
    }
    return -1;
}

std::size_t FaxTable::bytesHeld() const
{
    std::size_t bytes = m_rows.capacity() * sizeof(Row) + m_offsets.capacity() * sizeof(std::uint16_t)
        + m_blocks.capacity() * sizeof(std::string);
    for (const std::string& block : m_blocks)
        bytes += block.capacity();
    return bytes;
}

} // namespace corvane
