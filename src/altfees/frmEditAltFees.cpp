#include "frmEditAltFees.h"

#include "Log.h"
#include "Messages.h"
#include "Money.h"
#include "ServerSettings.h"
#include "SharedState.h"
#include "Text.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace corvane {

namespace {

constexpr int pageCount = 10;
const char* const priceSetProperty = "priceSet";

std::string feeFieldName(int set)
{
    return "The alternate fee for price set " + std::to_string(set);
}

/// "Y", "True", "1" or any non-zero number read as true, as the settings store booleans.
bool settingIsTrue(const std::string& value)
{
    const std::string folded = text::upper(text::trim(value));
    if (folded.empty())
        return false;
    if (folded == "Y" || folded == "YES" || folded == "TRUE")
        return true;
    const auto cents = Money::parseDollars(folded);
    return cents && *cents != 0;
}

} // namespace

frmEditAltFees::frmEditAltFees(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEditAltFees"));
    LoadControls();
}

frmEditAltFees::~frmEditAltFees()
{
    // The window hides as its base part goes; a box losing the focus then must not reach the members already gone.
    for (const auto& [set, box] : m_boxes) {
        box->removeEventFilter(this);
        disconnect(box, nullptr, this, nullptr);
    }
}

void frmEditAltFees::LoadControls()
{
    try {
        const bool pageControlsOnTop = settingIsTrue(GetSysSetting("100PRICESET"));
        auto* top = new QFrame(this);
        top->setObjectName(QStringLiteral("frmTop"));
        top->setFrameShape(QFrame::StyledPanel);
        auto* codeP = new QLabel(QStringLiteral("Code: "), top);
        codeP->setObjectName(QStringLiteral("lblCodeP"));
        m_codeD = new QLabel(top);
        m_codeD->setObjectName(QStringLiteral("lblCodeD"));
        m_codeD->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* feeP = new QLabel(QStringLiteral("Standard Fee:"), top);
        feeP->setObjectName(QStringLiteral("lblStFeeP"));
        m_standardFeeD = new QLabel(top);
        m_standardFeeD->setObjectName(QStringLiteral("lblStFeeD"));
        auto* topLayout = new QGridLayout(top);
        topLayout->addWidget(codeP, 0, 0);
        topLayout->addWidget(m_codeD, 0, 1);
        topLayout->addWidget(feeP, 1, 0);
        topLayout->addWidget(m_standardFeeD, 1, 1);
        topLayout->setColumnStretch(1, 1);

        m_pages = new QStackedWidget(this);
        const auto& starts = AltFeeSet::pageStarts();
        for (int page = 0; page < pageCount; ++page) {
            auto* frame = new QFrame(m_pages);
            frame->setObjectName(QStringLiteral("fraEditFees_%1").arg(page));
            auto* grid = new QGridLayout(frame);
            auto* setHeading = new QLabel(tr("Price set"), frame);
            auto* feeHeading = new QLabel(QStringLiteral("Alt. Fee($)"), frame);
            feeHeading->setObjectName(QStringLiteral("lblAltFee"));
            grid->addWidget(setHeading, 0, 0);
            grid->addWidget(feeHeading, 0, 1);
            grid->addWidget(new QLabel(tr("Price set"), frame), 0, 3);
            grid->addWidget(new QLabel(QStringLiteral("Alt. Fee($)"), frame), 0, 4);
            grid->setColumnMinimumWidth(2, 24);
            const int first = starts[static_cast<std::size_t>(page)];
            const int next = page + 1 < pageCount ? starts[static_cast<std::size_t>(page + 1)] : 200;
            int slot = 0;
            for (int set = first; set < next; ++set) {
                if (AltFeeSet::pageOf(set) != page)
                    continue;
                const int row = 1 + slot % 10;
                const int column = slot < 10 ? 0 : 3;
                auto* number = new QLabel(QString::number(set), frame);
                number->setObjectName(QStringLiteral("lblSetNum_%1").arg(set));
                number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                auto* box = new QLineEdit(frame);
                box->setObjectName(QStringLiteral("mskCurrency_%1").arg(set));
                box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                box->setMaxLength(18);
                box->setProperty(priceSetProperty, set);
                box->installEventFilter(this);
                connect(box, &QLineEdit::editingFinished, this, [this, box, set] {
                    if (box->isModified() && !m_readOnly) {
                        box->setModified(false);
                        checkBox(set, true);
                    }
                });
                number->setBuddy(box);
                auto* shown = new QLabel(frame);
                shown->setObjectName(QStringLiteral("lblCurrency_%1").arg(set));
                shown->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                shown->setMinimumWidth(90);
                grid->addWidget(number, row, column);
                grid->addWidget(box, row, column + 1);
                grid->addWidget(shown, row, column + 1);
                m_boxes[set] = box;
                m_labels[set] = shown;
                ++slot;
            }
            grid->setRowStretch(11, 1);
            m_pages->addWidget(frame);
        }

        m_back = makeButton(this, "pageMove_1", QStringLiteral("<"));
        m_back->setToolTip(tr("Previous page (Ctrl+Page Up)"));
        m_forward = makeButton(this, "pageMove_2", QStringLiteral(">"));
        m_forward->setToolTip(tr("Next page (Ctrl+Page Down)"));
        for (QPushButton* b : {m_back, m_forward})
            b->setFixedWidth(36);
        auto* pageCaption = new QLabel(QStringLiteral("  Page:"), this);
        m_currentPage = new QLabel(this);
        m_currentPage->setObjectName(QStringLiteral("lblCurrentPage"));
        m_totalPages = new QLabel(QString::number(pageCount), this);
        m_totalPages->setObjectName(QStringLiteral("lblTotalPages"));
        auto* paging = new QHBoxLayout;
        paging->addWidget(m_back);
        paging->addWidget(pageCaption);
        paging->addWidget(m_currentPage);
        paging->addWidget(new QLabel(tr("of"), this));
        paging->addWidget(m_totalPages);
        paging->addWidget(m_forward);
        paging->addStretch(1);

        m_yes = makeButton(this, "cmdYes", QString());
        m_cancel = makeButton(this, "cmdCancel", QString());
        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        buttons->addWidget(m_yes);
        buttons->addWidget(m_cancel);

        auto* layout = new QVBoxLayout(this);
        layout->addWidget(top);
        if (pageControlsOnTop)
            layout->addLayout(paging);
        layout->addWidget(m_pages, 1);
        if (!pageControlsOnTop)
            layout->addLayout(paging);
        layout->addLayout(buttons);

        // On the window, so that paging works wherever the focus is, a page button included.
        auto* nextPage = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this);
        auto* previousPage = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this);
        connect(nextPage, &QShortcut::activated, this, [this] { turnPage(1); });
        connect(previousPage, &QShortcut::activated, this, [this] { turnPage(-1); });
        connect(m_back, &QPushButton::clicked, this, [this] { pageMove(1); });
        connect(m_forward, &QPushButton::clicked, this, [this] { pageMove(2); });
        connect(m_yes, &QPushButton::clicked, this, &frmEditAltFees::cmdYes_Click);
        connect(m_cancel, &QPushButton::clicked, this, &frmEditAltFees::cmdCancel_Click);
        showPage(0);
    } catch (...) {
        Log::error("ERR in frmEditAltFees.LoadControls   ", Log::describeCurrentException());
    }
}

