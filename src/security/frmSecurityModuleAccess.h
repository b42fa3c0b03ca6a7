#pragma once

#include "ModuleAccess.h"
#include "frmSecurityPage.h"
#include "grid/CellStyle.h"

class QPushButton;

namespace corvane {

class CorvaneGrid;

/// The Module Access page (frSecurityGrid): the grid of programs by module with their four access columns.
class frmSecurityModuleAccess final : public frmSecurityPage, public GridStyleSource {
    Q_OBJECT
public:
    explicit frmSecurityModuleAccess(QWidget* parent = nullptr);
    ~frmSecurityModuleAccess() override;

    bool loadPage(const SecurityContext& context) override;
    bool hasChanges() const override { return m_access.state() == ModuleAccess::Load::Rows && m_access.changed(); }
    bool canSave() const override;
    std::optional<std::string> savePage(const SecurityContext& context) override;

    const ModuleAccess& access() const { return m_access; }
    CorvaneGrid& grid() const { return *m_grid; }
    /// Whether the page as it stands takes the signed-in operator's right to change security away.
    bool removesSecurityRight() const;
    /// Finds the next cell matching typed after the current one; false when none does.
    bool findFrom(const std::string& typed, bool fromStart);
    /// Scrolls the grid by one row.
    void scrollOneRow(bool up);
    /// Writes the access list as CSV; false, with a message, when the file cannot be written.
    bool exportCsv(const QString& path, const std::string& owner);
    /// Empties the grid.
    void clearPage();

    void GetStyleRowCol(int row, int col, CellStyle& style) override;
    bool StoreValueRowCol(int row, int col, const QString& value) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillGrid();
    void applyWidths();

    ModuleAccess m_access;
    std::string m_owner;
    CorvaneGrid* m_grid = nullptr;
    QPushButton* m_export = nullptr;
    std::array<int, ModuleAccess::columnCount> m_widths {};
};

} // namespace corvane
