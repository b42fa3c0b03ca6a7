#include "frmSecurityEntity.h"

#include "AccessExport.h"
#include "Log.h"
#include "Messages.h"
#include "SecurityReply.h"
#include "SecurityTree.h"
#include "ServerRequest.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

frmSecurityEntity::frmSecurityEntity(QWidget* parent)
    : frmSecurityPage(parent)
{
    setObjectName(QStringLiteral("frEntityAccess"));
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("lblEntityAccess"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstEntityAccess"));
    // Space or a click toggles one entity; the arrows only move.
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_text->setBuddy(m_list);
    m_selectAll = makeButton(this, "cmdSelectAll", tr("&Select All"));
    m_deselectAll = makeButton(this, "cmdDeselectAll", tr("&Deselect All"));
    m_export = makeButton(this, "cmdExport", tr("Expor&t..."));
    m_export->setToolTip(tr("Save this entity list as a CSV file"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_selectAll);
    buttons->addWidget(m_deselectAll);
    buttons->addStretch(1);
    buttons->addWidget(m_export);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    connect(m_selectAll, &QPushButton::clicked, m_list, &QListWidget::selectAll);
    connect(m_deselectAll, &QPushButton::clicked, m_list, &QListWidget::clearSelection);
    connect(m_export, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Export entity access"),
                                                          WireCodec::toQString(m_owner) + QStringLiteral(".csv"),
                                                          tr("CSV files (*.csv)"));
        if (!path.isEmpty())
            exportCsv(path);
    });
}

bool frmSecurityEntity::loadPage(const SecurityContext& context)
{
    m_list->clear();
    m_entities = {};
    m_owner = "Operator " + context.code;
    setPageTitle(context.mayEdit ? tr("Entity Access") : tr("View Entity Access"));
    m_text->setText(context.mayEdit ? tr("User will be allowed to access the selected entities:")
                                    : tr("View entities available to access :"));
    const std::string request = EntityAccess::readRequest(context.code);
    Log::trace("///" + request);
    const StringReply reply = ServerRequest::viaString(request);
    if (!reply.sent) {
        Log::commFailure("GetServerStringData", "frmSecurity.ShowCodeForEntityAccess");
        return false;
    }
    Log::trace("///" + reply.text);
    if (SecurityReply::failed(reply.text) || !m_entities.load(reply.text)) {
        Log::line("ERR in frmSecurity.ShowCodeForEntityAccess   " + reply.text.substr(0, 200));
        return false;
    }
    for (const EntityEntry& entry : m_entities.entries()) {
        auto* item = new QListWidgetItem(
            WireCodec::toQString(entry.code) + QStringLiteral("   ") + WireCodec::toQString(entry.description), m_list);
        item->setSelected(entry.allowed);
    }
    m_list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    m_loadedData = m_entities.saveData();
    for (QWidget* w : std::initializer_list<QWidget*> {m_list, m_selectAll, m_deselectAll})
        w->setEnabled(context.mayEdit);
    m_export->setEnabled(true);
    return true;
}

void frmSecurityEntity::takeSelection() const
{
    auto& entries = m_entities.entries();
    for (int i = 0; i < m_list->count() && i < static_cast<int>(entries.size()); ++i)
        entries[static_cast<std::size_t>(i)].allowed = m_list->item(i)->isSelected();
}

bool frmSecurityEntity::hasChanges() const
{
    takeSelection();
    return m_entities.saveData() != m_loadedData;
}

std::optional<std::string> frmSecurityEntity::savePage(const SecurityContext& context)
{
    takeSelection();
    if (!sendSave(m_entities.saveRequest(context.code), "frmSecurity.SaveEntityAccess",
                  "frmSecurity.SaveEntityAccess has failed."))
        return std::nullopt;
    return SecurityTree::savedText(context.code, context.ownSettings);
}

bool frmSecurityEntity::exportCsv(const QString& path)
{
    takeSelection();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        tell("The access list could not be written to " + WireCodec::toWireLossy(path) + ".\r\n"
                 + WireCodec::toWireLossy(file.errorString()),
             PromptIcon::Warning);
        return false;
    }
    const QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF")
        + WireCodec::toQString(AccessExport::entityAccessCsv(m_entities, m_owner)).toUtf8();
    return file.write(bytes) == bytes.size();
}

} // namespace corvane
