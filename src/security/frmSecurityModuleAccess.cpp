#include "frmSecurityModuleAccess.h"

#include "AccessExport.h"
#include "Log.h"
#include "Messages.h"
#include "SecurityTree.h"
#include "ServerRequest.h"
#include "SharedState.h"
#include "Text.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"
#include "grid/CorvaneGrid.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace corvane {

namespace {

constexpr int shownColumns = 6; // grid columns 1 to 6; column 0 (the module text) is the hidden row header
const QColor staticBackground(222, 222, 222);

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

Qt::Alignment alignmentOf(const std::string& format)
{
    const char a = format.size() == 5 ? format[4] : '0';
    return a == '2' ? Qt::AlignRight | Qt::AlignVCenter : a == '1' ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
}

double characterUnit()
{
    double unit = 0;
    if (auto utils = SharedState::instance().utils)
        utils->GetCharacterWidthUnit(unit);
    return unit > 0 ? unit : 7;
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

frmSecurityModuleAccess::frmSecurityModuleAccess(QWidget* parent)
    : frmSecurityPage(parent)
{
    setObjectName(QStringLiteral("frSecurityGrid"));
    m_grid = new CorvaneGrid(this);
    m_grid->setObjectName(QStringLiteral("grdSecurity"));
    m_grid->setStyleSource(this);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_export = makeButton(this, "cmdExport", tr("Expor&t..."));
    m_export->setToolTip(tr("Save this access list as a CSV file"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_export);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    connect(m_export, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, tr("Export access list"), wire(m_owner) + QStringLiteral(".csv"), tr("CSV files (*.csv)"));
        if (!path.isEmpty())
            exportCsv(path, m_owner);
    });
    // A click may change a whole module: every cell is asked again, in one repaint.
    connect(m_grid, &CorvaneGrid::clickedButton, this, [this](int, int) { m_grid->redraw(); });
}

frmSecurityModuleAccess::~frmSecurityModuleAccess()
{
    m_grid->setStyleSource(nullptr);
}

void frmSecurityModuleAccess::clearPage()
{
    m_access.clear();
    m_grid->clearSpans();
    clearGrid(*m_grid);
    m_export->setEnabled(false);
}

bool frmSecurityModuleAccess::loadPage(const SecurityContext& context)
{
    clearPage();
    setPageTitle(context.mayEdit ? tr("Module Access") : tr("View Module Access"));
    m_owner = context.kind == "G" ? "Security Group " + context.code : "Operator " + context.code;
    const std::string request = ModuleAccess::readRequest(context.kind, context.code);
    const LinesReply reply = ServerRequest::viaLines(request);
    if (!reply.sent) {
        Log::commFailure("DirectComm", "frmSecurity.ShowSecurity");
        tell(Log::commFailureText("DirectComm", "frmSecurity.ShowSecurity"));
        return false;
    }
    if (reply.isError()) {
        Log::line("ERR in frmSecurity.ShowSecurity after " + request + "\r\n" + reply.firstLine());
        tell(reply.firstLine());
        return false;
    }
    if (m_access.load(reply.lines, context.mayEdit) == ModuleAccess::Load::Failed) {
        Log::line(m_access.failureText());
        tell(m_access.failureText());
        return false;
    }
    fillGrid();
    return true;
}

void frmSecurityModuleAccess::fillGrid()
{
    m_grid->lockPainting(true);
    const bool noRows = m_access.state() == ModuleAccess::Load::NoRows;
    m_grid->setColumnCount(shownColumns);
    m_grid->setRowCount(noRows ? 1 : m_access.rowCount());
    if (noRows)
        m_grid->setSpan(0, 0, 1, shownColumns);
    applyWidths();
    m_grid->lockPainting(false);
    m_export->setEnabled(!noRows);
}

void frmSecurityModuleAccess::applyWidths()
{
    const double unit = characterUnit();
    int others = 0;
    for (int c = 0; c < ModuleAccess::columnCount; ++c) {
        // Two characters more than the text, for the cell's margins: an average character is narrower than a code's.
        const int characters = c == 0 ? 0 : m_access.column(c).shownWidth(c) + 2;
        m_widths[static_cast<std::size_t>(c)] = static_cast<int>(characters * unit);
        if (c != 2)
            others += m_widths[static_cast<std::size_t>(c)];
    }
    m_grid->setColumnWidth(0, 0);
    for (int c = 1; c < ModuleAccess::columnCount; ++c)
        m_grid->setColumnWidth(c, m_widths[static_cast<std::size_t>(c)]);
    // The description takes the room the other columns leave.
    const int room = m_grid->viewport()->width() - others - 2;
    if (room > m_widths[2])
        m_grid->setColumnWidth(2, room);
}

void frmSecurityModuleAccess::resizeEvent(QResizeEvent* event)
{
    frmSecurityPage::resizeEvent(event);
    if (m_access.state() != ModuleAccess::Load::Failed)
        applyWidths();
}

bool frmSecurityModuleAccess::canSave() const
{
    return m_access.state() == ModuleAccess::Load::Rows && m_access.hasProgramRows();
}

bool frmSecurityModuleAccess::removesSecurityRight() const
{
    for (int r = 1; r <= m_access.rowCount(); ++r) {
        if (m_access.program(r) == "PRGL")
            return !m_access.access(r, 3).on || !m_access.access(r, 5).on;
    }
    return false;
}

std::optional<std::string> frmSecurityModuleAccess::savePage(const SecurityContext& context)
{
    const auto request = m_access.saveRequest(context.kind, context.code);
    if (!request)
        return std::nullopt;
    if (!sendSave(*request, "frmSecurity.cmdSave_Click"))
        return std::nullopt;
    return SecurityTree::savedText(context.code, context.ownSettings);
}

bool frmSecurityModuleAccess::findFrom(const std::string& typed, bool fromStart)
{
    int row = 0;
    int col = 0;
    m_grid->currentCell(row, col);
    const GridCell after = fromStart || row < 1 ? GridCell {0, 2} : GridCell {row, col};
    const auto found = m_access.findNext(typed, after);
    if (!found)
        return false;
    m_grid->setCurrentCell(found->row, found->column);
    m_grid->scrollCellIntoView(found->row, found->column);
    return true;
}

void frmSecurityModuleAccess::scrollOneRow(bool up)
{
    if (QScrollBar* bar = m_grid->verticalScrollBar())
        bar->setValue(bar->value() + (up ? -1 : 1));
}

bool frmSecurityModuleAccess::exportCsv(const QString& path, const std::string& owner)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        tell("The access list could not be written to " + WireCodec::toWireLossy(path) + ".\r\n"
                 + WireCodec::toWireLossy(file.errorString()),
             PromptIcon::Warning);
        return false;
    }
    // UTF-8 with its mark, so spreadsheet programs read the names right.
    const QByteArray bytes
        = QByteArrayLiteral("\xEF\xBB\xBF") + wire(AccessExport::moduleAccessCsv(m_access, owner)).toUtf8();
    return file.write(bytes) == bytes.size();
}

