#include "frmSecurityDistribute.h"

#include "Log.h"
#include "Messages.h"
#include "ModuleAccess.h"
#include "SecurityCopy.h"
#include "SecurityTree.h"
#include "ServerRequest.h"
#include "SharedState.h"
#include "WidgetRoutines.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <optional>

namespace corvane {

namespace {

/// "Security Groups 1, 4 and 7", "Security Group 3" or "every Security Group".
std::string groupsNamed(const std::array<bool, SecurityCopy::groupCount>& chosen)
{
    std::vector<std::string> numbers;
    for (int g = 0; g < SecurityCopy::groupCount; ++g) {
        if (chosen[static_cast<std::size_t>(g)])
            numbers.push_back(std::to_string(g));
    }
    if (numbers.size() == chosen.size())
        return "every Security Group";
    std::string out = numbers.size() == 1 ? "Security Group " : "Security Groups ";
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            out += i + 1 == numbers.size() ? " and " : ", ";
        out += numbers[i];
    }
    return out;
}

/// The signed-in operator's own access values as the server holds them; nothing when they cannot be read.
std::optional<std::string> ownAccess(const std::string& operatorCode)
{
    const std::string request = ModuleAccess::readRequest("O", operatorCode);
    const LinesReply reply = ServerRequest::viaLines(request);
    if (!reply.sent || reply.isError()) {
        Log::line("ERR in frmSecurity.SaveDistributeSecurity after " + request + "\r\n" + reply.firstLine());
        return std::nullopt;
    }
    ModuleAccess page;
    if (page.load(reply.lines, false) != ModuleAccess::Load::Rows)
        return std::nullopt;
    return page.saveData();
}

} // namespace

frmSecurityDistribute::frmSecurityDistribute(QWidget* parent)
    : frmSecurityPage(parent)
{
    setObjectName(QStringLiteral("frSecurityDistribution"));
    auto* explain = new QLabel(
        tr("You can copy Settings of selected Groups to ALL operators with corresponding security."), this);
    explain->setObjectName(QStringLiteral("lblDistribute"));
    explain->setWordWrap(true);
    auto* caption = new QLabel(tr("Please select Security Group(s):"), this);
    caption->setObjectName(QStringLiteral("lblSecGroups"));
    m_groups = new QListWidget(this);
    m_groups->setObjectName(QStringLiteral("lstSecGroups"));
    m_groups->setSelectionMode(QAbstractItemView::MultiSelection);
    for (int g = 0; g < SecurityCopy::groupCount; ++g)
        m_groups->addItem(QStringLiteral("Group %1").arg(g));
    caption->setBuddy(m_groups);
    auto* selectAll = makeButton(this, "cmdSelectAll", tr("&Select All"));
    auto* deselectAll = makeButton(this, "cmdDeselectAll", tr("&Deselect All"));
    m_copy = makeButton(this, "cmdCopy", tr("Cop&y"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(selectAll);
    buttons->addWidget(deselectAll);
    buttons->addStretch(1);
    buttons->addWidget(m_copy);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(explain);
    layout->addWidget(caption);
    layout->addWidget(m_groups, 1);
    layout->addLayout(buttons);
    connect(selectAll, &QPushButton::clicked, m_groups, &QListWidget::selectAll);
    connect(deselectAll, &QPushButton::clicked, m_groups, &QListWidget::clearSelection);
    // Nothing chosen, nothing to send: a distribute of no group could be taken for one of every group.
    connect(m_groups, &QListWidget::itemSelectionChanged, this,
            [this] { m_copy->setEnabled(!m_groups->selectedItems().isEmpty()); });
    connect(m_copy, &QPushButton::clicked, this, &frmSecurityDistribute::SaveDistributeSecurity);
    m_copy->setEnabled(false);
}

bool frmSecurityDistribute::loadPage(const SecurityContext&)
{
    setPageTitle(tr("Distribute Security Settings"));
    m_groups->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    return true;
}

bool frmSecurityDistribute::SaveDistributeSecurity()
{
    try {
        std::array<bool, SecurityCopy::groupCount> chosen {};
        for (int g = 0; g < SecurityCopy::groupCount; ++g)
            chosen[static_cast<std::size_t>(g)] = m_groups->item(g)->isSelected();
        const auto request = SecurityCopy::distributeRequest(chosen);
        if (!request)
            return false;
        if (ask("Replace the security settings of every operator in " + groupsNamed(chosen) + "?", PromptButtons::YesNo,
                PromptAnswer::No)
            != PromptAnswer::Yes)
            return false;
        // The groups' members are the server's to know: whether the signed-in operator's own settings were among
        // those replaced shows in them. When they cannot be read, the advice is given rather than missed.
        const std::string& me = SharedState::instance().operatorName;
        const auto before = me.empty() ? std::nullopt : ownAccess(me);
        if (!sendSave(*request, "frmSecurity.SaveDistributeSecurity", "Distribute Security Settings has failed."))
            return false;
        Log::trace("~~~SAVING DISTRIBUTE SECURITY~~~");
        Log::trace(*request);
        Log::trace("~~~");
        const bool all = std::all_of(chosen.begin(), chosen.end(), [](bool c) { return c; });
        std::string done = SecurityCopy::distributedText(all);
        if (!me.empty()) {
            const auto after = ownAccess(me);
            if (!before || !after || *before != *after)
                done += SecurityTree::logOffAdvice;
        }
        tell(done);
        return true;
    } catch (...) {
        Log::error("ERR in frmSecurity.SaveDistributeSecurity   ", Log::describeCurrentException());
        return false;
    }
}

} // namespace corvane
