#pragma once

#include "frmSecurityPage.h"

class QListWidget;
class QPushButton;

namespace corvane {

/// The Distribute Security Settings page (frSecurityDistribution): the settings of chosen groups are copied to
/// every operator of those groups.
class frmSecurityDistribute final : public frmSecurityPage {
    Q_OBJECT
public:
    explicit frmSecurityDistribute(QWidget* parent = nullptr);

    bool loadPage(const SecurityContext& context) override;
    QListWidget* list() const { return m_groups; }
    /// Asks, then sends the distribute request; true when the server took it.
    bool SaveDistributeSecurity();

private:
    QListWidget* m_groups = nullptr;
    QPushButton* m_copy = nullptr;
};

} // namespace corvane
