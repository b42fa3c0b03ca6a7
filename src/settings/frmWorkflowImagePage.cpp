#include "frmWorkflowImagePage.h"

#include "CheckForErrorOnSave.h"
#include "CommonRoutines.h"
#include "Log.h"
#include "Messages.h"
#include "SeparatorCheck.h"
#include "ServerRequest.h"
#include "ServerSettings.h"
#include "SettingsCatalogue.h"
#include "SettingsRequests.h"
#include "SettingsTexts.h"
#include "SharedState.h"
#include "Text.h"
#include "TextFields.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace corvane {

namespace {

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

constexpr int codeRole = Qt::UserRole;
constexpr std::string_view lookupType = "IDT";

} // namespace

frmWorkflowImagePage::frmWorkflowImagePage(const std::string& leafName, QWidget* parent)
    : frmOwnSettingsPage(parent)
    , m_key(leafName == "workflow_include_image2" ? "WRKFLWIMAGE2" : "WRKFLWIMAGE")
{
    setObjectName(QStringLiteral("fraWorkFlowImageListSelection"));
    const TreeLeaf* leaf = SettingsCatalogue::findLeaf(leafName);
    auto* header = new QLabel(leaf ? wire(leaf->caption) : tr("Patient Documents"), this);
    header->setObjectName(QStringLiteral("lblHeader"));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    auto* intro = new QLabel(tr("Patient documents offered in the Workflow menu:"), this);
    intro->setObjectName(QStringLiteral("lblIntro"));

    auto* typesBox = new QGroupBox(tr("Document types"), this);
    typesBox->setObjectName(QStringLiteral("fraDocTypes"));
    m_allTypes = new QCheckBox(tr("All &document types"), typesBox);
    m_allTypes->setObjectName(QStringLiteral("chkAllDocTypes"));
    m_types = new QListWidget(typesBox);
    m_types->setObjectName(QStringLiteral("lstDocTypes"));
    m_types->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_types->installEventFilter(this);
    m_add = makeButton(typesBox, "cmdAddDocType", tr("&Add... (F4)"));
    m_remove = makeButton(typesBox, "cmdRemoveDocType", tr("Re&move"));
    auto* typeButtons = new QVBoxLayout;
    typeButtons->addWidget(m_add);
    typeButtons->addWidget(m_remove);
    typeButtons->addStretch(1);
    auto* typesLayout = new QGridLayout(typesBox);
    typesLayout->addWidget(m_allTypes, 0, 0, 1, 2);
    typesLayout->addWidget(m_types, 1, 0);
    typesLayout->addLayout(typeButtons, 1, 1);

    auto* alsoBox = new QGroupBox(tr("Also offer"), this);
    alsoBox->setObjectName(QStringLiteral("fraDocOther"));
    m_other = new QCheckBox(tr("&Other documents (without a document type)"), alsoBox);
    m_other->setObjectName(QStringLiteral("chkOtherDocs"));
    m_custom = new QCheckBox(tr("&Custom forms"), alsoBox);
    m_custom->setObjectName(QStringLiteral("chkCustomForms"));
    m_portal = new QCheckBox(tr("&Patient portal forms"), alsoBox);
    m_portal->setObjectName(QStringLiteral("chkPortalForms"));
    auto* alsoLayout = new QVBoxLayout(alsoBox);
    alsoLayout->addWidget(m_other);
    alsoLayout->addWidget(m_custom);
    alsoLayout->addWidget(m_portal);

    auto* daysBox = new QGroupBox(tr("Dates"), this);
    daysBox->setObjectName(QStringLiteral("fraDocDays"));
    m_allDays = new QRadioButton(tr("A&ll dates"), daysBox);
    m_allDays->setObjectName(QStringLiteral("optDocDays_0"));
    m_someDays = new QRadioButton(tr("Only documents from the las&t"), daysBox);
    m_someDays->setObjectName(QStringLiteral("optDocDays_1"));
    auto* group = new QButtonGroup(daysBox);
    group->addButton(m_allDays, 0);
    group->addButton(m_someDays, 1);
    m_days = new QLineEdit(daysBox);
    m_days->setObjectName(QStringLiteral("txtDocDays"));
    m_days->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), m_days));
    m_days->setMaximumWidth(70);
    auto* daysRow = new QHBoxLayout;
    daysRow->addWidget(m_someDays);
    daysRow->addWidget(m_days);
    daysRow->addWidget(new QLabel(tr("days"), daysBox));
    daysRow->addStretch(1);
    auto* daysLayout = new QVBoxLayout(daysBox);
    daysLayout->addWidget(m_allDays);
    daysLayout->addLayout(daysRow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(intro);
    layout->addWidget(typesBox, 1);
    layout->addWidget(alsoBox);
    layout->addWidget(daysBox);

    connect(m_allTypes, &QCheckBox::clicked, this, [this](bool on) {
        m_value.allTypes = on;
        changed();
    });
    for (const auto& [box, letter] : {std::pair {m_other, 'O'}, std::pair {m_custom, 'C'}, std::pair {m_portal, 'P'}})
        connect(box, &QCheckBox::clicked, this, [this, letter](bool on) {
            m_value.setFlag(letter, on);
            changed();
        });
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == 0) {
            m_value.days.reset();
            m_value.unreadDays.clear();
        } else if (m_days->text().isEmpty()) {
            m_days->setFocus();
        } else {
            m_value.days = m_days->text().toInt();
        }
        changed();
    });
    connect(m_days, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_showing)
            return;
        m_someDays->setChecked(true);
        m_value.unreadDays.clear();
        const int days = text.toInt();
        if (text.isEmpty())
            m_value.days.reset();
        else
            m_value.days = days;
        changed();
    });
    connect(m_add, &QPushButton::clicked, this, &frmWorkflowImagePage::cmdAddDocType_Click);
    connect(m_remove, &QPushButton::clicked, this, &frmWorkflowImagePage::cmdRemoveDocType_Click);
    connect(m_types, &QListWidget::itemSelectionChanged, this, [this] { updateControls(); });
}

