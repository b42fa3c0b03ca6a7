#include "SettingsSearch.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::vector<std::string> names(const SettingsSearch& search, std::string_view query)
{
    std::vector<std::string> found;
    for (const std::size_t i : search.find(query))
        found.push_back(search.entry(i).leaf ? std::string(search.entry(i).leaf->name) : search.entry(i).nodeKey);
    return found;
}

TEST(SettingsSearch, FindsByWhatThePageSaysNotOnlyTheNodeText)
{
    const SettingsSearch search;
    EXPECT_EQ(names(search, "autopost date"), std::vector<std::string> {"set_autopost_daterange"});
    EXPECT_EQ(names(search, "cmdas"), std::vector<std::string> {"close_mod_dialog"}) << "by key, any letter case";
    EXPECT_EQ(names(search, "hold for autopost"),
              (std::vector<std::string> {"hold_chargeslip_posting", "hold_edi_posting"}))
        << "choice captions, every word somewhere in the entry";
    EXPECT_EQ(names(search, "Errors Only"), std::vector<std::string> {"hold_edi_posting"});
    EXPECT_EQ(names(search, "Corvane Vantor"), std::vector<std::string> {"set_lockup_timeout"}) << "the page header";
    EXPECT_TRUE(names(search, "autopost nothing-like-this").empty());
    EXPECT_TRUE(names(search, "   ").empty());
    EXPECT_TRUE(names(search, "protected").empty()) << "the developer leaf is not found outside developer mode";
    EXPECT_EQ(names(SettingsSearch(true), "protected system"), std::vector<std::string> {"prot_sys_set"});
}

TEST(SettingsSearch, ResultsCarryTheirPathSoTwinLeavesAreToldApart)
{
    const SettingsSearch search;
    const auto found = search.find("navigation");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(search.entry(found[0]).path, "Posting / Charges / Navigation");
    EXPECT_EQ(search.entry(found[1]).path, "Posting / Payments / Navigation");
    EXPECT_EQ(search.entry(search.find("percentage")[0]).path, "Posting / Payments / Sequestration / Percentage");
}

TEST(SettingsSearch, OperatorsAndServerItemsCanBeAdded)
{
    SettingsSearch search;
    search.add("U\tDKIM\tusername", "By Operator / DKIM", "DKIM David Kim");
    EXPECT_EQ(names(search, "david"), std::vector<std::string> {"U\tDKIM\tusername"});
    EXPECT_EQ(search.entryFor("U\tDKIM\tusername"), search.size() - 1);
}

TEST(SettingsSearch, StepsOnAndWrapsToTheTop)
{
    const std::vector<std::size_t> matches = {3, 8, 20};
    EXPECT_EQ(SettingsSearch::next(matches, std::nullopt)->entry, 3u);
    EXPECT_EQ(SettingsSearch::next(matches, 3)->entry, 8u);
    EXPECT_EQ(SettingsSearch::next(matches, 9)->entry, 20u);
    const auto wrapped = SettingsSearch::next(matches, 20);
    EXPECT_EQ(wrapped->entry, 3u);
    EXPECT_TRUE(wrapped->wrapped);
    EXPECT_FALSE(SettingsSearch::next({}, 1));
}

} // namespace
} // namespace corvane
