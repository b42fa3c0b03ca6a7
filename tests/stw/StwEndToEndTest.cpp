#include "CorvaneDialogsMgr.h"
#include "ReferenceHost.h"
#include "STWDialog.h"
#include "ScriptedPrompter.h"
#include "SharedState.h"
#include "TempDir.h"
#include "frmSTW.h"
#include "grid/CorvaneGrid.h"

#include <QApplication>
#include <QPushButton>

#include <gtest/gtest.h>

namespace corvane {
namespace {

/// The STW window through its public entry routine against the reference practice server.
class StwEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SharedState::instance().reset();
        CorvaneDialogsMgr::SetPrompter(prompter);
        host = std::make_unique<reference::ReferenceHost>(dir.file("practice.db"), "JSMITH",
                                                          QString::fromStdString(dir.file("corvane.log")));
        host->utils->setToday(CivilDate {2026, 12, 5});
        host->initialise(manager);
    }
    void TearDown() override
    {
        EXPECT_EQ(prompter->unansweredExpectations(), 0u);
        SharedState::instance().reset();
    }

    /// Opens the window as a host does, through GetSTWDlg and ShowSTWDialog, and finds it.
    frmSTW* openWindow()
    {
        EXPECT_TRUE(manager.GetSTWDlg()->ShowSTWDialog());
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<frmSTW*>(widget);
            if (window && window->isVisible())
                return window;
        }
        return nullptr;
    }
    static void click(frmSTW* window, const char* name)
    {
        window->findChild<QPushButton*>(QString::fromLatin1(name))->click();
    }

    test::TempDir dir;
    std::shared_ptr<test::ScriptedPrompter> prompter = std::make_shared<test::ScriptedPrompter>();
    CorvaneDialogsMgr manager;
    std::unique_ptr<reference::ReferenceHost> host;
};

TEST_F(StwEndToEndTest, EditPostReopenAndTheChangeIsThere)
{
    frmSTW* window = openWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->grid().rowCount(), 321) << "320 seeded rows and the new-entry row";
    ASSERT_TRUE(window->grid().setValue(5, 18, QStringLiteral("XNEW5")));
    ASSERT_TRUE(window->grid().setValue(5, 3, QStringLiteral("I10")));
    EXPECT_EQ(window->table().text(5, 4), "Essential (primary) hypertension") << "validated and described";
    click(window, "cmdOK");
    EXPECT_FALSE(window->hasUnsavedChanges());
    click(window, "cmdCancel");
    QApplication::processEvents();

    frmSTW* reopened = openWindow();
    ASSERT_NE(reopened, nullptr);
    ASSERT_NE(reopened, window);
    EXPECT_EQ(reopened->table().text(5, 18), "XNEW5");
    EXPECT_EQ(reopened->table().text(5, 3), "I10");
    EXPECT_EQ(reopened->table().text(5, 4), "Essential (primary) hypertension");
    click(reopened, "cmdCancel");
}

TEST_F(StwEndToEndTest, ACopiedRowHasItsTemplateChecksAndIsPostedInPieces)
{
    frmSTW* window = openWindow();
    ASSERT_NE(window, nullptr);
    click(window, "cmdCopyRow");
    const int copied = window->grid().rowCount() - 1;
    EXPECT_EQ(window->table().text(copied, 2), "1");
    EXPECT_EQ(window->table().text(copied, 11), "0");
    ASSERT_TRUE(window->grid().setValue(copied, 3, QStringLiteral("R51.9")));
    ASSERT_TRUE(window->grid().setValue(copied, 5, QStringLiteral("99213")));
    ASSERT_TRUE(window->grid().setValue(copied, 18, QStringLiteral("XCOPY")));
    const int callsBefore = host->link->callsMade();
    click(window, "cmdOK");
    EXPECT_GT(host->link->callsMade() - callsBefore, 4) << "320 rows do not fit in one request";
    EXPECT_FALSE(window->hasUnsavedChanges());
    EXPECT_EQ(window->table().dataRowCount(), 321);
    EXPECT_EQ(window->table().text(321, 18), "XCOPY");
    click(window, "cmdCancel");
}

TEST_F(StwEndToEndTest, ARefusedOrBrokenPostKeepsTheOperatorsWork)
{
    frmSTW* window = openWindow();
    ASSERT_NE(window, nullptr);
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(window->grid().setValue(2, 18, QStringLiteral("x0001"))) << "row 1 holds X0001";
    ASSERT_TRUE(window->grid().setValue(2, 18, QStringLiteral("X0002B")));

    host->link->answerWithError(1, "|OK||Error: Codes Cross Reference is locked by MJONES");
    prompter->expect(PromptAnswer::Ok);
    click(window, "cmdOK");
    EXPECT_EQ(prompter->prompts.back().text, "Error: Codes Cross Reference is locked by MJONES");
    EXPECT_TRUE(window->hasUnsavedChanges());

    host->link->dropFromCall(2);
    prompter->expect(PromptAnswer::Ok);
    click(window, "cmdOK");
    EXPECT_EQ(prompter->prompts.back().text.rfind("mcomm.DirectComm failed in frmSTW.STWSave\r\n|SET|STW|2|", 0), 0u);
    EXPECT_TRUE(window->hasUnsavedChanges());
    EXPECT_EQ(window->table().text(2, 18), "X0002B");

    host->link->dropFromCall(0);
    click(window, "cmdOK");
    EXPECT_FALSE(window->hasUnsavedChanges()) << "posting again from piece 1 succeeds";
    EXPECT_EQ(window->table().text(2, 18), "X0002B");
    click(window, "cmdCancel");
}

} // namespace
} // namespace corvane
