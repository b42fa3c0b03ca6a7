#include "frmCollections.h"

#include "CheckForErrorOnSave.h"
#include "CommonRoutines.h"
#include "Log.h"
#include "Money.h"
#include "ServerRequest.h"
#include "SharedState.h"
#include "Text.h"
#include "TextFields.h"
#include "WidgetRoutines.h"
#include "WindowRunner.h"
#include "WireCodec.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

constexpr int messageTag = 10;
const char* const requiredProperty = "corvaneRequired";
const char* const statusRequest = "|GET|COLAI|STATUS";

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

std::string typed(const QLineEdit* edit)
{
    return WireCodec::toWireLossy(edit->text());
}

void tell(const std::string& text, PromptIcon icon = PromptIcon::Warning)
{
    auto& state = SharedState::instance();
    state.prompter().ask({state.messageTitle(), text, icon, PromptButtons::Ok});
}

QColor bgr(std::uint32_t value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace

frmCollections::frmCollections(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCollections"));
    setWindowTitle(tr("Collections"));
    buildWindow();
}

QLineEdit* frmCollections::makeInput(QWidget* parent, const char* kind, int tag, int index, CriterionKind valueKind)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("%1_%2_%3").arg(QLatin1String(kind)).arg(tag).arg(index));
    edit->setProperty(requiredProperty, false);
    switch (valueKind) {
    case CriterionKind::Dates:
        edit->setPlaceholderText(QStringLiteral("MM/DD/YYYY"));
        edit->setMaxLength(10);
        edit->setFixedWidth(96);
        break;
    case CriterionKind::Amounts:
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setFixedWidth(110);
        break;
    case CriterionKind::Days:
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setMaxLength(5);
        edit->setFixedWidth(70);
        break;
    case CriterionKind::Codes:
        edit->setMaxLength(10);
        edit->setFixedWidth(70);
        break;
    }
    connect(edit, &QLineEdit::textChanged, this, [this] {
        if (!m_loading)
            updateRequiredState();
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, valueKind] {
        if (!m_loading && edit->isModified()) {
            edit->setModified(false);
            validateInput(edit, valueKind);
        }
    });
    return edit;
}

