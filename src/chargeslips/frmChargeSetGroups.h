#pragma once

#include "grid/CellStyle.h"

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace corvane {

class ChargeSet;
class CorvaneGrid;

/// "Charge Slip Groups": the groups of a set, with their codes, to add, edit or view, delete and reorder.
class frmChargeSetGroups final : public QDialog, public GridStyleSource {
    Q_OBJECT
public:
    frmChargeSetGroups(ChargeSet& set, bool readOnly, QWidget* parent = nullptr);
    ~frmChargeSetGroups() override;

    /// True unless the window was closed with OK (Cancel and the close box leave it set).
    bool cancelled() const { return m_cancelled; }
    int selectedGroup() const;

    void GetStyleRowCol(int row, int col, CellStyle& style) override;
    bool StoreValueRowCol(int, int, const QString&) override { return false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showChargeGroupList(int select);
    void enableButtons();
    void openGroup(int position);
    void cmdDelete_Click();
    void moveGroup(int step);

    ChargeSet& m_set;
    bool m_readOnly;
    bool m_cancelled = true;
    /// The grid's rows: group position and item number (0 for a group's own row).
    std::vector<std::pair<int, int>> m_detailRows;

    QListWidget* m_groups = nullptr;
    CorvaneGrid* m_details = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace corvane
