#include "frmFaxShared.h"

#include "CommonRoutines.h"
#include "FaxCell.h"
#include "FaxRequests.h"
#include "Log.h"
#include "Messages.h"
#include "ServerRequest.h"
#include "SharedState.h"
#include "Text.h"
#include "WaitPointer.h"
#include "WidgetRoutines.h"
#include "WindowRunner.h"
#include "WireCodec.h"
#include "frmFaxRelated.h"
#include "grid/CorvaneGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include <set>

namespace corvane {

namespace {

constexpr const char* tabCodes[frmFaxShared::tabCount] = {"ACTIVE", "SENT", "ERROR", "STATS"};
constexpr const char* tabCaptions[frmFaxShared::tabCount] = {"Active", "Sent", "Failed", "Statistics"};
constexpr const char* queueCaption = "Fax/Email Queue";
constexpr const char* faxTitle = "Fax";
constexpr int defaultReloadInterval = 5000;
/// The active tab reloads itself only while this few chunks are loaded, so a long scroll is never repeated.
constexpr int reloadChunkLimit = 5;

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

} // namespace

/// One tab's grid: column 1 is the tick box, the others show the listing's values without their suffixes.
class frmFaxShared::TabSource final : public GridStyleSource {
public:
    explicit TabSource(FaxQueueTab& tab)
        : m_tab(tab)
    {
    }

    void GetStyleRowCol(int row, int col, CellStyle& style) override
    {
        try {
            const FaxTable& table = m_tab.table();
            if (col == 0) {
                style.value = QString::number(row);
                return;
            }
            const int column = col - 1;
            if (row == 0) {
                style.value = wire(FaxCell::value(table.heading(column)));
                return;
            }
            const std::string_view cell = table.cell(row - 1, column);
            const std::string_view suffix = FaxCell::suffix(cell);
            style.readOnly = true;
            if (column == 0) {
                style.editor = CellEditor::CheckBox;
                style.readOnly = false;
                style.alignment = Qt::AlignCenter;
                style.value = m_tab.ticked(row - 1) ? QStringLiteral("1") : QStringLiteral("0");
                return;
            }
            style.value = wire(FaxCell::value(cell));
            if (const char back = FaxCell::backgroundLetter(suffix))
                style.background = paletteColour(back, QColor());
            if (const char fore = FaxCell::textLetter(suffix))
                style.textColour = paletteColour(fore, QColor());
            if (m_tab.reasonColumn() >= 0) {
                const std::string_view reason = m_tab.value(row - 1, m_tab.reasonColumn());
                if (!reason.empty())
                    style.toolTip = QStringLiteral("Reason: ") + wire(reason);
            } else if (!style.value.isEmpty()) {
                style.toolTip = style.value;
            }
        } catch (...) {
            Log::error("FAX/Email InitCell error: ", Log::describeCurrentException());
        }
    }

    bool StoreValueRowCol(int row, int col, const QString& value) override
    {
        if (row < 1 || col != 1)
            return false;
        m_tab.setTicked(row - 1, value == QLatin1String("1"));
        return true;
    }

