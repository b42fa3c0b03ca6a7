#include "CorvaneGrid.h"
#include "KeyboardDriver.h"
#include "SettingsPageFixture.h"
#include "SettingsTexts.h"
#include "WireCodec.h"
#include "frmCodeTablesPage.h"
#include "frmOwnSettingsPage.h"
#include "frmSchTabsPage.h"
#include "frmSysSettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace std::string_literals;
using test::focusName;
using test::press;

/// The settings window on the reference practice server, every request recorded, for the pages with widgets of
/// their own: code tables and preferences, scheduled status, eligibility, transaction update and scheduler.
class SettingsPagesWindowTest : public test::SettingsPageFixture {
protected:
    /// As the fixture's, holding the text to exactly "Settings Saved.".
    void saveExpectingSaved()
    {
        clickSave();
        EXPECT_EQ(prompter->prompts.back().text, SettingsTexts::saved);
    }
    frmCodeTablesPage* codeTables() const { return dynamic_cast<frmCodeTablesPage*>(window->ownPage()); }
};

TEST_F(SettingsPagesWindowTest, CodeTablesDefaultsAskThePasswordOnlyWhenTickedAndSaveTheChangedValues)
{
    start();
    ASSERT_TRUE(window->selectLeaf("code_tables"));
    ASSERT_NE(codeTables(), nullptr);
    EXPECT_EQ(window->currentPage(), 6);
    EXPECT_EQ(requests, (std::vector<std::string> {"|GET|SYS|USECT,KEEPCTLOC,LOADCTLOGIN|"}));
    EXPECT_EQ(label("lblHeader"), QStringLiteral("Using Code Tables - Default System settings"));
    EXPECT_EQ(child<QLabel>("lblUserOverwrite_0")->text(), WireCodec::toQString(SettingsTexts::userOverwrite));
    EXPECT_FALSE(check("chkUseCT")->isChecked());
    EXPECT_FALSE(check("chkKeepCTloc")->isEnabled()) << "only while Use Code Tables is ticked";

    prompter->expectText("abc");
    prompter->expect(PromptAnswer::Ok);
    check("chkUseCT")->click();
    EXPECT_EQ(prompter->prompts[0].title, "Password Required");
    EXPECT_TRUE(prompter->maskedAsks.front());
    EXPECT_EQ(prompter->prompts[1].text, "Wrong password.");
    EXPECT_FALSE(check("chkUseCT")->isChecked());
    EXPECT_FALSE(save()->isEnabled()) << "a wrong password changes nothing";

    prompter->expectText("SLW");
    check("chkUseCT")->click();
    ASSERT_TRUE(check("chkUseCT")->isChecked());
    check("chkKeepCTloc")->click();
    check("chkShowAdvanced")->click();
    ASSERT_TRUE(save()->isEnabled());
    saveExpectingSaved();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|USECT=1", "|SET|SYS|KEEPCTLOC=1"}))
        << "the advanced box has no system value";
    EXPECT_EQ(ask("|GET|SYS|USECT,KEEPCTLOC,LOADCTLOGIN|"), "USECT=1,KEEPCTLOC=1,LOADCTLOGIN=0,");

    // Showing stored values asks nothing (the scripted prompter fails on any question).
    openWindow();
    ASSERT_TRUE(window->selectLeaf("code_tables"));
    EXPECT_TRUE(check("chkUseCT")->isChecked());
    EXPECT_TRUE(check("chkKeepCTloc")->isChecked());
    check("chkUseCT")->click();
    EXPECT_FALSE(check("chkKeepCTloc")->isChecked()) << "unticked with Use Code Tables";
    saveExpectingSaved();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|USECT=0", "|SET|SYS|KEEPCTLOC=0"}));
}

