#include "FaxListing.h"

#include "FaxCell.h"
#include "FaxQueueTab.h"
#include "FaxTable.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::string header = "|OK||FX00002/0\tJob0WA\tFax0WA\tRecipient0WA\tReason0WR";

TEST(FaxListingTest, TheHeaderRidesOnTheOkLineWithCountColumnsAndSuspendedFlag)
{
    const std::vector<std::string> lines {"|OK||FX00002/1\tJob0WA\tFax0WA", "71WA\t100010WA\t(555) 310-22010WA",
                                          "81WA\t100020WA\t0WA", "|END||"};
    const FaxListingPage page = FaxListing::read(lines);
    ASSERT_EQ(page.kind, FaxListingPage::Kind::Records);
    EXPECT_EQ(page.announced, 2);
    EXPECT_EQ(page.suspended, std::optional<bool>(true));
    ASSERT_EQ(page.headings.size(), 3u) << "columns = TABs + 1";
    EXPECT_EQ(page.headings[1], "Job0WA");
    ASSERT_EQ(page.records.size(), 2u);
    EXPECT_EQ(page.records[1], "81WA\t100020WA\t0WA");
}

TEST(FaxListingTest, EndMarkersErrorsAndAnEmptyReply)
{
    struct Case {
        std::vector<std::string> lines;
        FaxListingPage::Kind kind;
    };
    const Case cases[] = {
        {{"|OK||"}, FaxListingPage::Kind::NoMore},
        {{"|OK||", "|END||"}, FaxListingPage::Kind::NoMore},
        {{"|OK||", "|END|"}, FaxListingPage::Kind::NoMore},
        {{"Error: unknown request GET on table TRAN", "|END|"}, FaxListingPage::Kind::Error},
        {{"|OK||ERROR: listing refused", "|END||"}, FaxListingPage::Kind::Error},
        {{}, FaxListingPage::Kind::Error},
        {{header, "|END|"}, FaxListingPage::Kind::Records},
    };
    for (const Case& c : cases) {
        const FaxListingPage page = FaxListing::read(c.lines);
        EXPECT_EQ(page.kind, c.kind) << (c.lines.empty() ? std::string("(no lines)") : c.lines.front());
        EXPECT_TRUE(page.records.empty());
    }
    EXPECT_EQ(FaxListing::read({"|OK||ERROR: listing refused"}).errorText, "ERROR: listing refused");
}

TEST(FaxListingTest, RecordsStopAtTheEndLineAndCountsAreReadSafely)
{
    const FaxListingPage page = FaxListing::read({header, "11WA\tA0WA", "", "|END||", "21WA\tB0WA"});
    EXPECT_EQ(page.records.size(), 1u) << "nothing after the end line, no empty line as a row";
    EXPECT_EQ(FaxListing::headerCount("|OK||FX00200/0"), 200);
    EXPECT_EQ(FaxListing::headerCount("|OK||FX  17 /0"), 17);
    EXPECT_EQ(FaxListing::headerCount("|OK||FXab12c/0"), -1);
    EXPECT_EQ(FaxListing::headerCount("|OK||"), -1);
    EXPECT_EQ(FaxListing::suspendedFlag("|OK||FX00200/0\tJob"), std::optional<bool>(false));
    EXPECT_EQ(FaxListing::suspendedFlag("|OK||FX00200/1"), std::optional<bool>(true));
    EXPECT_EQ(FaxListing::suspendedFlag("|OK||FX00200/10\tJob"), std::optional<bool>(false))
        << "the whole TAB-field must be 1";
    EXPECT_EQ(FaxListing::suspendedFlag("|OK||FX00200"), std::nullopt);
}

TEST(FaxCellTest, TheSuffixIsCutAndShortCellsHaveNoValue)
{
    EXPECT_EQ(FaxCell::value("100010WA"), "10001");
    EXPECT_EQ(FaxCell::suffix("100010WR"), "0WR");
    EXPECT_EQ(FaxCell::value("0WA"), "") << "three characters or fewer: empty";
    EXPECT_EQ(FaxCell::value("A"), "");
    EXPECT_EQ(FaxCell::value("x0WA"), "x");
    EXPECT_TRUE(FaxCell::isTickBox("1WA"));
    EXPECT_EQ(FaxCell::textLetter("0WR"), 'R');
}

TEST(FaxTableTest, CellsOfShortLongAndMissingFieldsAcrossChunks)
{
    FaxTable table;
    const std::vector<std::string> firstLines {header, "71WA\t100010WA\t(555) 1110WA\tDr. Ortiz0WA\tBusy0WR"};
    const FaxListingPage first = FaxListing::read(firstLines);
    table.setHeadings(first.headings);
    table.append(first.records);
    EXPECT_EQ(table.heading(0), "Select0WA") << "Select followed by the second heading's suffix";
    const std::vector<std::string> secondLines {header, "81WA\t100020WA", "91WA\t100030WA\t0WA\tX0WA\tY0WA\textra0WA"};
    const FaxListingPage second = FaxListing::read(secondLines);
    table.append(second.records);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.cell(0, 3), "Dr. Ortiz0WA");
    EXPECT_EQ(table.cell(0, 4), "Busy0WR");
    EXPECT_EQ(table.cell(1, 1), "100020WA");
    EXPECT_EQ(table.cell(1, 2), "") << "past the fields of its line";
    EXPECT_EQ(table.cell(1, 4), "");
    EXPECT_EQ(table.cell(2, 4), "Y0WA") << "an extra field stays out of the last cell";
    EXPECT_EQ(table.cell(3, 0), "");
    EXPECT_EQ(table.cell(-1, 0), "");
    EXPECT_EQ(table.findColumn({"fax"}), 2);
    EXPECT_EQ(table.findColumn({"Nothing"}), -1);
}

