#include "frmSecurityPrograms.h"

#include "CommonRoutines.h"
#include "CorvaneCodeTables.h"
#include "Log.h"
#include "Messages.h"
#include "SecurityPrograms.h"
#include "SecurityTree.h"
#include "SharedState.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

const char* const fieldCaptions[] = {"Security Program", "Description", "Type"};

/// The code of a lookup's chosen entry: the text before the lookup separator.
std::string chosenCode(const std::string& chosen)
{
    const std::string& separator = SharedState::instance().display.lookupSeparator;
    const std::size_t at = separator.empty() ? std::string::npos : chosen.find(separator);
    std::string code = chosen.substr(0, at);
    while (!code.empty() && code.back() == ' ')
        code.pop_back();
    return code;
}

std::vector<std::string> programTypes()
{
    std::vector<std::string> codes;
    if (auto table = GetCodeTable("ST", 0)) {
        std::vector<std::vector<std::string>> rows;
        if (table->GetRows(SharedState::instance().contextKey, rows)) {
            for (const auto& row : rows) {
                if (!row.empty())
                    codes.push_back(row[0]);
            }
        }
    }
    return codes;
}

} // namespace

frmSecurityPrograms::frmSecurityPrograms(std::function<const SecurityPrograms*()> programs,
                                         std::function<void()> reload, QWidget* parent)
    : frmSecurityPage(parent)
    , m_programs(std::move(programs))
    , m_reload(std::move(reload))
{
    setObjectName(QStringLiteral("frSecurityPrograms"));
    m_explain = new QLabel(this);
    m_explain->setObjectName(QStringLiteral("lblSecPr"));
    auto* lookupCaption = new QLabel(tr("&View Existing:"), this);
    m_lookup = new QLineEdit(this);
    m_lookup->setObjectName(QStringLiteral("txtLookup"));
    lookupCaption->setBuddy(m_lookup);
    m_lookupButton = makeButton(this, "cmdSecPrLookup", QStringLiteral("..."));
    m_lookupButton->setToolTip(tr("Choose a security program"));
    m_addNew = makeButton(this, "cmdAddNew", tr("Add &New"));

    auto* fields = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        auto* caption = new QLabel(QString::fromLatin1(fieldCaptions[i]) + QLatin1Char(':'), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txtSecPr_%1").arg(i));
        caption->setBuddy(edit);
        fields->addWidget(caption, i, 0);
        fields->addWidget(edit, i, 1);
        m_fields[static_cast<std::size_t>(i)] = edit;
    }
    m_fields[0]->setMaxLength(20);
    m_typeLookup = makeButton(this, "cmdSecPrTypeLookup", QStringLiteral("..."));
    m_typeLookup->setToolTip(tr("Choose a program type (F4)"));
    fields->addWidget(m_typeLookup, 2, 2);
    fields->setColumnStretch(1, 1);

    m_newFrame = new QFrame(this);
    m_newFrame->setObjectName(QStringLiteral("frNewSecPr"));
    auto* rights = new QHBoxLayout;
    const char* const rightCaptions[] = {"Read", "Add", "Modify", "Delete"};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(rightCaptions[i]), m_newFrame);
        box->setObjectName(QStringLiteral("chkAccess_%1").arg(i));
        rights->addWidget(box);
        m_rights[static_cast<std::size_t>(i)] = box;
    }
    rights->addStretch(1);
    m_groupsText = new QLabel(m_newFrame);
    m_groupsText->setObjectName(QStringLiteral("lblGroups"));
    m_groups = new QListWidget(m_newFrame);
    m_groups->setObjectName(QStringLiteral("lstGroups"));
    m_groups->setSelectionMode(QAbstractItemView::MultiSelection);
    for (int g = 0; g < NewSecurityProgram::groupCount; ++g)
        m_groups->addItem(wire(SecurityTree::groupName(g)));
    m_groupsText->setBuddy(m_groups);
    auto* selectAll = makeButton(m_newFrame, "cmdSelectAll", tr("&Select All"));
    auto* deselectAll = makeButton(m_newFrame, "cmdDeselectAll", tr("&Deselect All"));
    auto* groupButtons = new QHBoxLayout;
    groupButtons->addWidget(selectAll);
    groupButtons->addWidget(deselectAll);
    groupButtons->addStretch(1);
    auto* newLayout = new QVBoxLayout(m_newFrame);
    newLayout->setContentsMargins(0, 0, 0, 0);
    newLayout->addLayout(rights);
    newLayout->addWidget(m_groupsText);
    newLayout->addWidget(m_groups, 1);
    newLayout->addLayout(groupButtons);

    auto* top = new QHBoxLayout;
    top->addWidget(lookupCaption);
    top->addWidget(m_lookup, 1);
    top->addWidget(m_lookupButton);
    top->addSpacing(20);
    top->addWidget(m_addNew);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_explain);
    layout->addLayout(top);
    layout->addLayout(fields);
    layout->addWidget(m_newFrame, 1);
    layout->addStretch(0);

    connect(m_lookupButton, &QPushButton::clicked, this, &frmSecurityPrograms::cmdSecPrLookup_Click);
    connect(m_lookup, &QLineEdit::returnPressed, this, &frmSecurityPrograms::cmdSecPrLookup_Click);
    connect(m_addNew, &QPushButton::clicked, this, &frmSecurityPrograms::cmdAddNew_Click);
    connect(m_typeLookup, &QPushButton::clicked, this, &frmSecurityPrograms::cmdSecPrTypeLookup_Click);
    connect(m_groups, &QListWidget::itemSelectionChanged, this, &frmSecurityPrograms::updateGroupsText);
    connect(selectAll, &QPushButton::clicked, m_groups, &QListWidget::selectAll);
    connect(deselectAll, &QPushButton::clicked, m_groups, &QListWidget::clearSelection);
    setMode(Mode::Existing);
}

