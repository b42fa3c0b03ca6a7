#include "StwTable.h"

#include "StwSave.h"
#include "Text.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace corvane {

void removeLineFraming(std::string& data)
{
    std::size_t write = 0;
    std::size_t read = 0;
    for (std::size_t at = data.find("\r\n"); at != std::string::npos; at = data.find("\r\n", read)) {
        std::size_t end = at;
        while (end + 1 < data.size() && data[end] == '\r' && data[end + 1] == '\n')
            end += 2;
        // Reply lines end at a record, so the line breaks that join them touch a byte 230 or an end of the data.
        const bool framing = at == 0 || data[at - 1] == text::recordSeparator || end == data.size()
            || data[end] == text::recordSeparator;
        const std::size_t kept = framing ? at : end;
        if (write != read)
            std::memmove(data.data() + write, data.data() + read, kept - read);
        write += kept - read;
        read = end;
    }
    if (read == write)
        return;
    std::memmove(data.data() + write, data.data() + read, data.size() - read);
    data.resize(write + data.size() - read);
}

void StwTable::clear()
{
    *this = StwTable();
}

bool StwTable::load(std::string data, bool keepNewEntryRow)
{
    if (data.find(text::recordSeparator) == std::string::npos)
        return false;
    clear();
    removeLineFraming(data);
    m_text = std::move(data);
    // Text after the last record separator is ignored.
    m_text.resize(m_text.rfind(text::recordSeparator) + 1);
    if (m_text.size() > 0xFFFFFFF0u)
        m_text.resize(m_text.rfind(text::recordSeparator, 0xFFFFFFF0u) + 1);

    std::size_t estimatedCells = 0;
    scanSeparators(m_text, [&](std::size_t, bool) { ++estimatedCells; });
    m_cellStarts.reserve(estimatedCells);
    m_cellStarts.push_back(0);
    m_rowFirstCell.push_back(0);
    scanSeparators(m_text, [&](std::size_t at, bool recordEnd) {
        const auto next = static_cast<std::uint32_t>(at + 1);
        if (!recordEnd) {
            m_cellStarts.push_back(next);
            return;
        }
        m_rowEnd.push_back(static_cast<std::uint32_t>(at));
        if (next < m_text.size()) {
            m_rowFirstCell.push_back(static_cast<std::uint32_t>(m_cellStarts.size()));
            m_cellStarts.push_back(next);
        }
    });

    const std::uint32_t rows = static_cast<std::uint32_t>(m_rowEnd.size());
    const std::uint32_t last = rows - 1;
    for (std::uint32_t c = 0; c < cellsIn(last); ++c)
        m_newEntryTemplate.emplace_back(storedCell(last, static_cast<int>(c)));

    m_keepsNewEntryRow = keepNewEntryRow;
    m_receivedRows = rows > 2 ? static_cast<int>(rows - 2) : 0;
    const std::uint32_t kept = keepNewEntryRow || rows == 1 ? rows : rows - 1;
    m_order.resize(kept);
    std::iota(m_order.begin(), m_order.end(), 0u);
    m_marked.assign(rows, 0);
    m_edited.assign(rows, 0);

    const std::uint32_t headerCells = cellsIn(0);
    m_columns.resize(headerCells);
    for (std::uint32_t c = 1; c < headerCells; ++c)
        m_columns[c] = StwColumn::parse(storedCell(0, static_cast<int>(c)));
    return true;
}

std::uint32_t StwTable::cellsIn(std::uint32_t physicalRow) const
{
    const std::uint32_t first = m_rowFirstCell[physicalRow];
    if (first == noCells)
        return 0;
    std::uint32_t next = static_cast<std::uint32_t>(m_cellStarts.size());
    for (std::uint32_t p = physicalRow + 1; p < m_rowFirstCell.size(); ++p) {
        if (m_rowFirstCell[p] != noCells) {
            next = m_rowFirstCell[p];
            break;
        }
    }
    return next - first;
}

