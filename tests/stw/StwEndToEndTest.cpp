#include "CorvaneDialogsMgr.h"
#include "ReferenceHostFixture.h"
#include "STWDialog.h"
#include "SharedState.h"
#include "StwSave.h"
#include "Text.h"
#include "frmSTW.h"
#include "grid/CorvaneGrid.h"

#include <QApplication>
#include <QPushButton>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using LostReply = reference::FaultInjectingLink::LostReply;

const std::string notSaved = "The changes were not saved: the connection to the practice server failed.\r\n"
                             "Your changes are still in this window. Post again when the connection is back.";
const std::string unknown = "The practice server did not confirm the post, so it is not known whether the changes "
                            "were saved.\r\nYour changes are still in this window. Post again to make sure they "
                            "are saved.";

/// The STW window through its public entry routine against the reference practice server.
class StwEndToEndTest : public test::ReferenceHostFixture {
protected:
    void SetUp() override { startHost(); }
    void prepareHost(reference::ReferenceHost& fresh) override { fresh.utils->setToday(CivilDate {2026, 12, 5}); }

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
    /// What the server holds, read straight from it.
    std::vector<std::string> serverGrid() const { return host->server->answerLines("|GET|STW|1|", "JSMITH"); }
    std::string storedCells(int position) const
    {
        return host->server->database().scalar("SELECT cells FROM stw_rows WHERE position = ?",
                                               {std::to_string(position)}, "");
    }
    /// The requests a post of the window's grid sends: full pieces of 9000 characters and a shorter last one.
    static int requestsOfPost(const frmSTW* window)
    {
        const std::size_t length = StwSave::saveText(window->table()).size();
        return length + 11 <= StwSave::maxRequestLength ? 1 : static_cast<int>(length / StwSave::pieceLength) + 1;
    }
    /// Lengthens the first row's diagnosis description by count characters.
    static void lengthenFirstRow(frmSTW* window, std::size_t count)
    {
        const std::string text(window->table().text(1, 4));
        ASSERT_TRUE(window->grid().setValue(1, 4, QString::fromLatin1(text + std::string(count, 'p'))));
    }
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
    EXPECT_EQ(lastPrompt().text,
              "Error: Codes Cross Reference is locked by MJONES\r\n\r\nThe changes "
              "were not saved. Your changes are still in this window.");
    EXPECT_TRUE(window->hasUnsavedChanges());

    host->link->dropFromCall(2);
    prompter->expect(PromptAnswer::Ok);
    click(window, "cmdOK");
    EXPECT_EQ(lastPrompt().text, notSaved);
    EXPECT_TRUE(window->hasUnsavedChanges());
    EXPECT_EQ(window->table().text(2, 18), "X0002B");

    host->link->dropFromCall(0);
    click(window, "cmdOK");
    EXPECT_FALSE(window->hasUnsavedChanges()) << "posting again from piece 1 succeeds";
    EXPECT_EQ(window->table().text(2, 18), "X0002B");
    click(window, "cmdCancel");
}

TEST_F(StwEndToEndTest, APostBrokenAtAnyPieceChangesNothingWhereverThePiecesEnd)
{
    for (const bool atRowEnd : {false, true}) {
        SCOPED_TRACE(atRowEnd ? "a piece ends where a row ends" : "pieces end inside rows");
        frmSTW* window = openWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->grid().setValue(2, 18, QStringLiteral("XEDIT")));
        std::string text = StwSave::saveText(window->table());
        const std::size_t rowEnd = text.rfind(text::recordSeparator, StwSave::pieceLength - 1) + 1;
        if (atRowEnd)
            lengthenFirstRow(window, StwSave::pieceLength - rowEnd);
        text = StwSave::saveText(window->table());
        ASSERT_EQ(text[StwSave::pieceLength - 1] == text::recordSeparator, atRowEnd);
        const int requests = requestsOfPost(window);
        ASSERT_GE(requests, 6);
        const auto before = serverGrid();

        for (int failed = 1; failed <= requests; ++failed) {
            const int calls = host->link->callsMade();
            host->link->failCall(failed);
            prompter->expect(PromptAnswer::Ok);
            click(window, "cmdOK");
            EXPECT_EQ(host->link->callsMade() - calls, failed) << "the post stops at the failed piece";
            EXPECT_EQ(lastPrompt().text, failed == requests ? unknown : notSaved);
            EXPECT_EQ(serverGrid(), before) << "after piece " << failed << " failed, and read again";
            EXPECT_TRUE(window->hasUnsavedChanges());
        }
        // The server took the piece, but its answer was lost on the way back.
        for (int lost = 1; lost < requests; ++lost) {
            const int calls = host->link->callsMade();
            host->link->loseReplyOf(lost, lost % 2 ? LostReply::Failure : LostReply::Empty);
            prompter->expect(PromptAnswer::Ok);
            click(window, "cmdOK");
            EXPECT_EQ(host->link->callsMade() - calls, lost);
            EXPECT_EQ(lastPrompt().text, notSaved);
            EXPECT_EQ(serverGrid(), before) << "after the answer to piece " << lost << " was lost";
        }
        host->link->loseReplyOf(requests, LostReply::Empty);
        prompter->expect(PromptAnswer::Ok);
        click(window, "cmdOK");
        EXPECT_EQ(lastPrompt().text, unknown) << "the last piece stored the post, the window cannot know";
        EXPECT_NE(storedCells(2).find("XEDIT01WZ0"), std::string::npos);
        EXPECT_TRUE(window->hasUnsavedChanges());
        EXPECT_EQ(window->table().text(2, 18), "XEDIT");

        const int calls = host->link->callsMade();
        click(window, "cmdOK");
        EXPECT_EQ(host->link->callsMade() - calls, requests + 1) << "posting again: the pieces and the reload";
        EXPECT_FALSE(window->hasUnsavedChanges());
        EXPECT_EQ(window->table().text(2, 18), "XEDIT");
        EXPECT_EQ(StwSave::saveText(window->table()), text) << "the reloaded grid is what was posted";
        click(window, "cmdCancel");
        QApplication::processEvents();
    }
}

