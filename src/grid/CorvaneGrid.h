#pragma once

#include "CellStyle.h"

#include <QPointer>
#include <QTableView>

#include <functional>
#include <vector>

class QKeyEvent;

namespace corvane {

class GridModel;
class GridDelegate;

/// The library's one grid. It holds no cell data: it asks its owner (a GridStyleSource) for each cell it shows.
/// Rows and columns count from 0: row 0 is the column-header row and column 0 the row-header column, as the
/// windows address them; rowCount() and columnCount() are the numbers of data rows and columns after them.
class CorvaneGrid : public QTableView {
    Q_OBJECT
public:
    explicit CorvaneGrid(QWidget* parent = nullptr);
    ~CorvaneGrid() override;

    void setStyleSource(GridStyleSource* source);
    GridModel& model() const { return *m_model; }

    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }
    void setRowCount(int rows);
    void setColumnCount(int columns);

    /// Width of a column at zoom 100 (column 0: the row headers); the grid scales it by the zoom.
    void setColumnWidth(int col, int width);
    int columnWidth(int col) const;

    /// The current cell, or (0, 0) when there is none.
    void currentCell(int& row, int& col) const;
    bool setCurrentCell(int row, int col);
    void scrollCellIntoView(int row, int col);

    /// Sets the zoom in percent (10 to 600); fonts, row heights and column widths scale together.
    bool setZoom(int percent);
    int zoom() const { return m_zoom; }
    QFont zoomedFont(const QFont& font) const;

    /// Stops repainting until unlocked; unlocking repaints once.
    void lockPainting(bool locked);
    /// Asks the owner again for every visible cell.
    void redraw();
    void takeFocus();
    /// Opens the current cell's editor, as a key press or double click would.
    void editCurrentCell();
    /// True while a cell editor is open.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    /// Settles the open editor, if any, as leaving the cell would: its text is validated and stored and the editor
    /// closes. False, with the editor still open and its text kept, when the owner refuses the text.
    bool commitEditor();
    /// Takes a value chosen for a cell (a lookup or the calendar): through the cell's open editor when there is one,
    /// so the editor closes with it, otherwise as setValue does.
    bool acceptValue(int row, int col, const QString& value);
    /// Moves the current cell on as Tab does (right, then to the next row).
    void moveToNextCell();
    /// Gives the focus to the window's next (or previous) control, as Ctrl+Tab does.
    void leaveGrid(bool forward);
    /// A widget covering the cell's rectangle, for pop-ups that open next to the cell; the open editor when it is on
    /// that cell.
    QWidget* cellAnchor(int row, int col);
    /// True while the owner handles a cell button (F4, the editor's button): the editor keeps its text meanwhile.
    bool inCellButton() const { return m_inCellButton; }

    /// The value the owner shows in a cell.
    QString value(int row, int col) const;
    /// Sets a cell's value through the owner, as if the operator had entered it (validation included).
    bool setValue(int row, int col, const QString& value);

    /// The text of the open editor, or the current cell's value when no editor is open.
    QString activeEditorText() const;
    /// Colour painted under disabled cells (grid colour 4); grid lines use colour 0.
    void setGridColour(int index, const QColor& colour);
    QColor disabledColour() const { return m_disabledColour; }

    /// Handles key presses before the grid does; return true to swallow the key.
    std::function<bool(QKeyEvent*)> keyDownHook;

    // Used by the model and the delegate.
    bool commitValue(int row, int col, const QString& value);
    bool toggleCheck(int row, int col);
    bool validateEditor(QWidget* editor);
    void pressCellButton(int row, int col);
    void editorOpened(QWidget* editor);
    bool validating() const { return m_validating; }

Q_SIGNALS:
    void startEditing(int row, int col);
    void endEditing(int row, int col);
    void modifyCell(int row, int col);
    void initCurrentCell(int row, int col);
    void leftCell(int row, int col);
    void clickedButton(int row, int col);
    void leftClick(int row, int col);
    void leftButtonHit(int row, int col);
    void mouseMoveOver(int row, int col);
    void focusIn();
    void focusOut();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Typing in a cell edits it; it never jumps to another row that starts with the typed text.
    void keyboardSearch(const QString& search) override;

private:
    QWidget* openEditor() const { return m_editor; }
    bool isToggleable(int row, int col) const;
    void applyZoom();

    GridModel* m_model;
    GridDelegate* m_delegate;
    int m_rows = 0;
    int m_columns = 0;
    int m_zoom = 100;
    QFont m_baseFont;
    int m_baseRowHeight = 0;
    std::vector<int> m_baseWidths;
    QColor m_disabledColour;
    QPointer<QWidget> m_editor;
    int m_lockDepth = 0;
    bool m_validating = false;
    bool m_inCellButton = false;
    QPointer<QWidget> m_anchor;
    int m_validatedRow = -1;
    int m_validatedCol = -1;
    QString m_validatedText;
};

/// Empties a grid: row and column counts 0, then one repaint.
void clearGrid(CorvaneGrid& grid);

} // namespace corvane
