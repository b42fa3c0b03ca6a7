#include "SeparatorCheck.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(SeparatorCheck, EveryFramingAndSeparatorByteIsRefusedWhereverItStands)
{
    for (char refused : SeparatorCheck::alwaysRefused) {
        for (const std::string& around :
             {std::string("%"), std::string("ab%"), std::string("%cd"), std::string("a%d")}) {
            std::string text = around;
            text.replace(text.find('%'), 1, 1, refused);
            const auto found = SeparatorCheck::firstRefused(text);
            ASSERT_TRUE(found) << static_cast<int>(static_cast<unsigned char>(refused));
            EXPECT_EQ(*found, refused);
        }
    }
}

TEST(SeparatorCheck, OrdinaryTextPassesAndARecordsOwnSeparatorsAreAddedPerPayload)
{
    EXPECT_FALSE(SeparatorCheck::firstRefused("O'Brien, Jos\xE9 - 12.50 $ ^ : ~ \xE9\xF1\xDC"));
    EXPECT_FALSE(SeparatorCheck::firstRefused(""));
    EXPECT_EQ(SeparatorCheck::firstRefused("L60,extra", ",:^"), ',');
    EXPECT_EQ(SeparatorCheck::firstRefused("PM01:x", ",:^"), ':');
    EXPECT_EQ(SeparatorCheck::firstRefused("a^b|c", ",:^"), '^');
    EXPECT_FALSE(SeparatorCheck::firstRefused("L60", ",:^"));
}

TEST(SeparatorCheck, TheRefusalNamesTheCharacterAnOperatorCanRecognise)
{
    EXPECT_EQ(SeparatorCheck::refusalText("Group name", '|'),
              "Group name may not hold \"|\": the practice server uses it to separate data.\r\n"
              "Please remove or replace it.");
    EXPECT_NE(SeparatorCheck::refusalText("Code", '\t').find("Code may not hold a TAB:"), std::string::npos);
    EXPECT_NE(SeparatorCheck::refusalText("Code", '\n').find("a line break"), std::string::npos);
    EXPECT_NE(SeparatorCheck::refusalText("Name", '\xF6').find("\"\xF6\" (character 246)"), std::string::npos);
    EXPECT_NE(SeparatorCheck::refusalText("Name", '\xC7').find("(character 199)"), std::string::npos);
}

} // namespace
} // namespace corvane
