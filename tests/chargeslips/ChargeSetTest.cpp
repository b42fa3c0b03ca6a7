#include "ChargeSet.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::string sep(1, static_cast<char>(230));

TEST(ChargeSet, AnEmptyStringIsAnEmptySet)
{
    ChargeSet set;
    set.parse("");
    EXPECT_EQ(set.count(), 0);
    EXPECT_EQ(set.serialise(), "");
}

TEST(ChargeSet, AProcedureGroupWithOneItemRoundTrips)
{
    ChargeSet set;
    set.parse("Office visits\tP\t\t" + sep + "\t\t99213\tOffice visit, established");
    ASSERT_EQ(set.count(), 1);
    const ChargeSetGroup& group = *set.group(1);
    EXPECT_EQ(group.GroupName, "Office visits");
    EXPECT_EQ(group.GroupType, "P");
    EXPECT_EQ(group.GroupNumber(), "1");
    ASSERT_EQ(group.Count(), 1);
    EXPECT_EQ(group.Item(1)->ItemCode, "99213");
    EXPECT_EQ(group.Item(1)->ItemNumber, 1);
    EXPECT_EQ(group.Item(1)->ItemType, "P");
    EXPECT_EQ(set.serialise(), "Office visits\tP\t\t" + sep + "\t\t99213\tOffice visit, established");
}

TEST(ChargeSet, ItemsBeforeTheFirstGroupAndEmptyRecordsAreSkipped)
{
    ChargeSet set;
    set.parse("\t\tX1\tOrphan" + sep + sep + "Diabetes\tD\tignored\tignored" + sep + "\tignored\tE11.9\tType 2" + sep
              + sep + "\t\tE78.5\tLipids" + sep);
    ASSERT_EQ(set.count(), 1);
    EXPECT_EQ(set.group(1)->Count(), 2);
    EXPECT_EQ(set.group(1)->Item(2)->ItemNumber, 2);
    EXPECT_EQ(set.group(1)->Item(std::string("2"))->ItemCode, "E78.5") << "items are keyed by their number";
    EXPECT_EQ(set.serialise(), "Diabetes\tD\t\t" + sep + "\t\tE11.9\tType 2" + sep + "\t\tE78.5\tLipids");
}

TEST(ChargeSet, GroupNumbersFollowPositionsThroughMovesAndDeletes)
{
    ChargeSet set;
    set.parse("A\tD\t\t" + sep + "B\tP\t\t" + sep + "C\tD\t\t");
    set.remove(2);
    ChargeSetGroup added;
    added.GroupName = "New";
    set.add(std::move(added));
    EXPECT_EQ(set.group(2)->GroupName, "C");
    EXPECT_EQ(set.group(2)->GroupNumber(), "2");
    EXPECT_EQ(set.group(3)->GroupNumber(), "3") << "a new group never collides with a kept one";
    set.swap(1, 2);
    EXPECT_EQ(set.group(1)->GroupName, "C");
    EXPECT_EQ(set.group(1)->GroupNumber(), "1");
    EXPECT_EQ(set.group(2)->GroupName, "A");
    EXPECT_EQ(set.group(2)->GroupNumber(), "2");
}

} // namespace
} // namespace corvane
