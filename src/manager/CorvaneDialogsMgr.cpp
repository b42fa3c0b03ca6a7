#include "CorvaneDialogsMgr.h"

#include "Log.h"
#include "MessageBoxPrompter.h"
#include "SharedState.h"
#include "altfees/EditAltFeeDialog.h"
#include "chargeslips/ChargeSlipSetDialog.h"
#include "collections/CollectionDialog.h"
#include "stw/STWDialog.h"

#include <QApplication>

namespace corvane {

namespace {
bool prompterChosen = false;
}

CorvaneDialogsMgr::CorvaneDialogsMgr()
{
    if (!prompterChosen && qobject_cast<QApplication*>(QCoreApplication::instance()))
        SharedState::instance().setPrompter(std::make_shared<MessageBoxPrompter>());
}

CorvaneDialogsMgr::~CorvaneDialogsMgr() = default;

void CorvaneDialogsMgr::SetPrompter(std::shared_ptr<Prompter> prompter)
{
    prompterChosen = prompter != nullptr;
    SharedState::instance().setPrompter(std::move(prompter));
}

void CorvaneDialogsMgr::storeReferences(std::shared_ptr<Quillon>& quillon, std::shared_ptr<CorvaneUtils>& utils,
                                        std::shared_ptr<CorvaneCodeTables>& codeTables,
                                        std::shared_ptr<CorvaneLookups>& lookups,
                                        std::shared_ptr<CorvaneServerUtils> serverUtils)
{
    auto& state = SharedState::instance();
    state.utils = utils;
    state.quillon = quillon;
    state.codeTables = codeTables;
    state.lookups = lookups;
    state.serverUtils = std::move(serverUtils);
    try {
        state.contextKey.clear();
        state.operatorName.clear();
        state.helpFile.clear();
        if (quillon) {
            quillon->GetContextKey(state.contextKey);
            quillon->GetOperatorName(state.operatorName);
        }
        if (utils)
            utils->GetHelpFile(state.helpFile);
    } catch (...) {
        Log::error("ERR in CorvaneDialogs.CorvaneDialogsMgr.InitDialogsMgr   ", Log::describeCurrentException());
    }
}

void CorvaneDialogsMgr::InitDlgMgr(std::shared_ptr<Quillon>& quillon, std::shared_ptr<CorvaneUtils>& utils,
                                   std::shared_ptr<CorvaneCodeTables>& codeTables,
                                   std::shared_ptr<CorvaneLookups>& lookups)
{
    storeReferences(quillon, utils, codeTables, lookups, nullptr);
}

void CorvaneDialogsMgr::InitDialogsMgr(std::shared_ptr<Quillon>& quillon, std::shared_ptr<CorvaneUtils>& utils,
                                       std::shared_ptr<CorvaneCodeTables>& codeTables,
                                       std::shared_ptr<CorvaneLookups>& lookups,
                                       std::shared_ptr<CorvaneServerUtils>& serverUtils)
{
    storeReferences(quillon, utils, codeTables, lookups, serverUtils);
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

} // namespace corvane

namespace corvane {

std::unique_ptr<STWDialog> CorvaneDialogsMgr::GetSTWDlg()
{
    RefreshSharedState();
    return std::make_unique<STWDialog>();
}

} // namespace corvane

namespace corvane {

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

} // namespace corvane

namespace corvane {

std::unique_ptr<CollectionDialog> CorvaneDialogsMgr::GetCollectionDlg()
{
    RefreshSharedState();
    return std::make_unique<CollectionDialog>();
}

} // namespace corvane
