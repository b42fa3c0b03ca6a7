#include "frmSysSettings.h"

#include "KeyboardDriver.h"
#include "MessageBoxPrompter.h"
#include "ModalDriver.h"
#include "SettingsPageFixture.h"
#include "SettingsTexts.h"
#include "SettingsTree.h"
#include "WireCodec.h"
#include "frmSysSettingsPage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::mnemonic;
using test::press;

const std::string closeDialogs = "S\tClose Dialogs after Save\tclose_mod_dialog\tCMDAS";

/// The settings window on the reference practice server, signed in as one operator, every request recorded.
class SysSettingsWindowTest : public test::SettingsPageFixture {
protected:
    /// As the fixture's start, keeping apart what was asked before the tree showed and once it had.
    void start(const std::string& operatorCode = "JSMITH", bool developer = false)
    {
        startHost(operatorCode, developer);
        recordRequests();
        window = std::make_unique<frmSysSettings>();
        window->ShowSettings(false);
        beforeTree = requests;
        QCoreApplication::processEvents();
        afterTree.assign(requests.begin() + static_cast<std::ptrdiff_t>(beforeTree.size()), requests.end());
        requests.clear();
    }

    std::string stored(const std::string& key) const
    {
        return host->server->answerString("|GET|SYS|" + key + "|", "JSMITH");
    }
    std::string caption() const { return WireCodec::toWireLossy(window->windowTitle()); }
    /// The leaves under a top-level item's child, by text.
    QTreeWidgetItem* section(const QString& text) const
    {
        const auto found = window->tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }

    std::vector<std::string> beforeTree;
    std::vector<std::string> afterTree; ///< sent once the tree showed
};

TEST_F(SysSettingsWindowTest, TheTreeHoldsTheSectionsServerItemsAndOperatorsAfterAtMostFourRequests)
{
    start();
    ASSERT_LE(beforeTree.size(), 4u);
    EXPECT_EQ(beforeTree.back(), "|GET|FUNC|GETLIST^TKSETUTILS3|");

    QTreeWidget* tree = window->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* system = tree->topLevelItem(0);
    EXPECT_EQ(system->text(0), QStringLiteral("System"));
    EXPECT_TRUE(system->isExpanded());
    QStringList sections;
    for (int i = 0; i < system->childCount(); ++i)
        sections << system->child(i)->text(0);
    EXPECT_EQ(sections,
              (QStringList {QStringLiteral("Account Inquiry "), QStringLiteral("Demographics "),
                            QStringLiteral("Scheduler "), QStringLiteral("Posting "), QStringLiteral("Workflow "),
                            QStringLiteral("General "), QStringLiteral("Other ")}));
    EXPECT_EQ(section(QStringLiteral("General "))->child(0)->text(0), QStringLiteral("ZEL Messages"));
    EXPECT_NE(window->itemFor("S\tClaim Scrubber Rules\tbrowser_item\tscrubber"), nullptr);
    EXPECT_EQ(window->itemFor("S\tPatient Portal\tbrowser_item\tportal")->parent()->text(0), QStringLiteral("Other "));
    EXPECT_EQ(section(QStringLiteral("Other "))->childCount(), 1);
    EXPECT_EQ(window->itemFor("S\tProtected System Settings\tprot_sys_set\tPROTECTED"), nullptr)
        << "the protected list is a developer's page";

    QTreeWidgetItem* operators = tree->topLevelItem(1);
    EXPECT_EQ(operators->text(0), QStringLiteral("By Operator"));
    EXPECT_EQ(operators->childCount(), 9) << "eight operators and the system's own VQ";
    EXPECT_EQ(window->itemFor("U\tMJONES\tusername")->text(0), QStringLiteral("MJONES   Maria Jones"));
    EXPECT_EQ(window->itemFor("U\tDKIM\tusername")->text(0), QStringLiteral("DKIM   David Kim"));
    EXPECT_TRUE(window->itemFor(closeDialogs)->toolTip(0).startsWith(QStringLiteral("CMDAS (close_mod_dialog)")));
    EXPECT_EQ(caption(), "System Settings");
    EXPECT_EQ(window->currentPage(), 0);
    EXPECT_FALSE(save()->isEnabled());
}

