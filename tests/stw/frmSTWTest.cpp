#include "frmSTW.h"

#include "HostFixture.h"
#include "STWDialog.h"
#include "StwTestData.h"
#include "grid/CorvaneGrid.h"
#include "grid/GridModel.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::stwData;
using test::stwRow;

class StwWindowTest : public test::HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        utils->rights->entries["STW"] = {true, true, true, true};
        SharedState::instance().palette.assign(59, "16777215");
        serve(stwData({stwRow(1, "ABC"), stwRow(2, "DEF"), stwRow(3, "GHI")}));
    }
    void TearDown() override
    {
        if (window && window->isVisible()) {
            if (window->hasUnsavedChanges())
                prompter->expect(PromptAnswer::Ok);
            window->close();
        }
        window.reset();
        HostFixture::TearDown();
    }
    void serve(const std::string& data) { quillon->lineReplies["|GET|STW|1|"] = {"|OK||", data, "|END|"}; }
    frmSTW& open()
    {
        window = std::make_unique<frmSTW>();
        window->STWShow(QStringLiteral("Codes Cross Reference"));
        return *window;
    }
    QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(QString::fromLatin1(name)); }
    QString label(const char* name) const { return window->findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    int requestsFor(const std::string& prefix) const
    {
        int count = 0;
        for (const auto& r : quillon->requests)
            count += r.rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }

    std::unique_ptr<frmSTW> window;
};

TEST_F(StwWindowTest, WithoutAnStwEntryTheWindowIsNotShownAndTheDialogStillReturnsTrue)
{
    utils->rights->entries.clear();
    EXPECT_FALSE(open().STWShow(QStringLiteral("Codes Cross Reference")));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(STWDialog().ShowSTWDialog());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == QStringLiteral("frmSTW") && w->isVisible());
    EXPECT_EQ(requestsFor("|GET|STW|"), 0);
}

TEST_F(StwWindowTest, TheAddRightDecidesWhetherTheNewEntryRowIsShown)
{
    serve(stwData({stwRow(1, "A"), stwRow(2, "B")}));
    frmSTW& w = open();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Codes Cross Reference"));
    EXPECT_EQ(w.grid().rowCount(), 3) << "two data rows and the new-entry row";
    EXPECT_EQ(label("lblTotRec2"), QStringLiteral("2"));
    EXPECT_EQ(w.state(), frmSTW::Editable);
    window->close();

    utils->rights->entries["STW"] = {false, true, true, true};
    frmSTW& without = open();
    EXPECT_EQ(without.grid().rowCount(), 2);
    EXPECT_EQ(label("lblTotRec2"), QStringLiteral("2"));
    EXPECT_FALSE(button("cmdNewRow")->isEnabled());
    EXPECT_FALSE(button("cmdCopyRow")->isEnabled());
    EXPECT_TRUE(button("cmdDelRow")->isEnabled());
}

TEST_F(StwWindowTest, ViewOnlyOperatorsSeeDisabledCellsAndCannotChangeThem)
{
    utils->rights->entries["STW"] = {false, false, false, true};
    frmSTW& w = open();
    EXPECT_EQ(w.state(), frmSTW::ViewOnly);
    EXPECT_FALSE(button("cmdOK")->isEnabled());
    EXPECT_FALSE(w.grid().setValue(1, 2, QStringLiteral("XYZ")));
    EXPECT_EQ(w.table().text(1, 2), "ABC");
    CellStyle style;
    w.GetStyleRowCol(1, 2, style);
    EXPECT_TRUE(style.readOnly);
    EXPECT_EQ(style.background, QColor(0xE0, 0xE0, 0xE0)) << "the display settings' disabled colour";
}

