#include "frmCodeTablesPage.h"

#include "Messages.h"
#include "SettingsTexts.h"
#include "SharedState.h"
#include "WaitPointer.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

struct BoxSpec {
    const char* objectName;
    const char* caption;
    std::size_t group;
};

const BoxSpec boxSpecs[codeTablesBoxCount] = {
    {"chkUseCT", "&Use Code Tables", 0},
    {"chkKeepCTloc", "&Keep copy locally", 0},
    {"chkLoadAllCT", "&Load all codes on Login", 0},
    {"chkShowAdvanced", "S&how advanced settings to this operator", 1},
    {"chkShowWinMenu", "Show &windows menu to this operator", 2},
};

const char* const groupNames[3] = {"frCodeTables", "frShowAdvanced", "frShowWinMenu"};

} // namespace

frmCodeTablesPage::frmCodeTablesPage(std::string operatorCode, QWidget* parent)
    : frmOwnSettingsPage(parent)
    , m_model(std::move(operatorCode))
{
    setObjectName(QStringLiteral("fraCodeTables"));
    auto* layout = new QVBoxLayout(this);
    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("lblHeader"));
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    layout->addWidget(m_header);

    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        auto* group = new QGroupBox(wire(CodeTablesSettings::groupCaptions[g]), this);
        group->setObjectName(QString::fromLatin1(groupNames[g]));
        auto* grid = new QGridLayout(group);
        int row = 0;
        // The boxes first, then the apply button: the order the keyboard goes through them.
        for (std::size_t i = 0; i < codeTablesBoxCount; ++i) {
            if (boxSpecs[i].group != g)
                continue;
            auto* check = new QCheckBox(tr(boxSpecs[i].caption), group);
            check->setObjectName(QString::fromLatin1(boxSpecs[i].objectName));
            grid->addWidget(check, row++, 0, 1, 2);
            m_boxes[i] = check;
            // clicked, not toggled: ticking a box from a loaded value never asks for the password.
            if (i == UseCodeTables)
                connect(check, &QCheckBox::clicked, this, &frmCodeTablesPage::chkUseCT_Click);
            else
                connect(check, &QCheckBox::clicked, this, [this, i] { boxClicked(i); });
        }
        auto* note = new QLabel(wire(SettingsTexts::userOverwrite), group);
        note->setObjectName(QStringLiteral("lblUserOverwrite_%1").arg(g));
        note->setWordWrap(true);
        grid->addWidget(note, row++, 0, 1, 2);
        m_applyLabels[g] = new QLabel(tr("Apply this setting to all operators"), group);
        m_applyLabels[g]->setObjectName(QStringLiteral("lblApplyToAllUsers_%1").arg(g));
        m_apply[g] = makeButton(group, "", tr("APPLY TO ALL OPERATORS"));
        m_apply[g]->setObjectName(QStringLiteral("cmdApplyToAllUsers_%1").arg(g));
        grid->addWidget(m_applyLabels[g], row, 0);
        grid->addWidget(m_apply[g], row, 1);
        grid->setColumnStretch(0, 1);
        connect(m_apply[g], &QPushButton::clicked, this, [this, g] { cmdApplyToAllUsers_Click(g); });
        m_groups[g] = group;
        layout->addWidget(group);
    }
    m_systemNote = new QLabel(
        tr("The system defaults hold only the code table settings. \"Showing Advanced Settings\" and \"Showing "
           "Windows Menu\" are each operator's own: the boxes above choose what APPLY TO ALL OPERATORS gives them."),
        this);
    m_systemNote->setObjectName(QStringLiteral("lblSystemNote"));
    m_systemNote->setWordWrap(true);
    layout->addWidget(m_systemNote);
    layout->addStretch(1);
}

bool frmCodeTablesPage::load()
{
    const bool system = !m_model.operatorMode();
    m_header->setText(system ? wire(CodeTablesSettings::systemHeader)
                             : tr("Using Code Tables - Operator %1").arg(wire(m_model.operatorCode())));
    m_systemNote->setVisible(system);
    if (!m_model.load())
        return false;
    showValues();
    return true;
}

void frmCodeTablesPage::showValues()
{
    for (std::size_t i = 0; i < codeTablesBoxCount; ++i)
        m_boxes[i]->setChecked(m_model.values()[i]);
    updateDependents();
}

void frmCodeTablesPage::updateDependents()
{
    const bool use = m_model.values()[UseCodeTables];
    m_boxes[KeepLocalCopy]->setEnabled(m_writable && use);
    m_boxes[LoadAllAtLogin]->setEnabled(m_writable && use);
}

void frmCodeTablesPage::setWritable(bool writable)
{
    m_writable = writable;
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        m_groups[g]->setEnabled(writable);
        m_apply[g]->setVisible(writable);
        m_applyLabels[g]->setVisible(writable);
    }
    updateDependents();
}

bool frmCodeTablesPage::askPassword()
{
    Prompt prompt;
    prompt.title = std::string(CodeTablesSettings::passwordTitle);
    prompt.text = std::string(CodeTablesSettings::passwordPrompt);
    const auto typed = SharedState::instance().prompter().askText(prompt, true);
    if (!typed)
        return false;
    if (!CodeTablesSettings::passwordMatches(*typed)) {
        tell(std::string(CodeTablesSettings::wrongPassword), PromptIcon::Warning,
             std::string(CodeTablesSettings::passwordTitle));
        return false;
    }
    return true;
}

void frmCodeTablesPage::chkUseCT_Click()
{
    QCheckBox* use = m_boxes[UseCodeTables];
    if (use->isChecked() && !askPassword())
        use->setChecked(false);
    boxClicked(UseCodeTables);
}

void frmCodeTablesPage::boxClicked(std::size_t index)
{
    m_model.setValue(index, m_boxes[index]->isChecked());
    // Unticking "Use Code Tables" unticks the boxes that depend on it.
    showValues();
    Q_EMIT edited();
}

void frmCodeTablesPage::cmdApplyToAllUsers_Click(std::size_t group)
{
    if (!m_writable || group >= m_groups.size() || !m_model.loaded())
        return;
    if (group == 0 && m_model.values()[UseCodeTables] && !askPassword())
        return;
    if (ask(CodeTablesSettings::applyQuestion(group), PromptButtons::YesNo, PromptAnswer::No, PromptIcon::Warning,
            std::string(CodeTablesSettings::warningTitle))
        != PromptAnswer::Yes)
        return;
    if (!mayWriteNow())
        return;
    ApplyOutcome outcome;
    {
        const WaitPointer wait;
        outcome = m_model.applyToAll(group);
    }
    if (!outcome.started) {
        tell("The list of operators could not be read; nothing was applied.", PromptIcon::Critical);
        return;
    }
    tell(CodeTablesSettings::applySummary(outcome),
         outcome.notSaved.empty() ? PromptIcon::Information : PromptIcon::Warning,
         std::string(CodeTablesSettings::warningTitle));
    Q_EMIT edited();
}

bool frmCodeTablesPage::save()
{
    const bool saved = m_model.save();
    showValues();
    return saved;
}

QWidget* frmCodeTablesPage::firstEditor() const
{
    for (QCheckBox* check : m_boxes) {
        if (check->isEnabled())
            return check;
    }
    return m_boxes[UseCodeTables];
}

} // namespace corvane