void frmEditAltFees::ShowCode(const std::string& feeSet, bool editable, const std::string& procCode,
                              const std::string& procDescr, const std::string& standardFee)
{
    try {
        m_readOnly = !editable;
        setResult(QDialog::Rejected);
        m_cancelled = true;
        m_data.clear();
        const auto standardCents = Money::parseCents(standardFee);
        m_standardFee = standardCents ? Money::formatDollars(*standardCents, true) : std::string();
        m_standardFeeD->setText(standardCents ? WireCodec::toQString("$ " + m_standardFee) : QStringLiteral("NONE"));
        m_codeD->setText(procCode.empty() ? QStringLiteral("NONE")
                                          : WireCodec::toQString(procCode + "     " + procDescr));
        setWindowTitle(editable ? QStringLiteral("Procedure Code - Edit Alt Fees")
                                : QStringLiteral("Procedure Code - View Alt Fees") + QString(24, QLatin1Char(' '))
                               + QStringLiteral("READ ONLY"));
        m_yes->setText(QStringLiteral("O&K"));
        m_yes->setVisible(editable);
        m_cancel->setText(editable ? QStringLiteral("Canc&el") : QStringLiteral("O&K"));
        // OK is the default in both modes: O&K confirms when editing, and closes the view.
        (editable ? m_yes : m_cancel)->setDefault(true);
        (editable ? m_cancel : m_yes)->setDefault(false);
        m_fees.parse(feeSet);
        for (const auto& [set, box] : m_boxes) {
            box->setVisible(editable);
            box->setReadOnly(!editable);
            m_labels[set]->setVisible(!editable);
            box->setText(WireCodec::toQString(m_fees.loadedText(set)));
            box->setModified(false);
            m_labels[set]->clear();
        }
        for (int set : m_fees.unreadable()) {
            Log::line("ERR in frmEditAltFees.ShowCode   price set " + std::to_string(set) + ": \""
                      + m_fees.shown().at(set) + "\" is not a whole number of cents; it is not shown and goes back "
                      + "unchanged unless a fee is typed");
        }
        if (!editable) {
            for (const auto& [set, centsText] : m_fees.shown()) {
                const auto cents = Money::parseCents(centsText);
                if (!cents)
                    continue;
                std::string shown = Money::shortDollars(*cents);
                if (shown.find('.') == std::string::npos)
                    shown += ".00";
                m_labels[set]->setText(WireCodec::toQString(shown));
            }
        }
        showPage(0);
        if (editable)
            m_boxes.begin()->second->setFocus();
        else
            m_cancel->setFocus();
    } catch (...) {
        Log::error("ERR in frmEditAltFees.ShowCode   ", Log::describeCurrentException());
    }
}

