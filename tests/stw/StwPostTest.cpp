#include "StwTestData.h"
#include "StwWindowFixture.h"
#include "grid/CorvaneGrid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::stwData;
using test::stwRow;

const std::string notSaved = "The changes were not saved: the connection to the practice server failed.\r\n"
                             "Your changes are still in this window. Post again when the connection is back.";
const std::string unknown = "The practice server did not confirm the post, so it is not known whether the changes "
                            "were saved.\r\nYour changes are still in this window. Post again to make sure they "
                            "are saved.";

/// Utilities whose split-by-length cuts shorter pieces than a post may carry.
class ShortPieceUtils final : public test::FakeUtils {
public:
    void SplitByLength(const std::string& text, std::vector<std::string>& pieces, std::int32_t, bool,
                       bool& result) override
    {
        pieces = TextFields::splitByLength(text, 8000);
        result = true;
    }
};

/// Post against a scripted server link: when it goes ahead, what it sends and what it says when it fails.
class StwPostTest : public test::StwWindowFixture {
protected:
    void SetUp() override
    {
        StwWindowFixture::SetUp();
        serve({"|OK||", stwData({stwRow(1, "ABC"), stwRow(2, "DEF"), stwRow(3, "GHI")}), "|END|"});
    }
    void serve(std::vector<std::string> lines) { quillon->lineReplies["|GET|STW|1|"] = std::move(lines); }
    std::string lastLog() const { return utils->logLines.empty() ? std::string() : utils->logLines.back(); }
    /// The last prompt shown, or an empty one when there was none.
    Prompt lastPrompt() const { return prompter->prompts.empty() ? Prompt {} : prompter->prompts.back(); }
    QPushButton* post() const { return window->findChild<QPushButton*>(QStringLiteral("cmdOK")); }
    std::vector<std::string> sets() const
    {
        std::vector<std::string> found;
        for (const auto& request : quillon->requests) {
            if (request.rfind("|SET|STW|", 0) == 0)
                found.push_back(request);
        }
        return found;
    }
    int loads() const
    {
        return static_cast<int>(std::count(quillon->requests.begin(), quillon->requests.end(), "|GET|STW|1|"));
    }
};

TEST_F(StwPostTest, PostStaysDisabledUntilAHeaderWithColumnsIsLoaded)
{
    const std::vector<std::vector<std::string>> replies
        = {{"|OK||", "|END|"}, {"|OK||"}, {"|END|"}, {}, {"|OK||", "\xE6", "|END|"}};
    for (const auto& reply : replies) {
        serve(reply);
        frmSTW& w = open();
        EXPECT_EQ(w.state(), frmSTW::Editable);
        EXPECT_FALSE(post()->isEnabled()) << testing::PrintToString(reply);
        post()->click();
        window->close();
    }
    EXPECT_TRUE(sets().empty());

    serve({"|OK||", stwData({stwRow(1, "ABC")}), "|END|"});
    open();
    EXPECT_TRUE(post()->isEnabled());
}

TEST_F(StwPostTest, APostThatWouldDeleteEveryRowAsksFirstAndNoKeepsEverything)
{
    frmSTW& w = open();
    for (int i = 0; i < 3; ++i) {
        w.grid().setCurrentCell(1, 2);
        window->findChild<QPushButton*>(QStringLiteral("cmdDelRow"))->click();
    }
    ASSERT_EQ(w.table().dataRowCount(), 0);

    prompter->expect(PromptAnswer::No);
    post()->click();
    const Prompt question = lastPrompt();
    EXPECT_EQ(question.text, "Delete all 3 rows of Codes Cross Reference?");
    EXPECT_EQ(question.buttons, PromptButtons::YesNo);
    EXPECT_EQ(question.defaultAnswer, PromptAnswer::No);
    EXPECT_TRUE(sets().empty());
    EXPECT_TRUE(w.hasUnsavedChanges());

    prompter->expect(PromptAnswer::Yes);
    post()->click();
    EXPECT_EQ(sets(), std::vector<std::string> {"|SET|STW|1|"});
    EXPECT_FALSE(w.hasUnsavedChanges());
}

