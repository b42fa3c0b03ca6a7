#include "PageModel.h"

#include "HostFixture.h"
#include "SentRequests.h"
#include "SettingsPages.h"
#include "SettingsTexts.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

PageModel page(std::string_view leaf)
{
    auto model = SettingsPages::forLeaf(leaf);
    if (!model)
        throw std::runtime_error("no page for " + std::string(leaf));
    return *model;
}

/// A page loaded from reads without a server: every field absent unless given.
PageModel loaded(std::string_view leaf, std::vector<FieldRead> reads = {})
{
    PageModel model = page(leaf);
    reads.resize(model.fields().size());
    if (!model.applyReads(reads))
        throw std::runtime_error("page did not load");
    return model;
}

FieldRead value(std::string text)
{
    return {FieldRead::State::Value, std::move(text)};
}

struct NumberCase {
    const char* leaf;
    const char* typed;
    const char* sent; ///< nullptr: refused
    const char* message; ///< the refusal
};

TEST(PageModel, SingleValuePagesRefuseOrSendExactly)
{
    const char* const days500 = "Number of days is invalid. Must be between (1 - 500).";
    const char* const days999 = "Number of days is invalid. Must be between (0 - 999).";
    const char* const minutes = "Number of minutes is invalid. Must be between (0 - 999).";
    const char* const percent = "Percentage is invalid. Must be between (0 - 999.99).";
    const NumberCase cases[] = {
        {"set_ai_days", "", nullptr, "Please enter number of days. Must be between (1 - 500)."},
        {"set_ai_days", "0", nullptr, days500},
        {"set_ai_days", "501", nullptr, days500},
        {"set_ai_days", "0.4", nullptr, days500},
        {"set_ai_days", "500", "|SET|SYS|AIDAYS=500|", nullptr},
        {"set_ai_days", " 007", "|SET|SYS|AIDAYS=7|", nullptr},
        {"set_lockup_timeout", "", "|SET|SYS|LOCKUPTIMEOUT=0|", nullptr},
        {"set_lockup_timeout", "1000", nullptr, minutes},
        {"zel_messages_days", "", "|SET|SYS|ZELMSGDAYS=0|", nullptr},
        {"zel_messages_days", "1000", nullptr, days999},
        {"recon_history", "0", "|SET|SYS|EISXIDAYS=0|", nullptr},
        {"recon_history", "999999", nullptr, "Number of days is invalid."},
        {"recon_history", "999998", "|SET|SYS|EISXIDAYS=999998|", nullptr},
        {"set_autopost_daterange", "", nullptr, "Number of days is invalid."},
        {"set_autopost_daterange", "0", nullptr, "Number of days is invalid."},
        {"set_autopost_daterange", "3650", "|SET|SYS|AUTOPOSTDATERANGE=3650|", nullptr},
        {"set_autopost_daterange", "3000000000", nullptr, "Number of days is invalid."},
        {"pos_pay_seq_perc", "12.345", "|SET|SYS|MEDICARESEQPERCENT=12.35|", nullptr},
        {"pos_pay_seq_perc", "999.994", "|SET|SYS|MEDICARESEQPERCENT=999.99|", nullptr},
        {"pos_pay_seq_perc", "999.995", nullptr, percent},
        {"pos_pay_seq_perc", "1.2.3", nullptr, percent},
        {"pos_pay_seq_perc", "1000", nullptr, percent},
        {"pos_pay_seq_perc", "12,5", nullptr, percent},
        {"pos_pay_seq_perc", "", "|SET|SYS|MEDICARESEQPERCENT=0|", nullptr},
        {"pos_chr_amnt_calc_method", "b", "|SET|SYS|POSTCHGAMTCALC=B|", nullptr},
        {"pos_chr_amnt_calc_method", "AB", nullptr, "Value is invalid. Must be 1 letter only."},
        {"pos_chr_amnt_calc_method", "1", nullptr, "Value is invalid. Must be 1 letter only."},
        {"pos_chr_amnt_calc_method", "", "|SET|SYS|POSTCHGAMTCALC=|", nullptr},
        {"icd10_effective_date", "10/1/15", "|SET|SYS|DG10DATE=10/01/2015|", nullptr},
        {"set_support_url", "https://help.example.com/a=b,c", "|SET|SYS|ZELSUPPORTURL=https://help.example.com/a=b,c|",
         nullptr},
        {"set_support_url", "https://a|b", nullptr, "Support URL cannot hold \"|\"."},
    };
    for (const NumberCase& c : cases) {
        PageModel model = loaded(c.leaf, {value("42")});
        model.setValue(0, c.typed);
        const auto refusal = model.validate();
        const auto requests = model.saveRequests();
        if (c.sent) {
            EXPECT_FALSE(refusal) << c.leaf << " " << c.typed << ": " << refusal->message;
            ASSERT_EQ(requests.size(), 1u) << c.leaf << " " << c.typed;
            EXPECT_EQ(requests[0].request, c.sent);
        } else {
            ASSERT_TRUE(refusal) << c.leaf << " " << c.typed;
            EXPECT_EQ(refusal->title, "System Settings");
            EXPECT_TRUE(requests.empty());
            if (std::string_view(c.message).find("cannot hold") == std::string_view::npos)
                EXPECT_EQ(refusal->message, c.message) << c.leaf << " " << c.typed;
            else
                EXPECT_NE(refusal->message.find("\"|\""), std::string::npos) << refusal->message;
        }
    }
}

