#include "GridDelegate.h"

#include "CorvaneGrid.h"
#include "GridModel.h"

#include <QAbstractItemModel>
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
        // A line edit holds 32767 characters unless told otherwise; a longer cell must not be cut by opening it.
        line->setMaxLength(std::max<int>(32767, static_cast<int>(style.value.size())));
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
        if (at >= 0) {
            combo->setCurrentIndex(at);
        } else if (combo->isEditable()) {
            combo->setEditText(text);
        } else if (text.isEmpty()) {
            // No choice yet: the combo must not start at the first choice, or leaving it would store that choice.
            combo->setCurrentIndex(-1);
        } else {
            // A value the list does not offer stays until the operator picks another.
            combo->insertItem(0, text);
            combo->setCurrentIndex(0);
        }
    }
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // Filled once, when it opens: a repaint of the grid while it is open must not replace what the operator typed.
    if (editor->property("corvaneFilled").toBool())
        return;
    editor->setProperty("corvaneFilled", true);
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
        // The check box and its caption sit together in the middle of the cell; the whole cell toggles it.
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const bool checked = opt.checkState == Qt::Checked;
        const QString caption = opt.text;
        opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        opt.text.clear();
        QStyle* widgetStyle = opt.widget ? opt.widget->style() : QApplication::style();
        widgetStyle->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        const int side = widgetStyle->pixelMetric(QStyle::PM_IndicatorWidth, &opt, opt.widget);
        const int gap = caption.isEmpty() ? 0 : 4;
        const int room = std::max(0, option.rect.width() - side - gap - 4);
        const QString shown = opt.fontMetrics.elidedText(caption, Qt::ElideRight, room);
        const int width = side + gap + opt.fontMetrics.horizontalAdvance(shown);
        const int left = std::max(option.rect.left() + 2, option.rect.center().x() - width / 2);
        QStyleOptionViewItem box(opt);
        box.rect = QRect(left, option.rect.center().y() - side / 2, side, side);
        box.state = (box.state & ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange))
            | (checked                                      ? QStyle::State_On
                   : opt.checkState == Qt::PartiallyChecked ? QStyle::State_NoChange
                                                            : QStyle::State_Off);
        widgetStyle->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, opt.widget);
        if (!shown.isEmpty()) {
            painter->save();
            painter->setFont(opt.font);
            painter->setPen(
                opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
            if (const QVariant foreground = index.data(Qt::ForegroundRole);
                foreground.canConvert<QBrush>() && !(opt.state & QStyle::State_Selected))
                painter->setPen(foreground.value<QBrush>().color());
            painter->drawText(QRect(left + side + gap, option.rect.top(), room, option.rect.height()),
                              Qt::AlignLeft | Qt::AlignVCenter, shown);
            painter->restore();
        }
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

bool GridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                               const QModelIndex& index)
{
    // The grid toggles check cells itself (click, Space); the default handling would toggle a second time.
    if (m_grid.model().style(index.row() + 1, index.column() + 1).editor == CellEditor::CheckBox)
        return false;
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (!editor)
        return QStyledItemDelegate::eventFilter(object, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if ((enter || tab) && !m_grid.validateEditor(editor))
            return true;
        if (enter || (tab && key->modifiers() & Qt::ControlModifier)) {
            // Enter stores the cell and moves on to the next one; Ctrl+Tab stores it and leaves the grid.
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            if (enter)
                m_grid.moveToNextCell();
            else
                m_grid.leaveGrid(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        if (key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
            int row = 0;
            int col = 0;
            m_grid.currentCell(row, col);
            if (m_grid.model().style(row, col).editor == CellEditor::TextButton) {
                m_grid.pressCellButton(row, col);
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusOut && (m_grid.validating() || m_grid.inCellButton())) {
        // A message box of the owner's validation, or the lookup or calendar of the cell's button, has the focus for
        // a moment; the editor stays as it is.
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
