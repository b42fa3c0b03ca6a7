#include "CorvaneGrid.h"

#include "GridDelegate.h"
#include "GridModel.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace corvane {

namespace {
constexpr int defaultColumnWidth = 64;
constexpr int minimumZoom = 10;
constexpr int maximumZoom = 600;
} // namespace

CorvaneGrid::CorvaneGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new GridModel(*this))
    , m_delegate(new GridDelegate(*this))
    , m_baseFont(font())
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_baseRowHeight = fontMetrics().height() + 6;
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(m_baseRowHeight);
    verticalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(true);
    m_baseWidths.assign(1, verticalHeader()->sizeHint().width());
    setMouseTracking(true);
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setMouseTracking(true);
        header->viewport()->setMouseTracking(true);
        header->viewport()->installEventFilter(this);
    }
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { Q_EMIT leftClick(0, section + 1); });
    connect(verticalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { Q_EMIT leftClick(section + 1, 0); });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { Q_EMIT leftClick(index.row() + 1, index.column() + 1); });
}

CorvaneGrid::~CorvaneGrid() = default;

void CorvaneGrid::setStyleSource(GridStyleSource* source)
{
    m_model->setSource(source);
    applyZoom();
}

void CorvaneGrid::setRowCount(int rows)
{
    m_rows = std::max(rows, 0);
    m_model->setShape(m_rows, m_columns);
}

void CorvaneGrid::setColumnCount(int columns)
{
    m_columns = std::max(columns, 0);
    m_baseWidths.resize(static_cast<std::size_t>(m_columns) + 1, defaultColumnWidth);
    m_model->setShape(m_rows, m_columns);
    applyZoom();
}

void CorvaneGrid::setColumnWidth(int col, int width)
{
    if (col < 0 || col > m_columns)
        return;
    m_baseWidths[static_cast<std::size_t>(col)] = std::max(width, 0);
    const int scaled = width * m_zoom / 100;
    if (col == 0)
        verticalHeader()->setFixedWidth(scaled);
    else
        QTableView::setColumnWidth(col - 1, scaled);
}

int CorvaneGrid::columnWidth(int col) const
{
    if (col < 0 || col > m_columns)
        return 0;
    return m_baseWidths[static_cast<std::size_t>(col)];
}

void CorvaneGrid::currentCell(int& row, int& col) const
{
    const QModelIndex index = currentIndex();
    row = index.isValid() ? index.row() + 1 : 0;
    col = index.isValid() ? index.column() + 1 : 0;
}

bool CorvaneGrid::setCurrentCell(int row, int col)
{
    if (row < 1 || row > m_rows || col < 1 || col > m_columns)
        return false;
    setCurrentIndex(m_model->index(row - 1, col - 1));
    return currentIndex() == m_model->index(row - 1, col - 1);
}

void CorvaneGrid::scrollCellIntoView(int row, int col)
{
    if (row >= 1 && row <= m_rows && col >= 1 && col <= m_columns)
        scrollTo(m_model->index(row - 1, col - 1));
}

bool CorvaneGrid::setZoom(int percent)
{
    if (percent < minimumZoom || percent > maximumZoom)
        return false;
    m_zoom = percent;
    applyZoom();
    return true;
}

QFont CorvaneGrid::zoomedFont(const QFont& font) const
{
    QFont zoomed(font);
    if (font.pointSizeF() > 0)
        zoomed.setPointSizeF(font.pointSizeF() * m_zoom / 100.0);
    return zoomed;
}

void CorvaneGrid::applyZoom()
{
    lockPainting(true);
    const QFont zoomed = zoomedFont(m_baseFont);
    setFont(zoomed);
    horizontalHeader()->setFont(zoomed);
    verticalHeader()->setFont(zoomed);
    verticalHeader()->setDefaultSectionSize(std::max(4, m_baseRowHeight * m_zoom / 100));
    for (int col = 0; col <= m_columns; ++col)
        setColumnWidth(col, m_baseWidths[static_cast<std::size_t>(col)]);
    m_model->invalidate();
    lockPainting(false);
}

void CorvaneGrid::lockPainting(bool locked)
{
    m_lockDepth = std::max(0, m_lockDepth + (locked ? 1 : -1));
    setUpdatesEnabled(m_lockDepth == 0);
    if (m_lockDepth == 0)
        viewport()->update();
}

