#pragma once

#include "ChargeSlipSetDialog.h"
#include "CollectionDialog.h"
#include "CorvaneCodeTables.h"
#include "CorvaneLookups.h"
#include "CorvaneServerUtils.h"
#include "CorvaneUtils.h"
#include "EditAltFeeDialog.h"
#include "FaxEmailDialog.h"
#include "Prompter.h"
#include "Quillon.h"
#include "STWDialog.h"
#include "SecurityDialog.h"
#include "SystemSettingsDialog.h"
#include "ViewerDialog.h"
#include "corvanedialogs_export.h"

#include <memory>

namespace corvane {

/// The one class a host creates. Initialise it once with the host's five components, then ask it for dialogs;
/// every Get...Dlg call refreshes the shared state (palette, preferences, display settings) and returns a new,
/// independent dialog object.
class CORVANEDIALOGS_EXPORT CorvaneDialogsMgr {
public:
    CorvaneDialogsMgr();
    ~CorvaneDialogsMgr();
    CorvaneDialogsMgr(const CorvaneDialogsMgr&) = delete;
    CorvaneDialogsMgr& operator=(const CorvaneDialogsMgr&) = delete;

    /// The older start-up call without the server-utilities component, kept for hosts built against it.
    void InitDlgMgr(std::shared_ptr<Quillon> quillon, std::shared_ptr<CorvaneUtils> utils,
                    std::shared_ptr<CorvaneCodeTables> codeTables, std::shared_ptr<CorvaneLookups> lookups);
    /// Stores the five component references (a host's own derived types and temporaries are fine: the library
    /// keeps its own counted references), then reads the context key, the operator name and the help file.
    void InitDialogsMgr(std::shared_ptr<Quillon> quillon, std::shared_ptr<CorvaneUtils> utils,
                        std::shared_ptr<CorvaneCodeTables> codeTables, std::shared_ptr<CorvaneLookups> lookups,
                        std::shared_ptr<CorvaneServerUtils> serverUtils);

    /// Replaces the prompter through which every message and question goes (QMessageBox by default).
    static void SetPrompter(std::shared_ptr<Prompter> prompter);

    /// A new STW dialog ("Codes Cross Reference").
    std::unique_ptr<STWDialog> GetSTWDlg();
    /// A new security settings dialog.
    std::unique_ptr<SecurityDialog> GetSecurityDlg();
    /// A new collections dialog.
    std::unique_ptr<CollectionDialog> GetCollectionDlg();
    /// A new charge slip set dialog.
    std::unique_ptr<ChargeSlipSetDialog> GetChargeSlipSetDlg();
    /// A new alternate fees dialog (its window is made with it).
    std::unique_ptr<EditAltFeeDialog> GetEditAltFeeDlg();
    /// A new system settings dialog.
    std::unique_ptr<SystemSettingsDialog> GetSystemSettingsDlg();
    /// A new fax and e-mail dialog: the queue window and the options window for one document.
    std::unique_ptr<FaxEmailDialog> GetFaxEmailDlg();
    /// A new document viewer dialog; viewer windows opened from a web page's links are held until the manager goes.
    std::unique_ptr<ViewerDialog> GetViewerDlg();

    /// Re-reads the palette, the preferences object and the display settings; every Get...Dlg call does this first.
    void RefreshSharedState();

private:
    void storeReferences(std::shared_ptr<Quillon> quillon, std::shared_ptr<CorvaneUtils> utils,
                         std::shared_ptr<CorvaneCodeTables> codeTables, std::shared_ptr<CorvaneLookups> lookups,
                         std::shared_ptr<CorvaneServerUtils> serverUtils);
};

} // namespace corvane
