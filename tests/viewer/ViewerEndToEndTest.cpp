#include "CorvaneDialogsMgr.h"
#include "DocumentRequests.h"
#include "ModalDriver.h"
#include "ReferenceHost.h"
#include "ScriptedPrompter.h"
#include "SharedState.h"
#include "TempDir.h"
#include "frmViewer.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace corvane {
namespace {

template<typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

class ViewerEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        SharedState::instance().reset();
        CorvaneDialogsMgr::SetPrompter(prompter);
        host.initialise(manager);
        manager.RefreshSharedState();
    }
    void TearDown() override
    {
        EXPECT_EQ(prompter->unansweredExpectations(), 0u);
        SharedState::instance().reset();
    }
    std::string printLog()
    {
        std::string log;
        host.server->database().query("SELECT document || '/' || printer || '/' || operator FROM print_log", {},
                                      [&](const std::vector<std::string>& row) { log += row[0] + ";"; });
        return log;
    }
    std::vector<std::string> requests;

    std::shared_ptr<test::ScriptedPrompter> prompter = std::make_shared<test::ScriptedPrompter>();
    test::TempDir dir;
    reference::ReferenceHost host {dir.file("practice.db"), "JSMITH", QString::fromStdString(dir.file("log"))};
    CorvaneDialogsMgr manager;
};

TEST_F(ViewerEndToEnd, ADocumentByNumberPagesToItsNeighboursAndPrintsOnTheServer)
{
    host.link->setObserver([this](const std::string& request) { requests.push_back(request); });
    auto viewer = manager.GetViewerDlg();
    viewer->DataString = "|GET|DOC|1002|";
    viewer->RequestDataFromServer = true;
    viewer->DataFormat = "RTF";
    viewer->Mode = "CORVANEPRINT";
    viewer->JobID = "1002\t1001:1002:1003:";
    bool shown = false;
    const bool result = [&] {
        bool answer = false;
        test::runModal(
            [&] { answer = viewer->ShowDialog(); },
            [&](QWidget* window) {
                auto* form = qobject_cast<frmViewer*>(window);
                ASSERT_TRUE(form);
                auto* number = child<QLabel>(window, "lblDocNum");
                auto* previous = child<QPushButton>(window, "cmdPrevNextDoc_0");
                auto* next = child<QPushButton>(window, "cmdPrevNextDoc_1");
                EXPECT_EQ(number->text(), QStringLiteral("1002"));
                EXPECT_TRUE(form->documentText().contains(QStringLiteral("Aging by Provider")));
                EXPECT_GE(form->pageCount(), 2) << "sixty rows do not fit one landscape page";

                next->click();
                EXPECT_EQ(requests.back(), "|GET|DOC|1003|");
                EXPECT_EQ(number->text(), QStringLiteral("1003"));
                EXPECT_TRUE(form->documentText().contains(QStringLiteral("Dear Ms. Whitfield")));
                EXPECT_FALSE(next->isEnabled()) << "1003 is the last of the list";

                previous->click();
                EXPECT_EQ(requests.back(), "|GET|DOC|1002|");
                EXPECT_EQ(number->text(), QStringLiteral("1002"));
                EXPECT_TRUE(form->documentText().contains(QStringLiteral("Aging by Provider")));

                // The server's printers that take documents, none remembered yet.
                auto* printers = child<QComboBox>(window, "cmbCorvanePrinters");
                ASSERT_EQ(printers->count(), 3);
                EXPECT_EQ(printers->currentIndex(), -1);
                EXPECT_EQ(printers->itemText(1),
                          QStringLiteral("Billing Office       Statements, tray 2, duplex      PORT: IP_10.0.0.22"));
                printers->setCurrentIndex(1);
                prompter->expect(PromptAnswer::Ok);
                child<QPushButton>(window, "cmdPrint")->click();
                ASSERT_FALSE(prompter->prompts.empty());
                EXPECT_EQ(prompter->prompts.back().text, "Printing document.");
                shown = true;
                child<QPushButton>(window, "cmdExit")->click();
            });
        return answer;
    }();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(result) << "printing on a server printer is what the host is told";
    EXPECT_EQ(printLog(), "1002/Billing Office/JSMITH;");
    EXPECT_EQ(host.server->answerString("|GET|PRT|TRAN|", "JSMITH"),
              "Billing Office       Statements, tray 2, duplex      PORT: IP_10.0.0.22");

    // The next window finds the remembered printer selected.
    viewer = manager.GetViewerDlg();
    viewer->DataString = "|GET|DOC|1005|";
    viewer->RequestDataFromServer = true;
    viewer->DataFormat = "TXT:TXT";
    viewer->Mode = "CORVANEPRINT";
    viewer->JobID = "1005";
    test::runModal([&] { viewer->ShowDialog(); },
                   [&](QWidget* window) {
                       EXPECT_EQ(child<QComboBox>(window, "cmbCorvanePrinters")->currentIndex(), 1);
                       auto* form = qobject_cast<frmViewer*>(window);
                       EXPECT_EQ(form->pageCount(), 3) << "a page for each form feed";
                       child<QPushButton>(window, "cmdExit")->click();
                   });
}

TEST_F(ViewerEndToEnd, AnUnknownNumberShowsTheServersMessageAndThenTheText)
{
    auto viewer = manager.GetViewerDlg();
    viewer->DataString = "|GET|DOC|4242|";
    viewer->RequestDataFromServer = true;
    viewer->DataFormat = "RTF";
    prompter->expect(PromptAnswer::Ok);
    test::runModal([&] { viewer->ShowDialog(); },
                   [&](QWidget* window) {
                       auto* form = qobject_cast<frmViewer*>(window);
                       EXPECT_TRUE(form->documentText().contains(QStringLiteral("No document 4242")));
                       child<QPushButton>(window, "cmdExit")->click();
                   });
    ASSERT_FALSE(prompter->prompts.empty());
    EXPECT_NE(prompter->prompts.front().text.find("No document 4242"), std::string::npos);
}

} // namespace
} // namespace corvane
