#include "frmViewer.h"

#include "DocumentPages.h"
#include "HostFixture.h"
#include "KeyboardDriver.h"
#include "PageView.h"
#include "RtfStatementRun.h"
#include "TempDir.h"
#include "TextPages.h"
#include "ViewerDialog.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace corvane {
namespace {

using test::press;
using test::type;

/// Five pages of plain text, one per form feed.
const std::string fivePages = "one\fTWO\ftwo three\ffour\ffive";
const std::string landscapeRtf = "{\\rtf1\\ansi\\paperw15840\\paperh12240\\landscape\\margl720\\margr720 "
                                 "{\\b Practice report}\\par Aging by provider\\par}";

class ViewerPreferences final : public Preferences {
public:
    std::map<std::string, std::string> values;
    std::string currentText() const override { return {}; }
    void writeSettings(std::string&) const override { }
    std::string value(const std::string& key) const override
    {
        const auto found = values.find(key);
        return found == values.end() ? std::string() : found->second;
    }
    bool setValue(const std::string& key, const std::string& value) override
    {
        values[key] = value;
        return true;
    }
};

class ViewerUtils final : public test::FakeUtils {
public:
    std::vector<ServerPrinter> printers;
    int saves = 0;
    void GetServerPrinterList(std::vector<ServerPrinter>& out) override { out = printers; }
    bool SaveUserSettings() override
    {
        ++saves;
        return true;
    }
};

template<typename T> T* child(QWidget* window, const QString& name)
{
    return window->findChild<T*>(name);
}

int pdfPages(const std::string& path, bool* landscape = nullptr)
{
    QPdfDocument pdf;
    if (pdf.load(QString::fromStdString(path)) != QPdfDocument::Error::None)
        return -1;
    if (landscape && pdf.pageCount() > 0)
        *landscape = pdf.pagePointSize(0).width() > pdf.pagePointSize(0).height();
    return pdf.pageCount();
}

class ViewerWindowTest : public test::HostFixture {
protected:
    void SetUp() override
    {
        utils = viewerUtils;
        HostFixture::SetUp();
        SharedState::instance().preferences = preferences;
        frmViewer::setPrinterFactory([this] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(QString::fromStdString(pdf));
            return printer;
        });
    }
    void TearDown() override
    {
        frmViewer::setPrinterFactory({});
        frmViewer::setPrintDialogRunner({});
        HostFixture::TearDown();
    }

