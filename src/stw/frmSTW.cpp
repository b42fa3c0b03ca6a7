#include "frmSTW.h"

#include "CommonRoutines.h"
#include "DateRule.h"
#include "Log.h"
#include "Messages.h"
#include "ReplyFraming.h"
#include "ServerRequest.h"
#include "SharedState.h"
#include "StwFind.h"
#include "StwSave.h"
#include "StwSort.h"
#include "Text.h"
#include "TextFields.h"
#include "WaitPointer.h"
#include "WidgetRoutines.h"
#include "WindowRunner.h"
#include "WireCodec.h"
#include "grid/CorvaneGrid.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane {

namespace {

// Copy Row's cells, columns 1 to 13; column 0 empty.
constexpr std::string_view copyTemplate
    = "\t01pZ0\t104WZ1\t05WZ0\t01kZ0\t05WZ0\t01kZ0\t05WZ0\t01kZ0\t05WZ0\t01kZ0\t004WZ1"
      "\t05WZ0\t01kZ0";
constexpr std::string_view errorHeaderCode = "11WR0";
const char* const readyStatus = "Click on Column Header to sort.";
// A cell editor holds this much; a longer cell is shown cut and cannot be edited, so nothing is cut on the way back.
constexpr std::size_t maxEditableLength = 32767;
// Captions and names in messages and the column chooser: enough to recognise a column.
constexpr std::size_t maxCaptionShown = 1000;

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

/// At most limit bytes of text, marked with an ellipsis when cut.
QString wireCut(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return wire(text);
    return wire(text.substr(0, limit)) + QChar(0x2026);
}

std::string appTitle()
{
    return SharedState::instance().messageTitle();
}

/// Decimals an amount or numeric cell may hold; -1 for any.
int allowedDecimals(char kind)
{
    switch (kind) {
    case '8':
    case '9':
        return 2;
    case 'A':
        return 0;
    default:
        return -1;
    }
}

bool isNumericKind(char kind)
{
    return kind == '8' || kind == '9' || kind == 'A' || kind == 'B';
}

std::string withCode(std::string_view text, const StwCellFormat& f)
{
    return std::string(text) + f.code();
}

/// Shows the wait pointer and the hourglass while the server works.
class BusyPointer {
public:
    explicit BusyPointer(QLabel* hourglass)
        : m_hourglass(hourglass)
    {
        m_hourglass->setVisible(true);
    }
    ~BusyPointer() { m_hourglass->setVisible(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    WaitPointer m_wait;
    QLabel* m_hourglass;
};

} // namespace

frmSTW::frmSTW(QWidget* parent)
    : GuardedDialog(parent)
{
    setObjectName(QStringLiteral("frmSTW"));
    buildWindow();
}

frmSTW::~frmSTW()
{
    // A host may delete the window while it is shown: the grid must not ask a half-destroyed window for cells.
    m_grid->setStyleSource(nullptr);
}

void frmSTW::buildWindow()
{
    m_grid = new CorvaneGrid(this);
    m_grid->setObjectName(QStringLiteral("grdMain"));
    m_grid->setStyleSource(this);
    m_newRow = makeButton(this, "cmdNewRow", QStringLiteral(" &New Row "));
    m_copyRow = makeButton(this, "cmdCopyRow", QStringLiteral(" &Copy Row "));
    m_delRow = makeButton(this, "cmdDelRow", QStringLiteral(" Delete"));
    m_post = makeButton(this, "cmdOK", QStringLiteral(" Post "));
    m_exit = makeButton(this, "cmdCancel", QStringLiteral(" Exit "));
    m_refresh = makeButton(this, "cmdRefresh", QStringLiteral(" Refresh "));
    m_zoomIn = makeButton(this, "cmdZoomIn", QStringLiteral(" Zoom In "));
    m_zoomOut = makeButton(this, "cmdZoomOut", QStringLiteral(" Zoom Out "));
    m_resetColumns = makeButton(this, "cmdResetColumns", QStringLiteral(" Reset Columns "));
    m_preview = makeButton(this, "cmdPreview", QStringLiteral(" Preview "));
    m_find = makeButton(this, "cmdFind", QStringLiteral("Find (F3)"));
    m_newRow->setToolTip(tr("Add a blank row"));
    m_copyRow->setToolTip(tr("Add a copy of the current row; unique columns are left empty"));
    m_refresh->setToolTip(tr("Load the data again (F5)"));

    auto* findLabel = new QLabel(tr("&Find:"), this);
    findLabel->setObjectName(QStringLiteral("lblFind"));
    m_findText = new QLineEdit(this);
    m_findText->setObjectName(QStringLiteral("txtFind"));
    m_findText->setPlaceholderText(tr("text, text* or *text"));
    findLabel->setBuddy(m_findText);
    m_columns = new QComboBox(this);
    m_columns->setObjectName(QStringLiteral("cboColumns"));
    m_columns->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_totalCaption = new QLabel(tr("Total:"), this);
    m_totalCaption->setObjectName(QStringLiteral("lblTotRec1"));
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("lblTotRec2"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_noData = new QLabel(tr("no data received"), this);
    m_noData->setObjectName(QStringLiteral("txtNoDataReceived"));
    m_noData->setVisible(false);
    m_hourglass = new QLabel(this);
    m_hourglass->setObjectName(QStringLiteral("imgHourglass"));
    m_hourglass->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(16, 16));
    m_hourglass->setVisible(false);

    auto* findBar = new QHBoxLayout;
    findBar->addWidget(findLabel);
    findBar->addWidget(m_findText, 1);
    findBar->addWidget(m_columns);
    findBar->addWidget(m_find);
    findBar->addStretch(1);
    findBar->addWidget(m_hourglass);
    findBar->addWidget(m_totalCaption);
    findBar->addWidget(m_total);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_newRow, m_copyRow, m_delRow, m_post, m_refresh})
        buttons->addWidget(b);
    buttons->addStretch(1);
    for (QPushButton* b : {m_zoomIn, m_zoomOut, m_resetColumns, m_preview, m_exit})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(findBar);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_noData);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    resize(1100, 640);
    setSizeGripEnabled(true);

    connect(m_newRow, &QPushButton::clicked, this, &frmSTW::cmdNewRow_Click);
    connect(m_copyRow, &QPushButton::clicked, this, &frmSTW::cmdCopyRow_Click);
    connect(m_delRow, &QPushButton::clicked, this, &frmSTW::cmdDelRow_Click);
    connect(m_post, &QPushButton::clicked, this, &frmSTW::cmdOK_Click);
    connect(m_exit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_refresh, &QPushButton::clicked, this, &frmSTW::cmdRefresh_Click);
    connect(m_zoomIn, &QPushButton::clicked, this, [this] { zoomBy(9); });
    connect(m_zoomOut, &QPushButton::clicked, this, [this] { zoomBy(-9); });
    connect(m_resetColumns, &QPushButton::clicked, this, [this] {
        if (m_grid->setZoom(100))
            m_zoom = 100;
    });
    connect(m_preview, &QPushButton::clicked, this, &frmSTW::cmdPreview_Click);
    connect(m_find, &QPushButton::clicked, this, &frmSTW::cmdFind_Click);
    // Enter in the find box or the column chooser finds; in the grid it moves on, on a button it presses that button.
    m_find->setDefault(true);
    connect(m_grid, &CorvaneGrid::clickedButton, this, &frmSTW::grdMain_OnClickedButtonRowCol);
    connect(m_grid, &CorvaneGrid::leftClick, this, &frmSTW::grdMain_OnLButtonClickedRowCol);
    connect(m_grid, &CorvaneGrid::initCurrentCell, this, [this](int, int) { m_grid->redraw(); });
    QWidget* previous = nullptr;
    for (QWidget* w :
         std::initializer_list<QWidget*> {m_findText, m_columns, m_find, m_grid, m_newRow, m_copyRow, m_delRow, m_post,
                                          m_refresh, m_zoomIn, m_zoomOut, m_resetColumns, m_preview, m_exit}) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, this, [this] {
        m_findText->setFocus();
        m_findText->selectAll();
    });
}