std::string_view StwTable::storedCell(std::uint32_t physicalRow, int col) const
{
    if (col < 0 || physicalRow >= m_rowEnd.size())
        return {};
    const std::uint32_t first = m_rowFirstCell[physicalRow];
    if (first == noCells)
        return {};
    const std::uint32_t index = first + static_cast<std::uint32_t>(col);
    const std::uint32_t end = physicalRow + 1 < m_rowFirstCell.size() && m_rowFirstCell[physicalRow + 1] != noCells
        ? m_rowFirstCell[physicalRow + 1]
        : static_cast<std::uint32_t>(m_cellStarts.size());
    if (index >= end)
        return {};
    const std::uint32_t start = m_cellStarts[index];
    const std::uint32_t stop = index + 1 < end ? m_cellStarts[index + 1] - 1 : m_rowEnd[physicalRow];
    return std::string_view(m_text).substr(start, stop - start);
}

const StwColumn& StwTable::column(int col) const
{
    static const StwColumn none;
    return col >= 0 && static_cast<std::size_t>(col) < m_columns.size() ? m_columns[static_cast<std::size_t>(col)]
                                                                        : none;
}

std::string_view StwTable::cell(int row, int col) const
{
    if (row < 0 || row >= rowCount() || col < 0)
        return {};
    const std::uint32_t p = physical(row);
    if (m_edited[p]) {
        const auto edited = m_edits.find(key(p, col));
        if (edited != m_edits.end())
            return edited->second;
    }
    return storedCell(p, col);
}

void StwTable::setCell(int row, int col, std::string value)
{
    if (row < 0 || row >= rowCount() || col < 0)
        return;
    m_edited[physical(row)] = 1;
    m_edits[key(physical(row), col)] = std::move(value);
}

bool StwTable::marked(int row) const
{
    return row >= 0 && row < rowCount() && m_marked[physical(row)] != 0;
}

void StwTable::setMarked(int row, bool marked)
{
    if (row >= 0 && row < rowCount())
        m_marked[physical(row)] = marked ? 1 : 0;
}

void StwTable::insertRow(int at, const std::vector<std::string>& cells)
{
    if (m_rowEnd.empty())
        return;
    at = std::clamp(at, 1, rowCount());
    const auto p = static_cast<std::uint32_t>(m_rowEnd.size());
    m_rowFirstCell.push_back(noCells);
    m_rowEnd.push_back(0);
    m_marked.push_back(0);
    m_edited.push_back(1);
    m_order.insert(m_order.begin() + at, p);
    for (std::size_t c = 0; c < cells.size(); ++c)
        m_edits[key(p, static_cast<int>(c))] = cells[c];
}

void StwTable::removeRow(int row)
{
    if (row < 1 || row >= rowCount())
        return;
    m_order.erase(m_order.begin() + row);
}

void StwTable::reorderRows(const std::vector<int>& order)
{
    if (order.size() + 1 != m_order.size())
        return;
    std::vector<std::uint32_t> reordered(m_order.size());
    reordered[0] = m_order[0];
    for (std::size_t i = 0; i < order.size(); ++i)
        reordered[i + 1] = m_order[static_cast<std::size_t>(order[i])];
    m_order = std::move(reordered);
}

int StwTable::dataRowCount() const
{
    const int rows = rowCount() - 1;
    return hasNewEntryRow() ? std::max(rows - 1, 0) : std::max(rows, 0);
}

bool StwTable::rowIsEmpty(int row) const
{
    for (int c = 1; c < columnCount(); ++c) {
        if (!StwSave::cellIsEmpty(cell(row, c), column(c).hasList()))
            return false;
    }
    return true;
}

std::optional<std::string_view> StwTable::receivedRow(int row) const
{
    if (row < 0 || row >= rowCount())
        return std::nullopt;
    const std::uint32_t p = physical(row);
    if (m_edited[p] || m_rowFirstCell[p] == noCells)
        return std::nullopt;
    const std::uint32_t start = m_cellStarts[m_rowFirstCell[p]];
    return std::string_view(m_text).substr(start, m_rowEnd[p] - start);
}

std::size_t StwTable::overheadBytes() const
{
    std::size_t edits = 0;
    for (const auto& [k, v] : m_edits)
        edits += sizeof(k) + v.capacity() + 32;
    return m_cellStarts.capacity() * 4 + m_rowFirstCell.capacity() * 4 + m_rowEnd.capacity() * 4
        + m_order.capacity() * 4 + m_marked.capacity() + m_edited.capacity() + edits;
}

} // namespace corvane
