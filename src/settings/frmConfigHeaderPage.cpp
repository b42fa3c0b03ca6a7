#include "frmConfigHeaderPage.h"

#include "CheckForErrorOnSave.h"
#include "Log.h"
#include "Messages.h"
#include "ServerRequest.h"
#include "SettingsTexts.h"
#include "SharedState.h"
#include "Text.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
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

constexpr std::string_view allQuestion = "The header will be the one every operator sees: headers operators "
                                         "arranged for themselves are replaced.\r\n\r\nDo you want to proceed?";
constexpr std::string_view resetQuestion
    = "The header goes back to the layout the system came with.\r\n\r\nDo you want to proceed?";

void showSaved()
{
    auto& state = SharedState::instance();
    const std::string text(SettingsTexts::saved);
    if (state.utils)
        state.utils->ShowMessage(text, state.messageTitle());
    else
        tell(text);
}

} // namespace

frmConfigHeaderPage::frmConfigHeaderPage(QWidget* parent)
    : frmOwnSettingsPage(parent)
{
    setObjectName(QStringLiteral("fraConfigHeader"));
    auto* header = new QLabel(tr("Configure Header"), this);
    header->setObjectName(QStringLiteral("lblHeader"));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    auto* intro = new QLabel(tr("Choose the field each place of the patient header shows, five to a row."), this);
    intro->setObjectName(QStringLiteral("lblIntro"));
    intro->setWordWrap(true);

    m_headers = new QFrame(this);
    m_headers->setObjectName(QStringLiteral("fraHeaders"));
    m_headers->setFrameShape(QFrame::StyledPanel);
    m_slotGrid = new QGridLayout(m_headers);

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("lblPreview"));
    m_preview->setWordWrap(true);
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setToolTip(tr("How the header reads"));

    m_addRow = makeButton(this, "cmdAddRow", tr("&Add Row"));
    m_removeRow = makeButton(this, "cmdRemoveRow", tr("Remove Ro&w"));
    m_applyToAll = new QCheckBox(tr("Apply to all &operators"), this);
    m_applyToAll->setObjectName(QStringLiteral("chkApplyToAll"));
    m_applyToAll->setToolTip(tr("Also replace the headers operators arranged for themselves"));
    m_save = makeButton(this, "cmdSaveHeader", tr("Save &Header"));
    m_reset = makeButton(this, "cmdResetHeader", tr("Reset to &Defaults"));

    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(m_addRow);
    rowButtons->addWidget(m_removeRow);
    rowButtons->addStretch(1);
    auto* saveButtons = new QHBoxLayout;
    saveButtons->addWidget(m_applyToAll);
    saveButtons->addStretch(1);
    saveButtons->addWidget(m_reset);
    saveButtons->addWidget(m_save);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(intro);
    layout->addWidget(m_headers);
    layout->addLayout(rowButtons);
    layout->addWidget(m_preview);
    layout->addStretch(1);
    layout->addLayout(saveButtons);

    connect(m_save, &QPushButton::clicked, this, &frmConfigHeaderPage::cmdSaveHeader_Click);
    connect(m_reset, &QPushButton::clicked, this, &frmConfigHeaderPage::cmdResetHeader_Click);
    connect(m_addRow, &QPushButton::clicked, this, &frmConfigHeaderPage::cmdAddRow_Click);
    connect(m_removeRow, &QPushButton::clicked, this, &frmConfigHeaderPage::cmdRemoveRow_Click);
}

bool frmConfigHeaderPage::load()
{
    return trapped("ERR in frmSysSettings.ShowCodeForConfigHeader   ", false, [&] {
        const std::string request(HeaderLayout::readRequest);
        const StringReply reply = ServerRequest::viaString(request);
        if (!reply.sent) {
            Log::commFailure("GetServerStringData", "frmSysSettings.ShowCodeForConfigHeader");
            return false;
        }
        if (!m_layout.read(reply.text)) {
            tell(std::string(text::trim(reply.text)) + "\r\nafter:\r\n" + request, PromptIcon::Critical);
            return false;
        }
        buildSlots();
        return true;
    });
}

void frmConfigHeaderPage::buildSlots()
{
    for (QComboBox* combo : m_slots)
        combo->deleteLater();
    for (QLabel* label : m_rowLabels)
        label->deleteLater();
    m_slots.clear();
    m_rowLabels.clear();
    for (std::size_t slot = 0; slot < m_layout.slotCount(); ++slot) {
        const std::size_t row = slot / HeaderLayout::perRow;
        if (slot % HeaderLayout::perRow == 0) {
            auto* label = new QLabel(tr("Row %1").arg(row + 1), m_headers);
            m_slotGrid->addWidget(label, static_cast<int>(row), 0);
            m_rowLabels.push_back(label);
        }
        auto* combo = new QComboBox(m_headers);
        combo->setObjectName(QStringLiteral("cboHeader_%1").arg(slot));
        // Narrow enough for five to a row beside the tree; the open list shows whole captions.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(9);
        combo->addItem(tr("(none)"), QString());
        for (const HeaderField& field : m_layout.fields())
            combo->addItem(wire(field.caption), wire(field.code));
        const QString code = wire(m_layout.code(slot));
        int index = combo->findData(code);
        if (index < 0) {
            // A field this server no longer offers stays until another is chosen.
            combo->addItem(tr("%1 (not offered)").arg(code), code);
            index = combo->count() - 1;
        }
        combo->setCurrentIndex(index);
        combo->setEnabled(m_writable);
        connect(combo, &QComboBox::activated, this, [this, slot] { slotChosen(slot); });
        m_slotGrid->addWidget(combo, static_cast<int>(row), static_cast<int>(slot % HeaderLayout::perRow) + 1);
        m_slots.push_back(combo);
    }
    // The keyboard walks the places row by row.
    for (std::size_t slot = 1; slot < m_slots.size(); ++slot)
        setTabOrder(m_slots[slot - 1], m_slots[slot]);
    if (!m_slots.empty()) {
        setTabOrder(m_slots.back(), m_addRow);
        setTabOrder(m_addRow, m_removeRow);
        setTabOrder(m_removeRow, m_applyToAll);
        setTabOrder(m_applyToAll, m_reset);
        setTabOrder(m_reset, m_save);
    }
    updateButtons();
}