int frmEditAltFees::currentPage() const
{
    return m_pages->currentIndex();
}

QLineEdit* frmEditAltFees::box(int set) const
{
    const auto found = m_boxes.find(set);
    return found == m_boxes.end() ? nullptr : found->second;
}

QLabel* frmEditAltFees::label(int set) const
{
    const auto found = m_labels.find(set);
    return found == m_labels.end() ? nullptr : found->second;
}

void frmEditAltFees::showPage(int page)
{
    page = std::clamp(page, 0, pageCount - 1);
    m_pages->setCurrentIndex(page);
    m_currentPage->setText(QString::number(page + 1));
    m_back->setEnabled(page > 0);
    m_forward->setEnabled(page < pageCount - 1);
}

void frmEditAltFees::pageMove(int index)
{
    showPage(currentPage() + (index == 1 ? -1 : 1));
    QPushButton* preferred = index == 1 ? m_back : m_forward;
    QPushButton* other = index == 1 ? m_forward : m_back;
    (preferred->isEnabled() ? preferred : other)->setFocus();
}

void frmEditAltFees::turnPage(int step)
{
    const int page = std::clamp(currentPage() + step, 0, pageCount - 1);
    showPage(page);
    if (m_readOnly)
        return;
    const int first = AltFeeSet::pageStarts()[static_cast<std::size_t>(page)];
    m_boxes[first]->setFocus(Qt::ShortcutFocusReason);
    m_boxes[first]->selectAll();
}

bool frmEditAltFees::checkBox(int set, bool reformat)
{
    QLineEdit* box = m_boxes.at(set);
    const std::string name = feeFieldName(set);
    const auto typed = WireCodec::encodeTyped(box->text(), QString::fromStdString(name));
    std::string refusal = typed.refusal;
    if (typed.wire && WireCodec::toQString(m_fees.loadedText(set)) != box->text().trimmed()) {
        const TypedFee fee = AltFeeSet::readTyped(*typed.wire);
        switch (fee.verdict) {
        case FeeVerdict::Empty:
            break;
        case FeeVerdict::Amount:
            if (reformat)
                box->setText(WireCodec::toQString(AltFeeSet::boxText(fee.cents)));
            break;
        case FeeVerdict::Negative:
            refusal = name + " cannot be negative.";
            break;
        case FeeVerdict::TooLarge:
            refusal = name + " is larger than 99,999,999.99.";
            break;
        case FeeVerdict::NotAnAmount:
            refusal = name + " is not a valid amount.\r\nPlease enter dollars and cents, for example 1,250.00.";
            break;
        }
    }
    if (refusal.empty())
        return true;
    tell(refusal, PromptIcon::Warning);
    showPage(AltFeeSet::pageOf(set));
    box->setFocus();
    box->selectAll();
    return false;
}

