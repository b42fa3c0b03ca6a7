#include "CheckForErrorOnSave.h"

#include "HostFixture.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct SaveCase {
    const char* reply;
    bool saved;
    SaveVerdict::Show show;
    const char* title; ///< as shown; "" = the application title
    const char* text;
};

class CheckForErrorOnSaveMatrix : public test::HostFixture, public ::testing::WithParamInterface<SaveCase> { };

TEST_P(CheckForErrorOnSaveMatrix, ShowsWhatTheServerSaidAndJudgesTheSave)
{
    const SaveCase& c = GetParam();
    if (c.show == SaveVerdict::Show::CriticalBox)
        prompter->expect(PromptAnswer::Ok);
    EXPECT_EQ(CheckForErrorOnSave(c.reply), c.saved);

    const std::string expectedTitle = *c.title ? c.title : utils->title;
    switch (c.show) {
    case SaveVerdict::Show::Nothing:
        EXPECT_TRUE(utils->messages.empty());
        EXPECT_TRUE(prompter->prompts.empty());
        EXPECT_FALSE(SharedState::instance().saveErrorShown);
        break;
    case SaveVerdict::Show::UtilsMessage:
        ASSERT_EQ(utils->messages.size(), 1u);
        EXPECT_EQ(utils->messages[0].text, c.text);
        EXPECT_EQ(utils->messages[0].title, expectedTitle);
        EXPECT_TRUE(SharedState::instance().saveErrorShown);
        break;
    case SaveVerdict::Show::CriticalBox:
        ASSERT_EQ(prompter->prompts.size(), 1u);
        EXPECT_EQ(prompter->prompts[0].text, c.text);
        EXPECT_EQ(prompter->prompts[0].title, expectedTitle);
        EXPECT_EQ(prompter->prompts[0].icon, PromptIcon::Critical);
        EXPECT_EQ(prompter->prompts[0].buttons, PromptButtons::Ok);
        EXPECT_TRUE(SharedState::instance().saveErrorShown);
        break;
    }
}

using Show = SaveVerdict::Show;
INSTANTIATE_TEST_SUITE_P(
    Replies, CheckForErrorOnSaveMatrix,
    ::testing::Values(
        SaveCase {"", true, Show::Nothing, "", ""}, SaveCase {"1", true, Show::Nothing, "", ""},
        SaveCase {"  ", true, Show::Nothing, "", ""}, SaveCase {" 1 ", true, Show::Nothing, "", ""},
        SaveCase {"error: duplicate code", false, Show::UtilsMessage, "", "error\r\n duplicate code"},
        SaveCase {"Save ERROR", false, Show::UtilsMessage, "", "Save ERROR"},
        SaveCase {"Warning: balance is negative", true, Show::UtilsMessage, "", "Warning\r\n balance is negative"},
        SaveCase {"warning and error", false, Show::UtilsMessage, "", "warning and error"},
        SaveCase {"Saved 3 rows", false, Show::CriticalBox, "", "Saved 3 rows"},
        SaveCase {"0", false, Show::CriticalBox, "", "0"}, SaveCase {"|OK|", true, Show::Nothing, "", ""},
        SaveCase {"|ERROR|x", true, Show::Nothing, "", ""},
        SaveCase {"|ERROR|Codes|Row 3:code missing", false, Show::UtilsMessage, "Codes", "Row 3\r\ncode missing"},
        SaveCase {"|WARNING|Codes|Check:row 4", true, Show::UtilsMessage, "Codes", "Check\r\nrow 4"},
        SaveCase {"||Codes|ignored", true, Show::Nothing, "", ""},
        SaveCase {"|OK||", false, Show::CriticalBox, "", "Save Data error :\r\nOK\r\n\r\n"},
        SaveCase {"|BUSY|Server|Try:again|x", false, Show::CriticalBox, "Server",
                  "Save Data error :\r\nBUSY\r\n\r\nTry\r\nagain"}));

class CheckForErrorOnSaveTest : public test::HostFixture { };

TEST_F(CheckForErrorOnSaveTest, AFailingMessageOperationIsLoggedAndTheSaveFails)
{
    struct ThrowingUtils : test::FakeUtils {
        void ShowMessage(const std::string&, const std::string&) override { throw std::runtime_error("no window"); }
    };
    auto throwing = std::make_shared<ThrowingUtils>();
    SharedState::instance().utils = throwing;
    EXPECT_FALSE(CheckForErrorOnSave("|WARNING|t|m"));
    ASSERT_EQ(throwing->logLines.size(), 1u);
    EXPECT_EQ(throwing->logLines[0], "ERR in CorvaneDialogs.CheckForErrorOnSave   no window");
}

} // namespace
} // namespace corvane
