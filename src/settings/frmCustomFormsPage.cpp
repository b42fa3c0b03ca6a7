#include "frmCustomFormsPage.h"

#include "CheckForErrorOnSave.h"
#include "CorvaneGrid.h"
#include "Log.h"
#include "Messages.h"
#include "ServerRequest.h"
#include "SharedState.h"
#include "StwCellFormat.h"
#include "Text.h"
#include "WidgetRoutines.h"
#include "WindowRunner.h"
#include "WireCodec.h"
#include "frmLoadCustom.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <map>

namespace corvane {

namespace {

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

/// The data of a DirectComm read, or nothing after telling the operator (an error reply) or logging (no reply).
std::optional<std::string> readList(const std::string& request)
{
    const LinesReply reply = ServerRequest::viaLines(request);
    if (!reply.sent) {
        Log::commFailure("DirectComm", "frmSysSettings.ShowCodeForSelectCustomForms");
        return std::nullopt;
    }
    std::string data = reply.data();
    const std::string_view trimmed = text::trim(reply.isError() ? reply.firstLine() : data);
    if (reply.isError() || text::startsWithNoCase(trimmed, "ERROR")) {
        tell(std::string(trimmed) + "\r\nafter:\r\n" + request, PromptIcon::Critical);
        return std::nullopt;
    }
    return data;
}

} // namespace

frmCustomFormsPage::frmCustomFormsPage(QWidget* parent)
    : frmOwnSettingsPage(parent)
    , m_columns(CustomFormSelection::columns())
{
    setObjectName(QStringLiteral("fraCustomFormsSelection"));
    auto* header = new QLabel(tr("Custom Forms Setup"), this);
    header->setObjectName(QStringLiteral("lblHeader"));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);

    m_grid = new CorvaneGrid(this);
    m_grid->setObjectName(QStringLiteral("PatGrid"));
    m_grid->setStyleSource(this);
    m_grid->setColumnCount(static_cast<int>(m_columns.size()));
    m_grid->setColumnWidth(0, 0);
    const double unit = std::max(1.0, SharedState::instance().display.columnWidthMultiplier);
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        m_grid->setColumnWidth(static_cast<int>(c + 1), static_cast<int>(m_columns[c].width * unit + 4));
    m_grid->horizontalHeader()->setStretchLastSection(true);
    // Tab leaves the grid for the controls below it; arrows and Space work inside.
    m_grid->setTabKeyNavigation(false);

    m_activeOnly = new QCheckBox(tr("Active only"), this);
    m_activeOnly->setObjectName(QStringLiteral("chkActive"));
    m_loadFromFile = makeButton(this, "cmdLoadFromFile", tr("Load Custom Form from file"));
    auto* note = new QLabel(wire(CustomFormSelection::note), this);
    note->setObjectName(QStringLiteral("lblNote"));
    note->setWordWrap(true);

    auto* row = new QHBoxLayout;
    row->addWidget(m_activeOnly);
    row->addStretch(1);
    row->addWidget(m_loadFromFile);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(m_grid, 1);
    layout->addLayout(row);
    layout->addWidget(note);

    connect(m_activeOnly, &QCheckBox::toggled, this, [this] { ShowActiveRowsOnly(); });
    connect(m_loadFromFile, &QPushButton::clicked, this, &frmCustomFormsPage::cmdLoadFromFile_Click);
}

frmCustomFormsPage::~frmCustomFormsPage()
{
    m_grid->setStyleSource(nullptr);
}

bool frmCustomFormsPage::load()
{
    return ShowCodeForSelectCustomForms();
}

bool frmCustomFormsPage::ShowCodeForSelectCustomForms()
{
    return trapped("ERR in frmSysSettings.ShowCodeForSelectCustomForms   ", false, [&] {
        const auto list = readList(std::string(CustomFormSelection::listRequest));
        if (!list)
            return false;
        const auto selected = readList(std::string(CustomFormSelection::selectedRequest));
        if (!selected)
            return false;
        std::string joined;
        for (const std::string_view line : text::split(*selected, "\r\n"))
            joined += line;
        m_forms.load(*list, joined);
        ShowActiveRowsOnly();
        return true;
    });
}

