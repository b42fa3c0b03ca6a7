#pragma once

#include "CellStyle.h"
#include "DemoDefaults.h"
#include "frmOwnSettingsPage.h"

namespace corvane {

class CorvaneGrid;

/// "Demographics Defaults" (page 9): per field of the demographics window its default value, a shortcut key, and
/// whether it is hidden, a tab stop, or required.
class frmDemoDefaultsPage final : public frmOwnSettingsPage, private GridStyleSource {
    Q_OBJECT
public:
    explicit frmDemoDefaultsPage(QWidget* parent = nullptr);
    ~frmDemoDefaultsPage() override;

    int pageNumber() const override { return 9; }
    bool load() override;
    bool hasChanges() const override { return m_model.changed(); }
    void setWritable(bool writable) override;
    bool save() override;
    QWidget* firstEditor() const override;

    const DemoDefaults& model() const { return m_model; }
    CorvaneGrid* grid() const { return m_grid; }

private:
    void GetStyleRowCol(int row, int col, CellStyle& style) override;
    bool OnValidateCell(int row, int col, QString& value) override;
    bool StoreValueRowCol(int row, int col, const QString& value) override;

    DemoDefaults m_model;
    bool m_writable = false;
    CorvaneGrid* m_grid = nullptr;
};

} // namespace corvane