TEST(PageModel, NotADateIsRefusedWithTheDateMessages)
{
    PageModel model = loaded("icd10_effective_date", {value("10/01/2015")});
    EXPECT_EQ(model.value(0), "10/01/2015");
    model.setValue(0, "13/45/2015");
    const auto refusal = model.validate();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->title, "Date Validation");
    EXPECT_EQ(refusal->message, "13/45/2015 is not a valid date.\r\nPlease use MM/DD/YYYY or MM/DD/YY format.");
}

TEST(PageModel, OnlyChangedValuesAreSentInThePagesOrder)
{
    PageModel autopost = loaded("autopost_set", {value("40"), value("OPEN1"), value("POSTED1")});
    EXPECT_FALSE(autopost.changed());
    EXPECT_FALSE(autopost.canSave()) << "nothing changed";
    autopost.setValue(2, "POSTED2");
    autopost.setValue(0, "60");
    const auto requests = autopost.saveRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].request, "|SET|SYS|AUTOPOSTMSGCHARS=60|");
    EXPECT_EQ(requests[1].request, "|SET|SYS|AUTOPOSTEDSET=POSTED2|");
    autopost.setValue(0, "6O");
    const auto refusal = autopost.validate();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, "Numbers only");
    EXPECT_EQ(refusal->title, "Invalid entry");
    autopost.setValue(0, "");
    EXPECT_EQ(autopost.saveRequests()[0].request, "|SET|SYS|AUTOPOSTMSGCHARS=|") << "empty uses the system default";
}

TEST(PageModel, PasswordExpirationChecksBothValuesBeforeSendingEither)
{
    PageModel model = loaded("password_expire", {value("90"), value("7")});
    model.setValue(0, "60");
    model.setValue(1, "x");
    const auto refusal = model.validate();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->field, 1u);
    EXPECT_EQ(refusal->message, "Number of days is invalid.");
    EXPECT_TRUE(model.saveRequests().empty()) << "the valid expiry is not sent ahead of the invalid warning";
    model.setValue(1, "");
    const auto requests = model.saveRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].request, "|SET|SYS|PWDDAYS=60|");
    EXPECT_EQ(requests[1].request, "|SET|SYS|PWDWARN=0|");
    EXPECT_EQ(
        model.failureMessage(requests[0].request),
        "mcomm.GetServerStringData failed in frmSysSettings.SavePasswordExpiration\r\nAfter: |SET|SYS|PWDDAYS=60|");
}

TEST(PageModel, ReminderTabsShowTheDefaultOrderAndSaveItJoinedByTabs)
{
    PageModel model = loaded("reminder_tabs_order");
    EXPECT_EQ(model.value(0), "Post Op Limits\tReferrals\tReminders\tPatient Reminders");
    EXPECT_FALSE(model.changed());
    model.setValue(0, "\tReferrals\tPost Op Limits\tReminders\tPatient Reminders\t");
    ASSERT_EQ(model.saveRequests().size(), 1u);
    EXPECT_EQ(model.saveRequests()[0].request,
              "|SET|SYS|REMINDERORDER=Referrals\tPost Op Limits\tReminders\tPatient Reminders|");
    EXPECT_TRUE(model.texts().logoffNote);

    PageModel stored = loaded("reminder_tabs_order", {value("\tReminders\t\tReferrals")});
    EXPECT_EQ(stored.value(0), "Reminders\tReferrals") << "empty names are not listed";
}

TEST(PageModel, ChoicePagesShowDefaultsAndSendTheIndex)
{
    PageModel insurance = loaded("insur_policy_req");
    EXPECT_EQ(insurance.value(0), "1") << "an empty value shows Require Insurance Policy";
    EXPECT_FALSE(insurance.changed());
    EXPECT_EQ(insurance.texts().header, "Insurance Policy");
    insurance.setValue(0, "0");
    ASSERT_EQ(insurance.saveRequests().size(), 1u);
    EXPECT_EQ(insurance.saveRequests()[0].request, "|SET|SYS|DEMOINSPOL=0|");
    EXPECT_EQ(insurance.failureMessage("|SET|SYS|DEMOINSPOL=0|"),
              "|SET|SYS|DEMOINSPOL=0|\r\nmComm.GetServerStringData failed.");

    EXPECT_EQ(loaded("ref_message_default").texts().note,
              "NOTE: This setting will control the appearance of Referral/Message module in the following:\n"
              "AI/Charge Detail/Message and Posting/Charges/Authorization.");
}