TEST_F(StwWindowTest, AnUnreachableServerLeavesTheErrorHeaderAndOnlyExit)
{
    utils->rights->entries["STW"] = {false, false, true, true};
    quillon->reachable = false;
    prompter->expect(PromptAnswer::Ok);
    frmSTW& w = open();
    EXPECT_EQ(prompter->prompts.at(0).text, "mcomm.DirectComm failed in frmSTW.STWShow");
    EXPECT_TRUE(logged("mcomm.DirectComm failed in frmSTW.STWShow"));
    EXPECT_EQ(w.state(), frmSTW::LoadFailed);
    EXPECT_EQ(w.grid().model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Communication Error"))
        << "shown even without the add right";
    for (const char* name :
         {"cmdZoomIn", "cmdZoomOut", "cmdResetColumns", "cmdRefresh", "cmdNewRow", "cmdCopyRow", "cmdDelRow", "cmdOK"})
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    EXPECT_TRUE(button("cmdCancel")->isEnabled());
}

TEST_F(StwWindowTest, AnErrorReplyIsShownLoggedAndBecomesTheHeader)
{
    quillon->lineReplies["|GET|STW|1|"] = {"|OK||ERROR: grid locked by MJONES", "|END|"};
    prompter->expect(PromptAnswer::Ok);
    frmSTW& w = open();
    EXPECT_EQ(prompter->prompts.at(0).text, "|OK||ERROR: grid locked by MJONES");
    EXPECT_TRUE(logged("ERR in frmSTW.STWShow after |GET|STW|1|\r\n|OK||ERROR: grid locked by MJONES"));
    EXPECT_EQ(w.state(), frmSTW::LoadFailed);
    EXPECT_EQ(w.grid().columnCount(), 1);
}

TEST_F(StwWindowTest, DateCellsRewriteTypedDatesAndRefuseFutureOnes)
{
    frmSTW& w = open();
    EXPECT_TRUE(w.grid().setValue(1, 3, QStringLiteral("1/2/2020")));
    EXPECT_EQ(w.table().text(1, 3), "01/02/2020");
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(w.grid().setValue(1, 3, QStringLiteral("12/06/2026")));
    EXPECT_EQ(prompter->prompts.back().text, "Date cannot be in the future.");
    EXPECT_EQ(prompter->prompts.back().title, "Date Validation");
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(w.grid().setValue(1, 3, QStringLiteral("Tuesday")));
    EXPECT_EQ(prompter->prompts.back().text, "Dates only, please.");
    EXPECT_EQ(w.table().text(1, 3), "01/02/2020") << "a refused value leaves the cell as it was";
}

TEST_F(StwWindowTest, UniqueColumnsRefuseDuplicatesInAnyLetterCase)
{
    frmSTW& w = open();
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(w.grid().setValue(2, 2, QStringLiteral("abc")));
    EXPECT_EQ(prompter->prompts.back().text, "Duplicate entry.");
    EXPECT_EQ(w.table().text(2, 2), "DEF");
    EXPECT_FALSE(w.hasUnsavedChanges());
    EXPECT_TRUE(w.grid().setValue(1, 2, QStringLiteral("abc"))) << "a row may keep its own value";
}

TEST_F(StwWindowTest, CodeCellsAreValidatedAndFillTheirDescription)
{
    serverUtils->known["I10"] = "Essential hypertension";
    frmSTW& w = open();
    EXPECT_FALSE(w.grid().setValue(1, 4, QStringLiteral("ZZZ9")));
    EXPECT_EQ(w.table().text(1, 4), "E11.9");
    EXPECT_TRUE(w.grid().setValue(1, 4, QStringLiteral("I10")));
    EXPECT_EQ(w.table().text(1, 4), "I10");
    EXPECT_EQ(w.table().text(1, 5), "Essential hypertension");
    EXPECT_EQ(w.table().format(1, 5).background, 'k') << "the description keeps its own format";
    EXPECT_TRUE(w.hasUnsavedChanges());
}

TEST_F(StwWindowTest, ALookupResultInACellFillsTheNextCellWhenShown)
{
    serve(stwData({stwRow(1, "A", "01/02/2020", "R51.9 -Headache")}));
    frmSTW& w = open();
    CellStyle style;
    w.GetStyleRowCol(1, 4, style);
    EXPECT_EQ(style.value, QStringLiteral("R51.9"));
    EXPECT_EQ(w.table().text(1, 5), "Headache");
}

TEST_F(StwWindowTest, CellsShowTheirEditorsValuesAndColours)
{
    serve(stwData({stwRow(1, "A", "", "E11.9", "12.5")}));
    SharedState::instance().palette[static_cast<std::size_t>('k' - 64)] = std::to_string(0x00C0FFEE);
    frmSTW& w = open();
    CellStyle style;
    w.GetStyleRowCol(1, 1, style);
    EXPECT_EQ(style.editor, CellEditor::CheckBox);
    EXPECT_EQ(style.value, QStringLiteral("1"));
    EXPECT_EQ(style.alignment, Qt::AlignCenter);
    style.reset();
    w.GetStyleRowCol(1, 6, style);
    EXPECT_EQ(style.value, QStringLiteral("$ 12.50"));
    EXPECT_EQ(style.alignment, Qt::AlignRight | Qt::AlignVCenter);
    style.reset();
    w.GetStyleRowCol(1, 7, style);
    EXPECT_EQ(style.editor, CellEditor::DropDown);
    EXPECT_EQ(style.choices, (QStringList {QStringLiteral("Office"), QStringLiteral("Home")}));
    EXPECT_EQ(style.value, QStringLiteral("Office"));
    style.reset();
    w.GetStyleRowCol(1, 5, style);
    EXPECT_EQ(style.background, QColor(0xEE, 0xFF, 0xC0)) << "letter k from the palette, blue-green-red";
    EXPECT_EQ(style.toolTip, QStringLiteral(" Diabetes "));
    style.reset();
    w.GetStyleRowCol(0, 2, style);
    EXPECT_EQ(style.value, QStringLiteral("Code"));
    EXPECT_TRUE(style.font.bold());
    EXPECT_EQ(style.toolTip, QStringLiteral("Click to sort Code"));
}

TEST_F(StwWindowTest, AnUnknownEditorKindBeepsAndLogsEveryTimeItIsDrawn)
{
    std::string row = stwRow(1, "A");
    row.replace(row.find("Diabetes01kZ0"), 13, "Diabetes0XkZ0");
    serve(stwData({row}));
    frmSTW& w = open();
    const int beepsBefore = prompter->beeps;
    CellStyle style;
    w.GetStyleRowCol(1, 5, style);
    w.GetStyleRowCol(1, 5, style);
    EXPECT_EQ(prompter->beeps - beepsBefore, 2);
    EXPECT_TRUE(logged("frmSTW, grdMain  Cell format unrecognized Diabetes0XkZ0"));
    EXPECT_EQ(style.value, QStringLiteral("Diabetes"));
}

TEST_F(StwWindowTest, MalformedDataStringsShowWhatTheyCanAndNeverCrash)
{
    const std::string hugeCell(10 * 1024 * 1024, 'x');
    const std::vector<std::string> replies = {
        "\xE6", // a header with no columns
        "\tName01WZ0zz\xE6"
        "1\tA\xE6", // a non-digit width, a cell shorter than its code
        test::stwHeader() + "1\t1\xE6" + "2\t" + std::string(40, '\t') + "\xE6", // ragged rows
        test::stwHeader() + std::string("1\tA\0B01WZ0\t\0\xE6", 14), // NUL bytes
        test::stwHeader() + "1\t104WZ1\t" + hugeCell + "01WZ0\xE6", // a 10 MB cell
        test::stwHeader() + "1\tQ0QQQ\t\xFF\xFE\xFD\xFC\xFB\xE6", // nothing but unknown codes
    };
    for (const std::string& data : replies) {
        serve(data);
        frmSTW& w = open();
        CellStyle style;
        for (int row = 0; row <= w.grid().rowCount(); ++row) {
            for (int col = 0; col <= w.grid().columnCount(); ++col) {
                style.reset();
                w.GetStyleRowCol(row, col, style);
            }
        }
        if (w.grid().rowCount() >= 1 && w.grid().columnCount() >= 2) {
            style.reset();
            w.GetStyleRowCol(1, 2, style);
            EXPECT_LE(style.toolTip.size(), 1003) << "a huge cell's tool tip is cut";
        }
        w.grid().repaint();
        window->close();
    }
    EXPECT_GT(prompter->beeps, 0) << "unknown editor kinds are reported";
}

TEST_F(StwWindowTest, PostSendsTheSaveTextReloadsAndClearsTheUnsavedFlag)
{
    frmSTW& w = open();
    ASSERT_TRUE(w.grid().setValue(2, 2, QStringLiteral("XYZ")));
    quillon->lineReplies["|SET|STW|1|" + std::string("1\tABC\t01/02/2020\tE11.9\tDiabetes\t12.5\tOffice\xE6")
                         + "2\tXYZ\t01/02/2020\tE11.9\tDiabetes\t12.5\tOffice\xE6"
                         + "3\tGHI\t01/02/2020\tE11.9\tDiabetes\t12.5\tOffice\xE6"]
        = {"|OK||", "1", "|END|"};
    const int loadsBefore = requestsFor("|GET|STW|1|");
    button("cmdOK")->click();
    EXPECT_EQ(requestsFor("|SET|STW|1|"), 1);
    EXPECT_EQ(requestsFor("|GET|STW|1|"), loadsBefore + 1) << "reloaded after the post";
    EXPECT_FALSE(w.hasUnsavedChanges());
    EXPECT_TRUE(w.isVisible()) << "the display settings say stay open";
    EXPECT_EQ(label("lblStatus"), QStringLiteral("Click on Column Header to sort."));
}

TEST_F(StwWindowTest, ARefusedPostKeepsTheGridAndTheUnsavedFlag)
{
    frmSTW& w = open();
    ASSERT_TRUE(w.grid().setValue(2, 2, QStringLiteral("XYZ")));
    quillon->answer = [](const std::string& request) {
        if (request.rfind("|SET|", 0) == 0)
            return std::vector<std::string> {"|OK||Error: XYZ is not allowed", "|END|"};
        return std::vector<std::string> {"|OK||", "|END|"};
    };
    prompter->expect(PromptAnswer::Ok);
    button("cmdOK")->click();
    EXPECT_EQ(prompter->prompts.back().text, "Error: XYZ is not allowed");
    EXPECT_TRUE(w.hasUnsavedChanges());
    EXPECT_EQ(w.table().text(2, 2), "XYZ");
    EXPECT_EQ(requestsFor("|GET|STW|1|"), 1) << "no reload after a failure";
    ASSERT_FALSE(utils->logLines.empty());
    EXPECT_EQ(utils->logLines.back().rfind("ERR in frmSTW.STWSave after |SET|STW|1|1\tABC", 0), 0u);
}

TEST_F(StwWindowTest, ALongSaveGoesInNumberedPiecesAndADropMidwayFailsThePost)
{
    std::vector<std::string> rows;
    for (int i = 1; i <= 400; ++i)
        rows.push_back(stwRow(i, "CODE" + std::to_string(i) + std::string(20, 'x')));
    serve(stwData(rows));
    frmSTW& w = open();
    ASSERT_TRUE(w.grid().setValue(1, 2, QStringLiteral("FIRST")));

    quillon->failWhen = [](const std::string& request) {
        return request.rfind("|SET|STW|2|", 0) == 0;
    };
    prompter->expect(PromptAnswer::Ok);
    button("cmdOK")->click();
    EXPECT_EQ(requestsFor("|SET|STW|1|"), 1);
    EXPECT_EQ(requestsFor("|SET|STW|2|"), 1);
    EXPECT_EQ(requestsFor("|SET|STW|3|"), 0) << "a failed piece stops the sequence";
    EXPECT_EQ(prompter->prompts.back().text.rfind("mcomm.DirectComm failed in frmSTW.STWSave\r\n|SET|STW|2|", 0), 0u);
    EXPECT_TRUE(w.hasUnsavedChanges());
    EXPECT_EQ(w.table().text(1, 2), "FIRST");

    quillon->failWhen = nullptr;
    quillon->requests.clear();
    button("cmdOK")->click();
    std::string joined;
    for (const auto& request : quillon->requests) {
        if (request.rfind("|SET|STW|", 0) != 0)
            continue;
        const std::size_t bar = request.find('|', 9);
        EXPECT_LE(request.size() - bar - 1, 9000u);
        joined += request.substr(bar + 1);
    }
    EXPECT_GT(requestsFor("|SET|STW|3|"), 0);
    EXPECT_EQ(joined.substr(0, 8), "1\tFIRST\t");
    EXPECT_EQ(std::count(joined.begin(), joined.end(), '\xE6'), 400);
    EXPECT_FALSE(w.hasUnsavedChanges());
}

TEST_F(StwWindowTest, LeavingOrRefreshingWithUnsavedChangesAsksAndCancelKeepsEverything)
{
    frmSTW& w = open();
    ASSERT_TRUE(w.grid().setValue(1, 2, QStringLiteral("CHANGED")));
    prompter->expect(PromptAnswer::Cancel);
    w.close();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(prompter->prompts.back().text, " There are unsaved changes. \r\n Continue without saving? ");
    EXPECT_EQ(prompter->prompts.back().buttons, PromptButtons::OkCancel);

    prompter->expect(PromptAnswer::Cancel);
    button("cmdRefresh")->click();
    EXPECT_EQ(requestsFor("|GET|STW|1|"), 1);
    EXPECT_EQ(w.table().text(1, 2), "CHANGED");

    prompter->expect(PromptAnswer::Cancel);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());

    prompter->expect(PromptAnswer::Ok);
    QTest::keyClick(&w, Qt::Key_F5);
    EXPECT_EQ(requestsFor("|GET|STW|1|"), 2);
    EXPECT_EQ(w.table().text(1, 2), "ABC");
    EXPECT_FALSE(w.hasUnsavedChanges());
}

