#include "ModuleAccess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace corvane {
namespace {

constexpr char rs = static_cast<char>(230);

// Each record followed by byte 230.
std::string records(std::initializer_list<std::string_view> list)
{
    std::string out;
    for (std::string_view record : list) {
        out += record;
        out += rs;
    }
    return out;
}

const std::string header = "Module01kA000\tProgram01kA008\tDescription01kA032\tAccess01kA106\tAdd01kA106\t"
                           "Modify01kA106\tDelete01kA106";
const std::vector<std::string> rows = {
    "00100WIN\t\tWindows\t1\t1\t1\t0:STW=4\tPRGL=2,4",
    "00101WIN\tSTW\tCodes Cross Reference\t1\t1\t1\t0",
    "00102WIN\tCOLAI\tCollections: work lists\t1\t0\t1\t0",
    "00103WIN\tPRGL\tSecurity programs\t0\t0\t0\t0",
    "00200RPT\t\tReports\t0\t0\t0\t0",
    "00201RPT\tAGING\tAging report\t0\t1\t0\t0",
    "00202RPT\tDAYSHEET\tDay sheet\t1\t0\t0\t0\tX9:AGING=1",
};

std::string reply()
{
    std::string out = "|OK||" + header + rs;
    for (const auto& r : rows)
        out += r + rs;
    return out;
}

std::string savedRow(const std::string& code, const std::string& values)
{
    std::string out = "\t" + code + "\t";
    for (char v : values) {
        out += '\t';
        out += v;
    }
    return out + rs;
}

TEST(ModuleAccess, ReadsColumnsRowsModulesAndLocks)
{
    ModuleAccess page;
    ASSERT_EQ(page.load(reply(), true), ModuleAccess::Load::Rows);
    EXPECT_EQ(page.column(0).title, "Module");
    EXPECT_EQ(page.column(3).title, "Access");
    EXPECT_EQ(page.column(3).format, "01kA1");
    EXPECT_EQ(page.cellText(0, 6), "Delete01kA1") << "the header cell keeps its format code";
    const int widths[] = {0, 8, 32, 6, 6, 6, 6};
    for (int c = 0; c < ModuleAccess::columnCount; ++c)
        EXPECT_EQ(page.column(c).shownWidth(c), widths[c]) << c;

    ASSERT_EQ(page.rowCount(), 7);
    EXPECT_TRUE(page.isHeader(1));
    EXPECT_EQ(page.cellText(1, 0), "\xE7WIN");
    EXPECT_EQ(page.cellText(1, 1), "\xE7");
    EXPECT_EQ(page.cellText(1, 2), "Windows");
    EXPECT_EQ(page.cellText(2, 0), "WIN");
    EXPECT_EQ(page.cellText(2, 1), "STW");
    EXPECT_EQ(page.cellText(2, 2), "    Codes Cross Reference");
    EXPECT_EQ(page.row(2).hidden, "00101");
    EXPECT_EQ(page.row(3).description, "Collections: work lists") << "a colon inside a description stays there";
    EXPECT_EQ(page.cellText(7, 7), "X9") << "the eighth field is kept";
    EXPECT_EQ(page.row(7).lockList, "AGING=1");

    ASSERT_EQ(page.groups().size(), 2u);
    EXPECT_EQ(page.groups()[0].firstRow, 1);
    EXPECT_EQ(page.groups()[0].rowCount, 4);
    EXPECT_EQ(page.row(page.groups()[0].firstRow).description, "Windows");
    EXPECT_EQ(page.row(page.groups()[0].firstRow).lockList, "STW=4\tPRGL=2,4");
    EXPECT_EQ(page.groups()[1].firstRow, 5);
    EXPECT_EQ(page.groupOf(7), 1);

    EXPECT_TRUE(page.access(2, 6).locked) << "the module's lock list names STW column 4";
    EXPECT_FALSE(page.access(2, 5).locked);
    EXPECT_TRUE(page.access(4, 4).locked);
    EXPECT_TRUE(page.access(4, 6).locked);
    EXPECT_TRUE(page.access(6, 3).locked) << "a program row's lock list names another program of its module";

    // Load mode: a closed program holds nothing; header cells show their programs.
    EXPECT_EQ(page.cellText(6, 4), "0");
    EXPECT_EQ(page.headerState(1, 3), HeaderState::Some);
    EXPECT_EQ(page.headerState(1, 5), HeaderState::All);
    EXPECT_EQ(page.headerState(1, 6), HeaderState::None);
    EXPECT_EQ(page.cellText(1, 4), "1");
    EXPECT_FALSE(page.changed());
}

TEST(ModuleAccess, DirectCommLinesAndJoinedTextReadAlike)
{
    std::vector<std::string> lines = {"|OK||", header + rs};
    std::string joined = "\r\n" + header + rs; // as LinesReply::data() gives it
    for (const auto& r : rows) {
        lines.push_back(r + rs);
        joined += "\r\n" + r + rs;
    }
    lines.emplace_back("|END|");
    joined += "\r\n";

    ModuleAccess fromText;
    ModuleAccess fromLines;
    ModuleAccess fromJoined;
    ASSERT_EQ(fromText.load(reply(), true), ModuleAccess::Load::Rows);
    ASSERT_EQ(fromLines.load(lines, true), ModuleAccess::Load::Rows);
    ASSERT_EQ(fromJoined.load(joined, true), ModuleAccess::Load::Rows);
    EXPECT_EQ(fromLines.saveData(), fromText.saveData());
    EXPECT_EQ(fromJoined.saveData(), fromText.saveData());
    EXPECT_EQ(fromJoined.cellText(2, 0), "WIN") << "no line break is counted among the hidden characters";
}

TEST(ModuleAccess, RequestsByteForByte)
{
    EXPECT_EQ(ModuleAccess::readRequest("O", "JSMITH"), "|GET|SECL|O|JSMITH|");
    EXPECT_EQ(ModuleAccess::readRequest("G", "3"), "|GET|SECL|G|3|");

    ModuleAccess page;
    ASSERT_EQ(page.load(reply(), true), ModuleAccess::Load::Rows);
    const std::string unchanged = savedRow("STW", "1110") + savedRow("COLAI", "1010") + savedRow("PRGL", "0000")
        + savedRow("AGING", "0000") + savedRow("DAYSHEET", "1000");
    EXPECT_EQ(page.saveRequest("O", "JSMITH"), "|SET|SECL|O|JSMITH|" + unchanged);

    ASSERT_TRUE(page.click(1, 3)) << "the module's gate, some on: everything unlocked on";
    EXPECT_TRUE(page.changed());
    EXPECT_EQ(page.saveData(),
              savedRow("STW", "1110") + savedRow("COLAI", "1111") + savedRow("PRGL", "1010") + savedRow("AGING", "0000")
                  + savedRow("DAYSHEET", "1000"));
    EXPECT_FALSE(page.click(2, 6)) << "locked";
    EXPECT_FALSE(page.click(2, 2)) << "not an access cell";
    ASSERT_TRUE(page.click(7, 3));
    ASSERT_TRUE(page.click(7, 3));
    EXPECT_TRUE(page.saveData()->ends_with(savedRow("DAYSHEET", "1000"))) << "re-opened with nothing else on";
}

TEST(ModuleAccess, ASingleProgramRowIsShownAndSaved)
{
    ModuleAccess page;
    ASSERT_EQ(page.load(records({"|OK||" + header, "00101WIN\tSTW\tCodes Cross Reference\t1\t0\t0\t0"}), true),
              ModuleAccess::Load::Rows);
    EXPECT_EQ(page.rowCount(), 1);
    EXPECT_EQ(page.saveRequest("G", "3"), "|SET|SECL|G|3|" + savedRow("STW", "1000"));
}

TEST(ModuleAccess, WithoutTheRightNothingIsEnabled)
{
    ModuleAccess page;
    ASSERT_EQ(page.load(reply(), false), ModuleAccess::Load::Rows);
    for (int r = 1; r <= page.rowCount(); ++r) {
        for (int c = 3; c <= 6; ++c) {
            EXPECT_FALSE(page.access(r, c).enabled) << r << "," << c;
            EXPECT_FALSE(page.click(r, c));
        }
    }
    EXPECT_FALSE(page.changed());
}

TEST(ModuleAccess, MalformedRepliesGiveANeutralResult)
{
    struct Case {
        const char* what;
        std::string reply;
        ModuleAccess::Load expected;
        const char* failure;
    };
    const Case cases[] = {
        {"empty", "", ModuleAccess::Load::Failed, "Error in frmSecurity_LoadGrid\r\ndata received for GRID: "},
        {"no record separator", "|OK||Module01kA000", ModuleAccess::Load::Failed,
         "Error in frmSecurity_LoadGrid\r\ndata received for GRID: |OK||Module01kA000"},
        {"error line", "Error: no operator NOBODY\r\n|END|", ModuleAccess::Load::Failed, "Error: no operator NOBODY"},
        {"error after the OK marker", "|OK||ERROR no access" + std::string(1, rs), ModuleAccess::Load::Failed,
         "|OK||ERROR no access\xE6"},
        {"empty header", records({"|OK||"}), ModuleAccess::Load::Failed, "No data has been received."},
        {"header only", records({"|OK||" + header}), ModuleAccess::Load::NoRows, ""},
        {"header, then text without a separator", records({header}) + "00101WIN\tSTW\tx\t1\t1\t1\t1",
         ModuleAccess::Load::NoRows, ""},
    };
    for (const auto& c : cases) {
        ModuleAccess page;
        EXPECT_EQ(page.load(c.reply, true), c.expected) << c.what;
        EXPECT_EQ(page.failureText(), c.failure) << c.what;
        EXPECT_FALSE(page.saveData()) << c.what << ": nothing is ever sent for a page without program rows";
        EXPECT_FALSE(page.click(1, 3)) << c.what;
    }

    // Rows that stop early are shown locked and never saved; stray bytes and short fields do not crash.
    ModuleAccess page;
    ASSERT_EQ(page.load(records({header, "00101WIN\tSTW\tCodes\t1\t1", "\xE7", "x",
                                 "00102WIN\tCOLAI\t\t1\t1\t1\t1:", "00103WIN\tPRGL\tP\t1\t1\t1\t1:=1",
                                 "00104WIN\tABC\tA\t1\t1\t1\t1:ABC=9,1", "00105WIN\tTOT\tTotals: TOT=1"}),
                        true),
              ModuleAccess::Load::Rows);
    EXPECT_TRUE(page.access(1, 3).locked);
    EXPECT_FALSE(page.click(1, 3));
    EXPECT_EQ(page.cellText(4, 6), "1") << "an empty lock list after the values";
    EXPECT_EQ(page.cellText(5, 6), "0") << "\"1:=1\" is not a lock list: the colon stays in the value";
    EXPECT_TRUE(page.access(6, 3).locked) << "numbers beyond 4 are ignored, the rest of the entry holds";
    EXPECT_EQ(page.row(7).description, "Totals: TOT=1") << "a lock list only follows the access fields";
    EXPECT_EQ(*page.saveData(), savedRow("COLAI", "1111") + savedRow("PRGL", "1110") + savedRow("ABC", "1111"));
}

TEST(ModuleAccess, ChangedComparesWithWhatWasLoaded)
{
    ModuleAccess page;
    ASSERT_EQ(page.load(reply(), true), ModuleAccess::Load::Rows);
    ASSERT_TRUE(page.click(7, 3));
    EXPECT_TRUE(page.changed());
    ASSERT_TRUE(page.click(7, 3));
    EXPECT_FALSE(page.changed()) << "switched back: nothing to save";
    ASSERT_TRUE(page.click(2, 5));
    ASSERT_TRUE(page.click(7, 3));
    ASSERT_TRUE(page.click(7, 3));
    EXPECT_TRUE(page.changed()) << "the other module still differs";
    ASSERT_TRUE(page.click(2, 5));
    EXPECT_FALSE(page.changed());
    ASSERT_EQ(page.load(reply(), true), ModuleAccess::Load::Rows);
    EXPECT_FALSE(page.changed()) << "a reload starts afresh";
}

TEST(ModuleAccess, EveryRowShapeReadsTheSameAccessValues)
{
    ModuleAccess page;
    ASSERT_EQ(page.load(records({header, "00101WIN\tA\tOne\t1\t0\t1\t1", "00102WIN\tB\tTwo\t1\t1\t0\t:",
                                 "00103WIN\tC\tThree\t1\t1\t1\t 1 ", "00104WIN\tD\tFour\t1\t0\t0\t1:D=2",
                                 "00105WIN\t  \tBlank code\t1\t1\t1\t1", "00106WIN\tE\tFive\t0\t1\t1\t1\tX"}),
                        true),
              ModuleAccess::Load::Rows);
    EXPECT_EQ(page.cellText(1, 6), "1");
    EXPECT_EQ(page.cellText(2, 6), "0") << "a lone colon: an empty lock list after an empty value";
    EXPECT_EQ(page.row(2).lockList, "");
    EXPECT_EQ(page.cellText(3, 6), "1") << "blanks around a value";
    EXPECT_TRUE(page.access(4, 4).locked);
    EXPECT_TRUE(page.isHeader(5)) << "a code of blanks makes a module header";
    EXPECT_EQ(page.row(6).extra, "X");
    EXPECT_EQ(page.program(1), "A");
    EXPECT_EQ(page.description(4), "Four");
    EXPECT_EQ(page.module(6), "WIN");
    EXPECT_EQ(page.program(5), "");
    EXPECT_EQ(page.program(99), "") << "outside the rows";
}

TEST(ModuleAccess, FindsCodesAndDescriptionsRowByRow)
{
    ModuleAccess page;
    ASSERT_EQ(page.load(reply(), true), ModuleAccess::Load::Rows);
    const GridCell start {0, 2};
    EXPECT_EQ(page.findNext("cross", start), (GridCell {2, 2}));
    EXPECT_EQ(page.findNext(" st* ", start), (GridCell {2, 1})) << "begins with";
    EXPECT_EQ(page.findNext("*SHEET", start), (GridCell {7, 1})) << "ends with";
    EXPECT_EQ(page.findNext("*report*", start), (GridCell {5, 2})) << "a trailing star means begins with";
    EXPECT_EQ(page.findNext("*report", start), (GridCell {6, 2}));
    EXPECT_EQ(page.findNext("o", {2, 2}), (GridCell {3, 1})) << "searching goes on after the current cell";
    EXPECT_FALSE(page.findNext("1", start)) << "access cells are not searched";
    EXPECT_FALSE(page.findNext("zzz", start));
    EXPECT_FALSE(page.findNext("**", start));
    EXPECT_FALSE(page.findNext("cross", {2, 2}));
}

TEST(ModuleAccess, FiveThousandProgramsInTwoHundredModulesReadInMilliseconds)
{
    std::string big = "|OK||" + header + rs;
    for (int m = 0; m < 200; ++m) {
        const std::string module = "MOD" + std::to_string(m);
        big += "00000" + module + "\t\tModule " + std::to_string(m) + "\t1\t1\t1\t1:P" + std::to_string(m) + "_0=4"
            + rs;
        for (int p = 0; p < 25; ++p)
            big += "00000" + module + "\tP" + std::to_string(m) + "_" + std::to_string(p) + "\tProgram number "
                + std::to_string(p) + "\t1\t" + (p % 2 ? "1" : "0") + "\t1\t0" + rs;
    }
    ModuleAccess page;
    const auto begin = std::chrono::steady_clock::now();
    ASSERT_EQ(page.load(big, true), ModuleAccess::Load::Rows);
    const auto data = page.saveData();
    const auto elapsed = std::chrono::steady_clock::now() - begin;
    EXPECT_EQ(page.rowCount(), 5200);
    EXPECT_EQ(page.groups().size(), 200u);
    EXPECT_TRUE(page.access(2, 6).locked);
    ASSERT_TRUE(data);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 100)
        << "reading and writing should take a few milliseconds";
}

} // namespace
} // namespace corvane