TEST_F(SysSettingsWindowTest, SettingsAwayFromTheirDefaultsAreMarkedWithOneReadPerFiftyKeys)
{
    start();
    std::size_t markReads = 0;
    for (const std::string& request : afterTree) {
        ASSERT_EQ(request.rfind("|GET|SYS|", 0), 0u) << request;
        const auto keys = std::count(request.begin(), request.end(), ',') + 1;
        EXPECT_LE(keys, 50) << request;
        markReads += keys > 1 ? 1 : 0;
    }
    EXPECT_EQ(afterTree.size(), markReads + 1) << "the multi-key reads and the protected list";
    EXPECT_GE(markReads, 1u);
    EXPECT_LE(markReads, 2u) << "about seventy numeric keys";

    EXPECT_TRUE(window->markedChanged(closeDialogs)) << "CMDAS is 1, its default 0";
    EXPECT_TRUE(window->markedChanged("S\tCharge Slips\tcharge_slips\tCHGSLIP"));
    EXPECT_FALSE(window->markedChanged("S\tInsurance Policy\tinsur_policy_req\tDEMOINSPOL")) << "1 is its default";
    EXPECT_FALSE(window->markedChanged("S\tSound Alert Option\tsound_alert\tSOUNDALERT"));
    EXPECT_TRUE(window->itemFor(closeDialogs)->font(0).bold());
}

TEST_F(SysSettingsWindowTest, AChoiceIsSavedOnceAndAFreshWindowShowsWhatTheServerHolds)
{
    start();
    ASSERT_TRUE(window->selectNode(closeDialogs));
    EXPECT_EQ(requests, (std::vector<std::string> {"|GET|SYS|CMDAS|"})) << "opening a page reads only its value";
    EXPECT_EQ(window->currentPage(), 3);
    EXPECT_EQ(child<QWidget>("fraShowChoiceOption"), window->page());
    EXPECT_EQ(child<QLabel>("lblTitle")->text(), QStringLiteral("Closing options for dialogs"));
    EXPECT_EQ(caption(), "System Settings:       Close Dialogs after Save");
    ASSERT_TRUE(option("optChoice", 1)->isChecked());
    EXPECT_FALSE(save()->isEnabled()) << "nothing changed yet";

    option("optChoice", 0)->click();
    ASSERT_TRUE(save()->isEnabled());
    clickSave();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|CMDAS=0|"}));
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_EQ(lastPrompt().text, SettingsTexts::savedWithLogoff);
    EXPECT_EQ(stored("CMDAS"), "CMDAS=0,");
    EXPECT_FALSE(save()->isEnabled());
    EXPECT_FALSE(window->markedChanged(closeDialogs)) << "back at its default";

    // The two leaves of one key show the same value.
    ASSERT_TRUE(window->selectLeaf("ref_message_default"));
    option("optChoice", 1)->click();
    clickSave();
    ASSERT_TRUE(window->selectLeaf("ref_message_default_duplicate"));
    EXPECT_TRUE(option("optChoice", 1)->isChecked());

    window->hide();
    window = std::make_unique<frmSysSettings>();
    window->ShowSettings(false);
    ASSERT_TRUE(window->selectNode(closeDialogs));
    EXPECT_TRUE(option("optChoice", 0)->isChecked());
}

TEST_F(SysSettingsWindowTest, AnUnsetChoiceSelectsNothingAndSaveWaitsForAChoice)
{
    start();
    ASSERT_TRUE(window->selectLeaf("link_ai"));
    EXPECT_FALSE(option("optChoice", 0)->isChecked());
    EXPECT_FALSE(option("optChoice", 1)->isChecked());
    EXPECT_FALSE(save()->isEnabled());
    option("optChoice", 1)->click();
    clickSave();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|MULTKEY=1|"}));
}

