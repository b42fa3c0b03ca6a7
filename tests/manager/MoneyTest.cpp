#include "Money.h"

#include <gtest/gtest.h>

#include <random>

namespace corvane {
namespace {

TEST(Money, TypedDollarsBecomeExactCents)
{
    EXPECT_EQ(Money::parseDollars("0.29"), 29);
    EXPECT_EQ(Money::parseDollars("1,234.50"), 123450);
    EXPECT_EQ(Money::parseDollars("$1,234.50"), 123450);
    EXPECT_EQ(Money::parseDollars("$ 1 234.5"), 123450);
    EXPECT_EQ(Money::parseDollars("12"), 1200);
    EXPECT_EQ(Money::parseDollars(".5"), 50);
    EXPECT_EQ(Money::parseDollars("12."), 1200);
    EXPECT_EQ(Money::parseDollars("99,999,999.99"), 9999999999LL);
    for (const char* bad : {"", "$", "12.345", "1.2.3", "abc", "-5", "12a", "100,000,000.00", "."})
        EXPECT_FALSE(Money::parseDollars(bad)) << bad;
}

TEST(Money, EveryAmountRoundTripsUnchanged)
{
    for (long long cents = 0; cents <= 2'000'000; ++cents) {
        ASSERT_EQ(Money::parseDollars(Money::formatDollars(cents, true)), cents);
        ASSERT_EQ(Money::parseDollars(Money::formatDollars(cents, false)), cents);
    }
    std::mt19937_64 random(42);
    std::uniform_int_distribution<long long> anyAmount(0, Money::maxCents);
    for (int i = 0; i < 200'000; ++i) {
        const long long cents = anyAmount(random);
        ASSERT_EQ(Money::parseDollars(Money::formatDollars(cents, true)), cents) << cents;
        ASSERT_EQ(Money::parseCents(std::to_string(cents)), cents);
    }
    EXPECT_EQ(Money::parseDollars(Money::formatDollars(Money::maxCents, true)), Money::maxCents);
}

TEST(Money, FormatsAndShortForms)
{
    EXPECT_EQ(Money::formatDollars(123450, true), "1,234.50");
    EXPECT_EQ(Money::formatDollars(123450, false), "1234.50");
    EXPECT_EQ(Money::formatDollars(5, true), "0.05");
    EXPECT_EQ(Money::formatDollars(-1234, true), "-12.34");
    EXPECT_EQ(Money::shortDollars(1250), "12.5");
    EXPECT_EQ(Money::shortDollars(1200), "12");
    EXPECT_EQ(Money::shortDollars(5), "0.05");
    EXPECT_EQ(Money::parseCents("1250.00"), 1250);
    EXPECT_FALSE(Money::parseCents("12.50"));
    EXPECT_FALSE(Money::parseCents("twelve"));
}

} // namespace
} // namespace corvane
