#include "frmSecurityCopy.h"

#include "Log.h"
#include "Messages.h"
#include "SecurityPrograms.h"
#include "SecurityTree.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace corvane {

namespace {

/// Server text kept as its bytes in an item, to go back to the server as it came.
QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string bytesOf(const QVariant& data)
{
    return data.toByteArray().toStdString();
}

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

constexpr int codeRole = Qt::UserRole;

bool sameCode(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

frmSecurityCopy::frmSecurityCopy(std::function<const SecurityPrograms*()> programs, QWidget* parent)
    : frmSecurityPage(parent)
    , m_programs(std::move(programs))
{
    setObjectName(QStringLiteral("frCopySecSettings"));
    auto* explain = new QLabel(
        tr("You can copy Settings from Operator to Operator, Group to Operator, and Group to Group. "), this);
    explain->setObjectName(QStringLiteral("lblCopy"));
    explain->setWordWrap(true);

    auto* fromCaption = new QLabel(tr("Copy From:"), this);
    m_from = new QComboBox(this);
    m_from->setObjectName(QStringLiteral("cmbFrom"));
    fromCaption->setBuddy(m_from);
    m_fromOperator = new QRadioButton(tr("Operator"), this);
    m_fromOperator->setObjectName(QStringLiteral("optUser_0"));
    m_fromGroup = new QRadioButton(tr("Group"), this);
    m_fromGroup->setObjectName(QStringLiteral("optGroup_0"));
    auto* toCaption = new QLabel(tr("Copy To:"), this);
    m_to = new QComboBox(this);
    m_to->setObjectName(QStringLiteral("cmbTo"));
    toCaption->setBuddy(m_to);
    m_toOperator = new QRadioButton(tr("Operator"), this);
    m_toOperator->setObjectName(QStringLiteral("optUser_1"));
    m_toGroup = new QRadioButton(tr("Group"), this);
    m_toGroup->setObjectName(QStringLiteral("optGroup_1"));
    auto* fromKind = new QButtonGroup(this);
    fromKind->addButton(m_fromOperator);
    fromKind->addButton(m_fromGroup);
    auto* toKind = new QButtonGroup(this);
    toKind->addButton(m_toOperator);
    toKind->addButton(m_toGroup);
    m_fromOperator->setChecked(true);
    m_toOperator->setChecked(true);
    m_entity = new QCheckBox(tr("Copy Entity Access"), this);
    m_entity->setObjectName(QStringLiteral("chkCopyEntity"));

    auto* treeCaption = new QLabel(tr("Please select modules/programs to be copied:"), this);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("tvwPrograms"));
    m_tree->setHeaderHidden(true);
    treeCaption->setBuddy(m_tree);
    m_selectAll = makeButton(this, "cmdSelectAll", tr("&Select All"));
    m_deselectAll = makeButton(this, "cmdDeselectAll", tr("&Deselect All"));
    m_copy = makeButton(this, "cmdCopy", tr("Cop&y"));

    auto* sides = new QGridLayout;
    sides->addWidget(fromCaption, 0, 0);
    sides->addWidget(m_from, 0, 1);
    sides->addWidget(m_fromOperator, 0, 2);
    sides->addWidget(m_fromGroup, 0, 3);
    sides->addWidget(toCaption, 1, 0);
    sides->addWidget(m_to, 1, 1);
    sides->addWidget(m_toOperator, 1, 2);
    sides->addWidget(m_toGroup, 1, 3);
    sides->addWidget(m_entity, 2, 1);
    sides->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_selectAll);
    buttons->addWidget(m_deselectAll);
    buttons->addStretch(1);
    buttons->addWidget(m_copy);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(explain);
    layout->addLayout(sides);
    layout->addWidget(treeCaption);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);

    connect(m_fromOperator, &QRadioButton::toggled, this, [this] { sourceChanged(); });
    connect(m_toOperator, &QRadioButton::toggled, this, [this] {
        LoadCombo(m_to, m_toGroup->isChecked(), m_from->currentText());
        targetChanged();
    });
    connect(m_from, &QComboBox::currentIndexChanged, this, [this] {
        // The target list never holds the source.
        const QString target = m_to->currentText();
        LoadCombo(m_to, m_toGroup->isChecked(), m_from->currentText());
        m_to->setCurrentIndex(m_to->findText(target));
        targetChanged();
    });
    connect(m_to, &QComboBox::currentIndexChanged, this, [this] { targetChanged(); });
    connect(m_entity, &QCheckBox::toggled, this, [this] { updateCopyButton(); });
    connect(m_tree, &QTreeWidget::itemChanged, this, [this] { updateCopyButton(); });
    const auto checkAll = [this](Qt::CheckState state) {
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
            m_tree->topLevelItem(i)->setCheckState(0, state);
    };
    connect(m_selectAll, &QPushButton::clicked, this, [checkAll] { checkAll(Qt::Checked); });
    connect(m_deselectAll, &QPushButton::clicked, this, [checkAll] { checkAll(Qt::Unchecked); });
    connect(m_copy, &QPushButton::clicked, this, &frmSecurityCopy::SaveCopySecurity);
}