TEST_F(SysSettingsWindowTest, ALookupCodeIsCheckedAndStoredWithItsDescription)
{
    start();
    ASSERT_TRUE(window->selectLeaf("pos_dflt_pmnt_code"));
    EXPECT_EQ(window->currentPage(), 12);
    EXPECT_EQ(child<QLabel>("lblTitle1")->text(), QStringLiteral("Default Payment Code"));
    EXPECT_EQ(line("txtLookup")->text(), QStringLiteral("MCR"));
    EXPECT_EQ(child<QLabel>("lblDescription")->text(), QStringLiteral("Medicare"));

    retype("txtLookup", QStringLiteral("ZZZ"));
    EXPECT_TRUE(child<QLabel>("lblDescription")->text().isEmpty());
    clickSave();
    EXPECT_EQ(lastPrompt().text, "'ZZZ' is not a valid code for Default Payment Code.");
    EXPECT_TRUE(writes().empty());

    retype("txtLookup", QStringLiteral("com"));
    clickSave();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|POSPAYDEF=com^Commercial|"}));
    EXPECT_EQ(child<QLabel>("lblDescription")->text(), QStringLiteral("Commercial"));
    EXPECT_EQ(stored("POSPAYDEF"), "POSPAYDEF=com^Commercial,");
}

TEST_F(SysSettingsWindowTest, ALookupSearchTheServerCannotStoreIsRefusedNotSentAsQuestionMarks)
{
    start();
    ASSERT_TRUE(window->selectLeaf("pos_dflt_pmnt_code"));
    line("txtLookup")->setText(QStringLiteral("\u0141"));
    prompter->expect(PromptAnswer::Ok);
    QTest::keyClick(line("txtLookup"), Qt::Key_F4);
    EXPECT_NE(lastPrompt().text.find("(U+0141)"), std::string::npos) << lastPrompt().text;
    EXPECT_TRUE(writes().empty());
}

TEST_F(SysSettingsWindowTest, NumberPagesRefuseOutOfRangeValuesBeforeSendingAndSendTheAcceptedOne)
{
    start();
    ASSERT_TRUE(window->selectLeaf("set_ai_days"));
    EXPECT_EQ(line("txtAIdays")->text(), QStringLiteral("90"));
    EXPECT_EQ(child<QLabel>("lblHeader")->text(), QStringLiteral("Number of days to show in Account Inquiry"));

    // Every range and its message is in the page model's table; here the window shows one and sends nothing.
    retype("txtAIdays", QStringLiteral("501"));
    clickSave();
    EXPECT_EQ(lastPrompt().text, "Number of days is invalid. Must be between (1 - 500).");
    EXPECT_EQ(lastPrompt().title, "System Settings");
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(line("txtAIdays")->text(), QStringLiteral("501")) << "the edit stays";

    retype("txtAIdays", QStringLiteral("5x00"));
    EXPECT_EQ(line("txtAIdays")->text(), QStringLiteral("500")) << "a letter is not taken";
    clickSave();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|AIDAYS=500|"}));
    EXPECT_EQ(lastPrompt().text, SettingsTexts::saved);
    EXPECT_EQ(stored("AIDAYS"), "AIDAYS=500,");

    ASSERT_TRUE(window->selectLeaf("zel_messages_days"));
    prompter->expect(PromptAnswer::Ok);
    QTest::keyClicks(line("txtZelMsg"), QStringLiteral("a"));
    EXPECT_EQ(lastPrompt().text, "Please enter number of days (0-999)!");
    EXPECT_EQ(line("txtZelMsg")->text(), QStringLiteral("30"));

    ASSERT_TRUE(window->selectLeaf("pos_pay_seq_perc"));
    retype("txtPercentage", QStringLiteral("12.345"));
    clickSave();
    EXPECT_EQ(writes().back(), "|SET|SYS|MEDICARESEQPERCENT=12.35|");
    EXPECT_EQ(line("txtPercentage")->text(), QStringLiteral("12.35"));
}

