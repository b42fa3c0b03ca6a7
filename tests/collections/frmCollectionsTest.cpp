#include "frmCollections.h"

#include "CollectionDialog.h"
#include "CorvaneDialogsMgr.h"
#include "HostFixture.h"
#include "KeyboardDriver.h"
#include "ModalDriver.h"
#include "ReferenceHost.h"
#include "TempDir.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::string record = "L60^Self-pay 60 to 89 days:Robert Chen:10452:1:S::::S^11/01/2026,11/30/2026:"
                           "I^PM01,PM02,,,:A^,,,,:S^5000,250000:S^30,120:A^,,,,:A^,,,,:A^,,,,:"
                           "Y^PM10,12/01/2026:N^,";

template<typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

using test::focusName;
using test::mnemonic;
using test::press;
using test::type;

/// Tabs through the window until the named field has the focus, as an operator would.
void tabTo(const char* name)
{
    for (int i = 0; i < 80 && focusName() != QLatin1String(name); ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(focusName(), QLatin1String(name));
}

/// Replaces a field's text from the keyboard.
void retype(const char* name, const QString& text)
{
    tabTo(name);
    press(Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        press(Qt::Key_Delete);
    else
        type(text);
}

class CollectionsWindowTest : public test::HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        quillon->stringReplies["|GET|COLAI|STATUS"] = record;
        serverUtils->known["PM10"] = "Left voicemail about balance|P";
        serverUtils->known["PM20"] = "Payment plan set up|S";
        serverUtils->known["L30"] = "Self-pay 30 to 59 days";
        serverUtils->known["L60"] = "Self-pay 60 to 89 days";
        serverUtils->known["L90"] = "Self-pay over 90 days";
        quillon->answer = nullptr;
    }
    bool anythingSaved() const
    {
        for (const auto& request : quillon->requests) {
            if (request.rfind("|SET|", 0) == 0)
                return true;
        }
        return false;
    }
    /// Shows the window as the active one, so that keys go where the focus is.
    void showActive(frmCollections& window)
    {
        window.ShowCollections(false);
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    std::string lastSet() const
    {
        for (auto it = quillon->requests.rbegin(); it != quillon->requests.rend(); ++it) {
            if (it->rfind("|SET|COLAI|SETTING|", 0) == 0)
                return it->substr(19);
        }
        return {};
    }
};

TEST_F(CollectionsWindowTest, AnUneditedRecordGoesBackUnchangedAndContinueHandsTheMessageOver)
{
    std::string message = "stale";
    bool continueNext = true;
    test::runModal([&] { EXPECT_TRUE(CollectionDialog().ShowDialog(message, continueNext)); },
                   [](QWidget* window) {
                       EXPECT_EQ(child<QLabel>(window, "lblAccnt")->text(), QStringLiteral("10452/1"));
                       EXPECT_EQ(child<QLabel>(window, "lblMsg")->text(),
                                 QStringLiteral("Left voicemail about balance"));
                       child<QPushButton>(window, "cmdNext")->click();
                   });
    EXPECT_EQ(lastSet(), record);
    EXPECT_TRUE(continueNext);
    EXPECT_EQ(message, "12/01/2026\tPM10\tLeft voicemail about balance\t10452/1\tL60\tTrue\tP");
}

TEST_F(CollectionsWindowTest, CancelReturnsAnEmptyRecordAndFalse)
{
    std::string message = "stale";
    bool continueNext = true;
    test::runModal([&] { EXPECT_TRUE(CollectionDialog().ShowDialog(message, continueNext)); },
                   [](QWidget* window) { child<QPushButton>(window, "cmdCancel")->click(); });
    EXPECT_EQ(message, "");
    EXPECT_FALSE(continueNext);
    EXPECT_EQ(lastSet(), "") << "nothing is saved";
}

TEST_F(CollectionsWindowTest, ARefusedContinueKeepsTheWindowAndEverythingTyped)
{
    quillon->stringReplies["|SET|COLAI|SETTING|" + record] = "|ERROR|Collections|The list is locked by LGARCIA.";
    std::string message;
    bool continueNext = true;
    test::runModal([&] { CollectionDialog().ShowDialog(message, continueNext); },
                   [this](QWidget* window) {
                       child<QPushButton>(window, "cmdNext")->click();
                       ASSERT_EQ(utils->messages.size(), 1u);
                       EXPECT_EQ(utils->messages[0].text, "The list is locked by LGARCIA.");
                       EXPECT_TRUE(window->isVisible()) << "the operator's work stays";
                       EXPECT_EQ(child<QLineEdit>(window, "mskCal_1_0")->text(), QStringLiteral("11/01/2026"));
                       child<QPushButton>(window, "cmdCancel")->click();
                   });
    EXPECT_EQ(message, "");
    EXPECT_FALSE(continueNext);
}

TEST_F(CollectionsWindowTest, AFailedReadSavesNothingSoTheStoredRecordSurvives)
{
    quillon->failWhen = [](const std::string& request) {
        return request == "|GET|COLAI|STATUS";
    };
    prompter->expect(PromptAnswer::Ok);
    frmCollections window;
    window.ShowCollections(false);
    EXPECT_EQ(prompter->prompts.back().text,
              "ERR in CorvaneDialogs.frmCollections.GetCollectionStatusData  \r\n"
              "mcomm.GetServerStringData failed in "
              "CorvaneDialogs.frmCollections.GetCollectionStatusData.\r\n|GET|COLAI|STATUS");
    EXPECT_EQ(child<QLabel>(&window, "lblStatus")->text(), QStringLiteral("No data has been received."));
    EXPECT_FALSE(child<QPushButton>(&window, "cmdNext")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(&window, "cmdNew")->isEnabled());
    lookups->result = "L90 -Self-pay over 90 days";
    QTest::keyClick(child<QLineEdit>(&window, "txtListLookup"), Qt::Key_F4);
    EXPECT_FALSE(anythingSaved()) << "choosing another list does not save over the stored record either";
    window.close();
}

TEST_F(CollectionsWindowTest, TypedAmountsSaveAsCentsAndBadOnesKeepTheWindow)
{
    frmCollections window;
    window.ShowCollections(false);
    QLineEdit* from = child<QLineEdit>(&window, "txtCurr_4_0");
    EXPECT_EQ(from->text(), QStringLiteral("$50.00"));
    from->setText(QStringLiteral("$1,234.50"));
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>(&window, "cmdNew")->click();
    EXPECT_EQ(CollectionStatus::fields(lastSet())[11], "S^123450,250000");

    const std::size_t sent = quillon->requests.size();
    from->setText(QStringLiteral("1,2.3.4"));
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>(&window, "cmdNext")->click();
    EXPECT_TRUE(window.isVisible()) << "nothing was sent; the operator corrects the amount";
    EXPECT_EQ(quillon->requests.size(), sent);
    from->setText(QStringLiteral("$3,000.00"));
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>(&window, "cmdNext")->click();
    EXPECT_NE(prompter->prompts.back().text.find("\"From\" amount is larger"), std::string::npos);
    EXPECT_TRUE(window.isVisible());
    window.close();
}

TEST_F(CollectionsWindowTest, EmptyRequiredInputsHoldContinueAndResetBack)
{
    frmCollections window;
    window.ShowCollections(false);
    QPushButton* next = child<QPushButton>(&window, "cmdNext");
    EXPECT_TRUE(next->isEnabled());
    child<QLineEdit>(&window, "mskCal_1_0")->clear();
    EXPECT_FALSE(next->isEnabled());
    EXPECT_FALSE(child<QPushButton>(&window, "cmdNew")->isEnabled());
    child<QRadioButton>(&window, "optAns_1_0")->click();
    EXPECT_TRUE(next->isEnabled()) << "All needs no dates";
    EXPECT_FALSE(child<QWidget>(&window, "fraSel_1")->isEnabled());
    child<QRadioButton>(&window, "optAll")->click();
    EXPECT_FALSE(child<QWidget>(&window, "fraSel_4")->isEnabled()) << "All accounts disables every criterion";
    child<QCheckBox>(&window, "chkPostMsg")->setChecked(false);
    EXPECT_EQ(child<QLineEdit>(&window, "txtMsgLookup")->text(), QString());
    EXPECT_FALSE(child<QWidget>(&window, "fraMsg")->isEnabled());
    window.close();
}

TEST_F(CollectionsWindowTest, F4OpensTheLookupOfTheFieldItIsPressedIn)
{
    lookups->result = "L90 -Self-pay over 90 days";
    frmCollections window;
    window.ShowCollections(false);
    QTest::keyClick(child<QLineEdit>(&window, "txtListLookup"), Qt::Key_F4);
    EXPECT_EQ(lookups->lastSetup.request, "LIST");
    EXPECT_EQ(lookups->lastCall.searchText, "L60");
    EXPECT_EQ(child<QLineEdit>(&window, "txtListLookup")->text(), QStringLiteral("L90"));
    EXPECT_EQ(child<QLabel>(&window, "lblListDescription")->text(), QStringLiteral("Self-pay over 90 days"));
    const auto fields = CollectionStatus::fields(lastSet());
    EXPECT_EQ(fields[0], "L90^Self-pay over 90 days") << "a different list saves with the position cleared";
    EXPECT_EQ(fields[2], "");
    EXPECT_EQ(child<QLabel>(&window, "lblAccnt")->text(), QString());

    lookups->result = "PM20 -Payment plan set up";
    serverUtils->known["PM20"] = "Payment plan set up|S";
    QTest::keyClick(child<QLineEdit>(&window, "txtMsgLookup"), Qt::Key_F4);
    EXPECT_EQ(lookups->lastSetup.request, "PM");
    EXPECT_EQ(child<QLabel>(&window, "lblMsg")->text(), QStringLiteral("Payment plan set up"));
    window.close();
}

TEST_F(CollectionsWindowTest, AnErrorReplyIsShownAndTheWindowStartsEmpty)
{
    quillon->stringReplies["|GET|COLAI|STATUS"] = "ERROR: no collection status table";
    prompter->expect(PromptAnswer::Ok);
    frmCollections window;
    window.ShowCollections(false);
    EXPECT_EQ(prompter->prompts.back().text,
              "ERR in CorvaneDialogs.frmCollections.GetCollectionStatusData  \r\n"
              "ERROR: no collection status table");
    EXPECT_TRUE(
        logged("ERR in CorvaneDialogs.frmCollections.GetCollectionStatusData  ERROR: no collection status table"));
    EXPECT_EQ(child<QLabel>(&window, "lblAccnt")->text(), QStringLiteral("NONE"));
    EXPECT_FALSE(child<QPushButton>(&window, "cmdNext")->isEnabled())
        << "an empty record never overwrites the stored one";
    EXPECT_FALSE(child<QPushButton>(&window, "cmdNew")->isEnabled());
    EXPECT_EQ(child<QLabel>(&window, "lblStatus")->text(), QStringLiteral("No data has been received."));
    EXPECT_TRUE(child<QRadioButton>(&window, "optAll")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&window, "optAns_9_1")->isChecked()) << "No";
    window.close();
}

