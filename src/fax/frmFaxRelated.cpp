#include "frmFaxRelated.h"

#include "CommonRoutines.h"
#include "FaxAddress.h"
#include "FaxData.h"
#include "FaxDocumentReply.h"
#include "FaxRecipient.h"
#include "FaxRequests.h"
#include "FaxSenderDefaults.h"
#include "Log.h"
#include "Messages.h"
#include "ServerRequest.h"
#include "SharedState.h"
#include "Text.h"
#include "TextFields.h"
#include "WidgetRoutines.h"
#include "WindowRunner.h"
#include "WireCodec.h"
#include "grid/CorvaneGrid.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace corvane {

namespace {

constexpr const char* faxTitle = "Fax";
constexpr const char* logPrefix = "CorvaneDialogs/frmSendFax/InitFax Error: ";
constexpr std::string_view ownSeparator = "\xE6";

enum Field { From = 0, Phone = 1, Subject = 2, To = 3, FaxNumber = 4, Company = 5, Email = 6, Password = 7 };
constexpr const char* fieldCaptions[8]
    = {"From:", "Phone:", "Subject:", "To:", "Fax:", "Company:", "Email:", "Password:"};
constexpr const char* fieldNames[8] = {"From", "Phone", "Subject", "To", "Fax", "Company", "Email", "Password"};
constexpr const char* methodCaptions[4] = {"Fax", "Email", "FTP", "SureScripts"};
constexpr const char* methodCodes[4] = {"F", "E", "T", "S"};
constexpr const char* priorityCaptions[4] = {"Regular", "Urgent", "Delayed", "Economy"};
constexpr const char* priorityCodes[4] = {"R", "U", "D", "E"};

enum ResendColumn { JobColumn = 1, FaxColumn = 2, RecipientColumn = 3 };

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

bool isMasked(int field)
{
    return field == Phone || field == FaxNumber;
}

std::string appTitle()
{
    return SharedState::instance().messageTitle();
}

} // namespace

frmFaxRelated::frmFaxRelated(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFaxRelated"));
    setWindowTitle(QStringLiteral("Fax/Email Options"));
    buildWindow();
}

frmFaxRelated::~frmFaxRelated() = default;