    /// Opens the window on a document given by the host; the window stays open for the test to drive.
    void open(frmViewer& window, const std::string& document, const std::string& format, std::string jobId = {},
              bool request = false, std::string mode = {}, std::string key = {})
    {
        frmViewer::Inputs inputs;
        inputs.document = document;
        inputs.format = format;
        inputs.jobId = std::move(jobId);
        inputs.request = request;
        inputs.mode = std::move(mode);
        inputs.prefsKey = std::move(key);
        window.ShowCode(inputs);
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    std::shared_ptr<ViewerUtils> viewerUtils = std::make_shared<ViewerUtils>();
    std::shared_ptr<ViewerPreferences> preferences = std::make_shared<ViewerPreferences>();
    test::TempDir folder;
    std::string pdf = folder.file("printed.pdf");
};

TEST_F(ViewerWindowTest, RtfShowsOnPagesWithTheControlsOfItsView)
{
    frmViewer window;
    open(window, "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\\f0 Statement for Robert Chen\\par}", "rtf:txt");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Viewer"));
    EXPECT_EQ(window.kind(), DocumentKind::Rtf);
    EXPECT_EQ(window.pageCount(), 1);
    EXPECT_TRUE(window.documentText().contains(QStringLiteral("Statement for Robert Chen")));
    EXPECT_EQ(child<QLabel>(&window, QStringLiteral("lblPage"))->text(), QStringLiteral("Page 1 of 1"));
    EXPECT_TRUE(child<QWidget>(&window, QStringLiteral("fraFind"))->isVisible());
    EXPECT_FALSE(child<QWidget>(&window, QStringLiteral("fraDocsNav"))->isVisible());
    EXPECT_FALSE(child<QWidget>(&window, QStringLiteral("cmdFax"))->isVisible());
    EXPECT_FALSE(child<QWidget>(&window, QStringLiteral("cmbCorvanePrinters"))->isVisible());
    EXPECT_TRUE(child<QWidget>(&window, QStringLiteral("cmdPrintPreview"))->isVisible());
    // No preferences key: 75%, and nothing is remembered.
    EXPECT_EQ(window.zoomIndex(), 3);
    window.close();
    EXPECT_EQ(viewerUtils->saves, 0);
    EXPECT_TRUE(preferences->values.empty());
}

TEST_F(ViewerWindowTest, WhatCannotBeShownIsSaid)
{
    {
        quillon->stringReplies["|GET|DOC|7|"] = "";
        frmViewer window;
        open(window, "|GET|DOC|7|", "RTF", {}, true);
        EXPECT_EQ(window.documentText(), QStringLiteral("NO DATA RETURNED"));
        window.close();
    }
    {
        quillon->failWhen = [](const std::string&) {
            return true;
        };
        prompter->expect(PromptAnswer::Ok);
        frmViewer window;
        open(window, "|GET|DOC|7|", "RTF", {}, true);
        EXPECT_EQ(prompter->prompts.back().text, "Error retrieving  document.");
        EXPECT_EQ(window.documentText(), QStringLiteral("NO DATA RETURNED"));
        EXPECT_TRUE(logged("mcomm.GetServerStringData failed in frmViewer.ShowCode"));
        window.close();
        quillon->failWhen = nullptr;
    }
    {
        // The server's error message instead of a document: shown, then displayed as text.
        quillon->stringReplies["|GET|DOC|8|"] = "Error: document 8 is archived";
        prompter->expect(PromptAnswer::Ok);
        frmViewer window;
        open(window, "|GET|DOC|8|", "RTF:TXT", {}, true);
        EXPECT_EQ(prompter->prompts.back().text, "Error: document 8 is archived");
        EXPECT_EQ(window.kind(), DocumentKind::PlainText);
        EXPECT_TRUE(window.documentText().contains(QStringLiteral("archived")));
        window.close();
    }
    {
        prompter->expect(PromptAnswer::Ok);
        frmViewer window;
        open(window, "{\\rtf1 Letter\\par}", "DOCX");
        EXPECT_EQ(prompter->prompts.back().text, "Document format \"DOCX\" was not recognized.");
        EXPECT_EQ(window.kind(), DocumentKind::Rtf);
        window.close();
    }
}

TEST_F(ViewerWindowTest, NavigationRequestsTheNeighbourAndEnablesTheButtons)
{
    quillon->stringReplies["|GET|DOC|7|"] = "{\\rtf1 Document seven\\par}";
    quillon->stringReplies["|GET|DOC|6|"] = "{\\rtf1 Document six\\par}";
    frmViewer window;
    open(window, "|GET|DOC|7|", "RTF", "7\t5:6:7:", true);
    auto* previous = child<QPushButton>(&window, QStringLiteral("cmdPrevNextDoc_0"));
    auto* next = child<QPushButton>(&window, QStringLiteral("cmdPrevNextDoc_1"));
    auto* number = child<QLabel>(&window, QStringLiteral("lblDocNum"));
    EXPECT_TRUE(child<QWidget>(&window, QStringLiteral("fraDocsNav"))->isVisible());
    EXPECT_EQ(number->text(), QStringLiteral("7"));
    EXPECT_TRUE(previous->isEnabled());
    EXPECT_FALSE(next->isEnabled());

    previous->click();
    EXPECT_EQ(quillon->requests.back(), "|GET|DOC|6|");
    EXPECT_EQ(number->text(), QStringLiteral("6"));
    EXPECT_TRUE(window.documentText().contains(QStringLiteral("Document six")));
    EXPECT_TRUE(previous->isEnabled());
    EXPECT_TRUE(next->isEnabled());

    // A neighbour the server cannot send leaves the document and the number as they were.
    quillon->failWhen = [](const std::string& request) {
        return request == "|GET|DOC|5|";
    };
    prompter->expect(PromptAnswer::Ok);
    previous->click();
    EXPECT_EQ(prompter->prompts.back().text, "Error retrieving  document.");
    EXPECT_EQ(number->text(), QStringLiteral("6"));
    EXPECT_TRUE(window.documentText().contains(QStringLiteral("Document six")));
    window.close();
}

TEST_F(ViewerWindowTest, NavigationNeedsADocumentFromARequest)
{
    frmViewer window;
    open(window, "{\\rtf1 Given by the host\\par}", "RTF", "7\t5:6:7");
    EXPECT_FALSE(child<QWidget>(&window, QStringLiteral("fraDocsNav"))->isVisible());
    window.close();
}

TEST_F(ViewerWindowTest, ZoomStepsStopAtTheEnds)
{
    frmViewer window;
    open(window, fivePages, "TXT:TXT");
    auto* zoomIn = child<QPushButton>(&window, QStringLiteral("cmdZoomIn"));
    auto* zoomOut = child<QPushButton>(&window, QStringLiteral("cmdZoomOut"));
    for (int i = 0; i < 12; ++i)
        zoomIn->click();
    EXPECT_EQ(window.zoomIndex(), 10);
    EXPECT_FALSE(zoomIn->isEnabled());
    EXPECT_TRUE(child<QAction>(&window, QStringLiteral("mnuView_ZoomItem_10"))->isChecked());
    child<QAction>(&window, QStringLiteral("mnuView_ZoomItem_1"))->trigger();
    EXPECT_EQ(window.zoomIndex(), 1);
    EXPECT_FALSE(zoomOut->isEnabled());
    EXPECT_FALSE(child<QAction>(&window, QStringLiteral("mnuView_ZoomItem_10"))->isChecked());
    window.close();
}

TEST_F(ViewerWindowTest, WindowPreferencesAreReadAndWrittenUnderTheKey)
{
    preferences->values["VIEWERPREFS"] = "RPT:2:0:0:MAX:MAX\tSTMT:6:1500:1500:12000:9000\tstmt:1:0:0:10:10";
    {
        frmViewer window;
        open(window, fivePages, "TXT:TXT", {}, false, {}, "Stmt");
        EXPECT_EQ(window.zoomIndex(), 6);
        child<QPushButton>(&window, QStringLiteral("cmdZoomIn"))->click();
        window.close();
    }
    EXPECT_EQ(viewerUtils->saves, 1);
    const std::string written = preferences->values["VIEWERPREFS"];
    EXPECT_EQ(written.rfind("RPT:2:0:0:MAX:MAX\tStmt:7:", 0), 0u) << written;
    EXPECT_NE(written.find("\tstmt:1:0:0:10:10"), std::string::npos) << written;
    // The geometry came back in twips (15 to a pixel at 96 dpi).
    EXPECT_NE(written.find(":12000:9000\t"), std::string::npos) << written;
}

TEST_F(ViewerWindowTest, FindHighlightsWrapsOnceAndSaysNotFoundOnce)
{
    frmViewer window;
    open(window, fivePages, "TXT:TXT");
    auto* box = child<QLineEdit>(&window, QStringLiteral("txtFindString"));
    box->setText(QStringLiteral("two"));
    child<QPushButton>(&window, QStringLiteral("cmdFind"))->click();
    ASSERT_TRUE(window.currentMatch().hasSelection());
    EXPECT_EQ(window.currentMatch().selectedText(), QStringLiteral("TWO"));
    child<QPushButton>(&window, QStringLiteral("cmdFind"))->click();
    EXPECT_EQ(window.currentMatch().selectedText(), QStringLiteral("two"));
    // Past the last match: the question, and Yes starts from the top.
    prompter->expect(PromptAnswer::Yes);
    child<QPushButton>(&window, QStringLiteral("cmdFind"))->click();
    EXPECT_EQ(prompter->prompts.back().text, " End of document reached.\r\n Do you want to start from the beginning?");
    EXPECT_EQ(prompter->prompts.back().title, "Find Results");
    EXPECT_EQ(window.currentMatch().selectedText(), QStringLiteral("TWO"));

    box->setText(QStringLiteral("seven"));
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>(&window, QStringLiteral("cmdFind"))->click();
    EXPECT_EQ(prompter->prompts.back().text, " 'seven' not found.");
    EXPECT_EQ(prompter->prompts.size(), 2u);
    window.close();
}

TEST_F(ViewerWindowTest, KeyboardOnly)
{
    frmViewer window;
    open(window, fivePages, "TXT:TXT");
    auto* box = child<QLineEdit>(&window, QStringLiteral("txtFindString"));
    press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), box);
    type(QStringLiteral("two"));
    press(Qt::Key_Return);
    EXPECT_EQ(window.currentMatch().selectedText(), QStringLiteral("TWO"));
    press(Qt::Key_F3);
    EXPECT_EQ(window.currentMatch().selectedText(), QStringLiteral("two"));
    press(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(window.currentMatch().selectedText(), QStringLiteral("TWO"));
    // Ctrl+F takes the match into the box.
    box->clear();
    press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("TWO"));

    press(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(window.zoomIndex(), 4);
    press(Qt::Key_Minus, Qt::ControlModifier);
    press(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(window.zoomIndex(), 2);

    auto* label = child<QLabel>(&window, QStringLiteral("lblPage"));
    child<QWidget>(&window, QStringLiteral("TXTextControl2"))->setFocus();
    // The find left the view on the match's page.
    EXPECT_EQ(label->text(), QStringLiteral("Page 2 of 5"));
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(label->text(), QStringLiteral("Page 1 of 5"));
    press(Qt::Key_PageDown);
    press(Qt::Key_PageDown);
    EXPECT_EQ(label->text(), QStringLiteral("Page 3 of 5"));
    press(Qt::Key_PageUp);
    EXPECT_EQ(label->text(), QStringLiteral("Page 2 of 5"));

    press(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ViewerWindowTest, PrintingARangeGivesThosePagesAndNoBlankOne)
{
    frmViewer window;
    open(window, fivePages, "TXT:TXT");
    ASSERT_EQ(window.pageCount(), 5);
    EXPECT_TRUE(window.PrintDocument(false));
    EXPECT_EQ(pdfPages(pdf), 5);

    frmViewer::setPrintDialogRunner([](QPrinter& printer, int first, int last, QWidget*) {
        EXPECT_EQ(first, 1);
        EXPECT_EQ(last, 5);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        return true;
    });
    EXPECT_TRUE(window.PrintDocument(true));
    EXPECT_EQ(pdfPages(pdf), 2);
    window.close();
}

TEST_F(ViewerWindowTest, CancelInThePrintDialogIsSilentAndFalse)
{
    frmViewer window;
    open(window, fivePages, "TXT:TXT");
    test::whenModal(QStringLiteral("dlgPrint"), [](QWidget* dialog) { dialog->close(); });
    EXPECT_FALSE(window.PrintDocument(true));
    EXPECT_TRUE(prompter->prompts.empty());
    window.close();
}

TEST_F(ViewerWindowTest, LandscapeDocumentPrintsLandscapeUnlessTheHostSaysOtherwise)
{
    // Empty settings ask for a printer; the dialog is answered as it comes.
    frmViewer::setPrintDialogRunner([](QPrinter& printer, int, int, QWidget*) {
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
        return true;
    });
    ViewerDialog dialog;
    dialog.DataString = landscapeRtf;
    dialog.DataFormat = "RTF";
    EXPECT_TRUE(dialog.PrintDocument());
    bool landscape = false;
    EXPECT_EQ(pdfPages(pdf, &landscape), 1);
    EXPECT_TRUE(landscape);

    dialog.DocumentSettings = "Orientation=1";
    frmViewer::setPrintDialogRunner({});
    EXPECT_TRUE(dialog.PrintDocument());
    EXPECT_EQ(pdfPages(pdf, &landscape), 1);
    EXPECT_FALSE(landscape);
}

// Without the host's Orientation= each section prints on its own paper; a paper turned in the print dialog turns
// every page, and the window goes on showing them.
TEST_F(ViewerWindowTest, MixedPaperPrintsAsItIsUnlessTheDialogTurnsIt)
{
    const std::string mixed = "{\\rtf1\\ansi\\paperw12240\\paperh15840\\sectd Letter\\par"
                              "\\sect\\sectd\\lndscpsxn\\pgwsxn15840\\pghsxn12240 Wide report\\par}";
    frmViewer window;
    open(window, mixed, "RTF");
    EXPECT_TRUE(window.PrintDocument(false));
    QPdfDocument printed;
    ASSERT_EQ(printed.load(QString::fromStdString(pdf)), QPdfDocument::Error::None);
    ASSERT_EQ(printed.pageCount(), 2);
    EXPECT_LT(printed.pagePointSize(0).width(), printed.pagePointSize(0).height());
    EXPECT_GT(printed.pagePointSize(1).width(), printed.pagePointSize(1).height());
    printed.close();

    frmViewer::setPrintDialogRunner([](QPrinter& printer, int, int, QWidget*) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    EXPECT_TRUE(window.PrintDocument(true));
    bool landscape = false;
    EXPECT_EQ(pdfPages(pdf, &landscape), 2);
    EXPECT_TRUE(landscape);
    EXPECT_EQ(child<QLabel>(&window, QStringLiteral("lblPage"))->text(), QStringLiteral("Page 1 of 2"));
    window.close();
}

TEST_F(ViewerWindowTest, PreviewShowsThePagesThePrinterGets)
{
    frmViewer window;
    open(window, fivePages, "TXT:TXT");
    int previewed = -1;
    test::whenModal(QStringLiteral("dlgPrintPreview"), [&previewed](QWidget* dialog) {
        if (auto* pages = dialog->findChild<QPrintPreviewWidget*>())
            previewed = pages->pageCount();
        dialog->close();
    });
    EXPECT_TRUE(window.ShowPrintPreview());
    EXPECT_EQ(previewed, 5);
    window.close();
}

TEST_F(ViewerWindowTest, ServerPrintingRemembersThePrinterAndSaysSoOnlyAfterSuccess)
{
    viewerUtils->printers = {{"Front Desk", "Laser", "LPT1", true},
                             {"Old Dot Matrix", "Basement", "LPT3", false},
                             {"Billing", "Tray 2", "IP_10.0.0.7", true}};
    quillon->stringReplies["|GET|PRT|TRAN|"] = "Billing       Tray 2      PORT: IP_10.0.0.7";
    quillon->stringReplies["|SETP|PRT|TRAN|Billing       Tray 2      PORT: IP_10.0.0.7"] = "1";
    frmViewer window;
    open(window, "{\\rtf1 Statement\\par}", "RTF", "10452", false, "CorvanePrint");
    auto* printers = child<QComboBox>(&window, QStringLiteral("cmbCorvanePrinters"));
    ASSERT_EQ(printers->count(), 2);
    EXPECT_EQ(printers->itemText(1), QStringLiteral("Billing       Tray 2      PORT: IP_10.0.0.7"));
    EXPECT_EQ(printers->itemData(1).toInt(), 3);
    EXPECT_EQ(printers->currentIndex(), 1);

    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>(&window, QStringLiteral("cmdPrint"))->click();
    EXPECT_EQ(quillon->requests.back(), "|GET|TRAN|PRINT|10452|Billing");
    EXPECT_EQ(prompter->prompts.back().text, "Printing document.");
    EXPECT_TRUE(window.resultFlag());

    printers->setCurrentIndex(-1);
    const auto sent = quillon->requests.size();
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>(&window, QStringLiteral("cmdPrint"))->click();
    EXPECT_EQ(prompter->prompts.back().text, "Printer is not selected");
    EXPECT_EQ(quillon->requests.size(), sent);
    window.close();
}

TEST_F(ViewerWindowTest, ServerPrintFailureIsNotReportedAsPrinted)
{
    viewerUtils->printers = {{"Front Desk", "Laser", "LPT1", true}};
    quillon->failWhen = [](const std::string& request) {
        return request.rfind("|GET|TRAN|PRINT|", 0) == 0;
    };
    frmViewer window;
    open(window, "{\\rtf1 Statement\\par}", "RTF", "10452", false, "CORVANEPRINT");
    child<QComboBox>(&window, QStringLiteral("cmbCorvanePrinters"))->setCurrentIndex(0);
    prompter->expect(PromptAnswer::Ok); // the remembered printer was not saved ("1" never came)
    prompter->expect(PromptAnswer::Ok);
    child<QPushButton>(&window, QStringLiteral("cmdPrint"))->click();
    EXPECT_EQ(prompter->prompts.back().text, "Error printing \r\n|GET|TRAN|PRINT|10452|Front Desk");
    EXPECT_FALSE(window.resultFlag());
    window.close();
}

TEST_F(ViewerWindowTest, ModeAndJobIdDoNotReachTheNextDocument)
{
    ViewerDialog dialog;
    dialog.DataString = fivePages;
    dialog.DataFormat = "TXT:TXT";
    dialog.DocumentSettings = "Orientation=1";
    dialog.Mode = "FAX";
    dialog.JobID = "7\t5:6:7";
    EXPECT_TRUE(dialog.PrintDocument());
    EXPECT_TRUE(dialog.Mode.empty());
    EXPECT_TRUE(dialog.JobID.empty());
}

TEST_F(ViewerWindowTest, LongStatementRunShowsItsFirstPagesWhileTheRestIsLaidOut)
{
    const std::string run = RtfStatementRun::generate(150);
    const int all = TextPages::fromRtf(run)->pageCount();
    for (const bool waitForTheRest : {true, false}) {
        SCOPED_TRACE(waitForTheRest);
        frmViewer window;
        open(window, run, "RTF");
        auto* label = child<QLabel>(&window, QStringLiteral("lblPage"));
        auto* view = child<PageView>(&window, QStringLiteral("TXTextControl2"));
        const int early = view->pageCount();
        EXPECT_GE(early, 1);
        EXPECT_LT(early, all) << "shown before the whole run is laid out";
        EXPECT_EQ(label->text(), QStringLiteral("Page 1 of %1").arg(early));
        if (waitForTheRest) {
            QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("Page 1 of %1").arg(all), 60000);
        } else {
            // End goes to the real last page, laying out what is still waiting.
            view->setFocus();
            press(Qt::Key_End);
            EXPECT_EQ(label->text(), QStringLiteral("Page %1 of %1").arg(all));
        }
        EXPECT_TRUE(window.documentText().contains(QStringLiteral("Riverside Family Medicine")));
        window.close();
    }
}

} // namespace
} // namespace corvane