    bool OnValidateCell(int row, int col, QString& value) override
    {
        (void)value;
        // Only the tick box changes; every other cell shows what the server sent.
        return row >= 1 && col == 1;
    }

private:
    FaxQueueTab& m_tab;
};

frmFaxShared::frmFaxShared(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFaxShared"));
    setWindowTitle(QString::fromLatin1(queueCaption));
    for (int i = 0; i < tabCount; ++i)
        m_tabs[static_cast<std::size_t>(i)] = FaxQueueTab(tabCodes[i]);
    buildWindow();
}

frmFaxShared::~frmFaxShared() = default;

void frmFaxShared::buildWindow()
{
    m_tabWidget = new QTabWidget(this);
    m_tabWidget->setObjectName(QStringLiteral("ssFaxTab"));
    QFont gridFont(QStringLiteral("Tahoma"));
    gridFont.setPointSize(font().pointSize());
    for (int i = 0; i < tabCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        m_sources[index] = std::make_unique<TabSource>(m_tabs[index]);
        auto* grid = new CorvaneGrid(m_tabWidget);
        grid->setObjectName(QStringLiteral("grid_%1").arg(i));
        grid->setFont(gridFont);
        grid->setStyleSource(m_sources[index].get());
        grid->verticalHeader()->hide();
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        // Tab leaves the grid: the queue is read, not typed into.
        grid->keyDownHook = [this, grid](QKeyEvent* event) {
            int row = 0;
            int col = 0;
            grid->currentCell(row, col);
            // Space before any row was chosen ticks the first job.
            if (event->key() == Qt::Key_Space && row == 0 && grid->rowCount() > 0)
                grid->setCurrentCell(1, 1);
            if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
                focusNextPrevChild(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
                return true;
            }
            return false;
        };
        connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { m_refreshTimer->start(); });
        // Tabbing into the grid lands on the first job, ready for Space to tick it.
        connect(grid, &CorvaneGrid::focusIn, this, [grid] {
            int row = 0;
            int col = 0;
            grid->currentCell(row, col);
            if (row == 0 && grid->rowCount() > 0)
                grid->setCurrentCell(1, 1);
        });
        m_grids[index] = grid;
        m_tabWidget->addTab(grid, QString::fromLatin1(tabCaptions[i]));
    }

    auto* lookupFrame = new QWidget(this);
    lookupFrame->setObjectName(QStringLiteral("frLookup"));
    m_searchText = new QLineEdit(lookupFrame);
    m_searchText->setObjectName(QStringLiteral("txtSearch"));
    m_searchText->setClearButtonEnabled(true);
    m_searchText->setPlaceholderText(tr("Job, fax number, recipient..."));
    m_searchText->installEventFilter(this);
    m_lookup = makeButton(lookupFrame, "cmdLookup", QStringLiteral("Search"));
    auto* lookupLayout = new QHBoxLayout(lookupFrame);
    lookupLayout->setContentsMargins(0, 0, 0, 0);
    auto* searchLabel = new QLabel(tr("&Find:"), lookupFrame);
    searchLabel->setBuddy(m_searchText);
    lookupLayout->addWidget(searchLabel);
    lookupLayout->addWidget(m_searchText, 1);
    lookupLayout->addWidget(m_lookup);

    m_suspend = new QCheckBox(QStringLiteral("Suspend all faxing"), this);
    m_suspend->setObjectName(QStringLiteral("chkSuspend"));
    m_suspendedBanner = new QLabel(tr("Faxing is suspended: no fax or e-mail goes out until it is resumed."), this);
    m_suspendedBanner->setObjectName(QStringLiteral("lblSuspended"));
    m_suspendedBanner->setStyleSheet(QStringLiteral("QLabel { background: #FFE0E0; color: #800000; padding: 4px; }"));
    m_suspendedBanner->setVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(lookupFrame, 1);
    top->addSpacing(24);
    top->addWidget(m_suspend);

