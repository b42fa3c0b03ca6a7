#include "ApptDefaults.h"
#include "HostFixture.h"
#include "ScheduledStatus.h"
#include "SchedulerSetting.h"
#include "SentRequests.h"
#include "UpdateTransDefaults.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace std::string_literals;

// --- transaction update defaults (DFVL3) ---

TEST(UpdateTransDefaults, StoredFieldsOverTheDefaultsInEitherCase)
{
    const UpdateTransValues stored = UpdateTransDefaults::read("1:w:30:D:I");
    EXPECT_TRUE(stored.alwaysShow);
    EXPECT_EQ(stored.flag, 4u) << "&Wait";
    EXPECT_EQ(stored.days, "30");
    EXPECT_EQ(stored.paid, 1u) << "Don't include Paid Charges";
    EXPECT_EQ(stored.zeroBalance, 0u);

    const UpdateTransValues shorter = UpdateTransDefaults::read("1:N");
    EXPECT_TRUE(shorter.alwaysShow);
    EXPECT_EQ(shorter.flag, 1u);
    EXPECT_EQ(shorter.days, "0") << "fields not present keep their defaults";
    EXPECT_EQ(shorter.paid, 0u);

    const UpdateTransValues odd = UpdateTransDefaults::read("Y:X:abc:Q:d:EXTRA:MORE");
    EXPECT_FALSE(odd.alwaysShow);
    EXPECT_EQ(odd.flag, 0u) << "a letter that matches no choice leaves the default";
    EXPECT_EQ(odd.days, "0");
    EXPECT_EQ(odd.zeroBalance, 1u);
    EXPECT_EQ(odd.rest, "EXTRA:MORE");
    EXPECT_EQ(UpdateTransDefaults::write(odd), ":I:0:I:D:EXTRA:MORE") << "later fields go back as they came";

    EXPECT_EQ(UpdateTransDefaults::write(stored), "1:W:30:D:I");
    EXPECT_FALSE(UpdateTransDefaults::readReply("|ERROR|Codes|No code named."));
    EXPECT_FALSE(UpdateTransDefaults::readReply("Error: unknown request GET on table CODE"));
}

TEST(UpdateTransDefaults, DaysAreZeroToNineHundredNinetyNine)
{
    EXPECT_EQ(UpdateTransDefaults::days(""), "0");
    EXPECT_EQ(UpdateTransDefaults::days(" 007 "), "7");
    EXPECT_EQ(UpdateTransDefaults::days("999"), "999");
    EXPECT_FALSE(UpdateTransDefaults::days("1000"));
    EXPECT_FALSE(UpdateTransDefaults::days("-1"));
    EXPECT_FALSE(UpdateTransDefaults::days("3?"));
}

class ServerPageTest : public test::HostFixture {
protected:
    std::vector<std::string> writes() const { return test::startingWith(quillon->requests, "|SET"); }
};

TEST_F(ServerPageTest, UpdateTransSavesTheWholeEntryAndRefusesBadDaysBeforeSending)
{
    quillon->stringReplies["|GET|CODE|DFVL3|"] = "1:A:30:I:I";
    quillon->stringReplies["|SET|CODE|DFVL3|:D:0:I:D"] = "1";
    UpdateTransDefaults page;
    ASSERT_TRUE(page.load());
    UpdateTransValues values = page.values();
    values.days = "1000";
    page.setValues(values);
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(page.save());
    EXPECT_EQ(prompter->prompts.back().text, "Please enter number of days (0-999)!");
    EXPECT_TRUE(writes().empty());

    values.alwaysShow = false;
    values.flag = 3;
    values.days = "";
    values.zeroBalance = 1;
    page.setValues(values);
    EXPECT_TRUE(page.changed());
    ASSERT_TRUE(page.save());
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|CODE|DFVL3|:D:0:I:D"}));
    EXPECT_EQ(page.values().days, "0") << "an empty days field is saved, and shown, as 0";
    EXPECT_FALSE(page.changed());

    quillon->stringReplies["|GET|CODE|DFVL3|"] = "ERROR: UNKNOWN COMMAND";
    EXPECT_FALSE(page.load()) << "an error reply keeps the cover";
}