TEST_F(SysSettingsWindowTest, DateTextAndOrderedListPagesRoundTripThroughTheServer)
{
    start();
    ASSERT_TRUE(window->selectLeaf("icd10_effective_date"));
    EXPECT_EQ(line("mskICD10EffDt")->text(), QStringLiteral("10/01/2015"));
    retype("mskICD10EffDt", QStringLiteral("13312016"));
    clickSave();
    EXPECT_EQ(lastPrompt().title, "Date Validation");
    retype("mskICD10EffDt", QStringLiteral("10012016"));
    clickSave();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|DG10DATE=10/01/2016|"}));

    ASSERT_TRUE(window->selectLeaf("set_support_url"));
    EXPECT_EQ(child<QLabel>("lblTextGeneric")->text(), QStringLiteral("Support URL"));
    retype("txtTextGeneric", QStringLiteral("https://help.example.com/a|b"));
    clickSave();
    EXPECT_NE(lastPrompt().text.find('|'), std::string::npos) << "the refusal names the bar: " << lastPrompt().text;
    EXPECT_EQ(writes().size(), 1u) << "nothing more was sent";
    EXPECT_EQ(line("txtTextGeneric")->text(), QStringLiteral("https://help.example.com/a|b")) << "the edit stays";
    retype("txtTextGeneric", QStringLiteral("https://help.example.com/Kj\u00e6r"));
    clickSave();
    EXPECT_EQ(writes().size(), 1u) << "byte 230 separates records: refused as well";
    retype("txtTextGeneric", QStringLiteral("https://help.example.com"));
    clickSave();
    EXPECT_EQ(writes().back(), "|SET|SYS|ZELSUPPORTURL=https://help.example.com|");
    EXPECT_EQ(stored("ZELSUPPORTURL"), "ZELSUPPORTURL=https://help.example.com,");

    ASSERT_TRUE(window->selectLeaf("reminder_tabs_order"));
    auto* list = child<QListWidget>("lstTabsOrder");
    ASSERT_EQ(list->count(), 4) << "the default order when nothing is stored";
    list->setCurrentRow(3);
    click("cmdUp");
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Patient Reminders"));
    clickSave();
    EXPECT_EQ(writes().back(), "|SET|SYS|REMINDERORDER=Post Op Limits\tReferrals\tPatient Reminders\tReminders|");
    EXPECT_EQ(lastPrompt().text, SettingsTexts::savedWithLogoff);
}

TEST_F(SysSettingsWindowTest, AutopostSetsOfferTheServersSetsAndSendOnlyTheChangedValue)
{
    start();
    ASSERT_TRUE(window->selectLeaf("autopost_set"));
    EXPECT_EQ(requests.back(), "|GET|POSTSETS|1");
    auto* open = child<QComboBox>("cmbAutoPostSet");
    EXPECT_EQ(open->currentText(), QStringLiteral("STANDARD"));
    ASSERT_GE(open->findText(QStringLiteral("SURGERY")), 0);
    open->setCurrentIndex(open->findText(QStringLiteral("SURGERY")));
    Q_EMIT open->activated(open->currentIndex());
    clickSave();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|AUTOPOSTSET=SURGERY|"}));
}

TEST_F(SysSettingsWindowTest, InsuranceSubmissionOffersAccountNumberWithoutWritingOnOpen)
{
    start();
    ASSERT_TRUE(window->selectLeaf("ins_subm"));
    EXPECT_TRUE(writes().empty()) << "looking never writes";
    EXPECT_TRUE(option("optInsSubm", 1)->isChecked());
    EXPECT_TRUE(save()->isEnabled()) << "the preselected choice is not stored yet";
    clickSave();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|MSCG|INVINTERNAL||1|"}));

    ASSERT_TRUE(window->selectLeaf("incl_credit_bal"));
    EXPECT_TRUE(option("optStNegBal", 1)->isChecked());
    option("optStNegBal", 0)->click();
    clickSave();
    EXPECT_EQ(writes().back(), "|SET|MSCG|STP,NEGBAL|DEL|");
}

TEST_F(SysSettingsWindowTest, ALinkDownWhenAPageOpensKeepsTheCoverAndSaveOff)
{
    start();
    host->link->dropFromCall(1);
    ASSERT_TRUE(window->selectNode(closeDialogs));
    EXPECT_EQ(window->currentPage(), 4);
    EXPECT_TRUE(child<QWidget>("fraCover")->isVisible());
    EXPECT_EQ(child<QLabel>("lblCover")->text(), QStringLiteral("No data has been received."));
    EXPECT_EQ(window->page(), nullptr);
    EXPECT_FALSE(save()->isEnabled());
    EXPECT_FALSE(window->cmdSaveCommon_Click());
    EXPECT_TRUE(writes().empty());
}

