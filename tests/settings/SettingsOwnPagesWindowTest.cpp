#include "CorvaneGrid.h"
#include "SettingsPageFixture.h"
#include "frmConfigHeaderPage.h"
#include "frmDemoDefaultsPage.h"
#include "frmWorkflowImagePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace corvane {
namespace {

class SettingsOwnPagesWindowTest : public test::SettingsPageFixture {
protected:
    template<typename Page> Page* open(const char* leaf)
    {
        EXPECT_TRUE(window->selectLeaf(leaf));
        auto* page = qobject_cast<Page*>(window->ownPage());
        EXPECT_NE(page, nullptr) << leaf;
        return page;
    }
    static int rowOf(const frmDemoDefaultsPage& page, const std::string& code)
    {
        for (std::size_t i = 0; i < page.model().rows().size(); ++i) {
            if (page.model().rows()[i].code() == code)
                return static_cast<int>(i) + 1;
        }
        return 0;
    }
    static void choose(QComboBox* combo, const QString& caption)
    {
        const int index = combo->findText(caption);
        ASSERT_GE(index, 0) << caption.toStdString();
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }
};

TEST_F(SettingsOwnPagesWindowTest, DemographicsDefaultsSaveWholeRowsKeepingFieldsThePageDoesNotEdit)
{
    start();
    auto* page = open<frmDemoDefaultsPage>("demo_defaults");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(window->currentPage(), 9);
    const int state = rowOf(*page, "STATE");
    EXPECT_EQ(page->grid()->value(state, 2), QStringLiteral("IL"));
    ASSERT_TRUE(page->grid()->setValue(state, 2, QStringLiteral("WI")));
    ASSERT_TRUE(page->grid()->setValue(rowOf(*page, "CITY"), 3, QStringLiteral("y")));
    saveExpectingSaved();
    ASSERT_EQ(writes().size(), 1u);
    EXPECT_NE(writes()[0].find("STATE\tState\tWI\t\t0\t1\t0\tMAXLEN=2\xE6"), std::string::npos);
    EXPECT_NE(writes()[0].find("CITY\tCity\tSpringfield\tY\t"), std::string::npos);
    EXPECT_NE(writes()[0].find("SSN\tSocial Security #\t\t\t0\t0\t0\tMASK=###-##-####\xE6"), std::string::npos);

    openWindow();
    page = open<frmDemoDefaultsPage>("demo_defaults");
    EXPECT_EQ(page->grid()->value(rowOf(*page, "STATE"), 2), QStringLiteral("WI"));
    EXPECT_EQ(page->grid()->value(rowOf(*page, "CITY"), 3), QStringLiteral("Y"));
}

TEST_F(SettingsOwnPagesWindowTest, DemographicsDefaultsRefuseATakenKeyAndAHiddenRequiredField)
{
    start();
    auto* page = open<frmDemoDefaultsPage>("demo_defaults");
    const int city = rowOf(*page, "CITY");
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(page->grid()->setValue(city, 3, QStringLiteral("l")));
    EXPECT_EQ(lastPrompt().text, "Key L is already used by Last Name.");
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(page->grid()->setValue(rowOf(*page, "LNAME"), 4, QStringLiteral("1")));
    EXPECT_EQ(lastPrompt().text, "Last Name is required, so it cannot be hidden.");
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(page->grid()->setValue(rowOf(*page, "MARITAL"), 6, QStringLiteral("1")));
    EXPECT_FALSE(page->hasChanges());
    EXPECT_FALSE(child<QPushButton>("cmdSaveCommon")->isEnabled());
}

TEST_F(SettingsOwnPagesWindowTest, HeaderSavesWithItsOwnButtonKeepingSlotOptionsAndOperatorsOwnHeaders)
{
    start();
    auto* page = open<frmConfigHeaderPage>("config_header");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(window->currentPage(), 7);
    EXPECT_FALSE(child<QPushButton>("cmdSaveCommon")->isVisible()) << "the page saves with its own button";
    EXPECT_EQ(page->slot(7)->currentText(), QStringLiteral("Account Balance"));
    EXPECT_FALSE(child<QPushButton>("cmdSaveHeader")->isEnabled());

    choose(page->slot(9), QStringLiteral("Next Appointment"));
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>("cmdSaveHeader")->click();
    EXPECT_EQ(writes(),
              (std::vector<std::string> {"|SET|PATSET|DEFAULT|||NAME\xE6"
                                         "ACCT\xE6"
                                         "DOB\xE6"
                                         "AGE\xE6"
                                         "SEX\xE6"
                                         "PRIINS\xE6"
                                         "SECINS\xE6"
                                         "BAL\tRED\xE6"
                                         "LASTVISIT\xE6"
                                         "NEXTAPPT"}));
    EXPECT_EQ(ask("|GET|PATSET|MJONES|").substr(ask("|GET|PATSET|MJONES|").find("\r\n") + 2),
              "NAME\xE6"
              "ACCT\xE6"
              "BAL\xE6"
              "PATBAL\xE6"
              "COPAY");

    openWindow();
    page = open<frmConfigHeaderPage>("config_header");
    EXPECT_EQ(page->slot(9)->currentText(), QStringLiteral("Next Appointment"));
    EXPECT_EQ(page->layout().entry(7), "BAL\tRED");
}

TEST_F(SettingsOwnPagesWindowTest, HeaderAppliedToAllAsksFirstAndResetAsksAndRestoresTheFactoryLayout)
{
    start();
    auto* page = open<frmConfigHeaderPage>("config_header");
    child<QPushButton>("cmdAddRow")->click();
    ASSERT_EQ(page->layout().rows(), 3u);
    choose(page->slot(10), QStringLiteral("Alerts"));
    child<QCheckBox>("chkApplyToAll")->setChecked(true);
    prompter->expect(PromptAnswer::No);
    child<QPushButton>("cmdSaveHeader")->click();
    EXPECT_TRUE(writes().empty());
    EXPECT_TRUE(page->hasChanges());

    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>("cmdSaveHeader")->click();
    ASSERT_EQ(writes().size(), 1u);
    EXPECT_EQ(writes()[0].rfind("|SET|PATSET|DEFAULT||ALL|", 0), 0u);
    EXPECT_NE(ask("|GET|PATSET|MJONES|").find("ALERT"), std::string::npos) << "every operator has the default now";

    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>("cmdResetHeader")->click();
    EXPECT_EQ(writes().back(), "|SET|PATSET|DEFAULT|CLEAR||");
    EXPECT_EQ(page->layout().rows(), 2u);
    EXPECT_EQ(page->slot(9)->currentText(), QStringLiteral("Primary Care Physician"));
}

TEST_F(SettingsOwnPagesWindowTest, LeavingAChangedHeaderAsksAndAViewOnlyOperatorCannotChangeIt)
{
    start();
    auto* page = open<frmConfigHeaderPage>("config_header");
    choose(page->slot(0), QStringLiteral("Alerts"));
    prompter->expect(PromptAnswer::Cancel);
    EXPECT_FALSE(window->selectLeaf("cust_forms"));
    EXPECT_EQ(window->ownPage(), page);
    prompter->expect(PromptAnswer::No);
    EXPECT_TRUE(window->selectLeaf("cust_forms"));
    EXPECT_TRUE(writes().empty());

    start("LGARCIA");
    page = open<frmConfigHeaderPage>("config_header");
    EXPECT_FALSE(page->slot(0)->isEnabled());
    EXPECT_FALSE(child<QPushButton>("cmdResetHeader")->isEnabled());
}

TEST_F(SettingsOwnPagesWindowTest, PatientDocumentsShowTypesWithDescriptionsAndSaveWhatIsTicked)
{
    start();
    auto* page = open<frmWorkflowImagePage>("workflow_include_image");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(window->currentPage(), 15);
    auto* list = child<QListWidget>("lstDocTypes");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("INS  -  Insurance Card"));
    EXPECT_TRUE(child<QCheckBox>("chkOtherDocs")->isChecked());
    EXPECT_EQ(child<QLineEdit>("txtDocDays")->text(), QStringLiteral("90"));

