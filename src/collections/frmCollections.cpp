#include "frmCollections.h"

#include "CheckForErrorOnSave.h"
#include "CommonRoutines.h"
#include "Log.h"
#include "Messages.h"
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
#include <QVBoxLayout>

namespace corvane {

namespace {

constexpr int messageTag = 10;
const char* const statusRequest = "|GET|COLAI|STATUS";
// Every typed value travels inside a colon-separated record whose groups use "^" and ",". An amount may show
// thousands commas: they are taken out when it becomes cents, and anything else is refused then.
constexpr std::string_view recordSeparators = ",:^";
constexpr std::string_view amountSeparators = ":^";

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

/// The caption without its trailing colon, to name a field in a message.
std::string captionOf(const char* label)
{
    std::string caption(label);
    if (!caption.empty() && caption.back() == ':')
        caption.pop_back();
    return caption;
}

void refuse(QLineEdit* edit, const std::string& text)
{
    tell(text, PromptIcon::Warning);
    edit->setFocus();
    edit->selectAll();
}

} // namespace

frmCollections::frmCollections(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCollections"));
    setWindowTitle(tr("Collections"));
    buildWindow();
}

frmCollections::~frmCollections()
{
    // The window hides as its base part goes; a field losing the focus then must not reach the members already gone.
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        it.key()->removeEventFilter(this);
        disconnect(it.key(), nullptr, this, nullptr);
    }
}

QLineEdit* frmCollections::makeInput(QWidget* parent, const QString& name, const Field& field)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    switch (field.kind) {
    case CriterionKind::Dates:
        edit->setPlaceholderText(QStringLiteral("MM/DD/YYYY"));
        edit->setMaxLength(10);
        edit->setFixedWidth(96);
        break;
    case CriterionKind::Amounts:
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setMaxLength(20);
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
        // Codes are kept in capitals, as the code tables hold them.
        connect(edit, &QLineEdit::textEdited, this, [edit](const QString& text) {
            const QString upper = text.toUpper();
            if (upper == text)
                return;
            const int cursor = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(cursor);
            edit->setModified(true);
        });
        break;
    }
    m_fields.insert(edit, field);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this] {
        if (!m_loading)
            updateRequiredState();
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
        if (!m_loading && edit->isModified()) {
            edit->setModified(false);
            checkField(edit);
        }
    });
    return edit;
}