class FaxQueueTabTest : public ::testing::Test {
protected:
    FaxQueueTab tab {"SENT"};
    void take(std::vector<std::string> lines)
    {
        m_replies.push_back(std::move(lines));
        tab.take(FaxListing::read(m_replies.back()));
    }

private:
    std::vector<std::vector<std::string>> m_replies;
};

TEST_F(FaxQueueTabTest, ChunksAreAskedAfterTheLastKeyUntilAReplyIsOkAlone)
{
    tab.start("smith");
    EXPECT_EQ(tab.nextRequest(), "|GET|TRAN|FAXSTAT|SENT|S|smith");
    take({"|OK||FX00099/0\tJob0WA\tFax0WA", "5001WA\t100010WA\t5550WA", "4991WA\t100020WA\t5550WA", "|END||"});
    EXPECT_EQ(tab.rowCount(), 2) << "rows come from the lines received, not the count announced";
    EXPECT_FALSE(tab.ended());
    EXPECT_EQ(tab.nextRequest(), "|GET|TRAN|FAXSTAT|SENT|S|smith|499");
    take({"|OK||", "|END||"});
    EXPECT_TRUE(tab.ended());
    EXPECT_EQ(tab.rowCount(), 2);

    tab.start("");
    EXPECT_EQ(tab.nextRequest(), "|GET|TRAN|FAXSTAT|SENT") << "no search, no |S|";
    EXPECT_EQ(tab.rowCount(), 0);
    take({"|OK||FX00000/1\tJob0WA\tFax0WA", "|END||"});
    EXPECT_TRUE(tab.ended()) << "a header without records is not asked for again";
}

TEST_F(FaxQueueTabTest, AnErrorReplyKeepsTheRowsAndTheListingOpen)
{
    take({"|OK||FX00001/0\tJob0WA\tFax0WA", "71WA\t100010WA\t5550WA", "|END||"});
    EXPECT_EQ(tab.take(FaxListing::read({"Error: connection reset"})), FaxQueueTab::Took::Error);
    EXPECT_EQ(tab.rowCount(), 1);
    EXPECT_FALSE(tab.ended());
}

TEST_F(FaxQueueTabTest, JobAndFaxColumnsAreFoundByHeadingWithFixedColumnsAsFallback)
{
    take(
        {"|OK||FX00001/0\tRecipient0WA\tFax No0WA\tJob Number0WA", "71WA\tDr. Reed0WA\t5551230WA\t100070WA", "|END||"});
    EXPECT_EQ(tab.job(0), "10007");
    EXPECT_EQ(tab.fax(0), "555123");
    EXPECT_EQ(tab.value(0, tab.recipientColumn()), "Dr. Reed");
    EXPECT_TRUE(tab.hasJobs());

    FaxQueueTab unknown("SENT");
    const std::vector<std::string> lines {"|OK||FX00001/0\tA0WA\tB0WA\tC0WA", "71WA\t100070WA\t5550WA\tx0WA"};
    unknown.take(FaxListing::read(lines));
    EXPECT_EQ(unknown.job(0), "10007") << "fixed columns when the headings name neither";

    FaxQueueTab stats("STATS");
    const std::vector<std::string> statLines {"|OK||FX00001/0\tStatistic0WA\tCount0WA", "A1WA\tWaiting0WA\t120WA"};
    stats.take(FaxListing::read(statLines));
    EXPECT_FALSE(stats.hasJobs()) << "statistics are not jobs: nothing to resend";
}

TEST_F(FaxQueueTabTest, ActionsTakeTheTickedRowsElseTheCurrentRowAndKeepEmptyFaxNumbers)
{
    take({"|OK||FX00003/0\tJob0WA\tFax0WA", "11WA\t100010WA\t5551110WA", "21WA\t100020WA\t0WA",
          "31WA\t100030WA\t5553330WA", "|END||"});
    EXPECT_EQ(tab.chosenRows(-1), std::vector<int>());
    EXPECT_EQ(tab.chosenRows(2), std::vector<int>({2}));
    tab.setTicked(0, true);
    tab.setTicked(1, true);
    EXPECT_EQ(tab.chosenRows(2), std::vector<int>({0, 1})) << "ticks win over the current row";
    EXPECT_EQ(tab.jobsOf({0, 1}), "10001|10002");
    EXPECT_EQ(tab.pairsOf({0, 1, 2}), "10001|555111|10002||10003|555333");
}

} // namespace
} // namespace corvane