TEST_F(SysSettingsWindowTest, AServerRefusalShowsTheServersTextAndKeepsTheEdit)
{
    start();
    ASSERT_TRUE(window->selectLeaf("set_ai_days"));
    retype("txtAIdays", QStringLiteral("120"));
    // The save reads the protected list first, then writes.
    host->link->answerWithError(2, "|ERROR|System Settings|AIDAYS is locked by MJONES.");
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(window->cmdSaveCommon_Click());
    ASSERT_EQ(prompter->prompts.size(), 1u) << "no \"Settings Saved.\" after it";
    EXPECT_EQ(lastPrompt().text, "AIDAYS is locked by MJONES.");
    EXPECT_EQ(line("txtAIdays")->text(), QStringLiteral("120"));
    EXPECT_TRUE(save()->isEnabled());
    EXPECT_EQ(stored("AIDAYS"), "AIDAYS=90,");

    host->link->failCall(2);
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(window->cmdSaveCommon_Click());
    EXPECT_EQ(lastPrompt().text, "mcomm.GetServerStringData failed in frmSysSettings.SaveSetAIdays");
    EXPECT_TRUE(save()->isEnabled());
}

TEST_F(SysSettingsWindowTest, AProtectedSettingIsLockedOutsideDeveloperModeAndAskedAboutInIt)
{
    start();
    ASSERT_TRUE(window->selectLeaf("pos_chr_amnt_calc_method"));
    EXPECT_FALSE(line("txtAmntCalc")->isEnabled());
    EXPECT_TRUE(child<QLabel>("lblGateNote")->isVisible());
    EXPECT_EQ(child<QLabel>("lblGateNote")->text(), QString::fromLatin1(SettingsTexts::protectedNote));
    EXPECT_FALSE(save()->isEnabled());
    EXPECT_FALSE(child<QWidget>("fraProtectedBottom")->isVisible());
    ASSERT_TRUE(window->selectLeaf("set_ai_days"));
    EXPECT_TRUE(line("txtAIdays")->isEnabled());
    EXPECT_FALSE(child<QLabel>("lblGateNote")->isVisible());

    window->hide();
    start("JSMITH", true);
    ASSERT_NE(window->itemFor("S\tProtected System Settings\tprot_sys_set\tPROTECTED"), nullptr);
    ASSERT_TRUE(window->selectLeaf("pos_chr_amnt_calc_method"));
    EXPECT_TRUE(child<QWidget>("fraProtectedBottom")->isVisible());
    EXPECT_TRUE(child<QCheckBox>("chkProtected")->isChecked());
    retype("txtAmntCalc", QStringLiteral("b"));
    EXPECT_EQ(line("txtAmntCalc")->text(), QStringLiteral("B"));
    prompter->expect(PromptAnswer::No);
    click("cmdSaveCommon");
    EXPECT_EQ(lastPrompt().text, SettingsTexts::protectedQuestion);
    EXPECT_TRUE(writes().empty());
    prompter->expect(PromptAnswer::Yes);
    clickSave();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|POSTCHGAMTCALC=B|"}));

    // Releasing it through the strip.
    child<QCheckBox>("chkProtected")->setChecked(false);
    prompter->expect(PromptAnswer::Yes);
    click("cmdSaveProtected");
    EXPECT_NE(lastPrompt().text.find("Setting Key:   POSTCHGAMTCALC"), std::string::npos);
    EXPECT_EQ(writes().back(), "|SET|SYS|PROTECTED=DASERVICEURL|");
    EXPECT_EQ(stored("PROTECTED"), "PROTECTED=DASERVICEURL,");
}