TEST_F(StwPostTest, AValueStillInTheCellEditorIsCheckedAndStoredBeforeThePost)
{
    frmSTW& w = open();
    w.grid().setCurrentCell(2, 3);
    w.grid().editCurrentCell();
    auto* editor = qobject_cast<QLineEdit*>(w.grid().indexWidget(w.grid().currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Tuesday"));

    prompter->expect(PromptAnswer::Ok);
    post()->click();
    EXPECT_EQ(lastPrompt().text, "Dates only, please.");
    EXPECT_TRUE(sets().empty()) << "a refused value stops the post";
    EXPECT_TRUE(w.grid().isEditing()) << "and the typed text stays for the operator to correct";

    editor->setText(QStringLiteral("1/2/2021"));
    post()->click();
    ASSERT_EQ(sets().size(), 1u);
    EXPECT_NE(sets()[0].find("2\tDEF\t01/02/2021\t"), std::string::npos);
    EXPECT_FALSE(w.grid().isEditing());
    EXPECT_FALSE(w.hasUnsavedChanges());
}

TEST_F(StwPostTest, ARefusedOrUnansweredPostSaysTheWorkIsStillThereAndLogsTheRequest)
{
    frmSTW& w = open();
    ASSERT_TRUE(w.grid().setValue(2, 2, QStringLiteral("XYZ")));

    answerSaves({"|ok||error: XYZ is not allowed", "|END|"});
    prompter->expect(PromptAnswer::Ok);
    post()->click();
    EXPECT_EQ(lastPrompt().text,
              "error: XYZ is not allowed\r\n\r\nThe changes were not saved. Your changes are still in this window.");
    EXPECT_EQ(lastLog().rfind("ERR in frmSTW.STWSave after |SET|STW|1|1\tABC", 0), 0u);

    // A reply that never came: the request may have been stored.
    for (const bool reachable : {false, true}) {
        quillon->answer = [reachable](const std::string& request) {
            if (request.rfind("|SET|", 0) == 0 && reachable)
                return std::vector<std::string> {};
            return std::vector<std::string> {"|OK||", "|END|"};
        };
        quillon->failWhen = [reachable](const std::string& request) {
            return !reachable && request.rfind("|SET|", 0) == 0;
        };
        prompter->expect(PromptAnswer::Ok);
        post()->click();
        EXPECT_EQ(lastPrompt().text, unknown);
        EXPECT_EQ(lastPrompt().icon, PromptIcon::Warning);
        EXPECT_EQ(lastLog().rfind("mcomm.DirectComm failed in frmSTW.STWSave\r\n|SET|STW|1|1\tABC", 0), 0u);
    }
    EXPECT_EQ(loads(), 1) << "nothing was reloaded";
    EXPECT_TRUE(w.hasUnsavedChanges());
    EXPECT_EQ(w.table().text(2, 2), "XYZ");
}

class StwPiecesTest : public StwPostTest {
protected:
    void SetUp() override
    {
        utils = std::make_shared<ShortPieceUtils>();
        StwPostTest::SetUp();
        std::vector<std::string> rows;
        for (int i = 1; i <= 400; ++i)
            rows.push_back(stwRow(i, "CODE" + std::to_string(i) + std::string(20, 'x')));
        serve({"|OK||", stwData(rows), "|END|"});
    }
};

TEST_F(StwPiecesTest, PiecesAreAlwaysFullButTheLastAndAFailedOneSaysNothingWasSaved)
{
    frmSTW& w = open();
    ASSERT_TRUE(w.grid().setValue(1, 2, QStringLiteral("FIRST")));

    quillon->failWhen = [](const std::string& request) {
        return request.rfind("|SET|STW|2|", 0) == 0;
    };
    prompter->expect(PromptAnswer::Ok);
    post()->click();
    EXPECT_EQ(sets().size(), 2u) << "a failed piece stops the post";
    EXPECT_EQ(lastPrompt().text, notSaved);
    EXPECT_EQ(lastPrompt().text.find("|SET|"), std::string::npos) << "the request goes to the log only";
    EXPECT_EQ(lastLog().rfind("mcomm.DirectComm failed in frmSTW.STWSave\r\n|SET|STW|2|", 0), 0u);
    EXPECT_TRUE(w.hasUnsavedChanges());
    EXPECT_EQ(w.table().text(1, 2), "FIRST");

    quillon->failWhen = nullptr;
    quillon->requests.clear();
    post()->click();
    const auto requests = sets();
    std::string joined;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const std::string prefix = "|SET|STW|" + std::to_string(i + 1) + "|";
        ASSERT_EQ(requests[i].rfind(prefix, 0), 0u);
        const std::size_t payload = requests[i].size() - prefix.size();
        if (i + 1 < requests.size())
            EXPECT_EQ(payload, 9000u) << "piece " << i + 1;
        else
            EXPECT_LT(payload, 9000u) << "the last piece is the shorter one";
        joined += requests[i].substr(prefix.size());
    }
    EXPECT_EQ(joined.substr(0, 8), "1\tFIRST\t");
    EXPECT_EQ(std::count(joined.begin(), joined.end(), '\xE6'), 400);
    EXPECT_EQ(quillon->requests.size(), requests.size() + 1) << "the pieces and one reload";
    EXPECT_FALSE(w.hasUnsavedChanges());
}

} // namespace
} // namespace corvane
