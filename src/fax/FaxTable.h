#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The rows of one fax listing as received, held compactly: each chunk's record lines in one block of text and a
/// 16-bit offset per cell, so a row costs little more than its reply bytes and a further chunk never moves the rows
/// already held.
class FaxTable {
public:
    /// Forgets the rows and the headings.
    void clear();
    /// Sets the headings from a header line split at TABs. The first becomes "Select" followed by the suffix of
    /// the second; the rest are kept as received.
    void setHeadings(const std::vector<std::string_view>& headings);
    /// Appends record lines (TAB-separated, in heading order); returns the number of rows added.
    int append(const std::vector<std::string_view>& records);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int columnCount() const { return static_cast<int>(m_headings.size()); }
    /// A heading with its suffix; empty outside the table.
    std::string_view heading(int col) const;
    /// A cell as received, suffix included (rows and columns from 0); empty outside the table or past the fields
    /// its line holds.
    std::string_view cell(int row, int col) const;
    /// The first column whose heading (suffix removed) equals one of the names in any letter case; -1 when none.
    int findColumn(std::initializer_list<std::string_view> names) const;
    /// Bytes held for the rows: text, row entries and offsets, capacity included.
    std::size_t bytesHeld() const;

private:
    struct Row {
        std::uint32_t block;
        std::uint32_t start;
        std::uint32_t length;
        std::uint32_t firstOffset; ///< index of this row's first entry in m_offsets
    };
    static constexpr std::uint16_t absent = 0xFFFF;

    std::vector<std::string> m_headings;
    std::vector<std::string> m_blocks;
    std::vector<Row> m_rows;
    /// Start of cells 1 .. columns-1 relative to the row start; absent past the fields the line holds.
    std::vector<std::uint16_t> m_offsets;
};

} // namespace corvane