    EXPECT_TRUE(page->addDocType("EOB"));
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(page->addDocType("XYZ"));
    EXPECT_EQ(lastPrompt().text, "'XYZ' is not a valid document type.");
    child<QCheckBox>("chkPortalForms")->click();
    saveExpectingSaved();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|WRKFLWIMAGE=INS,REF,LAB,EOB:OP:90|"}));

    openWindow();
    open<frmWorkflowImagePage>("workflow_include_image");
    EXPECT_EQ(child<QListWidget>("lstDocTypes")->count(), 4);
    EXPECT_TRUE(child<QCheckBox>("chkPortalForms")->isChecked());
}

TEST_F(SettingsOwnPagesWindowTest, AlternateOptionStartsAtEverythingAndKeepsFieldsItDoesNotKnow)
{
    start();
    auto* page = open<frmWorkflowImagePage>("workflow_include_image2");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->key(), "WRKFLWIMAGE2");
    EXPECT_TRUE(child<QCheckBox>("chkAllDocTypes")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optDocDays_0")->isChecked());
    EXPECT_FALSE(child<QListWidget>("lstDocTypes")->isEnabled());

    ASSERT_EQ(ask("|SET|SYS|WRKFLWIMAGE2=INS:OZ:MODE=2:30|"), "1");
    openWindow();
    page = open<frmWorkflowImagePage>("workflow_include_image2");
    auto* days = child<QLineEdit>("txtDocDays");
    days->setFocus();
    days->selectAll();
    QTest::keyClicks(days, QStringLiteral("45"));
    EXPECT_TRUE(page->hasChanges());
    saveExpectingSaved();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|WRKFLWIMAGE2=INS:OZ:MODE=2:45|"}));
}

TEST_F(SettingsOwnPagesWindowTest, TransactionCodeLookupsTakeOnlyCodesOfTheKindAfterTheBar)
{
    start();
    CodeVerdict verdict;
    host->serverUtils->ValidateCode("FLTY|PRP", "cash", {}, verdict);
    EXPECT_EQ(verdict.status, "VALID");
    EXPECT_EQ(verdict.description, "Cash payment|PRP");
    host->serverUtils->ValidateCode("FLTY|PRP", "ADJ", {}, verdict);
    EXPECT_EQ(verdict.status, "NOT VALID");
    host->serverUtils->ValidateCode("FLTY", "ADJ", {}, verdict);
    EXPECT_EQ(verdict.status, "VALID");

    ASSERT_TRUE(window->selectLeaf("credit_card_payment_code"));
    auto* code = child<QLineEdit>("txtLookup");
    code->setFocus();
    QTest::keyClicks(code, QStringLiteral("ADJ"));
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(window->cmdSaveCommon_Click());
    EXPECT_EQ(lastPrompt().text, "'ADJ' is not a valid code for Credit Card Payment Code.");
    code->selectAll();
    QTest::keyClicks(code, QStringLiteral("CC"));
    saveExpectingSaved();
    EXPECT_EQ(writes(), (std::vector<std::string> {"|SET|SYS|CCARDCREDITDEF=CC^Credit card payment|"}));
}

} // namespace
} // namespace corvane
