#pragma once

#include "ApptDefaults.h"
#include "CellStyle.h"
#include "frmOwnSettingsPage.h"

#include <optional>

class QCheckBox;
class QPushButton;

namespace corvane {

class CorvaneGrid;

/// Page 11: the appointment defaults grid, with "Defaults" (the standard defaults, not saved until Save) and
/// "Tabs only" (only the columns that name and show the tabs).
class frmSchTabsPage final : public frmOwnSettingsPage, public GridStyleSource {
    Q_OBJECT
public:
    explicit frmSchTabsPage(QWidget* parent = nullptr);

    int pageNumber() const override { return 11; }
    bool load() override;
    bool hasChanges() const override { return m_grid && m_grid->changed(); }
    void setWritable(bool writable) override;
    bool save() override;
    QWidget* firstEditor() const override;

    const std::optional<ApptDefaults>& model() const { return m_grid; }
    CorvaneGrid* grid() const { return m_view; }

    /// "Defaults": asks, then shows the standard defaults as edits.
    void cmdResetApptGrid_Click();

    void GetStyleRowCol(int row, int col, CellStyle& style) override;
    bool StoreValueRowCol(int row, int col, const QString& value) override;
    bool OnValidateCell(int row, int col, QString& value) override;

private:
    /// Reads the grid (the standard defaults when defaults is set); nothing when the read failed.
    std::optional<ApptDefaults> ShowSchTabs(bool defaults);
    void fillGrid();
    void applyTabsOnly();

    std::optional<ApptDefaults> m_grid;
    CorvaneGrid* m_view = nullptr;
    QPushButton* m_defaults = nullptr;
    QCheckBox* m_tabsOnly = nullptr;
    bool m_writable = false;
};

} // namespace corvane