bool frmSTW::STWShow(const QString& title)
{
    try {
        setWindowTitle(m_busy && m_state == ViewOnly
                           ? title + QString(24, QLatin1Char(' ')) + QStringLiteral("READ ONLY")
                           : title);
        m_title = title;
        if (m_busy)
            return true;
        m_busy = true;
        readRights();
        if (!m_rights.mayOpen) {
            m_busy = false;
            return false;
        }
        m_state = m_rights.mayAdd || m_rights.mayDelete || m_rights.mayChange ? Editable : ViewOnly;
        if (m_state == ViewOnly)
            setWindowTitle(title + QString(24, QLatin1Char(' ')) + QStringLiteral("READ ONLY"));
        m_unsaved = false;
        m_grid->setGridColour(0, colourFromBgr(0x808080));
        m_grid->setGridColour(
            4, colourFromBgr(static_cast<std::uint32_t>(SharedState::instance().display.disabledCellColour)));
        STWGetData();
        FillcboColumns();
        applyStateToButtons();
        setReady();
        m_grid->takeFocus();
        connect(this, &QDialog::finished, this, &frmSTW::clearBusyMark, Qt::UniqueConnection);
        WindowRunner::run(*this);
        if (WindowRunner::mode() == WindowRunner::Mode::Modal)
            m_busy = false;
        return true;
    } catch (...) {
        Log::error("Error in frmSTW\\STWShow, ", Log::describeCurrentException());
        m_busy = false;
        return false;
    }
}

void frmSTW::clearBusyMark()
{
    m_busy = false;
}

void frmSTW::readRights()
{
    m_rights = programRights("STW");
}

void frmSTW::applyStateToButtons()
{
    const bool editable = m_state == Editable;
    m_newRow->setEnabled(editable && m_rights.mayAdd);
    // A copied row can only be posted by an operator who may change the grid.
    m_copyRow->setEnabled(editable && m_rights.mayAdd && m_rights.mayChange);
    m_delRow->setEnabled(editable && m_rights.mayDelete);
    m_post->setEnabled(editable && m_rights.mayChange && m_table.columnCount() > 1);
    const bool loaded = m_state != LoadFailed;
    for (QPushButton* b : {m_refresh, m_zoomIn, m_zoomOut, m_resetColumns})
        b->setEnabled(loaded);
    m_preview->setEnabled(loaded);
    m_find->setEnabled(loaded);
    m_findText->setEnabled(loaded);
    m_columns->setEnabled(loaded);
}

void frmSTW::STWGetData()
{
    BusyPointer busy(m_hourglass);
    const std::string request = "|GET|STW|1|";
    const LinesReply reply = ServerRequest::viaLines(request);
    std::string errorCaption;
    if (!reply.sent) {
        Log::commFailure("DirectComm", "frmSTW.STWShow");
        tell(Log::commFailureText("DirectComm", "frmSTW.STWShow"));
        errorCaption = "Communication Error";
    } else if (reply.isError()) {
        tell(reply.firstLine());
        Log::line("ERR in frmSTW.STWShow after " + request + "\r\n" + reply.firstLine());
        errorCaption = reply.firstLine();
    }
    if (!errorCaption.empty()) {
        m_state = LoadFailed;
        GridFill("\t" + errorCaption + std::string(errorHeaderCode) + "90" + text::recordSeparator);
        return;
    }
    std::string data = reply.data();
    if (SharedState::instance().developerMode()) {
        Prompt dump {appTitle() + " (DBG only)", request + "\r\n\r\n" + data, PromptIcon::None, PromptButtons::Ok};
        dump.wholeText = true;
        SharedState::instance().prompter().ask(dump);
    }
    GridFill(data);
}

void frmSTW::GridFill(const std::string& data)
{
    try {
        const bool keepNewEntryRow = m_rights.mayAdd || m_state == LoadFailed;
        if (!m_table.load(data, keepNewEntryRow)) {
            m_noData->setVisible(m_table.rowCount() == 0);
            return;
        }
        m_noData->setVisible(false);
        m_requiredCells.clear();
        m_codeTableCodes.clear();
        splitLookupCells();
        m_grid->lockPainting(true);
        m_grid->setColumnCount(std::max(m_table.columnCount() - 1, 0));
        m_grid->setRowCount(std::max(m_table.rowCount() - 1, 0));
        const double multiplier = SharedState::instance().display.columnWidthMultiplier;
        m_grid->setColumnWidth(0, 48);
        // A column is at least as wide as its bold caption and the sort mark, so no heading is cut.
        QFont bold = m_grid->font();
        bold.setBold(true);
        const QFontMetrics captionMetrics(bold);
        for (int col = 1; col < m_table.columnCount(); ++col) {
            const int fromServer = static_cast<int>(m_table.column(col).width * multiplier);
            const int caption = m_table.column(col).caption.size() > 200
                ? 0
                : captionMetrics.horizontalAdvance(wire(m_table.column(col).caption)) + 24;
            m_grid->setColumnWidth(col, std::max({24, fromServer, std::min(caption, 400)}));
        }
        m_grid->horizontalHeader()->setSortIndicatorShown(false);
        m_sortColumn = 0;
        m_grid->lockPainting(false);
        GRIDMarkRequiredCells();
        m_grid->redraw();
        updateTotals();
    } catch (...) {
        Log::error("Error in frmSTW\\GridFill, ", Log::describeCurrentException());
    }
}

void frmSTW::updateTotals()
{
    const bool anyRows = m_table.rowCount() > 1 && m_state != LoadFailed;
    m_totalCaption->setVisible(anyRows);
    m_total->setVisible(anyRows);
    m_total->setText(QString::number(m_table.dataRowCount()));
}