bool frmSecurityPrograms::loadPage(const SecurityContext& context)
{
    m_mayEdit = context.mayEdit;
    setPageTitle(m_mayEdit ? tr("Security Programs") : tr("View Security Programs"));
    m_explain->setText(m_mayEdit ? tr("You can add/view Security Programs.")
                                 : tr("You can view existing Security Programs."));
    m_addNew->setVisible(m_mayEdit);
    m_lookup->clear();
    for (QLineEdit* edit : m_fields)
        edit->clear();
    setMode(Mode::Existing);
    return m_programs && m_programs() != nullptr;
}

void frmSecurityPrograms::setMode(Mode mode)
{
    m_mode = mode;
    const bool entering = mode == Mode::New;
    for (QLineEdit* edit : m_fields)
        edit->setReadOnly(!entering);
    m_typeLookup->setEnabled(entering);
    m_newFrame->setVisible(entering);
    updateGroupsText();
    Q_EMIT saveStateChanged();
}

void frmSecurityPrograms::updateGroupsText()
{
    const bool all = m_groups->selectedItems().size() == m_groups->count();
    m_groupsText->setText(all ? tr("New security program will be added to all groups.")
                              : tr("New security program will be applied to users that belong to selected groups:"));
}

bool frmSecurityPrograms::showExisting(const std::string& code)
{
    const SecurityPrograms* programs = m_programs ? m_programs() : nullptr;
    const SecurityProgram* found = programs ? programs->find(code) : nullptr;
    if (!found)
        return false;
    setMode(Mode::Existing);
    m_fields[0]->setText(wire(found->code));
    m_fields[1]->setText(wire(found->description));
    m_fields[2]->setText(wire(found->kind));
    m_lookup->setText(wire(found->code));
    return true;
}

void frmSecurityPrograms::cmdSecPrLookup_Click()
{
    // A typed code that the list holds is shown at once; otherwise the lookup offers the programs.
    const auto typed = WireCodec::encodeTyped(m_lookup->text().trimmed(), tr("Security Program"));
    if (typed.wire && !typed.wire->empty() && showExisting(*typed.wire))
        return;
    LookupCall call;
    call.searchText = typed.wire.value_or(std::string());
    call.parent = this;
    const std::string chosen = GeneralLookup("PRGL", call);
    if (chosen == "CANCEL")
        return;
    if (!showExisting(chosenCode(chosen)))
        tell("Program " + chosenCode(chosen) + " is not in the list of security programs.", PromptIcon::Information);
}

void frmSecurityPrograms::cmdSecPrTypeLookup_Click()
{
    LookupCall call;
    call.searchText = WireCodec::encodeTyped(m_fields[2]->text().trimmed(), tr("Type")).wire.value_or(std::string());
    call.parent = this;
    const std::string chosen = GeneralLookup("ST", call);
    if (chosen != "CANCEL")
        m_fields[2]->setText(wire(chosenCode(chosen)));
    m_fields[2]->setFocus();
}

void frmSecurityPrograms::cmdAddNew_Click()
{
    if (!m_mayEdit)
        return;
    for (QLineEdit* edit : m_fields)
        edit->clear();
    m_lookup->clear();
    for (QCheckBox* box : m_rights)
        box->setChecked(false);
    m_groups->clearSelection();
    setMode(Mode::New);
    m_fields[0]->setFocus();
}

bool frmSecurityPrograms::hasChanges() const
{
    if (m_mode != Mode::New)
        return false;
    return std::any_of(m_fields.begin(), m_fields.end(), [](const QLineEdit* e) { return !e->text().isEmpty(); });
}

std::optional<std::string> frmSecurityPrograms::savePage(const SecurityContext&)
{
    try {
        if (!canSave())
            return std::nullopt;
        NewSecurityProgram program;
        std::array<std::string*, 3> targets {&program.code, &program.description, &program.type};
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            const auto typed
                = WireCodec::toWireChecked(m_fields[i]->text(), QString::fromLatin1(fieldCaptions[i]), ":");
            if (!typed) {
                m_fields[i]->setFocus();
                return std::nullopt;
            }
            *targets[i] = *typed;
        }
        program.read = m_rights[0]->isChecked();
        program.add = m_rights[1]->isChecked();
        program.modify = m_rights[2]->isChecked();
        program.remove = m_rights[3]->isChecked();
        for (int g = 0; g < NewSecurityProgram::groupCount; ++g)
            program.groups[static_cast<std::size_t>(g)] = m_groups->item(g)->isSelected();
        const SecurityPrograms* programs = m_programs ? m_programs() : nullptr;
        if (!programs)
            return std::nullopt;
        if (const auto refusal = program.refusal(*programs, programTypes())) {
            tell(*refusal, PromptIcon::Warning);
            const std::size_t field = refusal->find("Description") != std::string::npos ? 1
                : refusal->find("ype") != std::string::npos                             ? 2
                                                                                        : 0;
            m_fields[field]->setFocus();
            m_fields[field]->selectAll();
            return std::nullopt;
        }
        const std::string request = program.saveRequest();
        if (!sendSave(request, "frmSecurity.SaveSecurPrograms", "frmSecurity.SaveSecurPrograms has failed."))
            return std::nullopt;
        // The new program belongs in the list the lookups and the copy page offer.
        if (m_reload)
            m_reload();
        return "Settings Saved.";
    } catch (...) {
        Log::error("ERR in frmSecurity.SaveSecurPrograms   ", Log::describeCurrentException());
        return std::nullopt;
    }
}

} // namespace corvane