TEST(PageModel, LookupValuesAreCodeAndDescriptionOrNothing)
{
    PageModel model = loaded("pos_dflt_pmnt_code", {value("MCR^Medicare")});
    EXPECT_EQ(model.value(0), "MCR^Medicare");
    EXPECT_EQ(model.fields()[0].lookupType, "FL");
    model.setValue(0, "^Medicare");
    EXPECT_EQ(model.saveRequests()[0].request, "|SET|SYS|POSPAYDEF=|") << "no code stores nothing, not \"^\"";
    model.setValue(0, "COM^Commercial|Group");
    ASSERT_TRUE(model.validate());
    EXPECT_NE(model.validate()->message.find("\"|\""), std::string::npos);
}

TEST(PageModel, EligibilityTicksUseBrowserOnlyForOneAndSendsInItsOrder)
{
    PageModel model = loaded("elig_settings", {value("2"), {}, {}});
    EXPECT_EQ(model.value(0), "0") << "ticked only when it is 1";
    EXPECT_EQ(model.value(1), "0") << "an empty vendor selects Emdeon";
    EXPECT_EQ(model.value(2), "");
    model.setValue(2, "30^Health Benefit Plan Coverage");
    model.setValue(1, "1");
    model.setValue(0, "1");
    const auto requests = model.saveRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].request, "|SET|SYS|ELIGUSEBROWSER=1|");
    EXPECT_EQ(requests[1].request, "|SET|SYS|ELIGVENDOR=1|");
    EXPECT_EQ(requests[2].request, "|SET|SYS|ELIGTOS=30^Health Benefit Plan Coverage|");
}

class PageModelServerTest : public test::HostFixture {
protected:
    void answerSaves(std::vector<std::string> replies)
    {
        quillon->answer = [this, replies = std::move(replies)](const std::string& request) mutable {
            if (request.rfind("|SET|", 0) != 0)
                return std::vector<std::string> {quillon->stringReplies[request]};
            const std::string reply = replies.empty() ? "1" : replies.front();
            if (!replies.empty())
                replies.erase(replies.begin());
            return std::vector<std::string> {reply};
        };
    }
    std::vector<std::string> writes() const { return test::startingWith(quillon->requests, "|SET|"); }
};

TEST_F(PageModelServerTest, AFailedReadKeepsTheCoverAndNothingCanBeSaved)
{
    PageModel model = page("close_mod_dialog");
    quillon->reachable = false;
    EXPECT_FALSE(model.load());
    EXPECT_FALSE(model.loaded());
    model.setValue(0, "1");
    EXPECT_FALSE(model.canSave());
    EXPECT_TRUE(model.saveRequests().empty());
    EXPECT_EQ(prompter->beeps, 1);

    quillon->reachable = true;
    quillon->stringReplies["|GET|SYS|CMDAS|"] = "|ERROR|System Settings|Database locked";
    EXPECT_FALSE(model.load()) << "an error reply is not taken for an empty value";
    quillon->stringReplies["|GET|SYS|CMDAS|"] = "CMDAS=1,";
    EXPECT_TRUE(model.load());
    EXPECT_EQ(model.value(0), "1");
}

TEST_F(PageModelServerTest, AKeyTheCatalogueDoesNotKnowFailsThePage)
{
    PageField unknown;
    unknown.objectName = "txtOdd";
    unknown.key = "NOSUCHKEY";
    PageModel model(32, {}, {unknown});
    quillon->stringReplies["|GET|SYS|NOSUCHKEY|"] = "NOSUCHKEY=1,";
    EXPECT_FALSE(model.load());
    EXPECT_TRUE(logged("Load One Setting - did not find SettingCode: NOSUCHKEY"));
    EXPECT_EQ(prompter->beeps, 1);
}

TEST_F(PageModelServerTest, AnOutOfRangeChoiceIsLoggedAndSelectsNothing)
{
    quillon->stringReplies["|GET|SYS|CMDAS|"] = "CMDAS=1,";
    quillon->stringReplies["|GET|SYS|CHGSLIP|"] = "CHGSLIP=7,";
    PageModel slips = page("charge_slips");
    EXPECT_TRUE(slips.load());
    EXPECT_EQ(slips.value(0), "");
    EXPECT_TRUE(logged("Data mismatch: System Settings/LoadDataToOptionFrame - SelectedValue is out of range"));
}