void frmSTW::FillcboColumns()
{
    m_columns->clear();
    m_columns->addItem(tr("All"));
    for (int col = 2; col < m_table.columnCount(); ++col)
        m_columns->addItem(wireCut(m_table.column(col).caption, 200));
    m_columns->setCurrentIndex(0);
}

void frmSTW::setStatus(const QString& text)
{
    m_status->setText(text);
    m_status->repaint();
}

void frmSTW::setReady()
{
    if (m_requiredCells.empty())
        setStatus(QString::fromLatin1(readyStatus));
    else
        ShowFillRequiredStatus();
}

QStringList frmSTW::choiceList(char number) const
{
    // Choice list n is the list attribute of the n-th column that has one.
    int wanted = number - '0';
    QStringList choices;
    for (int col = 1; col < m_table.columnCount() && wanted > 0; ++col) {
        if (!m_table.column(col).hasList() || --wanted > 0)
            continue;
        for (auto choice : text::split(m_table.column(col).listAttribute, ','))
            choices << wire(text::trim(choice));
    }
    return choices;
}

QStringList frmSTW::choicesFor(int col, std::string_view cellText) const
{
    // A cell names its list by its first character; a cell without one (a new or copied row) offers its column's.
    if (!cellText.empty() && cellText.front() >= '1' && cellText.front() <= '9') {
        const QStringList named = choiceList(cellText.front());
        if (!named.isEmpty())
            return named;
    }
    QStringList choices;
    if (m_table.column(col).hasList()) {
        for (auto choice : text::split(m_table.column(col).listAttribute, ','))
            choices << wire(text::trim(choice));
    }
    return choices;
}

char frmSTW::listNumberOf(int col) const
{
    int number = 0;
    for (int c = 1; c <= col && c < m_table.columnCount(); ++c)
        number += m_table.column(c).hasList() ? 1 : 0;
    return m_table.column(col).hasList() && number <= 9 ? static_cast<char>('0' + number) : '1';
}

void frmSTW::GetStyleRowCol(int row, int col, CellStyle& style)
{
    try {
        QFont font = QApplication::font();
        if (row == 0) {
            if (col == 0)
                return;
            const StwColumn& column = m_table.column(col);
            applyFontCode(font, column.format.font);
            font.setBold(!column.caption.empty());
            style.font = font;
            style.hasFont = true;
            style.value = wireCut(column.caption, maxCaptionShown);
            style.toolTip = QStringLiteral("Click to sort ") + style.value;
            style.alignment = column.format.alignment == '2' ? Qt::AlignRight | Qt::AlignVCenter
                : column.format.alignment == '1'             ? Qt::AlignCenter
                                                             : Qt::AlignLeft | Qt::AlignVCenter;
            return;
        }
        if (col == 0) {
            style.value = wire(m_table.cell(row, 0));
            return;
        }
        const std::string_view cell = m_table.cell(row, col);
        const StwCellFormat f = StwCellFormat::of(cell);
        // Painting only reads: what a cell holds changed when it was loaded or stored. A text longer than an editor
        // holds is shown cut and kept from editing, so a cut copy is never stored back.
        const std::string_view fullText = StwCellFormat::textOf(cell);
        const bool cut = fullText.size() > maxEditableLength;
        const std::string_view cellText = cut ? fullText.substr(0, maxEditableLength) : fullText;
        applyFontCode(font, f.font);
        font.setBold(false);
        style.font = font;
        style.hasFont = true;
        const QString shown = wire(cellText);
        switch (f.kind) {
        case '0':
        case '1':
        case 'C':
        case 'E':
            style.editor = CellEditor::Text;
            style.value = shown;
            break;
        case '2':
        case '5':
            style.editor = CellEditor::TextButton;
            style.value = shown;
            break;
        case '3':
            style.editor = CellEditor::DropDown;
            style.choices = choicesFor(col, cellText);
            if (cell.size() >= 7)
                style.value = shown.mid(1);
            break;
        case '4':
        case '6':
            style.editor = CellEditor::CheckBox;
            style.value = cellText.empty() ? QStringLiteral("0") : shown.left(1);
            style.choices = QStringList {shown.mid(1)};
            break;
        case '7':
            style.editor = CellEditor::List;
            style.choices = shown.split(shown.contains(QLatin1Char('\n')) ? QLatin1Char('\n') : QLatin1Char(','));
            break;
        case '8': {
            style.editor = CellEditor::Text;
            const auto amount = StwNumber::read(cellText);
            style.value = amount ? QStringLiteral("$ ") + wire(amount->withCents()) : shown;
            break;
        }
        case '9': {
            style.editor = CellEditor::Numeric;
            style.numericDecimals = 2;
            style.numericDigits = 6;
            const auto number = StwNumber::read(cellText);
            style.value = number ? wire(number->withCents()) : (cellText.empty() ? QStringLiteral("0.00") : shown);
            break;
        }
        case 'A':
            style.editor = CellEditor::Numeric;
            style.numericDecimals = 0;
            style.numericDigits = 3;
            style.value = shown;
            break;
        case 'B': {
            style.editor = CellEditor::Text;
            const auto number = StwNumber::read(cellText);
            style.value = number ? wire(number->plain()) : shown;
            break;
        }
        default:
            SharedState::instance().prompter().beep();
            Log::line("frmSTW, grdMain  Cell format unrecognized " + std::string(cell));
            style.value = shown;
            break;
        }
        // A tool tip shows the whole text of a narrow cell, within reason.
        if (!cellText.empty())
            style.toolTip = QLatin1Char(' ') + (shown.size() > 1000 ? shown.left(1000) + QChar(0x2026) : shown)
                + QLatin1Char(' ');
        style.alignment = f.alignment == '2' ? Qt::AlignRight | Qt::AlignVCenter
            : f.alignment == '1'             ? Qt::AlignCenter
                                             : Qt::AlignLeft | Qt::AlignVCenter;
        if (f.isCheck())
            style.alignment = Qt::AlignCenter;

        int currentRow = 0;
        int currentCol = 0;
        m_grid->currentCell(currentRow, currentCol);
        const QColor white(Qt::white);
        const QColor black(Qt::black);
        char background = f.background;
        char textColour = f.textColour;
        if (row == currentRow) {
            background = 'W';
            textColour = 'R';
        } else if (m_table.marked(row)) {
            background = 'g';
        }
        style.background = paletteColour(background, white);
        style.textColour = paletteColour(textColour, black);
        if (isRequiredAndEmpty(row, col))
            style.background = paletteColour('y', QColor(255, 255, 208));
        if (cut)
            style.readOnly = true;
        if (!m_rights.mayChange || m_state != Editable) {
            style.readOnly = true;
            style.background
                = colourFromBgr(static_cast<std::uint32_t>(SharedState::instance().display.disabledCellColour));
        }
    } catch (...) {
        Log::error("Error in frmSTW\\GetStyleRowCol, ", Log::describeCurrentException());
    }
}