TEST_F(SysSettingsWindowTest, AnOperatorWithoutTheChangeRightSeesReadOnlyPages)
{
    start("LGARCIA");
    ASSERT_TRUE(window->selectNode(closeDialogs));
    EXPECT_EQ(caption(), "System Settings:       Close Dialogs after Save                        READ ONLY");
    EXPECT_TRUE(save()->isHidden());
    EXPECT_TRUE(option("optChoice", 1)->isEnabled()) << "the selected choice";
    EXPECT_FALSE(option("optChoice", 0)->isEnabled());
    EXPECT_EQ(child<QLabel>("lblGateNote")->text(), QString::fromLatin1(SettingsTexts::viewOnly));
    ASSERT_TRUE(window->selectLeaf("set_ai_days"));
    EXPECT_FALSE(line("txtAIdays")->isEnabled());
    EXPECT_EQ(caption(), "System Settings:       Set AI default days                        READ ONLY")
        << "computed afresh, never appended to";
}

TEST_F(SysSettingsWindowTest, LeavingAChangedPageAsksAndCancelStaysWithTheEdits)
{
    start();
    ASSERT_TRUE(window->selectNode(closeDialogs));
    option("optChoice", 0)->click();

    prompter->expect(PromptAnswer::Cancel);
    EXPECT_FALSE(window->selectLeaf("sound_alert"));
    EXPECT_EQ(lastPrompt().text, "Save changes to Close Dialogs after Save?");
    EXPECT_EQ(window->currentKey(), closeDialogs);
    EXPECT_EQ(window->tree()->currentItem(), window->itemFor(closeDialogs));
    EXPECT_TRUE(option("optChoice", 0)->isChecked());

    prompter->expect(PromptAnswer::Cancel);
    window->reject();
    EXPECT_TRUE(window->isVisible()) << "Esc and Exit ask as well";

    prompter->expect(PromptAnswer::No);
    EXPECT_TRUE(window->selectLeaf("sound_alert"));
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(stored("CMDAS"), "CMDAS=1,");
}

TEST_F(SysSettingsWindowTest, EveryNodeKeyLoadsItsOwnPageOperatorsAndServerPagesIncluded)
{
    start();
    ASSERT_TRUE(window->selectNode("S\tClaim Scrubber Rules\tbrowser_item\tscrubber"));
    EXPECT_EQ(requests.back(), "|SET|WEB|scrubber|");
    EXPECT_EQ(window->currentPage(), 39);
    EXPECT_TRUE(save()->isHidden());
    ASSERT_NE(window->browser(), nullptr);
    EXPECT_TRUE(child<QWidget>("WB1")->isVisible());
    ASSERT_TRUE(window->selectNode("S\tPatient Portal\tbrowser_item\tportal"));
    EXPECT_EQ(requests.back(), "|SET|WEB|portal|") << "the same name, another page";
    EXPECT_TRUE(window->browserHtml().contains(QStringLiteral("<h1>Patient Portal</h1>")));

    ASSERT_TRUE(window->selectNode("U\tJSMITH\tusername"));
    EXPECT_EQ(caption(), "Operator Settings:       JSMITH   Jane Smith");
    ASSERT_TRUE(window->selectNode("U\tMJONES\tusername"));
    EXPECT_EQ(caption(), "Operator Settings:       MJONES   Maria Jones");
    EXPECT_FALSE(save()->isEnabled());
}

TEST_F(SysSettingsWindowTest, TheFindBoxFiltersTheTreeAndStepsThroughTheMatches)
{
    start();
    auto* find = line("txtFind");
    find->setText(QStringLiteral("autopost date"));
    QTreeWidgetItem* range = window->itemFor("S\tDate Range\tset_autopost_daterange\tAUTOPOSTDATERANGE");
    EXPECT_FALSE(range->isHidden());
    EXPECT_TRUE(window->itemFor(closeDialogs)->isHidden());
    EXPECT_TRUE(range->parent()->isExpanded());
    window->cmdFind_Click();
    EXPECT_EQ(window->currentKey(), "S\tDate Range\tset_autopost_daterange\tAUTOPOSTDATERANGE");
    EXPECT_EQ(window->currentPage(), 14);

    find->setText(QStringLiteral("cmdas"));
    window->cmdFind_Click();
    EXPECT_EQ(window->currentKey(), closeDialogs) << "found by its key";

    // General is the last section: the page titles of the two Navigation leaves lie above it.
    find->setText(QStringLiteral("Set focus after save"));
    prompter->expect(PromptAnswer::Yes);
    window->cmdFind_Click();
    EXPECT_EQ(window->currentKey(), "S\tNavigation\tpos_chr_navig\tPOSCHRNAV") << "by its page title";
    window->cmdFind_Click();
    EXPECT_EQ(window->currentKey(), "S\tNavigation\tpos_pmt_navig\tPOSPMTNAV");
    prompter->expect(PromptAnswer::Yes);
    window->cmdFind_Click();
    EXPECT_EQ(lastPrompt().text, SettingsTexts::searchAgain);
    EXPECT_EQ(lastPrompt().title, "Find");
    EXPECT_EQ(window->currentKey(), "S\tNavigation\tpos_chr_navig\tPOSCHRNAV");

    find->setText(QStringLiteral("nosuchsetting"));
    prompter->expect(PromptAnswer::Ok);
    window->cmdFind_Click();
    EXPECT_EQ(lastPrompt().text, "Cannot find 'nosuchsetting'");

    find->clear();
    EXPECT_FALSE(window->itemFor(closeDialogs)->isHidden());
}

