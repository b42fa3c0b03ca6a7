#include "GridDelegate.h"

#include "CorvaneGrid.h"
#include "GridModel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyle>

namespace corvane {

GridDelegate::GridDelegate(CorvaneGrid& grid)
    : QStyledItemDelegate(&grid)
    , m_grid(grid)
{
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    (void)option;
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    const CellStyle& style = m_grid.model().style(row, col);
    QWidget* editor = nullptr;
    switch (style.editor) {
    case CellEditor::DropDown:
    case CellEditor::List: {
        auto* combo = new QComboBox(parent);
        combo->addItems(style.choices);
        combo->setEditable(style.editor == CellEditor::List);
        editor = combo;
        break;
    }
    case CellEditor::CheckBox:
        return nullptr;
    case CellEditor::Text:
    case CellEditor::TextButton:
    case CellEditor::Numeric:
    case CellEditor::Masked: {
        auto* line = new QLineEdit(parent);
        line->setFrame(false);
        if (style.editor == CellEditor::Masked && !style.mask.isEmpty())
            line->setInputMask(style.mask);
        if (style.editor == CellEditor::Numeric) {
            const QString pattern = QStringLiteral("^-?\\d{0,%1}(\\.\\d{0,%2})?$")
                                        .arg(std::max(style.numericDigits, 1))
                                        .arg(std::max(style.numericDecimals, 0));
            line->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), line));
            line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (style.editor == CellEditor::TextButton) {
            QAction* button
                = line->addAction(line->style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
            button->setObjectName(QStringLiteral("cellButton"));
            button->setToolTip(tr("Choose (F4)"));
            connect(button, &QAction::triggered, &m_grid, [this, row, col] { m_grid.pressCellButton(row, col); });
        }
        editor = line;
        break;
    }
    }
    if (editor && style.hasFont)
        editor->setFont(m_grid.zoomedFont(style.font));
    m_grid.editorOpened(editor);
    return editor;
}

QString GridDelegate::editorText(const QWidget* editor)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(editor))
        return line->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(editor))
        return combo->currentText();
    return {};
}

void GridDelegate::setEditorText(QWidget* editor, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(text);
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int at = combo->findText(text);
        if (at >= 0)
            combo->setCurrentIndex(at);
        else if (combo->isEditable())
            combo->setEditText(text);
    }
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    setEditorText(editor, m_grid.model().style(index.row() + 1, index.column() + 1).value);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->selectAll();
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const QString text = editorText(editor);
    if (text == m_grid.model().style(index.row() + 1, index.column() + 1).value)
        return;
    model->setData(index, text, Qt::EditRole);
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const CellStyle& style = m_grid.model().style(index.row() + 1, index.column() + 1);
    if (!style.enabled && m_grid.disabledColour().isValid())
        painter->fillRect(option.rect, m_grid.disabledColour());
    if (style.editor == CellEditor::CheckBox) {
        // The check box sits in the middle of the cell and the whole cell toggles it.
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const bool checked = opt.checkState == Qt::Checked;
        opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        opt.text.clear();
        QStyle* widgetStyle = opt.widget ? opt.widget->style() : QApplication::style();
        widgetStyle->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        QStyleOptionViewItem box(opt);
        const int side = widgetStyle->pixelMetric(QStyle::PM_IndicatorWidth, &opt, opt.widget);
        box.rect = QRect(option.rect.center().x() - side / 2, option.rect.center().y() - side / 2, side, side);
        box.state
            = (box.state & ~(QStyle::State_On | QStyle::State_Off)) | (checked ? QStyle::State_On : QStyle::State_Off);
        widgetStyle->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, opt.widget);
        return;
    }
    QStyledItemDelegate::paint(painter, option, index);
    if (style.editor == CellEditor::TextButton && style.enabled && !style.readOnly
        && option.state.testFlag(QStyle::State_HasFocus)) {
        // Shows where the cell's button is before the editor opens.
        const QRect mark(option.rect.right() - 10, option.rect.center().y() - 2, 7, 4);
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(option.palette.color(QPalette::Text));
        const QPointF points[3] = {mark.topLeft(), mark.topRight(), QPointF(mark.center().x(), mark.bottom())};
        painter->drawPolygon(points, 3);
        painter->restore();
    }
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (!editor)
        return QStyledItemDelegate::eventFilter(object, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool leaves = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Tab
            || key->key() == Qt::Key_Backtab;
        if (leaves && !m_grid.validateEditor(editor))
            return true;
        if (key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
            int row = 0;
            int col = 0;
            m_grid.currentCell(row, col);
            if (m_grid.model().style(row, col).editor == CellEditor::TextButton) {
                m_grid.pressCellButton(row, col);
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusOut && m_grid.validating()) {
        // A message box of the owner's validation has the focus for a moment; the editor stays as it is.
        return true;
    } else if (event->type() == QEvent::FocusOut && !editor->isAncestorOf(QApplication::focusWidget())) {
        if (!m_grid.validateEditor(editor)) {
            QMetaObject::invokeMethod(editor, qOverload<>(&QWidget::setFocus), Qt::QueuedConnection);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace corvane