void frmSecurityCopy::setOperators(std::vector<OperatorEntry> operators, std::string signedIn)
{
    m_operators = std::move(operators);
    m_signedIn = std::move(signedIn);
}

bool frmSecurityCopy::loadPage(const SecurityContext&)
{
    setPageTitle(tr("Copy Security Settings"));
    m_fromOperator->setChecked(true);
    m_toOperator->setChecked(true);
    LoadCombo(m_from, false, {});
    LoadCombo(m_to, false, {});
    LoadProgramsTreeView();
    sourceChanged();
    return m_tree->topLevelItemCount() > 0;
}

void frmSecurityCopy::LoadCombo(QComboBox* combo, bool groups, const QString& leaveOut)
{
    try {
        const QSignalBlocker blocker(combo);
        combo->clear();
        if (groups) {
            for (int g = 0; g < SecurityCopy::groupCount; ++g) {
                const std::string group = SecurityTree::groupName(g);
                const QString name = wire(group);
                if (name != leaveOut)
                    combo->addItem(name, bytes(group));
            }
        } else {
            for (const auto& [code, text] : m_operators) {
                const QString shown = wire(text);
                // The view-only operator's settings are never replaced by a copy.
                if (shown == leaveOut || (combo == m_to && sameCode(code, SecurityCopy::viewOnlyOperator)))
                    continue;
                combo->addItem(shown, bytes(code));
            }
        }
        combo->setCurrentIndex(-1);
    } catch (...) {
        Log::error("ERR in frmSecurity.LoadListForCopy   ", Log::describeCurrentException());
    }
}

