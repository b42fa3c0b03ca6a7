#pragma once

#include "StwCellFormat.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// One cell of the appointment defaults grid as the server sends it: the value, then the five-character format code
/// and two digits, the longest value the cell takes ("00": no limit; in the header row, the column's width).
struct ApptCell {
    std::string value;
    StwCellFormat format;
    int limit = 0;

    /// A cell string; one shorter than the seven trailing characters is taken as a value without a format.
    static ApptCell read(std::string_view cell);
    /// The cell string again.
    std::string text() const;
};

/// The appointment defaults grid without widgets. Line 0 of the reply is the header, each further line one row of
/// TAB-separated cells for the grid's columns 1 to the last; column 1 names the row and is not written back.
class ApptDefaults {
public:
    static constexpr std::string_view readRequest = "|GET|ASDATA|22|";
    static constexpr std::string_view defaultsRequest = "|GET|ASDATA|22|DEF|";
    static constexpr std::string_view writePrefix = "|SET|ASDATA|22|";
    static constexpr char rowEnd = '\x01';
    static constexpr std::string_view defaultsQuestion
        = "Replace the appointment defaults shown with the standard defaults?\r\nNothing is stored until you save.";
    static constexpr std::string_view saveFailed = "mcomm.GetServerStringData failed in frmSysSettings.SaveSchTabData";

    /// The grid of a line reply, its "|OK||" and "|END|" framing set aside; nothing for an error or a reply without
    /// a header (error tells why).
    static std::optional<ApptDefaults> read(const std::vector<std::string>& lines, std::string* error = nullptr);

    /// Columns 1 to the last (the header's cells).
    int columnCount() const { return static_cast<int>(m_header.size()); }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    /// The header cell of grid column col (1 to columnCount()).
    const ApptCell& header(int col) const { return m_header.at(static_cast<std::size_t>(col - 1)); }
    /// The cell at grid row row and column col, both counted from 1.
    const ApptCell& cell(int row, int col) const;
    /// Why value cannot go into the cell, or nothing (a separator, more than the cell's limit, a number out of range).
    std::optional<std::string> refusal(int row, int col, std::string_view value) const;
    /// Stores value; false when refused or the cell does not exist or is the row's name.
    bool setValue(int row, int col, std::string value);
    bool changed() const;
    /// Takes other's values as the page's edits: the rows loaded stay the rows compared against.
    void takeValues(const ApptDefaults& other);

    /// The data written back: per row, TAB and the value of every column from 2 to the last, then byte 1.
    std::string saveData() const;
    std::string writeRequest() const { return std::string(writePrefix) + saveData(); }
    /// What was stored becomes what was loaded.
    void markSaved() { m_loaded = m_rows; }

private:
    std::vector<ApptCell> m_header;
    std::vector<std::vector<ApptCell>> m_rows;
    std::vector<std::vector<ApptCell>> m_loaded;
};

} // namespace corvane