bool frmEditAltFees::filterKey(QLineEdit* edit, QKeyEvent* key)
{
    // Control and Alt combinations are editing shortcuts (Ctrl+V, Ctrl+A, Ctrl+Z) and mnemonics, not characters.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    auto utils = SharedState::instance().utils;
    if (!utils)
        return false;
    int keyCode = key->key();
    utils->FilterCurrencyKey(edit, keyCode);
    if (keyCode == key->key())
        return false;
    if (keyCode != 0) {
        // The filter asked for another key: the box receives that one instead.
        const QString text = keyCode < Qt::Key_Escape ? QString(QChar(keyCode)) : QString();
        QKeyEvent replacement(QEvent::KeyPress, keyCode, key->modifiers(), text);
        m_replacingKey = true;
        QCoreApplication::sendEvent(edit, &replacement);
        m_replacingKey = false;
        return true;
    }
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint())
        return true;
    const int set = edit->property(priceSetProperty).toInt();
    if (typed == QStringLiteral("-"))
        tell(feeFieldName(set) + " cannot be negative.", PromptIcon::Warning);
    else if (const auto shown = WireCodec::toWire(typed))
        tell("\"" + *shown + "\" cannot be typed in a fee. Please enter dollars and cents, for example 1,250.00.",
             PromptIcon::Warning);
    else
        tell("That character cannot be typed in a fee. Please enter dollars and cents, for example 1,250.00.",
             PromptIcon::Warning);
    edit->setFocus();
    return true;
}

void frmEditAltFees::focusNextBox(int set)
{
    auto next = m_boxes.upper_bound(set);
    if (next == m_boxes.end()) {
        m_yes->setFocus();
        return;
    }
    showPage(AltFeeSet::pageOf(next->first));
    next->second->setFocus();
    next->second->selectAll();
}

bool frmEditAltFees::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || event->type() != QEvent::KeyPress || m_replacingKey || m_readOnly)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const int set = edit->property(priceSetProperty).toInt();
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (edit->text().trimmed().isEmpty() && !m_standardFee.empty())
            edit->setText(WireCodec::toQString(m_standardFee));
        edit->setModified(false);
        if (checkBox(set, true))
            focusNextBox(set);
        return true;
    }
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return QDialog::eventFilter(watched, event);
    return filterKey(edit, key) || QDialog::eventFilter(watched, event);
}

void frmEditAltFees::CollectedData()
{
    std::vector<std::pair<int, std::string>> boxes;
    for (const auto& [set, box] : m_boxes) {
        if (!checkBox(set, false))
            return;
        boxes.emplace_back(set, WireCodec::encodeTyped(box->text(), {}).wire.value_or(std::string()));
    }
    int invalidSet = 0;
    const auto collected = m_fees.collect(boxes, invalidSet);
    if (!collected) {
        checkBox(invalidSet, false);
        return;
    }
    m_data = *collected;
    m_cancelled = false;
    accept();
}

void frmEditAltFees::cmdYes_Click()
{
    if (m_readOnly)
        return;
    try {
        CollectedData();
    } catch (...) {
        Log::error("ERR in frmEditAltFees.CollectedData  ", Log::describeCurrentException());
    }
}

void frmEditAltFees::cmdCancel_Click()
{
    m_cancelled = true;
    m_data.clear();
    reject();
}

void frmEditAltFees::closeEvent(QCloseEvent* event)
{
    if (result() != QDialog::Accepted) {
        m_cancelled = true;
        m_data.clear();
    }
    QDialog::closeEvent(event);
}

} // namespace corvane
