#include "StwFind.h"
#include "StwSave.h"
#include "StwSort.h"
#include "StwTestData.h"
#include "TextFields.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::stwData;
using test::stwRow;

std::string entry(const std::string& fields)
{
    return fields + static_cast<char>(230);
}

TEST(StwSave, EntriesNumberTheNonEmptyRowsAndCarryColumnsTwoToTheLast)
{
    StwTable table;
    ASSERT_TRUE(table.load(stwData({stwRow(7, "  ABC  "), stwRow(8, "DEF")}), true));
    EXPECT_EQ(StwSave::saveText(table),
              entry("1\tABC\t01/02/2020\tE11.9\tDiabetes\t12.5\tOffice")
                  + entry("2\tDEF\t01/02/2020\tE11.9\tDiabetes\t12.5\tOffice"))
        << "running numbers, trimmed texts, the list number dropped, no new-entry row";
}

TEST(StwSave, EmptyRowsAreNotSentAndNoRowsGiveAnEmptyText)
{
    StwTable table;
    ASSERT_TRUE(table.load(stwData({stwRow(1, "A")}), false));
    table.setCell(1, 1, "004WZ1");
    for (int col = 2; col < table.columnCount(); ++col)
        table.setCell(1, col, "01WZ0");
    EXPECT_EQ(StwSave::saveText(table), "");
    EXPECT_EQ(StwSave::singleRequest(""), "|SET|STW|1|");
}

TEST(StwSave, KindAAndKindCCells)
{
    StwTable table;
    const std::string data = std::string("\tA01WZ005\tNum01WZ005\tNote01WZ005\xE6")
        + "1\tx01WZ0\t(1,234)0AWZ2\ta:b:c0CWZ0\xE6" + "\t01WZ0\t0AWZ2\t0CWZ0\xE6";
    ASSERT_TRUE(table.load(data, true));
    EXPECT_EQ(StwSave::saveText(table),
              "1\t1234\ta\xC7"
              "b\xC7"
              "c\xE6");
}

TEST(StwSave, RequestsOfExactly9000CharactersGoWholeOneMoreGoesInNumberedPieces)
{
    const std::string prefix = "|SET|STW|1|";
    const std::string fits(9000 - prefix.size(), 'x');
    EXPECT_EQ(StwSave::singleRequest(fits).size(), 9000u);
    const std::string tooLong = fits + "y";
    EXPECT_GT(StwSave::singleRequest(tooLong).size(), StwSave::maxRequestLength);

    const std::string longText(20001, 'z');
    const auto requests = StwSave::pieceRequests(TextFields::splitByLength(longText, 9000));
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].substr(0, 11), "|SET|STW|1|");
    EXPECT_EQ(requests[0].size(), 11u + 9000u);
    EXPECT_EQ(requests[2].substr(0, 11), "|SET|STW|3|");
    EXPECT_EQ(requests[2].size(), 11u + 2001u);
}

std::vector<std::string> column(const StwTable& table, int col)
{
    std::vector<std::string> values;
    for (int row = 1; row < table.rowCount(); ++row)
        values.emplace_back(table.text(row, col));
    return values;
}

TEST(StwSort, TextsSortStablyInEitherDirectionAndTheNewEntryRowStaysLast)
{
    StwTable table;
    ASSERT_TRUE(table.load(stwData({stwRow(1, "b", "01/01/2020", "K1"), stwRow(2, "a", "01/01/2020", "K2"),
                                    stwRow(3, "B"), stwRow(4, "a", "01/01/2020", "K4")}),
                           true));
    StwSortFailure failure;
    auto order = StwSort::order(table, 2, true, StwSortType::TypeString, failure);
    ASSERT_TRUE(order);
    table.reorderRows(*order);
    EXPECT_EQ(column(table, 2), (std::vector<std::string> {"B", "a", "a", "b", ""})) << "letter case counts";
    EXPECT_EQ(table.text(2, 4), "K2") << "equal values keep their order";
    EXPECT_EQ(table.text(3, 4), "K4");

    order = StwSort::order(table, 2, false, StwSortType::TypeString, failure);
    ASSERT_TRUE(order);
    table.reorderRows(*order);
    EXPECT_EQ(column(table, 2), (std::vector<std::string> {"b", "a", "a", "B", ""}));
    EXPECT_EQ(table.text(2, 4), "K2");
}

