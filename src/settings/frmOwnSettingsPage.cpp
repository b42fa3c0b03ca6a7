#include "frmOwnSettingsPage.h"

#include "ScheduledStatus.h"
#include "SettingsCatalogue.h"
#include "frmCodeTablesPage.h"
#include "frmConfigHeaderPage.h"
#include "frmCustomFormsPage.h"
#include "frmDemoDefaultsPage.h"
#include "frmSchSettingsPage.h"
#include "frmSchStatusPage.h"
#include "frmSchTabsPage.h"
#include "frmUpdateTransPage.h"
#include "frmWorkflowImagePage.h"

namespace corvane {

frmOwnSettingsPage* makeOwnSettingsPage(const TreeLeaf& leaf, QWidget* parent)
{
    // One case per page with widgets of its own.
    switch (leaf.page) {
    case 1:
        return new frmUpdateTransPage(parent);
    case 6:
        return new frmCodeTablesPage({}, parent);
    case 10:
        return new frmSchSettingsPage(parent);
    case 11:
        return new frmSchTabsPage(parent);
    case 20:
        if (const ScheduledProcess* process = ScheduledStatus::forLeaf(leaf.name))
            return new frmSchStatusPage(*process, parent);
        return nullptr;
    case 7:
        return new frmConfigHeaderPage(parent);
    case 9:
        return new frmDemoDefaultsPage(parent);
    case 15:
        return new frmWorkflowImagePage(std::string(leaf.name), parent);
    case 17:
        return new frmCustomFormsPage(parent);
    default:
        return nullptr;
    }
}

} // namespace corvane
