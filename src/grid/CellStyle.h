#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

namespace corvane {

/// The editor a grid cell uses.
enum class CellEditor {
    Text, ///< plain text
    TextButton, ///< text with a button (dates, lookups); the button emits clickedButton
    DropDown, ///< choose one of the choice list
    CheckBox, ///< "1" checked, "2" partly (some of what it stands for), anything else unchecked; click and Space toggle
    List, ///< the choice list offered, any text allowed
    Numeric, ///< digits and decimals as set by numericDigits / numericDecimals
    Masked, ///< text through an input mask
};

/// One cell's look and behaviour as the grid's owner describes it (the GetStyleRowCol pattern). The grid keeps one
/// of these and hands it to the owner, reset, for every cell it needs; it stores no cell data of its own.
struct CellStyle {
    CellEditor editor = CellEditor::Text;
    QString value;
    QStringList choices;
    QColor background; ///< invalid: the grid's default
    QColor textColour; ///< invalid: the grid's default
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool enabled = true; ///< the cell can become current and be edited
    bool readOnly = false; ///< the cell can become current but not change
    bool hasFont = false;
    QFont font;
    QString toolTip;
    QString mask;
    int numericDigits = 9; ///< digits before the decimal point
    int numericDecimals = 2;

    void reset()
    {
        editor = CellEditor::Text;
        value.clear();
        choices.clear();
        background = QColor();
        textColour = QColor();
        alignment = Qt::AlignLeft | Qt::AlignVCenter;
        enabled = true;
        readOnly = false;
        hasFont = false;
        toolTip.clear();
        mask.clear();
        numericDigits = 9;
        numericDecimals = 2;
    }
};

/// The owner of a grid: answers style requests and stores changed values. Rows and columns count from 0;
/// row 0 is the column-header row and column 0 the row-header column.
class GridStyleSource {
public:
    virtual ~GridStyleSource() = default;

    /// Describes the cell at (row, col) into style, which arrives reset.
    virtual void GetStyleRowCol(int row, int col, CellStyle& style) = 0;
    /// Stores a value the operator entered (already validated); false when the owner refuses it.
    virtual bool StoreValueRowCol(int row, int col, const QString& value) = 0;
    /// Checks a value before it is stored; may rewrite it. Returning false keeps the old value and the editor open.
    virtual bool OnValidateCell(int row, int col, QString& value)
    {
        (void)row;
        (void)col;
        (void)value;
        return true;
    }
};

} // namespace corvane
