#include "PracticeServer.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace corvane::reference {
namespace {

class PracticeServerTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string path = dir.file("practice.db");
};

TEST_F(PracticeServerTest, SettingsAndPreferencesRoundTripAndSurviveAReopen)
{
    {
        PracticeServer server(path);
        EXPECT_EQ(server.answerString("|GET|SYS|PRACTICENAME|", "JSMITH"), "PRACTICENAME=Riverside Medical Group,");
        EXPECT_EQ(server.answerString("|SET|SYS|DAYSOUT|45", "JSMITH"), "1");
        EXPECT_EQ(server.answerString("|SET|SYS|NOTE|a=b,c", "JSMITH"), "1");
        EXPECT_EQ(server.answerString("|SET|PREFS||ZOOM=120\r\n", "JSMITH"), "1");
        EXPECT_EQ(server.answerString("|SET|PREFS|MJONES|GRID=1\r\n", "JSMITH"), "1");
    }
    PracticeServer reopened(path);
    EXPECT_EQ(reopened.answerString("|GET|SYS|DAYSOUT|", "DKIM"), "DAYSOUT=45,");
    EXPECT_EQ(reopened.answerString("|GET|SYS|NOTE|", "DKIM"), "NOTE=a=b,c,");
    EXPECT_EQ(reopened.answerString("|GET|PREFS|JSMITH|", "DKIM"), "ZOOM=120\r\n");
    EXPECT_EQ(reopened.answerString("|GET|PREFS||", "MJONES"), "GRID=1\r\n");
    EXPECT_EQ(reopened.answerString("|GET|SYS|NOSUCH|", "DKIM"), "") << "an absent setting is an empty reply";
}

TEST_F(PracticeServerTest, LineRepliesAreFramedAndCarryTheCodeTables)
{
    PracticeServer server(path);
    const auto prm = server.answerLines("|GET|CODETABLE|PRM|", "JSMITH");
    ASSERT_GE(prm.size(), 3u);
    EXPECT_EQ(prm.front(), "|OK||");
    EXPECT_EQ(prm.back(), "|END|");
    EXPECT_EQ(prm[1], "01\tN\tRiverside Family Medicine");

    for (const char* table : {"OP", "ST", "PM", "LIST", "AR", "DG", "PC", "FL"})
        EXPECT_GT(server.answerLines(std::string("|GET|CODETABLE|") + table + "|", "JSMITH").size(), 4u) << table;
}

TEST_F(PracticeServerTest, MalformedAndUnknownRequestsGetErrorRepliesNotCrashes)
{
    PracticeServer server(path);
    for (const char* request : {"", "GET|SYS|A|", "|", "||", "|GET|", "|GET||", "|\xE6\xE7|\x01|"}) {
        const auto lines = server.answerLines(request, "JSMITH");
        ASSERT_EQ(lines.size(), 2u) << request;
        EXPECT_EQ(lines[0].rfind("Error", 0), 0u) << request;
        EXPECT_EQ(lines[1], "|END|");
        EXPECT_EQ(server.answerString(request, "JSMITH").rfind("Error", 0), 0u) << request;
    }
    EXPECT_EQ(server.answerLines("|GET|CODETABLE|NOPE|", "JSMITH")[0], "Error: no code table NOPE");
    EXPECT_EQ(server.answerString("|GET|NOPE|", "JSMITH"), "Error: unknown request GET on table NOPE");
    EXPECT_EQ(server.answerString("|SET|PREFS|NOBODY|X=1", "JSMITH"), "|ERROR|Preferences|No operator NOBODY.");
}

} // namespace
} // namespace corvane::reference