bool frmWorkflowImagePage::load()
{
    return trapped("ERR in frmSysSettings.ShowCodeForWorkflowImage   ", false, [&] {
        const SysSettingRead read = readSysSetting(m_key);
        if (!read.answered())
            return false;
        const SettingKey* entry = SettingsCatalogue::findKey(m_key);
        const std::string value = read.state == SysSettingRead::State::Value && !text::trim(read.value).empty()
            ? read.value
            : std::string(entry && entry->emptyDefault ? *entry->emptyDefault : "*:*");
        m_loaded = value;
        m_value = WorkflowImages::parse(value);
        showValue();
        return true;
    });
}

void frmWorkflowImagePage::showValue()
{
    m_showing = true;
    m_allTypes->setChecked(m_value.allTypes);
    m_types->clear();
    auto& state = SharedState::instance();
    for (const std::string& code : m_value.types) {
        CodeVerdict verdict;
        if (state.serverUtils)
            state.serverUtils->ValidateCode(std::string(lookupType), code, state.contextKey, verdict);
        const std::string description = verdict.status == "VALID"
            ? std::string(text::trim(verdict.description.substr(0, verdict.description.find('|'))))
            : std::string("(unknown document type)");
        addToList(code, description);
    }
    m_other->setChecked(m_value.hasFlag('O'));
    m_custom->setChecked(m_value.hasFlag('C'));
    m_portal->setChecked(m_value.hasFlag('P'));
    m_allDays->setChecked(!m_value.days && m_value.unreadDays.empty());
    m_someDays->setChecked(m_value.days || !m_value.unreadDays.empty());
    m_days->setText(m_value.days ? QString::number(*m_value.days) : wire(m_value.unreadDays));
    m_showing = false;
    updateControls();
}

void frmWorkflowImagePage::addToList(const std::string& code, const std::string& description)
{
    auto* item = new QListWidgetItem(wire(code) + QStringLiteral("  -  ") + wire(description), m_types);
    item->setData(codeRole, wire(code));
}

void frmWorkflowImagePage::changed()
{
    if (m_showing)
        return;
    updateControls();
    Q_EMIT edited();
}

void frmWorkflowImagePage::updateControls()
{
    const bool someTypes = !m_allTypes->isChecked();
    m_allTypes->setEnabled(m_writable);
    m_types->setEnabled(someTypes);
    m_add->setEnabled(m_writable && someTypes);
    m_remove->setEnabled(m_writable && someTypes && !m_types->selectedItems().isEmpty());
    for (QWidget* widget : std::initializer_list<QWidget*> {m_other, m_custom, m_portal, m_allDays, m_someDays})
        widget->setEnabled(m_writable);
    m_days->setEnabled(m_writable);
}

