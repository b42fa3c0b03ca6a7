#include "CorvaneDialogsMgr.h"
#include "PageModel.h"
#include "PracticeServer.h"
#include "ReferenceHostFixture.h"
#include "ScriptedPrompter.h"
#include "SettingValue.h"
#include "SettingsPages.h"
#include "SettingsRequests.h"
#include "SettingsTree.h"
#include "SharedState.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace corvane::reference {
namespace {

class SettingsServerTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string path = dir.file("practice.db");
    std::string ask(PracticeServer& server, const std::string& request)
    {
        return server.answerString(request, "JSMITH");
    }
};

TEST_F(SettingsServerTest, KeyEqualsValueWritesStoreTheKeyInBothForms)
{
    {
        PracticeServer server(path);
        EXPECT_EQ(ask(server, "|SET|SYS|AIDAYS=120|"), "1");
        EXPECT_EQ(ask(server, "|SET|SYS|USECT=1"), "1") << "the form without the closing bar";
        EXPECT_EQ(ask(server, "|SET|SYS|DASERVICEURL=https://da.example.com/?a=b,c|"), "1");
        EXPECT_EQ(ask(server, "|SET|SYS|REMINDERORDER=Referrals\tReminders|"), "1");
        EXPECT_EQ(ask(server, "|SET|SYS|CCARDGATEWAY=|"), "1");
    }
    PracticeServer server(path);
    EXPECT_EQ(ask(server, "|GET|SYS|AIDAYS|"), "AIDAYS=120,");
    EXPECT_EQ(ask(server, "|GET|SYS|USECT|"), "USECT=1,");
    EXPECT_EQ(ask(server, "|GET|SYS|DASERVICEURL|"), "DASERVICEURL=https://da.example.com/?a=b,c,");
    EXPECT_EQ(ask(server, "|GET|SYS|REMINDERORDER|"), "REMINDERORDER=Referrals\tReminders,");
    EXPECT_EQ(ask(server, "|GET|SYS|CCARDGATEWAY|"), "CCARDGATEWAY=,");
    EXPECT_EQ(ask(server, "|GET|SYS|AIDAYS=120|"), "") << "no setting is named after the whole text";
    EXPECT_EQ(ask(server, "|SET|SYS|=5|"), "|ERROR|System Settings|No setting named.");
}

TEST_F(SettingsServerTest, SeveralKeysAreReadInOneRequest)
{
    PracticeServer server(path);
    ask(server, "|SET|SYS|USECT=1|");
    ask(server, "|SET|SYS|KEEPCTLOC=0|");
    ask(server, "|SET|SYS|LOADCTLOGIN=|");
    const std::string reply = ask(server, "|GET|SYS|USECT,KEEPCTLOC,NOSUCH,LOADCTLOGIN|");
    EXPECT_EQ(reply, "USECT=1,KEEPCTLOC=0,LOADCTLOGIN=,") << "an unknown key is left out, an empty value kept";
}

TEST_F(SettingsServerTest, NumericKeysRefuseOtherTextWithAStatusReply)
{
    PracticeServer server(path);
    EXPECT_EQ(ask(server, "|SET|SYS|AIDAYS=ninety|"),
              "|ERROR|System Settings|AIDAYS takes a number:\"ninety\" was not saved.");
    EXPECT_EQ(ask(server, "|GET|SYS|AIDAYS|"), "AIDAYS=90,") << "the seeded value stays";
    EXPECT_EQ(ask(server, "|SET|SYS|MEDICARESEQPERCENT=12.35|"), "1");
}

TEST_F(SettingsServerTest, SeededSettingsAreOfTheKindsTheWindowReads)
{
    PracticeServer server(path);
    int stored = 0;
    for (const SettingKey& entry : SettingsCatalogue::keys()) {
        const std::string key(entry.key);
        const SysSettingRead read = judgeSysSettingReply(ask(server, "|GET|SYS|" + key + "|"), key);
        if (read.state != SysSettingRead::State::Value)
            continue;
        ++stored;
        const SettingConversion conversion = SettingValue::convert(entry, read.value);
        EXPECT_TRUE(conversion.problem.empty()) << conversion.problem;
    }
    EXPECT_GE(stored, 20);
    EXPECT_EQ(ask(server, "|GET|SYS|100PRICESET|"), "100PRICESET=1,");
    EXPECT_EQ(ask(server, "|GET|SYS|PROTECTED|"), "PROTECTED=POSTCHGAMTCALC;DASERVICEURL,");
}

TEST_F(SettingsServerTest, TheConfigurationStoreKeepsPresenceApartFromTheValue)
{
    {
        PracticeServer server(path);
        EXPECT_EQ(ask(server, "|GET|MSCG|INVINTERNAL|"), "#EMPTY#");
        EXPECT_EQ(ask(server, "|GET|MSCG|STP,NEGBAL|"), "1");
        EXPECT_EQ(ask(server, "|SET|MSCG|STPXML6,NEWBUCKETS|||"), "1");
        EXPECT_EQ(ask(server, "|GET|MSCG|STPXML6,NEWBUCKETS|"), "") << "stored with an empty value, not unset";
        EXPECT_EQ(ask(server, "|SET|MSCG|INVINTERNAL||1|"), "1");
        EXPECT_EQ(ask(server, "|SET|MSCG|STP,NEGBAL|DEL|"), "1");
        EXPECT_EQ(ask(server, "|SET|MSCG|INVINTERNAL|BOGUS|"), "ERROR: UNKNOWN COMMAND");
    }
    PracticeServer server(path);
    EXPECT_EQ(ask(server, "|GET|MSCG|INVINTERNAL|"), "1");
    EXPECT_EQ(ask(server, "|GET|MSCG|STP,NEGBAL|"), "#EMPTY#");
    EXPECT_EQ(SettingsRequests::judgeConfigReply(true, ask(server, "|GET|MSCG|STPXML6,NEWBUCKETS|")).state,
              ConfigRead::State::Value);
}

