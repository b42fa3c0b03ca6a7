#include "frmSTW.h"

#include "STWDialog.h"
#include "StwSave.h"
#include "StwTestData.h"
#include "StwWindowFixture.h"
#include "grid/CorvaneGrid.h"
#include "grid/GridModel.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
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

class StwWindowTest : public test::StwWindowFixture {
protected:
    void SetUp() override
    {
        StwWindowFixture::SetUp();
        serve(stwData({stwRow(1, "ABC"), stwRow(2, "DEF"), stwRow(3, "GHI")}));
    }
    void serve(const std::string& data) { quillon->lineReplies["|GET|STW|1|"] = {"|OK||", data, "|END|"}; }
    QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(QString::fromLatin1(name)); }
    /// Opens the cell's editor and types text into it without leaving the cell.
    QLineEdit* typeInto(int row, int col, const QString& text)
    {
        window->activateWindow();
        window->grid().setCurrentCell(row, col);
        window->grid().editCurrentCell();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // editors closed before
        auto* editor = window->grid().viewport()->findChild<QLineEdit*>();
        if (editor) {
            editor->selectAll();
            QTest::keyClicks(editor, text);
        }
        return editor;
    }
    std::string saveTextOf(const frmSTW& w) const { return StwSave::saveText(w.table()); }
    QString label(const char* name) const { return window->findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    std::pair<int, int> current() const
    {
        std::pair<int, int> cell;
        window->grid().currentCell(cell.first, cell.second);
        return cell;
    }
    /// Asks for the style of every cell, as painting does.
    void drawAll(frmSTW& w) const
    {
        CellStyle style;
        for (int row = 0; row <= w.grid().rowCount(); ++row) {
            for (int col = 0; col <= w.grid().columnCount(); ++col) {
                style.reset();
                w.GetStyleRowCol(row, col, style);
            }
        }
    }
    int requestsFor(const std::string& prefix) const
    {
        int count = 0;
        for (const auto& r : quillon->requests)
            count += r.rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }
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
    EXPECT_EQ(w.grid().disabledColour(), QColor(0xE0, 0xE0, 0xE0)) << "grid colour 4";
    EXPECT_EQ(w.windowTitle(),
              QStringLiteral("Codes Cross Reference") + QString(24, QLatin1Char(' ')) + QStringLiteral("READ ONLY"));
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
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(w.grid().setValue(1, 4, QStringLiteral("ZZZ9")));
    EXPECT_EQ(prompter->prompts.back().text, "ZZZ9 is not a valid code.") << "told in a message, not only the status";
    EXPECT_EQ(w.table().text(1, 4), "E11.9");
    EXPECT_TRUE(w.grid().setValue(1, 4, QStringLiteral("I10")));
    EXPECT_EQ(w.table().text(1, 4), "I10");
    EXPECT_EQ(w.table().text(1, 5), "Essential hypertension");
    EXPECT_EQ(w.table().format(1, 5).background, 'k') << "the description keeps its own format";
    EXPECT_TRUE(w.hasUnsavedChanges());
}

TEST_F(StwWindowTest, ACodeIsStoredAsTheCodeTableWritesIt)
{
    auto table = std::make_shared<test::FakeCodeTable>();
    table->rows = {{"J02.9", "J02.9\tAcute pharyngitis"}, {"I10", "I10\tEssential hypertension"}};
    codeTables->tables["DG"] = table;
    serverUtils->known["j02.9"] = "Acute pharyngitis"; // the server utilities accept any letter case
    frmSTW& w = open();
    ASSERT_TRUE(w.grid().setValue(1, 4, QStringLiteral(" j02.9 ")));
    EXPECT_EQ(w.table().text(1, 4), "J02.9");
    EXPECT_EQ(w.table().text(1, 5), "Acute pharyngitis");
    EXPECT_NE(saveTextOf(w).find("\tJ02.9\tAcute pharyngitis\t"), std::string::npos);
}

