#include "frmSchSettingsPage.h"

#include "CommonRoutines.h"
#include "Log.h"
#include "Messages.h"
#include "SettingsTexts.h"
#include "SharedState.h"
#include "Text.h"
#include "TextFields.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

const char* const ruleCaptions[4] = {"Non-Entity Specific", "Entity Specific",
                                     "Entity specific appointments, codes are shared among all entities", "Special:"};

} // namespace

frmSchSettingsPage::frmSchSettingsPage(QWidget* parent)
    : frmOwnSettingsPage(parent)
{
    setObjectName(QStringLiteral("fraSchSettings"));
    auto* layout = new QVBoxLayout(this);
    auto* header = new QLabel(tr("Default AR Class"), this);
    header->setObjectName(QStringLiteral("lblHeader"));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    layout->addWidget(header);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Entity Rules"), this), 0, 0, 1, 4);
    m_rules = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* option = new QRadioButton(tr(ruleCaptions[i]), this);
        option->setObjectName(QStringLiteral("optRules_%1").arg(i));
        m_rules->addButton(option, i);
        m_options[static_cast<std::size_t>(i)] = option;
        grid->addWidget(option, i + 1, 0, 1, i == 3 ? 1 : 4);
    }
    m_special = new QLineEdit(this);
    m_special->setObjectName(QStringLiteral("txtSchSpecial"));
    grid->addWidget(m_special, 4, 1, 1, 3);
    grid->addWidget(new QLabel(tr("Default AR class for New Accounts "), this), 5, 0);
    m_ar = new QLineEdit(this);
    m_ar->setObjectName(QStringLiteral("txtSchAR"));
    m_ar->setMaximumWidth(120);
    m_ar->installEventFilter(this);
    m_lookup = makeButton(this, "cmdARLookup", QStringLiteral("..."));
    m_lookup->setToolTip(tr("Look the AR class up (F4)"));
    m_arDescription = new QLabel(this);
    m_arDescription->setObjectName(QStringLiteral("lblARCode"));
    grid->addWidget(m_ar, 5, 1);
    grid->addWidget(m_lookup, 5, 2);
    grid->addWidget(m_arDescription, 5, 3);
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(m_rules, &QButtonGroup::idClicked, this, &frmSchSettingsPage::optRules_Click);
    connect(m_special, &QLineEdit::textEdited, this, &frmSchSettingsPage::specialEdited);
    connect(m_ar, &QLineEdit::textEdited, this, &frmSchSettingsPage::arEdited);
    connect(m_ar, &QLineEdit::editingFinished, this, [this] { checkArClass(true); });
    connect(m_lookup, &QPushButton::clicked, this, &frmSchSettingsPage::ARCodeLookUp);
}

bool frmSchSettingsPage::load()
{
    if (!m_model.load())
        return false;
    const SchedulerValue& value = m_model.value();
    // Selecting the stored rule from here asks nothing.
    m_ruleIndex = -1;
    selectRule(value.rule);
    m_ruleIndex = value.rule >= 0 ? value.rule : SchedulerValue::noRule;
    m_special->setText(WireCodec::toQString(value.special));
    m_special->setVisible(value.rule == SchedulerValue::specialRule);
    m_ar->setText(WireCodec::toQString(value.arClass));
    m_arDescription->clear();
    if (!text::trim(value.arClass).empty()) {
        m_arUnchecked = true;
        checkArClass(true);
    }
    m_arUnchecked = false;
    return true;
}

void frmSchSettingsPage::selectRule(int index)
{
    m_rules->setExclusive(false);
    for (QRadioButton* option : m_options)
        option->setChecked(false);
    m_rules->setExclusive(true);
    if (index >= 0 && index < 4)
        m_options[static_cast<std::size_t>(index)]->setChecked(true);
}

void frmSchSettingsPage::optRules_Click(int index)
{
    if (index == m_ruleIndex)
        return;
    if (m_ruleIndex >= 0
        && ask(std::string(SchedulerSetting::caution), PromptButtons::YesNo, PromptAnswer::No, PromptIcon::Warning,
               std::string(SchedulerSetting::cautionTitle))
            != PromptAnswer::Yes) {
        const int previous = m_ruleIndex;
        selectRule(previous);
        m_options[static_cast<std::size_t>(previous)]->setFocus();
        return;
    }
    m_ruleIndex = static_cast<std::int16_t>(index);
    m_special->setVisible(index == SchedulerValue::specialRule);
    SchedulerValue value = m_model.value();
    value.rule = m_ruleIndex;
    m_model.setValue(value);
    if (index == SchedulerValue::specialRule)
        m_special->setFocus();
    Q_EMIT edited();
}

