#include "DateRule.h"

#include "HostFixture.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr CivilDate today {2026, 12, 5};

TEST(DateRule, MonthDayAndYearAreReadFromTheTextNotFromFixedPositions)
{
    for (const char* typed : {"1/2/20", "1/2/2020", "01/02/20", "01/02/2020", " 1/2/2020 ", "1-2-2020"}) {
        const DateJudgement j = judgeDateText(typed, false, today);
        EXPECT_EQ(j.kind, DateJudgement::Kind::Valid) << typed;
        EXPECT_EQ(j.normalised, "01/02/2020") << typed;
    }
}

TEST(DateRule, TwoDigitYearsAreWindowedAgainstTheCurrentYearWithoutFutureDates)
{
    EXPECT_EQ(judgeDateText("01/02/30", false, today).normalised, "01/02/1930");
    EXPECT_EQ(judgeDateText("01/02/25", false, today).normalised, "01/02/2025");
    EXPECT_EQ(judgeDateText("01/02/26", false, today).normalised, "01/02/2026");
    EXPECT_EQ(judgeDateText("01/02/27", false, today).normalised, "01/02/1927");
    EXPECT_EQ(judgeDateText("01/02/5", false, today).normalised, "01/02/2005") << "one digit gains a 0";
    EXPECT_EQ(judgeDateText("01/02/27", false, CivilDate {2027, 1, 1}).normalised, "01/02/2027");
}

TEST(DateRule, WithFutureDatesAllowedTwoDigitYearsUseTheFixedWindow)
{
    EXPECT_EQ(judgeDateText("01/02/29", true, today).normalised, "01/02/2029");
    EXPECT_EQ(judgeDateText("01/02/30", true, today).normalised, "01/02/1930");
    EXPECT_FALSE(judgeDateText("01/02/29", true, today).future);
}

TEST(DateRule, YearBoundsAre1890And2100)
{
    EXPECT_EQ(judgeDateText("12/31/2100", true, today).kind, DateJudgement::Kind::Valid);
    EXPECT_EQ(judgeDateText("01/01/2101", true, today).kind, DateJudgement::Kind::YearOutOfRange);
    EXPECT_EQ(judgeDateText("01/01/1890", true, today).kind, DateJudgement::Kind::Valid);
    EXPECT_EQ(judgeDateText("12/31/1889", true, today).kind, DateJudgement::Kind::YearOutOfRange);
    EXPECT_EQ(judgeDateText("01/02/123", true, today).kind, DateJudgement::Kind::YearOutOfRange)
        << "a three-digit year is year 0123";
}

TEST(DateRule, FutureDatesAreFlaggedOnlyWhenNotAllowed)
{
    EXPECT_TRUE(judgeDateText("12/06/2026", false, today).future);
    EXPECT_FALSE(judgeDateText("12/05/2026", false, today).future);
    EXPECT_FALSE(judgeDateText("12/06/2026", true, today).future);
}

TEST(DateRule, TextsThatAreNotDates)
{
    for (const char* typed : {"02/30/2020", "13/01/2020", "1/2", "abc", "1/2/3/4", "01/0x/2020", "001/02/2020",
                              "1/2/20201", "//", "2/29/2021"})
        EXPECT_EQ(judgeDateText(typed, true, today).kind, DateJudgement::Kind::NotADate) << typed;
    EXPECT_EQ(judgeDateText("2/29/2024", true, today).kind, DateJudgement::Kind::Valid);
    EXPECT_EQ(judgeDateText("   ", true, today).kind, DateJudgement::Kind::Empty);
}

class DateIsValidTextTest : public test::HostFixture { };

TEST_F(DateIsValidTextTest, MessagesAndResults)
{
    std::string normalised;
    bool focus = false;
    EXPECT_TRUE(DateIsValidText("", false, false, normalised, focus));
    EXPECT_TRUE(DateIsValidText("1/2/20", false, false, normalised, focus));
    EXPECT_EQ(normalised, "01/02/2020");

    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(DateIsValidText("13/40/20", false, false, normalised, focus));
    EXPECT_TRUE(focus);
    EXPECT_EQ(prompter->prompts.back().text,
              "13/40/20 is not a valid date.\r\nPlease use MM/DD/YYYY or MM/DD/YY format.");
    EXPECT_EQ(prompter->prompts.back().title, "Date Validation");
    EXPECT_EQ(prompter->prompts.back().icon, PromptIcon::Critical);

    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(DateIsValidText("01/01/2101", true, false, normalised, focus));
    EXPECT_EQ(prompter->prompts.back().text, "01/01/2101 is not a valid date.\r\nYear is invalid.");

    prompter->expect(PromptAnswer::Ok);
    EXPECT_TRUE(DateIsValidText("12/25/2026", false, false, normalised, focus))
        << "the future is reported, the year test decides";
    EXPECT_EQ(prompter->prompts.back().text, "Date can not be in the future.");

    EXPECT_FALSE(DateIsValidText("xx", false, true, normalised, focus)) << "quiet: no prompt";
}

} // namespace
} // namespace corvane