TEST(StwSort, DatesNumbersAndAccounts)
{
    EXPECT_LT(*StwSort::compare("12/31/2019", "01/01/2020", StwSortType::TypeDate), 0);
    EXPECT_LT(*StwSort::compare("", "01/01/1800", StwSortType::TypeDate), 0) << "an empty date is 07/07/1777";
    EXPECT_GT(*StwSort::compare("10", "9.5", StwSortType::TypeNumber), 0);
    EXPECT_EQ(*StwSort::compare("$1,200.00", "1200", StwSortType::TypeNumber), 0);
    EXPECT_LT(*StwSort::compare("99/7", "100/1", StwSortType::TypeAccount), 0);
    EXPECT_LT(*StwSort::compare("100/2", "100/10", StwSortType::TypeAccount), 0);
    EXPECT_FALSE(StwSort::compare("13/45/2020", "01/01/2020", StwSortType::TypeDate));
    EXPECT_FALSE(StwSort::compare("12a", "1", StwSortType::TypeNumber));
    EXPECT_FALSE(StwSort::compare("A/1", "1/1", StwSortType::TypeAccount));
}

TEST(StwSort, AValueThatCannotBeComparedStopsTheSortWithTheTypeAndBothComponents)
{
    StwTable table;
    ASSERT_TRUE(table.load(stwData({stwRow(1, "A", "01/02/2020"), stwRow(2, "B", "not a date")}), true));
    StwSortFailure failure;
    EXPECT_FALSE(StwSort::order(table, 3, true, StwSort::typeOf(table, 3), failure));
    EXPECT_EQ(failure.message(),
              "Unable to sort due to invalid sorting component(s):\r\nSorting type: TypeDate\r\n"
              "1st component: not a date\r\n2nd component: 01/02/2020");
    EXPECT_EQ(StwSort::typeOf(table, 6), StwSortType::TypeNumber);
    EXPECT_EQ(StwSort::typeOf(table, 2), StwSortType::TypeString);
}

TEST(StwFind, AsterisksChooseTheKindOfMatch)
{
    const auto contains = StwFindPattern::parse("  abet ");
    ASSERT_TRUE(contains);
    EXPECT_EQ(contains->kind, StwFindPattern::Kind::Contains);
    EXPECT_TRUE(contains->matches("  Diabetes "));
    EXPECT_FALSE(contains->matches("Diabolic"));

    const auto begins = StwFindPattern::parse("dia*");
    ASSERT_TRUE(begins);
    EXPECT_EQ(begins->kind, StwFindPattern::Kind::BeginsWith);
    EXPECT_TRUE(begins->matches(" DIAbetes"));
    EXPECT_FALSE(begins->matches("Mediastinum"));

    const auto ends = StwFindPattern::parse("*ES");
    ASSERT_TRUE(ends);
    EXPECT_EQ(ends->kind, StwFindPattern::Kind::EndsWith);
    EXPECT_TRUE(ends->matches("diabetes  "));
    EXPECT_FALSE(ends->matches("es1"));

    const auto both = StwFindPattern::parse("*bet*");
    ASSERT_TRUE(both);
    EXPECT_EQ(both->kind, StwFindPattern::Kind::BeginsWith) << "a final asterisk means begins-with";
    EXPECT_EQ(both->needle, "BET");
    EXPECT_FALSE(both->matches("Diabetes"));

    EXPECT_FALSE(StwFindPattern::parse(" ** "));
    EXPECT_FALSE(StwFindPattern::parse("longer*")->matches("long"));
}

TEST(StwFind, SearchesOnwardFromACellInOneColumnOrAll)
{
    StwTable table;
    ASSERT_TRUE(table.load(stwData({stwRow(1, "X1"), stwRow(2, "Y2"), stwRow(3, "X3")}), true));
    const auto pattern = StwFindPattern::parse("x*");
    auto hit = StwFind::next(table, *pattern, 1, 2, 0, 4);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->row, 3) << "the current cell itself is passed over";
    EXPECT_EQ(hit->col, 2);
    EXPECT_FALSE(StwFind::next(table, *pattern, 3, 2, 0, 4));
    hit = StwFind::next(table, *pattern, 1, 0, 0, 1);
    ASSERT_TRUE(hit) << "from before the first cell";
    EXPECT_EQ(hit->row, 1);
    EXPECT_FALSE(StwFind::next(table, *pattern, 1, 0, 3, 4)) << "only column 3 is searched";
}

} // namespace
} // namespace corvane