TEST_F(StwWindowTest, LookupResultsAreSplitOnceAtLoadAndOnlyInCodeCells)
{
    // Row 1 holds a looked-up code; row 2 an ordinary text that happens to hold the separator " -".
    serve(stwData({stwRow(1, "A", "01/02/2020", "R51.9 -Headache"), stwRow(2, "AB -x", "03/04/2021")}));
    frmSTW& w = open();
    EXPECT_EQ(w.table().text(1, 4), "R51.9") << "split before anything is drawn";
    EXPECT_EQ(w.table().text(1, 5), "Headache");
    EXPECT_EQ(w.table().text(2, 2), "AB -x");
    EXPECT_EQ(w.table().text(2, 3), "03/04/2021");

    const std::string before = saveTextOf(w);
    drawAll(w);
    EXPECT_EQ(saveTextOf(w), before) << "drawing never changes data";

    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(w.grid().setValue(3, 2, QStringLiteral("ab -x"))) << "the whole text is compared, not a part of it";
    ASSERT_TRUE(w.grid().setValue(1, 2, QStringLiteral("Q -r")));
    EXPECT_EQ(w.table().text(1, 2), "Q -r") << "typed into an ordinary cell, the separator stays";
    EXPECT_EQ(w.table().text(1, 3), "01/02/2020");
}

TEST_F(StwWindowTest, TypedSeparatorsAndForeignCharactersAreRefusedByName)
{
    frmSTW& w = open();
    const std::string before = saveTextOf(w);
    for (const QString& typed : {QStringLiteral("A|B"), QStringLiteral("A\tB"), QStringLiteral("A\nB"),
                                 QStringLiteral("x") + QChar(0xE6), QStringLiteral("K") + QChar(0x142)}) {
        prompter->expect(PromptAnswer::Ok);
        EXPECT_FALSE(w.grid().setValue(2, 2, typed)) << typed.toStdString();
        EXPECT_NE(prompter->prompts.back().text.find("Code"), std::string::npos) << prompter->prompts.back().text;
    }
    // A date or code cell says what is wrong with the character, not that the text is no date or code.
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(w.grid().setValue(1, 4, QStringLiteral("K") + QChar(0x142)));
    EXPECT_EQ(prompter->prompts.back().text.find("not a valid code"), std::string::npos);
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(w.grid().setValue(1, 3, QStringLiteral("01|02|2020")));
    EXPECT_NE(prompter->prompts.back().text, "Dates only, please.");
    EXPECT_EQ(saveTextOf(w), before);
    EXPECT_FALSE(w.hasUnsavedChanges());
}

TEST_F(StwWindowTest, AmountsShowAndSaveTheSameValue)
{
    frmSTW& w = open();
    for (const char* refused : {"12.345", "nan", "inf", "1e5", "1,23", "12 50", "0x1F"}) {
        prompter->expect(PromptAnswer::Ok);
        EXPECT_FALSE(w.grid().setValue(1, 6, QString::fromLatin1(refused))) << refused;
    }
    EXPECT_EQ(w.table().text(1, 6), "12.5");
    ASSERT_TRUE(w.grid().setValue(1, 6, QStringLiteral("$1,234.5")));
    EXPECT_EQ(w.table().text(1, 6), "1234.5");
    EXPECT_EQ(w.grid().value(1, 6), QStringLiteral("$ 1234.50"));
    ASSERT_TRUE(w.grid().setValue(2, 6, QStringLiteral("(12.50)")));
    EXPECT_EQ(w.table().text(2, 6), "-12.50") << "a negative amount in parentheses is kept";
    EXPECT_EQ(w.grid().value(2, 6), QStringLiteral("$ -12.50"));
    Q_EMIT w.grid().leftClick(0, 6);
    EXPECT_EQ(w.table().text(1, 6), "-12.50") << "and sorts below the others";
}

TEST_F(StwWindowTest, DropDownsOfNewAndCopiedRowsOfferTheirColumnsChoices)
{
    frmSTW& w = open();
    CellStyle style;
    w.GetStyleRowCol(4, 7, style);
    EXPECT_EQ(style.choices, (QStringList {QStringLiteral("Office"), QStringLiteral("Home")}));
    ASSERT_TRUE(w.grid().setValue(4, 7, QStringLiteral("Home")));
    EXPECT_EQ(w.table().text(4, 7), "1Home") << "the column's list number goes with the choice";
}

TEST_F(StwWindowTest, ADropDownValueTheListLacksIsKeptWhenTheOperatorLeavesIt)
{
    std::string row = stwRow(1, "A");
    row.replace(row.find("1Office"), 7, "1Clinic");
    serve(stwData({row}));
    frmSTW& w = open();
    w.activateWindow();
    w.grid().setCurrentCell(1, 7);
    w.grid().editCurrentCell();
    auto* combo = w.grid().viewport()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Clinic"));
    QTest::keyClick(combo, Qt::Key_Tab);
    EXPECT_EQ(w.table().text(1, 7), "1Clinic");
    EXPECT_FALSE(w.hasUnsavedChanges());
}

