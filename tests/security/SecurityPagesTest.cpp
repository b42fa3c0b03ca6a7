#include "EntityAccess.h"
#include "SecurityCopy.h"
#include "SecurityPrograms.h"
#include "SecurityReply.h"
#include "SecurityTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace corvane {
namespace {

std::string wire(std::string text)
{
    std::replace(text.begin(), text.end(), '~', static_cast<char>(230));
    return text;
}

TEST(EntityAccess, ReadsFlagsAndSavesOneRecordPerEntry)
{
    EXPECT_EQ(EntityAccess::readRequest("MJONES"), "|GET|OPENT|MJONES");
    EntityAccess access;
    ASSERT_TRUE(access.load(wire("1\t01\tRiverside Family Medicine~\t02\tRiverside Pediatrics~0\t03\tAnesthesia~")));
    ASSERT_EQ(access.entries().size(), 3u);
    EXPECT_TRUE(access.entries()[0].allowed);
    EXPECT_FALSE(access.entries()[1].allowed) << "an empty flag is 0";
    EXPECT_EQ(access.entries()[2].description, "Anesthesia");
    EXPECT_EQ(access.saveRequest("MJONES"), "|SET|OPENT|MJONES|" + wire("1\t01~0\t02~0\t03"));
    access.allowAll(true);
    EXPECT_EQ(access.saveData(), wire("1\t01~1\t02~1\t03"));

    for (const char* failed : {"", "Error: no operator X", "ERROR"}) {
        EntityAccess broken;
        EXPECT_FALSE(broken.load(failed)) << failed;
        EXPECT_TRUE(broken.entries().empty());
    }
}

TEST(EntityAccess, StrayLineBreaksNeverMakeASecondReadingDiffer)
{
    // A lone CR before a CR LF pair used to become a new pair once the pair was removed.
    EntityAccess first;
    ASSERT_TRUE(first.load(std::string_view(";\t\r\r\n\nq\r\t\n\t\t")));
    const std::string saved = first.saveData();
    EXPECT_EQ(saved.find_first_of("\r\n"), std::string::npos);
    EntityAccess second;
    ASSERT_TRUE(second.load(saved));
    EXPECT_EQ(second.saveData(), saved);
}

TEST(SecurityReply, FlagsReadAsTheServerWritesThem)
{
    for (const char* yes : {"1", "-1", " 1 ", "True", "y", "YES", "2"})
        EXPECT_TRUE(SecurityReply::readsAsTrue(yes)) << yes;
    for (const char* no : {"", "0", "False", "N", "no", "1x", "00"})
        EXPECT_FALSE(SecurityReply::readsAsTrue(no)) << no;
}

TEST(SecurityPrograms, KeepsRecordsOfThreeFieldsUnderTheirModules)
{
    SecurityPrograms list;
    EXPECT_EQ(SecurityPrograms::readRequest(), "|GET|SECT|");
    ASSERT_TRUE(list.load(wire("UTL\tORPH\tOrphan~M\tWIN\tWindows~WIN\tSTW\tCodes Cross Reference~junk~"
                               "RPT\tX\tfour\tfields~M\tRPT\tReports~RPT\tAGING\tAging report~")));
    ASSERT_EQ(list.entries().size(), 5u);
    const auto modules = list.modules();
    ASSERT_EQ(modules.size(), 2u);
    EXPECT_EQ(modules[0].heading.code, "WIN");
    ASSERT_EQ(modules[0].programs.size(), 1u);
    EXPECT_EQ(modules[0].programs[0].code, "STW");
    EXPECT_EQ(modules[1].programs[0].description, "Aging report");
    ASSERT_EQ(list.unplaced().size(), 1u);
    EXPECT_EQ(list.unplaced()[0].code, "ORPH");
    EXPECT_NE(list.find("aging"), nullptr);
    EXPECT_EQ(list.find("NOPE"), nullptr);
    EXPECT_FALSE(SecurityPrograms().load("Error: down"));
}

TEST(SecurityPrograms, ANewProgramIsCheckedAndSentByteForByte)
{
    SecurityPrograms list;
    ASSERT_TRUE(list.load(wire("M\tRPT\tReports~RPT\tAGING\tAging report~")));
    const std::vector<std::string> types = {"RPT", "WIN", "UTL"};

    NewSecurityProgram program;
    program.code = " NEWRPT ";
    program.description = "New report";
    program.type = "RPT";
    program.read = true;
    program.modify = true;
    EXPECT_EQ(program.refusal(list, types), std::nullopt);
    EXPECT_EQ(program.saveRequest(), "|SET|SECP|NEWRPT:New report:RPT:1:0:1:0:N");
    program.groups.fill(true);
    EXPECT_EQ(program.saveRequest(), "|SET|SECP|NEWRPT:New report:RPT:1:0:1:0:A");
    program.groups.fill(false);
    program.groups[1] = program.groups[4] = true;
    EXPECT_EQ(program.saveRequest(), "|SET|SECP|NEWRPT:New report:RPT:1:0:1:0:S:1,4");

    struct Case {
        std::string code, description, type, refusal;
    };
    const Case cases[] = {
        {"", "d", "RPT", "Please enter the Security Program."},
        {"A:B", "d", "RPT",
         "Security Program may not hold \":\": the practice server uses it to separate data.\r\n"
         "Please remove or replace it."},
        {"A\tB", "d", "RPT",
         "Security Program may not hold a TAB: the practice server uses it to separate data.\r\n"
         "Please remove or replace it."},
        {"aging", "d", "RPT",
         "Program aging already exists.\r\nPlease change Security Program name before continuing."},
        {"NEW", " ", "RPT", "Please enter the Description."},
        {"NEW", "Day sheet: totals", "RPT",
         "Description may not hold \":\": the practice server uses it to separate "
         "data.\r\nPlease remove or replace it."},
        {"NEW", wire("a~b"), "RPT",
         "Description may not hold \"\xE6\" (character 230): the practice server uses it to "
         "separate data.\r\nPlease remove or replace it."},
        {"NEW", "d", "", "Please enter the Type."},
        {"NEW", "d", "XYZ", "Type XYZ is not a valid security program type."},
    };
    for (const auto& c : cases) {
        NewSecurityProgram refused;
        refused.code = c.code;
        refused.description = c.description;
        refused.type = c.type;
        EXPECT_EQ(refused.refusal(list, types), c.refusal) << c.code << " / " << c.description << " / " << c.type;
    }
}

TEST(SecurityCopy, CopyRequestsNameTheirPartiesAndPrograms)
{
    const CopyParty group3 = CopyParty::fromEntry(true, "Security Group 3");
    const CopyParty abc = CopyParty::fromEntry(false, "ABC      Alice Brown");
    EXPECT_EQ(group3, (CopyParty {true, "3"}));
    EXPECT_EQ(abc, (CopyParty {false, "ABC"}));
    EXPECT_EQ(SecurityCopy::copyRequest(group3, abc, true, {"STW", "COLAI"}), "|SET|SECC|G-3|U-ABC|1|STW,COLAI");
    EXPECT_EQ(SecurityCopy::copyRequest({false, "JSMITH"}, abc, true, {}), "|SET|SECC|U-JSMITH|U-ABC|1|")
        << "entity access alone";
    EXPECT_EQ(SecurityCopy::copyRequest(group3, {true, "5"}, true, {"STW"}), "|SET|SECC|G-3|G-5|0|STW")
        << "a group has no entity access";

    EXPECT_FALSE(SecurityCopy::copyRequest(abc, group3, false, {"STW"})) << "operator to group";
    EXPECT_FALSE(SecurityCopy::copyRequest(group3, {false, "vq"}, false, {"STW"})) << "VQ is view-only";
    EXPECT_FALSE(SecurityCopy::copyRequest(abc, {false, "abc"}, false, {"STW"})) << "onto itself";
    EXPECT_FALSE(SecurityCopy::copyRequest(group3, abc, false, {})) << "nothing to copy";
    EXPECT_FALSE(SecurityCopy::copyRequest(group3, {true, "5"}, true, {})) << "only entity access, onto a group";
    EXPECT_FALSE(SecurityCopy::copyRequest({false, ""}, abc, false, {"STW"}));
    EXPECT_EQ(
        SecurityCopy::copiedText("Operator A", "Operator B", true),
        "Settings copied from Operator A to Operator B.\r\nPlease Logoff and Logon for new settings to take effect.");
}

TEST(SecurityCopy, DistributeSendsAllSomeOrNothing)
{
    std::array<bool, 10> groups {};
    EXPECT_FALSE(SecurityCopy::distributeRequest(groups)) << "no group: no request at all";
    groups[1] = groups[4] = true;
    EXPECT_EQ(SecurityCopy::distributeRequest(groups), "|SET|SECGD|S|1:4");
    groups.fill(true);
    EXPECT_EQ(SecurityCopy::distributeRequest(groups), "|SET|SECGD|A");
    EXPECT_EQ(SecurityCopy::distributedText(true), "Settings copied from all groups.\r\n");
}

TEST(SecurityTree, KeysTextsAndPages)
{
    EXPECT_EQ(SecurityTree::nodeKey("O", "JSMITH", "mod"), "O\tJSMITH\tmod");
    EXPECT_EQ(SecurityTree::nodeKey("S", "", "copy_security_settings"), "S\t\tcopy_security_settings");
    EXPECT_EQ(SecurityTree::nodeKey("G", "3", {}, 2), "G\t3");
    EXPECT_EQ(SecurityTree::nodeKey("O", {}, {}, 1), "O");
    const SecurityNodeKey key = SecurityTree::splitKey("S\t\tmod_security_programs");
    EXPECT_EQ(key.parts, 3);
    EXPECT_EQ(key.code, "");
    EXPECT_EQ(key.word, "mod_security_programs");
    EXPECT_EQ(SecurityTree::splitKey("G").parts, 1);

    EXPECT_EQ(SecurityTree::operatorText("VQ", "View Query"), "VQ    View Query");
    EXPECT_EQ(SecurityTree::operatorText("ABCD", "x"), "ABCD  x");
    EXPECT_EQ(SecurityTree::groupName(7), "Security Group 7");

    const auto words = [](const std::vector<SecurityPage>& pages) {
        std::string out;
        for (const auto& page : pages)
            out += page.word + "=" + page.text + ";";
        return out;
    };
    EXPECT_EQ(words(SecurityTree::pages("G", "A", false, false)),
              "mod=Module Access;modify_trans_anest=Modify Transaction;");
    EXPECT_EQ(words(SecurityTree::pages("G", "X", true, true)), "mod=Module Access;");
    EXPECT_EQ(words(SecurityTree::pages("S", "N", true, false)),
              "mod_trans_group_setup=Transaction groups setup;copy_security_settings=Copy Security Settings;"
              "distribute_security_settings=Distribute Security Settings;");
    EXPECT_EQ(words(SecurityTree::pages("S", "M", false, true)),
              "mod_trans_group_setup=Transaction groups setup (Non Anesthesia);"
              "mod_trans_group_setup_anest=Transaction groups setup (Anesthesia Only);"
              "mod_security_programs=Security Programs;");

    EXPECT_TRUE(SecurityTree::viewOnly("O", "vq", true));
    EXPECT_TRUE(SecurityTree::viewOnly("O", "ABC", false));
    EXPECT_FALSE(SecurityTree::viewOnly("G", "VQ", true));
    EXPECT_TRUE(SecurityTree::anesthesia("modify_trans_anest"));
    EXPECT_FALSE(SecurityTree::anesthesia("modify_trans"));
}

} // namespace
} // namespace corvane