void frmSTW::splitLookupCells()
{
    // A code and its description arrive joined by the lookup separator in a code cell; they are split once, here,
    // into the code cell and the cell to its right. Other cells keep the separator as text.
    const std::string& separator = SharedState::instance().display.lookupSeparator;
    if (separator.empty())
        return;
    std::vector<std::pair<int, int>> joined;
    const int lastCol = m_table.columnCount() - 1;
    for (int row = 1; row < m_table.rowCount(); ++row) {
        if (const auto received = m_table.receivedRow(row);
            received && received->find(separator) == std::string_view::npos)
            continue;
        m_table.forEachCell(row, 1, lastCol, [&](int col, std::string_view cell) {
            if (StwCellFormat::of(cell).kind == '5'
                && StwCellFormat::textOf(cell).find(separator) != std::string_view::npos)
                joined.emplace_back(row, col);
        });
    }
    for (const auto& [row, col] : joined)
        splitLookupResult(row, col);
}

bool frmSTW::splitLookupResult(int row, int col)
{
    const std::string& separator = SharedState::instance().display.lookupSeparator;
    const std::string_view cell = m_table.cell(row, col);
    const std::string_view cellText = StwCellFormat::textOf(cell);
    if (separator.empty() || cellText.find(separator) == std::string_view::npos)
        return false;
    std::string first;
    std::string second;
    auto utils = SharedState::instance().utils;
    if (utils)
        utils->SplitInTwo(std::string(cellText), separator, first, second);
    else
        TextFields::splitInTwo(cellText, separator, first, second);
    const StwCellFormat own = StwCellFormat::of(cell);
    m_table.setCell(row, col, withCode(first, own));
    if (col + 1 < m_table.columnCount())
        m_table.setCell(row, col + 1, withCode(second, m_table.format(row, col + 1)));
    return true;
}

bool frmSTW::OnValidateCell(int row, int col, QString& value)
{
    if (row < 1 || col < 1 || m_state != Editable || !m_rights.mayChange)
        return false;
    const StwCellFormat f = m_table.format(row, col);
    // Typed text must reach the server as typed: a character Windows-1252 cannot carry, or a separator that would
    // shift the cells and rows of the save text, is refused by name before any other check.
    const WireCodec::TypedText typed = WireCodec::encodeTyped(value, wireCut(m_table.column(col).caption, 100));
    if (!typed.wire) {
        tell(typed.refusal, PromptIcon::Warning);
        return false;
    }
    m_invalidEntry = false;
    if (f.kind == '2' && !GRIDValidateDate(value))
        return false;
    if (f.kind == '5' && !GRIDCodesLookup(row, col, value))
        return false;
    if (isNumericKind(f.kind) && !text::trim(*typed.wire).empty()
        && !StwNumber::read(*typed.wire, allowedDecimals(f.kind))) {
        tell(f.kind == 'A'       ? "Please enter a whole number."
                 : f.kind == 'B' ? "Please enter a number."
                                 : "Please enter an amount with at most two decimals, for example 1,234.50.",
             PromptIcon::Warning);
        return false;
    }
    // A date or code check may have rewritten the value; what it wrote came from the date rule or the server.
    std::string text = WireCodec::toWire(value).value_or(*typed.wire);
    const std::string& separator = SharedState::instance().display.lookupSeparator;
    if (f.kind == '5' && !separator.empty())
        text = text.substr(0, text.find(separator));
    return GridUniqueCheck(text, col, row);
}

bool frmSTW::StoreValueRowCol(int row, int col, const QString& value)
{
    if (row < 1 || col < 1 || m_state != Editable)
        return false;
    const auto typed = WireCodec::toWire(value);
    if (!typed)
        return false;
    const StwCellFormat f = m_table.format(row, col);
    const std::string_view oldText = m_table.text(row, col);
    std::string newText;
    switch (f.kind) {
    case '4':
    case '6':
        newText = (typed->empty() ? std::string("0") : typed->substr(0, 1))
            + std::string(oldText.empty() ? std::string_view() : oldText.substr(1));
        break;
    case '3':
        // The cell keeps the list number it came with; a new cell takes its column's.
        if (!text::trim(*typed).empty())
            newText = std::string(1, oldText.empty() ? listNumberOf(col) : oldText.front()) + *typed;
        break;
    case '8':
    case '9':
    case 'B':
        // Stored as the number shown, without "$", blanks or grouping commas.
        if (const auto number = StwNumber::read(*typed); number && !text::trim(*typed).empty())
            newText = number->plain();
        else
            newText = std::string(text::trim(*typed));
        if (newText.empty() && f.kind == '9')
            newText = "0";
        break;
    default:
        newText = *typed;
        break;
    }
    m_table.setCell(row, col, withCode(newText, f));
    if (f.kind == '5')
        splitLookupResult(row, col);
    m_table.setMarked(row, true);
    m_unsaved = true;
    if (row == m_table.rowCount() - 1)
        GRIDCheckIfNeedNewRow();
    else
        dropSpareNewRow(row);
    GRIDMarkRequiredCells();
    setReady();
    m_grid->redraw();
    return true;
}

void frmSTW::dropSpareNewRow(int row)
{
    // A row typed into and cleared again, just above the empty new-entry row, becomes the new-entry row again.
    const int last = m_table.rowCount() - 1;
    if (!m_table.hasNewEntryRow() || row != last - 1 || !m_table.rowIsEmpty(row) || !m_table.rowIsEmpty(last))
        return;
    m_table.removeRow(last);
    m_grid->setRowCount(m_table.rowCount() - 1);
    updateTotals();
}

bool frmSTW::GRIDValidateDate(QString& value)
{
    try {
        const auto typed = WireCodec::toWire(value.trimmed());
        if (!typed)
            return false;
        if (typed->empty())
            return true;
        const CivilDate today = currentDate();
        const auto date = parseDateText(*typed, false, today);
        if (!date || date->year < 1890 || date->year > 2100) {
            tell("Dates only, please.", PromptIcon::Critical, "Date Validation");
            m_invalidEntry = true;
            return false;
        }
        if (*date > today) {
            tell("Date cannot be in the future.", PromptIcon::Critical, "Date Validation");
            m_invalidEntry = true;
            return false;
        }
        value = wire(formatDate(*date));
        return true;
    } catch (...) {
        Log::error("Err in frmSTW.GRIDValidateDate   ", Log::describeCurrentException());
        return false;
    }
}