TEST_F(StwWindowTest, CopyRowCopiesTheCurrentRowLeavingUniqueColumnsEmpty)
{
    frmSTW& w = open();
    w.grid().setCurrentCell(2, 3);
    button("cmdCopyRow")->click();
    ASSERT_EQ(w.grid().rowCount(), 5);
    EXPECT_EQ(w.table().text(4, 2), "") << "the unique code is for the operator to fill";
    EXPECT_EQ(w.table().format(4, 2).kind, '1');
    for (int col : {1, 3, 4, 5, 6, 7})
        EXPECT_EQ(w.table().cell(4, col), w.table().cell(2, col)) << col;
    EXPECT_EQ(current(), std::make_pair(4, 2));
    EXPECT_NE(label("lblStatus").indexOf(QStringLiteral("required")), -1);
    EXPECT_TRUE(w.hasUnsavedChanges());
    prompter->expect(PromptAnswer::Ok);
    window->close();

    utils->rights->entries["STW"] = {true, true, false, true};
    open();
    EXPECT_FALSE(button("cmdCopyRow")->isEnabled()) << "a copy could never be posted without the change right";
}

TEST_F(StwWindowTest, TextStillInACellEditorIsKeptOnEveryWayOut)
{
    frmSTW& w = open();
    ASSERT_NE(typeInto(1, 2, QStringLiteral("TYPED")), nullptr);
    prompter->expect(PromptAnswer::Cancel);
    w.close();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.table().text(1, 2), "TYPED") << "the close box stored the editor's text, then asked";
    EXPECT_EQ(prompter->prompts.back().defaultAnswer, PromptAnswer::Cancel) << "Enter keeps the edits";

    ASSERT_NE(typeInto(2, 2, QStringLiteral("AGAIN")), nullptr);
    prompter->expect(PromptAnswer::Cancel);
    QTest::keyClick(w.grid().viewport()->findChild<QLineEdit*>(), Qt::Key_F5);
    EXPECT_EQ(requestsFor("|GET|STW|1|"), 1);
    EXPECT_EQ(w.table().text(2, 2), "AGAIN");

    ASSERT_NE(typeInto(3, 3, QStringLiteral("Tuesday")), nullptr);
    prompter->expect(PromptAnswer::Ok);
    w.reject();
    EXPECT_TRUE(w.isVisible()) << "a refused value keeps the window and its editor";
    EXPECT_EQ(prompter->prompts.back().text, "Dates only, please.");
    EXPECT_TRUE(w.grid().isEditing());
    QTest::keyClick(w.grid().viewport()->findChild<QLineEdit*>(), Qt::Key_Escape);
}

TEST_F(StwWindowTest, DeletingAShownWindowWithAnOpenEditorIsSafe)
{
    open();
    ASSERT_NE(typeInto(1, 2, QStringLiteral("GONE")), nullptr);
    // The window's widgets outlive its own data for a moment; by then the grid must no longer ask the window.
    CorvaneGrid* grid = &window->grid();
    bool detached = false;
    QObject::connect(window.get(), &QObject::destroyed, [grid, &detached] {
        detached = grid->model().source() == nullptr;
        grid->viewport()->repaint();
    });
    window.reset();
    QCoreApplication::processEvents();
    EXPECT_TRUE(detached);
}

TEST_F(StwWindowTest, DeveloperModeShowsTheWholeReplyInAScrollableWindow)
{
    utils->developer = true;
    SharedState::instance().utils = utils;
    prompter->expect(PromptAnswer::Ok);
    open();
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_TRUE(prompter->prompts[0].wholeText);
    EXPECT_EQ(prompter->prompts[0].title, "Practice Manager (DBG only)");
    EXPECT_EQ(prompter->prompts[0].text.rfind("|GET|STW|1|\r\n\r\n", 0), 0u);
}