TEST_F(StwWindowTest, FindWrapsToTheTopWhenAsked)
{
    frmSTW& w = open();
    w.grid().setCurrentCell(3, 2);
    w.findChild<QLineEdit*>(QStringLiteral("txtFind"))->setText(QStringLiteral("ab*"));
    prompter->expect(PromptAnswer::Yes);
    button("cmdFind")->click();
    EXPECT_EQ(prompter->prompts.back().text, "Cannot find \"AB\".\r\nDo you want to start from the beginning?");
    int row = 0;
    int col = 0;
    w.grid().currentCell(row, col);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(col, 2);

    w.findChild<QLineEdit*>(QStringLiteral("txtFind"))->setText(QStringLiteral("nowhere"));
    prompter->expect(PromptAnswer::Yes);
    prompter->expect(PromptAnswer::Ok);
    button("cmdFind")->click();
    EXPECT_EQ(prompter->prompts.back().text, "Cannot find \"NOWHERE\".");
    EXPECT_EQ(prompter->prompts.back().icon, PromptIcon::Information);
}

TEST_F(StwWindowTest, ClickingAHeaderSortsAndClickingAgainReverses)
{
    serve(stwData({stwRow(1, "B"), stwRow(2, "C"), stwRow(3, "A")}));
    frmSTW& w = open();
    Q_EMIT w.grid().leftClick(0, 2);
    EXPECT_EQ(w.table().text(1, 2), "A");
    EXPECT_EQ(w.table().text(3, 2), "C");
    EXPECT_TRUE(w.grid().horizontalHeader()->isSortIndicatorShown());
    Q_EMIT w.grid().leftClick(0, 2);
    EXPECT_EQ(w.table().text(1, 2), "C");
    EXPECT_EQ(w.grid().horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(w.table().text(4, 2), "") << "the new-entry row stays last";
}

TEST_F(StwWindowTest, PreviewRendersEveryRowOntoPages)
{
    std::vector<std::string> rows;
    for (int i = 1; i <= 120; ++i)
        rows.push_back(stwRow(i, "R" + std::to_string(i)));
    serve(stwData(rows));
    frmSTW& w = open();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("grid.pdf")));
    w.printGrid(&printer);
    QFile pdf(printer.outputFileName());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_GT(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1) << "120 rows need more than one page";
}