void frmSchSettingsPage::specialEdited()
{
    const WireCodec::TypedText typed
        = WireCodec::encodeTyped(m_special->text(), tr("Special"), std::string_view(&SchedulerSetting::specialMark, 1));
    m_specialRefusal = typed.refusal;
    if (typed.wire) {
        SchedulerValue value = m_model.value();
        value.special = *typed.wire;
        m_model.setValue(value);
    }
    Q_EMIT edited();
}

void frmSchSettingsPage::arEdited()
{
    const WireCodec::TypedText typed = WireCodec::encodeTyped(m_ar->text().trimmed(), tr("Default AR class"));
    m_arRefusal = typed.refusal;
    m_arDescription->clear();
    if (typed.wire) {
        SchedulerValue value = m_model.value();
        value.arClass = text::upper(*typed.wire);
        m_model.setValue(value);
        m_arUnchecked = !value.arClass.empty();
    }
    Q_EMIT edited();
}

void frmSchSettingsPage::setArClass(const std::string& code, const std::string& description)
{
    m_ar->setText(WireCodec::toQString(code));
    m_arDescription->setText(WireCodec::toQString(description));
    m_arRefusal.clear();
    m_arUnchecked = false;
    SchedulerValue value = m_model.value();
    value.arClass = code;
    m_model.setValue(value);
    Q_EMIT edited();
}

bool frmSchSettingsPage::checkArClass(bool quiet)
{
    if (!m_arUnchecked || !m_arRefusal.empty())
        return true;
    const std::string code = m_model.value().arClass;
    auto& state = SharedState::instance();
    CodeVerdict verdict;
    if (state.serverUtils)
        state.serverUtils->ValidateCode("AR", code, state.contextKey, verdict);
    if (verdict.status != "VALID") {
        m_arDescription->setText(tr("(not an AR class)"));
        if (!quiet) {
            tell("'" + code + "' is not a valid AR class.", PromptIcon::Warning,
                 std::string(SettingsTexts::validationTitle));
            m_ar->setFocus();
            selectAllText(m_ar);
        }
        return false;
    }
    const std::string description(text::trim(verdict.description.substr(0, verdict.description.find('|'))));
    m_arDescription->setText(WireCodec::toQString(description));
    m_arUnchecked = false;
    return true;
}

void frmSchSettingsPage::ARCodeLookUp()
{
    try {
        if (!m_writable)
            return;
        LookupCall call;
        call.searchText = WireCodec::encodeTyped(m_ar->text().trimmed().toUpper(), tr("Default AR class"))
                              .wire.value_or(std::string());
        call.parent = window();
        std::string chosen = GeneralLookup("AR", call);
        m_ar->setFocus();
        if (chosen == "CANCEL" || chosen.empty())
            return;
        const std::string& separator = SharedState::instance().display.lookupSeparator;
        if (!separator.empty() && chosen.size() >= separator.size()
            && chosen.compare(chosen.size() - separator.size(), separator.size(), separator) == 0)
            chosen.resize(chosen.size() - separator.size());
        std::string code;
        std::string description;
        TextFields::splitInTwo(chosen, separator, code, description);
        setArClass(std::string(text::trim(code)), std::string(text::trim(description)));
    } catch (...) {
        Log::error("Error raised in frmSysSettings.ARCodeLookUp    ", Log::describeCurrentException());
    }
}

bool frmSchSettingsPage::hasChanges() const
{
    return m_model.changed() || !m_specialRefusal.empty() || !m_arRefusal.empty();
}

void frmSchSettingsPage::setWritable(bool writable)
{
    m_writable = writable;
    for (QRadioButton* option : m_options)
        option->setEnabled(writable || option->isChecked());
    m_special->setReadOnly(!writable);
    m_ar->setReadOnly(!writable);
    m_lookup->setEnabled(writable);
}

bool frmSchSettingsPage::save()
{
    for (const auto& [refusal, field] : {std::pair {&m_specialRefusal, m_special}, std::pair {&m_arRefusal, m_ar}}) {
        if (!refusal->empty()) {
            tell(*refusal, PromptIcon::Warning, std::string(SettingsTexts::validationTitle));
            field->setFocus();
            return false;
        }
    }
    if (!checkArClass(false))
        return false;
    return m_model.save();
}

QWidget* frmSchSettingsPage::firstEditor() const
{
    for (QRadioButton* option : m_options) {
        if (option->isChecked())
            return option;
    }
    return m_options.front();
}

bool frmSchSettingsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ar && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier) {
            ARCodeLookUp();
            return true;
        }
    }
    return frmOwnSettingsPage::eventFilter(watched, event);
}

} // namespace corvane
