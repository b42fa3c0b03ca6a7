#pragma once

#include "GuardedDialog.h"
#include "ProgramRights.h"
#include "StwTable.h"
#include "grid/CellStyle.h"

#include <QDialog>
#include <QLineF>
#include <QRectF>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace corvane {

class CorvaneGrid;

/// The STW grid window: a general grid editor whose columns, cells, colours and editors are all described by the
/// server in one data string ("|GET|STW|1|"), posted back with "|SET|STW|" requests.
class frmSTW final : public GuardedDialog, public GridStyleSource {
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
    /// One text of a printed page, placed in device pixels.
    struct PrintCell {
        QRectF rect;
        QString text;
        Qt::Alignment alignment;
        bool bold = false;
        int check = -1; ///< a check cell: 1 ticked, 0 empty; -1 for text
    };
    struct PrintPage {
        std::vector<PrintCell> cells;
        QLineF headingLine;
    };
    /// What Preview prints, page by page: the title, the date, the headings and "Page n of m" on every page, the
    /// cells as the grid shows them; columns too wide for one page go on to further pages.
    std::vector<PrintPage> printLayout(QPrinter* printer);
    /// Renders printLayout onto a printer.
    void printGrid(QPrinter* printer);

    void GetStyleRowCol(int row, int col, CellStyle& style) override;
    bool StoreValueRowCol(int row, int col, const QString& value) override;
    bool OnValidateCell(int row, int col, QString& value) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool settlePendingChanges() override;

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
    /// Before a post of sorted rows, tells the operator once per window that they are saved in the order shown.
    void tellSortedSaveOrder();
    void GRIDCheckIfNeedNewRow();
    void GRIDMakeNewRow();
    void GRIDMakeCopyRow();
    bool GRIDValidateDate(QString& value);
    bool GRIDCodesLookup(int row, int col, QString& value);
    bool GridUniqueCheck(const std::string& text, int col, int row);
    void GRIDMarkRequiredCells();
    bool isRequiredAndEmpty(int row, int col) const;
    void ShowFillRequiredStatus();
    /// Writes the lookup-separated parts of a code cell's text into it and the cell to its right.
    bool splitLookupResult(int row, int col);
    /// Splits every loaded code cell that holds a looked-up code and its description.
    void splitLookupCells();
    /// Removes the new-entry row below row when row was emptied again, so only one empty row ends the grid.
    void dropSpareNewRow(int row);
    /// The code as the lookup's code table writes it (letter case included); code itself when the table lacks it.
    std::string codeAsListed(const std::string& lookupName, const std::string& code);
    std::vector<std::string> blankRowCells() const;
    QStringList choiceList(char number) const;
    /// The choices of a drop-down cell: the list its number names, else its column's own list.
    QStringList choicesFor(int col, std::string_view cellText) const;
    /// The choice-list number of a column's cells: its position among the columns that carry a list.
    char listNumberOf(int col) const;
    QString printedText(int row, int col, int& check);
    int lastEditableRow() const;

    StwTable m_table;
    ProgramRights m_rights;
    int m_state = ViewOnly;
    bool m_busy = false;
    bool m_unsaved = false;
    bool m_invalidEntry = false;
    bool m_sortNoticeShown = false;
    int m_zoom = 100;
    int m_sortColumn = 0;
    bool m_sortAscending = true;
    QString m_title;
    std::set<std::pair<int, int>> m_requiredCells;
    std::string m_saveText; ///< kept between posts, so a large grid is written into memory it already has
    std::map<std::string, std::vector<std::string>> m_codeTableCodes; ///< per code table, read once per load

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
