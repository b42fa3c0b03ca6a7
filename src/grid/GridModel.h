#pragma once

#include "CellStyle.h"

#include <QAbstractTableModel>

namespace corvane {

class CorvaneGrid;

/// A table model that asks the grid's owner for every cell; model row r is grid row r + 1 (row 0 is the header).
class GridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(CorvaneGrid& grid);

    void setSource(GridStyleSource* source);
    GridStyleSource* source() const { return m_source; }
    void setShape(int rows, int columns);
    /// Forgets the one cached style; call when the owner's data changed.
    void invalidate();
    /// The owner's style of grid cell (row, col).
    const CellStyle& style(int row, int col) const;
    /// Re-announces every cell, so that views repaint.
    void refreshAll();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Characters of a value the view is given to draw; no cell or header is wide enough to show more.
    static constexpr int maxShownLength = 1000;
    /// text, cut after maxShownLength characters.
    static QString shownPart(const QString& text);

private:
    QVariant roleOf(const CellStyle& style, int role, bool header) const;

    CorvaneGrid& m_grid;
    GridStyleSource* m_source = nullptr;
    int m_rows = 0;
    int m_columns = 0;
    mutable CellStyle m_style;
    mutable int m_cachedRow = -1;
    mutable int m_cachedColumn = -1;
};

} // namespace corvane