void frmSecurityCopy::LoadProgramsTreeView()
{
    const QSignalBlocker blocker(m_tree);
    m_tree->clear();
    const SecurityPrograms* programs = m_programs ? m_programs() : nullptr;
    if (!programs)
        return;
    const auto addNode = [](QTreeWidgetItem* node, const SecurityProgram& program) {
        node->setText(0, wire(program.code) + QStringLiteral("  ") + wire(program.description));
        node->setData(0, codeRole, bytes(program.code));
        node->setCheckState(0, Qt::Checked);
    };
    for (const SecurityProgram& lost : programs->unplaced()) {
        Log::line("ERR in Security AddChildItem   parent:  child:  " + lost.code);
        addNode(new QTreeWidgetItem(m_tree), lost);
    }
    for (const ProgramModule& module : programs->modules()) {
        auto* node = new QTreeWidgetItem(m_tree);
        addNode(node, module.heading);
        // Checking a module checks its programs; a module shows whether all, some or none of them are checked.
        node->setFlags(node->flags() | Qt::ItemIsAutoTristate);
        QFont bold = node->font(0);
        bold.setBold(true);
        node->setFont(0, bold);
        for (const SecurityProgram& program : module.programs)
            addNode(new QTreeWidgetItem(node), program);
    }
    m_tree->expandAll();
    if (m_tree->topLevelItemCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

void frmSecurityCopy::sourceChanged()
{
    // Settings go from operator to operator, group to operator and group to group: never onto a group from an
    // operator.
    const bool fromGroup = m_fromGroup->isChecked();
    LoadCombo(m_from, fromGroup, {});
    m_toGroup->setEnabled(fromGroup);
    if (!fromGroup && m_toGroup->isChecked())
        m_toOperator->setChecked(true);
    LoadCombo(m_to, m_toGroup->isChecked(), {});
    targetChanged();
}

void frmSecurityCopy::targetChanged()
{
    // Entity access belongs to operators: it is copied between operators only.
    const bool entityPossible = m_fromOperator->isChecked() && m_toOperator->isChecked();
    if (!entityPossible)
        m_entity->setChecked(false);
    m_entity->setEnabled(entityPossible);
    updateCopyButton();
}

std::vector<std::string> frmSecurityCopy::checkedPrograms() const
{
    std::vector<std::string> codes;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        if ((*it)->checkState(0) == Qt::Checked)
            codes.push_back(bytesOf((*it)->data(0, codeRole)));
    }
    return codes;
}

CopyParty frmSecurityCopy::party(QComboBox* combo, bool group) const
{
    if (combo->currentIndex() < 0)
        return {};
    const std::string entry = bytesOf(combo->currentData());
    return group ? CopyParty::fromEntry(true, entry) : CopyParty {false, entry};
}

std::string frmSecurityCopy::shownName(QComboBox* combo, bool group) const
{
    return group ? bytesOf(combo->currentData()) : "Operator " + party(combo, false).code;
}

void frmSecurityCopy::updateCopyButton()
{
    const bool chosen = m_from->currentIndex() >= 0 && m_to->currentIndex() >= 0;
    m_copy->setEnabled(chosen
                       && SecurityCopy::copyRequest(party(m_from, m_fromGroup->isChecked()),
                                                    party(m_to, m_toGroup->isChecked()), m_entity->isChecked(),
                                                    checkedPrograms())
                              .has_value());
}

bool frmSecurityCopy::SaveCopySecurity()
{
    try {
        const bool fromGroup = m_fromGroup->isChecked();
        const bool toGroup = m_toGroup->isChecked();
        const CopyParty from = party(m_from, fromGroup);
        const CopyParty to = party(m_to, toGroup);
        const std::vector<std::string> programs = checkedPrograms();
        const auto request = SecurityCopy::copyRequest(from, to, m_entity->isChecked(), programs);
        if (!request)
            return false;
        const std::string fromShown = shownName(m_from, fromGroup);
        const std::string toShown = shownName(m_to, toGroup);
        std::string question = "Replace the security settings of " + toShown + " with those of " + fromShown;
        question += programs.empty() ? std::string(" for entity access")
                                     : " for the " + std::to_string(programs.size()) + " checked modules and programs"
                + (m_entity->isChecked() ? " and entity access" : "");
        if (ask(question + "?", PromptButtons::YesNo, PromptAnswer::No) != PromptAnswer::Yes)
            return false;
        const bool own = !to.group && sameCode(to.code, m_signedIn);
        if (!sendSave(*request, "frmSecurity.SaveCopySecurity", "Copy Security Settings has failed."))
            return false;
        Log::trace("~~~SAVING COPY SECURITY~~~");
        Log::trace(*request);
        Log::trace("~~~");
        tell(SecurityCopy::copiedText(fromShown, toShown, own));
        return true;
    } catch (...) {
        Log::error("ERR in frmSecurity.SaveCopySecurity   ", Log::describeCurrentException());
        return false;
    }
}

} // namespace corvane