TEST_F(PageModelServerTest, ARefusedSaveKeepsTheEditsAndSaysWhatWasStored)
{
    quillon->stringReplies["|GET|SYS|AUTOPOSTMSGCHARS|"] = "AUTOPOSTMSGCHARS=40,";
    quillon->stringReplies["|GET|SYS|AUTOPOSTSET|"] = "AUTOPOSTSET=OPEN1,";
    quillon->stringReplies["|GET|SYS|AUTOPOSTEDSET|"] = "AUTOPOSTEDSET=POSTED1,";
    PageModel model = page("autopost_set");
    ASSERT_TRUE(model.load());
    model.setValue(0, "60");
    model.setValue(1, "OPEN2");
    model.setValue(2, "POSTED2");
    answerSaves({"1", "|ERROR|Autopost|Set OPEN2 is closed"});
    prompter->expect(PromptAnswer::Ok);
    const SaveOutcome outcome = model.save();
    EXPECT_FALSE(outcome.complete);
    EXPECT_EQ(outcome.saved, 1u);
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|AUTOPOSTMSGCHARS=60|", "|SET|SYS|AUTOPOSTSET=OPEN2|"}))
        << "the third value is not sent after a refusal";
    ASSERT_EQ(utils->messages.size(), 1u);
    EXPECT_EQ(utils->messages[0].text, "Set OPEN2 is closed") << "the server's own text";
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_EQ(prompter->prompts[0].text, "Saved: Message column width.\r\nNot saved: Open set, Posted set.");
    EXPECT_FALSE(model.changed(0));
    EXPECT_EQ(model.value(1), "OPEN2") << "the operator's edits stay";
    EXPECT_TRUE(model.changed(1));
    EXPECT_TRUE(model.changed(2));
}

TEST_F(PageModelServerTest, AFailedCallShowsThePagesFailureTextAndTheRest)
{
    quillon->stringReplies["|GET|SYS|PWDDAYS|"] = "PWDDAYS=90,";
    quillon->stringReplies["|GET|SYS|PWDWARN|"] = "PWDWARN=7,";
    PageModel model = page("password_expire");
    ASSERT_TRUE(model.load());
    model.setValue(0, "60");
    model.setValue(1, "5");
    answerSaves({});
    quillon->failWhen = [](const std::string& request) {
        return request == "|SET|SYS|PWDWARN=5|";
    };
    prompter->expect(PromptAnswer::Ok);
    const SaveOutcome outcome = model.save();
    EXPECT_FALSE(outcome.complete);
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_EQ(prompter->prompts[0].title, "Practice Manager");
    EXPECT_EQ(prompter->prompts[0].text,
              "mcomm.GetServerStringData failed in frmSysSettings.SavePasswordExpiration\r\nAfter: "
              "|SET|SYS|PWDWARN=5|\r\n\r\nSaved: Password expiration days.\r\nNot saved: Warning days.");
}

TEST_F(PageModelServerTest, InsuranceSubmissionOffersAccountNumberButWritesOnlyOnSave)
{
    quillon->stringReplies["|GET|MSCG|INVINTERNAL|"] = "#EMPTY#";
    PageModel model = page("ins_subm");
    ASSERT_TRUE(model.load());
    EXPECT_EQ(model.value(0), "1");
    EXPECT_TRUE(writes().empty()) << "opening the page writes nothing";
    EXPECT_TRUE(model.canSave()) << "the offered value is not stored yet";
    answerSaves({"1"});
    EXPECT_TRUE(model.save().complete);
    EXPECT_EQ(writes(), std::vector<std::string> {"|SET|MSCG|INVINTERNAL||1|"});

    quillon->answer = nullptr;
    quillon->stringReplies["|GET|MSCG|INVINTERNAL|"] = "0";
    ASSERT_TRUE(model.load());
    EXPECT_EQ(model.value(0), "0");
    EXPECT_FALSE(model.changed());
}

TEST_F(PageModelServerTest, AnUnknownCommandForTheCreditBalanceCovers)
{
    PageModel model = page("incl_credit_bal");
    quillon->stringReplies["|GET|MSCG|STP,NEGBAL|"] = "ERROR: UNKNOWN COMMAND";
    EXPECT_FALSE(model.load()) << "an unknown command is not a stored Yes";
    EXPECT_TRUE(logged("--- ERROR: UNKNOWN COMMAND|GET|MSCG|STP,NEGBAL|"));
    EXPECT_EQ(prompter->beeps, 1);
    utils->developer = true;
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(model.load());
    EXPECT_EQ(prompter->prompts.back().title, "DEBUG");
}

} // namespace
} // namespace corvane
