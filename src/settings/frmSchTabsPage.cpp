#include "frmSchTabsPage.h"

#include "CheckForErrorOnSave.h"
#include "CorvaneGrid.h"
#include "Log.h"
#include "Messages.h"
#include "ServerRequest.h"
#include "SettingsTexts.h"
#include "SharedState.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

Qt::Alignment alignmentOf(char code)
{
    switch (code) {
    case '1':
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case '2':
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

/// Columns shown with "Tabs only": the tab, its caption and whether it is shown.
constexpr int tabsOnlyColumns = 3;

} // namespace

frmSchTabsPage::frmSchTabsPage(QWidget* parent)
    : frmOwnSettingsPage(parent)
{
    setObjectName(QStringLiteral("fraSchTabs"));
    auto* layout = new QVBoxLayout(this);
    auto* header = new QLabel(tr("Appointment Defaults"), this);
    header->setObjectName(QStringLiteral("lblHeader"));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    layout->addWidget(header);
    m_view = new CorvaneGrid(this);
    m_view->setObjectName(QStringLiteral("grdSchTabs"));
    m_view->setStyleSource(this);
    layout->addWidget(m_view, 1);
    m_defaults = makeButton(this, "cmdResetApptGrid", tr("Defaults"));
    m_tabsOnly = new QCheckBox(tr("Tabs only"), this);
    m_tabsOnly->setObjectName(QStringLiteral("chkTabsOnly"));
    m_tabsOnly->setToolTip(tr("Show only the tabs, their captions and whether they are shown"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_defaults);
    buttons->addWidget(m_tabsOnly);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(m_defaults, &QPushButton::clicked, this, &frmSchTabsPage::cmdResetApptGrid_Click);
    connect(m_tabsOnly, &QCheckBox::toggled, this, &frmSchTabsPage::applyTabsOnly);
}

std::optional<ApptDefaults> frmSchTabsPage::ShowSchTabs(bool defaults)
{
    try {
        const std::string request(defaults ? ApptDefaults::defaultsRequest : ApptDefaults::readRequest);
        const LinesReply reply = ServerRequest::viaLines(request);
        if (!reply.sent) {
            Log::line("ShowSchTabs: error in mcomm.DirectComm");
            return std::nullopt;
        }
        std::string why;
        auto grid = ApptDefaults::read(reply.lines, &why);
        if (!grid)
            Log::line("Error raised in frmSysSettings.ShowSchTabs: " + why);
        return grid;
    } catch (...) {
        Log::error("Error raised in frmSysSettings.ShowSchTabs: ", Log::describeCurrentException());
        return std::nullopt;
    }
}

bool frmSchTabsPage::load()
{
    m_grid = ShowSchTabs(false);
    if (!m_grid)
        return false;
    fillGrid();
    return true;
}

void frmSchTabsPage::fillGrid()
{
    m_view->lockPainting(true);
    m_view->setRowCount(m_grid->rowCount());
    m_view->setColumnCount(m_grid->columnCount());
    m_view->setColumnWidth(0, 24);
    for (int col = 1; col <= m_grid->columnCount(); ++col) {
        const int characters = m_grid->header(col).limit > 0 ? m_grid->header(col).limit : 10;
        m_view->setColumnWidth(col, characters * 8);
    }
    applyTabsOnly();
    m_view->lockPainting(false);
    m_view->redraw();
}

void frmSchTabsPage::applyTabsOnly()
{
    if (!m_grid)
        return;
    for (int col = 1; col <= m_grid->columnCount(); ++col)
        m_view->setColumnHidden(col, m_tabsOnly->isChecked() && col > tabsOnlyColumns);
}

void frmSchTabsPage::cmdResetApptGrid_Click()
{
    if (!m_writable || !m_grid)
        return;
    m_view->commitEditor();
    if (ask(std::string(ApptDefaults::defaultsQuestion), PromptButtons::YesNo, PromptAnswer::No) != PromptAnswer::Yes)
        return;
    const auto defaults = ShowSchTabs(true);
    if (!defaults) {
        tell("The standard appointment defaults could not be read; the grid is unchanged.", PromptIcon::Warning);
        return;
    }
    m_grid->takeValues(*defaults);
    fillGrid();
    Q_EMIT edited();
}

void frmSchTabsPage::GetStyleRowCol(int row, int col, CellStyle& style)
{
    try {
        if (!m_grid)
            return;
        if (col == 0) {
            style.enabled = false;
            style.background = colourFromBgr(SharedState::instance().lightBackground);
            if (row > 0)
                style.value = QString::number(row);
            return;
        }
        if (row == 0) {
            const ApptCell& head = m_grid->header(col);
            style.value = wire(head.value);
            style.enabled = false;
            style.alignment = alignmentOf(head.format.alignment);
            style.background = colourFromBgr(SharedState::instance().lightBackground);
            return;
        }
        const ApptCell& cell = m_grid->cell(row, col);
        style.background = paletteColour(cell.format.background, QColor());
        style.textColour = paletteColour(cell.format.textColour, QColor());
        style.alignment = alignmentOf(cell.format.alignment);
        style.value = wire(cell.value);
        // The first column names the tab; it is never changed here.
        style.readOnly = !m_writable || col == 1 || cell.format.kind == '0';
        if (cell.format.isCheck()) {
            style.editor = CellEditor::CheckBox;
            style.value = cell.value == "1" ? QStringLiteral("1") : QStringLiteral("0");
        } else if (cell.format.kind == 'A') {
            style.editor = CellEditor::Numeric;
            style.numericDigits = 3;
            style.numericDecimals = 0;
        }
    } catch (...) {
        Log::error("Error raised in frmSysSettings.grdSchTabs_GetStyleRowCol: ", Log::describeCurrentException());
    }
}

bool frmSchTabsPage::OnValidateCell(int row, int col, QString& value)
{
    if (!m_grid)
        return false;
    const WireCodec::TypedText typed
        = WireCodec::encodeTyped(value, wire(m_grid->header(col).value), std::string_view("\x01", 1));
    if (!typed.wire) {
        tell(typed.refusal, PromptIcon::Warning, std::string(SettingsTexts::validationTitle));
        return false;
    }
    if (const auto refusal = m_grid->refusal(row, col, *typed.wire)) {
        tell(*refusal, PromptIcon::Warning, std::string(SettingsTexts::validationTitle));
        return false;
    }
    return true;
}

bool frmSchTabsPage::StoreValueRowCol(int row, int col, const QString& value)
{
    if (!m_grid || !m_writable)
        return false;
    const WireCodec::TypedText typed = WireCodec::encodeTyped(value, wire(m_grid->header(col).value));
    if (!typed.wire || !m_grid->setValue(row, col, *typed.wire))
        return false;
    Q_EMIT edited();
    return true;
}

void frmSchTabsPage::setWritable(bool writable)
{
    m_writable = writable;
    m_defaults->setEnabled(writable);
    m_view->redraw();
}

bool frmSchTabsPage::save()
{
    try {
        if (!m_grid || !m_view->commitEditor())
            return false;
        const StringReply reply = ServerRequest::viaString(m_grid->writeRequest());
        if (!reply.sent) {
            tell(std::string(ApptDefaults::saveFailed), PromptIcon::Critical);
            return false;
        }
        if (!CheckForErrorOnSave(reply.text))
            return false;
        m_grid->markSaved();
        return true;
    } catch (...) {
        Log::error("Error raised in frmSysSettings.SaveSchTabData: ", Log::describeCurrentException());
        return false;
    }
}

QWidget* frmSchTabsPage::firstEditor() const
{
    return m_view;
}

} // namespace corvane