void frmCollections::buildWindow()
{
    const auto calendarButton = [this](QWidget* parent, const char* name) {
        QPushButton* button = makeButton(parent, name, QString());
        button->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
        button->setToolTip(tr("Choose a date (F4)"));
        button->setFixedWidth(32);
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
    m_listCode
        = makeInput(this, QStringLiteral("txtListLookup"), {FieldRole::List, CriterionKind::Codes, -1, "The list"});
    m_listCode->setFixedWidth(90);
    listLabel->setBuddy(m_listCode);
    QPushButton* listLookup = makeButton(this, "cmdListLookup", QStringLiteral("..."));
    listLookup->setToolTip(tr("Choose a collection list (F4)"));
    listLookup->setFixedWidth(32);
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
            std::string name = captionOf(spec.label);
            if (spec.inputs == 2) {
                inputRow->addWidget(new QLabel(k == 0 ? tr("From") : tr("Thru"), group.frame));
                name += k == 0 ? " From" : " Thru";
            } else {
                name += " " + std::to_string(k + 1);
            }
            QLineEdit* input
                = makeInput(group.frame, QStringLiteral("%1_%2_%3").arg(QLatin1String(kind)).arg(spec.tag).arg(k),
                            {FieldRole::Criterion, spec.kind, static_cast<int>(i), name});
            group.inputs.push_back(input);
            inputRow->addWidget(input);
            if (spec.kind == CriterionKind::Dates) {
                const std::string buttonName = "cmdCal_" + std::to_string(spec.tag) + "_" + std::to_string(k);
                QPushButton* calendar = calendarButton(group.frame, buttonName.c_str());
                group.calendars.push_back(calendar);
                inputRow->addWidget(calendar);
                connect(calendar, &QPushButton::clicked, this, [this, input, calendar] { pickDate(input, calendar); });
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
    m_messageCode = makeInput(m_messageFrame, QStringLiteral("txtMsgLookup"),
                              {FieldRole::MessageCode, CriterionKind::Codes, -1, "The message code"});
    QPushButton* messageLookup = makeButton(m_messageFrame, "cmdMsgLookup", QStringLiteral("..."));
    messageLookup->setToolTip(tr("Choose a message (F4)"));
    messageLookup->setFixedWidth(32);
    m_messageDescription = new QLabel(m_messageFrame);
    m_messageDescription->setObjectName(QStringLiteral("lblMsg"));
    m_messageDate = makeInput(m_messageFrame, QStringLiteral("mskCal_10"),
                              {FieldRole::MessageDate, CriterionKind::Dates, -1, "The message date"});
    m_messageCalendar = calendarButton(m_messageFrame, "cmdCal_10");
    auto* messageLayout = new QHBoxLayout(m_messageFrame);
    messageLayout->addWidget(new QLabel(tr("Message:"), m_messageFrame));
    messageLayout->addWidget(m_messageCode);
    messageLayout->addWidget(messageLookup);
    messageLayout->addWidget(m_messageDescription, 1);
    messageLayout->addWidget(new QLabel(tr("Date:"), m_messageFrame));
    messageLayout->addWidget(m_messageDate);
    messageLayout->addWidget(m_messageCalendar);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_next = makeButton(this, "cmdNext", QStringLiteral("&Continue"));
    m_next->setDefault(true);
    m_reset = makeButton(this, "cmdNew", QStringLiteral("R&eset to Start"));
    m_cancel = makeButton(this, "cmdCancel", QStringLiteral("C&ancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
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

    connect(listLookup, &QPushButton::clicked, this, &frmCollections::cmdListLookup_Click);
    connect(messageLookup, &QPushButton::clicked, this, &frmCollections::cmdMsgLookup_Click);
    connect(m_messageCalendar, &QPushButton::clicked, this, [this] { pickDate(m_messageDate, m_messageCalendar); });
    for (QRadioButton* mode : {m_all, m_selected}) {
        connect(mode, &QRadioButton::clicked, this, [this] {
            if (!m_loading) {
                applyEnabledState();
                updateRequiredState();
            }
        });
    }
    connect(m_postMessage, &QCheckBox::toggled, this, [this] {
        if (m_loading)
            return;
        applyEnabledState();
        updateRequiredState();
    });
    connect(m_next, &QPushButton::clicked, this, &frmCollections::cmdNext_Click);
    connect(m_reset, &QPushButton::clicked, this, &frmCollections::cmdNew_Click);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmCollections::eventFilter(QObject* watched, QEvent* event)
{
    // F4 in a field opens its lookup or calendar, so the window never needs the mouse.
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F4
        || !m_fields.contains(edit))
        return QDialog::eventFilter(watched, event);
    const Field& field = m_fields[edit];
    switch (field.role) {
    case FieldRole::List:
        cmdListLookup_Click();
        return true;
    case FieldRole::MessageCode:
        cmdMsgLookup_Click();
        return true;
    case FieldRole::MessageDate:
        pickDate(m_messageDate, m_messageCalendar);
        return true;
    case FieldRole::Criterion:
        break;
    }
    const Group& group = m_groups[static_cast<std::size_t>(field.group)];
    if (field.kind == CriterionKind::Dates) {
        for (std::size_t k = 0; k < group.inputs.size(); ++k) {
            if (group.inputs[k] == edit)
                pickDate(edit, group.calendars[k]);
        }
        return true;
    }
    if (const char* definition = criterionSpecs()[static_cast<std::size_t>(field.group)].lookup) {
        criterionLookup(edit, definition);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmCollections::ShowCollections(bool modal)
{
    m_rights = programRights("COLAI");
    const std::string record = CollectionStatus::normalise(GetCollectionStatusData(m_received));
    LoadControls(record);
    applyEnabledState();
    if (!m_record.listCode.empty() && m_record.account.empty())
        clearPosition();
    updateRequiredState();
    WindowRunner::open(*this, modal);
}

std::string frmCollections::GetCollectionStatusData(bool& received)
{
    const StringReply reply = ServerRequest::viaString(statusRequest);
    std::string error;
    if (!reply.sent)
        error
            = std::string("mcomm.GetServerStringData failed in CorvaneDialogs.frmCollections.GetCollectionStatusData.")
            + "\r\n" + statusRequest;
    else if (text::startsWithNoCase(reply.text, "error"))
        error = reply.text;
    received = error.empty();
    if (received)
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
        // Starting from what the window shows keeps the inputs of a group whose stored values are incomplete.
        CollectionSettings settings = settingsFromWindow();
        CollectionStatus::load(record, settings);
        m_record = settings;
        m_listCode->setText(wire(settings.listCode));
        m_listDescription->setText(wire(settings.listDescription));
        showPosition();
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
        setMessageDetails({}, {});
        // A stored code the server no longer knows is said at once; Continue refuses it until it is corrected.
        if (settings.postMessage && !settings.messageCode.empty())
            checkField(m_messageCode);
    } catch (...) {
        Log::error("Error in CorvaneDialogs.frmCollections.LoadControls: ", Log::describeCurrentException());
    }
    m_loading = false;
}

void frmCollections::showPosition()
{
    m_patientLabel->setText(wire(m_record.patientName));
    m_patientLabel->setToolTip(wire(m_record.patientName));
    const QString account = m_record.account.empty() && m_record.accountSecond.empty() && !m_record.listCode.empty()
        ? QString()
        : wire(m_record.accountLabel());
    m_accountLabel->setText(account);
    m_accountLabel->setToolTip(account);
}

void frmCollections::clearPosition()
{
    m_record.patientName.clear();
    m_record.account.clear();
    m_record.accountSecond.clear();
    m_accountLabel->clear();
    m_accountLabel->setToolTip(QString());
    m_patientLabel->clear();
    m_patientLabel->setToolTip(QString());
}

std::string_view frmCollections::separatorsOf(QLineEdit* edit) const
{
    return m_fields.value(edit).kind == CriterionKind::Amounts ? amountSeparators : recordSeparators;
}

std::string frmCollections::typed(QLineEdit* edit) const
{
    // Every field was checked by encodeTyped before anything is built from it; a refused one reads as empty.
    return WireCodec::encodeTyped(edit->text(), {}, separatorsOf(edit)).wire.value_or(std::string());
}

CollectionSettings frmCollections::settingsFromWindow() const
{
    CollectionSettings settings = m_record;
    settings.listCode = typed(m_listCode);
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
        setMessageDetails({}, {});
        EnableDisableInner(messageTag, 'N');
    }
}

void frmCollections::EnableDisableInner(int tag, char letter)
{
    const bool enabled = letter != 'N' && letter != 'A';
    if (tag == messageTag) {
        m_messageFrame->setEnabled(enabled);
        return;
    }
    m_groups[static_cast<std::size_t>(tag - 1)].frame->setEnabled(enabled);
}

bool frmCollections::isRequired(QLineEdit* input) const
{
    if (!input->isEnabledTo(this))
        return false;
    const Field& field = m_fields[input];
    if (field.role == FieldRole::MessageCode || field.role == FieldRole::MessageDate)
        return true;
    return field.role == FieldRole::Criterion && criterionSpecs()[static_cast<std::size_t>(field.group)].required;
}

void frmCollections::updateRequiredState()
{
    const QColor disabled
        = colourFromBgr(static_cast<std::uint32_t>(SharedState::instance().display.disabledCellColour));
    const QColor required = paletteColour('y', QColor(0xFF, 0xFF, 0xD0));
    bool anyEmpty = false;
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        QLineEdit* input = it.key();
        const bool needed = isRequired(input);
        const bool empty = input->text().trimmed().isEmpty();
        QPalette palette = input->palette();
        QColor colour = input->isEnabledTo(this) ? QColor(Qt::white) : disabled;
        if (needed && empty) {
            colour = required;
            anyEmpty = true;
        }
        palette.setColor(QPalette::Base, colour);
        input->setPalette(palette);
        input->setAccessibleDescription(needed ? tr("required") : QString());
    }
    // Without a record from the server nothing may be saved: an empty record would overwrite the stored one.
    const bool maySave = m_received && !anyEmpty;
    m_next->setEnabled(maySave);
    m_reset->setEnabled(maySave);
    m_status->setText(!m_received    ? QStringLiteral("No data has been received.")
                          : anyEmpty ? tr("Fill in the highlighted fields to continue.")
                                     : QString());
}

bool frmCollections::checkField(QLineEdit* edit, bool full)
{
    const Field& field = m_fields[edit];
    edit->setModified(false);
    const auto encoded = WireCodec::encodeTyped(edit->text(), QString::fromStdString(field.name), separatorsOf(edit));
    if (!encoded.wire) {
        refuse(edit, encoded.refusal);
        return false;
    }
    if (!full)
        return true;
    const std::string value(text::trim(*encoded.wire));
    switch (field.role) {
    case FieldRole::List:
        return checkListCode(edit, value);
    case FieldRole::MessageCode:
        return checkMessageCode(edit, value);
    case FieldRole::MessageDate:
    case FieldRole::Criterion:
        return checkCriterion(edit, field, value);
    }
    return true;
}

bool frmCollections::checkListCode(QLineEdit* edit, const std::string& code)
{
    if (code.empty()) {
        m_record.listDescription.clear();
        m_listDescription->clear();
        return true;
    }
    if (!LookupCodeIsValid(code, false)) {
        edit->setFocus();
        return false;
    }
    // The stored list goes back as it came, description included.
    auto serverUtils = SharedState::instance().serverUtils;
    if (!serverUtils || code == m_record.listCode)
        return true;
    CodeVerdict verdict;
    serverUtils->ValidateCode("LIST", code, SharedState::instance().contextKey, verdict);
    if (verdict.status != "VALID") {
        refuse(edit,
               "\"" + code + "\" is not a collection list.\r\nPlease type a list code or press F4 to choose one.");
        return false;
    }
    // Another list starts from its first account, as choosing it through the lookup does.
    clearPosition();
    m_record.listCode = code;
    m_record.listDescription = verdict.description.substr(0, verdict.description.find('|'));
    m_listDescription->setText(wire(m_record.listDescription));
    return true;
}

bool frmCollections::checkMessageCode(QLineEdit* edit, const std::string& code)
{
    setMessageDetails({}, {});
    if (code.empty())
        return true;
    if (!LookupCodeIsValid(code, false)) {
        edit->setFocus();
        return false;
    }
    auto serverUtils = SharedState::instance().serverUtils;
    if (!serverUtils)
        return true;
    CodeVerdict verdict;
    serverUtils->ValidateCode("PM", code, SharedState::instance().contextKey, verdict);
    if (verdict.status != "VALID") {
        refuse(edit,
               "\"" + code + "\" is not a message code.\r\nPlease type a message code or press F4 to choose one.");
        return false;
    }
    const std::size_t bar = verdict.description.find('|');
    setMessageDetails(verdict.description.substr(0, bar),
                      bar == std::string::npos ? std::string() : verdict.description.substr(bar + 1));
    return true;
}

bool frmCollections::checkCriterion(QLineEdit* edit, const Field& field, const std::string& value)
{
    if (value.empty())
        return true;
    auto utils = SharedState::instance().utils;
    switch (field.kind) {
    case CriterionKind::Dates: {
        const std::string expanded = CollectionStatus::expandDigitsDate(value);
        if (expanded != value)
            edit->setText(wire(expanded));
        return DateIsValid(edit, true, false);
    }
    case CriterionKind::Amounts: {
        const auto& group = m_record.groups[static_cast<std::size_t>(field.group)];
        const auto& inputs = m_groups[static_cast<std::size_t>(field.group)].inputs;
        const std::size_t k = static_cast<std::size_t>(std::find(inputs.begin(), inputs.end(), edit) - inputs.begin());
        // A stored amount the window cannot write itself (a negative one) goes back as it came while untouched.
        if (k < group.stored.size() && value == CollectionStatus::showAmount(group.stored[k]))
            return true;
        const auto cents = Money::parseDollars(value);
        if (!cents || (utils && !utils->ValidateField(FieldKind::Amount, value))) {
            refuse(edit,
                   field.name + ": \"" + value
                       + "\" is not an amount. Please enter dollars and cents, for example 1,250.00.");
            return false;
        }
        edit->setText(wire("$" + Money::formatDollars(*cents, true)));
        return true;
    }
    case CriterionKind::Days:
        if (value.find_first_not_of("0123456789") != std::string::npos
            || (utils && !utils->ValidateField(FieldKind::Number, value))) {
            refuse(edit, field.name + ": \"" + value + "\" is not a number of days.");
            return false;
        }
        return true;
    case CriterionKind::Codes:
        if (!LookupCodeIsValid(value, false)) {
            edit->setFocus();
            return false;
        }
        return true;
    }
    return true;
}

bool frmCollections::validateAll()
{
    if (!checkField(m_listCode))
        return false;
    const auto& specs = criterionSpecs();
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const Group& group = m_groups[i];
        // Values of a group the operator switched off are saved as they are, but may not shift the record.
        const bool inForce = group.frame->isEnabledTo(this);
        for (QLineEdit* input : group.inputs) {
            if (!checkField(input, inForce))
                return false;
        }
        if (!inForce || group.inputs.size() != 2)
            continue;
        if (!CollectionStatus::rangeInOrder(specs[i].kind, typed(group.inputs[0]), typed(group.inputs[1]))) {
            const char* what = specs[i].kind == CriterionKind::Dates ? "date is later"
                : specs[i].kind == CriterionKind::Days               ? "age is larger"
                                                                     : "amount is larger";
            refuse(group.inputs[1],
                   captionOf(specs[i].label) + ": the \"From\" " + what + " than the \"Thru\" "
                       + (specs[i].kind == CriterionKind::Dates      ? "date."
                              : specs[i].kind == CriterionKind::Days ? "age."
                                                                     : "amount."));
            return false;
        }
    }
    if (m_postMessage->isChecked()) {
        if (!checkField(m_messageCode) || !checkField(m_messageDate))
            return false;
    }
    return true;
}

std::optional<std::string> frmCollections::ReassembleData(bool resetPosition)
{
    if (!m_received || !validateAll())
        return std::nullopt;
    int invalidTag = 0;
    bool ok = false;
    std::string record = CollectionStatus::reassemble(settingsFromWindow(), resetPosition, invalidTag, ok);
    if (!ok) {
        const std::size_t group = static_cast<std::size_t>(invalidTag - 1);
        refuse(m_groups[group].inputs.front(),
               std::string("Please correct the amounts of \"") + criterionSpecs()[group].label + "\"");
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
        if (!CheckForErrorOnSave(reply.text))
            return false;
        CollectionStatus::load(record, m_record);
        return true;
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
    clearPosition();
    return true;
}

void frmCollections::cmdNext_Click()
{
    const auto record = ReassembleData(false);
    if (!record)
        return;
    m_continue = false;
    m_messageRecord.clear();
    // A refused save keeps the window open with everything typed; the server's message said why.
    if (!SaveCollectionStatusData(*record))
        return;
    const bool post = m_postMessage->isChecked();
    const std::string account = m_record.accountLabel();
    m_messageRecord = std::string(text::trim(typed(m_messageDate))) + "\t"
        + std::string(text::trim(typed(m_messageCode))) + "\t" + (post ? m_messageDescriptionText : std::string())
        + "\t" + (account == "NONE" ? std::string() : account) + "\t" + std::string(text::trim(typed(m_listCode)))
        + "\t" + (m_selected->isChecked() ? "True" : "False") + "\t" + (post ? m_messageType : std::string());
    m_continue = true;
    accept();
}

void frmCollections::cmdNew_Click()
{
    const std::string list = std::string(text::trim(typed(m_listCode)));
    const std::string where = m_record.account.empty() && m_record.accountSecond.empty()
        ? std::string()
        : " (last account " + m_record.accountLabel()
            + (m_record.patientName.empty() ? std::string() : ", " + m_record.patientName) + ")";
    if (ask("Reset to Start clears your place in list " + list + where
                + ": the list starts again from its first account.\r\nDo you want to reset it?",
            PromptButtons::YesNo, PromptAnswer::No)
        != PromptAnswer::Yes)
        return;
    if (saveWithPositionCleared())
        tell("The place in list " + list + where + " was cleared; the list starts again from its first account.",
             PromptIcon::Information);
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
    const bool different = !text::equalsNoCase(code, m_record.listCode);
    m_listCode->setText(wire(code));
    m_listCode->setModified(false);
    m_record.listDescription = description;
    m_listDescription->setText(wire(description));
    if (different && m_received && saveWithPositionCleared())
        m_record.listCode = code;
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
    m_messageCode->setModified(false);
    checkField(m_messageCode);
    updateRequiredState();
}

void frmCollections::criterionLookup(QLineEdit* edit, const char* definition)
{
    LookupCall call;
    call.searchText = std::string(text::trim(typed(edit)));
    call.parent = this;
    const std::string chosen = GeneralLookup(definition, call);
    if (chosen == "CANCEL" || chosen.empty())
        return;
    std::string code;
    std::string description;
    TextFields::splitInTwo(chosen, SharedState::instance().display.lookupSeparator, code, description);
    edit->setText(wire(code));
    edit->setModified(false);
    checkField(edit);
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

void frmCollections::setMessageDetails(std::string description, std::string type)
{
    // The server's bytes are kept as they came; the label only shows them.
    m_messageDescriptionText = std::move(description);
    m_messageType = std::move(type);
    const QString shown = wire(m_messageDescriptionText);
    m_messageDescription->setText(shown);
    m_messageDescription->setToolTip(shown);
}

} // namespace corvane
