#include "StwFind.h"
#include "StwSave.h"
#include "StwSort.h"
#include "StwTestData.h"
#include "Text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::stwData;
using test::stwRow;

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

TEST(StwSave, RequestsOfExactly9000CharactersGoWhole)
{
    const std::string prefix = "|SET|STW|1|";
    const std::string fits(9000 - prefix.size(), 'x');
    EXPECT_EQ(StwSave::singleRequest(fits).size(), 9000u);
    const std::string tooLong = fits + "y";
    EXPECT_GT(StwSave::singleRequest(tooLong).size(), StwSave::maxRequestLength);
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

TEST(StwSort, NumbersCompareOnTheirDigitsAndRefuseWhatIsNoNumber)
{
    EXPECT_LT(*StwSort::compare("(12.50)", "-12", StwSortType::TypeNumber), 0) << "parentheses make a negative";
    EXPECT_LT(*StwSort::compare("($1,000.00)", "0", StwSortType::TypeNumber), 0);
    EXPECT_EQ(*StwSort::compare("", "0.00", StwSortType::TypeNumber), 0) << "an empty cell counts as zero";
    EXPECT_LT(*StwSort::compare("99999999999999999998", "99999999999999999999", StwSortType::TypeNumber), 0)
        << "no precision is lost to floating point";
    EXPECT_GT(*StwSort::compare("0.1", "0.09", StwSortType::TypeNumber), 0);
    for (const char* notANumber : {"nan", "inf", "-inf", "1e5", "1,23", "12,3456", ",123", "1.2.3", "--1", "(-1)"})
        EXPECT_FALSE(StwSort::compare(notANumber, "1", StwSortType::TypeNumber)) << notANumber;
}

TEST(StwSort, TheEditorKindDecidesTheSortTypeNeverTheCaption)
{
    // An "Account Type" column of text cells sorts as text; a date column as dates whatever its caption says.
    std::string data = test::stwData({stwRow(1, "Self pay"), stwRow(2, "Insurance")});
    data.replace(data.find("Code01WZ0"), 9, "Account Type01WZ0");
    data.replace(data.find("Date02WZ0"), 9, "Account02WZ0");
    StwTable table;
    ASSERT_TRUE(table.load(data, true));
    EXPECT_EQ(StwSort::typeOf(table, 2), StwSortType::TypeString);
    EXPECT_EQ(StwSort::typeOf(table, 3), StwSortType::TypeDate);
    StwSortFailure failure;
    const auto order = StwSort::order(table, 2, true, StwSort::typeOf(table, 2), failure);
    ASSERT_TRUE(order);
    EXPECT_EQ(order->front(), 2);
}

TEST(StwNumber, AmountsAreReadOnTheirDigits)
{
    const auto read = [](std::string_view text, int decimals = -1) {
        const auto number = StwNumber::read(text, decimals);
        return number ? number->plain() : std::string("refused");
    };
    EXPECT_EQ(read("$1,234.50"), "1234.50");
    EXPECT_EQ(read(" $ 12 "), "12");
    EXPECT_EQ(read("(12.5)"), "-12.5");
    EXPECT_EQ(read("-0.00"), "0.00") << "no negative zero";
    EXPECT_EQ(read(".5"), "0.5");
    EXPECT_EQ(read("007"), "7");
    EXPECT_EQ(read("12.345", 2), "refused");
    EXPECT_EQ(read("12.34", 2), "12.34");
    EXPECT_EQ(read("12.5", 0), "refused");
    for (const char* bad : {"", "$", ".", "nan", "inf", "1e5", "0x10", "1,23", "1234,567", ",5", "1,,234", "5,",
                            "1.2,3", "(5", "5)", "+5", "1 2"})
        EXPECT_EQ(read(bad), "refused") << "\"" << bad << "\"";
    EXPECT_EQ(StwNumber::read("12.5")->withCents(), "12.50");
    EXPECT_EQ(StwNumber::read("(1,000)")->withCents(), "-1000.00");
    EXPECT_EQ(StwNumber::read("1.125")->withCents(), "1.125") << "decimals are never cut from what is shown";
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

TEST(StwFind, LetterCaseNeverMattersForAccentedLettersEither)
{
    const auto pena = StwFindPattern::parse("PE\xD1"
                                            "A");
    ASSERT_TRUE(pena);
    EXPECT_TRUE(pena->matches("Pe\xF1"
                              "a"))
        << "PE\u00d1A finds Pe\u00f1a";
    EXPECT_TRUE(StwFindPattern::parse("jos\xE9*")
                    ->matches("JOS\xC9 Garc\xED"
                              "a"));
    EXPECT_TRUE(StwFindPattern::parse("*\x9A"
                                      "ek")
                    ->matches("Pa\x8A"
                              "EK"))
        << "s with caron";
    EXPECT_FALSE(StwFindPattern::parse("\xF7")->matches("\xD7")) << "division and multiplication signs are no letters";
    EXPECT_EQ(text::foldCase(std::string_view("\xFF\x9C\xE6")), "\x9F\x8C\xC6");
    EXPECT_EQ(text::upper(std::string_view("\xF1")), "\xF1") << "the server's ASCII folding is unchanged";

    StwTable table;
    ASSERT_TRUE(table.load(stwData({stwRow(1,
                                           "Ib\xE1\xF1"
                                           "ez"),
                                    stwRow(2,
                                           "IB\xC1\xD1"
                                           "EZ")}),
                           true));
    const auto hit = StwFind::next(table,
                                   *StwFindPattern::parse("ib\xC1\xD1"
                                                          "ez"),
                                   1, 2, 0, 3);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->row, 2);
}

TEST(StwFind, DropDownCellsAreFoundByTheTextTheyShow)
{
    StwTable table;
    ASSERT_TRUE(table.load(stwData({stwRow(1, "A")}), true));
    const auto hit = StwFind::next(table, *StwFindPattern::parse("office*"), 1, 0, 0, 2);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->col, 7);
    EXPECT_FALSE(StwFind::next(table, *StwFindPattern::parse("1off*"), 1, 0, 0, 2)) << "the list number is not shown";
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
