#pragma once

#include "StwColumn.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

/// The cells of an STW data string, kept as offsets into the received text. Rows end at byte 230 and cells are
/// separated by tabs; CR LF between reply lines carries no meaning and is dropped, CR LF inside a cell is kept. Edited
/// cells are kept aside, rows are reordered through an order vector, so loading copies the text once and nothing per
/// cell.
///
/// Rows count from 0 (the header row); columns from 0 (the row-header field, which carries no format code).
class StwTable {
public:
    /// Reads data. Without a byte 230 nothing changes and false is returned. The last row is the new-entry row:
    /// kept as the last row when keepNewEntryRow, dropped otherwise (the header row is never dropped).
    bool load(std::string data, bool keepNewEntryRow);
    void clear();

    int rowCount() const { return static_cast<int>(m_order.size()); }
    /// Columns as the header row's fields count them, column 0 included.
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    /// The column description of column col (1 to columnCount() - 1); column 0 has an empty one.
    const StwColumn& column(int col) const;
    /// The full cell string (text and code); the header's cells are caption and code; empty past a row's end.
    std::string_view cell(int row, int col) const;
    std::string_view text(int row, int col) const { return StwCellFormat::textOf(cell(row, col)); }
    StwCellFormat format(int row, int col) const { return StwCellFormat::of(cell(row, col)); }
    void setCell(int row, int col, std::string value);

    bool marked(int row) const;
    void setMarked(int row, bool marked);

    /// Inserts a row before row at (rowCount() appends) whose cells are the given strings.
    void insertRow(int at, const std::vector<std::string>& cells);
    void removeRow(int row);
    /// Reorders the data rows: order[i] is the current row number of the row that becomes row i + 1.
    void reorderRows(const std::vector<int>& order);

    /// The cells of the row the server offered for a new entry, or an empty list when it sent none.
    const std::vector<std::string>& newEntryTemplate() const { return m_newEntryTemplate; }
    /// Whether the last row is the new-entry row (kept when adding is allowed).
    bool hasNewEntryRow() const { return m_keepsNewEntryRow && rowCount() > 1; }
    /// Data rows not counting the new-entry row.
    int dataRowCount() const;
    /// The data rows the server sent at the last load, the new-entry row not counted.
    int receivedRowCount() const { return m_receivedRows; }
    /// True when no cell of the row from column 1 on holds anything a post would send (StwSave::cellIsEmpty).
    bool rowIsEmpty(int row) const;

    /// The row's received text from its first cell to its end, when none of its cells has been edited since;
    /// nothing otherwise (added rows, edited rows). Finding and saving read whole rows through it.
    std::optional<std::string_view> receivedRow(int row) const;
    /// Calls visit(col, cell) for columns from..to of the row, walking the received text once where it can.
    template<typename Visit> void forEachCell(int row, int from, int to, Visit&& visit) const;

    /// Bytes held beyond the text itself: offsets, order and flags.
    std::size_t overheadBytes() const;
    std::size_t textBytes() const { return m_text.capacity(); }

private:
    std::uint32_t physical(int row) const { return m_order[static_cast<std::size_t>(row)]; }
    std::uint32_t cellsIn(std::uint32_t physicalRow) const;
    std::string_view storedCell(std::uint32_t physicalRow, int col) const;
    static std::uint64_t key(std::uint32_t physicalRow, int col)
    {
        return (static_cast<std::uint64_t>(physicalRow) << 32) | static_cast<std::uint32_t>(col);
    }

    std::string m_text;
    std::vector<std::uint32_t> m_cellStarts;
    std::vector<std::uint32_t> m_rowFirstCell; ///< per physical row; noCells for rows added since loading
    std::vector<std::uint32_t> m_rowEnd;
    std::vector<std::uint32_t> m_order;
    std::vector<std::uint8_t> m_marked;
    std::vector<std::uint8_t> m_edited; ///< per physical row: one of its cells is in m_edits
    std::unordered_map<std::uint64_t, std::string> m_edits;
    std::vector<StwColumn> m_columns;
    std::vector<std::string> m_newEntryTemplate;
    bool m_keepsNewEntryRow = false;
    int m_receivedRows = 0;

    static constexpr std::uint32_t noCells = 0xFFFFFFFFu;
};

template<typename Visit> void StwTable::forEachCell(int row, int from, int to, Visit&& visit) const
{
    const auto span = receivedRow(row);
    if (!span) {
        for (int col = from; col <= to; ++col)
            visit(col, cell(row, col));
        return;
    }
    std::string_view rest = *span;
    int col = 0;
    while (col <= to) {
        const std::size_t tab = rest.find('\t');
        const std::string_view current = rest.substr(0, tab);
        if (col >= from)
            visit(col, current);
        ++col;
        if (tab == std::string_view::npos)
            break;
        rest.remove_prefix(tab + 1);
    }
    for (; col <= to; ++col) {
        if (col >= from)
            visit(col, std::string_view());
    }
}

/// Removes in place the CR LF pairs that joined reply lines: those at either end of the data and next to a byte 230.
/// Line breaks inside a cell's text stay.
void removeLineFraming(std::string& data);
/// Calls onSeparator(offset, isRecordEnd) for every tab and byte 230 of data, in order.
template<typename OnSeparator> void scanSeparators(std::string_view data, OnSeparator&& onSeparator);

} // namespace corvane

#include "StwScan.h"
