#include "frmSecurityTransDetail.h"

#include "Log.h"
#include "SecurityReply.h"
#include "SecurityTree.h"
#include "ServerRequest.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace corvane {

namespace {

constexpr int fieldsPerColumn = 10;

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

} // namespace

frmSecurityTransDetail::frmSecurityTransDetail(QWidget* parent)
    : frmSecurityPage(parent)
{
    setObjectName(QStringLiteral("frTransDetail"));
    m_explainFields = new QLabel(this);
    m_explainFields->setObjectName(QStringLiteral("lblExplainFields"));
    auto* fieldsCaption = new QLabel(tr("Check fields which user will be allowed to edit:"), this);
    fieldsCaption->setObjectName(QStringLiteral("lblFields"));
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrFields"));
    scroll->setWidgetResizable(true);
    m_fieldArea = new QWidget(scroll);
    m_fieldLayout = new QGridLayout(m_fieldArea);
    scroll->setWidget(m_fieldArea);
    m_selectAll = makeButton(this, "cmdSelectAll", tr("&Select All"));
    m_deselectAll = makeButton(this, "cmdDeselectAll", tr("&Deselect All"));

    m_explainDays = new QLabel(this);
    m_explainDays->setObjectName(QStringLiteral("lblExplainDays"));
    auto* groups = new QGroupBox(this);
    groups->setObjectName(QStringLiteral("fraGroups"));
    auto* groupLayout = new QGridLayout(groups);
    groupLayout->addWidget(new QLabel(tr("Group"), groups), 0, 0);
    groupLayout->addWidget(new QLabel(tr("Fields"), groups), 0, 1);
    groupLayout->addWidget(new QLabel(tr("Days"), groups), 0, 2);
    groupLayout->addWidget(new QLabel(tr("End of Month*"), groups), 0, 3);
    for (int i = 0; i < TransSettings::groupCount; ++i) {
        auto* code = new QLabel(groups);
        code->setObjectName(QStringLiteral("lblGroup_%1").arg(i));
        auto* description = new QLabel(groups);
        description->setObjectName(QStringLiteral("lblGroupDescr_%1").arg(i));
        description->setWordWrap(true);
        description->installEventFilter(this);
        auto* days = new QLineEdit(groups);
        days->setObjectName(QStringLiteral("mskDays_%1").arg(i));
        days->setInputMask(QStringLiteral("999"));
        days->setMaximumWidth(60);
        selectAllText(days);
        auto* eom = new QCheckBox(groups);
        eom->setObjectName(QStringLiteral("chkEOM_%1").arg(i));
        groupLayout->addWidget(code, i + 1, 0);
        groupLayout->addWidget(description, i + 1, 1);
        groupLayout->addWidget(days, i + 1, 2);
        groupLayout->addWidget(eom, i + 1, 3, Qt::AlignCenter);
        m_groupCodes.push_back(code);
        m_groupDescriptions.push_back(description);
        m_days.push_back(days);
        m_endOfMonth.push_back(eom);
    }
    groupLayout->setColumnStretch(1, 1);
    m_noGroups = new QLabel(wire(TransSettings::noGroupsText), groups);
    m_noGroups->setObjectName(QStringLiteral("lblNoGroups"));
    groupLayout->addWidget(m_noGroups, TransSettings::groupCount + 1, 0, 1, 4);
    auto* note = new QLabel(tr("* End of Month is determined by Posting Date."), this);
    note->setObjectName(QStringLiteral("lblEOMNote"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_selectAll);
    buttons->addWidget(m_deselectAll);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_explainFields);
    layout->addWidget(fieldsCaption);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_explainDays);
    layout->addWidget(groups);
    layout->addWidget(note);

    const auto allowAll = [this](bool allowed) {
        for (QCheckBox* box : m_fieldBoxes) {
            if (box)
                box->setChecked(allowed);
        }
    };
    connect(m_selectAll, &QPushButton::clicked, this, [allowAll] { allowAll(true); });
    connect(m_deselectAll, &QPushButton::clicked, this, [allowAll] { allowAll(false); });
}

bool frmSecurityTransDetail::eventFilter(QObject* watched, QEvent* event)
{
    // Clicking a group's description moves on to its days.
    if (event->type() == QEvent::MouseButtonPress) {
        for (std::size_t i = 0; i < m_groupDescriptions.size(); ++i) {
            if (watched == m_groupDescriptions[i] && m_days[i]->isEnabled()) {
                m_days[i]->setFocus();
                return true;
            }
        }
    }
    return frmSecurityPage::eventFilter(watched, event);
}

