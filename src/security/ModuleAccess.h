#pragma once

#include "AccessRules.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// One column of the Module Access grid as the reply's header record describes it.
struct AccessColumn {
    std::string title; ///< shown in the header cell
    std::string format; ///< the five-character cell format code after the title
    int width = 0; ///< the two digits after the format code, in characters

    /// The width the column is shown at, in characters: column 0 is hidden, the program code takes at most 8,
    /// the description at least 32.
    int shownWidth(int column) const;
};

/// One data row of the Module Access reply, as views into the reply the page keeps: valid until the page loads
/// again or is cleared.
struct AccessRow {
    std::string_view hidden; ///< the five characters before the module text
    std::string_view module;
    std::string_view program; ///< empty on a module header row
    std::string_view description;
    std::string_view extra; ///< an eighth field: kept, never shown or saved
    std::string_view lockList; ///< as received, without its colon
    bool complete = true; ///< false when the row carried fewer than four access fields: then locked and not saved

    bool isHeader() const { return program.empty(); }
};

/// A module of the grid: consecutive rows of one module text, starting at its header row when it has one (its
/// texts are those of row(firstRow)).
struct ModuleGroup {
    int firstRow = 1; ///< grid row (rows count from 1)
    int rowCount = 0;
    ModuleCells cells;
};

struct GridCell {
    int row = 0;
    int column = 0;
    bool operator==(const GridCell&) const = default;
};

/// The Module Access page (SECL): reads the reply, holds rows, locks and modules, runs the module rules on clicks
/// and writes the save text. Grid rows count from 1 (row 0 is the header), columns from 0 as the grid shows them:
/// 0 module (hidden), 1 program code, 2 description, 3 to 6 access, 7 the extra field (hidden).
class ModuleAccess {
public:
    enum class Load {
        Rows, ///< rows to show
        NoRows, ///< a header and no rows: the page shows "No data has been received." and cannot be saved
        Failed, ///< nothing usable; failureText() says what was received
    };
    static constexpr int columnCount = 7;
    static constexpr std::string_view noDataText = "No data has been received.";

    /// "|GET|SECL|" kind "|" code "|" (kind O, G or S).
    static std::string readRequest(std::string_view kind, std::string_view code);

    /// Reads a reply: the lines of a DirectComm reply (framing lines included) or its text. Records end at
    /// byte 230; CR LF between lines carries no meaning; "|OK||" in front of the header is dropped and the text
    /// after the last byte 230 ignored. With mayEdit false nothing is ever enabled.
    Load load(std::string_view reply, bool mayEdit);
    Load load(const std::vector<std::string>& lines, bool mayEdit);
    void clear();

    Load state() const { return m_state; }
    /// For Failed: "Error in frmSecurity_LoadGrid", a line break, "data received for GRID: " and the header record,
    /// the server's error line, or "No data has been received.".
    const std::string& failureText() const { return m_failure; }
    bool mayEdit() const { return m_mayEdit; }

    const AccessColumn& column(int col) const;
    /// Data rows (grid rows 1 to rowCount()).
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const AccessRow& row(int row) const;
    bool isHeader(int row) const { return row >= 1 && row <= rowCount() && this->row(row).isHeader(); }
    /// The text the grid holds: header cells are title and format code; a header row's module and program cells
    /// carry byte 231, program descriptions four blanks in front; access cells "1" or "0".
    std::string cellText(int row, int col) const;
    /// An access cell (col 3 to 6) of a data row; a neutral cell elsewhere.
    const AccessCell& access(int row, int col) const;
    /// The state a header row's access cell shows; None for other cells.
    HeaderState headerState(int row, int col) const;

    /// The operator clicked an access cell: it changes and the module rules run. False when it may not change.
    bool click(int row, int col);

    const std::vector<ModuleGroup>& groups() const { return m_groups; }
    /// The group a row belongs to, or -1.
    int groupOf(int row) const;

    /// True when an access cell differs from what was loaded.
    bool changed() const;
    /// Rows that can be saved: program rows that carried all four access fields.
    bool hasProgramRows() const;
    /// The save data: per program row an empty field, the code, an empty field and the four access values,
    /// tab-separated, each ended by byte 230. Nothing when there is no program row.
    std::optional<std::string> saveData() const;
    /// "|SET|SECL|" kind "|" code "|" and the save data; nothing when there is no program row.
    std::optional<std::string> saveRequest(std::string_view kind, std::string_view code) const;

    /// The next cell after `after` whose code or description matches typed ("abc" anywhere, "abc*" at the start,
    /// "*abc" at the end; letter case and surrounding blanks never matter). Row by row, columns 1 and 2;
    /// {0, 2} searches from the start. Nothing when typed is empty or nothing matches.
    std::optional<GridCell> findNext(std::string_view typed, GridCell after) const;

private:
    struct Place {
        std::int32_t group = -1;
        std::int32_t index = -1; ///< program index in the group, -1 for its header row
    };
    const AccessCells* cellsOf(int row) const;
    void closeGroup(std::vector<std::pair<std::string_view, std::uint8_t>>& locks);
    Load fail(std::string text);

    std::array<AccessColumn, columnCount> m_columns;
    std::vector<AccessRow> m_rows;
    std::vector<Place> m_places;
    std::vector<ModuleGroup> m_groups;
    std::vector<std::uint8_t> m_loaded; ///< per row: the access bits as loaded
    std::string m_failure;
    Load m_state = Load::Failed;
    bool m_mayEdit = false;
};

/// The numbers 1 to 4 a lock list names for each program code: entries "CODE=n[,n]..." separated by TAB.
/// Nothing when text is not entirely in that form (an empty text is an empty list).
std::optional<std::vector<std::pair<std::string_view, std::uint8_t>>> readLockList(std::string_view text);

} // namespace corvane