// --- scheduled reports and submissions status ---

TEST(ScheduledStatus, OnlyOneIsRunningAndOnlyFailuresAreUnknown)
{
    EXPECT_EQ(ScheduledStatus::judge(true, "1"), RunState::Running);
    EXPECT_EQ(ScheduledStatus::judge(true, "0"), RunState::Stopped);
    EXPECT_EQ(ScheduledStatus::judge(true, ""), RunState::Stopped);
    EXPECT_EQ(ScheduledStatus::judge(true, "YES"), RunState::Stopped);
    EXPECT_EQ(ScheduledStatus::judge(true, "ERROR: UNKNOWN COMMAND"), RunState::Unknown);
    EXPECT_EQ(ScheduledStatus::judge(false, "1"), RunState::Unknown);
    EXPECT_EQ(ScheduledStatus::forLeaf("sch_submissions_status"), &ScheduledStatus::submissions);
    EXPECT_EQ(ScheduledStatus::forLeaf("sch_tabs"), nullptr);
}

TEST_F(ServerPageTest, StartStopSendsTheLeafsRequestAndSaysOneThing)
{
    bool running = false;
    std::string startReply = "1";
    quillon->answer = [&](const std::string& request) -> std::vector<std::string> {
        if (request == "|GETP|SUBSCH|RUNSTATUS")
            return {running ? "1" : "0"};
        if (request == "|SETP|SUBSCH|RUN|1") {
            running = startReply == "1";
            return {startReply};
        }
        if (request == "|SETP|SUBSCH|RUN|0") {
            running = false;
            return {"1"};
        }
        return {"ERROR: UNKNOWN COMMAND"};
    };
    ScheduledStatus status(ScheduledStatus::submissions);
    EXPECT_EQ(status.refresh(), RunState::Stopped);
    EXPECT_EQ(status.buttonText(), "START");

    StartStopOutcome outcome = status.startStop(RunState::Stopped);
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SETP|SUBSCH|RUN|1"}));
    EXPECT_EQ(outcome.message, "Scheduled Submissions started.");
    EXPECT_EQ(outcome.title, "Scheduled Submissions");
    EXPECT_EQ(status.statusText(), "RUNNING");

    outcome = status.startStop(RunState::Stopped);
    EXPECT_EQ(outcome.message, "Scheduled Submissions is already running.") << "nothing is sent on a stale state";
    EXPECT_EQ(writes().size(), 1u);

    outcome = status.startStop(RunState::Running);
    EXPECT_EQ(writes().back(), "|SETP|SUBSCH|RUN|0");
    EXPECT_EQ(outcome.message, "Scheduled Submissions stopped.");

    startReply = "0";
    outcome = status.startStop(RunState::Stopped);
    EXPECT_EQ(outcome.message, "Error: |SETP|SUBSCH|RUN|1, returned: 0");
    EXPECT_EQ(outcome.title, "Start/Stop");
    EXPECT_EQ(status.state(), RunState::Stopped) << "the page shows the actual state afterwards";

    startReply = "ERROR: queue locked";
    outcome = status.startStop(RunState::Stopped);
    EXPECT_EQ(outcome.message, "ERROR: queue locked\r\nafter:|SETP|SUBSCH|RUN|1");
}

