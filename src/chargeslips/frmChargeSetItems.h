#pragma once

#include "grid/CellStyle.h"

#include <QDialog>

#include <string>
#include <utility>
#include <vector>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvane {

class ChargeSet;
class CorvaneGrid;

/// "Charge Group Details": the name, type and codes of one group, for a new group or an existing one.
class frmChargeSetItems final : public QDialog, public GridStyleSource {
    Q_OBJECT
public:
    /// groupPosition 0 edits a new group, which OK adds at the end of the set.
    frmChargeSetItems(ChargeSet& set, bool readOnly, int groupPosition, QWidget* parent = nullptr);
    ~frmChargeSetItems() override;

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const std::pair<std::string, std::string>& row(int index) const { return m_rows[static_cast<std::size_t>(index)]; }
    CorvaneGrid& grid() const { return *m_grid; }

    void GetStyleRowCol(int row, int col, CellStyle& style) override;
    bool StoreValueRowCol(int row, int col, const QString& value) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showGroupDetails();
    void refreshGrid();
    /// Looks the typed text up as a code of the group's type and fills the row; false when no type is chosen.
    bool lookUpCode(int row, const std::string& typed);
    /// F4 or the cell button: looks up what the cell's editor holds (or the stored code) and settles the cell.
    void codeButton(int row);
    /// Makes the next row's code cell current (the same row on the last one) and gives the grid the focus.
    void moveToNextCode(int row);
    std::string chosenType() const;
    void cmdInsert_Click();
    void cmdDelRow_Click();
    void moveRow(int step);
    void cmdOK_Click();
    void getCurrentGroupDetails(class ChargeSetGroup& group) const;

    ChargeSet& m_set;
    bool m_readOnly;
    int m_groupPosition;
    std::vector<std::pair<std::string, std::string>> m_rows;

    QLineEdit* m_name = nullptr;
    QRadioButton* m_diagnosis = nullptr;
    QRadioButton* m_procedures = nullptr;
    CorvaneGrid* m_grid = nullptr;
    QPushButton* m_insert = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace corvane
