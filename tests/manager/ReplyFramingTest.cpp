#include "ReplyFraming.h"

#include "HostFixture.h"
#include "ServerRequest.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ReplyFraming, ErrorLinesAreRecognisedInAnyLetterCaseBehindOneMarker)
{
    struct Case {
        const char* line;
        bool error;
    };
    const Case cases[] = {
        {"Error: table locked", true},
        {"ERROR no such table", true},
        {"error", true},
        {"|OK||ERROR: locked", true},
        {"|ok||error", false},
        {"|OK||Error saving", true},
        {"|END|Error late", true},
        {"|OK||", false},
        {"|OK||Errand list", false},
        {"Err", false},
        {"", false},
        {" Error with a blank", false},
        {"|OK||data\tError", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplyFraming::isErrorLine(c.line), c.error) << c.line;
}

TEST(ReplyFraming, JoinDataUsesCrLfAndRemovesEveryMarker)
{
    EXPECT_EQ(ReplyFraming::joinData({"|OK||", "row1", "row2|OK||x", "|END|"}), "\r\nrow1\r\nrow2x\r\n");
    EXPECT_EQ(ReplyFraming::joinData({}), "");
    EXPECT_EQ(ReplyFraming::joinData({"|OK||a|END|"}), "a");
}

TEST(ReplyFraming, StatusFieldsAndColonsAsLineBreaks)
{
    const StatusReply reply = StatusReply::parse("|ERROR|Save failed|Row 3: code missing:|extra");
    EXPECT_EQ(reply.status(), "ERROR");
    EXPECT_EQ(reply.title(), "Save failed");
    EXPECT_EQ(reply.message(), "Row 3: code missing:");
    EXPECT_EQ(reply.field(9), "");
    EXPECT_EQ(ReplyFraming::colonsAsLineBreaks("a:b::c"), "a\r\nb\r\n\r\nc");
}

class ServerRequestTest : public test::HostFixture { };

TEST_F(ServerRequestTest, ALinkThatThrowsCountsAsNotSentAndNeverEscapes)
{
    quillon->throws = true;
    const StringReply text = ServerRequest::viaString("|GET|SYS|A|");
    EXPECT_FALSE(text.sent);
    EXPECT_EQ(text.errorText, "link broke");
    const LinesReply lines = ServerRequest::viaLines("|GET|STW|1|");
    EXPECT_FALSE(lines.sent);
    EXPECT_TRUE(lines.lines.empty());
}

TEST_F(ServerRequestTest, LinesReplyJudgesItsFirstLine)
{
    quillon->lineReplies["|GET|X|"] = {"|OK||ERROR: no table X", "|END|"};
    const LinesReply reply = ServerRequest::viaLines("|GET|X|");
    EXPECT_TRUE(reply.sent);
    EXPECT_TRUE(reply.isError());
    quillon->lineReplies["|GET|Y|"] = {"|OK||", "a\tb", "|END|"};
    EXPECT_EQ(ServerRequest::viaLines("|GET|Y|").data(), "\r\na\tb\r\n");
}

TEST_F(ServerRequestTest, WithoutAServerLinkNothingIsSent)
{
    SharedState::instance().quillon.reset();
    EXPECT_FALSE(ServerRequest::viaString("|GET|SYS|A|").sent);
    EXPECT_FALSE(ServerRequest::viaLines("|GET|SYS|A|").sent);
}

} // namespace
} // namespace corvane
