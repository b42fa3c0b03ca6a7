#include "ReplyFraming.h"

#include "HostFixture.h"
#include "ServerRequest.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ReplyFraming, ErrorLinesAreRecognisedInAnyLetterCaseBehindOneMarkerInAnyLetterCase)
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
        {"|ok||error", true},
        {"|Ok||Error: locked", true},
        {"|end|ERROR late", true},
        {"|ok||", false},
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

TEST(ReplyFraming, JoinDataUsesCrLfAndRemovesOnlyTheFraming)
{
    EXPECT_EQ(ReplyFraming::joinData({"|OK||", "row1", "row2", "|END|"}), "\r\nrow1\r\nrow2\r\n");
    EXPECT_EQ(ReplyFraming::joinData({}), "");
    EXPECT_EQ(ReplyFraming::joinData({"|OK||a|END|"}), "a");
    EXPECT_EQ(ReplyFraming::joinData({"|ok||a", "b|end|"}), "a\r\nb") << "markers in any letter case";
    EXPECT_EQ(ReplyFraming::joinData({"|OK||", "row", "|END|", ""}), "\r\nrow\r\n\r\n")
        << "an empty line after the end marker";
    // The same texts inside the data are data: what is read must be what a post writes back.
    EXPECT_EQ(ReplyFraming::joinData({"|OK||", "A|END|B\t|OK||C", "line\r\nbreak|OK||", "|END|"}),
              "\r\nA|END|B\t|OK||C\r\nline\r\nbreak|OK||\r\n");
    EXPECT_EQ(ReplyFraming::joinData({"|OK|||OK||x|END||END|"}), "|OK||x|END|");
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