void frmSecurityModuleAccess::GetStyleRowCol(int row, int col, CellStyle& style)
{
    try {
        if (m_access.state() == ModuleAccess::Load::Failed)
            return;
        if (row == 0) {
            const AccessColumn& column = m_access.column(col);
            style.value = wire(column.title);
            style.alignment = alignmentOf(column.format);
            style.textColour = paletteColour(column.format.size() == 5 ? column.format[3] : 'A', QColor(Qt::black));
            style.background = colourFromBgr(SharedState::instance().lightBackground);
            style.enabled = false;
            return;
        }
        if (m_access.state() == ModuleAccess::Load::NoRows) {
            style.value = wire(ModuleAccess::noDataText);
            style.readOnly = true;
            style.background = staticBackground;
            return;
        }
        if (col < 3) {
            style.readOnly = true;
            style.background = staticBackground;
            // Asked for every cell on every paint: read straight from the page's text, without copies.
            const bool header = m_access.isHeader(row);
            const std::string_view text = col == 2 ? m_access.description(row)
                : col == 1                         ? m_access.program(row)
                                                   : m_access.module(row);
            if (header && col < 2)
                return;
            style.value = col == 2 && !header ? QStringLiteral("    ") + wire(text) : wire(text);
            if (col == 2 && header) {
                style.hasFont = true;
                style.font = m_grid->font();
                style.font.setBold(true);
            }
            if (const std::string_view tip = trimmed(text); !tip.empty())
                style.toolTip = QLatin1Char(' ') + wire(tip) + QLatin1Char(' ');
            return;
        }
        style.editor = CellEditor::CheckBox;
        style.alignment = Qt::AlignCenter;
        style.background = QColor(Qt::white);
        const AccessCell& cell = m_access.access(row, col);
        style.enabled = cell.enabled;
        if (m_access.isHeader(row)) {
            const HeaderState state = m_access.headerState(row, col);
            style.value = state == HeaderState::All ? QStringLiteral("1")
                : state == HeaderState::Some        ? QStringLiteral("2")
                                                    : QStringLiteral("0");
            style.toolTip = state == HeaderState::All ? QStringLiteral(" YES ")
                : state == HeaderState::Some          ? QStringLiteral(" SOME ")
                                                      : QStringLiteral(" NO ");
            return;
        }
        style.value = cell.on ? QStringLiteral("1") : QStringLiteral("0");
        style.toolTip = cell.on ? QStringLiteral(" YES ") : QStringLiteral(" NO ");
    } catch (...) {
        Log::error("Error in frmSecurity_grdSecurity_GetStyleRowCol ", Log::describeCurrentException());
    }
}

bool frmSecurityModuleAccess::StoreValueRowCol(int row, int col, const QString&)
{
    try {
        if (col < 3 || !m_access.click(row, col))
            return false;
        Q_EMIT saveStateChanged();
        return true;
    } catch (...) {
        Log::error("Error in frmSecurity.grdSecurity_OnStartEditing ", Log::describeCurrentException());
        return false;
    }
}

} // namespace corvane
