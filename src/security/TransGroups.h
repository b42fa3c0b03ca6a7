#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// A field that transaction groups may hold: "CODE-Description" in the reply's field list.
struct TransField {
    std::string code;
    std::string description;
    std::string entry; ///< as the drop-down shows it: the list entry as received
};

/// The transaction groups setup (MODG): the selectable fields and the group rows. Cells hold codes: column 0 is
/// the group code (shown as received, not chosen), columns 1 to 4 field codes. A code the field list does not
/// offer is kept as received, shown raw and sent back unchanged.
class TransGroups {
public:
    static constexpr int shownRows = 5;
    static constexpr int columnCount = 5;
    static constexpr std::string_view headerFormat = "01WZ1";
    static constexpr std::string_view cellFormat = "03WZ0";
    static constexpr std::string_view duplicateText = "This field has already been selected";

    /// "|GET|MODG|0" or "|GET|MODG|1" (anesthesia).
    static std::string readRequest(bool anesthesia);
    /// The header captions: "Groups", "Field 1" to "Field 4".
    static std::string caption(int column);

    /// Reads a reply: the first record (after one empty leading record, if any) is the field list, entries
    /// separated by ":" and split at their first "-"; every further record a row of tab-separated codes. False,
    /// and nothing loaded, on a failed reply.
    bool load(std::string_view reply);

    const std::vector<TransField>& fields() const { return m_fields; }
    /// The drop-down choices: an empty entry, then the field list entries, separated by LF.
    std::string choiceList() const;
    /// At least shownRows rows; more when the reply holds more.
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    /// The codes a row received beyond the columns shown are kept and sent back.
    const std::string& code(int row, int col) const;
    /// What a cell shows: the field list entry of its code, or the code itself when the list has no such entry.
    std::string display(int row, int col) const;
    /// Whether the received row had fewer fields than the grid has columns.
    bool shortRow(int row) const;

    /// The field list entry a code names, or nothing.
    const TransField* fieldFor(std::string_view code) const;
    /// True when a field cell other than (row, col) already holds code (empty codes never clash).
    bool heldElsewhere(std::string_view code, int row, int col) const;
    /// Puts a field code (or nothing) into a field cell (columns 1 to 4); false, and nothing changed, when another
    /// cell holds it already or the cell is not a field cell.
    bool setCode(int row, int col, std::string code);
    bool changed() const { return m_changed; }

    /// Rows separated by byte 230, cells by tab; the empty text when no cell holds a code.
    std::string saveData() const;
    /// "|SET|MODG|0|" or "|SET|MODG|1|" and the save data.
    std::string saveRequest(bool anesthesia) const;

private:
    std::vector<TransField> m_fields;
    std::vector<std::vector<std::string>> m_rows;
    std::vector<bool> m_short;
    bool m_changed = false;
};

} // namespace corvane