void CorvaneGrid::redraw()
{
    m_model->refreshAll();
    viewport()->update();
    horizontalHeader()->viewport()->update();
    verticalHeader()->viewport()->update();
}

void CorvaneGrid::takeFocus()
{
    setFocus(Qt::OtherFocusReason);
}

void CorvaneGrid::editCurrentCell()
{
    if (currentIndex().isValid())
        edit(currentIndex(), QAbstractItemView::EditKeyPressed, nullptr);
}

QString CorvaneGrid::value(int row, int col) const
{
    return m_model->style(row, col).value;
}

bool CorvaneGrid::setValue(int row, int col, const QString& value)
{
    return commitValue(row, col, value);
}

QString CorvaneGrid::activeEditorText() const
{
    if (m_editor)
        return GridDelegate::editorText(m_editor);
    int row = 0;
    int col = 0;
    currentCell(row, col);
    return value(row, col);
}

void CorvaneGrid::setGridColour(int index, const QColor& colour)
{
    if (index == 4)
        m_disabledColour = colour;
    else if (index == 0)
        setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }").arg(colour.name()));
}

bool CorvaneGrid::commitValue(int row, int col, const QString& text)
{
    GridStyleSource* source = m_model->source();
    if (!source)
        return false;
    QString value = text;
    const bool validated = row == m_validatedRow && col == m_validatedCol && value == m_validatedText;
    m_validatedRow = m_validatedCol = -1;
    if (!validated) {
        m_validating = true;
        const bool accepted = source->OnValidateCell(row, col, value);
        m_validating = false;
        if (!accepted)
            return false;
    }
    if (!source->StoreValueRowCol(row, col, value))
        return false;
    m_model->invalidate();
    if (row >= 1 && col >= 1)
        update(m_model->index(row - 1, col - 1));
    Q_EMIT modifyCell(row, col);
    return true;
}

bool CorvaneGrid::isToggleable(int row, int col) const
{
    if (row < 1 || col < 1)
        return false;
    const CellStyle& style = m_model->style(row, col);
    return style.editor == CellEditor::CheckBox && style.enabled && !style.readOnly;
}

bool CorvaneGrid::toggleCheck(int row, int col)
{
    if (!isToggleable(row, col))
        return false;
    const bool checked = m_model->style(row, col).value == QLatin1String("1");
    if (!commitValue(row, col, checked ? QStringLiteral("0") : QStringLiteral("1")))
        return false;
    Q_EMIT clickedButton(row, col);
    return true;
}

bool CorvaneGrid::validateEditor(QWidget* editor)
{
    GridStyleSource* source = m_model->source();
    if (!source || m_validating)
        return true;
    int row = 0;
    int col = 0;
    currentCell(row, col);
    QString text = GridDelegate::editorText(editor);
    if (text == m_model->style(row, col).value)
        return true;
    m_validating = true;
    const bool accepted = source->OnValidateCell(row, col, text);
    m_validating = false;
    if (!accepted)
        return false;
    GridDelegate::setEditorText(editor, text);
    m_validatedRow = row;
    m_validatedCol = col;
    m_validatedText = GridDelegate::editorText(editor);
    return true;
}

void CorvaneGrid::pressCellButton(int row, int col)
{
    // The owner may open a modal lookup or calendar; the editor losing the focus to it is not a way out of the cell.
    const bool nested = m_inCellButton;
    m_inCellButton = true;
    Q_EMIT clickedButton(row, col);
    m_inCellButton = nested;
}