TEST_F(CollectionsWindowTest, ButtonsDoWhatTheySayFromTheKeyboard)
{
    frmCollections window;
    showActive(window);
    child<QPushButton>(&window, "cmdNew")->setFocus();
    prompter->expect(PromptAnswer::No);
    press(Qt::Key_Return);
    ASSERT_EQ(prompter->prompts.size(), 1u) << "Enter on a focused Reset presses Reset";
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(anythingSaved());
    child<QPushButton>(&window, "cmdCancel")->setFocus();
    press(Qt::Key_Return);
    EXPECT_FALSE(window.isVisible()) << "Enter on a focused Cancel cancels";
    EXPECT_FALSE(window.continueNextAccount());
    EXPECT_FALSE(anythingSaved());

    frmCollections second;
    showActive(second);
    child<QLineEdit>(&second, "mskCal_1_0")->setFocus();
    press(Qt::Key_Escape);
    EXPECT_FALSE(second.isVisible()) << "Esc cancels";
    EXPECT_FALSE(anythingSaved());

    frmCollections third;
    showActive(third);
    child<QLineEdit>(&third, "mskCal_1_0")->setFocus();
    press(Qt::Key_Return);
    EXPECT_FALSE(third.isVisible()) << "Enter in a field presses Continue";
    EXPECT_TRUE(third.continueNextAccount());
}