bool frmSTW::GRIDCodesLookup(int row, int col, QString& value)
{
    try {
        (void)row;
        auto& state = SharedState::instance();
        const auto typed = WireCodec::toWire(value.trimmed());
        if (!typed)
            return false;
        const std::string& separator = state.display.lookupSeparator;
        const std::string code(text::trim(separator.empty() ? *typed : typed->substr(0, typed->find(separator))));
        if (code.empty() || !state.serverUtils)
            return true;
        const std::string& lookupName = m_table.column(col).lookupName;
        CodeVerdict verdict;
        state.serverUtils->ValidateCode(lookupName, code, state.contextKey, verdict);
        if (verdict.status == "NOT VALID") {
            setStatus(tr("%1 is not a valid code.").arg(wire(code)));
            tell(code + " is not a valid code.", PromptIcon::Warning);
            return false;
        }
        // The cell holds the code as the code table writes it, whatever letter case was typed.
        const std::string known = codeAsListed(lookupName, code);
        const std::string description = verdict.description.substr(0, verdict.description.find('|'));
        value = wire(!description.empty() && !separator.empty() ? known + separator + description : known);
        return true;
    } catch (...) {
        Log::error("ERR in frmSTW.GRIDCodesLookup   ", Log::describeCurrentException());
        return false;
    }
}

std::string frmSTW::codeAsListed(const std::string& lookupName, const std::string& code)
{
    const std::string tableName = lookupName.substr(0, lookupName.find('|'));
    auto [entry, fresh] = m_codeTableCodes.try_emplace(tableName);
    if (fresh) {
        // Read once per load: the code of each row is the first field of its column 1 (or column 0 alone).
        if (auto table = GetCodeTable(tableName, 0)) {
            std::vector<std::vector<std::string>> rows;
            if (table->GetRows(SharedState::instance().contextKey, rows)) {
                for (const auto& r : rows) {
                    if (r.size() > 1)
                        entry->second.emplace_back(text::trim(r[1].substr(0, r[1].find('\t'))));
                    else if (!r.empty())
                        entry->second.emplace_back(text::trim(r[0]));
                }
            }
        }
    }
    for (const std::string& listed : entry->second) {
        if (text::equalsNoCase(listed, code))
            return listed;
    }
    return code;
}

bool frmSTW::GridUniqueCheck(const std::string& newText, int col, int row)
{
    try {
        const std::string_view wanted = text::trim(newText);
        if (!m_table.column(col).unique || wanted.empty())
            return true;
        for (int r = 1; r < m_table.rowCount(); ++r) {
            if (r != row && text::equalsNoCase(text::trim(m_table.text(r, col)), wanted)) {
                tell("Duplicate entry.", PromptIcon::Warning);
                return false;
            }
        }
        return true;
    } catch (...) {
        Log::error("ERR in frmSTW.GridUniqueCheck   ", Log::describeCurrentException());
        return false;
    }
}

void frmSTW::GRIDMarkRequiredCells()
{
    m_requiredCells.clear();
    if (m_state != Editable)
        return;
    // The rows the operator added or changed must be completed before a post; an empty required cell the server
    // sent in a row nobody touched is tinted but does not hold up the operator's own changes.
    for (int row = 1; row < m_table.rowCount(); ++row) {
        if (!m_table.marked(row) || m_table.rowIsEmpty(row))
            continue;
        for (int col = 1; col < m_table.columnCount(); ++col) {
            if (isRequiredAndEmpty(row, col))
                m_requiredCells.insert({row, col});
        }
    }
}

bool frmSTW::isRequiredAndEmpty(int row, int col) const
{
    if (m_state != Editable)
        return false;
    const bool required = m_table.column(col).required || m_table.format(row, col).isRequired();
    return required && text::trim(m_table.text(row, col)).empty() && !m_table.rowIsEmpty(row);
}

void frmSTW::ShowFillRequiredStatus()
{
    if (m_requiredCells.empty()) {
        setStatus(QString::fromLatin1(readyStatus));
        return;
    }
    const auto [row, col] = *m_requiredCells.begin();
    setStatus(tr("%n required cell(s) still empty; the first is %1 in row %2.", nullptr,
                 static_cast<int>(m_requiredCells.size()))
                  .arg(wireCut(m_table.column(col).caption, 100))
                  .arg(row));
}

std::vector<std::string> frmSTW::blankRowCells() const
{
    std::vector<std::string> cells = m_table.newEntryTemplate();
    const int columns = m_table.columnCount();
    cells.resize(static_cast<std::size_t>(columns));
    for (int col = 1; col < columns; ++col) {
        std::string& cell = cells[static_cast<std::size_t>(col)];
        StwCellFormat f = StwCellFormat::of(cell);
        if (cell.size() < StwCellFormat::length && m_table.rowCount() > 1)
            f = m_table.format(1, col);
        cell = withCode(f.isCheck() || f.kind == '9' ? "0" : "", f);
    }
    if (!cells.empty())
        cells[0].clear();
    return cells;
}

int frmSTW::lastEditableRow() const
{
    return m_table.hasNewEntryRow() ? m_table.rowCount() - 2 : m_table.rowCount() - 1;
}

void frmSTW::GRIDCheckIfNeedNewRow()
{
    if (!m_rights.mayAdd)
        return;
    if (m_table.rowCount() > 1 && m_table.rowIsEmpty(m_table.rowCount() - 1))
        return;
    GRIDMakeNewRow();
}

void frmSTW::GRIDMakeNewRow()
{
    try {
        m_table.insertRow(m_table.rowCount(), blankRowCells());
        m_grid->setRowCount(m_table.rowCount() - 1);
        updateTotals();
    } catch (...) {
        Log::error("ERR in frmSTW.GRIDMakeNewRow   ", Log::describeCurrentException());
    }
}

void frmSTW::GRIDMakeCopyRow()
{
    try {
        int current = 0;
        int currentCol = 0;
        m_grid->currentCell(current, currentCol);
        std::vector<std::string> cells = blankRowCells();
        if (current >= 1 && current <= lastEditableRow()) {
            // A copy of the current row; cells of unique columns stay empty for the operator to fill.
            for (int col = 1; col < static_cast<int>(cells.size()); ++col) {
                if (!m_table.column(col).unique)
                    cells[static_cast<std::size_t>(col)] = std::string(m_table.cell(current, col));
            }
        } else {
            const auto pieces = text::split(copyTemplate, '\t');
            for (std::size_t col = 1; col < pieces.size() && col < cells.size(); ++col)
                cells[col] = std::string(pieces[col]);
        }
        const int at = m_table.hasNewEntryRow() ? m_table.rowCount() - 1 : m_table.rowCount();
        m_table.insertRow(at, cells);
        m_table.setMarked(at, true);
        m_grid->setRowCount(m_table.rowCount() - 1);
        m_unsaved = true;
        int firstToFill = std::min(2, m_grid->columnCount());
        for (int col = 1; col < m_table.columnCount(); ++col) {
            if (m_table.column(col).unique) {
                firstToFill = col;
                break;
            }
        }
        GRIDMarkRequiredCells();
        m_grid->redraw();
        m_grid->setCurrentCell(at, firstToFill);
        m_grid->scrollCellIntoView(at, firstToFill);
        m_grid->takeFocus();
        updateTotals();
        setReady();
    } catch (...) {
        Log::error("ERR in frmSTW.GRIDMakeCopyRow   ", Log::describeCurrentException());
    }
}