TEST_F(StwWindowTest, HugeCellsAndHeadersPaintInMilliseconds)
{
    const std::string huge(50 * 1024 * 1024, 'h');
    std::string data = stwData({stwRow(1, huge), stwRow(2, "B")});
    data.replace(data.find("Description01kZ020"), 11, huge);
    serve(data);
    frmSTW& w = open();
    w.grid().resize(900, 400);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 5; ++i) {
        w.grid().redraw();
        w.grid().repaint();
        w.grid().horizontalHeader()->repaint();
    }
    EXPECT_LT(timer.elapsed(), 1500) << "five full repaints";
    CellStyle style;
    w.GetStyleRowCol(1, 2, style);
    EXPECT_TRUE(style.readOnly) << "too long for an editor: shown, not edited";
    EXPECT_LE(w.grid().model().data(w.grid().model().index(0, 1), Qt::DisplayRole).toString().size(), 1001);
    EXPECT_EQ(w.table().text(1, 2).size(), huge.size()) << "the data itself is whole";
}

TEST_F(StwWindowTest, RequiredCellsTheServerLeftEmptyDoNotHoldUpAPost)
{
    serve(stwData({stwRow(1, "A"), stwRow(2, "")}));
    SharedState::instance().palette[static_cast<std::size_t>('y' - 64)] = std::to_string(0x00D0FFFF);
    frmSTW& w = open();
    CellStyle style;
    w.GetStyleRowCol(2, 2, style);
    EXPECT_EQ(style.background, QColor(255, 255, 208)) << "still tinted as required";
    ASSERT_TRUE(w.grid().setValue(1, 6, QStringLiteral("7")));
    button("cmdOK")->click();
    EXPECT_EQ(requestsFor("|SET|STW|"), 1);
}

TEST_F(StwWindowTest, AnEmptiedNewRowIsNotCountedAsARow)
{
    frmSTW& w = open();
    ASSERT_TRUE(w.grid().setValue(4, 2, QStringLiteral("NEW")));
    ASSERT_EQ(w.grid().rowCount(), 5);
    ASSERT_TRUE(w.grid().setValue(4, 2, QString()));
    EXPECT_EQ(w.grid().rowCount(), 4);
    EXPECT_EQ(label("lblTotRec2"), QStringLiteral("3"));
}

TEST_F(StwWindowTest, APostAfterASortSaysOnceThatTheShownOrderIsSaved)
{
    serve(stwData({stwRow(1, "B"), stwRow(2, "A")}));
    frmSTW& w = open();
    Q_EMIT w.grid().leftClick(0, 2);
    ASSERT_TRUE(w.grid().setValue(1, 6, QStringLiteral("3")));
    prompter->expect(PromptAnswer::Ok);
    button("cmdOK")->click();
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_NE(prompter->prompts[0].text.find("order shown"), std::string::npos) << prompter->prompts[0].text;
    EXPECT_EQ(requestsFor("|SET|STW|1|1\tA\t"), 1) << "then the post goes ahead in the shown order";

    Q_EMIT w.grid().leftClick(0, 2);
    ASSERT_TRUE(w.grid().setValue(1, 6, QStringLiteral("4")));
    button("cmdOK")->click();
    EXPECT_EQ(prompter->prompts.size(), 1u) << "once per window";
}

TEST_F(StwWindowTest, FindFoldsAccentedLettersAndReadsDropDownsAsShown)
{
    serve(stwData({stwRow(1, "A"),
                   stwRow(2,
                          "Pe\xF1"
                          "a")}));
    frmSTW& w = open();
    auto* find = w.findChild<QLineEdit*>(QStringLiteral("txtFind"));
    find->setText(QStringLiteral("PE") + QChar(0xD1) + QStringLiteral("A"));
    button("cmdFind")->click();
    EXPECT_EQ(current(), std::make_pair(2, 2));
    find->setText(QStringLiteral("office*"));
    w.findChild<QComboBox*>(QStringLiteral("cboColumns"))->setCurrentIndex(6);
    button("cmdFind")->click();
    EXPECT_EQ(current(), std::make_pair(2, 7)) << "the Place column, by the choice it shows";
}

