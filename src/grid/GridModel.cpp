#include "GridModel.h"

#include "CorvaneGrid.h"

#include <QBrush>

namespace corvane {

GridModel::GridModel(CorvaneGrid& grid)
    : QAbstractTableModel(&grid)
    , m_grid(grid)
{
}

void GridModel::setSource(GridStyleSource* source)
{
    beginResetModel();
    m_source = source;
    invalidate();
    endResetModel();
}

void GridModel::setShape(int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    if (rows == m_rows && columns == m_columns)
        return;
    invalidate();
    if (columns != m_columns) {
        beginResetModel();
        m_rows = rows;
        m_columns = columns;
        endResetModel();
        return;
    }
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
}

void GridModel::invalidate()
{
    m_cachedRow = -1;
    m_cachedColumn = -1;
}

void GridModel::refreshAll()
{
    invalidate();
    if (m_rows > 0 && m_columns > 0)
        Q_EMIT dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
    if (m_columns > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
    if (m_rows > 0)
        Q_EMIT headerDataChanged(Qt::Vertical, 0, m_rows - 1);
}

const CellStyle& GridModel::style(int row, int col) const
{
    if (row != m_cachedRow || col != m_cachedColumn) {
        m_style.reset();
        if (m_source)
            m_source->GetStyleRowCol(row, col, m_style);
        m_cachedRow = row;
        m_cachedColumn = col;
    }
    return m_style;
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QString GridModel::shownPart(const QString& text)
{
    if (text.size() <= maxShownLength)
        return text;
    return text.left(maxShownLength) + QChar(0x2026);
}

QVariant GridModel::roleOf(const CellStyle& style, int role, bool header) const
{
    switch (role) {
    case Qt::DisplayRole:
        // A check cell shows its caption next to the box; text shows only as much as a cell can hold, so a huge
        // value never has to be laid out whole.
        if (style.editor == CellEditor::CheckBox && !header)
            return style.choices.isEmpty() ? QString() : shownPart(style.choices.front());
        return shownPart(style.value);
    case Qt::EditRole:
        return style.value;
    case Qt::CheckStateRole:
        if (style.editor != CellEditor::CheckBox || header)
            return {};
        // "2": a check cell that stands for others of which only some are checked.
        return style.value == QLatin1String("1") ? Qt::Checked
            : style.value == QLatin1String("2")  ? Qt::PartiallyChecked
                                                 : Qt::Unchecked;
    case Qt::BackgroundRole:
        return style.background.isValid() ? QVariant(QBrush(style.background)) : QVariant();
    case Qt::ForegroundRole:
        return style.textColour.isValid() ? QVariant(QBrush(style.textColour)) : QVariant();
    case Qt::FontRole:
        return style.hasFont ? QVariant(m_grid.zoomedFont(style.font)) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(style.alignment);
    case Qt::ToolTipRole:
        return style.toolTip.isEmpty() ? QVariant() : QVariant(style.toolTip);
    default:
        return {};
    }
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    return roleOf(style(index.row() + 1, index.column() + 1), role, false);
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid())
        return false;
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    if (role == Qt::CheckStateRole)
        return m_grid.toggleCheck(row, col);
    if (role != Qt::EditRole)
        return false;
    return m_grid.commitValue(row, col, value.toString());
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const int row = orientation == Qt::Horizontal ? 0 : section + 1;
    const int col = orientation == Qt::Horizontal ? section + 1 : 0;
    return roleOf(style(row, col), role, true);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const CellStyle& cell = style(index.row() + 1, index.column() + 1);
    if (!cell.enabled)
        return Qt::ItemNeverHasChildren;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (cell.readOnly)
        return flags;
    if (cell.editor == CellEditor::CheckBox)
        return flags | Qt::ItemIsUserCheckable;
    return flags | Qt::ItemIsEditable;
}

} // namespace corvane