void frmSTW::cmdNewRow_Click()
{
    if (!m_rights.mayAdd || m_state != Editable)
        return;
    GRIDCheckIfNeedNewRow();
    m_grid->setCurrentCell(m_table.rowCount() - 1, std::min(2, m_grid->columnCount()));
    m_grid->scrollCellIntoView(m_table.rowCount() - 1, 1);
    m_grid->takeFocus();
    updateTotals();
}

void frmSTW::cmdCopyRow_Click()
{
    if (m_rights.mayAdd && m_rights.mayChange && m_state == Editable)
        GRIDMakeCopyRow();
}

void frmSTW::cmdDelRow_Click()
{
    try {
        if (!m_rights.mayDelete || m_state != Editable)
            return;
        int row = 0;
        int col = 0;
        m_grid->currentCell(row, col);
        if (row < 1 || row > lastEditableRow())
            return;
        m_table.removeRow(row);
        m_requiredCells.clear();
        m_grid->setRowCount(m_table.rowCount() - 1);
        m_unsaved = true;
        GRIDCheckIfNeedNewRow();
        GRIDMarkRequiredCells();
        m_grid->setCurrentCell(std::min(row, m_table.rowCount() - 1), std::max(col, 1));
        m_grid->redraw();
        updateTotals();
        setReady();
    } catch (...) {
        Log::error("ERR in frmSTW.cmdDelRow_Click    ", Log::describeCurrentException());
    }
}

void frmSTW::grdMain_OnClickedButtonRowCol(int row, int col)
{
    if (row < 1 || col < 1 || m_state != Editable || !m_rights.mayChange)
        return;
    const StwCellFormat f = m_table.format(row, col);
    if (f.isCheck()) {
        // The grid has toggled the value already; only the required marks follow.
        GRIDMarkRequiredCells();
        setReady();
        return;
    }
    if (f.kind != '5' && f.kind != '2')
        return;
    // The lookup and the calendar start from what the operator has typed so far, not from the stored value.
    std::string current(m_table.text(row, col));
    if (m_grid->isEditing()) {
        const QString editorText = m_grid->activeEditorText().trimmed();
        if (const auto typed = WireCodec::encodeTyped(editorText, {}).wire)
            current = *typed;
    }
    QString value;
    if (f.kind == '5') {
        LookupCall call;
        const std::string& separator = SharedState::instance().display.lookupSeparator;
        call.searchText = separator.empty() ? current : current.substr(0, current.find(separator));
        call.parent = this;
        const std::string chosen = GeneralLookup(m_table.column(col).lookupName, call, [this] { m_grid->redraw(); });
        if (chosen == "CANCEL" || chosen.empty())
            return;
        value = wire(chosen);
    } else {
        auto utils = SharedState::instance().utils;
        if (!utils)
            return;
        if (const auto date = parseDateText(current, true, currentDate()))
            current = formatDate(*date);
        const std::string picked = utils->PickDate(current, m_grid->cellAnchor(row, col), this);
        if (picked.empty())
            return;
        value = wire(picked);
    }
    m_grid->acceptValue(row, col, value);
}