void frmFaxRelated::buildWindow()
{
    m_faxFrame = new QGroupBox(this);
    m_faxFrame->setObjectName(QStringLiteral("fraFax"));
    auto* form = new QGridLayout(m_faxFrame);
    // Phone and fax numbers: digits and the usual punctuation, nothing that could stand for a digit.
    const auto* numberRule = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ()+\\-]*")), this);
    for (int i = 0; i < 8; ++i) {
        auto* edit = new QLineEdit(m_faxFrame);
        edit->setObjectName(QStringLiteral("%1_%2").arg(isMasked(i) ? u"mskField" : u"txtField").arg(i));
        if (isMasked(i)) {
            edit->setValidator(numberRule);
            edit->setMaxLength(24);
        }
        if (i == Password)
            edit->setEchoMode(QLineEdit::Password);
        edit->installEventFilter(this);
        auto* label = new QLabel(QString::fromLatin1(fieldCaptions[i]), m_faxFrame);
        label->setBuddy(edit);
        form->addWidget(label, i, 0);
        form->addWidget(edit, i, 1);
        m_fields[static_cast<std::size_t>(i)] = edit;
        connect(edit, &QLineEdit::textChanged, this, &frmFaxRelated::txtField_Change);
    }
    m_lookup = makeButton(m_faxFrame, "cmdLookup", QStringLiteral("?"));
    m_lookup->setToolTip(tr("Choose the recipient (F4)"));
    m_lookup->setFixedWidth(32);
    form->addWidget(m_lookup, To, 2);
    // A name typed over a chosen recipient is someone else: the recipient's id no longer applies.
    connect(m_fields[To], &QLineEdit::textEdited, this, [this] {
        m_recipientId.clear();
        for (QRadioButton* method : m_methods)
            method->setEnabled(true);
    });

    auto* methodBox = new QGroupBox(tr("Send by"), m_faxFrame);
    auto* methodLayout = new QHBoxLayout(methodBox);
    auto* methodGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(methodCaptions[i]), methodBox);
        option->setObjectName(QStringLiteral("optEmail_%1").arg(i));
        methodGroup->addButton(option, i);
        methodLayout->addWidget(option);
        m_methods[static_cast<std::size_t>(i)] = option;
        connect(option, &QRadioButton::toggled, this, &frmFaxRelated::txtField_Change);
    }
    auto* priorityBox = new QGroupBox(QStringLiteral("Priority"), m_faxFrame);
    auto* priorityLayout = new QHBoxLayout(priorityBox);
    auto* priorityGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(priorityCaptions[i]), priorityBox);
        option->setObjectName(QStringLiteral("optSchedule_%1").arg(i));
        priorityGroup->addButton(option, i);
        priorityLayout->addWidget(option);
        m_priorities[static_cast<std::size_t>(i)] = option;
    }
    form->addWidget(methodBox, 8, 0, 1, 3);
    form->addWidget(priorityBox, 9, 0, 1, 3);
    m_okFax = makeButton(m_faxFrame, "cmdOKFax", QStringLiteral("OK"));
    m_okFax->setDefault(true);
    m_cancelFax = makeButton(m_faxFrame, "cmdCancelFax", QStringLiteral("Cancel"));
    auto* faxButtons = new QHBoxLayout;
    faxButtons->addStretch(1);
    faxButtons->addWidget(m_okFax);
    faxButtons->addWidget(m_cancelFax);
    form->addLayout(faxButtons, 10, 0, 1, 3);
    form->setColumnStretch(1, 1);

    m_resendFrame = new QGroupBox(this);
    m_resendFrame->setObjectName(QStringLiteral("fraFaxResend"));
    m_jobLabel = new QLabel(QStringLiteral("Job Number:"), m_resendFrame);
    m_jobLabel->setObjectName(QStringLiteral("lblJobNumber"));
    m_redirect = new CorvaneGrid(m_resendFrame);
    m_redirect->setObjectName(QStringLiteral("grdFaxRedirect"));
    m_redirect->setStyleSource(this);
    m_redirect->verticalHeader()->hide();
    m_redirect->keyDownHook = [this](QKeyEvent* event) {
        if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && !m_redirect->isEditing()) {
            focusNextPrevChild(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
            return true;
        }
        return false;
    };
    m_okResend = makeButton(m_resendFrame, "cmdOKFaxResend", QStringLiteral("&OK"));
    m_cancelResend = makeButton(m_resendFrame, "cmdCancelFaxResend", QStringLiteral("Cancel"));
    auto* resendButtons = new QHBoxLayout;
    resendButtons->addStretch(1);
    resendButtons->addWidget(m_okResend);
    resendButtons->addWidget(m_cancelResend);
    auto* resendLayout = new QVBoxLayout(m_resendFrame);
    resendLayout->addWidget(m_jobLabel);
    resendLayout->addWidget(m_redirect, 1);
    resendLayout->addLayout(resendButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_faxFrame);
    layout->addWidget(m_resendFrame);
    m_resendFrame->setVisible(false);

    connect(m_lookup, &QPushButton::clicked, this, &frmFaxRelated::cmdLookup_Click);
    connect(m_okFax, &QPushButton::clicked, this, &frmFaxRelated::cmdOKFax_Click);
    connect(m_cancelFax, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_okResend, &QPushButton::clicked, this, &frmFaxRelated::cmdOKFaxResend_Click);
    connect(m_cancelResend, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmFaxRelated::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F4 && watched == m_fields[To]) {
            cmdLookup_Click();
            return true;
        }
        // Enter moves on to the next field; OK is pressed on purpose, from a button or an option.
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && watched->inherits("QLineEdit")) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool frmFaxRelated::InitFax(const std::string& job, const std::string& documentId)
{
    try {
        m_job = job;
        m_documentId = documentId;
        setWindowTitle(QStringLiteral("Fax Options"));
        m_faxFrame->setVisible(true);
        m_resendFrame->setVisible(false);
        for (QLineEdit* field : m_fields)
            field->clear();
        m_recipientId.clear();
        for (QRadioButton* method : m_methods)
            method->setEnabled(true);
        m_methods[0]->setChecked(true);
        m_priorities[0]->setChecked(true);
        if (m_documentId.empty() && !fetchDocumentId())
            return false;
        loadSenderDefaults();
        txtField_Change();
        m_fields[To]->setFocus();
        return true;
    } catch (...) {
        Log::error(logPrefix, Log::describeCurrentException());
        return false;
    }
}

