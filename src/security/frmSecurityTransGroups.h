#pragma once

#include "TransGroups.h"
#include "frmSecurityPage.h"
#include "grid/CellStyle.h"

class QLabel;

namespace corvane {

class CorvaneGrid;

/// The Transaction groups setup page (frTransGroups): the modify-transaction fields sorted into groups.
class frmSecurityTransGroups final : public frmSecurityPage, public GridStyleSource {
    Q_OBJECT
public:
    explicit frmSecurityTransGroups(QWidget* parent = nullptr);
    ~frmSecurityTransGroups() override;

    bool loadPage(const SecurityContext& context) override;
    bool hasChanges() const override { return m_groups.changed(); }
    bool canSave() const override { return m_editable; }
    std::optional<std::string> savePage(const SecurityContext& context) override;

    const TransGroups& groups() const { return m_groups; }
    CorvaneGrid& grid() const { return *m_grid; }

    void GetStyleRowCol(int row, int col, CellStyle& style) override;
    bool StoreValueRowCol(int row, int col, const QString& value) override;
    bool OnValidateCell(int row, int col, QString& value) override;

private:
    /// The code a shown choice stands for: the field whose list entry it is, else the text itself.
    std::string codeOf(const QString& shown) const;

    TransGroups m_groups;
    bool m_editable = false;
    QStringList m_choices;
    QLabel* m_explain = nullptr;
    QLabel* m_note = nullptr;
    CorvaneGrid* m_grid = nullptr;
};

} // namespace corvane