TEST_F(SettingsServerTest, ServerItemsTheirPagesAndThePostingSets)
{
    PracticeServer server(path);
    for (const char* list : {"|GET|FUNC|GETLIST^TKSETUTILS3|", "|GET|FUNC|GETLIST^TKSETTINGS1|"}) {
        const auto items = SettingsTree::readServerItems(ask(server, list));
        ASSERT_TRUE(items) << list;
        ASSERT_EQ(items->size(), 2u);
        for (const ServerItem& item : *items) {
            const std::string page = ask(server, "|SET|WEB|" + item.handle + "|");
            EXPECT_EQ(page.rfind("<html>", 0), 0u) << item.handle;
            EXPECT_NE(page.find(item.caption), std::string::npos) << item.handle;
        }
    }
    EXPECT_EQ(ask(server, "|GET|FUNC|NOSUCH|"), "ERROR: UNKNOWN COMMAND");
    EXPECT_EQ(ask(server, "|SET|WEB|nosuch|").rfind("ERROR", 0), 0u);

    const auto nodes
        = SettingsTree::build(false, {}, *SettingsTree::readServerItems(ask(server, "|GET|FUNC|GETLIST^TKSETUTILS3|")));
    int other = 0;
    for (const TreeNode& node : nodes)
        other += node.key == "S\tOther" ? 1 : 0;
    EXPECT_EQ(other, 1) << "an item of a section the tree does not have goes under Other";

    const auto sets = SettingsPages::readPostSets(ask(server, std::string(SettingsPages::postSetsRequest)));
    ASSERT_TRUE(sets);
    EXPECT_EQ(*sets, (std::vector<std::string> {"STANDARD", "SURGERY", "ANESTHESIA", "CLINIC-EAST"}));
}

class SettingsEndToEndTest : public test::ReferenceHostFixture {
protected:
    void SetUp() override { startHost(); }

    PageModel loadedPage(std::string_view leaf)
    {
        auto model = SettingsPages::forLeaf(leaf);
        EXPECT_TRUE(model) << leaf;
        EXPECT_TRUE(model->load()) << leaf;
        return *model;
    }
};

TEST_F(SettingsEndToEndTest, EveryEditorKindSavesAndTheReloadShowsTheStoredValue)
{
    struct Case {
        const char* leaf;
        const char* field;
        const char* typed;
        const char* shown;
    } const cases[] = {
        {"close_mod_dialog", "optChoice", "0", "0"},
        {"link_ai", "optChoice", "1", "1"},
        {"pos_dflt_pmnt_code", "txtLookup", "COM^Commercial", "COM^Commercial"},
        {"set_ai_days", "txtAIdays", "045", "45"},
        {"pos_pay_seq_perc", "txtPercentage", "12.345", "12.35"},
        {"set_ccard_gateway", "txtTextGeneric", "https://pay.example.com/?a=b,c", "https://pay.example.com/?a=b,c"},
        {"pos_chr_amnt_calc_method", "txtAmntCalc", "c", "C"},
        {"icd10_effective_date", "mskICD10EffDt", "10/1/15", "10/01/2015"},
        {"reminder_tabs_order", "lstTabsOrder", "Reminders\tReferrals\tPost Op Limits\tPatient Reminders",
         "Reminders\tReferrals\tPost Op Limits\tPatient Reminders"},
        {"autopost_set", "cmbAutoPostedSet", "SURGERY", "SURGERY"},
        {"ins_subm", "optInsSubm", "0", "0"},
        {"incl_credit_bal", "optStNegBal", "0", "0"},
        {"cust_forms", "chkHideAttLine", "1", "1"},
        {"elig_settings", "chkEligUseBrowser", "1", "1"},
        {"elig_settings", "txtEligTypeOfService", "30^Health Benefit Plan Coverage", "30^Health Benefit Plan Coverage"},
    };
    for (const Case& c : cases) {
        PageModel page = loadedPage(c.leaf);
        const auto field = page.fieldNamed(c.field);
        ASSERT_TRUE(field) << c.leaf;
        page.setValue(*field, c.typed);
        const SaveOutcome outcome = page.save();
        EXPECT_TRUE(outcome.complete) << c.leaf;
        EXPECT_EQ(outcome.saved, outcome.planned) << c.leaf;
        PageModel reloaded = loadedPage(c.leaf);
        EXPECT_EQ(reloaded.value(*field), c.shown) << c.leaf;
        EXPECT_FALSE(reloaded.changed()) << c.leaf;
    }
}

TEST_F(SettingsEndToEndTest, TheServersRefusalIsShownAndTheEditStays)
{
    PageField days;
    days.objectName = "txtAIdays";
    days.kind = EditorKind::Text;
    days.key = "AIDAYS";
    days.label = "Days";
    PageModel page(2, {}, {days});
    ASSERT_TRUE(page.load());
    page.setValue(0, "ninety");
    prompter->expect(PromptAnswer::Ok);
    const SaveOutcome outcome = page.save();
    EXPECT_FALSE(outcome.complete);
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_EQ(prompter->prompts[0].title, "System Settings");
    EXPECT_EQ(prompter->prompts[0].text, "AIDAYS takes a number\r\n\"ninety\" was not saved.");
    EXPECT_TRUE(page.changed());
    EXPECT_EQ(loadedPage("set_ai_days").value(0), "90");
}

} // namespace
} // namespace corvane::reference