bool frmFaxRelated::fetchDocumentId()
{
    const std::string request = FaxRequests::documentId(m_job);
    bool reallocated = false;
    for (;;) {
        const StringReply reply = ServerRequest::viaString(request);
        if (!reply.sent) {
            Log::error(logPrefix, Log::commFailureText("GetServerStringData", "frmFaxRelated.InitFax"));
            tell(Log::commFailureText("GetServerStringData", "frmFaxRelated.InitFax"), PromptIcon::Critical);
            return false;
        }
        const FaxDocumentReply document = FaxDocumentReply::read(reply.text);
        if (document.kind == FaxDocumentReply::Kind::DocumentId) {
            m_documentId = document.documentId;
            return true;
        }
        // Asked once more after a re-allocation; a document still held is then reported, not asked about again.
        if (document.kind == FaxDocumentReply::Kind::Error || reallocated) {
            Log::error(logPrefix, document.text);
            tell(document.text, PromptIcon::Critical, appTitle() + "/ Error loading Transcript");
            return false;
        }
        if (ask("Document being edited " + document.user + ", do you wish to re-allocate?", PromptButtons::YesNo,
                PromptAnswer::No, PromptIcon::Question, appTitle() + " / Reallocate")
            != PromptAnswer::Yes)
            return false;
        reallocated = true;
        const StringReply takeOver = ServerRequest::viaString(FaxRequests::takeOver(m_job));
        const std::string_view answer = text::trim(takeOver.text);
        if (!takeOver.sent || answer.empty() || answer == "0" || text::startsWithNoCase(answer, "error")
            || text::equalsNoCase(answer, "false")) {
            Log::error(logPrefix, "Error deallocating document " + m_job + " " + takeOver.text);
            tell("Error deallocating document", PromptIcon::Critical);
        }
    }
}

void frmFaxRelated::loadSenderDefaults()
{
    const StringReply reply = ServerRequest::viaString(FaxRequests::senderDefaults());
    if (!reply.sent) {
        Log::error(logPrefix, Log::commFailureText("GetServerStringData", "frmFaxRelated.InitFax"));
        return;
    }
    const auto defaults = FaxSenderDefaults::read(reply.text);
    if (!defaults) {
        Log::error(logPrefix, "the sender's defaults could not be read: " + reply.text.substr(0, 80));
        return;
    }
    m_fields[From]->setText(wire(defaults->sender));
    m_fields[Phone]->setText(wire(defaults->phone));
    m_fields[Subject]->setText(wire(defaults->subject));
    chooseMethod(defaults->method);
    choosePriority(defaults->priority);
}

void frmFaxRelated::chooseMethod(const std::string& code)
{
    for (int i = 0; i < 4; ++i) {
        if (code == methodCodes[i] && m_methods[static_cast<std::size_t>(i)]->isEnabled())
            m_methods[static_cast<std::size_t>(i)]->setChecked(true);
    }
}

void frmFaxRelated::choosePriority(const std::string& code)
{
    for (int i = 0; i < 4; ++i) {
        if (code == priorityCodes[i])
            m_priorities[static_cast<std::size_t>(i)]->setChecked(true);
    }
}

std::string frmFaxRelated::methodCode() const
{
    for (int i = 0; i < 4; ++i) {
        if (m_methods[static_cast<std::size_t>(i)]->isChecked())
            return methodCodes[i];
    }
    return "F";
}

void frmFaxRelated::txtField_Change()
{
    // OK waits for the address the chosen method needs.
    const std::string method = methodCode();
    bool ready = true;
    if (method == "F") {
        const auto number = WireCodec::encodeTyped(m_fields[FaxNumber]->text(), {}).wire;
        ready = number && !FaxAddress::faxDigits(*number).empty();
    } else if (method == "E") {
        ready = !m_fields[Email]->text().trimmed().isEmpty();
    } else {
        ready = !m_recipientId.empty();
    }
    m_okFax->setEnabled(ready);
    for (int i : {FaxNumber, Email}) {
        QLineEdit* field = m_fields[static_cast<std::size_t>(i)];
        const bool needed = (i == FaxNumber && method == "F") || (i == Email && method == "E");
        field->setAccessibleDescription(needed ? tr("required") : QString());
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base,
                         needed && !ready ? paletteColour('y', QColor(0xFF, 0xFF, 0xD0)) : QColor(Qt::white));
        field->setPalette(palette);
    }
}

void frmFaxRelated::cmdLookup_Click()
{
    try {
        LookupCall call;
        const auto typed = WireCodec::toWireChecked(m_fields[To]->text().trimmed(), QStringLiteral("To"));
        if (!typed)
            return;
        call.searchText = *typed;
        call.parent = this;
        const std::string chosen = GeneralLookup("RFG", call);
        if (chosen == "CANCEL" || chosen.empty())
            return;
        std::string key;
        std::string description;
        TextFields::splitInTwo(chosen, SharedState::instance().display.lookupSeparator, key, description);
        key = std::string(text::trim(key));
        const StringReply reply = ServerRequest::viaString(FaxRequests::recipient(key));
        if (!reply.sent) {
            Log::error(logPrefix, Log::commFailureText("GetServerStringData", "frmFaxRelated.cmdLookup_Click"));
            tell(Log::commFailureText("GetServerStringData", "frmFaxRelated.cmdLookup_Click"), PromptIcon::Critical);
            return;
        }
        auto recipient = FaxRecipient::read(reply.text);
        if (!recipient) {
            Log::error(logPrefix, "the recipient " + key + " could not be read: " + reply.text.substr(0, 80));
            tell(text::startsWithNoCase(reply.text, "error") ? reply.text
                                                             : "The recipient's details could not be read.",
                 PromptIcon::Warning, faxTitle);
            return;
        }
        if (recipient->id.empty())
            recipient->id = key;
        fillRecipient(*recipient);
    } catch (...) {
        Log::error(logPrefix, Log::describeCurrentException());
    }
}