TEST_F(ServerPageTest, AStatusReadThatFailsIsUnknownAndSendsNoStartOrStop)
{
    quillon->stringReplies["|GETP|RPTSCH|RUNSTATUS"] = "ERROR: UNKNOWN COMMAND";
    ScheduledStatus status(ScheduledStatus::reports);
    EXPECT_EQ(status.refresh(), RunState::Unknown);
    EXPECT_EQ(status.lastError(), "ERROR: UNKNOWN COMMAND\r\nafter:|GETP|RPTSCH|RUNSTATUS");
    EXPECT_EQ(status.statusText(), "UNKNOWN");
    const StartStopOutcome outcome = status.startStop(RunState::Stopped);
    EXPECT_FALSE(outcome.sent);
    EXPECT_TRUE(writes().empty());

    quillon->reachable = false;
    EXPECT_EQ(status.refresh(), RunState::Unknown);
    EXPECT_TRUE(logged("mcomm.GetServerStringData failed in frmSysSettings.SchStatusIsRunning server not reachable"));
}

// --- scheduler entity rule and AR class ---

TEST(SchedulerSetting, TheStoredValueIsReadFromTheFirstEqualsWithTheClosingCommaRemovedOnce)
{
    auto read = SchedulerSetting::readReply("SCHEDULER=1\tAB,");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->rule, 1);
    EXPECT_EQ(read->arClass, "AB");

    read = SchedulerSetting::readReply("SCHEDULER=3\x03X=Y,Z\tA=B,");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->rule, 3);
    EXPECT_EQ(read->special, "X=Y,Z") << "an equals sign and a comma inside the value stay";
    EXPECT_EQ(read->arClass, "A=B");

    read = SchedulerSetting::readReply("SCHEDULER=3\x03X,");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->special, "X") << "the comma goes without a TAB too";

    for (const char* noRule : {"SCHEDULER=\tAB,", "SCHEDULER=7\tAB,", "SCHEDULER=,"}) {
        read = SchedulerSetting::readReply(noRule);
        ASSERT_TRUE(read) << noRule;
        EXPECT_EQ(read->rule, SchedulerValue::noRule) << noRule;
    }
    EXPECT_FALSE(SchedulerSetting::readReply(""));
    EXPECT_FALSE(SchedulerSetting::readReply("  error: not found"));
}

TEST(SchedulerSetting, TheWrittenValueIsRuleTabClass)
{
    SchedulerValue value;
    value.arClass = "AB";
    EXPECT_EQ(SchedulerSetting::writeRequest(value), "|SET|SYS|SCHEDULER=\tAB|") << "no rule: an empty rule part";
    value.rule = 2;
    EXPECT_EQ(SchedulerSetting::writeRequest(value), "|SET|SYS|SCHEDULER=2\tAB|");
    value.rule = 3;
    value.special = "X";
    value.arClass.clear();
    EXPECT_EQ(SchedulerSetting::writeRequest(value), "|SET|SYS|SCHEDULER=3\x03X\t|");
    EXPECT_EQ(SchedulerSetting::readReply("SCHEDULER=" + SchedulerSetting::rulePart(value) + "\t,"), value);

    value.special = "A\tB";
    EXPECT_EQ(SchedulerSetting::refusal(value),
              "Special may not hold a TAB: the practice server uses it to separate "
              "data.\r\nPlease remove or replace it.");
    value.special = "ok";
    value.arClass = "A|B";
    EXPECT_TRUE(SchedulerSetting::refusal(value));
}

TEST_F(ServerPageTest, SchedulerSaveKeepsTheEditsWhenRefused)
{
    quillon->stringReplies["|GET|SYS|SCHEDULER|"] = "SCHEDULER=1\tSELF,";
    quillon->stringReplies["|SET|SYS|SCHEDULER=0\tINS|"] = "|ERROR|Scheduler|Appointments are open";
    SchedulerSetting page;
    ASSERT_TRUE(page.load());
    SchedulerValue value = page.value();
    value.rule = 0;
    value.arClass = "INS";
    page.setValue(value);
    EXPECT_FALSE(page.save());
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|SCHEDULER=0\tINS|"}));
    EXPECT_TRUE(page.changed());

    quillon->stringReplies["|SET|SYS|SCHEDULER=0\tINS|"] = "1";
    EXPECT_TRUE(page.save());
    EXPECT_FALSE(page.changed());
}

// --- appointment defaults grid ---