TEST_F(CollectionsWindowTest, RefusedInputIsNamedFocusedAndNeverSaved)
{
    struct Case {
        const char* field;
        const char* typed;
        const char* message; ///< the start of the refusal
    };
    const Case cases[] = {
        {"txtListLookup", "ZZZ", "\"ZZZ\" is not a collection list."},
        {"txtListLookup", "L6|0", "The list may not hold \"|\""},
        {"txtListLookup", "L6:0", "The list may not hold \":\""},
        {"txtMsgLookup", "PM99", "\"PM99\" is not a message code."},
        {"txtMsgLookup", "PM1^0", "The message code may not hold \"^\""},
        {"txtText_2_2", "A,B", "Action codes 3 may not hold \",\""},
        {"txtText_2_2", "A:B", "Action codes 3 may not hold \":\""},
        {"txtMask_5_0", "abc", "Age (days) in collection From: \"abc\" is not a number of days."},
        {"txtMask_5_0", "200", "Age (days) in collection: the \"From\" age is larger than the \"Thru\" age."},
        {"mskCal_1_0", "13/45/2024", "13/45/2024 is not a valid date."},
        {"mskCal_1_0", "12/15/2026", "Action dates: the \"From\" date is later than the \"Thru\" date."},
        {"txtCurr_4_0", "1,2.3.4", "Balance range From: \"1,2.3.4\" is not an amount."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field + std::string(" ") + c.typed);
        prompter->prompts.clear();
        frmCollections window;
        showActive(window);
        child<QLineEdit>(&window, c.field)->setFocus();
        press(Qt::Key_A, Qt::ControlModifier);
        type(QString::fromLatin1(c.typed));
        prompter->expect(PromptAnswer::Ok);
        mnemonic(Qt::Key_C);
        ASSERT_EQ(prompter->prompts.size(), 1u);
        EXPECT_EQ(prompter->prompts[0].text.rfind(c.message, 0), 0u) << prompter->prompts[0].text;
        const char* focusedField = std::string(c.message).find("\"Thru\"") != std::string::npos
            ? (std::string(c.field) == "mskCal_1_0" ? "mskCal_1_1" : "txtMask_5_1")
            : c.field;
        EXPECT_EQ(focusName(), QLatin1String(focusedField));
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(anythingSaved());
        window.close();
    }
}