TEST_F(SysSettingsWindowTest, ResetToDefaultOffersTheCatalogueDefaultAndSavesIt)
{
    start();
    ASSERT_TRUE(window->selectLeaf("charge_slips"));
    ASSERT_TRUE(option("optChoice", 3)->isChecked());
    auto* reset = child<QPushButton>("cmdResetDefault");
    ASSERT_TRUE(reset->isEnabled());
    reset->click();
    EXPECT_TRUE(option("optChoice", 0)->isChecked());
    EXPECT_FALSE(reset->isEnabled());
    clickSave();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|CHGSLIP=0|"}));
    EXPECT_FALSE(window->markedChanged("S\tCharge Slips\tcharge_slips\tCHGSLIP"));
}

TEST_F(SysSettingsWindowTest, TheKeyboardAloneReachesAChoiceAndSavesItWithAltS)
{
    start();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->tree()->setFocus();
    press(Qt::Key_Home);
    EXPECT_EQ(window->tree()->currentItem()->text(0), QStringLiteral("System"));
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    EXPECT_EQ(window->currentKey(),
              "S\tAllow Service date after Posting date\tallow_service_after_posting\t"
              "ALLOWSERVICEAFTERPOSTING");
    ASSERT_TRUE(option("optChoice", 0)->isChecked()) << "empty takes the default";
    press(Qt::Key_Return);
    EXPECT_EQ(test::focusName(), QStringLiteral("optChoice_0"));
    press(Qt::Key_Down);
    EXPECT_TRUE(option("optChoice", 1)->isChecked());
    prompter->expect(PromptAnswer::Ok);
    mnemonic(Qt::Key_S);
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|ALLOWSERVICEAFTERPOSTING=1|"}));
    EXPECT_EQ(lastPrompt().text, SettingsTexts::savedWithLogoff);
    press(Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SysSettingsWindowTest, TheManagerOpensAFreshWindowModallyAndShowDialogReturnsTrue)
{
    start();
    bool result = false;
    test::runModal([&] { result = manager.GetSystemSettingsDlg()->ShowDialog(); },
                   [](QWidget* shown) {
                       EXPECT_EQ(shown->objectName(), QStringLiteral("frmSysSettings"));
                       shown->findChild<QPushButton*>(QStringLiteral("cmdCancelCommon"))->click();
                   });
    EXPECT_TRUE(result);
}

TEST(MessageBoxPrompterText, AMaskedQuestionHidesWhatIsTypedAndHandsBackWireText)
{
    MessageBoxPrompter prompter;
    bool masked = false;
    QTimer::singleShot(0, [&] {
        auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(input->objectName(), QStringLiteral("frmAskText"));
        masked = input->textEchoMode() == QLineEdit::Password;
        input->setTextValue(QStringLiteral("se\u00f1or"));
        input->accept();
    });
    const auto typed = prompter.askText({"Code Tables", "Password:"}, true);
    EXPECT_TRUE(masked);
    EXPECT_EQ(typed, std::optional<std::string>("se\xF1or"));

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(prompter.askText({"Code Tables", "Password:"}, true), std::nullopt) << "cancelled";
}

} // namespace
} // namespace corvane