void frmFaxRelated::fillRecipient(const FaxRecipient& recipient)
{
    m_fields[To]->setText(wire(recipient.name));
    m_fields[Company]->setText(wire(recipient.company));
    m_fields[FaxNumber]->setText(wire(recipient.fax));
    m_fields[Email]->setText(wire(recipient.email));
    m_recipientId = recipient.id;
    // "F" and "X" recipients take faxes only; other codes name the method to preselect.
    const bool faxOnly = FaxRecipient::faxOnly(recipient.delivery);
    for (std::size_t i = 1; i < m_methods.size(); ++i)
        m_methods[i]->setEnabled(!faxOnly);
    const std::string method = FaxRecipient::methodFor(recipient.delivery);
    if (!method.empty())
        chooseMethod(method);
    if (!recipient.priority.empty())
        choosePriority(recipient.priority);
    txtField_Change();
}

bool frmFaxRelated::faxNumberRefused(std::string_view number, bool required)
{
    if (number.empty() && !required)
        return false;
    if (FaxAddress::isFaxNumber(number))
        return false;
    tell("Please enter a fax number of at least " + std::to_string(FaxAddress::minimumFaxDigits)
             + " digits (blanks, \"-\", \"(\", \")\" and \"+\" may separate them).",
         PromptIcon::Warning, faxTitle);
    return true;
}

std::optional<FaxData> frmFaxRelated::dataFromWindow()
{
    std::array<std::string, 8> values;
    for (int i = 0; i < 8; ++i) {
        QLineEdit* field = m_fields[static_cast<std::size_t>(i)];
        const QString typed = i == Password ? field->text() : field->text().trimmed();
        const auto value = WireCodec::toWireChecked(typed, QString::fromLatin1(fieldNames[i]), ownSeparator);
        if (!value) {
            field->setFocus();
            return std::nullopt;
        }
        // A masked number without digits is an empty field, not its punctuation.
        const bool noDigits = value->find_first_of("0123456789") == std::string::npos;
        values[static_cast<std::size_t>(i)] = isMasked(i) && noDigits ? std::string() : *value;
    }
    FaxData data;
    data.sender = values[From];
    data.phone = values[Phone];
    data.subject = values[Subject];
    data.recipientId = m_recipientId;
    data.fax = values[FaxNumber];
    data.company = values[Company];
    data.email = values[Email];
    data.method = methodCode();
    data.password = values[Password];
    for (int i = 0; i < 4; ++i) {
        if (m_priorities[static_cast<std::size_t>(i)]->isChecked())
            data.priority = priorityCodes[i];
    }
    if (data.method == "F" && faxNumberRefused(data.fax, true)) {
        m_fields[FaxNumber]->setFocus();
        return std::nullopt;
    }
    if (data.method == "E" && !FaxAddress::isEmail(data.email)) {
        tell("You have entered an invalid email address. Please correct this before continuing.", PromptIcon::Warning,
             faxTitle);
        m_fields[Email]->setFocus();
        return std::nullopt;
    }
    if ((data.method == "T" || data.method == "S") && data.recipientId.empty()) {
        tell("Please choose the recipient with \"?\": FTP and SureScripts deliver to the address on the "
             "recipient's record.",
             PromptIcon::Warning, faxTitle);
        m_fields[To]->setFocus();
        return std::nullopt;
    }
    return data;
}

