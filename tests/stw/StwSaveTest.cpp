#include "StwSave.h"

#include "ReplyFraming.h"
#include "StwTable.h"
#include "TextFields.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

/// Columns: 1 Active (check, kind 4), 2 Code, 3 Units (kind 9), 4 Reviewed (check, kind 6), 5 Num (kind A),
/// 6 Note (kind C), 7 Place (drop-down over a list).
const std::string header = "\tActive04WZ105\tCode01WZ008YY^^^\tUnits09WZ205\tReviewed06WZ105\tNum0AWZ208"
                           "\tNote0CWZ010\tPlace03WZ009NN^^^Office,Home\xE6";
const std::string newEntryRow = "\t004WZ1\t01WZ0\t09WZ2\t06WZ1\t0AWZ2\t0CWZ0\t03WZ0\xE6";

std::string rows()
{
    return std::string("1\t104WZ1\t  AB  01WZ0\t09WZ2\t06WZ1\t(1,234)0AWZ2\ta:b0CWZ0\t1Office03WZ0\xE6")
        + "2\t004WZ1\t   01WZ0\t009WZ2\t06WZ1\t0AWZ2\t0CWZ0\t103WZ0\xE6" // nothing worth sending
        + "3\t104WZ1\tCD01WZ0\xE6" // ragged: the cells after Code are missing
        + "4\t004WZ1\tline\r\nbreak01WZ0\t 2.5 09WZ2\t106WZ1\t0AWZ2\tx:y0CWZ0\t2Home03WZ0\xE6"
        + "5\t004WZ1\tab\t009WZ2\t006WZ1\t-10AWZ2\t0CWZ0\t03WZ0\xE6"; // a cell shorter than a code
}

const std::string expected = std::string("1\tAB\t0\t0\t1234\ta\xC7") + "b\tOffice\xE6" + "2\tCD\t\t\t\t\t\xE6"
    + "3\tline\r\nbreak\t2.5\t1\t\tx\xC7" + "y\tHome\xE6" + "4\tab\t0\t0\t-1\t\t\xE6";

TEST(StwSave, EmptyCheckAndAmountCellsAreSentAsZeroAndEveryOtherRuleHolds)
{
    StwTable table;
    ASSERT_TRUE(table.load(header + rows() + newEntryRow, true));
    EXPECT_EQ(StwSave::saveText(table), expected);
    EXPECT_TRUE(table.rowIsEmpty(2)) << "a drop-down holding only its list number is empty";
    EXPECT_TRUE(table.rowIsEmpty(6)) << "the new-entry row";
    EXPECT_FALSE(table.rowIsEmpty(5));
}

TEST(StwSave, ReceivedAndEditedRowsGiveTheSameSaveText)
{
    StwTable table;
    ASSERT_TRUE(table.load(header + rows() + newEntryRow, true));
    std::string kept = "left over from an earlier post, longer than anything written now";
    kept.resize(1 << 20, 'q');
    StwSave::saveText(table, kept);
    EXPECT_EQ(kept, expected) << "a buffer kept between posts is written over";
    // Storing a cell's own string makes its row an edited row, which is written cell by cell from the edits.
    for (int row = 1; row < table.rowCount(); ++row) {
        table.setCell(row, 1, std::string(table.cell(row, 1)));
        EXPECT_FALSE(table.receivedRow(row).has_value());
        EXPECT_EQ(StwSave::saveText(table), expected) << "after row " << row << " was touched";
    }
}

TEST(StwSave, EditedCellsFollowTheSameRulesAsReceivedOnes)
{
    StwTable table;
    ASSERT_TRUE(table.load(header + rows() + newEntryRow, true));
    table.setCell(1, 3, "  09WZ2");
    table.setCell(1, 4, "06WZ1");
    table.setCell(1, 7, "2 Home 03WZ0");
    table.setCell(3, 2, "   01WZ0");
    EXPECT_EQ(StwSave::saveText(table),
              std::string("1\tAB\t0\t0\t1234\ta\xC7") + "b\t Home\xE6" + "2\t\t\t\t\t\t\xE6"
                  + expected.substr(expected.find("3\tline")));
}

TEST(StwSave, LineBreaksAndMarkersInsideCellsGoBackAsTheyCame)
{
    const std::vector<std::string> reply = {
        "|OK||",
        header,
        "1\t104WZ1\tA|END|B01WZ0\t109WZ2\t06WZ1\t0AWZ2\t|OK||C0CWZ0\t1Office03WZ0\xE6",
        "2\t104WZ1\tone\r\ntwo01WZ0\t109WZ2\t06WZ1\t0AWZ2\t\r\n0CWZ0\t1Office03WZ0\xE6",
        newEntryRow,
        "|END|",
    };
    StwTable table;
    ASSERT_TRUE(table.load(ReplyFraming::joinData(reply), true));
    EXPECT_EQ(table.dataRowCount(), 2) << "the line breaks that joined the reply lines are gone";
    EXPECT_EQ(table.text(1, 2), "A|END|B");
    EXPECT_EQ(table.text(2, 2), "one\r\ntwo");
    EXPECT_EQ(StwSave::saveText(table),
              std::string("1\tA|END|B\t1\t0\t\t|OK||C\tOffice\xE6") + "2\tone\r\ntwo\t1\t0\t\t\r\n\tOffice\xE6");
}

TEST(StwSave, APostAlwaysEndsWithAPieceShorterThanTheFullLength)
{
    struct Case {
        std::size_t length;
        std::size_t requests;
        std::size_t lastPayload;
    };
    for (const Case c : {Case {9000, 2, 0}, Case {9001, 2, 1}, Case {17999, 2, 8999}, Case {18000, 3, 0},
                         Case {18001, 3, 1}, Case {8990, 1, 8990}}) {
        const std::string text(c.length, 'z');
        const auto pieces = TextFields::splitByLength(text, StwSave::pieceLength);
        EXPECT_TRUE(StwSave::piecesFit(text, pieces));
        const auto requests = StwSave::pieceRequests(pieces);
        ASSERT_EQ(requests.size(), c.requests) << c.length;
        const std::string prefix = "|SET|STW|" + std::to_string(c.requests) + "|";
        EXPECT_EQ(requests.back().substr(0, prefix.size()), prefix);
        EXPECT_EQ(requests.back().size() - prefix.size(), c.lastPayload) << c.length;
    }
}

TEST(StwSave, PiecesCutAnyOtherWayDoNotFit)
{
    const std::string text = std::string(9000, 'a') + std::string(9000, 'b') + "c";
    EXPECT_TRUE(StwSave::piecesFit(text, TextFields::splitByLength(text, 9000)));
    EXPECT_FALSE(StwSave::piecesFit(text, TextFields::splitByLength(text, 8000))) << "shorter pieces end a post";
    EXPECT_FALSE(StwSave::piecesFit(text, {std::string(9000, 'a'), std::string(9001, 'b')}));
    EXPECT_FALSE(StwSave::piecesFit(text, {std::string(9000, 'a'), std::string(9000, 'b')})) << "a piece is missing";
    EXPECT_FALSE(StwSave::piecesFit(text, {std::string(9000, 'a'), std::string(9000, 'x'), "c"}));
    EXPECT_FALSE(StwSave::piecesFit(text, {}));
    EXPECT_TRUE(StwSave::piecesFit("", {}));
}

} // namespace
} // namespace corvane