std::string frmWorkflowImagePage::value() const
{
    return m_value.text();
}

bool frmWorkflowImagePage::hasChanges() const
{
    return value() != m_loaded;
}

void frmWorkflowImagePage::setWritable(bool writable)
{
    m_writable = writable;
    updateControls();
}

void frmWorkflowImagePage::cmdAddDocType_Click()
{
    try {
        if (!m_writable || m_allTypes->isChecked())
            return;
        LookupCall call;
        call.parent = window();
        const std::string chosen = GeneralLookup(std::string(lookupType), call);
        m_types->setFocus();
        if (chosen == "CANCEL" || chosen.empty())
            return;
        std::string code;
        std::string description;
        TextFields::splitInTwo(chosen, SharedState::instance().display.lookupSeparator, code, description);
        addDocType(std::string(text::trim(code)));
    } catch (...) {
        Log::error("ERR in frmSysSettings.cmdAddDocType_Click   ", Log::describeCurrentException());
    }
}

bool frmWorkflowImagePage::addDocType(const std::string& code)
{
    if (!m_writable || code.empty())
        return false;
    for (const std::string& present : m_value.types) {
        if (text::equalsNoCase(present, code))
            return true;
    }
    CodeVerdict verdict;
    auto& state = SharedState::instance();
    if (state.serverUtils)
        state.serverUtils->ValidateCode(std::string(lookupType), code, state.contextKey, verdict);
    if (verdict.status != "VALID") {
        tell("'" + code + "' is not a valid document type.", PromptIcon::Warning,
             std::string(SettingsTexts::validationTitle));
        return false;
    }
    if (const auto byte = SeparatorCheck::firstRefused(code, ",:")) {
        tell(SeparatorCheck::refusalText("Document type " + code, *byte), PromptIcon::Warning,
             std::string(SettingsTexts::validationTitle));
        return false;
    }
    m_value.types.push_back(code);
    addToList(code, std::string(text::trim(verdict.description.substr(0, verdict.description.find('|')))));
    changed();
    return true;
}

void frmWorkflowImagePage::cmdRemoveDocType_Click()
{
    if (!m_writable)
        return;
    for (QListWidgetItem* item : m_types->selectedItems()) {
        const std::string code = WireCodec::toWireLossy(item->data(codeRole).toString());
        std::erase(m_value.types, code);
        delete item;
    }
    changed();
}

bool frmWorkflowImagePage::save()
{
    return trapped("ERR in frmSysSettings.SaveWorkFlowImageSettings   ", false, [&] {
        if (m_someDays->isChecked() && !m_value.days && m_value.unreadDays.empty()) {
            tell("Please enter number of days (1-9999)!", PromptIcon::Warning,
                 std::string(SettingsTexts::validationTitle));
            m_days->setFocus();
            return false;
        }
        if (const auto refused = m_value.refusal()) {
            tell(*refused, PromptIcon::Warning, std::string(SettingsTexts::validationTitle));
            return false;
        }
        const std::string stored = value();
        const auto request = SettingsRequests::setSys(m_key, stored);
        if (!request) {
            tell(SettingsTexts::keyCannotBeSent(m_key), PromptIcon::Warning);
            return false;
        }
        const StringReply reply = ServerRequest::viaString(*request);
        if (!reply.sent) {
            tell("mcomm.GetServerStringData failed in frmSysSettings.SaveWorkFlowImageSettings", PromptIcon::Critical);
            return false;
        }
        if (!CheckForErrorOnSave(reply.text))
            return false;
        m_loaded = stored;
        return true;
    });
}

bool frmWorkflowImagePage::eventFilter(QObject* watched, QEvent* event)
{
    // F4 in the list adds a type through the lookup, Delete removes the selected ones.
    if (watched == m_types && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F4) {
            cmdAddDocType_Click();
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            cmdRemoveDocType_Click();
            return true;
        }
    }
    return frmOwnSettingsPage::eventFilter(watched, event);
}

QWidget* frmWorkflowImagePage::firstEditor() const
{
    return m_allTypes;
}

} // namespace corvane