void frmCollections::buildWindow()
{
    const auto calendarButton = [this](QWidget* parent, const QString& name) {
        auto* button = new QToolButton(parent);
        button->setObjectName(name);
        button->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
        button->setToolTip(tr("Choose a date"));
        button->setFocusPolicy(Qt::TabFocus);
        return button;
    };

    auto* account = new QGroupBox(tr("Last acct:"), this);
    account->setObjectName(QStringLiteral("fraAcct"));
    m_accountLabel = new QLabel(account);
    m_accountLabel->setObjectName(QStringLiteral("lblAccnt"));
    m_patientLabel = new QLabel(account);
    m_patientLabel->setObjectName(QStringLiteral("lblPatName"));
    auto* accountLayout = new QHBoxLayout(account);
    accountLayout->addWidget(m_accountLabel);
    accountLayout->addSpacing(24);
    accountLayout->addWidget(m_patientLabel, 1);

    auto* listLabel = new QLabel(tr("&List:"), this);
    m_listCode = new QLineEdit(this);
    m_listCode->setObjectName(QStringLiteral("txtListLookup"));
    m_listCode->setFixedWidth(90);
    listLabel->setBuddy(m_listCode);
    auto* listLookup = new QToolButton(this);
    listLookup->setObjectName(QStringLiteral("cmdListLookup"));
    listLookup->setText(QStringLiteral("..."));
    listLookup->setToolTip(tr("Choose a collection list (F4)"));
    m_listDescription = new QLabel(this);
    m_listDescription->setObjectName(QStringLiteral("lblListDescription"));
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(listLabel);
    listRow->addWidget(m_listCode);
    listRow->addWidget(listLookup);
    listRow->addWidget(m_listDescription, 1);

    m_all = new QRadioButton(tr("All"), this);
    m_all->setObjectName(QStringLiteral("optAll"));
    m_selected = new QRadioButton(tr("Selected"), this);
    m_selected->setObjectName(QStringLiteral("optSelected"));
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(new QLabel(tr("Accounts:"), this));
    modeRow->addWidget(m_all);
    modeRow->addWidget(m_selected);
    modeRow->addStretch(1);

    auto* criteria = new QGridLayout;
    const auto& specs = criterionSpecs();
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const CriterionSpec& spec = specs[i];
        Group& group = m_groups[i];
        group.frame = new QGroupBox(this);
        group.frame->setObjectName(QStringLiteral("fraSel_%1").arg(spec.tag));
        group.frame->setFlat(true);
        auto* label = new QLabel(QString::fromLatin1(spec.label), this);
        label->setObjectName(QStringLiteral("lblSel_%1").arg(spec.tag));
        group.options = new QButtonGroup(this);
        auto* optionRow = new QHBoxLayout;
        for (std::size_t k = 0; k < spec.options.size(); ++k) {
            auto* option = new QRadioButton(QString::fromLatin1(spec.options[k]), this);
            option->setObjectName(QStringLiteral("optAns_%1_%2").arg(spec.tag).arg(k));
            group.options->addButton(option, static_cast<int>(k));
            group.optionButtons.push_back(option);
            optionRow->addWidget(option);
        }
        optionRow->addStretch(1);
        auto* inputRow = new QHBoxLayout(group.frame);
        inputRow->setContentsMargins(0, 0, 0, 0);
        const char* kind = spec.kind == CriterionKind::Dates ? "mskCal"
            : spec.kind == CriterionKind::Amounts            ? "txtCurr"
            : spec.kind == CriterionKind::Days               ? "txtMask"
                                                             : "txtText";
        for (int k = 0; k < spec.inputs; ++k) {
            if (spec.inputs == 2)
                inputRow->addWidget(new QLabel(k == 0 ? tr("From") : tr("Thru"), group.frame));
            QLineEdit* input = makeInput(group.frame, kind, spec.tag, k, spec.kind);
            group.inputs.push_back(input);
            inputRow->addWidget(input);
            if (spec.kind == CriterionKind::Dates) {
                auto* calendar = calendarButton(group.frame, QStringLiteral("cmdCal_%1_%2").arg(spec.tag).arg(k));
                group.calendars.push_back(calendar);
                inputRow->addWidget(calendar);
                connect(calendar, &QToolButton::clicked, this, [this, input, calendar] { pickDate(input, calendar); });
            }
        }
        inputRow->addStretch(1);
        const int row = static_cast<int>(i);
        criteria->addWidget(label, row, 0);
        criteria->addLayout(optionRow, row, 1);
        criteria->addWidget(group.frame, row, 2);
        const int tag = spec.tag;
        connect(group.options, &QButtonGroup::idClicked, this, [this, tag, &spec](int id) {
            if (m_loading)
                return;
            EnableDisableInner(tag, spec.options[static_cast<std::size_t>(id)][0]);
            updateRequiredState();
        });
    }
    criteria->setColumnStretch(2, 1);
    auto* criteriaBox = new QGroupBox(tr("Selection criteria"), this);
    criteriaBox->setLayout(criteria);

    m_messageFrame = new QGroupBox(this);
    m_messageFrame->setObjectName(QStringLiteral("fraMsg"));
    m_postMessage = new QCheckBox(tr("Post message"), this);
    m_postMessage->setObjectName(QStringLiteral("chkPostMsg"));
    m_messageCode = makeInput(m_messageFrame, "txtMsgLookup", messageTag, 0, CriterionKind::Codes);
    m_messageCode->setObjectName(QStringLiteral("txtMsgLookup"));
    auto* messageLookup = new QToolButton(m_messageFrame);
    messageLookup->setObjectName(QStringLiteral("cmdMsgLookup"));
    messageLookup->setText(QStringLiteral("..."));
    messageLookup->setToolTip(tr("Choose a message (F4)"));
    m_messageDescription = new QLabel(m_messageFrame);
    m_messageDescription->setObjectName(QStringLiteral("lblMsg"));
    m_messageDate = makeInput(m_messageFrame, "mskCal", messageTag, 0, CriterionKind::Dates);
    m_messageDate->setObjectName(QStringLiteral("mskCal_10"));
    m_messageCalendar = calendarButton(m_messageFrame, QStringLiteral("cmdCal_10"));
    auto* messageLayout = new QHBoxLayout(m_messageFrame);
    messageLayout->addWidget(new QLabel(tr("Message:"), m_messageFrame));
    messageLayout->addWidget(m_messageCode);
    messageLayout->addWidget(messageLookup);
    messageLayout->addWidget(m_messageDescription, 1);
    messageLayout->addWidget(new QLabel(tr("Date:"), m_messageFrame));
    messageLayout->addWidget(m_messageDate);
    messageLayout->addWidget(m_messageCalendar);

    m_next = new QPushButton(QStringLiteral("&Continue"), this);
    m_next->setObjectName(QStringLiteral("cmdNext"));
    m_next->setDefault(true);
    m_reset = makeButton(this, "cmdNew", QStringLiteral("R&eset to Start"));
    m_cancel = makeButton(this, "cmdCancel", QStringLiteral("C&ancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_next);
    buttons->addWidget(m_reset);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(account);
    layout->addLayout(listRow);
    layout->addLayout(modeRow);
    layout->addWidget(criteriaBox);
    layout->addWidget(m_postMessage);
    layout->addWidget(m_messageFrame);
    layout->addLayout(buttons);

    // F4 in a field opens its lookup or calendar, so the window never needs the mouse.
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->installEventFilter(this);
    connect(listLookup, &QToolButton::clicked, this, &frmCollections::cmdListLookup_Click);
    connect(messageLookup, &QToolButton::clicked, this, &frmCollections::cmdMsgLookup_Click);
    connect(m_messageCalendar, &QToolButton::clicked, this, [this] { pickDate(m_messageDate, m_messageCalendar); });
    connect(m_listCode, &QLineEdit::editingFinished, this, [this] {
        if (!m_loading && m_listCode->isModified()) {
            m_listCode->setModified(false);
            if (!LookupCodeIsValid(typed(m_listCode), false))
                m_listCode->setFocus();
        }
    });
    connect(m_messageCode, &QLineEdit::editingFinished, this, [this] {
        if (!m_loading && m_messageCode->isModified())
            validateMessageCode();
    });
    connect(m_all, &QRadioButton::clicked, this, [this] {
        if (!m_loading) {
            applyEnabledState();
            updateRequiredState();
        }
    });
    connect(m_selected, &QRadioButton::clicked, this, [this] {
        if (!m_loading) {
            applyEnabledState();
            updateRequiredState();
        }
    });
    connect(m_postMessage, &QCheckBox::toggled, this, [this](bool checked) {
        if (m_loading)
            return;
        if (!checked) {
            m_messageCode->clear();
            m_messageDate->clear();
            m_messageDescription->clear();
            m_messageType.clear();
        }
        EnableDisableInner(messageTag, checked ? 'S' : 'N');
        updateRequiredState();
    });
    connect(m_next, &QPushButton::clicked, this, &frmCollections::cmdNext_Click);
    connect(m_reset, &QPushButton::clicked, this, &frmCollections::cmdNew_Click);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmCollections::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F4)
        return QDialog::eventFilter(watched, event);
    if (watched == m_listCode) {
        cmdListLookup_Click();
        return true;
    }
    if (watched == m_messageCode) {
        cmdMsgLookup_Click();
        return true;
    }
    if (watched == m_messageDate) {
        pickDate(m_messageDate, m_messageCalendar);
        return true;
    }
    for (const Group& group : m_groups) {
        for (std::size_t k = 0; k < group.calendars.size(); ++k) {
            if (watched == group.inputs[k]) {
                pickDate(group.inputs[k], group.calendars[k]);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmCollections::ShowCollections(bool modal)
{
    auto& state = SharedState::instance();
    m_rights = {};
    if (state.utils) {
        std::shared_ptr<RightsList> rights;
        state.utils->GetRightsList(rights);
        if (rights && rights->entry("COLAI"))
            m_rights = *rights->entry("COLAI");
    }
    const std::string record = CollectionStatus::normalise(GetCollectionStatusData());
    LoadControls(record);
    applyEnabledState();
    if (!m_loaded.listCode.empty() && m_loaded.account.empty())
        clearAccountLabels();
    updateRequiredState();
    if (modal) {
        WindowRunner::run(*this);
    } else {
        show();
    }
}

std::string frmCollections::GetCollectionStatusData()
{
    const StringReply reply = ServerRequest::viaString(statusRequest);
    std::string error;
    if (!reply.sent)
        error
            = std::string("mcomm.GetServerStringData failed in CorvaneDialogs.frmCollections.GetCollectionStatusData.")
            + "\r\n" + statusRequest;
    else if (text::startsWithNoCase(reply.text, "error"))
        error = reply.text;
    if (error.empty())
        return reply.text;
    const std::string prefix = "ERR in CorvaneDialogs.frmCollections.GetCollectionStatusData  ";
    Log::line(prefix + error);
    tell(prefix + "\r\n" + error, PromptIcon::Critical);
    return {};
}

void frmCollections::LoadControls(const std::string& record)
{
    m_loading = true;
    try {
        CollectionSettings settings = settingsFromWindow();
        CollectionStatus::load(record, settings);
        m_loaded = settings;
        m_listCode->setText(wire(settings.listCode));
        m_listCode->setModified(false);
        m_listDescription->setText(wire(settings.listDescription));
        m_patientName = settings.patientName;
        m_account = settings.account;
        m_accountSecond = settings.accountSecond;
        m_patientLabel->setText(wire(settings.patientName));
        m_patientLabel->setToolTip(wire(settings.patientName));
        m_accountLabel->setText(wire(settings.accountLabel()));
        m_accountLabel->setToolTip(wire(settings.accountLabel()));
        (settings.selectedMode ? m_selected : m_all)->setChecked(true);
        m_postMessage->setChecked(settings.postMessage);
        m_messageCode->setText(wire(settings.messageCode));
        m_messageDate->setText(wire(settings.messageDate));
        const auto& specs = criterionSpecs();
        for (std::size_t i = 0; i < specs.size(); ++i) {
            Group& group = m_groups[i];
            for (std::size_t k = 0; k < specs[i].options.size(); ++k) {
                if (specs[i].options[k][0] == settings.groups[i].letter)
                    group.optionButtons[k]->setChecked(true);
            }
            for (std::size_t k = 0; k < group.inputs.size(); ++k)
                group.inputs[k]->setText(wire(settings.groups[i].inputs[k]));
        }
        m_loading = false;
        if (!settings.messageCode.empty())
            validateMessageCode();
    } catch (...) {
        Log::error("Error in CorvaneDialogs.frmCollections.LoadControls: ", Log::describeCurrentException());
    }
    m_loading = false;
}

CollectionSettings frmCollections::settingsFromWindow() const
{
    CollectionSettings settings;
    settings.listCode = typed(m_listCode);
    settings.listDescription = WireCodec::toWireLossy(m_listDescription->text());
    settings.patientName = m_patientName;
    settings.account = m_account;
    settings.accountSecond = m_accountSecond;
    settings.selectedMode = m_selected->isChecked();
    settings.postMessage = m_postMessage->isChecked();
    settings.messageCode = std::string(text::trim(typed(m_messageCode)));
    settings.messageDate = std::string(text::trim(typed(m_messageDate)));
    const auto& specs = criterionSpecs();
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const Group& group = m_groups[i];
        const int checked = group.options ? group.options->checkedId() : -1;
        if (checked >= 0)
            settings.groups[i].letter = specs[i].options[static_cast<std::size_t>(checked)][0];
        for (std::size_t k = 0; k < group.inputs.size(); ++k)
            settings.groups[i].inputs[k] = typed(group.inputs[k]);
    }
    return settings;
}

void frmCollections::applyEnabledState()
{
    const bool selected = m_selected->isChecked();
    const auto& specs = criterionSpecs();
    for (std::size_t i = 0; i < specs.size(); ++i) {
        Group& group = m_groups[i];
        for (QRadioButton* option : group.optionButtons)
            option->setEnabled(selected);
        const int checked = group.options->checkedId();
        const char letter = checked >= 0 ? specs[i].options[static_cast<std::size_t>(checked)][0] : 'A';
        EnableDisableInner(specs[i].tag, selected ? letter : 'N');
    }
    if (m_postMessage->isChecked()) {
        EnableDisableInner(messageTag, 'S');
    } else {
        m_messageCode->clear();
        m_messageDate->clear();
        EnableDisableInner(messageTag, 'N');
    }
}

void frmCollections::EnableDisableInner(int tag, char letter)
{
    const bool enabled = letter != 'N' && letter != 'A';
    if (tag == messageTag) {
        m_messageFrame->setEnabled(enabled);
        for (QLineEdit* input : {m_messageCode, m_messageDate})
            input->setProperty(requiredProperty, enabled);
        return;
    }
    for (std::size_t i = 0; i < m_groups.size(); ++i) {
        if (criterionSpecs()[i].tag != tag)
            continue;
        Group& group = m_groups[i];
        group.frame->setEnabled(enabled);
        for (QLineEdit* input : group.inputs)
            input->setProperty(requiredProperty, enabled && criterionSpecs()[i].required);
    }
}

void frmCollections::updateRequiredState()
{
    auto& state = SharedState::instance();
    const QColor disabled = bgr(static_cast<std::uint32_t>(state.display.disabledCellColour));
    const QColor required = bgr(state.colourForLetter('y', 0xD0FFFF));
    bool anyEmpty = false;
    std::vector<QLineEdit*> inputs {m_messageCode, m_messageDate};
    for (const Group& group : m_groups)
        inputs.insert(inputs.end(), group.inputs.begin(), group.inputs.end());
    for (QLineEdit* input : inputs) {
        const bool isRequired = input->property(requiredProperty).toBool() && input->isEnabled();
        const bool empty = input->text().trimmed().isEmpty();
        QPalette palette = input->palette();
        QColor colour = input->isEnabled() ? QColor(Qt::white) : disabled;
        if (isRequired && empty) {
            colour = required;
            anyEmpty = true;
        }
        palette.setColor(QPalette::Base, colour);
        input->setPalette(palette);
        input->setAccessibleDescription(isRequired ? tr("required") : QString());
    }
    m_next->setEnabled(!anyEmpty);
    m_reset->setEnabled(!anyEmpty);
}

void frmCollections::validateMessageCode()
{
    m_messageCode->setModified(false);
    auto& state = SharedState::instance();
    const std::string code(text::trim(typed(m_messageCode)));
    m_messageDescription->clear();
    m_messageDescription->setToolTip(QString());
    m_messageType.clear();
    if (code.empty() || !state.serverUtils)
        return;
    if (!LookupCodeIsValid(code, false)) {
        m_messageCode->setFocus();
        return;
    }
    CodeVerdict verdict;
    state.serverUtils->ValidateCode("PM", code, state.contextKey, verdict);
    if (verdict.status != "VALID") {
        m_messageDescription->setText(tr("(not a message code)"));
        return;
    }
    const std::size_t bar = verdict.description.find('|');
    const QString description = wire(verdict.description.substr(0, bar));
    m_messageDescription->setText(description);
    m_messageDescription->setToolTip(description);
    m_messageType = bar == std::string::npos ? std::string() : verdict.description.substr(bar + 1);
}

bool frmCollections::validateInput(QLineEdit* input, CriterionKind kind)
{
    auto utils = SharedState::instance().utils;
    const std::string value(text::trim(typed(input)));
    if (value.empty())
        return true;
    bool ok = true;
    switch (kind) {
    case CriterionKind::Dates:
        ok = DateIsValid(input, true, false);
        break;
    case CriterionKind::Amounts: {
        const auto cents = Money::parseDollars(value);
        ok = cents && (!utils || utils->ValidateField(FieldKind::Amount, value));
        if (ok)
            input->setText(wire("$" + Money::formatDollars(*cents, true)));
        else
            tell("\"" + value + "\" is not an amount. Please enter dollars and cents, for example 1,250.00.");
        break;
    }
    case CriterionKind::Days:
        ok = value.find_first_not_of("0123456789") == std::string::npos
            && (!utils || utils->ValidateField(FieldKind::Number, value));
        if (!ok)
            tell("\"" + value + "\" is not a number of days.");
        break;
    case CriterionKind::Codes:
        ok = LookupCodeIsValid(value, false);
        if (ok && value.find_first_of(":,") != std::string::npos) {
            tell("A code may not hold \":\" or \",\".");
            ok = false;
        }
        break;
    }
    if (!ok)
        input->setFocus();
    return ok;
}

bool frmCollections::rangeIsInOrder(int tag)
{
    const Group& group = m_groups[static_cast<std::size_t>(tag - 1)];
    if (group.inputs.size() != 2 || !group.frame->isEnabled())
        return true;
    const std::string from(text::trim(typed(group.inputs[0])));
    const std::string thru(text::trim(typed(group.inputs[1])));
    if (from.empty() || thru.empty())
        return true;
    const auto fromCents = Money::parseDollars(from);
    const auto thruCents = Money::parseDollars(thru);
    if (!fromCents || !thruCents || *fromCents <= *thruCents)
        return true;
    tell("The \"From\" amount is larger than the \"Thru\" amount.");
    group.inputs[1]->setFocus();
    return false;
}

void frmCollections::pickDate(QLineEdit* field, QWidget* button)
{
    auto utils = SharedState::instance().utils;
    if (!utils)
        return;
    const std::string chosen = utils->PickDate(typed(field), button, this);
    if (!chosen.empty()) {
        field->setText(wire(chosen));
        updateRequiredState();
    }
}

std::optional<std::string> frmCollections::ReassembleData(bool resetPosition)
{
    if (!rangeIsInOrder(4))
        return std::nullopt;
    int invalidTag = 0;
    bool ok = false;
    std::string record = CollectionStatus::reassemble(settingsFromWindow(), resetPosition, invalidTag, ok);
    if (!ok) {
        const std::size_t group = static_cast<std::size_t>(invalidTag - 1);
        tell(std::string("Please correct the amounts of \"") + criterionSpecs()[group].label + "\"");
        m_groups[group].inputs.front()->setFocus();
        return std::nullopt;
    }
    return record;
}

bool frmCollections::SaveCollectionStatusData(const std::string& record)
{
    try {
        const StringReply reply = ServerRequest::viaString("|SET|COLAI|SETTING|" + record);
        if (!reply.sent) {
            Log::commFailure("GetServerStringData", "CorvaneDialogs.frmCollections.SaveCollectionStatusData");
            tell("mcomm.GetServerStringData failed in CorvaneDialogs.frmCollections.SaveCollectionStatusData",
                 PromptIcon::Critical);
            return false;
        }
        return CheckForErrorOnSave(reply.text);
    } catch (...) {
        Log::error("ERR in CorvaneDialogs.frmCollections.SaveCollectionStatusData  ", Log::describeCurrentException());
        return false;
    }
}

bool frmCollections::saveWithPositionCleared()
{
    const auto record = ReassembleData(true);
    if (!record || !SaveCollectionStatusData(*record))
        return false;
    clearAccountLabels();
    return true;
}

void frmCollections::clearAccountLabels()
{
    m_account.clear();
    m_accountSecond.clear();
    m_patientName.clear();
    m_accountLabel->clear();
    m_accountLabel->setToolTip(QString());
    m_patientLabel->clear();
    m_patientLabel->setToolTip(QString());
}

void frmCollections::cmdNext_Click()
{
    auto& state = SharedState::instance();
    const auto record = ReassembleData(false);
    if (!record)
        return;
    m_continue = false;
    m_messageRecord.clear();
    if (SaveCollectionStatusData(*record)) {
        const QString accountShown = m_accountLabel->text();
        m_messageRecord = std::string(text::trim(typed(m_messageDate))) + "\t"
            + std::string(text::trim(typed(m_messageCode))) + "\t"
            + WireCodec::toWireLossy(m_messageDescription->text()) + "\t"
            + (accountShown == QStringLiteral("NONE") ? std::string() : WireCodec::toWireLossy(accountShown)) + "\t"
            + std::string(text::trim(typed(m_listCode))) + "\t" + (m_selected->isChecked() ? "True" : "False") + "\t"
            + m_messageType;
        m_continue = true;
    }
    state.collectionsResult = m_messageRecord;
    state.collectionsContinue = m_continue;
    accept();
}

void frmCollections::cmdNew_Click()
{
    saveWithPositionCleared();
}

void frmCollections::cmdListLookup_Click()
{
    LookupCall call;
    call.searchText = std::string(text::trim(typed(m_listCode)));
    call.parent = this;
    const std::string chosen = GeneralLookup("LIST", call);
    if (chosen == "CANCEL" || chosen.empty())
        return;
    std::string code;
    std::string description;
    TextFields::splitInTwo(chosen, SharedState::instance().display.lookupSeparator, code, description);
    const bool different = code != std::string(text::trim(typed(m_listCode)));
    m_listCode->setText(wire(code));
    m_listCode->setModified(false);
    m_listDescription->setText(wire(description));
    if (different)
        saveWithPositionCleared();
}

void frmCollections::cmdMsgLookup_Click()
{
    LookupCall call;
    call.searchText = std::string(text::trim(typed(m_messageCode)));
    call.parent = this;
    const std::string chosen = GeneralLookup("PM", call);
    if (chosen == "CANCEL" || chosen.empty())
        return;
    std::string code;
    std::string description;
    TextFields::splitInTwo(chosen, SharedState::instance().display.lookupSeparator, code, description);
    m_messageCode->setText(wire(code));
    validateMessageCode();
    if (m_messageDescription->text().isEmpty())
        m_messageDescription->setText(wire(description));
    updateRequiredState();
}

} // namespace corvane
