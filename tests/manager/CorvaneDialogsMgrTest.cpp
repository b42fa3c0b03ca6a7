#include "CorvaneDialogsMgr.h"

#include "HostFixture.h"
#include "altfees/EditAltFeeDialog.h"
#include "chargeslips/ChargeSlipSetDialog.h"
#include "collections/CollectionDialog.h"
#include "stw/STWDialog.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

class CorvaneDialogsMgrTest : public test::HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        SharedState::instance().reset();
        CorvaneDialogsMgr::SetPrompter(prompter);
    }
    // The manager takes references to the interfaces, as a host hands them over.
    std::shared_ptr<Quillon> q = quillon;
    std::shared_ptr<CorvaneUtils> u = utils;
    std::shared_ptr<CorvaneCodeTables> c = codeTables;
    std::shared_ptr<CorvaneLookups> l = lookups;
    std::shared_ptr<CorvaneServerUtils> s = serverUtils;
};

TEST_F(CorvaneDialogsMgrTest, InitDialogsMgrStoresReferencesAndReadsKeyOperatorAndHelpFile)
{
    CorvaneDialogsMgr mgr;
    mgr.InitDialogsMgr(q, u, c, l, s);
    auto& state = SharedState::instance();
    EXPECT_EQ(state.quillon, q);
    EXPECT_EQ(state.serverUtils, s);
    EXPECT_EQ(state.contextKey, "CTX-1");
    EXPECT_EQ(state.operatorName, "JSMITH");
    EXPECT_EQ(state.helpFile, "/usr/share/help/practice.qch");
}

TEST_F(CorvaneDialogsMgrTest, InitDlgMgrLeavesTheServerUtilitiesEmpty)
{
    CorvaneDialogsMgr mgr;
    mgr.InitDialogsMgr(q, u, c, l, s);
    mgr.InitDlgMgr(q, u, c, l);
    EXPECT_EQ(SharedState::instance().serverUtils, nullptr) << "a later InitDlgMgr releases the earlier one";
    EXPECT_EQ(SharedState::instance().lookups, l);
}

TEST_F(CorvaneDialogsMgrTest, RefreshReadsPaletteThenPreferencesThenDisplayValuesInOrder)
{
    CorvaneDialogsMgr mgr;
    mgr.InitDlgMgr(q, u, c, l);
    utils->palette = {"0", "255"};
    utils->display->separator = " ~";
    utils->display->multiplier = 6.5;
    auto& state = SharedState::instance();
    state.lightBackground = 0;
    mgr.RefreshSharedState();
    EXPECT_EQ(utils->calls, (std::vector<std::string> {"palette", "preferences", "display"}));
    EXPECT_EQ(utils->display->readOrder,
              (std::vector<std::string> {"first", "separator", "second", "third", "multiplier", "disabled"}));
    EXPECT_EQ(state.palette, utils->palette);
    EXPECT_EQ(state.display.lookupSeparator, " ~");
    EXPECT_EQ(state.display.columnWidthMultiplier, 6.5);
    EXPECT_EQ(state.display.first, 11);
    EXPECT_EQ(state.display.third, 33);
    EXPECT_EQ(state.lightBackground, 0xEFF0F0u);
    EXPECT_EQ(state.preferences, utils->preferences);
    EXPECT_EQ(state.colourForLetter('A', 7), 255u);
    EXPECT_EQ(state.colourForLetter('B', 7), 7u) << "past the palette's end";
}

TEST_F(CorvaneDialogsMgrTest, EveryGetDlgRefreshesFirstAndReturnsANewObject)
{
    CorvaneDialogsMgr mgr;
    mgr.InitDialogsMgr(q, u, c, l, s);
    utils->palette = {"0", "1"};
    const auto first = mgr.GetSTWDlg();
    EXPECT_EQ(SharedState::instance().palette.size(), 2u);
    utils->palette = {"0", "1", "2"};
    const auto second = mgr.GetSTWDlg();
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(SharedState::instance().palette.size(), 3u) << "the second call read the palette again";
    utils->calls.clear();
    EXPECT_TRUE(mgr.GetChargeSlipSetDlg());
    EXPECT_TRUE(mgr.GetCollectionDlg());
    EXPECT_TRUE(mgr.GetEditAltFeeDlg());
    EXPECT_EQ(utils->calls.size(), 9u) << "palette, preferences and display settings, three times";
}

TEST_F(CorvaneDialogsMgrTest, RefreshBeforeInitialisationDoesNothingAndDoesNotThrow)
{
    CorvaneDialogsMgr mgr;
    EXPECT_NO_THROW(mgr.RefreshSharedState());
    EXPECT_TRUE(SharedState::instance().palette.empty());
}

} // namespace
} // namespace corvane
