#include "FakeHost.h"
#include "MessageBoxPrompter.h"
#include "Messages.h"
#include "ModalDriver.h"
#include "SharedState.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

class PrompterChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        SharedState::instance().reset();
        SharedState::instance().utils = utils;
        SharedState::instance().setPrompter(nullptr);
    }
    void TearDown() override
    {
        SharedState::instance().setDefaultPrompterFactory(nullptr);
        SharedState::instance().reset();
    }
    std::shared_ptr<test::FakeUtils> utils = std::make_shared<test::FakeUtils>();
};

class CountingPrompter final : public Prompter {
public:
    PromptAnswer ask(const Prompt&) override
    {
        ++asked;
        return PromptAnswer::Yes;
    }
    void beep() override { }
    int asked = 0;
};

TEST_F(PrompterChoice, TheDefaultIsChosenAtTheFirstMessageSoAnEarlyManagerStillAsks)
{
    bool applicationExists = false;
    auto shown = std::make_shared<CountingPrompter>();
    SharedState::instance().setDefaultPrompterFactory(
        [&]() -> std::shared_ptr<Prompter> { return applicationExists ? shown : nullptr; });

    // Before the application object exists nobody can be asked: the safe answer, and the text is logged.
    EXPECT_EQ(ask("Delete all rows?", PromptButtons::YesNo, PromptAnswer::Yes), PromptAnswer::Yes);
    EXPECT_EQ(ask("Delete all rows?", PromptButtons::YesNo, PromptAnswer::No), PromptAnswer::No);
    EXPECT_EQ(SharedState::instance().prompter().ask({"t", "Save?", PromptIcon::None, PromptButtons::YesNoCancel}),
              PromptAnswer::Cancel);
    EXPECT_EQ(shown->asked, 0);
    ASSERT_FALSE(utils->logLines.empty());
    EXPECT_NE(utils->logLines.back().find("Save?"), std::string::npos);

    applicationExists = true;
    EXPECT_EQ(ask("Delete all rows?", PromptButtons::YesNo, PromptAnswer::No), PromptAnswer::Yes);
    EXPECT_EQ(shown->asked, 1);
}

TEST_F(PrompterChoice, AHostsOwnPrompterWinsOverTheDefault)
{
    auto own = std::make_shared<CountingPrompter>();
    SharedState::instance().setPrompter(own);
    SharedState::instance().setDefaultPrompterFactory([]() -> std::shared_ptr<Prompter> {
        ADD_FAILURE() << "the default was consulted although the host set a prompter";
        return nullptr;
    });
    tell("Saved.");
    EXPECT_EQ(own->asked, 1);
}

TEST_F(PrompterChoice, MessageBoxesPressTheKeepingButtonOnEnterAndCutHugeTexts)
{
    MessageBoxPrompter prompter;
    Prompt question {"Codes Cross Reference", "Changes have not been saved.", PromptIcon::Question,
                     PromptButtons::OkCancel};
    question.defaultAnswer = PromptAnswer::Cancel;
    PromptAnswer answer = PromptAnswer::Ok;
    test::runModal([&] { answer = prompter.ask(question); },
                   [](QWidget* window) { QTest::keyClick(window, Qt::Key_Return); });
    EXPECT_EQ(answer, PromptAnswer::Cancel);

    const std::string huge(1'000'000, 'x');
    QString shownText;
    test::runModal(
        [&] {
            prompter.ask({"Server", huge, PromptIcon::Critical, PromptButtons::Ok});
        },
        [&](QWidget* window) {
            shownText = qobject_cast<QMessageBox*>(window)->text();
            QTest::keyClick(window, Qt::Key_Return);
        });
    EXPECT_LT(shownText.size(), 2200);
    EXPECT_TRUE(shownText.contains(QStringLiteral("the whole text is in the log")));
    ASSERT_FALSE(utils->logLines.empty());
    EXPECT_NE(utils->logLines.back().find(huge), std::string::npos);

    Prompt dump {"Debug (DBG only)", std::string(200'000, 'y'), PromptIcon::None, PromptButtons::Ok};
    dump.wholeText = true;
    qsizetype dumped = 0;
    test::runModal([&] { prompter.ask(dump); },
                   [&](QWidget* window) {
                       auto* view = window->findChild<QPlainTextEdit*>(QStringLiteral("txtWholeText"));
                       ASSERT_NE(view, nullptr);
                       dumped = view->toPlainText().size();
                       EXPECT_LT(window->height(), 1000);
                       QTest::keyClick(window, Qt::Key_Escape);
                   });
    EXPECT_EQ(dumped, 200'000);
}

} // namespace
} // namespace corvane