TEST_F(CollectionsWindowTest, ATypedListIsCheckedAndAnotherValidOneStartsFromItsFirstAccount)
{
    frmCollections window;
    showActive(window);
    child<QLineEdit>(&window, "txtListLookup")->setFocus();
    press(Qt::Key_A, Qt::ControlModifier);
    type(QStringLiteral("l30"));
    EXPECT_EQ(child<QLineEdit>(&window, "txtListLookup")->text(), QStringLiteral("L30")) << "codes are upper-cased";
    press(Qt::Key_Tab);
    EXPECT_EQ(child<QLabel>(&window, "lblListDescription")->text(), QStringLiteral("Self-pay 30 to 59 days"));
    EXPECT_EQ(child<QLabel>(&window, "lblAccnt")->text(), QString());
    mnemonic(Qt::Key_C);
    const auto fields = CollectionStatus::fields(lastSet());
    EXPECT_EQ(fields[0], "L30^Self-pay 30 to 59 days");
    EXPECT_EQ(fields[1] + fields[2] + fields[3], "") << "the position is cleared";
    EXPECT_EQ(window.messageRecord(), "12/01/2026\tPM10\tLeft voicemail about balance\t\tL30\tTrue\tP");
}

TEST_F(CollectionsWindowTest, StoredValuesTheOperatorDidNotTouchGoBackUnchanged)
{
    const std::string negative = "L60^Self-pay 60 to 89 days:Robert Chen:10452:1:S::::S^11/01/2026,11/30/2026:"
                                 "I^PM01,PM02,,,:A^,,,,:S^-500,250000:S^30,120:A^,,,,:A^,,,,:A^,,,,:"
                                 "N^,:N^,";
    quillon->stringReplies["|GET|COLAI|STATUS"] = negative;
    frmCollections window;
    window.ShowCollections(false);
    EXPECT_EQ(child<QLineEdit>(&window, "txtCurr_4_0")->text(), QStringLiteral("$-5.00"));
    child<QPushButton>(&window, "cmdNext")->click();
    EXPECT_EQ(lastSet(), negative) << "a stored negative amount does not block saving";
    EXPECT_EQ(window.messageRecord(), "\t\t\t10452/1\tL60\tTrue\t") << "no message description or type without Post";
}

TEST_F(CollectionsWindowTest, F4LooksUpActionCodesAndSpecialFieldsToo)
{
    frmCollections window;
    showActive(window);
    lookups->result = "PM11 -Spoke with guarantor";
    QTest::keyClick(child<QLineEdit>(&window, "txtText_2_2"), Qt::Key_F4);
    EXPECT_EQ(lookups->lastSetup.request, "PM");
    EXPECT_EQ(child<QLineEdit>(&window, "txtText_2_2")->text(), QStringLiteral("PM11"));
    child<QRadioButton>(&window, "optAns_6_1")->click();
    lookups->result = "MCR -Medicare";
    QTest::keyClick(child<QLineEdit>(&window, "txtText_6_0"), Qt::Key_F4);
    EXPECT_EQ(lookups->lastSetup.request, "FL");
    EXPECT_EQ(child<QLineEdit>(&window, "txtText_6_0")->text(), QStringLiteral("MCR"));
    window.close();
}

