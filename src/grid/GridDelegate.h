#pragma once

#include <QStyledItemDelegate>

namespace corvane {

class CorvaneGrid;

/// Makes the editor each cell's style names and keeps it open while the owner refuses the typed value.
class GridDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(CorvaneGrid& grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    /// The text an editor holds.
    static QString editorText(const QWidget* editor);
    static void setEditorText(QWidget* editor, const QString& text);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CorvaneGrid& m_grid;
};

} // namespace corvane