std::vector<std::string> apptReply()
{
    return {"|OK||", "Tab00kZ008\tCaption01pZ016\tShow04pZ106\tMinutes0ApZ208",
            "NEW00kZ000\tNew Patient01pZ020\t104pZ100\t450ApZ200", "FU00kZ000\t01pZ020\t004pZ100\t150ApZ200", "|END|"};
}

TEST(ApptDefaults, FramingIsSetAsideAndValuesKeptApartFromTheirFormat)
{
    std::string why;
    auto grid = ApptDefaults::read(apptReply(), &why);
    ASSERT_TRUE(grid) << why;
    EXPECT_EQ(grid->columnCount(), 4);
    EXPECT_EQ(grid->rowCount(), 2) << "neither \"|OK||\" nor \"|END|\" is a row";
    EXPECT_EQ(grid->header(2).value, "Caption");
    EXPECT_EQ(grid->header(2).limit, 16);
    EXPECT_EQ(grid->cell(1, 2).value, "New Patient");
    EXPECT_EQ(grid->cell(1, 2).limit, 20);
    EXPECT_EQ(grid->cell(2, 2).value, "") << "a cell holding only its format has an empty value";
    EXPECT_TRUE(grid->cell(1, 3).format.isCheck());
    EXPECT_EQ(grid->cell(1, 4).text(), "450ApZ200");
    EXPECT_EQ(grid->saveData(), "\tNew Patient\t1\t45\x01\t\t0\t15\x01"s)
        << "one TAB per column always: the empty caption keeps its place";

    EXPECT_FALSE(ApptDefaults::read({"Error: no appointment data 22", "|END|"}, &why));
    EXPECT_EQ(why, "Error: no appointment data 22");
    EXPECT_FALSE(ApptDefaults::read({"|OK||", "|END|"}));
    EXPECT_TRUE(ApptDefaults::read({"|OK||Tab00kZ008\tCaption01pZ016", "A00kZ000\tB01pZ020", "|END|"}))
        << "a header riding on the \"|OK||\" line";
}

TEST(ApptDefaults, CellsRefuseWhatTheServerCannotTake)
{
    auto grid = ApptDefaults::read(apptReply());
    ASSERT_TRUE(grid);
    EXPECT_TRUE(grid->refusal(1, 1, "X")) << "the tab's name is not changed";
    EXPECT_EQ(grid->refusal(1, 2, "Twenty one characters"), "Caption takes at most 20 characters.");
    EXPECT_EQ(grid->refusal(1, 2, "A\x01"s),
              "Caption may not hold the control character 1: the practice server uses "
              "it to separate data.\r\nPlease remove or replace it.");
    EXPECT_EQ(grid->refusal(1, 4, "1000"), "Minutes takes a number from 0 to 999.");
    EXPECT_EQ(grid->refusal(1, 4, "4.5"), "Minutes takes a number from 0 to 999.");
    EXPECT_TRUE(grid->refusal(1, 3, "2"));
    EXPECT_FALSE(grid->refusal(1, 4, ""));
    EXPECT_FALSE(grid->changed());
    EXPECT_TRUE(grid->setValue(2, 2, "Follow-up"));
    EXPECT_TRUE(grid->changed());
    EXPECT_EQ(grid->writeRequest(), "|SET|ASDATA|22|\tNew Patient\t1\t45\x01\tFollow-up\t0\t15\x01"s);
    grid->markSaved();
    EXPECT_FALSE(grid->changed());

    auto defaults = ApptDefaults::read({"|OK||", "Tab00kZ008\tCaption01pZ016\tShow04pZ106\tMinutes0ApZ208",
                                        "NEW00kZ000\tNew01pZ020\t104pZ100\t300ApZ200", "|END|"});
    ASSERT_TRUE(defaults);
    grid->takeValues(*defaults);
    EXPECT_TRUE(grid->changed()) << "defaults shown are edits until saved";
    EXPECT_EQ(grid->rowCount(), 1);
}

} // namespace
} // namespace corvane