TEST_F(StwEndToEndTest, ASaveTextThatFillsItsPiecesExactlyIsStoredBeforeTheReload)
{
    frmSTW* window = openWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->grid().setValue(3, 18, QStringLiteral("XFULL")));
    const std::size_t length = StwSave::saveText(window->table()).size();
    lengthenFirstRow(window, (StwSave::pieceLength - length % StwSave::pieceLength) % StwSave::pieceLength);
    ASSERT_EQ(StwSave::saveText(window->table()).size() % StwSave::pieceLength, 0u);
    const int requests = requestsOfPost(window);

    std::vector<std::string> sent;
    host->link->setObserver([&sent](const std::string& request) { sent.push_back(request.substr(0, 20)); });
    host->link->failCall(requests + 1);
    prompter->expect(PromptAnswer::Ok);
    click(window, "cmdOK");
    host->link->setObserver(nullptr);
    EXPECT_EQ(lastPrompt().text, "mcomm.DirectComm failed in frmSTW.STWShow") << "the reload failed";
    ASSERT_EQ(static_cast<int>(sent.size()), requests + 1);
    EXPECT_EQ(sent[static_cast<std::size_t>(requests) - 1], "|SET|STW|" + std::to_string(requests) + "|")
        << "an empty piece ends the post";
    EXPECT_EQ(sent.back(), "|GET|STW|1|");
    EXPECT_NE(storedCells(3).find("XFULL01WZ0"), std::string::npos) << "stored although the reload failed";
    EXPECT_EQ(host->server->database().scalar("SELECT COUNT(*) FROM stw_pending", {}, "?"), "0");
    click(window, "cmdCancel");
}

TEST_F(StwEndToEndTest, APostThatWouldEmptyTheTableAsksFirst)
{
    frmSTW* window = openWindow();
    ASSERT_NE(window, nullptr);
    while (window->table().dataRowCount() > 0) {
        window->grid().setCurrentCell(1, 2);
        click(window, "cmdDelRow");
    }
    const int calls = host->link->callsMade();
    prompter->expect(PromptAnswer::No);
    click(window, "cmdOK");
    EXPECT_EQ(lastPrompt().text, "Delete all 320 rows of Codes Cross Reference?");
    EXPECT_EQ(host->link->callsMade(), calls) << "nothing was sent";
    EXPECT_EQ(storedCells(320).empty(), false);

    prompter->expect(PromptAnswer::Yes);
    click(window, "cmdOK");
    EXPECT_EQ(host->link->callsMade() - calls, 2) << "one request and the reload";
    EXPECT_EQ(host->server->database().scalar("SELECT COUNT(*) FROM stw_rows", {}, "?"), "0");
    click(window, "cmdCancel");
}

TEST_F(StwEndToEndTest, TextTheReaderCouldMistakeForFramingIsPostedBackAsItCame)
{
    auto& db = host->server->database();
    const auto setDescription = [&](int position, const std::string& text) {
        const std::string stored = storedCells(position);
        const auto fields = text::split(stored, '\t');
        std::vector<std::string> cells(fields.begin(), fields.end());
        cells[3] = text + "01kZ0";
        db.query("UPDATE stw_rows SET cells = ? WHERE position = ?",
                 {text::join(cells, "\t"), std::to_string(position)});
    };
    setDescription(3, "Line one\r\nline two");
    setDescription(4, "A|END|B");
    setDescription(5, "|OK||C and |ok||D");
    const std::vector<std::string> before = {storedCells(3), storedCells(4), storedCells(5)};

    frmSTW* window = openWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->table().text(3, 4), "Line one\r\nline two");
    EXPECT_EQ(window->table().text(4, 4), "A|END|B");
    ASSERT_TRUE(window->grid().setValue(10, 18, QStringLiteral("XTEN")));
    click(window, "cmdOK");
    EXPECT_FALSE(window->hasUnsavedChanges());
    EXPECT_NE(storedCells(10).find("XTEN01WZ0"), std::string::npos);
    EXPECT_EQ((std::vector<std::string> {storedCells(3), storedCells(4), storedCells(5)}), before);
    click(window, "cmdCancel");
}

} // namespace
} // namespace corvane
