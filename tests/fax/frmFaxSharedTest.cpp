#include "frmFaxShared.h"

#include "HostFixture.h"
#include "Text.h"
#include "grid/CorvaneGrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

namespace corvane {
namespace {

template<typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

/// A queue of `size` jobs per tab, served 200 rows at a time after the key of the last row, as the server does.
struct FakeQueue {
    int size = 1000;
    bool suspended = false;
    std::vector<std::string> listings;

    std::vector<std::string> answer(const std::string& request)
    {
        const std::string prefix = "|GET|TRAN|FAXSTAT|";
        if (request.rfind(prefix, 0) != 0)
            return {"|OK||", "|END|"};
        listings.push_back(request);
        const auto args = text::split(std::string_view(request).substr(prefix.size()), '|');
        const std::string code(args[0]);
        std::string key;
        if (args.size() > 1)
            key = std::string(args[1] == "S" ? (args.size() > 3 ? args[3] : std::string_view()) : args[1]);
        const int from = key.empty() ? 0 : std::stoi(key) % 100000;
        if (from >= size && !key.empty())
            return {"|OK||", "|END||"};
        const int count = std::min(200, size - from);
        std::vector<std::string> lines;
        char digits[16];
        std::snprintf(digits, sizeof digits, "%05d", count);
        if (code == "STATS") {
            return {std::string("|OK||FX00001/") + (suspended ? "1" : "0") + "\tStatistic0WA\tCount0WA",
                    "A1WA\tWaiting0WA\t50WA", "|END||"};
        }
        lines.push_back(std::string("|OK||FX") + digits + "/" + (suspended ? "1" : "0")
                        + "\tJob0WA\tFax0WA\tRecipient0WA\tReason0WR");
        const int base = code == "ACTIVE" ? 100000 : code == "SENT" ? 200000 : 300000;
        for (int i = from + 1; i <= from + count; ++i) {
            const std::string id = std::to_string(base + i);
            lines.push_back(id + "1WA\t" + code + "-" + std::to_string(i) + "0WA\t(555) 000-" + std::to_string(1000 + i)
                            + "0WA\tRecipient " + std::to_string(i) + "0WA\t" + (code == "ERROR" ? "Busy" : "")
                            + "0WR");
        }
        lines.emplace_back("|END||");
        return lines;
    }
};

class FaxQueueWindowTest : public test::HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        quillon->answer = [this](const std::string& request) {
            if (request.rfind("|GET|TRAN|FAXSTAT|", 0) == 0 && request.find("|C|") == std::string::npos
                && request.find("|R|") == std::string::npos && request.find("SUSPEND") == std::string::npos)
                return queue.answer(request);
            sent.push_back(request);
            const auto found = stringReplies.find(request);
            return std::vector<std::string> {found == stringReplies.end() ? std::string() : found->second};
        };
    }
    void TearDown() override
    {
        window.close();
        HostFixture::TearDown();
    }
    void open()
    {
        window.ShowQueue(false);
        window.setReloadInterval(0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void scrollToEnd(int index) { window.grid(index).scrollToBottom(); }
    QString status() { return child<QLabel>(&window, "lblStatus")->text(); }

    FakeQueue queue;
    std::vector<std::string> sent;
    std::map<std::string, std::string> stringReplies;
    frmFaxShared window;
};

TEST_F(FaxQueueWindowTest, OneRequestShowsTheFirstRowsAndScrollingLoadsChunkByChunkWithoutRepaintingAll)
{
    open();
    EXPECT_EQ(queue.listings, std::vector<std::string>({"|GET|TRAN|FAXSTAT|ACTIVE"}));
    EXPECT_EQ(window.grid(0).rowCount(), 200);
    EXPECT_EQ(status(), QStringLiteral("Showing: 200"));
    EXPECT_EQ(window.grid(0).value(1, 2), QStringLiteral("ACTIVE-1")) << "the suffix is not shown";
    EXPECT_EQ(window.grid(0).value(0, 1), QStringLiteral("Select"));

    // Painting per chunk: the rows are inserted below, so a chunk costs a paint of the visible cells, not a reset.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter;
    window.grid(0).viewport()->installEventFilter(&counter);
    for (int chunk = 2; chunk <= 5; ++chunk) {
        scrollToEnd(0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.grid(0).rowCount() == chunk * 200; }, 3000)) << chunk;
        EXPECT_EQ(queue.listings.back(), "|GET|TRAN|FAXSTAT|ACTIVE|" + std::to_string(100000 + (chunk - 1) * 200));
    }
    scrollToEnd(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral("Total: 1000"); }, 3000));
    EXPECT_EQ(queue.listings.size(), 6u) << "five chunks and the reply that says there are no more";
    QTest::qWait(100);
    EXPECT_EQ(queue.listings.size(), 6u) << "nothing is asked once the end is known";
    EXPECT_LE(counter.paints, 3 * 6) << "a few paints per chunk at most";
    EXPECT_EQ(window.grid(0).value(1000, 2), QStringLiteral("ACTIVE-1000"));
}

