// The manager's header alone, as a host includes it: every dialog it hands out must be usable from here.
#include "CorvaneDialogsMgr.h"

#include "HostFixture.h"

#include <gtest/gtest.h>

#include <string>

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
};

// A host keeps its components under their own types and may pass temporaries.
TEST_F(CorvaneDialogsMgrTest, InitTakesTheHostsOwnComponentTypesAndTemporaries)
{
    CorvaneDialogsMgr mgr;
    mgr.InitDialogsMgr(quillon, utils, codeTables, std::make_shared<test::FakeLookups>(), serverUtils);
    auto& state = SharedState::instance();
    EXPECT_EQ(state.quillon, quillon);
    EXPECT_NE(state.lookups, nullptr);
    EXPECT_NE(state.lookups, lookups);
    mgr.InitDlgMgr(quillon, utils, codeTables, lookups);
    EXPECT_EQ(state.lookups, lookups);
    EXPECT_EQ(state.serverUtils, nullptr) << "a later InitDlgMgr releases the earlier server utilities";
}

// The set string is only read, so a host may hand over a literal or a temporary.
static_assert(requires(ChargeSlipSetDialog & dialog) { dialog.ShowDialog(std::string("G1\tDG")); });
static_assert(requires(ChargeSlipSetDialog & dialog) { dialog.ShowDialog("G1\tDG"); });

TEST_F(CorvaneDialogsMgrTest, InitDialogsMgrStoresReferencesAndReadsKeyOperatorAndHelpFile)
{
    CorvaneDialogsMgr mgr;
    mgr.InitDialogsMgr(quillon, utils, codeTables, lookups, serverUtils);
    auto& state = SharedState::instance();
    EXPECT_EQ(state.quillon, quillon);
    EXPECT_EQ(state.serverUtils, serverUtils);
    EXPECT_EQ(state.contextKey, "CTX-1");
    EXPECT_EQ(state.operatorName, "JSMITH");
    EXPECT_EQ(state.helpFile, "/usr/share/help/practice.qch");
}

TEST_F(CorvaneDialogsMgrTest, RefreshReadsPaletteThenPreferencesThenDisplayValuesInOrder)
{
    CorvaneDialogsMgr mgr;
    mgr.InitDlgMgr(quillon, utils, codeTables, lookups);
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
    mgr.InitDialogsMgr(quillon, utils, codeTables, lookups, serverUtils);
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
