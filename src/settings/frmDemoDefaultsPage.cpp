#include "frmDemoDefaultsPage.h"

#include "CheckForErrorOnSave.h"
#include "CorvaneGrid.h"
#include "Log.h"
#include "Messages.h"
#include "ServerRequest.h"
#include "SettingsTexts.h"
#include "Text.h"
#include "WireCodec.h"

#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

namespace {

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

const char* const headings[] = {"Field", "Default Value", "Key", "Hide", "Stop", "Required"};
const int widths[] = {170, 170, 50, 55, 55, 70};

} // namespace

frmDemoDefaultsPage::frmDemoDefaultsPage(QWidget* parent)
    : frmOwnSettingsPage(parent)
{
    setObjectName(QStringLiteral("fraDMDefaults"));
    auto* header = new QLabel(tr("Demographics Defaults"), this);
    header->setObjectName(QStringLiteral("lblHeader"));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    m_grid = new CorvaneGrid(this);
    m_grid->setObjectName(QStringLiteral("grdDMDF"));
    m_grid->setStyleSource(this);
    m_grid->setColumnCount(6);
    m_grid->setColumnWidth(0, 0);
    for (int c = 0; c < 6; ++c)
        m_grid->setColumnWidth(c + 1, widths[c]);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setTabKeyNavigation(false);
    auto* note = new QLabel(tr("Default Value fills the field for a new patient. Key: Alt and the key moves to the "
                               "field. Hide: not shown. Stop: the Tab key stops on it. Required: a patient cannot "
                               "be saved without it; a hidden field cannot be required."),
                            this);
    note->setObjectName(QStringLiteral("lblNote"));
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(m_grid, 1);
    layout->addWidget(note);
}

frmDemoDefaultsPage::~frmDemoDefaultsPage()
{
    m_grid->setStyleSource(nullptr);
}

bool frmDemoDefaultsPage::load()
{
    return trapped("ERR in frmSysSettings.ShowCodeForDMDefaults   ", false, [&] {
        const std::string request(DemoDefaults::readRequest);
        const StringReply reply = ServerRequest::viaString(request);
        if (!reply.sent) {
            Log::commFailure("GetServerStringData", "frmSysSettings.ShowCodeForDMDefaults");
            return false;
        }
        if (!m_model.read(reply.text)) {
            const std::string_view shown = text::trim(reply.text);
            Log::line("ERR in frmSysSettings.ShowCodeForDMDefaults   " + request + " "
                      + std::string(shown.substr(0, 200)));
            if (!shown.empty())
                tell(std::string(shown) + "\r\nafter:\r\n" + request, PromptIcon::Critical);
            return false;
        }
        m_grid->setRowCount(static_cast<int>(m_model.rows().size()));
        m_grid->redraw();
        return true;
    });
}

void frmDemoDefaultsPage::GetStyleRowCol(int row, int col, CellStyle& style)
{
    if (col < 1 || col > 6)
        return;
    if (row == 0) {
        style.value = tr(headings[col - 1]);
        style.alignment = Qt::AlignCenter;
        return;
    }
    const std::size_t index = static_cast<std::size_t>(row - 1);
    if (index >= m_model.rows().size())
        return;
    const DemoDefaultRow& entry = m_model.rows()[index];
    const std::size_t field = static_cast<std::size_t>(col);
    style.value = wire(entry.field(field));
    style.readOnly = !m_writable || field == DemoDefaults::Caption;
    if (field == DemoDefaults::Caption) {
        style.background = QColor(0xF0, 0xF0, 0xF0);
        style.toolTip = wire(entry.code());
    }
    if (field >= DemoDefaults::Hide) {
        style.editor = CellEditor::CheckBox;
        style.alignment = Qt::AlignCenter;
    }
    if (field == DemoDefaults::Key)
        style.alignment = Qt::AlignCenter;
}

bool frmDemoDefaultsPage::OnValidateCell(int row, int col, QString& value)
{
    if (!m_writable || row < 1)
        return false;
    const auto typed = WireCodec::encodeTyped(value, tr(headings[std::clamp(col, 1, 6) - 1]));
    if (!typed.wire) {
        tell(typed.refusal, PromptIcon::Warning, std::string(SettingsTexts::validationTitle));
        return false;
    }
    DemoDefaults trial = m_model;
    if (const auto refused = trial.set(static_cast<std::size_t>(row - 1), static_cast<std::size_t>(col), *typed.wire)) {
        tell(refused->message, PromptIcon::Warning, std::string(SettingsTexts::validationTitle));
        return false;
    }
    if (col == DemoDefaults::Key)
        value = value.trimmed().toUpper();
    return true;
}

bool frmDemoDefaultsPage::StoreValueRowCol(int row, int col, const QString& value)
{
    if (!m_writable || row < 1)
        return false;
    const auto typed = WireCodec::encodeTyped(value, QString());
    if (!typed.wire || m_model.set(static_cast<std::size_t>(row - 1), static_cast<std::size_t>(col), *typed.wire))
        return false;
    Q_EMIT edited();
    return true;
}

void frmDemoDefaultsPage::setWritable(bool writable)
{
    m_writable = writable;
    m_grid->redraw();
}

bool frmDemoDefaultsPage::save()
{
    return trapped("ERR in frmSysSettings.SaveDMDFData   ", false, [&] {
        if (!m_grid->commitEditor())
            return false;
        if (const auto refused = m_model.validate()) {
            tell(refused->message, PromptIcon::Warning, std::string(SettingsTexts::validationTitle));
            m_grid->setCurrentCell(static_cast<int>(refused->row) + 1, static_cast<int>(refused->column));
            return false;
        }
        const StringReply reply = ServerRequest::viaString(m_model.saveRequest());
        if (!reply.sent) {
            tell("mcomm.GetServerStringData failed in frmSysSettings.SaveDMDFData", PromptIcon::Critical);
            return false;
        }
        if (!CheckForErrorOnSave(reply.text))
            return false;
        m_model.markSaved();
        return true;
    });
}

QWidget* frmDemoDefaultsPage::firstEditor() const
{
    return m_grid;
}

} // namespace corvane