void frmSecurityTransDetail::clearFields()
{
    for (QCheckBox* box : m_fieldBoxes)
        delete box;
    m_fieldBoxes.clear();
    for (int i = 0; i < TransSettings::groupCount; ++i) {
        m_groupCodes[static_cast<std::size_t>(i)]->clear();
        m_groupDescriptions[static_cast<std::size_t>(i)]->clear();
        m_days[static_cast<std::size_t>(i)]->clear();
        m_endOfMonth[static_cast<std::size_t>(i)]->setChecked(false);
    }
}

bool frmSecurityTransDetail::loadPage(const SecurityContext& context)
{
    clearFields();
    m_settings = {};
    const bool anesthesia = SecurityTree::anesthesia(context.word);
    const QString suffix = anesthesiaSuffix(context, anesthesia);
    setPageTitle((context.mayEdit ? tr("Modify Transaction Settings") : tr("View Transaction Settings")) + suffix);
    m_explainFields->setText(context.mayEdit ? tr("Check fields which user will be allowed to edit.")
                                             : tr("View fields which user will be allowed to edit."));
    m_explainDays->setText(context.mayEdit ? tr("Set # of days to allow changes for each group.")
                                           : tr("View # of days to allow changes for each group."));
    const std::string request = TransSettings::readRequest(context.kind, context.code, anesthesia);
    const StringReply reply = ServerRequest::viaString(request);
    if (!reply.sent) {
        Log::commFailure("GetServerStringData", "frmSecurity.ShowCodeForTransDetail");
        return false;
    }
    if (SecurityReply::failed(reply.text) || !m_settings.load(reply.text)) {
        Log::line("Error in frmSecurity_ShowCodeForTransDetail " + reply.text.substr(0, 200));
        return false;
    }
    // One box per field, in the server's order, top to bottom in columns.
    int shown = 0;
    for (const TransFieldRight& field : m_settings.fields()) {
        if (!field.shown()) {
            m_fieldBoxes.push_back(nullptr);
            continue;
        }
        auto* box = new QCheckBox(wire(field.caption), m_fieldArea);
        box->setObjectName(QStringLiteral("chkField_%1").arg(m_fieldBoxes.size()));
        box->setChecked(field.allowed);
        box->setEnabled(context.mayEdit);
        m_fieldLayout->addWidget(box, shown % fieldsPerColumn, shown / fieldsPerColumn);
        m_fieldBoxes.push_back(box);
        ++shown;
    }
    const auto& groups = m_settings.groups();
    for (int i = 0; i < TransSettings::groupCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const bool used = index < groups.size();
        for (QWidget* w : std::initializer_list<QWidget*> {m_groupCodes[index], m_groupDescriptions[index],
                                                           m_days[index], m_endOfMonth[index]})
            w->setVisible(used);
        if (!used)
            continue;
        m_groupCodes[index]->setText(wire(groups[index].code));
        m_groupDescriptions[index]->setText(wire(groups[index].description()));
        m_days[index]->setText(wire(groups[index].days));
        m_endOfMonth[index]->setChecked(groups[index].endOfMonth);
        m_days[index]->setEnabled(context.mayEdit);
        m_endOfMonth[index]->setEnabled(context.mayEdit);
    }
    m_noGroups->setVisible(groups.empty());
    m_selectAll->setEnabled(context.mayEdit);
    m_deselectAll->setEnabled(context.mayEdit);
    m_loadedData = m_settings.saveData();
    return true;
}

bool frmSecurityTransDetail::takeInput(bool tellRefusal) const
{
    auto& fields = m_settings.fields();
    for (std::size_t i = 0; i < fields.size() && i < m_fieldBoxes.size(); ++i) {
        if (m_fieldBoxes[i])
            fields[i].allowed = m_fieldBoxes[i]->isChecked();
    }
    auto& groups = m_settings.groups();
    for (std::size_t i = 0; i < groups.size() && i < m_days.size(); ++i) {
        // A blank mask sends an empty field: blanks are no part of the days.
        QString days = m_days[i]->text();
        days.remove(QLatin1Char(' '));
        const auto typed
            = tellRefusal ? WireCodec::toWireChecked(days, tr("Days")) : WireCodec::encodeTyped(days, tr("Days")).wire;
        if (!typed) {
            if (tellRefusal)
                m_days[i]->setFocus();
            return false;
        }
        groups[i].days = *typed;
        groups[i].endOfMonth = m_endOfMonth[i]->isChecked();
    }
    return true;
}

bool frmSecurityTransDetail::hasChanges() const
{
    return !takeInput(false) || m_settings.saveData() != m_loadedData;
}

std::optional<std::string> frmSecurityTransDetail::savePage(const SecurityContext& context)
{
    if (!takeInput(true))
        return std::nullopt;
    const bool anesthesia = SecurityTree::anesthesia(context.word);
    if (!sendSave(m_settings.saveRequest(context.kind, context.code, anesthesia), "frmSecurity.SendData"))
        return std::nullopt;
    return "Settings Saved for: \r\n" + context.code;
}

} // namespace corvane