TEST_F(StwWindowTest, CellsShowTheirEditorsValuesAndColours)
{
    // Row 1 becomes the current row when the grid takes the focus, and the current row has colours of its own.
    serve(stwData({stwRow(1, "A", "", "E11.9", "12.5"), stwRow(2, "B")}));
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
    w.GetStyleRowCol(2, 5, style);
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
        drawAll(w);
        CellStyle style;
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

TEST_F(StwWindowTest, LeavingOrRefreshingWithUnsavedChangesAsksAndCancelKeepsEverything)
{
    frmSTW& w = open();
    ASSERT_TRUE(w.grid().setValue(1, 2, QStringLiteral("CHANGED")));
    prompter->expect(PromptAnswer::Cancel);
    w.close();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(prompter->prompts.back().text, " There are unsaved changes. \r\n Continue without saving? ");
    EXPECT_EQ(prompter->prompts.back().buttons, PromptButtons::OkCancel);
    EXPECT_EQ(prompter->prompts.back().icon, PromptIcon::Critical);
    EXPECT_EQ(prompter->prompts.back().defaultAnswer, PromptAnswer::Cancel);

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
    EXPECT_EQ(current(), std::make_pair(1, 2));

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

TEST_F(StwWindowTest, PreviewPrintsWhatTheGridShowsWithHeadingsAndPageNumbersOnEveryPage)
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
    const auto pages = w.printLayout(&printer);
    ASSERT_GT(pages.size(), 1u) << "120 rows need more than one page";
    int rowsPrinted = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        QStringList texts;
        for (const auto& cell : pages[i].cells)
            texts << cell.text;
        EXPECT_TRUE(texts.contains(QStringLiteral("Codes Cross Reference"))) << "title on page " << i + 1;
        EXPECT_TRUE(texts.contains(QStringLiteral("12/05/2026"))) << "date on page " << i + 1;
        EXPECT_TRUE(texts.contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())));
        EXPECT_TRUE(texts.contains(QStringLiteral("Code"))) << "headings on page " << i + 1;
        EXPECT_FALSE(texts.contains(QStringLiteral("1Office")));
        rowsPrinted += static_cast<int>(texts.count(QStringLiteral("Office")));
        for (const auto& cell : pages[i].cells) {
            if (cell.text == QStringLiteral("$ 12.50")) {
                EXPECT_EQ(cell.alignment, Qt::AlignRight | Qt::AlignVCenter);
            }
        }
    }
    EXPECT_EQ(rowsPrinted, 120) << "every row once, the empty new-entry row not at all";
    const auto ticked = std::count_if(pages[0].cells.begin(), pages[0].cells.end(),
                                      [](const frmSTW::PrintCell& cell) { return cell.check == 1; });
    EXPECT_GT(ticked, 0) << "check cells print as check marks";

    w.printGrid(&printer);
    QFile pdf(printer.outputFileName());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), static_cast<int>(pages.size()));
}

TEST_F(StwWindowTest, PreviewSplitsColumnsTooWideForOnePageInsteadOfSqueezingThem)
{
    std::string header;
    std::string row = "1";
    for (int col = 1; col <= 30; ++col) {
        header += "\tColumn number " + std::to_string(col) + "01WZ020";
        row += "\tvalue" + std::to_string(col) + "01WZ0";
    }
    serve(header + "\xE6" + row + "\xE6" + "\xE6");
    frmSTW& w = open();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QTemporaryDir().filePath(QStringLiteral("wide.pdf")));
    const auto pages = w.printLayout(&printer);
    ASSERT_GT(pages.size(), 1u);
    QFont heading = QApplication::font();
    heading.setPointSizeF(9);
    heading.setBold(true);
    QSet<QString> printed;
    for (const auto& page : pages) {
        for (const auto& cell : page.cells) {
            printed.insert(cell.text);
            if (cell.text.startsWith(QStringLiteral("Column number"))) {
                EXPECT_GE(cell.rect.width(), QFontMetricsF(heading, &printer).horizontalAdvance(cell.text) - 1)
                    << "no heading is squeezed";
            }
        }
    }
    for (int col = 1; col <= 30; ++col)
        EXPECT_TRUE(printed.contains(QStringLiteral("value%1").arg(col))) << col;
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
    EXPECT_EQ(current(), std::make_pair(4, 2));
}

TEST_F(StwWindowTest, RequiredCellsAreCollectedAndStopAPost)
{
    frmSTW& w = open();
    ASSERT_TRUE(w.grid().setValue(2, 2, QStringLiteral("")));
    EXPECT_NE(label("lblStatus").indexOf(QStringLiteral("required")), -1);
    prompter->expect(PromptAnswer::Ok);
    button("cmdOK")->click();
    EXPECT_EQ(requestsFor("|SET|STW|"), 0);
    EXPECT_EQ(current(), std::make_pair(2, 2)) << "the first empty required cell is shown";
}

} // namespace
} // namespace corvane
