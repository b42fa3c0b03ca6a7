#include "SettingsRequests.h"

#include "HostFixture.h"
#include "ProtectedSettings.h"
#include "ServerSettings.h"
#include "SettingsTexts.h"

#include <gtest/gtest.h>

#include <array>

namespace corvane {
namespace {

using State = SysSettingRead::State;

TEST(SysSettingRead, RepliesAreToldApart)
{
    struct Case {
        const char* reply;
        State state;
        const char* value;
    } const cases[] = {
        {"AIDAYS=30,", State::Value, "30"},
        {"AIDAYS=,", State::Empty, ""},
        {"", State::Absent, ""},
        {"OTHER=1,", State::Absent, ""},
        {"AIDAYS=30", State::ErrorReply, ""},
        {"Error: no setting named", State::ErrorReply, ""},
        {"ERROR: UNKNOWN COMMAND", State::ErrorReply, ""},
        {"|ERROR|System Settings|Not allowed", State::ErrorReply, ""},
        {"|OK||Error: locked", State::ErrorReply, ""},
        {"AIDAYS=1,2,", State::Value, "1,2"},
    };
    for (const Case& c : cases) {
        const SysSettingRead read = judgeSysSettingReply(c.reply, "AIDAYS");
        EXPECT_EQ(read.state, c.state) << c.reply;
        EXPECT_EQ(read.value, c.value) << c.reply;
        EXPECT_EQ(read.answered(), c.state != State::ErrorReply) << c.reply;
    }
}

class SysSettingReadTest : public test::HostFixture { };

TEST_F(SysSettingReadTest, AnUnreachableServerIsNotAnEmptyValue)
{
    quillon->stringReplies["|GET|SYS|AIDAYS|"] = "AIDAYS=45,";
    EXPECT_EQ(readSysSetting("AIDAYS").value, "45");
    quillon->reachable = false;
    const SysSettingRead read = readSysSetting("AIDAYS");
    EXPECT_EQ(read.state, State::NotReached);
    EXPECT_FALSE(read.answered());
    EXPECT_EQ(prompter->beeps, 1);
    EXPECT_TRUE(logged("CorvaneDialogs: Failed to get |GET|SYS|AIDAYS|"));
    EXPECT_EQ(GetSysSetting("AIDAYS"), "") << "the older reading still gives empty text";
    quillon->reachable = true;
    quillon->throws = true;
    EXPECT_EQ(readSysSetting("AIDAYS").state, State::NotReached) << "a throwing link counts as not sent";
}

TEST(SettingsRequests, WritesRefuseAnEmptyKeyAndSeparators)
{
    EXPECT_EQ(SettingsRequests::setSys("AIDAYS", "30"), "|SET|SYS|AIDAYS=30|");
    EXPECT_EQ(SettingsRequests::setSys("USECT", "1", false), "|SET|SYS|USECT=1");
    EXPECT_EQ(SettingsRequests::setSys("AIRCLICKOPTNAME", ""), "|SET|SYS|AIRCLICKOPTNAME=|");
    EXPECT_EQ(SettingsRequests::setSys("DASERVICEURL", "https://x/?a=b,c"), "|SET|SYS|DASERVICEURL=https://x/?a=b,c|");
    for (const char* key : {"", "A=B", "A,B", "A|B", "A\tB"})
        EXPECT_FALSE(SettingsRequests::setSys(key, "1")) << key;
    for (const std::string& value : {std::string("a|b"), std::string("line\r\nbreak"), std::string("Kj\xE6r")})
        EXPECT_FALSE(SettingsRequests::setSys("CCARDGATEWAY", value)) << value;

    EXPECT_EQ(SettingsRequests::setConfig("STP,NEGBAL", "1"), "|SET|MSCG|STP,NEGBAL||1|");
    EXPECT_EQ(SettingsRequests::setConfig("STPXML6,NEWBUCKETS", ""), "|SET|MSCG|STPXML6,NEWBUCKETS|||");
    EXPECT_EQ(SettingsRequests::deleteConfig("STP,NEGBAL"), "|SET|MSCG|STP,NEGBAL|DEL|");
    EXPECT_FALSE(SettingsRequests::deleteConfig(""));
    EXPECT_EQ(SettingsRequests::getConfig("INVINTERNAL"), "|GET|MSCG|INVINTERNAL|");
}

TEST(SettingsRequests, MultiKeyReadsAskFiftyKeysAtATime)
{
    std::vector<std::string> names;
    for (int i = 0; i < 120; ++i)
        names.push_back("K" + std::to_string(i));
    const std::vector<std::string_view> keys(names.begin(), names.end());
    const auto requests = SettingsRequests::getSysMany(keys);
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].rfind("|GET|SYS|K0,K1,", 0), 0u);
    EXPECT_EQ(requests[0].substr(requests[0].size() - 5), ",K49|");
    EXPECT_EQ(requests[2],
              "|GET|SYS|K100,K101,K102,K103,K104,K105,K106,K107,K108,K109,K110,K111,K112,K113,K114,"
              "K115,K116,K117,K118,K119|");