void frmSTW::grdMain_OnLButtonClickedRowCol(int row, int col)
{
    if (row != 0 || col < 1 || m_state == LoadFailed)
        return;
    const bool ascending = col == m_sortColumn ? !m_sortAscending : true;
    setStatus(QStringLiteral("Sorting..."));
    StwSortFailure failure;
    const auto order = StwSort::order(m_table, col, ascending, StwSort::typeOf(m_table, col), failure);
    if (!order) {
        tell(failure.message(), PromptIcon::Warning);
        setReady();
        return;
    }
    m_table.reorderRows(*order);
    m_sortColumn = col;
    m_sortAscending = ascending;
    m_grid->scrollToTop();
    m_grid->horizontalHeader()->setSortIndicatorShown(true);
    m_grid->horizontalHeader()->setSortIndicator(col - 1, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    GRIDMarkRequiredCells();
    m_grid->redraw();
    setReady();
}

bool frmSTW::AskIgnoreChanges()
{
    if (!m_unsaved)
        return true;
    // Enter keeps the edits: discarding them takes a deliberate OK.
    if (ask(" There are unsaved changes. \r\n Continue without saving? ", PromptButtons::OkCancel, PromptAnswer::Cancel,
            PromptIcon::Critical)
        != PromptAnswer::Ok)
        return false;
    m_unsaved = false;
    return true;
}

void frmSTW::tellSortedSaveOrder()
{
    if (m_sortColumn == 0 || m_sortNoticeShown || m_state != Editable)
        return;
    m_sortNoticeShown = true;
    tell("The rows are sorted by " + std::string(m_table.column(m_sortColumn).caption.substr(0, 100))
             + ". Post saves them in the order shown and numbers them from 1 in that order.",
         PromptIcon::Information);
}

void frmSTW::reloadData()
{
    m_grid->setVisible(false);
    STWGetData();
    FillcboColumns();
    applyStateToButtons();
    m_grid->setVisible(true);
}

void frmSTW::cmdRefresh_Click()
{
    if (!m_refresh->isEnabled() || !m_grid->commitEditor() || !AskIgnoreChanges())
        return;
    setStatus(QStringLiteral("Refreshing..."));
    m_state = m_rights.mayAdd || m_rights.mayDelete || m_rights.mayChange ? Editable : ViewOnly;
    reloadData();
    setReady();
}

void frmSTW::cmdOK_Click()
{
    tellSortedSaveOrder();
    // Without a loaded header there are no columns, and the empty save text would empty the server's table.
    if (m_state != Editable || !m_rights.mayChange || m_table.columnCount() < 2)
        return;
    // A value still in the cell editor belongs to the post: a value its checks refuse stops the post with
    // everything left as it is.
    if (!m_grid->commitEditor())
        return;
    GRIDMarkRequiredCells();
    if (!m_requiredCells.empty()) {
        ShowFillRequiredStatus();
        m_grid->redraw();
        const auto [row, col] = *m_requiredCells.begin();
        m_grid->setCurrentCell(row, col);
        m_grid->scrollCellIntoView(row, col);
        tell(WireCodec::toWireLossy(m_status->text()), PromptIcon::Warning);
        return;
    }
    if (!STWSave())
        return;
    auto display = SharedState::instance().displaySettings;
    if (display && display->closeAfterPost()) {
        markSettled();
        accept();
        return;
    }
    STWShow(QStringLiteral("Codes Cross Reference"));
}

bool frmSTW::STWSave()
{
    try {
        std::string& saveText = m_saveText;
        std::vector<std::string> requests;
        {
            BusyPointer busy(m_hourglass);
            setStatus(QStringLiteral("Saving..."));
            StwSave::saveText(m_table, saveText);
        }
        // An empty save text empties the server's table: that needs the operator's word.
        if (saveText.empty() && m_table.receivedRowCount() > 0) {
            const std::string question = "Delete all " + std::to_string(m_table.receivedRowCount()) + " rows of "
                + WireCodec::toWire(m_title).value_or(std::string()) + "?";
            Prompt prompt {SharedState::instance().messageTitle(), question, PromptIcon::Warning, PromptButtons::YesNo};
            prompt.defaultAnswer = PromptAnswer::No;
            if (SharedState::instance().prompter().ask(prompt) != PromptAnswer::Yes) {
                setReady();
                return false;
            }
        }
        {
            BusyPointer busy(m_hourglass);
            std::string single = StwSave::singleRequest(saveText);
            if (single.size() <= StwSave::maxRequestLength) {
                requests.push_back(std::move(single));
            } else {
                std::vector<std::string> pieces;
                bool cut = false;
                if (auto utils = SharedState::instance().utils)
                    utils->SplitByLength(saveText, pieces, static_cast<std::int32_t>(StwSave::pieceLength), false, cut);
                // The server takes a piece shorter than the full length as the end of the post, so pieces cut in
                // any other way are cut again here.
                if (!cut || !StwSave::piecesFit(saveText, pieces))
                    pieces = TextFields::splitByLength(saveText, StwSave::pieceLength);
                requests = StwSave::pieceRequests(std::move(pieces));
            }
        }
        const std::string kept = "Your changes are still in this window.";
        for (std::size_t i = 0; i < requests.size(); ++i) {
            const std::string& request = requests[i];
            LinesReply reply;
            {
                BusyPointer busy(m_hourglass);
                reply = ServerRequest::viaLines(request);
            }
            const bool answered = reply.sent
                && std::any_of(reply.lines.begin(), reply.lines.end(), [](const std::string& l) { return !l.empty(); });
            if (!answered) {
                Log::line(Log::commFailureText("DirectComm", "frmSTW.STWSave") + "\r\n" + request);
                // Only the last request completes a post; before it the server has stored nothing. After it, the
                // post may have been stored with only its answer lost. Posting again is safe either way, as a post
                // replaces the whole table.
                const bool last = i + 1 == requests.size();
                const std::string outcome = last ? "The practice server did not confirm the post, so it is not known "
                                                   "whether the changes were saved."
                                                 : "The changes were not saved: the connection to the practice "
                                                   "server failed.";
                const std::string next
                    = last ? " Post again to make sure they are saved." : " Post again when the connection is back.";
                tell(outcome + "\r\n" + kept + next, PromptIcon::Warning);
                setReady();
                return false;
            }
            const std::string line(ReplyFraming::withoutLeadingMarker(reply.firstLine()));
            if (ReplyFraming::isErrorLine(reply.firstLine())) {
                tell(line + "\r\n\r\nThe changes were not saved. " + kept);
                Log::line("ERR in frmSTW.STWSave after " + request + "\r\n" + line);
                setReady();
                return false;
            }
        }
        setStatus(QStringLiteral("Refreshing..."));
        reloadData();
        m_unsaved = false;
        setReady();
        repaint();
        return true;
    } catch (...) {
        Log::error("Error in frmSTW/STWSave, ", Log::describeCurrentException());
        setReady();
        return false;
    }
}

void frmSTW::cmdFind_Click()
{
    const auto typed = WireCodec::toWireChecked(m_findText->text(), tr("Find"));
    if (!typed)
        return;
    const auto pattern = StwFindPattern::parse(*typed);
    if (!pattern)
        return;
    const int column = m_columns->currentIndex() <= 0 ? 0 : m_columns->currentIndex() + 1;
    int row = 0;
    int col = 0;
    m_grid->currentCell(row, col);
    const int lastRow = m_table.rowCount() - 1;
    const bool fromTop = row < 1;
    auto hit = StwFind::next(m_table, *pattern, fromTop ? 1 : row, fromTop ? 0 : col, column, lastRow);
    const std::string quoted = "\"" + pattern->needle + "\"";
    if (!hit && !fromTop) {
        if (ask("Cannot find " + quoted + ".\r\nDo you want to start from the beginning?", PromptButtons::YesNo,
                PromptAnswer::Yes)
            != PromptAnswer::Yes)
            return;
        hit = StwFind::next(m_table, *pattern, 1, 0, column, row);
    }
    if (!hit) {
        tell("Cannot find " + quoted + ".", PromptIcon::Information);
        return;
    }
    m_grid->setCurrentCell(hit->row, hit->col);
    m_grid->scrollCellIntoView(hit->row, hit->col);
}

void frmSTW::zoomBy(int step)
{
    const bool allowed = step > 0 ? m_zoom <= 500 : m_zoom >= 20;
    if (allowed && m_grid->setZoom(m_zoom + step))
        m_zoom += step;
}

QString frmSTW::printedText(int row, int col, int& check)
{
    CellStyle style;
    GetStyleRowCol(row, col, style);
    check = -1;
    if (row > 0 && style.editor == CellEditor::CheckBox) {
        check = style.value == QLatin1String("1") ? 1 : 0;
        return style.choices.isEmpty() ? QString() : style.choices.front().left(200);
    }
    return style.value.left(200);
}

std::vector<frmSTW::PrintPage> frmSTW::printLayout(QPrinter* printer)
{
    std::vector<PrintPage> pages;
    const QRectF page = printer->pageRect(QPrinter::DevicePixel);
    const QRectF area(0, 0, page.width(), page.height());
    QFont font = QApplication::font();
    font.setPointSizeF(9);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF metrics(font, printer);
    const QFontMetricsF boldMetrics(bold, printer);
    const double lineHeight = metrics.height() * 1.3;
    const double pad = metrics.averageCharWidth() * 0.6;
    const double pixel = printer->resolution() / 96.0;
    const double multiplier = SharedState::instance().display.columnWidthMultiplier;

    // Each column as wide as on screen, and never narrower than its heading; too many columns for one page width are
    // split across pages rather than squeezed.
    const int columns = m_table.columnCount();
    std::vector<double> widths(static_cast<std::size_t>(std::max(columns, 1)), 0.0);
    std::vector<QString> headings(static_cast<std::size_t>(std::max(columns, 1)));
    for (int col = 1; col < columns; ++col) {
        int check = -1;
        headings[static_cast<std::size_t>(col)] = printedText(0, col, check);
        const double natural = std::max(4.0, m_table.column(col).width * multiplier) * pixel;
        const double heading = boldMetrics.horizontalAdvance(headings[static_cast<std::size_t>(col)]) + 2 * pad;
        widths[static_cast<std::size_t>(col)] = std::min(std::max(natural, heading), area.width());
    }
    std::vector<std::vector<int>> bands;
    const bool repeatFirst = columns > 2 && widths[1] < area.width() / 4;
    for (int col = 1; col < columns;) {
        // Later pages repeat the first column, so each row can still be told by it.
        std::vector<int> band;
        double used = 0;
        if (!bands.empty() && repeatFirst) {
            band.push_back(1);
            used = widths[1];
        }
        const std::size_t repeated = band.size();
        while (col < columns
               && (band.size() == repeated || used + widths[static_cast<std::size_t>(col)] <= area.width())) {
            band.push_back(col);
            used += widths[static_cast<std::size_t>(col)];
            ++col;
        }
        bands.push_back(std::move(band));
    }
    if (bands.empty())
        bands.emplace_back();

    // Rows as the grid shows them; the empty new-entry row is not printed.
    int lastRow = m_table.rowCount() - 1;
    if (m_table.hasNewEntryRow() && m_table.rowIsEmpty(lastRow))
        --lastRow;
    const double top = lineHeight * 2.5; // title and date, then the headings
    const double bottom = area.height() - lineHeight * 1.5; // the page number
    const int rowsPerPage = std::max(1, static_cast<int>((bottom - top - lineHeight) / lineHeight));
    const int rowChunks = std::max(1, (lastRow + rowsPerPage - 1) / rowsPerPage);
    const int total = rowChunks * static_cast<int>(bands.size());
    const QString title = m_title.isEmpty() ? windowTitle() : m_title;
    const QString date = wire(formatDate(currentDate()));

    for (int chunk = 0; chunk < rowChunks; ++chunk) {
        for (const std::vector<int>& band : bands) {
            PrintPage printed;
            const int number = static_cast<int>(pages.size()) + 1;
            printed.cells.push_back(
                {QRectF(0, 0, area.width(), lineHeight), title, Qt::AlignLeft | Qt::AlignVCenter, true, -1});
            printed.cells.push_back(
                {QRectF(0, 0, area.width(), lineHeight), date, Qt::AlignRight | Qt::AlignVCenter, false, -1});
            printed.cells.push_back({QRectF(0, area.height() - lineHeight, area.width(), lineHeight),
                                     tr("Page %1 of %2").arg(number).arg(total), Qt::AlignCenter, false, -1});
            const int firstRow = chunk * rowsPerPage + 1;
            const int lastOnPage = std::min(lastRow, firstRow + rowsPerPage - 1);
            // The headings first, on every page, then this page's rows.
            for (int dataRow = 0; dataRow <= lastOnPage; dataRow = dataRow == 0 ? firstRow : dataRow + 1) {
                const double y = dataRow == 0 ? top : top + (dataRow - firstRow + 1) * lineHeight;
                double x = 0;
                for (int col : band) {
                    const double width = widths[static_cast<std::size_t>(col)];
                    int check = -1;
                    QString text = headings[static_cast<std::size_t>(col)];
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
                    if (dataRow > 0) {
                        text = printedText(dataRow, col, check);
                        CellStyle style;
                        GetStyleRowCol(dataRow, col, style);
                        if (check >= 0)
                            alignment = Qt::AlignCenter;
                        else if (style.alignment & Qt::AlignRight)
                            alignment = Qt::AlignRight | Qt::AlignVCenter;
                        else if (style.alignment & Qt::AlignHCenter)
                            alignment = Qt::AlignCenter;
                    }
                    printed.cells.push_back(
                        {QRectF(x + pad, y, width - 2 * pad, lineHeight), text, alignment, dataRow == 0, check});
                    x += width;
                }
                if (dataRow == 0)
                    printed.headingLine = QLineF(0, y + lineHeight, x, y + lineHeight);
            }
            pages.push_back(std::move(printed));
        }
    }
    return pages;
}

void frmSTW::printGrid(QPrinter* printer)
{
    try {
        const std::vector<PrintPage> pages = printLayout(printer);
        QPainter painter(printer);
        QFont font = QApplication::font();
        font.setPointSizeF(9);
        QFont bold = font;
        bold.setBold(true);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i > 0)
                printer->newPage();
            painter.setPen(Qt::black);
            painter.drawLine(pages[i].headingLine);
            for (const PrintCell& cell : pages[i].cells) {
                painter.setFont(cell.bold ? bold : font);
                QString text = cell.text;
                QRectF textRect = cell.rect;
                if (cell.check >= 0) {
                    // A check cell prints a box, ticked when checked, and its caption.
                    const double side = std::min(cell.rect.height() * 0.6, painter.fontMetrics().height() * 0.8);
                    const double captionWidth
                        = text.isEmpty() ? 0 : painter.fontMetrics().horizontalAdvance(text) + side / 2;
                    const double left = cell.rect.center().x() - (side + captionWidth) / 2;
                    const QRectF box(std::max(cell.rect.left(), left), cell.rect.center().y() - side / 2, side, side);
                    painter.drawRect(box);
                    if (cell.check == 1) {
                        const QPointF tick[3] = {QPointF(box.left() + side * 0.2, box.top() + side * 0.55),
                                                 QPointF(box.left() + side * 0.42, box.bottom() - side * 0.2),
                                                 QPointF(box.right() - side * 0.15, box.top() + side * 0.2)};
                        painter.drawPolyline(tick, 3);
                    }
                    textRect.setLeft(box.right() + side / 2);
                    if (text.isEmpty())
                        continue;
                    painter.drawText(
                        textRect, Qt::AlignLeft | Qt::AlignVCenter,
                        painter.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(textRect.width())));
                    continue;
                }
                painter.drawText(
                    textRect, cell.alignment,
                    painter.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(textRect.width())));
            }
        }
    } catch (...) {
        Log::error("ERR in frmSTW.printGrid   ", Log::describeCurrentException());
    }
}

void frmSTW::cmdPreview_Click()
{
    auto* preview = new QPrintPreviewDialog(this);
    preview->setObjectName(QStringLiteral("STWPreview"));
    // A grid wider than a portrait page prints across the page.
    double width = 0;
    for (int col = 1; col < m_table.columnCount(); ++col)
        width += m_table.column(col).width * SharedState::instance().display.columnWidthMultiplier;
    const QPageLayout layout = preview->printer()->pageLayout();
    if (width > layout.paintRectPixels(96).width())
        preview->printer()->setPageOrientation(QPageLayout::Landscape);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowTitle(windowTitle());
    connect(preview, &QPrintPreviewDialog::paintRequested, this, &frmSTW::printGrid);
    preview->open();
}

void frmSTW::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F5 && m_refresh->isVisible() && m_refresh->isEnabled()) {
        cmdRefresh_Click();
        return;
    }
    if (event->key() == Qt::Key_F3) {
        cmdFind_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmSTW::settlePendingChanges()
{
    // Text still in a cell editor is the operator's work too: it is stored (or refused, keeping the window) before
    // the question about unsaved changes.
    return m_grid->commitEditor() && AskIgnoreChanges();
}

} // namespace corvane
