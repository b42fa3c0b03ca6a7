#include "CorvaneGrid.h"
#include "CustomFormFile.h"
#include "KeyboardDriver.h"
#include "SettingsPageFixture.h"
#include "SettingsTexts.h"
#include "frmCustomFormsPage.h"
#include "frmLoadCustom.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <fstream>

namespace corvane {
namespace {

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class CustomFormsPageTest : public test::SettingsPageFixture {
protected:
    frmCustomFormsPage* openPage()
    {
        EXPECT_TRUE(window->selectLeaf("set_custom_forms"));
        auto* page = qobject_cast<frmCustomFormsPage*>(window->ownPage());
        EXPECT_NE(page, nullptr);
        EXPECT_EQ(window->currentPage(), 17);
        return page;
    }
    /// The grid row that shows the form code, or 0.
    static int rowOf(const frmCustomFormsPage& page, const std::string& code)
    {
        for (int row = 1; row <= page.grid()->rowCount(); ++row) {
            if (WireCodec::toWireLossy(page.grid()->value(row, 2)) == code)
                return row;
        }
        return 0;
    }
    /// A layout file with a small image holding every separator byte and a large one needing several pieces.
    std::string writeLayout(const std::string& code, const std::string& name)
    {
        const std::string path = dir.file(code + ".ldt");
        writeFile(path,
                  "<HEADER>\r\nForm_Name:\t" + name + "\r\nForm_Code:\t" + code
                      + "\r\nForm_Type:\tPRINT\r\nBackground_Image:\tback.bin\r\n"
                        "Image:\t1\t2\t3\t4\tsign.bin\r\n</HEADER>\r\nTEXT\t10\t10\tPatient|Name\xE6\r\n");
        writeFile(dir.file("back.bin"), smallImage);
        writeFile(dir.file("sign.bin"), largeImage);
        return path;
    }

    const std::string smallImage = std::string("A\0|\xE6\r\nB\0", 8);
    const std::string largeImage = [] {
        std::string bytes;
        for (int i = 0; i < 26000; ++i)
            bytes += static_cast<char>((i * 7 + i / 256) % 256);
        return bytes;
    }();
};

TEST_F(CustomFormsPageTest, ListShowsTheSelectionAndASavedTickIsThereOnReload)
{
    start();
    frmCustomFormsPage* page = openPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(requests, (std::vector<std::string> {"|GET|CUSTFORM|LIST|", "|GET|CUSTFORM|H|"}));
    EXPECT_EQ(page->grid()->rowCount(), 5);
    EXPECT_EQ(page->grid()->value(0, 3), QStringLiteral("Descripion"));
    const int intake = rowOf(*page, "INTAKE");
    const int hipaa = rowOf(*page, "HIPAA");
    EXPECT_EQ(page->grid()->value(intake, 7), QStringLiteral("1"));
    EXPECT_EQ(page->grid()->value(hipaa, 7), QStringLiteral("0"));
    EXPECT_FALSE(child<QPushButton>("cmdSaveCommon")->isEnabled());

    ASSERT_TRUE(page->grid()->setValue(hipaa, 7, QStringLiteral("1")));
    EXPECT_TRUE(child<QPushButton>("cmdSaveCommon")->isEnabled());
    saveExpectingSaved();
    EXPECT_EQ(writes(),
              (std::vector<std::string> {"|SET|CUSTFORM|H|HIPAA\tHIPAA Acknowledgement\tENTRY\xE6"
                                         "INTAKE\tNew Patient Intake\tENTRY"}));

    openWindow();
    page = openPage();
    EXPECT_EQ(page->grid()->value(rowOf(*page, "HIPAA"), 7), QStringLiteral("1"));
    EXPECT_FALSE(child<QPushButton>("cmdSaveCommon")->isEnabled());
}

TEST_F(CustomFormsPageTest, ActiveOnlyHidesInactiveFormsWithoutDroppingTheirTicks)
{
    start();
    frmCustomFormsPage* page = openPage();
    ASSERT_TRUE(page->grid()->setValue(rowOf(*page, "INTAKE-OLD"), 7, QStringLiteral("1")));
    child<QCheckBox>("chkActive")->setChecked(true);
    EXPECT_EQ(page->grid()->rowCount(), 4);
    EXPECT_EQ(rowOf(*page, "INTAKE-OLD"), 0);
    saveExpectingSaved();
    EXPECT_NE(ask("|GET|CUSTFORM|H|").find("INTAKE-OLD"), std::string::npos);
}

TEST_F(CustomFormsPageTest, AFailedListReadKeepsTheCoverAndAnErrorReplyIsShownWithItsRequest)
{
    start();
    host->link->failCall(1);
    EXPECT_TRUE(window->selectLeaf("set_custom_forms"));
    EXPECT_EQ(window->ownPage(), nullptr);
    EXPECT_EQ(window->currentPage(), 4);

    host->server->addHandler("GET", "CUSTFORM", [](const reference::Request&) {
        return reference::Answer::text("ERROR: forms are locked");
    });
    openWindow();
    prompter->expect(PromptAnswer::Ok);
    EXPECT_TRUE(window->selectLeaf("set_custom_forms"));
    EXPECT_EQ(lastPrompt().text, "ERROR: forms are locked\r\nafter:\r\n|GET|CUSTFORM|LIST|");
    EXPECT_EQ(window->currentPage(), 4);
}

TEST_F(CustomFormsPageTest, LoadedFormArrivesWithItsImagesByteForByteAndUnsavedTicksStay)
{
    start();
    frmCustomFormsPage* page = openPage();
    ASSERT_TRUE(page->grid()->setValue(rowOf(*page, "HIPAA"), 7, QStringLiteral("1")));
    const std::string path = writeLayout("CONSENT", "Surgical Consent");
    page->onLoadWindow = [&](frmLoadCustom& load) {
        EXPECT_EQ(load.windowTitle(), QStringLiteral("Load Custom Form from file"));
        load.chooseFile = [&](QWidget*) {
            return QString::fromStdString(path);
        };
        load.cmdLoadForm_Click(0);
        EXPECT_EQ(load.field(1)->text(), QStringLiteral("CONSENT"));
        EXPECT_EQ(load.field(2)->text(), QStringLiteral("Surgical Consent"));
        EXPECT_EQ(load.field(3)->text(), QStringLiteral("PRINT"));
        EXPECT_TRUE(load.field(1)->isReadOnly());
        prompter->expect(PromptAnswer::Ok);
        load.cmdLoadForm_Click(1);
        EXPECT_EQ(lastPrompt().text, "Form loaded.");
    };
    requests.clear();
    page->cmdLoadFromFile_Click();

    std::ifstream in(path, std::ios::binary);
    const std::string layout((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<std::string> sent = writes();
    ASSERT_EQ(sent.size(), 5u) << "the layout, one piece of the small image, three of the large one";
    EXPECT_EQ(sent[0], "|SET|CUSTFORM|T|CONSENT|Surgical Consent:PRINT|" + layout);
    EXPECT_EQ(sent[1], "|SET|CUSTFORM|I-1|CONSENT|back.bin|" + smallImage);
    EXPECT_EQ(sent[4].substr(0, 35), "|SET|CUSTFORM|I-3|CONSENT|sign.bin|");
    const std::size_t pieces
        = CustomFormUpload::pieceCount(largeImage.size(), CustomFormUpload::pieceLength("CONSENT", "sign.bin"));
    EXPECT_EQ(pieces, 3u);
    EXPECT_EQ(ask("|GET|CUSTFORM|I|CONSENT|back.bin|"), smallImage);
    EXPECT_EQ(ask("|GET|CUSTFORM|I|CONSENT|sign.bin|"), largeImage);
    EXPECT_EQ(ask("|GET|CUSTFORM|T|CONSENT|"), layout);

    EXPECT_NE(rowOf(*page, "CONSENT"), 0) << "the list is read again";
    EXPECT_EQ(page->grid()->value(rowOf(*page, "HIPAA"), 7), QStringLiteral("1")) << "the unsaved tick stays";
    EXPECT_TRUE(page->hasChanges());
}

TEST_F(CustomFormsPageTest, AnExistingFormIsNamedAndOverwrittenOnlyAfterOkOrWithOverwriteTicked)
{
    start();
    frmCustomFormsPage* page = openPage();
    const std::string path = writeLayout("HIPAA", "New Patient Intake");
    page->onLoadWindow = [&](frmLoadCustom& load) {
        prompter->expect(PromptAnswer::Ok);
        ASSERT_TRUE(load.CustomFormGetFileName(QString::fromStdString(path)));
        EXPECT_EQ(lastPrompt().text, "Form: 'HIPAA' already exists.");
        EXPECT_TRUE(load.field(1)->font().bold());

        prompter->expect(PromptAnswer::Cancel);
        EXPECT_FALSE(load.CustomFormSaveForm());
        EXPECT_EQ(lastPrompt().text,
                  "Form Already Exisits.\r\n\r\nForm: HIPAA\r\nDescription: New Patient Intake\r\n"
                  "The select item will be overwritten. ");
        EXPECT_TRUE(writes().empty());

        load.findChild<QCheckBox*>(QStringLiteral("chkFormOverwrite"))->setChecked(true);
        prompter->expect(PromptAnswer::Ok);
        EXPECT_TRUE(load.CustomFormSaveForm());
        EXPECT_EQ(lastPrompt().text, "Form loaded.");
    };
    requests.clear();
    page->cmdLoadFromFile_Click();
    EXPECT_NE(ask("|GET|CUSTFORM|LIST|").find("HIPAA\tNew Patient Intake\tPRINT"), std::string::npos);
}

TEST_F(CustomFormsPageTest, AMissingImageStopsTheLoadBeforeAnythingIsSent)
{
    start();
    frmCustomFormsPage* page = openPage();
    const std::string path = writeLayout("CONSENT", "Surgical Consent");
    std::filesystem::remove(dir.file("sign.bin"));
    page->onLoadWindow = [&](frmLoadCustom& load) {
        prompter->expect(PromptAnswer::Ok);
        EXPECT_FALSE(load.CustomFormGetFileName(QString::fromStdString(path)));
        EXPECT_NE(lastPrompt().text.find("sign.bin' not found."), std::string::npos) << lastPrompt().text;
        EXPECT_FALSE(load.findChild<QPushButton*>(QStringLiteral("cmdLoadForm_1"))->isEnabled());
        prompter->expect(PromptAnswer::Ok);
        EXPECT_FALSE(load.CustomFormSaveForm());
    };
    requests.clear();
    page->cmdLoadFromFile_Click();
    EXPECT_TRUE(writes().empty());
}

TEST_F(CustomFormsPageTest, LoadingIntoAProtectedPageAsksInDeveloperModeAndIsLockedOtherwise)
{
    start("JSMITH", true);
    ASSERT_EQ(ask("|SET|SYS|PROTECTED=POSTCHGAMTCALC;set_custom_forms|"), "1");
    openWindow();
    frmCustomFormsPage* page = openPage();
    const std::string path = writeLayout("CONSENT", "Surgical Consent");
    page->onLoadWindow = [&](frmLoadCustom& load) {
        ASSERT_TRUE(load.CustomFormGetFileName(QString::fromStdString(path)));
        prompter->expect(PromptAnswer::No);
        EXPECT_FALSE(load.CustomFormSaveForm());
        EXPECT_EQ(lastPrompt().text, SettingsTexts::protectedQuestion);
        EXPECT_TRUE(writes().empty());
        prompter->expect(PromptAnswer::Yes);
        prompter->expect(PromptAnswer::Ok);
        EXPECT_TRUE(load.CustomFormSaveForm());
        EXPECT_EQ(lastPrompt().text, "Form loaded.");
    };
    requests.clear();
    page->cmdLoadFromFile_Click();
    EXPECT_EQ(writes().size(), 5u);

    start("JSMITH", false);
    page = openPage();
    EXPECT_FALSE(child<QPushButton>("cmdLoadFromFile")->isEnabled()) << "protected outside developer mode";
}

TEST_F(CustomFormsPageTest, AViewOnlyOperatorCanNeitherTickNorLoad)
{
    start("LGARCIA");
    frmCustomFormsPage* page = openPage();
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(child<QPushButton>("cmdLoadFromFile")->isEnabled());
    EXPECT_FALSE(page->grid()->setValue(rowOf(*page, "HIPAA"), 7, QStringLiteral("1")));
    EXPECT_FALSE(page->hasChanges());
    EXPECT_FALSE(child<QPushButton>("cmdSaveCommon")->isVisible());
}

TEST_F(CustomFormsPageTest, TheKeyboardAloneTicksAFormAndSavesIt)
{
    start();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    frmCustomFormsPage* page = openPage();
    window->tree()->setFocus();
    test::press(Qt::Key_Return);
    EXPECT_EQ(test::focusName(), QStringLiteral("PatGrid"));
    const int hipaa = rowOf(*page, "HIPAA");
    page->grid()->setCurrentCell(1, 1);
    for (int row = 1; row < hipaa; ++row)
        test::press(Qt::Key_Down);
    for (int col = 1; col < 7; ++col)
        test::press(Qt::Key_Right);
    test::press(Qt::Key_Space);
    EXPECT_EQ(page->grid()->value(hipaa, 7), QStringLiteral("1"));
    test::press(Qt::Key_Tab);
    EXPECT_EQ(test::focusName(), QStringLiteral("chkActive"));
    prompter->expect(PromptAnswer::Ok);
    test::mnemonic(Qt::Key_S);
    EXPECT_NE(ask("|GET|CUSTFORM|H|").find("HIPAA"), std::string::npos);
}

TEST_F(CustomFormsPageTest, FormsPageSavesTheChangedNamesAndTheCheckBoxAndShowsThemAgain)
{
    start();
    ASSERT_TRUE(window->selectLeaf("cust_forms"));
    auto* receipt = child<QLineEdit>("txtForm_3");
    ASSERT_NE(receipt, nullptr);
    EXPECT_EQ(receipt->text(), QStringLiteral("RCPT1"));
    auto* statement = child<QLineEdit>("txtForm_4");
    statement->setFocus();
    QTest::keyClicks(statement, QStringLiteral("STMT2"));
    child<QCheckBox>("chkHideAttLine")->click();
    saveExpectingSaved();
    EXPECT_EQ(writes(),
              (std::vector<std::string> {"|SET|SYS|CUSTOMSTATEMENTFORM=STMT2|", "|SET|MSCG|STPXML6,NEWBUCKETS|||"}));
    openWindow();
    ASSERT_TRUE(window->selectLeaf("cust_forms"));
    EXPECT_EQ(child<QLineEdit>("txtForm_4")->text(), QStringLiteral("STMT2"));
    EXPECT_TRUE(child<QCheckBox>("chkHideAttLine")->isChecked());
}

} // namespace
} // namespace corvane