bool CorvaneGrid::commitEditor()
{
    QPointer<QWidget> editor = m_editor;
    if (!editor)
        return true;
    if (!validateEditor(editor))
        return false;
    commitData(editor);
    if (editor)
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

bool CorvaneGrid::acceptValue(int row, int col, const QString& value)
{
    int currentRow = 0;
    int currentCol = 0;
    currentCell(currentRow, currentCol);
    if (m_editor && row == currentRow && col == currentCol) {
        GridDelegate::setEditorText(m_editor, value);
        return commitEditor();
    }
    return setValue(row, col, value);
}

void CorvaneGrid::moveToNextCell()
{
    const QModelIndex next = moveCursor(QAbstractItemView::MoveNext, Qt::NoModifier);
    if (next.isValid())
        setCurrentIndex(next);
}

void CorvaneGrid::leaveGrid(bool forward)
{
    // The view's own focusNextPrevChild turns into a cell move while Tab navigates the cells.
    QWidget::focusNextPrevChild(forward);
}

QWidget* CorvaneGrid::cellAnchor(int row, int col)
{
    int currentRow = 0;
    int currentCol = 0;
    currentCell(currentRow, currentCol);
    if (m_editor && row == currentRow && col == currentCol)
        return m_editor;
    if (!m_anchor) {
        m_anchor = new QWidget(viewport());
        m_anchor->setObjectName(QStringLiteral("cellAnchor"));
        m_anchor->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_anchor->hide();
    }
    if (row >= 1 && row <= m_rows && col >= 1 && col <= m_columns)
        m_anchor->setGeometry(visualRect(m_model->index(row - 1, col - 1)));
    return m_anchor;
}

void CorvaneGrid::keyboardSearch(const QString& search)
{
    (void)search;
}

void CorvaneGrid::editorOpened(QWidget* editor)
{
    m_editor = editor;
}

bool CorvaneGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (index.isValid() && trigger != QAbstractItemView::AllEditTriggers && trigger != NoEditTriggers
        && isToggleable(index.row() + 1, index.column() + 1))
        return false;
    const bool editing = QTableView::edit(index, trigger, event);
    if (editing && m_editor)
        Q_EMIT startEditing(index.row() + 1, index.column() + 1);
    return editing;
}

void CorvaneGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    int row = 0;
    int col = 0;
    currentCell(row, col);
    m_editor = nullptr;
    QTableView::closeEditor(editor, hint);
    Q_EMIT endEditing(row, col);
}

void CorvaneGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (previous.isValid())
        Q_EMIT leftCell(previous.row() + 1, previous.column() + 1);
    if (current.isValid())
        Q_EMIT initCurrentCell(current.row() + 1, current.column() + 1);
}

void CorvaneGrid::keyPressEvent(QKeyEvent* event)
{
    if (keyDownHook && keyDownHook(event))
        return;
    int row = 0;
    int col = 0;
    currentCell(row, col);
    if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) && isToggleable(row, col)) {
        toggleCheck(row, col);
        return;
    }
    if (event->key() == Qt::Key_F4 && m_model->style(row, col).editor == CellEditor::TextButton) {
        pressCellButton(row, col);
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && row >= 1 && !isEditing()) {
        // Enter moves on, as in a spreadsheet; it never reaches the window's default button from a cell.
        moveToNextCell();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && event->modifiers() & Qt::ControlModifier) {
        // Tab moves between cells; Ctrl+Tab leaves the grid for the window's other controls.
        leaveGrid(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void CorvaneGrid::mousePressEvent(QMouseEvent* event)
{
    if (m_editor && !validateEditor(m_editor))
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton)
        Q_EMIT leftButtonHit(index.row() + 1, index.column() + 1);
    QTableView::mousePressEvent(event);
}

void CorvaneGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableView::mouseReleaseEvent(event);
    if (index.isValid() && event->button() == Qt::LeftButton && index == currentIndex())
        toggleCheck(index.row() + 1, index.column() + 1);
}

void CorvaneGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        Q_EMIT mouseMoveOver(index.row() + 1, index.column() + 1);
    QTableView::mouseMoveEvent(event);
}

bool CorvaneGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPoint at = move->position().toPoint();
        if (watched == horizontalHeader()->viewport()) {
            const int section = horizontalHeader()->logicalIndexAt(at);
            if (section >= 0)
                Q_EMIT mouseMoveOver(0, section + 1);
        } else if (watched == verticalHeader()->viewport()) {
            const int section = verticalHeader()->logicalIndexAt(at);
            if (section >= 0)
                Q_EMIT mouseMoveOver(section + 1, 0);
        }
    }
    return QTableView::eventFilter(watched, event);
}

void CorvaneGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    Q_EMIT focusIn();
}

void CorvaneGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    Q_EMIT focusOut();
}

void clearGrid(CorvaneGrid& grid)
{
    grid.setRowCount(0);
    grid.setColumnCount(0);
    grid.redraw();
}

} // namespace corvane
