#include "ServerSettings.h"

#include "HostFixture.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ReadSysSettingValue, ValueEndsAtTheLastCommaOfTheWholeReply)
{
    EXPECT_EQ(readSysSettingValue("A=30,", "A").value, "30");
    EXPECT_EQ(readSysSettingValue("A=1,2,", "A").value, "1,2");
    EXPECT_EQ(readSysSettingValue("B=1,A=2,C=3,", "A").value, "2,C=3");
    EXPECT_EQ(readSysSettingValue("AA=5,", "A").value, "5") << "first occurrence, as the server writes it";
    EXPECT_EQ(readSysSettingValue("a=5,", "A").value, "") << "names are case-sensitive";
    EXPECT_EQ(readSysSettingValue("", "A").value, "");
    EXPECT_FALSE(readSysSettingValue("B=7,", "A").malformed);
    EXPECT_TRUE(readSysSettingValue("A=30", "A").malformed);
    EXPECT_TRUE(readSysSettingValue("X=1,A=30", "A").malformed);
    EXPECT_EQ(readSysSettingValue("A=,", "A").value, "");
}

class ServerSettingsTest : public test::HostFixture { };

TEST_F(ServerSettingsTest, GetSysSettingWithoutAClosingCommaOrUnreachableLogsAndGivesEmpty)
{
    quillon->stringReplies["|GET|SYS|A|"] = "A=30";
    EXPECT_EQ(GetSysSetting("A"), "");
    ASSERT_EQ(utils->logLines.size(), 1u);
    EXPECT_EQ(utils->logLines[0].rfind("CorvaneDialogs: GetSysSetting A, ", 0), 0u) << utils->logLines[0];
    EXPECT_EQ(prompter->beeps, 0);

    quillon->reachable = false;
    EXPECT_EQ(GetSysSetting("A"), "");
    EXPECT_EQ(prompter->beeps, 1);
    EXPECT_TRUE(logged("CorvaneDialogs: Failed to get |GET|SYS|A|"));
}

TEST_F(ServerSettingsTest, GetUserSettingsLogsAFailedRead)
{
    quillon->stringReplies["|GET|PREFS|MJONES|"] = "ZOOM=110";
    EXPECT_EQ(GetUserSettings("MJONES"), "ZOOM=110");
    quillon->reachable = false;
    EXPECT_EQ(GetUserSettings("MJONES"), "");
    EXPECT_TRUE(logged("ERR in CorvaneDialogs.Main.GetUserSettings  server not reachable"));
}

TEST_F(ServerSettingsTest, SetUserSettingsLeavesTheUserFieldEmptyForTheSignedInOperatorInAnyCase)
{
    test::FakePreferences& prefs = *utils->preferences;
    prefs.text = "ZOOM=100\r\n";
    prefs.written = "GRID=1\r\n";
    quillon->answer = [](const std::string&) {
        return std::vector<std::string> {"1"};
    };
    for (const char* name : {"JSMITH", "jsmith", "JSmith"}) {
        bool startEmpty = false;
        EXPECT_TRUE(SetUserSettings(prefs, name, startEmpty));
        EXPECT_EQ(quillon->requests.back(), "|SET|PREFS||ZOOM=100\r\nGRID=1\r\n") << name;
    }
    bool startEmpty = true;
    EXPECT_TRUE(SetUserSettings(prefs, "MJONES", startEmpty));
    EXPECT_EQ(quillon->requests.back(), "|SET|PREFS|MJONES|GRID=1\r\n");
}

TEST_F(ServerSettingsTest, SetUserSettingsFailsOnAnUnreachableServerOrARefusal)
{
    bool startEmpty = false;
    quillon->reachable = false;
    EXPECT_FALSE(SetUserSettings(*utils->preferences, "JSMITH", startEmpty));
    EXPECT_TRUE(logged("ERR in CorvaneDialogs.Main.SetUserSettings  server not reachable"));

    quillon->reachable = true;
    quillon->answer = [](const std::string&) {
        return std::vector<std::string> {"|ERROR|Preferences|Locked:try later"};
    };
    EXPECT_FALSE(SetUserSettings(*utils->preferences, "JSMITH", startEmpty));
    ASSERT_EQ(utils->messages.size(), 1u);
    EXPECT_EQ(utils->messages[0].text, "Locked\r\ntry later");
}

TEST_F(ServerSettingsTest, AUserNameHoldingASeparatorIsRefusedWithALogLineAndNothingIsSent)
{
    utils->preferences->written = "GRID=1\r\n";
    quillon->answer = [](const std::string&) {
        return std::vector<std::string> {"1"};
    };
    // "MJONES|" would address the preferences of MJONES, and a TAB or 230 would shift the server's fields.
    for (const std::string user : {"MJONES|", "M|JONES", "MJ\tONES", "MJONES\r\n", "MJ\xE6ONES", "MJ\xF6"}) {
        bool startEmpty = true;
        EXPECT_FALSE(SetUserSettings(*utils->preferences, user, startEmpty)) << user;
        EXPECT_EQ(GetUserSettings(user), "") << user;
    }
    EXPECT_TRUE(quillon->requests.empty());
    ASSERT_EQ(utils->logLines.size(), 12u);
    EXPECT_EQ(utils->logLines[0],
              "ERR in CorvaneDialogs.Main.SetUserSettings  the user name holds \"|\", which the request cannot carry");
    EXPECT_EQ(utils->logLines[1].rfind("ERR in CorvaneDialogs.Main.GetUserSettings  the user name holds", 0), 0u);
    EXPECT_TRUE(prompter->prompts.empty());
}

} // namespace
} // namespace corvane