TEST_F(SettingsPagesWindowTest, OperatorAThenBShowsAndSavesEachOperatorsOwnPreferences)
{
    start();
    ask("|SET|PREFS|MJONES|SHOWADVANCED=1\r\nZOOM=110\r\n");
    ask("|SET|PREFS|DKIM|USECT=1\r\nLOADCTLOGIN=1\r\n");

    ASSERT_TRUE(window->selectNode("U\tMJONES\tusername"));
    EXPECT_EQ(requests, (std::vector<std::string> {"|GET|PREFS|MJONES|"}));
    EXPECT_EQ(window->currentPage(), 6);
    EXPECT_TRUE(WireCodec::toWireLossy(window->windowTitle()).starts_with("Operator Settings:       MJONES"));
    EXPECT_TRUE(check("chkShowAdvanced")->isChecked());
    EXPECT_FALSE(check("chkUseCT")->isChecked());

    requests.clear();
    ASSERT_TRUE(window->selectNode("U\tDKIM\tusername"));
    EXPECT_EQ(requests, (std::vector<std::string> {"|GET|PREFS|DKIM|"})) << "another operator's page is read afresh";
    EXPECT_FALSE(check("chkShowAdvanced")->isChecked());
    EXPECT_TRUE(check("chkUseCT")->isChecked());
    EXPECT_TRUE(check("chkLoadAllCT")->isChecked());

    check("chkShowWinMenu")->click();
    saveExpectingSaved();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|PREFS|DKIM|LOADCTLOGIN=1\r\nSHOWWINMENU=1\r\nUSECT=1\r\n"}));
    EXPECT_EQ(ask("|GET|PREFS|MJONES|"), "SHOWADVANCED=1\r\nZOOM=110\r\n") << "A's preferences are untouched";

    // Back to A: A's values, not B's.
    ASSERT_TRUE(window->selectNode("U\tMJONES\tusername"));
    EXPECT_FALSE(check("chkShowWinMenu")->isChecked());
    EXPECT_TRUE(check("chkShowAdvanced")->isChecked());
}

TEST_F(SettingsPagesWindowTest, ApplyToAllGoesOnPastAFailingOperatorAndSaysWhoWasNotSaved)
{
    start();
    // The server no longer knows MJONES as an operator, so it refuses to store MJONES's preferences.
    host->server->database().exec("PRAGMA foreign_keys = OFF");
    host->server->database().exec("DELETE FROM operators WHERE code = 'MJONES'");
    ask("|SET|PREFS|DKIM|ZOOM=90\r\n");
    ASSERT_TRUE(window->selectNode("U\tDKIM\tusername"));
    check("chkShowWinMenu")->click();

    prompter->expect(PromptAnswer::No);
    child<QPushButton>("cmdApplyToAllUsers_2")->click();
    EXPECT_EQ(prompter->prompts.back().title, "WARNING");
    EXPECT_TRUE(writes().empty()) << "No stops";

    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>("cmdApplyToAllUsers_2")->click();
    EXPECT_EQ(prompter->prompts.back().text, "Applied to 8 of 9 operators; not saved: MJONES (No operator MJONES.)");
    EXPECT_EQ(writes().size(), 9u) << "every operator is tried";
    EXPECT_EQ(ask("|GET|PREFS|DKIM|"), "SHOWWINMENU=1\r\nZOOM=90\r\n")
        << "the displayed operator's value is copied, the other preferences kept";
    EXPECT_EQ(ask("|GET|PREFS|RPATEL|"), "SHOWWINMENU=1\r\nZOOM=100\r\n");
    EXPECT_EQ(ask("|GET|PREFS|VQ|"), "SHOWWINMENU=1\r\nZOOM=100\r\n");
    EXPECT_FALSE(save()->isEnabled()) << "what was applied is what the page shows";
}