void frmFaxRelated::cmdOKFax_Click()
{
    try {
        const auto data = dataFromWindow();
        if (!data)
            return;
        std::string refusal;
        const auto text = data->build(refusal);
        if (!text) {
            tell(refusal, PromptIcon::Warning, faxTitle);
            return;
        }
        const StringReply reply = ServerRequest::viaString(FaxRequests::send(m_job, *text));
        if (!reply.sent) {
            // The request holds the password: only where it failed is logged.
            Log::error(logPrefix, Log::commFailureText("GetServerStringData", "frmFaxRelated.cmdOKFax_Click"));
            tell(Log::commFailureText("GetServerStringData", "frmFaxRelated.cmdOKFax_Click"), PromptIcon::Critical);
            return;
        }
        if (text::trim(reply.text) == queuedReply) {
            accept();
            return;
        }
        // Anything else is the server's word on why it was not queued; the operator's entries stay.
        tell(reply.text.empty() ? std::string("The server did not queue the document.") : reply.text,
             text::startsWithNoCase(reply.text, "error") ? PromptIcon::Critical : PromptIcon::Warning, faxTitle);
    } catch (...) {
        Log::error(logPrefix, Log::describeCurrentException());
    }
}

void frmFaxRelated::InitFaxResend(const std::string& list, const std::vector<std::string>& recipients)
{
    try {
        setWindowTitle(QStringLiteral("Fax Resend"));
        m_faxFrame->setVisible(false);
        m_resendFrame->setVisible(true);
        m_faxResend.clear();
        m_entries = FaxResendList::parse(list);
        m_originalFax.clear();
        for (const auto& entry : m_entries)
            m_originalFax.push_back(entry.fax);
        m_recipients = recipients;
        m_recipients.resize(m_entries.size());
        m_jobLabel->setText(m_entries.size() == 1 ? QStringLiteral("Job Number: %1").arg(wire(m_entries[0].job))
                                                  : QStringLiteral("Job Number:"));
        m_redirect->setColumnCount(3);
        m_redirect->setRowCount(static_cast<int>(m_entries.size()));
        m_redirect->setColumnWidth(JobColumn, 110);
        m_redirect->setColumnWidth(FaxColumn, 160);
        m_redirect->setColumnWidth(RecipientColumn, 240);
        m_redirect->redraw();
        resize(560, 320);
        if (!m_entries.empty())
            m_redirect->setCurrentCell(1, FaxColumn);
        m_redirect->setFocus();
    } catch (...) {
        Log::error(logPrefix, Log::describeCurrentException());
    }
}

void frmFaxRelated::GetStyleRowCol(int row, int col, CellStyle& style)
{
    if (col == 0)
        return;
    if (row == 0) {
        style.value = col == JobColumn ? QStringLiteral("Job Number")
            : col == FaxColumn         ? QStringLiteral("Fax:")
                                       : QStringLiteral("Recipient");
        return;
    }
    const auto index = static_cast<std::size_t>(row - 1);
    if (index >= m_entries.size())
        return;
    switch (col) {
    case JobColumn:
        style.value = wire(m_entries[index].job);
        style.readOnly = true;
        break;
    case FaxColumn:
        style.value = wire(m_entries[index].fax);
        style.toolTip = m_originalFax[index].empty() ? tr("Sent by e-mail: no fax number needed")
                                                     : tr("The fax number to send to");
        break;
    default:
        style.value = wire(m_recipients[index]);
        style.readOnly = true;
        break;
    }
}

bool frmFaxRelated::StoreValueRowCol(int row, int col, const QString& value)
{
    const auto index = static_cast<std::size_t>(row - 1);
    if (col != FaxColumn || row < 1 || index >= m_entries.size())
        return false;
    const auto encoded = WireCodec::encodeTyped(value.trimmed(), QStringLiteral("Fax"));
    if (!encoded.wire)
        return false;
    m_entries[index].fax = *encoded.wire;
    return true;
}

bool frmFaxRelated::OnValidateCell(int row, int col, QString& value)
{
    const auto index = static_cast<std::size_t>(row - 1);
    if (col != FaxColumn || row < 1 || index >= m_entries.size())
        return false;
    value = value.trimmed();
    const auto encoded = WireCodec::toWireChecked(value, QStringLiteral("Fax"));
    if (!encoded)
        return false;
    return !faxNumberRefused(*encoded, !m_originalFax[index].empty());
}

void frmFaxRelated::cmdOKFaxResend_Click()
{
    try {
        if (m_redirect->isEditing())
            m_redirect->setFocus();
        // The numbers are checked again as a whole: a fax of patient data must not go to a mistyped number.
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (faxNumberRefused(m_entries[i].fax, !m_originalFax[i].empty())) {
                m_redirect->setCurrentCell(static_cast<int>(i) + 1, FaxColumn);
                m_redirect->setFocus();
                return;
            }
        }
        m_faxResend = FaxResendList::join(m_entries);
        accept();
    } catch (...) {
        Log::error(logPrefix, Log::describeCurrentException());
    }
}

void frmFaxRelated::showWindow(bool modal)
{
    WindowRunner::open(*this, modal);
}

} // namespace corvane
