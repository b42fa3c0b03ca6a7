#include "frmFaxRelated.h"

#include "HostFixture.h"
#include "Text.h"
#include "grid/CorvaneGrid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

template<typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

std::string faxConfig()
{
    std::vector<std::string> fields(18);
    fields[0] = "Jane Smith";
    fields[1] = "(555) 201-4400";
    fields[4] = "Riverside Medical Group";
    return text::join(fields, std::string_view("\xE6", 1));
}

std::string recipientReply(const std::string& delivery)
{
    std::vector<std::string> fields(49);
    fields[0] = "RF004";
    fields[1] = "Records Department";
    fields[2] = "Mercy General Hospital";
    fields[3] = "(555) 600-7000";
    fields[4] = "records@mercygeneral.example";
    fields[5] = delivery;
    return text::join(fields, std::string_view("\xE6", 1));
}

class FaxOptionsWindowTest : public test::HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        quillon->stringReplies["|GET|TRAN|FAXCONFIG|"] = faxConfig();
    }
    void TearDown() override
    {
        window.close();
        HostFixture::TearDown();
    }
    QLineEdit* field(const char* name) { return child<QLineEdit>(&window, name); }
    std::vector<std::string> sentFax() const
    {
        for (auto it = quillon->requests.rbegin(); it != quillon->requests.rend(); ++it) {
            if (it->rfind("|GET|TRAN|FAX|", 0) == 0) {
                const std::string data = it->substr(it->find('|', 14) + 1);
                std::vector<std::string> fields;
                for (auto piece : text::split(data, '\xE6'))
                    fields.emplace_back(piece);
                return fields;
            }
        }
        return {};
    }

    frmFaxRelated window;
};

TEST_F(FaxOptionsWindowTest, OkQueuesFourteenFieldsAndClosesOnlyOnTheExpectedReply)
{
    ASSERT_TRUE(window.InitFax("10001", "DOC10001"));
    window.showWindow(false);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fax Options"));
    EXPECT_EQ(field("txtField_0")->text(), QStringLiteral("Jane Smith")) << "the sender comes from FAXCONFIG";
    EXPECT_TRUE(child<QRadioButton>(&window, "optEmail_0")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&window, "optSchedule_0")->isChecked());
    EXPECT_EQ(field("txtField_7")->echoMode(), QLineEdit::Password);
    for (const auto& request : quillon->requests)
        EXPECT_NE(request.rfind("|GET|TRAN|TRANID|", 0), 0u) << "a document id was given";

    auto* ok = child<QPushButton>(&window, "cmdOKFax");
    EXPECT_FALSE(ok->isEnabled()) << "Fax needs a fax number";
    field("mskField_1")->clear();
    field("txtField_3")->setText(QStringLiteral("Dr. Reed"));
    field("mskField_4")->setText(QStringLiteral("(555) 310-4410"));
    field("txtField_7")->setText(QStringLiteral("p4ss"));
    child<QRadioButton>(&window, "optSchedule_1")->setChecked(true);
    EXPECT_TRUE(ok->isEnabled());

    quillon->answer = [](const std::string& request) {
        return std::vector<std::string> {request.rfind("|GET|TRAN|FAX|", 0) == 0 ? "ERROR: the fax line is down" : ""};
    };
    prompter->expect(PromptAnswer::Ok);
    ok->click();
    const std::vector<std::string> expected {
        "Jane Smith", "", "Riverside Medical Group", "", "(555) 310-4410", "", "", "F", "", "", "", "U", "p4ss", ""};
    EXPECT_EQ(sentFax(), expected) << "an empty masked phone is sent empty";
    EXPECT_EQ(prompter->prompts.back().text, "ERROR: the fax line is down");
    EXPECT_TRUE(window.isVisible()) << "a refused send keeps the window";
    EXPECT_EQ(field("mskField_4")->text(), QStringLiteral("(555) 310-4410"));

    quillon->answer = [](const std::string&) {
        return std::vector<std::string> {"1"};
    };
    ok->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(FaxOptionsWindowTest, AddressesAreCheckedBeforeAnythingIsSent)
{
    ASSERT_TRUE(window.InitFax("10001", "DOC10001"));
    window.showWindow(false);
    child<QRadioButton>(&window, "optEmail_1")->setChecked(true);
    field("txtField_6")->setText(QStringLiteral("records.mercygeneral.example"));
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>(&window, "cmdOKFax")->click();
    EXPECT_EQ(prompter->prompts.back().text,
              "You have entered an invalid email address. Please correct this before continuing.");

    child<QRadioButton>(&window, "optEmail_0")->setChecked(true);
    field("mskField_4")->setText(QStringLiteral("555-12"));
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>(&window, "cmdOKFax")->click();
    EXPECT_NE(prompter->prompts.back().text.find("at least 7 digits"), std::string::npos);

    field("mskField_4")->setText(QStringLiteral("5551234567"));
    field("txtField_2")->setText(QString(QChar(0x2603)) + QStringLiteral(" notes"));
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>(&window, "cmdOKFax")->click();
    for (const auto& request : quillon->requests)
        EXPECT_NE(request.rfind("|GET|TRAN|FAX|", 0), 0u) << "nothing was sent";
    EXPECT_TRUE(window.isVisible());
}

