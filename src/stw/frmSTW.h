#pragma once

#include "ProgramRights.h"
#include "StwTable.h"
#include "grid/CellStyle.h"

#include <QDialog>

#include <set>
#include <string>
#include <utility>

class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace corvane {

class CorvaneGrid;

/// The STW grid window: a general grid editor whose columns, cells, colours and editors are all described by the
/// server in one data string ("|GET|STW|1|"), posted back with "|SET|STW|" requests.
class frmSTW final : public QDialog, public GridStyleSource {
    Q_OBJECT
public:
    enum State { ViewOnly = 0, Editable = 1, LoadFailed = 3 };

    explicit frmSTW(QWidget* parent = nullptr);
    ~frmSTW() override;

    /// Opens the window with the title: reads the rights, loads and fills the grid, then shows it through the
    /// window runner. Returns false, without showing anything, when the operator may not open it. While the window
    /// is already open it only sets the caption.
    bool STWShow(const QString& title);

    int state() const { return m_state; }
    bool hasUnsavedChanges() const { return m_unsaved; }
    const StwTable& table() const { return m_table; }
    CorvaneGrid& grid() const { return *m_grid; }
    /// Renders the grid's rows onto a printer (what Preview shows).
    void printGrid(QPrinter* printer);

    void GetStyleRowCol(int row, int col, CellStyle& style) override;
    bool StoreValueRowCol(int row, int col, const QString& value) override;
    bool OnValidateCell(int row, int col, QString& value) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void buildWindow();
    void clearBusyMark();
    void readRights();
    void applyStateToButtons();
    void STWGetData();
    void GridFill(const std::string& data);
    void FillcboColumns();
    void reloadData();
    void setStatus(const QString& text);
    void setReady();
    void updateTotals();

    void cmdNewRow_Click();
    void cmdCopyRow_Click();
    void cmdDelRow_Click();
    void cmdOK_Click();
    void cmdRefresh_Click();
    void cmdFind_Click();
    void cmdPreview_Click();
    void grdMain_OnClickedButtonRowCol(int row, int col);
    void grdMain_OnLButtonClickedRowCol(int row, int col);
    void zoomBy(int step);

    bool STWSave();
    bool AskIgnoreChanges();
    void GRIDCheckIfNeedNewRow();
    void GRIDMakeNewRow();
    void GRIDMakeCopyRow();
    bool GRIDValidateDate(QString& value);
    bool GRIDCodesLookup(int row, int col, QString& value);
    bool GridUniqueCheck(const std::string& text, int col, int row);
    void GRIDMarkRequiredCells();
    void ShowFillRequiredStatus();
    /// Writes the lookup-separated parts of a cell's text into it and the cell to its right.
    bool splitLookupResult(int row, int col);
    std::vector<std::string> blankRowCells() const;
    QStringList choiceList(char number) const;
    QColor colourOf(char letter, const QColor& fallback) const;
    int lastEditableRow() const;

    StwTable m_table;
    ProgramRights m_rights;
    int m_state = ViewOnly;
    bool m_busy = false;
    bool m_unsaved = false;
    bool m_leaving = false;
    bool m_invalidEntry = false;
    int m_zoom = 100;
    int m_sortColumn = 0;
    bool m_sortAscending = true;
    QString m_title;
    std::set<std::pair<int, int>> m_requiredCells;
    std::string m_saveText; ///< kept between posts, so a large grid is written into memory it already has

    CorvaneGrid* m_grid = nullptr;
    QPushButton* m_newRow = nullptr;
    QPushButton* m_copyRow = nullptr;
    QPushButton* m_delRow = nullptr;
    QPushButton* m_post = nullptr;
    QPushButton* m_exit = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_zoomIn = nullptr;
    QPushButton* m_zoomOut = nullptr;
    QPushButton* m_resetColumns = nullptr;
    QPushButton* m_preview = nullptr;
    QPushButton* m_find = nullptr;
    QLineEdit* m_findText = nullptr;
    QComboBox* m_columns = nullptr;
    QLabel* m_totalCaption = nullptr;
    QLabel* m_total = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_noData = nullptr;
    QLabel* m_hourglass = nullptr;
};

} // namespace corvane
