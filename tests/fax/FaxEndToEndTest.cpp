#include "FaxEmailDialog.h"
#include "FaxQueueRequests.h"
#include "ModalDriver.h"
#include "ReferenceHostFixture.h"
#include "frmFaxShared.h"
#include "grid/CorvaneGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

template<typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

class FaxEndToEnd : public test::ReferenceHostFixture {
protected:
    void SetUp() override { startHost(); }
    std::string count(const std::string& where)
    {
        return host->server->database().scalar("SELECT COUNT(*) FROM fax_jobs WHERE " + where, {}, "?");
    }
    std::string stateOf(const std::string& id)
    {
        return host->server->database().scalar("SELECT state FROM fax_jobs WHERE id = ?", {id}, "?");
    }
    /// Presses Tab until widget has the window's focus; false when it never gets it.
    static bool tabTo(QWidget* window, QWidget* widget)
    {
        window->activateWindow();
        for (int i = 0; i < 40 && window->focusWidget() != widget; ++i)
            QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_Tab);
        return window->focusWidget() == widget;
    }
};

TEST_F(FaxEndToEnd, ASentDocumentIsQueuedAndTheClockMovesItToSent)
{
    test::runModal([&] { manager.GetFaxEmailDlg()->ShowFaxEmailDlg("10001\tDOC10001"); },
                   [](QWidget* window) {
                       child<QLineEdit>(window, "txtField_3")->setText(QStringLiteral("Dr. Reed"));
                       child<QLineEdit>(window, "mskField_4")->setText(QStringLiteral("(555) 310-4410"));
                       child<QPushButton>(window, "cmdOKFax")->click();
                   });
    const std::string id = host->server->database().scalar("SELECT MAX(id) FROM fax_jobs", {}, "");
    EXPECT_EQ(stateOf(id), "A");
    EXPECT_EQ(host->server->database().scalar("SELECT fax || '/' || sender FROM fax_jobs WHERE id = ?", {id}, ""),
              "(555) 310-4410/Jane Smith");
    reference::advanceFaxClock(host->server->database(), 60);
    EXPECT_EQ(stateOf(id), "S");

    frmFaxShared queue;
    queue.ShowQueue(false);
    queue.setReloadInterval(0);
    child<QLineEdit>(&queue, "txtSearch")->setText(QStringLiteral("310-4410"));
    child<QPushButton>(&queue, "cmdLookup")->click();
    child<QTabWidget>(&queue, "ssFaxTab")->setCurrentIndex(1);
    ASSERT_GE(queue.tab(1).rowCount(), 1);
    EXPECT_EQ(queue.tab(1).job(0), "10001") << "newest first, found by its fax number";
    queue.close();
}

