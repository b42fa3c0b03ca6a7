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

} // namespace
} // namespace corvane
