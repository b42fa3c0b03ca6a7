#pragma once

#include "StwCellFormat.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// One column of the custom forms list: caption, cell format and width, read from the column definition.
struct FormColumn {
    std::string caption;
    StwCellFormat format;
    int width = 0;
};

/// One form on the server: Active, Form, Descripion, Type, Modified and DocType as the list sends them (further
/// fields are kept), and whether it is shown in the Other Forms menu.
struct CustomFormRow {
    std::vector<std::string> cells;
    bool selected = false;

    const std::string& cell(std::size_t column) const;
    bool active() const { return cell(0) == "1"; }
    const std::string& code() const { return cell(1); }
    const std::string& name() const { return cell(2); }
};

/// The custom forms page: the forms on the server and the ones chosen for the Other Forms menu. Rows hidden by
/// "Active only" keep their ticks; the selection saved is taken from every row.
class CustomFormSelection {
public:
    static constexpr std::string_view columnDefinition = "Active04WZ105\tForm01WZ114\tDescripion01WZ117\tType01WZ106\t"
                                                         "Modified01WZ112\tDocType01WZ107\tSelected *04WZ107";
    static constexpr std::string_view listRequest = "|GET|CUSTFORM|LIST|";
    static constexpr std::string_view selectedRequest = "|GET|CUSTFORM|H|";
    static constexpr std::string_view saveRequestStart = "|SET|CUSTFORM|H|";
    static constexpr std::string_view noRecords = "No Records Found";
    static constexpr std::string_view note
        = "* Selected Custom Forms will be shown in Other Forms menu (applies to Active Forms only).";

    /// The columns of columnDefinition: caption, then five format characters, then two width digits.
    static std::vector<FormColumn> columns();
    /// The index of the "Selected *" column.
    static constexpr std::size_t selectedColumn = 6;

    /// Takes the list (one form per line, fields separated by TAB) and the selected entries (separated by byte 230,
    /// the code first); framing already removed.
    void load(std::string_view list, std::string_view selected);
    bool loaded() const { return m_loaded; }

    const std::vector<CustomFormRow>& rows() const { return m_rows; }
    /// The rows shown: every row, or only the active ones.
    std::vector<std::size_t> shownRows(bool activeOnly) const;
    void setSelected(std::size_t row, bool selected);
    bool changed() const;

    /// The entries of the ticked rows joined by byte 230, no trailing separator. A form that was selected keeps
    /// its entry as the server sent it; selected entries whose form is not in the list are kept too.
    std::string saveText() const;
    std::string saveRequest() const { return std::string(saveRequestStart) + saveText(); }
    /// The save was stored: what is ticked now is what was loaded.
    void markSaved();

    /// CustomFormIDExists and CustomFormNameExists: a form with that code or name is on the server (letter case
    /// ignored, as the server compares them).
    bool codeExists(std::string_view code) const;
    bool nameExists(std::string_view name) const;

private:
    std::vector<CustomFormRow> m_rows;
    std::vector<bool> m_loadedTicks;
    std::vector<std::string> m_entries; ///< the selected entries as loaded
    bool m_loaded = false;
};

} // namespace corvane