TEST_F(FaxEndToEnd, CancelResendAndSuspendChangeTheServersQueue)
{
    frmFaxShared queue;
    queue.ShowQueue(false);
    queue.setReloadInterval(0);
    ASSERT_EQ(queue.tab(0).rowCount(), reference::faxListingChunk);
    const std::string waiting = count("state = 'A'");

    CorvaneGrid& active = queue.grid(0);
    active.setValue(1, 1, QStringLiteral("1"));
    active.setValue(2, 1, QStringLiteral("1"));
    const std::string firstJob(queue.tab(0).job(0));
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>(&queue, "cmdCancelFax")->click();
    EXPECT_EQ(prompter->prompts.back().text.rfind("Cancelled 2 jobs:", 0), 0u) << prompter->prompts.back().text;
    EXPECT_EQ(count("state = 'C'"), "2");
    EXPECT_EQ(std::stoi(count("state = 'A'")), std::stoi(waiting) - 2);
    EXPECT_NE(queue.tab(0).job(0), firstJob) << "the tab was read again";

    child<QTabWidget>(&queue, "ssFaxTab")->setCurrentIndex(2);
    ASSERT_GE(queue.tab(2).rowCount(), 1);
    const std::string failedJob(queue.tab(2).job(0));
    queue.grid(2).setCurrentCell(1, 2);
    prompter->expect(PromptAnswer::Ok);
    test::runModal([&] { child<QPushButton>(&queue, "cmdResend")->click(); },
                   [](QWidget* window) {
                       auto* grid = child<CorvaneGrid>(window, "grdFaxRedirect");
                       ASSERT_NE(grid, nullptr);
                       EXPECT_FALSE(grid->value(1, 3).isEmpty()) << "the recipient is shown";
                       grid->setValue(1, 2, QStringLiteral("(555) 444-1234"));
                       child<QPushButton>(window, "cmdOKFaxResend")->click();
                   });
    EXPECT_EQ(prompter->prompts.back().text, "Queued again: 1 job");
    EXPECT_EQ(count("state = 'A' AND job = '" + failedJob + "' AND fax = '(555) 444-1234'"), "1");

    child<QTabWidget>(&queue, "ssFaxTab")->setCurrentIndex(0);
    prompter->expect(PromptAnswer::Yes);
    child<QCheckBox>(&queue, "chkSuspend")->click();
    EXPECT_EQ(queue.windowTitle(), QStringLiteral("Fax/Email Queue - Suspended"));
    const std::string before = count("state = 'A'");
    reference::advanceFaxClock(host->server->database(), 3600);
    EXPECT_EQ(count("state = 'A'"), before) << "nothing moves while suspended";
    prompter->expect(PromptAnswer::Yes);
    child<QCheckBox>(&queue, "chkSuspend")->click();
    EXPECT_EQ(queue.windowTitle(), QStringLiteral("Fax/Email Queue"));
    reference::advanceFaxClock(host->server->database(), 3600);
    EXPECT_LT(std::stoi(count("state = 'A'")), std::stoi(before));
    queue.close();
}

TEST_F(FaxEndToEnd, KeyboardOnlyThroughTheOptionsWindowAndTheQueue)
{
    // Options: type the recipient, F4 picks it in the lookup (Enter), Tab to OK, Enter queues.
    test::runModal([&] { manager.GetFaxEmailDlg()->ShowFaxEmailDlg("10002"); },
                   [](QWidget* window) {
                       QWidget* to = child<QLineEdit>(window, "txtField_3");
                       ASSERT_TRUE(tabTo(window, to));
                       QTest::keyClicks(to, QStringLiteral("Records"));
                       QTimer::singleShot(0, [] {
                           if (QWidget* lookup = QApplication::activeModalWidget())
                               QTest::keyClick(lookup->focusWidget() ? lookup->focusWidget() : lookup, Qt::Key_Return);
                       });
                       QTest::keyClick(to, Qt::Key_F4);
                       EXPECT_EQ(child<QLineEdit>(window, "mskField_4")->text(), QStringLiteral("(555) 600-7000"));
                       QWidget* ok = child<QPushButton>(window, "cmdOKFax");
                       ASSERT_TRUE(tabTo(window, ok));
                       QTest::keyClick(ok, Qt::Key_Return);
                   });
    EXPECT_EQ(count("job = '10002' AND state = 'A' AND recipient_id = 'RF004'"), "1");

    // Queue: Tab into the grid, Space ticks the first job, Tab leaves the grid, Enter on Cancel, Esc closes.
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    test::runModal([&] { manager.GetFaxEmailDlg()->ShowFaxStatusDlg(); },
                   [](QWidget* window) {
                       auto* grid = child<CorvaneGrid>(window, "grid_0");
                       ASSERT_TRUE(tabTo(window, grid));
                       QTest::keyClick(grid, Qt::Key_Space);
                       QWidget* cancel = child<QPushButton>(window, "cmdCancelFax");
                       ASSERT_TRUE(tabTo(window, cancel));
                       QTest::keyClick(cancel, Qt::Key_Return);
                       QTest::keyClick(window->focusWidget(), Qt::Key_Escape);
                   });
    EXPECT_EQ(count("state = 'C'"), "1");
    EXPECT_EQ(prompter->prompts.front().text, "Cancel 1 job?");
}

} // namespace
} // namespace corvane