void frmCustomFormsPage::ShowActiveRowsOnly()
{
    m_shown = m_forms.shownRows(m_activeOnly->isChecked());
    m_grid->setRowCount(std::max<int>(1, static_cast<int>(m_shown.size())));
    m_grid->redraw();
}

std::optional<std::size_t> frmCustomFormsPage::formAt(int gridRow) const
{
    if (gridRow < 1 || gridRow > static_cast<int>(m_shown.size()))
        return std::nullopt;
    return m_shown[static_cast<std::size_t>(gridRow - 1)];
}

void frmCustomFormsPage::GetStyleRowCol(int row, int col, CellStyle& style)
{
    if (col < 1 || col > static_cast<int>(m_columns.size()))
        return;
    const FormColumn& column = m_columns[static_cast<std::size_t>(col - 1)];
    if (row == 0) {
        style.value = wire(column.caption);
        return;
    }
    const auto form = formAt(row);
    style.readOnly = true;
    if (!form) {
        if (col == 2)
            style.value = wire(CustomFormSelection::noRecords);
        return;
    }
    const StwCellFormat& format = column.format;
    style.background = paletteColour(format.background, QColor(Qt::white));
    style.textColour = paletteColour(format.textColour, QColor(Qt::black));
    style.alignment = format.alignment == '2' ? Qt::AlignRight | Qt::AlignVCenter
        : format.alignment == '1'             ? Qt::AlignCenter
                                              : Qt::AlignLeft | Qt::AlignVCenter;
    const CustomFormRow& entry = m_forms.rows()[*form];
    if (col - 1 == static_cast<int>(CustomFormSelection::selectedColumn)) {
        style.editor = CellEditor::CheckBox;
        style.value = entry.selected ? QStringLiteral("1") : QStringLiteral("0");
        style.readOnly = !m_writable;
        return;
    }
    style.value = wire(entry.cell(static_cast<std::size_t>(col - 1)));
    if (format.isCheck())
        style.editor = CellEditor::CheckBox;
}

bool frmCustomFormsPage::StoreValueRowCol(int row, int col, const QString& value)
{
    const auto form = formAt(row);
    if (!form || !m_writable || col - 1 != static_cast<int>(CustomFormSelection::selectedColumn))
        return false;
    m_forms.setSelected(*form, value == QLatin1String("1"));
    Q_EMIT edited();
    return true;
}

void frmCustomFormsPage::setWritable(bool writable)
{
    m_writable = writable;
    m_loadFromFile->setEnabled(writable);
    m_grid->redraw();
}

bool frmCustomFormsPage::save()
{
    return trapped("ERR in frmSysSettings.SaveSelectedCustomForms   ", false, [&] {
        const StringReply reply = ServerRequest::viaString(m_forms.saveRequest());
        if (!reply.sent) {
            tell("mcomm.GetServerStringData failed in frmSysSettings/SaveSelectedCustomForms", PromptIcon::Critical);
            return false;
        }
        if (!CheckForErrorOnSave(reply.text))
            return false;
        m_forms.markSaved();
        m_grid->redraw();
        return true;
    });
}

QWidget* frmCustomFormsPage::firstEditor() const
{
    return m_grid;
}

void frmCustomFormsPage::cmdLoadFromFile_Click()
{
    try {
        if (!m_writable)
            return;
        frmLoadCustom window(
            m_forms, [this] { return mayWriteNow(); }, this);
        if (onLoadWindow)
            onLoadWindow(window);
        WindowRunner::run(window);
        if (!window.formLoaded())
            return;
        // The new form shows at once; ticks not yet saved stay as the operator left them.
        std::map<std::string, bool> ticks;
        for (const CustomFormRow& row : m_forms.rows())
            ticks[row.code()] = row.selected;
        if (!ShowCodeForSelectCustomForms())
            return;
        for (std::size_t i = 0; i < m_forms.rows().size(); ++i) {
            const auto found = ticks.find(m_forms.rows()[i].code());
            if (found != ticks.end())
                m_forms.setSelected(i, found->second);
        }
        m_grid->redraw();
        Q_EMIT edited();
    } catch (...) {
        Log::error("ERR in frmSysSettings.cmdLoadFromFile_Click   ", Log::describeCurrentException());
    }
}

} // namespace corvane
