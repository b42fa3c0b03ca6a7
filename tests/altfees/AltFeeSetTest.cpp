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

} // namespace
} // namespace corvane
