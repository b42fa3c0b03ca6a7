#include "frmCollections.h"

#include "CollectionDialog.h"
#include "CorvaneDialogsMgr.h"
#include "HostFixture.h"
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

class CollectionsWindowTest : public test::HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        quillon->stringReplies["|GET|COLAI|STATUS"] = record;
        serverUtils->known["PM10"] = "Left voicemail about balance|P";
        quillon->answer = nullptr;
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

TEST_F(CollectionsWindowTest, ContinueOnAFailedSaveReturnsAnEmptyRecordAndFalse)
{
    quillon->failWhen = [](const std::string& request) {
        return request.rfind("|SET|", 0) == 0;
    };
    std::string message;
    bool continueNext = true;
    prompter->expect(PromptAnswer::Ok);
    test::runModal([&] { CollectionDialog().ShowDialog(message, continueNext); },
                   [](QWidget* window) { child<QPushButton>(window, "cmdNext")->click(); });
    ASSERT_FALSE(prompter->prompts.empty());
    EXPECT_EQ(prompter->prompts.back().text,
              "mcomm.GetServerStringData failed in CorvaneDialogs.frmCollections.SaveCollectionStatusData");
    EXPECT_EQ(message, "");
    EXPECT_FALSE(continueNext);
}

TEST_F(CollectionsWindowTest, ResetClearsThePositionAndTheLabelsButTheWindowStays)
{
    frmCollections window;
    window.ShowCollections(false);
    child<QPushButton>(&window, "cmdNew")->click();
    const auto fields = CollectionStatus::fields(lastSet());
    EXPECT_EQ(fields[1], "");
    EXPECT_EQ(fields[2], "");
    EXPECT_EQ(fields[3], "");
    EXPECT_EQ(fields[8], "S^11/01/2026,11/30/2026") << "the criteria are kept";
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(child<QLabel>(&window, "lblAccnt")->text(), QString());
    EXPECT_EQ(child<QLabel>(&window, "lblPatName")->text(), QString());
    window.close();
}

TEST_F(CollectionsWindowTest, TypedAmountsSaveAsCentsAndBadOnesKeepTheWindow)
{
    frmCollections window;
    window.ShowCollections(false);
    QLineEdit* from = child<QLineEdit>(&window, "txtCurr_4_0");
    EXPECT_EQ(from->text(), QStringLiteral("$50.00"));
    from->setText(QStringLiteral("$1,234.50"));
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
    EXPECT_TRUE(child<QRadioButton>(&window, "optAll")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&window, "optAns_9_1")->isChecked()) << "No";
    window.close();
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