TEST_F(FaxQueueWindowTest, ATabSwitchWhileLoadingNeverMixesRows)
{
    open();
    scrollToEnd(0); // the next chunk of ACTIVE is due...
    child<QTabWidget>(&window, "ssFaxTab")->setCurrentIndex(1); // ...but the operator moves to Sent first
    QTest::qWait(150);
    const FaxQueueTab& sentTab = window.tab(1);
    ASSERT_EQ(sentTab.rowCount(), 200);
    for (int row = 0; row < sentTab.rowCount(); ++row)
        ASSERT_EQ(sentTab.job(row).substr(0, 5), "SENT-") << row;
    for (const std::string& request : queue.listings)
        EXPECT_NE(request.rfind("|GET|TRAN|FAXSTAT|ACTIVE|", 0), 0u) << "no chunk of Active after leaving it";
    scrollToEnd(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sentTab.rowCount() == 400; }, 3000));
    EXPECT_EQ(queue.listings.back(), "|GET|TRAN|FAXSTAT|SENT|200200") << "Sent continues after its own key";
    EXPECT_EQ(window.tab(0).rowCount(), 200);
}

TEST_F(FaxQueueWindowTest, ButtonsFollowTheTabAndTheHeaderSetsSuspendedWithoutSending)
{
    queue.suspended = true;
    open();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fax/Email Queue - Suspended"));
    EXPECT_TRUE(child<QCheckBox>(&window, "chkSuspend")->isChecked());
    EXPECT_TRUE(sent.empty()) << "setting the box from a listing sends nothing";
    auto* tabs = child<QTabWidget>(&window, "ssFaxTab");
    auto* cancel = child<QPushButton>(&window, "cmdCancelFax");
    auto* resend = child<QPushButton>(&window, "cmdResend");
    EXPECT_TRUE(cancel->isEnabled());
    EXPECT_FALSE(resend->isEnabled());
    for (int index : {1, 2}) {
        tabs->setCurrentIndex(index);
        EXPECT_FALSE(cancel->isEnabled()) << index;
        EXPECT_TRUE(resend->isEnabled()) << index;
    }
    tabs->setCurrentIndex(3);
    EXPECT_FALSE(resend->isEnabled()) << "statistics hold no jobs to resend";
    EXPECT_EQ(child<QWidget>(&window, "cmbPrintLog"), nullptr) << "no control that does nothing";
}

TEST_F(FaxQueueWindowTest, SearchIsCheckedQuietlyKeptByRefreshAndClearedByEmptyingTheBox)
{
    open();
    auto* search = child<QLineEdit>(&window, "txtSearch");
    search->setText(QStringLiteral("a|b"));
    prompter->expect(PromptAnswer::Ok);
    QTest::keyClick(search, Qt::Key_Return);
    ASSERT_EQ(prompter->prompts.size(), 1u) << "one message, not the lookup check's as well";
    EXPECT_EQ(prompter->prompts[0].text, "Invalid Search Criterion");
    EXPECT_EQ(prompter->prompts[0].title, "Fax");
    EXPECT_EQ(queue.listings.size(), 1u) << "nothing sent";

    search->setText(QStringLiteral("smith"));
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(queue.listings.back(), "|GET|TRAN|FAXSTAT|ACTIVE|S|smith");
    child<QPushButton>(&window, "cmdRefresh")->click();
    EXPECT_EQ(queue.listings.back(), "|GET|TRAN|FAXSTAT|ACTIVE|S|smith") << "Refresh keeps the search";
    child<QTabWidget>(&window, "ssFaxTab")->setCurrentIndex(2);
    EXPECT_EQ(queue.listings.back(), "|GET|TRAN|FAXSTAT|ERROR|S|smith");
    search->clear();
    EXPECT_EQ(queue.listings.back(), "|GET|TRAN|FAXSTAT|ERROR") << "an empty search sends no |S|";
}

