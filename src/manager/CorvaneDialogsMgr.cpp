#include "CorvaneDialogsMgr.h"

#include "Log.h"
#include "MessageBoxPrompter.h"
#include "SharedState.h"
#include "frmViewer.h"

#include <QApplication>

namespace corvane {

CorvaneDialogsMgr::CorvaneDialogsMgr()
{
    // Chosen at the first message, not now: a host may create the manager before its application object.
    SharedState::instance().setDefaultPrompterFactory([]() -> std::shared_ptr<Prompter> {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return nullptr;
        return std::make_shared<MessageBoxPrompter>();
    });
}

CorvaneDialogsMgr::~CorvaneDialogsMgr()
{
    frmViewer::releaseHeldWindows();
}

void CorvaneDialogsMgr::SetPrompter(std::shared_ptr<Prompter> prompter)
{
    SharedState::instance().setPrompter(std::move(prompter));
}

void CorvaneDialogsMgr::storeReferences(std::shared_ptr<Quillon> quillon, std::shared_ptr<CorvaneUtils> utils,
                                        std::shared_ptr<CorvaneCodeTables> codeTables,
                                        std::shared_ptr<CorvaneLookups> lookups,
                                        std::shared_ptr<CorvaneServerUtils> serverUtils)
{
    auto& state = SharedState::instance();
    state.utils = std::move(utils);
    state.quillon = std::move(quillon);
    state.codeTables = std::move(codeTables);
    state.lookups = std::move(lookups);
    state.serverUtils = std::move(serverUtils);
    try {
        state.contextKey.clear();
        state.operatorName.clear();
        state.helpFile.clear();
        if (state.quillon) {
            state.quillon->GetContextKey(state.contextKey);
            state.quillon->GetOperatorName(state.operatorName);
        }
        if (state.utils)
            state.utils->GetHelpFile(state.helpFile);
    } catch (...) {
        Log::error("ERR in CorvaneDialogs.CorvaneDialogsMgr.InitDialogsMgr   ", Log::describeCurrentException());
    }
}

void CorvaneDialogsMgr::InitDlgMgr(std::shared_ptr<Quillon> quillon, std::shared_ptr<CorvaneUtils> utils,
                                   std::shared_ptr<CorvaneCodeTables> codeTables,
                                   std::shared_ptr<CorvaneLookups> lookups)
{
    storeReferences(std::move(quillon), std::move(utils), std::move(codeTables), std::move(lookups), nullptr);
}

void CorvaneDialogsMgr::InitDialogsMgr(std::shared_ptr<Quillon> quillon, std::shared_ptr<CorvaneUtils> utils,
                                       std::shared_ptr<CorvaneCodeTables> codeTables,
                                       std::shared_ptr<CorvaneLookups> lookups,
                                       std::shared_ptr<CorvaneServerUtils> serverUtils)
{
    storeReferences(std::move(quillon), std::move(utils), std::move(codeTables), std::move(lookups),
                    std::move(serverUtils));
}

void CorvaneDialogsMgr::RefreshSharedState()
{
    auto& state = SharedState::instance();
    if (!state.utils)
        return;
    try {
        std::vector<std::string> palette;
        state.utils->GetColourPalette(palette);
        state.palette = std::move(palette);
        state.utils->GetPreferences(state.preferences);
        state.utils->GetDisplaySettings(state.displaySettings);
        if (const auto& settings = state.displaySettings) {
            DisplayValues values;
            values.first = settings->firstValue();
            values.lookupSeparator = settings->lookupSeparator();
            values.second = settings->secondValue();
            values.third = settings->thirdValue();
            values.columnWidthMultiplier = settings->columnWidthMultiplier();
            values.disabledCellColour = settings->disabledCellColour();
            state.display = std::move(values);
        }
        state.lightBackground = 0xEFF0F0;
    } catch (...) {
        Log::error("ERR in CorvaneDialogs.CorvaneDialogsMgr.RefreshSharedState   ", Log::describeCurrentException());
    }
}

std::unique_ptr<STWDialog> CorvaneDialogsMgr::GetSTWDlg()
{
    RefreshSharedState();
    return std::make_unique<STWDialog>();
}

std::unique_ptr<SecurityDialog> CorvaneDialogsMgr::GetSecurityDlg()
{
    RefreshSharedState();
    return std::make_unique<SecurityDialog>();
}

std::unique_ptr<CollectionDialog> CorvaneDialogsMgr::GetCollectionDlg()
{
    RefreshSharedState();
    return std::make_unique<CollectionDialog>();
}

std::unique_ptr<ChargeSlipSetDialog> CorvaneDialogsMgr::GetChargeSlipSetDlg()
{
    RefreshSharedState();
    return std::make_unique<ChargeSlipSetDialog>();
}

std::unique_ptr<EditAltFeeDialog> CorvaneDialogsMgr::GetEditAltFeeDlg()
{
    RefreshSharedState();
    return std::make_unique<EditAltFeeDialog>();
}

std::unique_ptr<SystemSettingsDialog> CorvaneDialogsMgr::GetSystemSettingsDlg()
{
    RefreshSharedState();
    return std::make_unique<SystemSettingsDialog>();
}

std::unique_ptr<FaxEmailDialog> CorvaneDialogsMgr::GetFaxEmailDlg()
{
    RefreshSharedState();
    return std::make_unique<FaxEmailDialog>();
}

std::unique_ptr<ViewerDialog> CorvaneDialogsMgr::GetViewerDlg()
{
    RefreshSharedState();
    return std::make_unique<ViewerDialog>();
}

} // namespace corvane
