#include "frmEditAltFees.h"

#include "Log.h"
#include "Money.h"
#include "ServerSettings.h"
#include "SharedState.h"
#include "Text.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace corvane {

namespace {

constexpr int pageCount = 10;

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
                box->setMaxLength(14);
                box->installEventFilter(this);
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

        m_back = new QPushButton(QStringLiteral("<"), this);
        m_back->setObjectName(QStringLiteral("pageMove_1"));
        m_back->setToolTip(tr("Previous page (Ctrl+Page Up)"));
        m_forward = new QPushButton(QStringLiteral(">"), this);
        m_forward->setObjectName(QStringLiteral("pageMove_2"));
        m_forward->setToolTip(tr("Next page (Ctrl+Page Down)"));
        for (QPushButton* b : {m_back, m_forward}) {
            b->setAutoDefault(false);
            b->setFixedWidth(36);
        }
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
                                : QStringLiteral("Procedure Code - View Alt Fees"));
        m_yes->setText(QStringLiteral("O&K"));
        m_yes->setVisible(editable);
        m_cancel->setText(editable ? QStringLiteral("Canc&el") : QStringLiteral("O&K"));
        m_fees.parse(feeSet);
        for (const auto& [set, box] : m_boxes) {
            box->setVisible(editable);
            m_labels[set]->setVisible(!editable);
            box->clear();
            m_labels[set]->clear();
        }
        for (const auto& [set, centsText] : m_fees.shown()) {
            const auto cents = Money::parseCents(centsText);
            if (editable) {
                m_boxes[set]->setText(WireCodec::toQString(cents ? Money::formatDollars(*cents, true) : centsText));
            } else {
                std::string shown = cents ? Money::shortDollars(*cents) : centsText;
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
    if (!edit || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    int set = 0;
    for (const auto& [number, box] : m_boxes) {
        if (box == edit)
            set = number;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (edit->text().trimmed().isEmpty() && !m_standardFee.empty())
            edit->setText(WireCodec::toQString(m_standardFee));
        focusNextBox(set);
        return true;
    }
    if (key->modifiers() & Qt::ControlModifier && (key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp)) {
        pageMove(key->key() == Qt::Key_PageUp ? 1 : 2);
        return true;
    }
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return QDialog::eventFilter(watched, event);
    int keyCode = key->key();
    if (auto utils = SharedState::instance().utils)
        utils->FilterCurrencyKey(edit, keyCode);
    if (keyCode == 0)
        return true;
    return QDialog::eventFilter(watched, event);
}

void frmEditAltFees::CollectedData()
{
    std::vector<std::pair<int, std::string>> boxes;
    for (const auto& [set, box] : m_boxes)
        boxes.emplace_back(set, WireCodec::toWireLossy(box->text()));
    int invalidSet = 0;
    const auto collected = m_fees.collect(boxes, invalidSet);
    if (!collected) {
        auto& state = SharedState::instance();
        state.prompter().ask({state.messageTitle(),
                              "The alternate fee for price set " + std::to_string(invalidSet)
                                  + " is not a valid amount.\r\nPlease enter dollars and cents, for example 125.50.",
                              PromptIcon::Warning, PromptButtons::Ok});
        showPage(AltFeeSet::pageOf(invalidSet));
        m_boxes[invalidSet]->setFocus();
        m_boxes[invalidSet]->selectAll();
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