TEST_F(FaxQueueWindowTest, CancelActsOnTicksOrTheCurrentRowAsksFirstAndShowsErrorsAsErrors)
{
    open();
    auto* cancel = child<QPushButton>(&window, "cmdCancelFax");
    prompter->expect(PromptAnswer::Ok);
    cancel->click();
    EXPECT_EQ(prompter->prompts.back().text, "Select the jobs to cancel.");
    EXPECT_TRUE(sent.empty());

    CorvaneGrid& grid = window.grid(0);
    for (int row : {1, 2, 3})
        ASSERT_TRUE(grid.setValue(row, 1, QStringLiteral("1")));
    prompter->expect(PromptAnswer::No);
    cancel->click();
    EXPECT_EQ(prompter->prompts.back().text, "Cancel 3 jobs?");
    EXPECT_TRUE(sent.empty()) << "No sends nothing";

    stringReplies["|GET|TRAN|FAXSTAT|C|ACTIVE-1|ACTIVE-2|ACTIVE-3"] = "Cancelled 3 jobs";
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    const std::size_t listings = queue.listings.size();
    cancel->click();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(prompter->prompts.back().title, "Cancelled Fax And Emails");
    EXPECT_EQ(prompter->prompts.back().text,
              "Cancelled 3 jobs:\r\n(555) 000-1001\r\n(555) 000-1002\r\n(555) 000-1003\r\n");
    EXPECT_EQ(queue.listings.size(), listings + 1) << "the tab reloads";
    EXPECT_EQ(window.tab(0).tickedCount(), 0);

    grid.setCurrentCell(5, 2);
    stringReplies["|GET|TRAN|FAXSTAT|C|ACTIVE-5"] = "ERROR: job ACTIVE-5 has already gone out";
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    cancel->click();
    EXPECT_EQ(prompter->prompts[prompter->prompts.size() - 2].text, "Cancel 1 job?");
    EXPECT_EQ(prompter->prompts.back().text, "ERROR: job ACTIVE-5 has already gone out");
    EXPECT_EQ(prompter->prompts.back().icon, PromptIcon::Critical);
    EXPECT_EQ(prompter->prompts.back().title, "Fax");
}

TEST_F(FaxQueueWindowTest, SuspendAsksJudgesTheReplyAndRereadsTheState)
{
    open();
    auto* suspend = child<QCheckBox>(&window, "chkSuspend");
    prompter->expect(PromptAnswer::No);
    suspend->click();
    EXPECT_FALSE(suspend->isChecked());
    EXPECT_TRUE(sent.empty());

    stringReplies["|GET|TRAN|FAXSTAT|SUSPEND|1"] = "ERROR: only a supervisor may stop the fax line";
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    suspend->click();
    EXPECT_EQ(sent.back(), "|GET|TRAN|FAXSTAT|SUSPEND|1");
    EXPECT_FALSE(suspend->isChecked()) << "a refused suspend leaves the box as it was";
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fax/Email Queue"));

    stringReplies["|GET|TRAN|FAXSTAT|SUSPEND|1"] = "1";
    queue.suspended = true;
    prompter->expect(PromptAnswer::Yes);
    const std::size_t listings = queue.listings.size();
    suspend->click();
    EXPECT_EQ(queue.listings.size(), listings + 1) << "the state is read again";
    EXPECT_TRUE(suspend->isChecked());
    EXPECT_TRUE(child<QLabel>(&window, "lblSuspended")->isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fax/Email Queue - Suspended"));
}

TEST_F(FaxQueueWindowTest, AFailedListingSaysWhereAndAnOkOnlyReplyLeavesTheTabEmpty)
{
    quillon->failWhen = [](const std::string& request) {
        return request == "|GET|TRAN|FAXSTAT|ACTIVE";
    };
    prompter->expect(PromptAnswer::Ok);
    open();
    EXPECT_EQ(prompter->prompts.back().text, "Error in frmFaxShared.GetGridDataNew");
    EXPECT_EQ(window.grid(0).rowCount(), 0);

    quillon->failWhen = nullptr;
    queue.size = 0;
    child<QPushButton>(&window, "cmdRefresh")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral("Total: 0"); }, 3000));
    EXPECT_EQ(window.grid(0).rowCount(), 0);
}

TEST_F(FaxQueueWindowTest, TheActiveTabReloadsItselfKeepingTicksAndCurrentRow)
{
    open();
    CorvaneGrid& grid = window.grid(0);
    grid.setValue(4, 1, QStringLiteral("1"));
    grid.setCurrentCell(7, 3);
    window.setReloadInterval(30);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !child<QLabel>(&window, "lblUpdated")->text().isEmpty(); }, 3000));
    window.setReloadInterval(0);
    EXPECT_TRUE(window.tab(0).ticked(3));
    EXPECT_EQ(window.tab(0).tickedCount(), 1);
    int row = 0;
    int col = 0;
    grid.currentCell(row, col);
    EXPECT_EQ(row, 7);
    EXPECT_TRUE(child<QLabel>(&window, "lblUpdated")->text().startsWith(QStringLiteral("Updated ")));
}

} // namespace
} // namespace corvane