    m_refresh = makeButton(this, "cmdRefresh", QStringLiteral("Refresh"));
    m_cancelFax = makeButton(this, "cmdCancelFax", QStringLiteral("Cancel Fax/Email"));
    m_resend = makeButton(this, "cmdResend", QStringLiteral("Resend"));
    m_close = makeButton(this, "cmdClose", QStringLiteral("Close"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_updated = new QLabel(this);
    m_updated->setObjectName(QStringLiteral("lblUpdated"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status);
    bottom->addSpacing(16);
    bottom->addWidget(m_updated);
    bottom->addStretch(1);
    bottom->addWidget(m_refresh);
    bottom->addWidget(m_cancelFax);
    bottom->addWidget(m_resend);
    bottom->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_suspendedBanner);
    layout->addWidget(m_tabWidget, 1);
    layout->addLayout(bottom);
    resize(1040, 580);

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setObjectName(QStringLiteral("tmrRefresh"));
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(40);
    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setObjectName(QStringLiteral("tmrReload"));
    m_reloadTimer->setInterval(defaultReloadInterval);

    connect(m_tabWidget, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_busy)
            ssFaxTab_Click(index);
    });
    connect(m_lookup, &QPushButton::clicked, this, &frmFaxShared::cmdLookup_Click);
    connect(m_searchText, &QLineEdit::textChanged, this, [this](const QString& text) {
        // The box's clear button (or emptying it) lifts the filter.
        if (text.isEmpty() && !m_search.empty())
            cmdLookup_Click();
    });
    connect(m_refresh, &QPushButton::clicked, this, &frmFaxShared::cmdRefresh_Click);
    connect(m_suspend, &QCheckBox::clicked, this, &frmFaxShared::chkSuspend_Click);
    connect(m_cancelFax, &QPushButton::clicked, this, &frmFaxShared::cmdCancelFax_Click);
    connect(m_resend, &QPushButton::clicked, this, &frmFaxShared::cmdResend_Click);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_refreshTimer, &QTimer::timeout, this, &frmFaxShared::tmrRefresh_Timer);
    connect(m_reloadTimer, &QTimer::timeout, this, &frmFaxShared::reloadKeepingPlace);
    auto* refreshKey = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(refreshKey, &QShortcut::activated, this, &frmFaxShared::cmdRefresh_Click);
    connect(this, &QDialog::finished, this, [this] {
        m_reloadTimer->stop();
        m_refreshTimer->stop();
    });
}

