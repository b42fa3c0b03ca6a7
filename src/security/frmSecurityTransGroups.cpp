#include "frmSecurityTransGroups.h"

#include "Log.h"
#include "Messages.h"
#include "SecurityReply.h"
#include "SecurityTree.h"
#include "ServerRequest.h"
#include "SharedState.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"
#include "grid/CorvaneGrid.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

namespace {

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

double characterUnit()
{
    double unit = 0;
    if (auto utils = SharedState::instance().utils)
        utils->GetCharacterWidthUnit(unit);
    return unit > 0 ? unit : 7;
}

} // namespace

frmSecurityTransGroups::frmSecurityTransGroups(QWidget* parent)
    : frmSecurityPage(parent)
{
    setObjectName(QStringLiteral("frTransGroups"));
    m_explain = new QLabel(this);
    m_explain->setObjectName(QStringLiteral("lblTransGroups"));
    m_grid = new CorvaneGrid(this);
    m_grid->setObjectName(QStringLiteral("gridTransGroups"));
    m_grid->setStyleSource(this);
    m_note = new QLabel(tr("No fields are offered for transaction groups, so the groups cannot be changed."), this);
    m_note->setObjectName(QStringLiteral("lblNoFields"));
    m_note->setVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_explain);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_note);
}

frmSecurityTransGroups::~frmSecurityTransGroups()
{
    m_grid->setStyleSource(nullptr);
}

bool frmSecurityTransGroups::loadPage(const SecurityContext& context)
{
    clearGrid(*m_grid);
    m_groups = {};
    m_editable = false;
    const bool anesthesia = SecurityTree::anesthesia(context.word);
    const QString suffix = anesthesiaSuffix(context, anesthesia);
    setPageTitle((context.mayEdit ? tr("Modify Transaction Groups Setup") : tr("View Transaction Groups Setup"))
                 + suffix);
    m_explain->setText(context.mayEdit
                           ? tr("You can group fields from Modify Transaction to customize security settings.")
                           : tr("You can view groups of fields from Modify Transaction."));
    const StringReply reply = ServerRequest::viaString(TransGroups::readRequest(anesthesia));
    if (!reply.sent) {
        Log::commFailure("GetServerStringData", "frmSecurity.ShowCodeForTransGroups");
        return false;
    }
    if (SecurityReply::failed(reply.text) || !m_groups.load(reply.text)) {
        Log::line("Error in frmSecurity_ShowCodeForTransGroups " + reply.text.substr(0, 200));
        return false;
    }
    m_choices = wire(m_groups.choiceList()).split(QLatin1Char('\n'));
    // Without fields to offer nothing may be chosen, and nothing can be saved as a code by mistake.
    m_editable = context.mayEdit && !m_groups.fields().empty();
    m_note->setVisible(m_groups.fields().empty());
    for (int r = 0; r < m_groups.rowCount(); ++r) {
        if (m_groups.shortRow(r)) {
            SharedState::instance().prompter().beep();
            Log::line("number of data columns less then number of grid columns in gridTransGroups");
        }
    }
    m_grid->lockPainting(true);
    m_grid->setColumnCount(TransGroups::columnCount);
    m_grid->setRowCount(m_groups.rowCount());
    const double unit = characterUnit();
    m_grid->setColumnWidth(0, static_cast<int>(3 * unit));
    m_grid->setColumnWidth(1, static_cast<int>(17 * unit));
    for (int c = 2; c <= TransGroups::columnCount; ++c)
        m_grid->setColumnWidth(c, static_cast<int>(28 * unit));
    m_grid->lockPainting(false);
    return true;
}

void frmSecurityTransGroups::GetStyleRowCol(int row, int col, CellStyle& style)
{
    try {
        if (col == 0) {
            style.value = row > 0 ? QString::number(row) : QString();
            return;
        }
        if (row == 0) {
            style.value = wire(TransGroups::caption(col - 1));
            style.alignment = Qt::AlignCenter;
            return;
        }
        style.value = wire(m_groups.display(row - 1, col - 1));
        style.background = QColor(Qt::white);
        if (col == 1) {
            // The group code is shown as the server sent it; it is not a field to choose.
            style.readOnly = true;
            style.background = QColor(222, 222, 222);
            return;
        }
        style.editor = CellEditor::DropDown;
        style.choices = m_choices;
        style.readOnly = !m_editable;
        if (!style.value.isEmpty())
            style.toolTip = QLatin1Char(' ') + style.value + QLatin1Char(' ');
    } catch (...) {
        Log::error("Error in frmSecurity_gridTransGroups_GetStyleRowCol ", Log::describeCurrentException());
    }
}

std::string frmSecurityTransGroups::codeOf(const QString& shown) const
{
    const QString text = shown.trimmed();
    for (const TransField& field : m_groups.fields()) {
        if (wire(field.entry).trimmed() == text)
            return field.code;
    }
    // A code the list no longer offers is kept as it came.
    return WireCodec::toWireLossy(text);
}

bool frmSecurityTransGroups::OnValidateCell(int row, int col, QString& value)
{
    if (row < 1 || col < 2 || !m_editable)
        return false;
    if (m_groups.heldElsewhere(codeOf(value), row - 1, col - 1)) {
        tell(std::string(TransGroups::duplicateText), PromptIcon::Warning);
        return false;
    }
    return true;
}

bool frmSecurityTransGroups::StoreValueRowCol(int row, int col, const QString& value)
{
    if (row < 1 || col < 2 || !m_editable)
        return false;
    const bool stored = m_groups.setCode(row - 1, col - 1, codeOf(value));
    if (stored)
        Q_EMIT saveStateChanged();
    return stored;
}

std::optional<std::string> frmSecurityTransGroups::savePage(const SecurityContext& context)
{
    if (!m_editable)
        return std::nullopt;
    if (!sendSave(m_groups.saveRequest(SecurityTree::anesthesia(context.word)), "frmSecurity.SendGrid"))
        return std::nullopt;
    return "Settings Saved.";
}

} // namespace corvane
