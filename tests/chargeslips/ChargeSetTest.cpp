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

TEST(ChargeSetGroup, AddBeforeAPositionRemoveAndKeys)
{
    ChargeSetGroup group;
    group.Add("B", "second", "D", 2, "b");
    group.Add("A", "first", "D", 1, "a", 1);
    group.Add("C", "third", "D", 3);
    ASSERT_EQ(group.Count(), 3);
    EXPECT_EQ(group.Item(1)->ItemCode, "A");
    EXPECT_EQ(group.Item(std::string("b"))->ItemCode, "B");
    EXPECT_EQ(group.Item(std::string("")), nullptr);
    group.Remove(1);
    EXPECT_EQ(group.Item(std::string("a")), nullptr);
    EXPECT_EQ(group.Item(4), nullptr);
    group.setGroupNumber("12");
    EXPECT_EQ(group.number(), 12);
    group.setGroupNumber("x");
    EXPECT_EQ(group.number(), 12) << "a number that is not one is ignored";
}

} // namespace
} // namespace corvane
