#include "frmUpdateTransPage.h"

#include "Messages.h"
#include "SettingsTexts.h"
#include "WireCodec.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace corvane {

frmUpdateTransPage::frmUpdateTransPage(QWidget* parent)
    : frmOwnSettingsPage(parent)
{
    setObjectName(QStringLiteral("fraUpdateTrans"));
    auto* layout = new QVBoxLayout(this);
    auto* header = new QLabel(tr("Transaction Update"), this);
    header->setObjectName(QStringLiteral("lblHeader"));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    layout->addWidget(header);

    m_always = new QCheckBox(tr("Show Update Transactions dialog"), this);
    m_always->setObjectName(QStringLiteral("chkAlwaysShowUTdialog"));
    layout->addWidget(m_always);
    connect(m_always, &QCheckBox::clicked, this, &frmUpdateTransPage::takeValues);

    auto* flags = new QGroupBox(tr("Default Insurance Flag"), this);
    flags->setObjectName(QStringLiteral("fraDefaultInsuranceFlag"));
    m_flag = addOptions(flags, "optAcceptAssignment",
                        {"From &Insurance Code", "&No Submission", "&Accept", "&Don't Accept", "&Wait"});
    layout->addWidget(flags);

    auto* reset = new QGroupBox(tr("Reset Insurance Flags"), this);
    reset->setObjectName(QStringLiteral("fraResetInsuranceFlags"));
    auto* resetLayout = new QHBoxLayout(reset);
    resetLayout->addWidget(new QLabel(tr("Reset flags in Transactions with Service dates within"), reset));
    m_days = new QLineEdit(reset);
    m_days->setObjectName(QStringLiteral("txtNoServiceDays"));
    m_days->setMaxLength(3);
    m_days->setMaximumWidth(60);
    m_days->installEventFilter(this);
    resetLayout->addWidget(m_days);
    resetLayout->addWidget(new QLabel(tr("days"), reset));
    resetLayout->addStretch(1);
    connect(m_days, &QLineEdit::textEdited, this, &frmUpdateTransPage::takeValues);
    connect(m_days, &QLineEdit::editingFinished, this, [this] {
        // Left empty, the field reads 0, which is what is saved.
        if (m_days->text().trimmed().isEmpty()) {
            m_days->setText(QStringLiteral("0"));
            takeValues();
        }
    });
    layout->addWidget(reset);

    auto* paid = new QGroupBox(tr("Paid Charges"), this);
    paid->setObjectName(QStringLiteral("fraPaidCharges"));
    m_paid = addOptions(paid, "optIncludePaidCharges", {"Include Paid Charges", "Don't include Paid Charges"});
    layout->addWidget(paid);

    auto* zero = new QGroupBox(tr("Zero Balance Charges"), this);
    zero->setObjectName(QStringLiteral("fraZeroBalanceCharges"));
    m_zero = addOptions(zero, "optIncludingZeroBalanceCharges",
                        {"Include Zero Balance charges", "Don't include Zero Balance charges"});
    layout->addWidget(zero);
    layout->addStretch(1);
    m_frames = {flags, reset, paid, zero};
}

QButtonGroup* frmUpdateTransPage::addOptions(QGroupBox* frame, const char* name,
                                             const std::vector<const char*>& captions)
{
    auto* group = new QButtonGroup(frame);
    auto* layout = new QVBoxLayout(frame);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(tr(captions[i]), frame);
        option->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(i));
        group->addButton(option, static_cast<int>(i));
        layout->addWidget(option);
    }
    connect(group, &QButtonGroup::idClicked, this, &frmUpdateTransPage::takeValues);
    return group;
}

bool frmUpdateTransPage::load()
{
    if (!m_model.load())
        return false;
    showValues();
    return true;
}

void frmUpdateTransPage::showValues()
{
    m_showing = true;
    const UpdateTransValues& values = m_model.values();
    m_always->setChecked(values.alwaysShow);
    m_flag->button(static_cast<int>(values.flag))->setChecked(true);
    m_days->setText(WireCodec::toQString(values.days));
    m_paid->button(static_cast<int>(values.paid))->setChecked(true);
    m_zero->button(static_cast<int>(values.zeroBalance))->setChecked(true);
    m_showing = false;
}

void frmUpdateTransPage::takeValues()
{
    if (m_showing)
        return;
    UpdateTransValues values = m_model.values();
    values.alwaysShow = m_always->isChecked();
    values.flag = static_cast<std::size_t>(std::max(0, m_flag->checkedId()));
    // A character the wire cannot carry is no digit: the days are refused on Save either way.
    values.days = WireCodec::encodeTyped(m_days->text(), tr("Days")).wire.value_or("?");
    values.paid = static_cast<std::size_t>(std::max(0, m_paid->checkedId()));
    values.zeroBalance = static_cast<std::size_t>(std::max(0, m_zero->checkedId()));
    m_model.setValues(values);
    Q_EMIT edited();
}

void frmUpdateTransPage::setWritable(bool writable)
{
    m_always->setEnabled(writable);
    for (QGroupBox* frame : m_frames)
        frame->setEnabled(writable);
    m_days->setReadOnly(!writable);
}

bool frmUpdateTransPage::save()
{
    const bool saved = m_model.save();
    if (saved)
        showValues();
    else if (!UpdateTransDefaults::days(m_model.values().days))
        m_days->setFocus();
    return saved;
}

QWidget* frmUpdateTransPage::firstEditor() const
{
    return m_always;
}

bool frmUpdateTransPage::eventFilter(QObject* watched, QEvent* event)
{
    // Digits and the editing keys only, as the days have always been typed.
    if (watched == m_days && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        if (!typed.isEmpty() && typed.at(0).isPrint() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            && !(typed.at(0) >= QLatin1Char('0') && typed.at(0) <= QLatin1Char('9'))) {
            tell(std::string(UpdateTransDefaults::daysMessage), PromptIcon::Warning,
                 std::string(SettingsTexts::validationTitle));
            return true;
        }
    }
    return frmOwnSettingsPage::eventFilter(watched, event);
}

} // namespace corvane
