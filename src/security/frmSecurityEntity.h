#pragma once

#include "EntityAccess.h"
#include "frmSecurityPage.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace corvane {

/// The Entity Access page (frEntityAccess): the entities an operator may open, selected in a list.
class frmSecurityEntity final : public frmSecurityPage {
    Q_OBJECT
public:
    explicit frmSecurityEntity(QWidget* parent = nullptr);

    bool loadPage(const SecurityContext& context) override;
    bool hasChanges() const override;
    bool canSave() const override { return true; }
    std::optional<std::string> savePage(const SecurityContext& context) override;

    const EntityAccess& entities() const { return m_entities; }
    QListWidget* list() const { return m_list; }
    /// Writes the entity list as CSV; false, with a message, when the file cannot be written.
    bool exportCsv(const QString& path);

private:
    /// The list's selection into the model.
    void takeSelection() const;

    mutable EntityAccess m_entities;
    std::string m_loadedData;
    std::string m_owner;
    QLabel* m_text = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_selectAll = nullptr;
    QPushButton* m_deselectAll = nullptr;
    QPushButton* m_export = nullptr;
};

} // namespace corvane