TEST_F(StwWindowTest, ZoomMovesInStepsOfNineWithinItsBounds)
{
    frmSTW& w = open();
    for (int i = 0; i < 60; ++i)
        button("cmdZoomIn")->click();
    EXPECT_EQ(w.grid().zoom(), 505);
    for (int i = 0; i < 80; ++i)
        button("cmdZoomOut")->click();
    EXPECT_EQ(w.grid().zoom(), 19);
    button("cmdResetColumns")->click();
    EXPECT_EQ(w.grid().zoom(), 100);
}

TEST_F(StwWindowTest, NewAndDeletedRowsKeepTheTotalAndANewEntryRow)
{
    frmSTW& w = open();
    EXPECT_EQ(label("lblTotRec2"), QStringLiteral("3"));
    ASSERT_TRUE(w.grid().setValue(4, 2, QStringLiteral("NEW")));
    EXPECT_EQ(w.grid().rowCount(), 5) << "typing into the new-entry row offers another";
    EXPECT_EQ(label("lblTotRec2"), QStringLiteral("4"));
    w.grid().setCurrentCell(2, 2);
    button("cmdDelRow")->click();
    EXPECT_EQ(w.grid().rowCount(), 4);
    EXPECT_EQ(label("lblTotRec2"), QStringLiteral("3"));
    EXPECT_EQ(w.table().text(2, 2), "GHI");
    EXPECT_TRUE(w.hasUnsavedChanges());
    button("cmdNewRow")->click();
    int row = 0;
    int col = 0;
    w.grid().currentCell(row, col);
    EXPECT_EQ(row, 4);
    EXPECT_EQ(col, 2);
}

TEST_F(StwWindowTest, RequiredCellsAreCollectedAndStopAPost)
{
    frmSTW& w = open();
    ASSERT_TRUE(w.grid().setValue(2, 2, QStringLiteral("")));
    EXPECT_NE(label("lblStatus").indexOf(QStringLiteral("required")), -1);
    prompter->expect(PromptAnswer::Ok);
    button("cmdOK")->click();
    EXPECT_EQ(requestsFor("|SET|STW|"), 0);
    int row = 0;
    int col = 0;
    w.grid().currentCell(row, col);
    EXPECT_EQ(std::make_pair(row, col), std::make_pair(2, 2)) << "the first empty required cell is shown";
}

} // namespace
} // namespace corvane