TEST_F(SettingsPagesWindowTest, AKeyboardAloneOpensTicksAndSavesTheCodeTablesPage)
{
    start();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->tree()->setFocus();
    press(Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(focusName(), QStringLiteral("txtFind"));
    test::type(QStringLiteral("Code Tables"));
    press(Qt::Key_Return);
    ASSERT_EQ(window->currentPage(), 6);

    // Tab goes round to the tree, whose Enter moves into the page.
    for (int i = 0; i < 20 && focusName() != QStringLiteral("tvwSystemSettings"); ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(focusName(), QStringLiteral("tvwSystemSettings"));
    press(Qt::Key_Return);
    ASSERT_EQ(focusName(), QStringLiteral("chkUseCT"));
    prompter->expectText("slw");
    press(Qt::Key_Space);
    EXPECT_TRUE(check("chkUseCT")->isChecked());
    press(Qt::Key_Tab);
    ASSERT_EQ(focusName(), QStringLiteral("chkKeepCTloc"));
    press(Qt::Key_Space);
    press(Qt::Key_Tab);
    ASSERT_EQ(focusName(), QStringLiteral("chkLoadAllCT"));
    press(Qt::Key_Space);
    EXPECT_TRUE(check("chkLoadAllCT")->isChecked());
    prompter->expect(PromptAnswer::Ok);
    test::mnemonic(Qt::Key_S);
    EXPECT_EQ(writes(),
              (std::vector<std::string> {"|SET|SYS|USECT=1", "|SET|SYS|KEEPCTLOC=1", "|SET|SYS|LOADCTLOGIN=1"}));
}

TEST_F(SettingsPagesWindowTest, ScheduledReportsStartAndStopForRealAndSaveStaysOff)
{
    start();
    ASSERT_TRUE(window->selectLeaf("sch_reports_status"));
    EXPECT_EQ(window->currentPage(), 20);
    EXPECT_EQ(label("lblSchStatusHeader"), QStringLiteral("Scheduled Reports Status"));
    EXPECT_EQ(label("lblSchStatus"), QStringLiteral("STOPPED"));
    auto* startStop = child<QPushButton>("cmdStartStop");
    EXPECT_EQ(startStop->text(), QStringLiteral("START"));
    EXPECT_TRUE(save()->isHidden()) << "the page acts through its own buttons";

    prompter->expect(PromptAnswer::Ok);
    startStop->click();
    EXPECT_EQ(prompter->prompts.size(), 1u) << "one message per press";
    EXPECT_EQ(prompter->prompts.back().text, "Scheduled Reports started.");
    EXPECT_EQ(prompter->prompts.back().title, "Scheduled Reports");
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SETP|RPTSCH|RUN|1"}));
    EXPECT_EQ(label("lblSchStatus"), QStringLiteral("RUNNING"));
    EXPECT_EQ(ask("|GETP|RPTSCH|RUNSTATUS"), "1");
    EXPECT_EQ(ask("|GETP|SUBSCH|RUNSTATUS"), "0") << "the submissions process is another one";

    // Another workstation stopped it: Refresh shows that.
    ask("|SETP|RPTSCH|RUN|0");
    child<QPushButton>("cmdRefresh")->click();
    EXPECT_EQ(label("lblSchStatus"), QStringLiteral("STOPPED"));

    ask("|SETP|RPTSCH|RUN|1");
    child<QPushButton>("cmdRefresh")->click();
    prompter->expect(PromptAnswer::No);
    startStop->click();
    EXPECT_EQ(prompter->prompts.back().text, "Stop Scheduled Reports?");
    EXPECT_EQ(ask("|GETP|RPTSCH|RUNSTATUS"), "1") << "No keeps it running";
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    startStop->click();
    EXPECT_EQ(prompter->prompts.back().text, "Scheduled Reports stopped.");
    EXPECT_EQ(ask("|GETP|RPTSCH|RUNSTATUS"), "0");

    host->link->dropFromCall(1);
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>("cmdRefresh")->click();
    EXPECT_EQ(prompter->prompts.back().text, "Scheduled Reports: the server could not be reached.");
    EXPECT_EQ(label("lblSchStatus"), QStringLiteral("UNKNOWN"));
    EXPECT_FALSE(startStop->isEnabled());
}

TEST_F(SettingsPagesWindowTest, AViewOnlyOperatorSeesTheStatusButCannotStartIt)
{
    start("LGARCIA");
    ASSERT_TRUE(window->selectLeaf("sch_submissions_status"));
    EXPECT_EQ(label("lblSchStatusHeader"), QStringLiteral("Scheduled Submissions Status"));
    EXPECT_FALSE(child<QPushButton>("cmdStartStop")->isEnabled());
    EXPECT_TRUE(WireCodec::toWireLossy(window->windowTitle()).ends_with("READ ONLY"));
    child<QPushButton>("cmdStartStop")->click();

    ASSERT_TRUE(window->selectLeaf("code_tables"));
    EXPECT_FALSE(check("chkUseCT")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("cmdApplyToAllUsers_0")->isHidden());
    EXPECT_TRUE(save()->isHidden());
    EXPECT_TRUE(writes().empty());
}

TEST_F(SettingsPagesWindowTest, EligibilitySavesTheChangedValuesWithOneMessageAndShowsThemAgain)
{
    start();
    ASSERT_TRUE(window->selectLeaf("elig_settings"));
    EXPECT_EQ(window->currentPage(), 29);
    EXPECT_TRUE(option("optEligVendor", 0)->isChecked());
    EXPECT_FALSE(check("chkEligUseBrowser")->isChecked());
    EXPECT_EQ(line("txtEligTypeOfService")->text(), QStringLiteral("30"));
    EXPECT_EQ(label("lblEligTypeOfService"), QStringLiteral("Health Benefit Plan Coverage"));

    option("optEligVendor", 1)->click();
    check("chkEligUseBrowser")->click();
    retype("txtEligTypeOfService", QStringLiteral("MH"));
    saveExpectingSaved();
    EXPECT_EQ(prompter->prompts.size(), 1u) << "one \"Settings Saved.\" for the whole page";
    EXPECT_EQ(writes(),
              (std::vector<std::string> {"|SET|SYS|ELIGUSEBROWSER=1|", "|SET|SYS|ELIGVENDOR=1|",
                                         "|SET|SYS|ELIGTOS=MH^Mental Health|"}));

    openWindow();
    ASSERT_TRUE(window->selectLeaf("elig_settings"));
    EXPECT_TRUE(option("optEligVendor", 1)->isChecked());
    EXPECT_TRUE(check("chkEligUseBrowser")->isChecked());
    EXPECT_EQ(label("lblEligTypeOfService"), QStringLiteral("Mental Health"));
}

TEST_F(SettingsPagesWindowTest, TransactionUpdateDefaultsRoundTripThroughDfvl3)
{
    start();
    ASSERT_TRUE(window->selectLeaf("update_trans"));
    EXPECT_EQ(window->currentPage(), 1);
    EXPECT_EQ(requests, (std::vector<std::string> {"|GET|CODE|DFVL3|"}));
    EXPECT_TRUE(check("chkAlwaysShowUTdialog")->isChecked());
    EXPECT_TRUE(option("optAcceptAssignment", 2)->isChecked());
    EXPECT_EQ(line("txtNoServiceDays")->text(), QStringLiteral("30"));
    EXPECT_TRUE(option("optIncludePaidCharges", 0)->isChecked());

    QLineEdit* days = line("txtNoServiceDays");
    days->setFocus();
    prompter->expect(PromptAnswer::Ok);
    QTest::keyClick(days, Qt::Key_X);
    EXPECT_EQ(prompter->prompts.back().text, "Please enter number of days (0-999)!");
    EXPECT_EQ(days->text(), QStringLiteral("30"));

    check("chkAlwaysShowUTdialog")->click();
    option("optAcceptAssignment", 4)->click();
    option("optIncludePaidCharges", 1)->click();
    retype("txtNoServiceDays", QString());
    option("optIncludingZeroBalanceCharges", 1)->setFocus();
    EXPECT_EQ(days->text(), QStringLiteral("0")) << "left empty, the field reads 0";
    saveExpectingSaved();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|CODE|DFVL3|:W:0:D:I"}));

    openWindow();
    ASSERT_TRUE(window->selectLeaf("update_trans"));
    EXPECT_FALSE(check("chkAlwaysShowUTdialog")->isChecked());
    EXPECT_TRUE(option("optAcceptAssignment", 4)->isChecked());
    EXPECT_TRUE(option("optIncludePaidCharges", 1)->isChecked());
    EXPECT_EQ(line("txtNoServiceDays")->text(), QStringLiteral("0"));
}

TEST_F(SettingsPagesWindowTest, SchedulerRuleAsksBeforeChangingAndTheArClassIsCheckedWhenLeft)
{
    start();
    ASSERT_TRUE(window->selectLeaf("sch_settings"));
    EXPECT_EQ(window->currentPage(), 10);
    EXPECT_TRUE(option("optRules", 1)->isChecked()) << "a stored rule is shown without a question";
    EXPECT_EQ(line("txtSchAR")->text(), QStringLiteral("SELF"));
    EXPECT_EQ(label("lblARCode"), QStringLiteral("Self pay"));
    EXPECT_TRUE(line("txtSchSpecial")->isHidden());

    prompter->expect(PromptAnswer::No);
    option("optRules", 3)->click();
    EXPECT_EQ(prompter->prompts.back().text,
              "CAUTION!\r\nChanging entity rules will impact Appointment Scheduler!\r\n\r\nContinue with change?");
    EXPECT_EQ(prompter->prompts.back().title, "Scheduler System Settings");
    EXPECT_TRUE(option("optRules", 1)->isChecked()) << "No puts the stored rule back";
    EXPECT_FALSE(save()->isEnabled());

    prompter->expect(PromptAnswer::Yes);
    option("optRules", 3)->click();
    EXPECT_FALSE(line("txtSchSpecial")->isHidden());
    retype("txtSchSpecial", QStringLiteral("EAST=1"));
    retype("txtSchAR", QStringLiteral("ins"));
    line("txtSchSpecial")->setFocus();
    EXPECT_EQ(label("lblARCode"), QStringLiteral("Insurance pending")) << "checked when the field is left";
    saveExpectingSaved();
    EXPECT_EQ(writes(),
              (std::vector<std::string> {"|SET|SYS|SCHEDULER=3\x03"
                                         "EAST=1\tINS|"}));

    openWindow();
    ASSERT_TRUE(window->selectLeaf("sch_settings"));
    EXPECT_TRUE(option("optRules", 3)->isChecked());
    EXPECT_EQ(line("txtSchSpecial")->text(), QStringLiteral("EAST=1"));
    EXPECT_EQ(line("txtSchAR")->text(), QStringLiteral("INS"));

    retype("txtSchAR", QStringLiteral("NOPE"));
    clickSave();
    EXPECT_EQ(prompter->prompts.back().text, "'NOPE' is not a valid AR class.");
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(line("txtSchAR")->text(), QStringLiteral("NOPE")) << "the edit stays";
}

TEST_F(SettingsPagesWindowTest, AppointmentDefaultsSaveEveryColumnAndDefaultsAskFirst)
{
    start();
    ASSERT_TRUE(window->selectLeaf("sch_tabs"));
    EXPECT_EQ(window->currentPage(), 11);
    EXPECT_EQ(requests, (std::vector<std::string> {"|GET|ASDATA|22|"}));
    auto* page = dynamic_cast<frmSchTabsPage*>(window->ownPage());
    ASSERT_NE(page, nullptr);
    CorvaneGrid* grid = page->grid();
    EXPECT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->columnCount(), 5);
    EXPECT_EQ(grid->value(0, 2), QStringLiteral("Caption"));
    EXPECT_EQ(grid->value(2, 2), QStringLiteral("Follow-up"));

    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(grid->setValue(2, 4, QStringLiteral("1000")));
    EXPECT_EQ(prompter->prompts.back().text, "Minutes takes a number from 0 to 999.");
    EXPECT_TRUE(grid->setValue(2, 4, QStringLiteral("20")));
    EXPECT_TRUE(grid->setValue(4, 5, QStringLiteral("Minor procedure")));
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(grid->setValue(1, 1, QStringLiteral("X"))) << "the tab's name stays";
    EXPECT_EQ(grid->value(1, 1), QStringLiteral("NEW"));
    saveExpectingSaved();
    EXPECT_EQ(writes(),
              (std::vector<std::string> {
                  "|SET|ASDATA|22|\tNew Patient\t1\t45\tNew patient visit\x01\tFollow-up\t1\t20\tFollow-up "
                  "visit\x01\tPhysical\t1\t30\tAnnual physical\x01\tProcedure\t1\t60\tMinor procedure\x01"
                  "\tTelehealth\t0\t20\tVideo visit\x01"s}));

    openWindow();
    ASSERT_TRUE(window->selectLeaf("sch_tabs"));
    page = dynamic_cast<frmSchTabsPage*>(window->ownPage());
    EXPECT_EQ(page->grid()->value(2, 4), QStringLiteral("20"));

    prompter->expect(PromptAnswer::No);
    child<QPushButton>("cmdResetApptGrid")->click();
    EXPECT_FALSE(save()->isEnabled());
    prompter->expect(PromptAnswer::Yes);
    child<QPushButton>("cmdResetApptGrid")->click();
    EXPECT_EQ(page->grid()->value(2, 4), QStringLiteral("15"));
    EXPECT_TRUE(save()->isEnabled()) << "the standard defaults are edits until saved";
    EXPECT_NE(ask("|GET|ASDATA|22|").find("Follow-up01pZ020\t104pZ100\t200ApZ200"), std::string::npos)
        << "nothing is stored until Save";
}

} // namespace
} // namespace corvane
