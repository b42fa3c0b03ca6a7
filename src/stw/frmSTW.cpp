#include "frmSTW.h"

#include "CommonRoutines.h"
#include "DateRule.h"
#include "Log.h"
#include "ReplyFraming.h"
#include "ServerRequest.h"
#include "SharedState.h"
#include "StwFind.h"
#include "StwSave.h"
#include "StwSort.h"
#include "Text.h"
#include "TextFields.h"
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

#include <charconv>
#include <cstdio>

namespace corvane {

namespace {

// Copy Row's cells, columns 1 to 13; column 0 empty.
constexpr std::string_view copyTemplate
    = "\t01pZ0\t104WZ1\t05WZ0\t01kZ0\t05WZ0\t01kZ0\t05WZ0\t01kZ0\t05WZ0\t01kZ0\t004WZ1"
      "\t05WZ0\t01kZ0";
constexpr std::string_view errorHeaderCode = "11WR0";
const char* const readyStatus = "Click on Column Header to sort.";

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

std::string appTitle()
{
    return SharedState::instance().messageTitle();
}

void tell(const std::string& text, PromptIcon icon = PromptIcon::None, const std::string& title = appTitle())
{
    SharedState::instance().prompter().ask({title, text, icon, PromptButtons::Ok});
}

/// The text of a number, as a numeric value reads it; nothing when the text is not a number.
std::optional<double> numericValue(std::string_view text)
{
    std::string digits;
    for (char c : text::trim(text)) {
        if (c != '$' && c != ',' && c != ' ')
            digits += c;
    }
    if (digits.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::string formatFixed2(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
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
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_hourglass->setVisible(true);
    }
    ~BusyPointer()
    {
        m_hourglass->setVisible(false);
        QApplication::restoreOverrideCursor();
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    QLabel* m_hourglass;
};

} // namespace

frmSTW::frmSTW(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSTW"));
    buildWindow();
}

frmSTW::~frmSTW() = default;

void frmSTW::buildWindow()
{
    m_grid = new CorvaneGrid(this);
    m_grid->setObjectName(QStringLiteral("grdMain"));
    m_grid->setStyleSource(this);
    m_newRow = makeButton(this, "cmdNewRow", QStringLiteral(" New Row "));
    m_copyRow = makeButton(this, "cmdCopyRow", QStringLiteral(" Copy Row "));
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
    m_copyRow->setToolTip(tr("Add a row from the copy template"));
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
    connect(m_findText, &QLineEdit::returnPressed, this, &frmSTW::cmdFind_Click);
    connect(m_grid, &CorvaneGrid::clickedButton, this, &frmSTW::grdMain_OnClickedButtonRowCol);
    connect(m_grid, &CorvaneGrid::leftClick, this, &frmSTW::grdMain_OnLButtonClickedRowCol);
    connect(m_grid, &CorvaneGrid::initCurrentCell, this, [this](int, int) { m_grid->redraw(); });
    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, this, [this] {
        m_findText->setFocus();
        m_findText->selectAll();
    });
}

bool frmSTW::STWShow(const QString& title)
{
    try {
        setWindowTitle(title);
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
        m_unsaved = false;
        STWGetData();
        FillcboColumns();
        applyStateToButtons();
        setReady();
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
    m_rights = {};
    auto utils = SharedState::instance().utils;
    if (!utils)
        return;
    std::shared_ptr<RightsList> rights;
    utils->GetRightsList(rights);
    if (rights) {
        if (auto entry = rights->entry("STW"))
            m_rights = *entry;
    }
}

void frmSTW::applyStateToButtons()
{
    const bool editable = m_state == Editable;
    m_newRow->setEnabled(editable && m_rights.mayAdd);
    m_copyRow->setEnabled(editable && m_rights.mayAdd);
    m_delRow->setEnabled(editable && m_rights.mayDelete);
    m_post->setEnabled(editable && m_rights.mayChange);
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
    if (SharedState::instance().developerMode())
        tell(request + "\r\n\r\n" + data, PromptIcon::None, appTitle() + " (DBG only)");
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
        m_grid->lockPainting(true);
        m_grid->setColumnCount(std::max(m_table.columnCount() - 1, 0));
        m_grid->setRowCount(std::max(m_table.rowCount() - 1, 0));
        const double multiplier = SharedState::instance().display.columnWidthMultiplier;
        m_grid->setColumnWidth(0, 48);
        for (int col = 1; col < m_table.columnCount(); ++col)
            m_grid->setColumnWidth(col, std::max(24, static_cast<int>(m_table.column(col).width * multiplier)));
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
        m_columns->addItem(wire(m_table.column(col).caption));
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

QColor frmSTW::colourOf(char letter, const QColor& fallback) const
{
    const std::uint32_t bgr = SharedState::instance().colourForLetter(letter, 0xFFFFFFFF);
    if (bgr == 0xFFFFFFFF)
        return fallback;
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
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
            style.value = wire(column.caption);
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
        splitLookupResult(row, col);
        const std::string_view cell = m_table.cell(row, col);
        const StwCellFormat f = StwCellFormat::of(cell);
        const std::string_view cellText = StwCellFormat::textOf(cell);
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
            style.choices = cellText.empty() ? QStringList() : choiceList(cellText.front());
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
            const auto amount = numericValue(cellText);
            style.value = amount ? QStringLiteral("$ ") + QString::fromLatin1(formatFixed2(*amount).c_str()) : shown;
            break;
        }
        case '9': {
            style.editor = CellEditor::Numeric;
            style.numericDecimals = 2;
            style.numericDigits = 6;
            const auto number = numericValue(cellText);
            style.value = number ? QString::fromLatin1(formatFixed2(*number).c_str())
                                 : (cellText.empty() ? QStringLiteral("0.00") : shown);
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
            const auto number = numericValue(cellText);
            style.value = number ? QString::number(*number, 'g', 15) : shown;
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
        style.background = colourOf(background, white);
        style.textColour = colourOf(textColour, black);
        if (m_requiredCells.count({row, col}))
            style.background = colourOf('y', QColor(255, 255, 208));
        if (!m_rights.mayChange || m_state != Editable) {
            style.readOnly = true;
            const std::uint32_t disabled
                = static_cast<std::uint32_t>(SharedState::instance().display.disabledCellColour);
            style.background = QColor(static_cast<int>(disabled & 0xFF), static_cast<int>((disabled >> 8) & 0xFF),
                                      static_cast<int>((disabled >> 16) & 0xFF));
        }
    } catch (...) {
        Log::error("Error in frmSTW\\GetStyleRowCol, ", Log::describeCurrentException());
    }
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
    m_invalidEntry = false;
    if (f.kind == '2' && !GRIDValidateDate(value))
        return false;
    if (f.kind == '5' && !GRIDCodesLookup(row, col, value))
        return false;
    if ((f.kind == '9' || f.kind == 'A' || f.kind == '8') && !value.trimmed().isEmpty()
        && !numericValue(WireCodec::toWireLossy(value))) {
        setStatus(tr("Please enter a number."));
        return false;
    }
    const auto typed = WireCodec::toWireOrComplain(value, tr("The cell"));
    if (!typed)
        return false;
    std::string code = *typed;
    const std::string& separator = SharedState::instance().display.lookupSeparator;
    if (!separator.empty())
        code = code.substr(0, code.find(separator));
    return GridUniqueCheck(code, col, row);
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
        newText = (oldText.empty() ? std::string("1") : std::string(1, oldText.front())) + *typed;
        break;
    case '8':
    case '9': {
        for (char c : text::trim(*typed)) {
            if (c != '$' && c != ',' && c != ' ')
                newText += c;
        }
        if (newText.empty() && f.kind == '9')
            newText = "0";
        break;
    }
    default:
        newText = *typed;
        break;
    }
    m_table.setCell(row, col, withCode(newText, f));
    splitLookupResult(row, col);
    m_table.setMarked(row, true);
    m_unsaved = true;
    if (row == m_table.rowCount() - 1)
        GRIDCheckIfNeedNewRow();
    GRIDMarkRequiredCells();
    setReady();
    m_grid->redraw();
    return true;
}

bool frmSTW::GRIDValidateDate(QString& value)
{
    try {
        const std::string typed = WireCodec::toWireLossy(value.trimmed());
        if (typed.empty())
            return true;
        const CivilDate today = currentDate();
        const auto date = parseDateText(typed, false, today);
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
        const std::string typed = WireCodec::toWireLossy(value.trimmed());
        const std::string code = state.display.lookupSeparator.empty()
            ? typed
            : typed.substr(0, typed.find(state.display.lookupSeparator));
        if (code.empty() || !state.serverUtils)
            return true;
        CodeVerdict verdict;
        state.serverUtils->ValidateCode(m_table.column(col).lookupName, code, state.contextKey, verdict);
        if (verdict.status == "NOT VALID") {
            setStatus(tr("%1 is not a valid code.").arg(wire(code)));
            state.prompter().beep();
            return false;
        }
        if (!verdict.description.empty() && !state.display.lookupSeparator.empty())
            value = wire(code + state.display.lookupSeparator
                         + verdict.description.substr(0, verdict.description.find('|')));
        return true;
    } catch (...) {
        Log::error("ERR in frmSTW.GRIDCodesLookup   ", Log::describeCurrentException());
        return false;
    }
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
    // Only rows with something in them must be completed; the empty new-entry row is not asked for anything.
    for (int row = 1; row < m_table.rowCount(); ++row) {
        if (m_table.rowIsEmpty(row))
            continue;
        for (int col = 1; col < m_table.columnCount(); ++col) {
            const bool required = m_table.column(col).required || m_table.format(row, col).isRequired();
            if (required && text::trim(m_table.text(row, col)).empty())
                m_requiredCells.insert({row, col});
        }
    }
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
                  .arg(wire(m_table.column(col).caption))
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
        std::vector<std::string> cells = blankRowCells();
        const auto pieces = text::split(copyTemplate, '\t');
        for (std::size_t col = 1; col < pieces.size() && col < cells.size(); ++col)
            cells[col] = std::string(pieces[col]);
        const int at = m_table.hasNewEntryRow() ? m_table.rowCount() - 1 : m_table.rowCount();
        m_table.insertRow(at, cells);
        m_table.setMarked(at, true);
        m_grid->setRowCount(m_table.rowCount() - 1);
        m_unsaved = true;
        m_grid->redraw();
        m_grid->setCurrentCell(at, std::min(2, m_grid->columnCount()));
        updateTotals();
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
    if (m_rights.mayAdd && m_state == Editable)
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
    QString value = wire(m_table.text(row, col));
    if (f.kind == '5') {
        LookupCall call;
        call.searchText = std::string(m_table.text(row, col));
        call.parent = this;
        const std::string chosen = GeneralLookup(m_table.column(col).lookupName, call, [this] { m_grid->redraw(); });
        if (chosen == "CANCEL" || chosen.empty())
            return;
        value = wire(chosen);
    } else if (f.kind == '2') {
        auto utils = SharedState::instance().utils;
        if (!utils)
            return;
        const std::string picked = utils->PickDate(std::string(m_table.text(row, col)), m_grid, this);
        if (picked.empty())
            return;
        value = wire(picked);
    } else {
        return;
    }
    if (m_grid->isEditing())
        m_grid->setFocus();
    m_grid->setValue(row, col, value);
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
    const PromptAnswer answer = SharedState::instance().prompter().ask(
        {appTitle(), " There are unsaved changes. \r\n Continue without saving? ", PromptIcon::Critical,
         PromptButtons::OkCancel});
    if (answer != PromptAnswer::Ok)
        return false;
    m_unsaved = false;
    return true;
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
    if (!m_refresh->isEnabled() || !AskIgnoreChanges())
        return;
    setStatus(QStringLiteral("Refreshing..."));
    m_state = m_rights.mayAdd || m_rights.mayDelete || m_rights.mayChange ? Editable : ViewOnly;
    reloadData();
    setReady();
}

void frmSTW::cmdOK_Click()
{
    if (m_state != Editable || !m_rights.mayChange)
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
        m_leaving = true;
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
            std::string single = StwSave::singleRequest(saveText);
            if (single.size() <= StwSave::maxRequestLength) {
                requests.push_back(std::move(single));
            } else {
                std::vector<std::string> pieces;
                bool cut = false;
                if (auto utils = SharedState::instance().utils)
                    utils->SplitByLength(saveText, pieces, static_cast<std::int32_t>(StwSave::maxRequestLength), false,
                                         cut);
                if (!cut || pieces.empty())
                    pieces = TextFields::splitByLength(saveText, StwSave::maxRequestLength);
                requests = StwSave::pieceRequests(std::move(pieces));
            }
        }
        for (const std::string& request : requests) {
            LinesReply reply;
            {
                BusyPointer busy(m_hourglass);
                reply = ServerRequest::viaLines(request);
            }
            if (!reply.sent) {
                Log::commFailure("DirectComm", "frmSTW.STWSave");
                tell(Log::commFailureText("DirectComm", "frmSTW.STWSave") + "\r\n" + request);
                setReady();
                return false;
            }
            const std::string line(ReplyFraming::withoutLeadingMarker(reply.firstLine()));
            if (ReplyFraming::isErrorLine(reply.firstLine())) {
                tell(line);
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
    const auto typed = WireCodec::toWire(m_findText->text());
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
        const PromptAnswer answer = SharedState::instance().prompter().ask(
            {appTitle(), "Cannot find " + quoted + ".\r\nDo you want to start from the beginning?",
             PromptIcon::Question, PromptButtons::YesNo});
        if (answer != PromptAnswer::Yes)
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

void frmSTW::printGrid(QPrinter* printer)
{
    QPainter painter(printer);
    const QRectF page = printer->pageRect(QPrinter::DevicePixel);
    const int lineHeight = painter.fontMetrics().height() + 4;
    const int columns = m_table.columnCount();
    std::vector<double> widths(static_cast<std::size_t>(std::max(columns, 1)), 0.0);
    double total = 0;
    for (int col = 1; col < columns; ++col) {
        widths[static_cast<std::size_t>(col)] = std::max(m_table.column(col).width, 4);
        total += widths[static_cast<std::size_t>(col)];
    }
    const double scale = total > 0 ? page.width() / total : 1.0;
    double y = 0;
    for (int row = 0; row < m_table.rowCount(); ++row) {
        if (y + lineHeight > page.height()) {
            printer->newPage();
            y = 0;
        }
        double x = 0;
        QFont font = painter.font();
        font.setBold(row == 0);
        painter.setFont(font);
        for (int col = 1; col < columns; ++col) {
            const double width = widths[static_cast<std::size_t>(col)] * scale;
            const QString value = row == 0 ? wire(m_table.column(col).caption) : wire(m_table.text(row, col));
            painter.drawText(QRectF(x + 2, y, width - 4, lineHeight), Qt::AlignVCenter | Qt::AlignLeft,
                             painter.fontMetrics().elidedText(value, Qt::ElideRight, static_cast<int>(width - 4)));
            x += width;
        }
        y += lineHeight;
    }
}

void frmSTW::cmdPreview_Click()
{
    auto* preview = new QPrintPreviewDialog(this);
    preview->setObjectName(QStringLiteral("STWPreview"));
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

void frmSTW::closeEvent(QCloseEvent* event)
{
    if (!m_leaving && !AskIgnoreChanges()) {
        event->ignore();
        return;
    }
    m_leaving = true;
    QDialog::closeEvent(event);
}

void frmSTW::reject()
{
    if (!m_leaving && !AskIgnoreChanges())
        return;
    m_leaving = true;
    QDialog::reject();
}

} // namespace corvane
