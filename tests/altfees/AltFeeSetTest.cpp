#include "AltFeeSet.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const char sep = static_cast<char>(230);

TEST(AltFeeSet, PagesStartWhereTheWindowStartsThem)
{
    EXPECT_EQ(AltFeeSet::shownSets().size(), 193u);
    EXPECT_EQ(AltFeeSet::pageOf(5), 0);
    EXPECT_EQ(AltFeeSet::pageOf(24), 0);
    EXPECT_EQ(AltFeeSet::pageOf(25), 1);
    EXPECT_EQ(AltFeeSet::pageOf(97), 4);
    EXPECT_EQ(AltFeeSet::pageOf(100), 5);
    EXPECT_EQ(AltFeeSet::pageOf(199), 9);
    for (int unshown : {0, 1, 4, 98, 99, 200, -3})
        EXPECT_EQ(AltFeeSet::pageOf(unshown), -1) << unshown;
}

TEST(AltFeeSet, EntriesInAnyOrderRepeatsAndSetsTheWindowDoesNotShow)
{
    AltFeeSet fees;
    fees.parse(std::string("150\t990") + sep + "12\t1250" + sep + "3\t500" + sep + "12\t1300" + sep + "98\t7" + sep
               + "junk" + sep);
    ASSERT_EQ(fees.shown().size(), 2u);
    EXPECT_EQ(fees.shown().at(12), "1300") << "a repeated set keeps its last amount";
    EXPECT_EQ(fees.shown().at(150), "990");
    ASSERT_EQ(fees.passedThrough().size(), 2u);
    EXPECT_EQ(fees.passedThrough()[0], std::make_pair(std::string("3"), std::string("500")));

    int invalid = 0;
    const auto collected = fees.collect({{7, " "}, {12, "$1,234.50"}, {150, "9.9"}}, invalid);
    ASSERT_TRUE(collected);
    EXPECT_EQ(*collected, std::string("12\t123450") + sep + "150\t990" + sep + "3\t500" + sep + "98\t7" + sep)
        << "empty boxes left out, every entry followed by the separator, the unshown handed back";
}

TEST(AltFeeSet, AllBoxesEmptyGiveAnEmptyStringAndABadBoxIsNamed)
{
    AltFeeSet fees;
    int invalid = 0;
    EXPECT_EQ(fees.collect({{5, ""}, {6, "  "}}, invalid), std::string());
    EXPECT_FALSE(fees.collect({{5, "1.00"}, {6, "1.234"}, {7, "x"}}, invalid));
    EXPECT_EQ(invalid, 6);
}

TEST(AltFeeSet, ATypedFeeIsReadStrictlyNeverGuessed)
{
    struct Case {
        const char* typed;
        FeeVerdict verdict;
        long long cents;
    };
    const Case cases[] = {
        {"12", FeeVerdict::Amount, 1200},
        {" 1,234.50 ", FeeVerdict::Amount, 123450},
        {"$1,234.5", FeeVerdict::Amount, 123450},
        {"$ 125.00", FeeVerdict::Amount, 12500},
        {".5", FeeVerdict::Amount, 50},
        {"0.29", FeeVerdict::Amount, 29},
        {"12,345,678.90", FeeVerdict::Amount, 1234567890},
        {"99,999,999.99", FeeVerdict::Amount, 9999999999},
        {"", FeeVerdict::Empty, 0},
        {"   ", FeeVerdict::Empty, 0},
        {"1,23", FeeVerdict::NotAnAmount, 0},
        {"12 50", FeeVerdict::NotAnAmount, 0},
        {"1,2345", FeeVerdict::NotAnAmount, 0},
        {",123", FeeVerdict::NotAnAmount, 0},
        {"1234,567", FeeVerdict::NotAnAmount, 0},
        {"12.345", FeeVerdict::NotAnAmount, 0},
        {"1.2.3", FeeVerdict::NotAnAmount, 0},
        {"abc", FeeVerdict::NotAnAmount, 0},
        {"12a", FeeVerdict::NotAnAmount, 0},
        {"$", FeeVerdict::NotAnAmount, 0},
        {".", FeeVerdict::NotAnAmount, 0},
        {"-5", FeeVerdict::Negative, -500},
        {"$-5.00", FeeVerdict::Negative, -500},
        {"100,000,000.00", FeeVerdict::TooLarge, 0},
        {"1234567890123", FeeVerdict::TooLarge, 0},
    };
    for (const Case& c : cases) {
        const TypedFee fee = AltFeeSet::readTyped(c.typed);
        EXPECT_EQ(fee.verdict, c.verdict) << '"' << c.typed << '"';
        if (c.verdict == FeeVerdict::Amount || c.verdict == FeeVerdict::Negative) {
            EXPECT_EQ(fee.cents, c.cents) << '"' << c.typed << '"';
        }
    }
}

TEST(AltFeeSet, HostAmountsTheWindowCannotShowGoBackUnchanged)
{
    AltFeeSet fees;
    fees.parse(std::string("5\t-500") + sep + "6\t1250.5" + sep + "7\t700" + sep + "8\t800.00" + sep);
    EXPECT_EQ(fees.loadedText(5), "-5.00");
    EXPECT_EQ(fees.loadedText(6), "") << "not a whole number of cents: not shown";
    EXPECT_EQ(fees.loadedText(8), "8.00");
    EXPECT_EQ(fees.unreadable(), std::vector<int> {6});

    int invalid = 0;
    const auto untouched = fees.collect({{5, "-5.00"}, {6, ""}, {7, "9.00"}, {8, "8.00"}}, invalid);
    ASSERT_TRUE(untouched) << "a stored negative amount does not block saving the rest";
    EXPECT_EQ(*untouched, std::string("5\t-500") + sep + "6\t1250.5" + sep + "7\t900" + sep + "8\t800.00" + sep);

    const auto retyped = fees.collect({{5, "-6"}, {6, ""}}, invalid);
    EXPECT_FALSE(retyped) << "a negative fee the operator typed is refused";
    EXPECT_EQ(invalid, 5);
    const auto replaced = fees.collect({{5, ""}, {6, "12.50"}}, invalid);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(*replaced, std::string("6\t1250") + sep)
        << "a typed fee replaces the unreadable one; an emptied box drops";
}

} // namespace
} // namespace corvane