bool frmFaxShared::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_searchText && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter searches and goes no further, so it never also presses a button of the window.
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F4) {
            cmdLookup_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmFaxShared::ShowQueue(bool modal)
{
    m_search.clear();
    m_searchText->clear();
    m_tabWidget->setCurrentIndex(0);
    DisplayTab(0, m_search);
    m_reloadTimer->start();
    WindowRunner::open(*this, modal);
}

int frmFaxShared::currentTab() const
{
    return m_tabWidget->currentIndex();
}

void frmFaxShared::setReloadInterval(int milliseconds)
{
    if (milliseconds <= 0) {
        m_reloadTimer->stop();
        return;
    }
    m_reloadTimer->start(milliseconds);
}

int frmFaxShared::currentRow(int index) const
{
    int row = 0;
    int col = 0;
    m_grids[static_cast<std::size_t>(index)]->currentCell(row, col);
    return row - 1;
}

void frmFaxShared::applyButtons(int index)
{
    const FaxQueueTab& tab = m_tabs[static_cast<std::size_t>(index)];
    m_cancelFax->setEnabled(index == 0);
    m_resend->setEnabled(index != 0 && tab.hasJobs());
}

void frmFaxShared::DisplayTab(int index, const std::string& search)
{
    if (index < 0 || index >= tabCount)
        return;
    try {
        m_busy = true;
        FaxQueueTab& tab = m_tabs[static_cast<std::size_t>(index)];
        CorvaneGrid& grid = *m_grids[static_cast<std::size_t>(index)];
        tab.start(search);
        grid.lockPainting(true);
        clearGrid(grid);
        grid.lockPainting(false);
        applyButtons(index);
        m_updated->clear();
        if (loadChunk(index, true))
            fitColumns(index);
        applyButtons(index);
        showCounts(index);
        m_busy = false;
        m_refreshTimer->start();
    } catch (...) {
        m_busy = false;
        Log::error("FAX/Email DisplayTab error: ", Log::describeCurrentException());
    }
}

bool frmFaxShared::loadChunk(int index, bool first, bool quiet)
{
    FaxQueueTab& tab = m_tabs[static_cast<std::size_t>(index)];
    CorvaneGrid& grid = *m_grids[static_cast<std::size_t>(index)];
    const std::string request = tab.nextRequest();
    LinesReply reply;
    {
        WaitPointer wait;
        reply = ServerRequest::viaLines(request);
    }
    const char* where = first ? "Error in frmFaxShared.GetGridDataNew" : "Error in frmFaxShared.BuildGridMoreRows";
    if (!reply.sent) {
        Log::error("FAX/Email DisplayTab error: ", Log::commFailureText("DirectComm", where + 9) + " " + request);
        if (!quiet)
            tell(where, PromptIcon::Critical);
        return false;
    }
    const FaxListingPage page = FaxListing::read(reply.lines);
    if (page.kind == FaxListingPage::Kind::Error) {
        Log::error("FAX/Email DisplayTab error: ", page.errorText + " after " + request);
        if (!quiet)
            tell(page.errorText, PromptIcon::Critical, faxTitle);
        return false;
    }
    if (page.kind == FaxListingPage::Kind::Records && tab.table().columnCount() == 0 && page.headings.size() < 2) {
        Log::error("FAX/Email DisplayTab error: ", "a listing header without columns after " + request);
        if (!quiet)
            tell("error 1", PromptIcon::Critical, faxTitle);
        return false;
    }
    const int before = tab.rowCount();
    const bool firstColumns = tab.table().columnCount() == 0;
    tab.take(page);
    if (firstColumns && tab.table().columnCount() > 0)
        grid.setColumnCount(tab.table().columnCount());
    // New rows are inserted below the others: only what comes into view is painted.
    if (tab.rowCount() != before)
        grid.setRowCount(tab.rowCount());
    if (page.suspended)
        applySuspended(*page.suspended);
    showCounts(index);
    return true;
}

void frmFaxShared::fitColumns(int index)
{
    const FaxQueueTab& tab = m_tabs[static_cast<std::size_t>(index)];
    CorvaneGrid& grid = *m_grids[static_cast<std::size_t>(index)];
    const QFontMetrics metrics(grid.font());
    const int sample = std::min(tab.rowCount(), 60);
    for (int col = 0; col < tab.table().columnCount(); ++col) {
        int width = metrics.horizontalAdvance(wire(FaxCell::value(tab.table().heading(col)))) + 20;
        for (int row = 0; row < sample; ++row)
            width = std::max(width, metrics.horizontalAdvance(wire(tab.value(row, col))) + 16);
        grid.setColumnWidth(col + 1, std::clamp(width, 40, col == tab.reasonColumn() ? 420 : 260));
    }
}

void frmFaxShared::showCounts(int index)
{
    const FaxQueueTab& tab = m_tabs[static_cast<std::size_t>(index)];
    updateTabCaption(index);
    if (index != currentTab())
        return;
    QString status = tab.ended() ? QStringLiteral("Total: %1").arg(tab.rowCount())
                                 : QStringLiteral("Showing: %1").arg(tab.rowCount());
    if (!tab.search().empty())
        status += QStringLiteral("   (search: %1)").arg(wire(tab.search()));
    m_status->setText(status);
}

void frmFaxShared::updateTabCaption(int index)
{
    const FaxQueueTab& tab = m_tabs[static_cast<std::size_t>(index)];
    QString caption = QString::fromLatin1(tabCaptions[index]);
    if (index != 3 && tab.started())
        caption
            += tab.ended() ? QStringLiteral(" (%1)").arg(tab.rowCount()) : QStringLiteral(" (%1+)").arg(tab.rowCount());
    m_tabWidget->setTabText(index, caption);
}

void frmFaxShared::applySuspended(bool suspended)
{
    m_suspended = suspended;
    // Set quietly: only the operator's click sends the suspend request.
    m_suspend->setChecked(suspended);
    m_suspendedBanner->setVisible(suspended);
    setWindowTitle(QString::fromLatin1(queueCaption) + (suspended ? QStringLiteral(" - Suspended") : QString()));
}

void frmFaxShared::tmrRefresh_Timer()
{
    try {
        const int index = currentTab();
        if (m_busy || index < 0)
            return;
        FaxQueueTab& tab = m_tabs[static_cast<std::size_t>(index)];
        if (!tab.started() || tab.ended())
            return;
        CorvaneGrid& grid = *m_grids[static_cast<std::size_t>(index)];
        int bottom = grid.rowAt(grid.viewport()->height() - 1);
        if (bottom < 0)
            bottom = tab.rowCount() - 1;
        if (bottom < tab.rowCount() - 1 - loadAhead)
            return;
        m_busy = true;
        const bool loaded = loadChunk(index, false);
        m_busy = false;
        // The new rows may still leave the end in view (a short chunk, a tall window).
        if (loaded)
            m_refreshTimer->start();
    } catch (...) {
        m_busy = false;
        Log::error("FAX/Email Error in tmrRefresh: ", Log::describeCurrentException());
    }
}

void frmFaxShared::reloadKeepingPlace()
{
    try {
        const int index = currentTab();
        // Not while a message or the resend window is open over the queue.
        QWidget* modal = QApplication::activeModalWidget();
        if (m_busy || index != 0 || (modal && modal != this))
            return;
        FaxQueueTab& tab = m_tabs[0];
        CorvaneGrid& grid = *m_grids[0];
        if (grid.isEditing())
            return;
        const int loaded = tab.rowCount();
        if (loaded > reloadChunkLimit * 200)
            return;
        std::set<std::string> ticks;
        for (int row = 0; row < tab.rowCount(); ++row) {
            if (tab.ticked(row))
                ticks.insert(std::string(tab.key(row)));
        }
        int row = 0;
        int col = 0;
        grid.currentCell(row, col);
        const std::string currentKey = row >= 1 ? std::string(tab.key(row - 1)) : std::string();
        const int scroll = grid.verticalScrollBar()->value();

        m_busy = true;
        grid.lockPainting(true);
        tab.start(tab.search());
        grid.setRowCount(0);
        // Quiet: a server that stopped answering is not reported every few seconds.
        bool ok = loadChunk(0, true, true);
        for (int chunk = 1; ok && chunk < reloadChunkLimit && !tab.ended() && tab.rowCount() < loaded; ++chunk)
            ok = loadChunk(0, false, true);
        int newCurrent = -1;
        for (int r = 0; r < tab.rowCount(); ++r) {
            const std::string key(tab.key(r));
            if (ticks.count(key))
                tab.setTicked(r, true);
            if (!currentKey.empty() && key == currentKey)
                newCurrent = r;
        }
        if (newCurrent >= 0)
            grid.setCurrentCell(newCurrent + 1, std::max(col, 1));
        grid.verticalScrollBar()->setValue(scroll);
        grid.lockPainting(false);
        grid.redraw();
        m_busy = false;
        applyButtons(0);
        showCounts(0);
        if (ok)
            m_updated->setText(QStringLiteral("Updated ") + QTime::currentTime().toString(QStringLiteral("hh:mm:ss")));
    } catch (...) {
        m_busy = false;
        Log::error("FAX/Email DisplayTab error: ", Log::describeCurrentException());
    }
}

void frmFaxShared::ssFaxTab_Click(int index)
{
    DisplayTab(index, m_search);
}

void frmFaxShared::cmdLookup_Click()
{
    const QString typed = m_searchText->text().trimmed();
    const WireCodec::TypedText search = WireCodec::encodeTyped(typed, QStringLiteral("Search"));
    if (!search.wire || lookupCodeRefusal(*search.wire)) {
        tell("Invalid Search Criterion", PromptIcon::Warning, faxTitle);
        m_searchText->setFocus();
        return;
    }
    m_search = *search.wire;
    DisplayTab(currentTab(), m_search);
}

void frmFaxShared::cmdRefresh_Click()
{
    DisplayTab(currentTab(), m_search);
}

void frmFaxShared::chkSuspend_Click(bool checked)
{
    try {
        const std::string question
            = checked ? "Suspend all faxing? No fax or e-mail goes out until faxing is resumed." : "Resume all faxing?";
        if (ask(question, PromptButtons::YesNo, PromptAnswer::No, PromptIcon::Question, faxTitle)
            != PromptAnswer::Yes) {
            m_suspend->setChecked(!checked);
            return;
        }
        const StringReply reply = ServerRequest::viaString(FaxRequests::suspend(checked));
        if (!reply.sent) {
            Log::error("FAX/Email Suspend error: ",
                       Log::commFailureText("GetServerStringData", "frmFaxShared.Suspend"));
            tell(Log::commFailureText("GetServerStringData", "frmFaxShared.Suspend"), PromptIcon::Critical);
            m_suspend->setChecked(!checked);
            return;
        }
        if (text::startsWithNoCase(reply.text, "error")) {
            Log::error("FAX/Email Suspend error: ", reply.text);
            tell(reply.text, PromptIcon::Critical, faxTitle);
            m_suspend->setChecked(!checked);
            return;
        }
        // The listing's header says what the server now holds.
        DisplayTab(currentTab(), m_search);
    } catch (...) {
        Log::error("FAX/Email Suspend error: ", Log::describeCurrentException());
    }
}

void frmFaxShared::cmdCancelFax_Click()
{
    try {
        const int index = currentTab();
        const FaxQueueTab& tab = m_tabs[static_cast<std::size_t>(index)];
        const std::vector<int> rows = tab.chosenRows(currentRow(index));
        if (rows.empty() || !tab.hasJobs()) {
            tell("Select the jobs to cancel.", PromptIcon::Information, faxTitle);
            return;
        }
        const std::string question
            = rows.size() == 1 ? std::string("Cancel 1 job?") : "Cancel " + std::to_string(rows.size()) + " jobs?";
        if (ask(question, PromptButtons::YesNo, PromptAnswer::No, PromptIcon::Question, faxTitle) != PromptAnswer::Yes)
            return;
        std::string faxNumbers;
        for (int row : rows)
            faxNumbers.append(tab.fax(row)).append("\r\n");
        const StringReply reply = ServerRequest::viaString(FaxRequests::cancel(tab.jobsOf(rows)));
        if (!reply.sent) {
            Log::error("FAX/Email CancelFax error: ",
                       Log::commFailureText("GetServerStringData", "frmFaxShared.CancelFax"));
            tell(Log::commFailureText("GetServerStringData", "frmFaxShared.CancelFax"), PromptIcon::Critical);
        } else if (text::startsWithNoCase(reply.text, "error")) {
            Log::error("FAX/Email CancelFax error: ", reply.text);
            tell(reply.text, PromptIcon::Critical, faxTitle);
        } else if (!reply.text.empty()) {
            tell(reply.text + ":\r\n" + faxNumbers, PromptIcon::Information, "Cancelled Fax And Emails");
        }
        DisplayTab(index, m_search);
    } catch (...) {
        Log::error("FAX/Email CancelFax error: ", Log::describeCurrentException());
    }
}

void frmFaxShared::cmdResend_Click()
{
    try {
        const int index = currentTab();
        const FaxQueueTab& tab = m_tabs[static_cast<std::size_t>(index)];
        const std::vector<int> rows = tab.chosenRows(currentRow(index));
        if (rows.empty() || !tab.hasJobs()) {
            tell("Select the jobs to resend.", PromptIcon::Information, faxTitle);
            return;
        }
        std::vector<std::string> recipients;
        for (int row : rows)
            recipients.emplace_back(tab.value(row, tab.recipientColumn()));
        std::string data;
        {
            frmFaxRelated resend(this);
            resend.InitFaxResend(tab.pairsOf(rows), recipients);
            resend.showWindow(true);
            data = resend.FaxResend();
        }
        if (data.empty())
            return;
        const StringReply reply = ServerRequest::viaString(FaxRequests::resend(data));
        if (!reply.sent) {
            Log::error("FAX/Email Resend error: ", Log::commFailureText("GetServerStringData", "frmFaxShared.Resend"));
            tell(Log::commFailureText("GetServerStringData", "frmFaxShared.Resend"), PromptIcon::Critical);
        } else if (text::startsWithNoCase(reply.text, "error")) {
            Log::error("FAX/Email Resend error: ", reply.text);
            tell(reply.text, PromptIcon::Critical, faxTitle);
        } else if (!reply.text.empty()) {
            tell(reply.text, PromptIcon::Information, faxTitle);
        }
        DisplayTab(index, m_search);
    } catch (...) {
        Log::error("FAX/Email Resend error: ", Log::describeCurrentException());
    }
}

} // namespace corvane
