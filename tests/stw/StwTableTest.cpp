#include "StwTable.h"

#include "StwColumn.h"
#include "StwTestData.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::stwData;
using test::stwRow;

TEST(StwTable, WithoutRecordSeparatorNothingChanges)
{
    StwTable table;
    ASSERT_TRUE(table.load(stwData({stwRow(1, "A")}), true));
    EXPECT_FALSE(table.load("no separator\there", true));
    EXPECT_EQ(table.rowCount(), 3) << "the grid keeps what it had";
}

TEST(StwTable, TheNewEntryRowStaysOnlyWithTheAddRight)
{
    const std::string data = stwData({stwRow(1, "A"), stwRow(2, "B")});
    StwTable withAdd;
    ASSERT_TRUE(withAdd.load(data, true));
    EXPECT_EQ(withAdd.rowCount(), 4);
    EXPECT_EQ(withAdd.dataRowCount(), 2);
    EXPECT_TRUE(withAdd.hasNewEntryRow());

    StwTable withoutAdd;
    ASSERT_TRUE(withoutAdd.load(data, false));
    EXPECT_EQ(withoutAdd.rowCount(), 3);
    EXPECT_EQ(withoutAdd.dataRowCount(), 2);
    EXPECT_EQ(withoutAdd.newEntryTemplate().size(), 8u) << "the template is kept for new rows";
}

TEST(StwTable, AHeaderAloneIsNeverDropped)
{
    StwTable table;
    ASSERT_TRUE(table.load("\tCommunication Error11WR090\xE6", false));
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.column(1).caption, "Communication Error");
    EXPECT_EQ(table.column(1).width, 90);
    EXPECT_EQ(table.column(1).format.textColour, 'R');
}

TEST(StwTable, CellsFormatsAndHeaderAttributes)
{
    StwTable table;
    ASSERT_TRUE(table.load(stwData({stwRow(1, "ABC")}), true));
    EXPECT_EQ(table.columnCount(), 8);
    EXPECT_EQ(table.cell(1, 1), "104WZ1");
    const StwCellFormat check = table.format(1, 1);
    EXPECT_EQ(check.kind, '4');
    EXPECT_EQ(check.font, '0');
    EXPECT_EQ(check.background, 'W');
    EXPECT_EQ(check.textColour, 'Z');
    EXPECT_EQ(check.alignment, '1');
    EXPECT_EQ(table.text(1, 1), "1");
    EXPECT_EQ(table.text(1, 2), "ABC");
    EXPECT_EQ(table.cell(1, 0), "1");

    const StwColumn& code = table.column(2);
    EXPECT_EQ(code.caption, "Code");
    EXPECT_TRUE(code.required);
    EXPECT_TRUE(code.unique);
    EXPECT_EQ(code.captionWithCode(), "Code01WZ0");
    EXPECT_EQ(table.column(4).lookupName, "DG");
    EXPECT_FALSE(table.column(4).required);
    EXPECT_EQ(table.column(7).listAttribute, "Office,Home");
    EXPECT_FALSE(table.column(1).required) << "no attributes without a caret";
    EXPECT_EQ(table.column(5).width, 20);
}

TEST(StwColumn, HeaderCellsOfEveryShape)
{
    const StwColumn full = StwColumn::parse("Xref04WZ105YY^LIST^third^a,b");
    EXPECT_EQ(full.caption, "Xref");
    EXPECT_EQ(full.width, 5);
    EXPECT_TRUE(full.required && full.unique);
    EXPECT_EQ(full.lookupName, "LIST");
    EXPECT_EQ(full.thirdAttribute, "third");
    EXPECT_EQ(full.listAttribute, "a,b");

    const StwColumn badWidth = StwColumn::parse("Name01WZ0xy");
    EXPECT_EQ(badWidth.caption, "Name");
    EXPECT_EQ(badWidth.width, 0) << "non-digit widths read as 0";

    const StwColumn tooShort = StwColumn::parse("Ab");
    EXPECT_EQ(tooShort.caption, "Ab");
    const StwColumn caretFirst = StwColumn::parse("^x");
    EXPECT_EQ(caretFirst.caption, "^x");
}

TEST(StwTable, LineBreaksBetweenReplyLinesAndTextAfterTheLastRowAreIgnored)
{
    StwTable table;
    const std::string data = "\r\n" + test::stwHeader() + "\r\n" + stwRow(1, "A") + "\r\n" + test::stwNewEntryRow()
        + "\r\ntrailing garbage\twith tab";
    ASSERT_TRUE(table.load(data, true));
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.column(1).caption, "Active");
    EXPECT_EQ(table.cell(1, 0), "1");
}

TEST(StwTable, RaggedRowsShortCellsAndNulBytesDoNotBreakReading)
{
    StwTable table;
    std::string data = test::stwHeader();
    data += "1\t1\t\xE6"; // fewer cells, and a cell shorter than its code
    static constexpr char longRow[] = "2\tA\0B01WZ0\t1\t2\t3\t4\t5\t6\t7\t8\t9\xE6"; // more cells, a NUL inside one
    data += std::string(longRow, sizeof longRow - 1);
    data += test::stwNewEntryRow();
    ASSERT_TRUE(table.load(data, false));
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.cell(1, 5), "") << "missing cells read as empty";
    EXPECT_EQ(table.text(1, 1), "1") << "a short cell is all text";
    EXPECT_EQ(table.format(1, 1).kind, '1') << "and takes the empty-cell format";
    EXPECT_EQ(table.text(2, 1), std::string("A\0B", 3));
    EXPECT_EQ(table.cell(2, 10), "9");
}

TEST(StwTable, EditsInsertsRemovalsAndReorderingKeepCellsTogether)
{
    StwTable table;
    ASSERT_TRUE(table.load(stwData({stwRow(1, "A"), stwRow(2, "B"), stwRow(3, "C")}), true));
    table.setCell(2, 2, "B201WZ0");
    EXPECT_EQ(table.text(2, 2), "B2");
    table.insertRow(4, {"", "004WZ1", "D01WZ0"});
    EXPECT_EQ(table.rowCount(), 6);
    EXPECT_EQ(table.text(4, 2), "D");
    EXPECT_EQ(table.cell(4, 3), "") << "an inserted row has only the cells given";
    table.reorderRows({4, 3, 2, 1, 5});
    EXPECT_EQ(table.text(1, 2), "D");
    EXPECT_EQ(table.text(2, 2), "C");
    EXPECT_EQ(table.text(3, 2), "B2") << "an edit follows its row";
    table.removeRow(2);
    EXPECT_EQ(table.text(2, 2), "B2");
    EXPECT_EQ(table.rowCount(), 5);
    table.removeRow(0);
    EXPECT_EQ(table.rowCount(), 5) << "the header row stays";
}

} // namespace
} // namespace corvane
