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
///
/// The reply is kept once and every row's texts are offsets into it; what the operator changes are the access
/// cells, which live apart in the modules, so loading allocates nothing per row.
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
    /// after the last byte 230 ignored. With mayEdit false nothing is ever enabled. The page keeps the text: handed
    /// over as a std::string it is not copied.
    Load load(std::string reply, bool mayEdit);
    Load load(std::string_view reply, bool mayEdit) { return load(std::string(reply), mayEdit); }
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
    /// The texts of a data row; an empty row outside 1 to rowCount().
    AccessRow row(int row) const;
    /// The texts the grid shows of a data row, without looking up the rest.
    std::string_view module(int row) const { return inRange(row) ? module(m_rows[rowIndex(row)]) : std::string_view(); }
    std::string_view program(int row) const
    {
        return inRange(row) ? program(m_rows[rowIndex(row)]) : std::string_view();
    }
    std::string_view description(int row) const
    {
        return inRange(row) ? description(m_rows[rowIndex(row)]) : std::string_view();
    }
    bool isHeader(int row) const { return row >= 1 && row <= rowCount() && m_rows[rowIndex(row)].isHeader(); }
    /// The text the grid holds: header cells are title and format code; a header row's module and program cells
    /// carry byte 231, program descriptions four blanks in front; access cells "1" or "0".
    std::string cellText(int row, int col) const;
    /// An access cell (col 3 to 6) of a data row; a neutral cell elsewhere.
    const AccessCell& access(int row, int col) const
    {
        const AccessCells* cells = cellsOf(row);
        return cells && col >= 3 && col < 3 + accessColumnCount ? (*cells)[static_cast<std::size_t>(col - 3)] : noCell;
    }
    /// The state a header row's access cell shows; None for other cells.
    HeaderState headerState(int row, int col) const
    {
        if (!isHeader(row) || col < 3 || col >= 3 + accessColumnCount)
            return HeaderState::None;
        return m_headerStates[static_cast<std::size_t>(m_rows[rowIndex(row)].group)][static_cast<std::size_t>(col - 3)];
    }

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
    /// A piece of m_text.
    struct Span {
        std::uint32_t start = 0;
        std::uint32_t size = 0;
    };
    /// A row as offsets into m_text: its first field (five hidden characters, then the module text) runs from start
    /// to moduleEnd, each further field from one past the previous end. The rare extra fields and lock lists are
    /// kept aside, by row.
    struct RowEntry {
        std::uint32_t start = 0;
        std::uint32_t moduleEnd = 0;
        std::uint32_t programEnd = 0;
        std::uint32_t descriptionEnd = 0;
        std::int32_t group = -1;
        std::int32_t index = -1; ///< program index in the group, -1 for its header row
        std::uint8_t fields = 0; ///< fields the record carried, at most eight
        bool blankProgram = false;

        bool isHeader() const { return fields < 2 || blankProgram; }
        bool complete() const { return fields >= 7; }
    };
    static constexpr std::uint32_t hiddenLength = 5;
    using Locks = std::vector<std::pair<std::string_view, std::uint8_t>>;
    using RowSpans = std::vector<std::pair<std::uint32_t, Span>>; ///< by row index, ascending

    static std::size_t rowIndex(int row) { return static_cast<std::size_t>(row - 1); }
    bool inRange(int row) const { return row >= 1 && row <= rowCount(); }
    std::string_view text(Span span) const { return std::string_view(m_text).substr(span.start, span.size); }
    std::string_view text(std::uint32_t from, std::uint32_t to) const
    {
        return from < to ? std::string_view(m_text.data() + from, to - from) : std::string_view();
    }
    Span span(std::string_view piece) const
    {
        if (piece.empty())
            return {};
        return {static_cast<std::uint32_t>(piece.data() - m_text.data()), static_cast<std::uint32_t>(piece.size())};
    }
    std::string_view module(const RowEntry& row) const { return text(row.start + hiddenLength, row.moduleEnd); }
    std::string_view program(const RowEntry& row) const
    {
        return row.isHeader() ? std::string_view() : text(row.moduleEnd + 1, row.programEnd);
    }
    std::string_view description(const RowEntry& row) const
    {
        return row.fields > 2 ? text(row.programEnd + 1, row.descriptionEnd) : std::string_view();
    }
    std::string_view aside(const RowSpans& spans, int row) const;
    struct Reading;
    Load read(std::size_t firstBreak);
    void readRecord(std::uint32_t start, std::uint32_t end, const std::uint32_t* tabs, std::size_t tabCount,
                    Reading& reading);
    void readFields(std::uint32_t start, std::uint32_t end, const std::uint32_t* tabs, std::size_t tabCount,
                    RowEntry& entry, AccessCells& cells, Locks& rowLocks);
    const AccessCells* cellsOf(int row) const
    {
        if (!inRange(row))
            return nullptr;
        const RowEntry& entry = m_rows[rowIndex(row)];
        const ModuleCells& cells = m_groups[static_cast<std::size_t>(entry.group)].cells;
        return entry.index < 0 ? &cells.header : &cells.programs[static_cast<std::size_t>(entry.index)];
    }
    /// Keeps what the header cells of a group show, asked for on every paint, in step with its cells.
    void refreshHeaderStates(std::size_t group);
    static const AccessCell noCell;
    void closeGroup(Reading& reading);
    Load fail(std::string text);

    std::string m_text; ///< the reply without line breaks; every row's texts point into it
    std::array<AccessColumn, columnCount> m_columns;
    std::vector<RowEntry> m_rows;
    RowSpans m_extras;
    RowSpans m_lockLists;
    std::vector<ModuleGroup> m_groups;
    std::vector<HeaderStates> m_headerStates; ///< per group
    std::vector<std::pair<std::size_t, ModuleCells>> m_loaded; ///< modules changed since loading, as loaded, by group
    std::string m_failure;
    Load m_state = Load::Failed;
    bool m_mayEdit = false;
};

/// The numbers 1 to 4 a lock list names for each program code: entries "CODE=n[,n]..." separated by TAB.
/// Nothing when text is not entirely in that form (an empty text is an empty list).
std::optional<std::vector<std::pair<std::string_view, std::uint8_t>>> readLockList(std::string_view text);

} // namespace corvane