TEST_F(FaxOptionsWindowTest, ADocumentBeingEditedAsksToReallocateOnceMore)
{
    quillon->stringReplies["|GET|TRAN|TRANID|10007"] = "ERROR:  Document is being edited by MJONES";
    prompter->expect(PromptAnswer::No);
    EXPECT_FALSE(window.InitFax("10007", ""));
    EXPECT_EQ(prompter->prompts.back().text, "Document being edited MJONES, do you wish to re-allocate?");
    EXPECT_EQ(prompter->prompts.back().title, "Practice Manager / Reallocate");
    EXPECT_EQ(prompter->prompts.back().defaultAnswer, std::optional<PromptAnswer>(PromptAnswer::No));
    EXPECT_EQ(quillon->requests.back(), "|GET|TRAN|TRANID|10007") << "No takes nothing over";

    quillon->stringReplies["|SET|TRAN|TRAN|Q|10007"] = "1";
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(window.InitFax("10007", "")) << "still held after the take-over: reported, not asked again";
    EXPECT_EQ(prompter->prompts.back().title, "Practice Manager/ Error loading Transcript");
    const std::size_t asked = static_cast<std::size_t>(
        std::count(quillon->requests.begin(), quillon->requests.end(), "|GET|TRAN|TRANID|10007"));
    EXPECT_EQ(asked, 3u);

    quillon->answer = [n = 0](const std::string& request) mutable {
        if (request == "|GET|TRAN|TRANID|10007")
            return std::vector<std::string> {n++ == 0 ? "ERROR:  Document is being edited by MJONES" : "DOC10007"};
        return std::vector<std::string> {request == "|SET|TRAN|TRAN|Q|10007" ? "1" : ""};
    };
    prompter->expect(PromptAnswer::Yes);
    EXPECT_TRUE(window.InitFax("10007", ""));
}

TEST_F(FaxOptionsWindowTest, TheRecipientLookupFillsTheFieldsAndFaxOnlyCodesLockTheMethod)
{
    ASSERT_TRUE(window.InitFax("10001", "DOC10001"));
    window.showWindow(false);
    lookups->result = "RF004 -Records Department (Mercy General Hospital)";
    quillon->stringReplies["|GET|TRAN|RFG|RF004"] = recipientReply("X");
    QTest::keyClick(field("txtField_3"), Qt::Key_F4);
    EXPECT_EQ(lookups->lastSetup.request, "RFG");
    EXPECT_EQ(field("txtField_3")->text(), QStringLiteral("Records Department"));
    EXPECT_EQ(field("mskField_4")->text(), QStringLiteral("(555) 600-7000"));
    EXPECT_EQ(field("txtField_5")->text(), QStringLiteral("Mercy General Hospital"));
    EXPECT_FALSE(child<QRadioButton>(&window, "optEmail_1")->isEnabled());
    EXPECT_TRUE(child<QRadioButton>(&window, "optEmail_0")->isChecked());

    quillon->answer = [](const std::string&) {
        return std::vector<std::string> {"1"};
    };
    child<QPushButton>(&window, "cmdOKFax")->click();
    const auto fields = sentFax();
    ASSERT_EQ(fields.size(), 14u);
    EXPECT_EQ(fields[3], "RF004");
    EXPECT_EQ(fields[13], "RF004");
}

TEST_F(FaxOptionsWindowTest, ARecipientTheServerCannotStoreIsRefusedBeforeTheLookup)
{
    ASSERT_TRUE(window.InitFax("10001", "DOC10001"));
    window.showWindow(false);
    field("txtField_3")->setText(QStringLiteral("Dr. \u0141ukasz"));
    prompter->expect(PromptAnswer::Ok);
    QTest::keyClick(field("txtField_3"), Qt::Key_F4);
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_NE(prompter->prompts[0].text.find("(U+0141)"), std::string::npos);
    EXPECT_TRUE(lookups->lastSetup.request.empty()) << "the lookup must not search for a text with \"?\" in it";
}

TEST_F(FaxOptionsWindowTest, ResendEditsNumbersChecksThemAndCancelHandsBackNothing)
{
    window.InitFaxResend("10001|(555) 310-2201|10002|", {"Dr. Ortiz", "Dr. Reed"});
    window.showWindow(false);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fax Resend"));
    CorvaneGrid* grid = child<CorvaneGrid>(&window, "grdFaxRedirect");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->value(1, 3), QStringLiteral("Dr. Ortiz")) << "the recipient beside the number";

    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(grid->setValue(1, 2, QStringLiteral("555-12")));
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(grid->setValue(1, 2, QString())) << "a fax job needs a number";
    EXPECT_TRUE(grid->setValue(1, 2, QStringLiteral("(555) 999-8888")));
    child<QPushButton>(&window, "cmdOKFaxResend")->click();
    EXPECT_EQ(window.FaxResend(), "10001|(555) 999-8888|10002|") << "the e-mail job keeps its empty number";

    frmFaxRelated other;
    other.InitFaxResend("10001|(555) 310-2201");
    other.showWindow(false);
    QTest::keyClick(&other, Qt::Key_Escape);
    EXPECT_EQ(other.FaxResend(), "");
    EXPECT_FALSE(other.isVisible());
}

} // namespace
} // namespace corvane