    const std::array<std::string_view, 4> asked = {"USECT", "KEEPCTLOC", "LOADCTLOGIN", "NOSUCH"};
    const auto reads = SettingsRequests::readMany("USECT=1,KEEPCTLOC=,LOADCTLOGIN=0,", asked);
    EXPECT_EQ(reads[0].value, "1");
    EXPECT_EQ(reads[1].state, State::Empty);
    EXPECT_EQ(reads[2].value, "0");
    EXPECT_EQ(reads[3].state, State::Absent);
    for (const SysSettingRead& read : SettingsRequests::readMany("Error: unknown request", asked))
        EXPECT_EQ(read.state, State::ErrorReply);
}

TEST(SettingsRequests, ConfigurationStoreRepliesKeepUnsetApartFromFailures)
{
    using C = ConfigRead::State;
    EXPECT_EQ(SettingsRequests::judgeConfigReply(true, "#EMPTY#").state, C::Unset);
    EXPECT_EQ(SettingsRequests::judgeConfigReply(true, "").state, C::Value) << "stored with an empty value";
    EXPECT_EQ(SettingsRequests::judgeConfigReply(true, "1").value, "1");
    EXPECT_EQ(SettingsRequests::judgeConfigReply(true, "ERROR: UNKNOWN COMMAND").state, C::ErrorReply);
    EXPECT_EQ(SettingsRequests::judgeConfigReply(true, "error: locked").state, C::ErrorReply);
    EXPECT_EQ(SettingsRequests::judgeConfigReply(false, "#EMPTY#").state, C::NotReached);
}

TEST(ProtectedSettings, ListsCompareWholeIdentifiersExactly)
{
    EXPECT_TRUE(ProtectedSettings::contains("CMDAS;AIDAYS", "AIDAYS"));
    EXPECT_FALSE(ProtectedSettings::contains("CMDAS;AIDAYS", "aidays"));
    EXPECT_FALSE(ProtectedSettings::contains("CMDASX", "CMDAS"));
    EXPECT_FALSE(ProtectedSettings::contains("A;;B", ""));
    EXPECT_EQ(ProtectedSettings::add("", "CMDAS"), "CMDAS");
    EXPECT_EQ(ProtectedSettings::add("CMDAS", "AIDAYS"), "CMDAS;AIDAYS");
    EXPECT_EQ(ProtectedSettings::add("CMDAS", "CMDAS"), "CMDAS");
    bool found = false;
    EXPECT_EQ(ProtectedSettings::remove("A;;B;A;C", "A", found), "B;A;C");
    EXPECT_TRUE(found);
    EXPECT_EQ(ProtectedSettings::remove("B;C", "A", found), "B;C");
    EXPECT_FALSE(found);
}

TEST(ProtectedSettings, NodesAreProtectedByKeyOrNameAndSectionsAlways)
{
    const std::string list = "CMDAS;demo_defaults";
    EXPECT_TRUE(ProtectedSettings::isProtected(list, "S\tClose Dialogs after Save\tclose_mod_dialog\tCMDAS"));
    EXPECT_TRUE(ProtectedSettings::isProtected(list, "S\tDemographics Defaults\tdemo_defaults"));
    EXPECT_FALSE(ProtectedSettings::isProtected(list, "S\tSet AI default days\tset_ai_days\tAIDAYS"));
    EXPECT_TRUE(ProtectedSettings::isProtected(list, "S\tGeneral")) << "nothing is saved while a section is selected";
    EXPECT_FALSE(ProtectedSettings::isProtected(list, "S\tCaption\tname\t")) << "an empty identifier";
    EXPECT_FALSE(ProtectedSettings::isProtected("", "S\tGeneral"));
}

} // namespace
} // namespace corvane