void frmConfigHeaderPage::slotChosen(std::size_t index)
{
    if (!m_writable || index >= m_slots.size())
        return;
    m_layout.setSlot(index, WireCodec::toWireLossy(m_slots[index]->currentData().toString()));
    m_lastRow = index / HeaderLayout::perRow;
    updateButtons();
    Q_EMIT edited();
}

void frmConfigHeaderPage::updateButtons()
{
    std::vector<std::string> shown;
    for (std::size_t slot = 0; slot < m_layout.slotCount(); ++slot) {
        if (!m_layout.code(slot).empty())
            shown.push_back(m_layout.captionOf(m_layout.code(slot)));
    }
    m_preview->setText(wire(text::join(shown, "  |  ")));
    m_save->setEnabled(m_writable && m_layout.changed());
    m_reset->setEnabled(m_writable);
    m_applyToAll->setEnabled(m_writable);
    m_addRow->setEnabled(m_writable && m_layout.rows() < HeaderLayout::maxRows);
    m_removeRow->setEnabled(m_writable && m_layout.rows() > 1);
}

void frmConfigHeaderPage::setWritable(bool writable)
{
    m_writable = writable;
    for (QComboBox* combo : m_slots)
        combo->setEnabled(writable);
    updateButtons();
}

void frmConfigHeaderPage::cmdAddRow_Click()
{
    if (!m_writable || !m_layout.addRow())
        return;
    buildSlots();
    m_slots[m_layout.slotCount() - HeaderLayout::perRow]->setFocus();
    Q_EMIT edited();
}

void frmConfigHeaderPage::cmdRemoveRow_Click()
{
    if (!m_writable)
        return;
    // The row of the place last chosen, else the last row.
    const std::size_t row = m_lastRow && *m_lastRow < m_layout.rows() ? *m_lastRow : m_layout.rows() - 1;
    if (!m_layout.removeRow(row))
        return;
    m_lastRow.reset();
    buildSlots();
    Q_EMIT edited();
}

bool frmConfigHeaderPage::save()
{
    return trapped("ERR in frmSysSettings.SaveConfigHeader   ", false, [&] {
        if (const auto refused = m_layout.refusal()) {
            tell(*refused, PromptIcon::Warning, std::string(SettingsTexts::validationTitle));
            return false;
        }
        const bool toAll = m_applyToAll->isChecked();
        if (toAll
            && ask(std::string(allQuestion), PromptButtons::YesNo, PromptAnswer::No, PromptIcon::Warning)
                != PromptAnswer::Yes)
            return false;
        const StringReply reply = ServerRequest::viaString(m_layout.saveRequest(toAll));
        if (!reply.sent) {
            tell("mcomm.GetServerStringData failed in frmSysSettings.SaveConfigHeader", PromptIcon::Critical);
            return false;
        }
        if (!CheckForErrorOnSave(reply.text))
            return false;
        m_layout.markSaved();
        m_applyToAll->setChecked(false);
        updateButtons();
        showSaved();
        Q_EMIT edited();
        return true;
    });
}

void frmConfigHeaderPage::cmdSaveHeader_Click()
{
    if (m_writable && m_layout.changed() && mayWriteNow())
        save();
}

void frmConfigHeaderPage::cmdResetHeader_Click()
{
    try {
        if (!m_writable
            || ask(std::string(resetQuestion), PromptButtons::YesNo, PromptAnswer::No, PromptIcon::Warning)
                != PromptAnswer::Yes
            || !mayWriteNow())
            return;
        const std::string request(HeaderLayout::resetRequest);
        const StringReply reply = ServerRequest::viaString(request);
        if (!reply.sent) {
            tell("mcomm.GetServerStringData failed in frmSysSettings.ResetConfigHeader", PromptIcon::Critical);
            return;
        }
        if (!CheckForErrorOnSave(reply.text))
            return;
        if (load())
            showSaved();
        Q_EMIT edited();
    } catch (...) {
        Log::error("ERR in frmSysSettings.cmdResetHeader_Click   ", Log::describeCurrentException());
    }
}

QWidget* frmConfigHeaderPage::firstEditor() const
{
    return m_slots.empty() ? nullptr : m_slots.front();
}

} // namespace corvane