TEST_F(CollectionsWindowTest, ReleasingTheWindowWithAnEditedFieldInFocusChecksNothingMore)
{
    auto* released = new frmCollections;
    showActive(*released);
    child<QLineEdit>(released, "txtMask_5_0")->setFocus();
    type(QStringLiteral("abc"));
    delete released;
    EXPECT_TRUE(prompter->prompts.empty()) << "the field losing the focus as the window goes is not checked";
    EXPECT_FALSE(anythingSaved());
}

TEST_F(CollectionsWindowTest, KeyboardOnlyFromOpeningToTheMessageRecord)
{
    std::string message;
    bool continueNext = false;
    test::runModal([&] { EXPECT_TRUE(CollectionDialog().ShowDialog(message, continueNext)); },
                   [](QWidget* window) {
                       ASSERT_TRUE(QTest::qWaitForWindowActive(window));
                       press(Qt::Key_L, Qt::AltModifier);
                       EXPECT_EQ(focusName(), QStringLiteral("txtListLookup"));
                       retype("mskCal_1_0", QStringLiteral("01152024"));
                       press(Qt::Key_Tab);
                       EXPECT_EQ(child<QLineEdit>(window, "mskCal_1_0")->text(), QStringLiteral("01/15/2024"))
                           << "digits only read as MM/DD/YYYY";
                       retype("txtText_2_2", QStringLiteral("pm03"));
                       retype("txtMask_5_1", QStringLiteral("180"));
                       retype("txtMsgLookup", QStringLiteral("pm20"));
                       press(Qt::Key_Tab);
                       EXPECT_EQ(child<QLabel>(window, "lblMsg")->text(), QStringLiteral("Payment plan set up"));
                       mnemonic(Qt::Key_C);
                   });
    EXPECT_TRUE(continueNext);
    EXPECT_EQ(message, "12/01/2026\tPM20\tPayment plan set up\t10452/1\tL60\tTrue\tS");
    EXPECT_EQ(lastSet(),
              "L60^Self-pay 60 to 89 days:Robert Chen:10452:1:S::::S^01/15/2024,11/30/2026:"
              "I^PM01,PM02,PM03,,:A^,,,,:S^5000,250000:S^30,180:A^,,,,:A^,,,,:A^,,,,:"
              "Y^PM20,12/01/2026:N^,");
}

TEST(CollectionsEndToEnd, CriteriaSavedThroughTheDialogAreShownWhenItOpensAgain)
{
    SharedState::instance().reset();
    auto prompter = std::make_shared<test::ScriptedPrompter>();
    CorvaneDialogsMgr::SetPrompter(prompter);
    test::TempDir dir;
    reference::ReferenceHost host(dir.file("practice.db"), "DKIM", QString::fromStdString(dir.file("log")));
    CorvaneDialogsMgr manager;
    host.initialise(manager);

    std::string message;
    bool continueNext = false;
    test::runModal([&] { manager.GetCollectionDlg()->ShowDialog(message, continueNext); },
                   [](QWidget* window) {
                       child<QRadioButton>(window, "optAns_3_1")->click();
                       child<QLineEdit>(window, "txtText_3_0")->setText(QStringLiteral("PM03"));
                       child<QLineEdit>(window, "txtText_3_1")->setText(QStringLiteral("PM30"));
                       child<QLineEdit>(window, "txtMask_5_1")->setText(QStringLiteral("180"));
                       child<QPushButton>(window, "cmdNext")->click();
                   });
    EXPECT_TRUE(continueNext);
    EXPECT_EQ(message, "12/01/2026\tPM10\tLeft voicemail about balance\t10452/1\tL60\tTrue\tP");

    test::runModal([&] { manager.GetCollectionDlg()->ShowDialog(message, continueNext); },
                   [](QWidget* window) {
                       EXPECT_TRUE(child<QRadioButton>(window, "optAns_3_1")->isChecked());
                       EXPECT_EQ(child<QLineEdit>(window, "txtText_3_0")->text(), QStringLiteral("PM03"));
                       EXPECT_EQ(child<QLineEdit>(window, "txtText_3_1")->text(), QStringLiteral("PM30"));
                       EXPECT_EQ(child<QLineEdit>(window, "txtMask_5_1")->text(), QStringLiteral("180"));
                       child<QPushButton>(window, "cmdCancel")->click();
                   });
    EXPECT_FALSE(continueNext);
    EXPECT_EQ(prompter->unansweredExpectations(), 0u);
    SharedState::instance().reset();
}

} // namespace
} // namespace corvane
