#pragma once

#include "CellStyle.h"
#include "CustomFormSelection.h"
#include "frmOwnSettingsPage.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace corvane {

class CorvaneGrid;

/// "Custom Forms Setup" (page 17): the forms on the server, which of them the Other Forms menu shows, and the
/// import of a form from its layout file.
class frmCustomFormsPage final : public frmOwnSettingsPage, private GridStyleSource {
    Q_OBJECT
public:
    explicit frmCustomFormsPage(QWidget* parent = nullptr);
    ~frmCustomFormsPage() override;

    int pageNumber() const override { return 17; }
    bool load() override;
    bool hasChanges() const override { return m_forms.changed(); }
    void setWritable(bool writable) override;
    bool save() override;
    QWidget* firstEditor() const override;

    const CustomFormSelection& forms() const { return m_forms; }
    CorvaneGrid* grid() const { return m_grid; }
    /// The list row shown on grid row (from 1), or nothing for the "No Records Found" row.
    std::optional<std::size_t> formAt(int gridRow) const;

    /// Opens "Load Custom Form from file" and reads the list again afterwards, keeping unsaved ticks.
    void cmdLoadFromFile_Click();
    /// Called with the window just made, before it opens (tests drive it from here).
    std::function<void(class frmLoadCustom&)> onLoadWindow;

private:
    bool ShowCodeForSelectCustomForms();
    void ShowActiveRowsOnly();
    void GetStyleRowCol(int row, int col, CellStyle& style) override;
    bool StoreValueRowCol(int row, int col, const QString& value) override;

    CustomFormSelection m_forms;
    std::vector<FormColumn> m_columns;
    std::vector<std::size_t> m_shown;
    bool m_writable = false;

    CorvaneGrid* m_grid = nullptr;
    QCheckBox* m_activeOnly = nullptr;
    QPushButton* m_loadFromFile = nullptr;
};

} // namespace corvane
