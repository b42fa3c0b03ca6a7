#include "CorvaneGrid.h"

#include "GridModel.h"
#include "HostFixture.h"
#include "WidgetRoutines.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

/// A small owner: row 0 captions, column 0 row numbers, one editor kind per column.
class TableSource final : public GridStyleSource {
public:
    std::vector<CellEditor> kinds {CellEditor::Text,     CellEditor::Text, CellEditor::TextButton, CellEditor::DropDown,
                                   CellEditor::CheckBox, CellEditor::List, CellEditor::Numeric,    CellEditor::Masked};
    std::vector<std::vector<QString>> cells;
    QStringList choices {QStringLiteral("Red"), QStringLiteral("Green")};
    bool readOnly = false;
    QString refuse; ///< a value OnValidateCell refuses
    QString rewriteFrom, rewriteTo;
    int validations = 0;
    int styleRequests = 0;

    explicit TableSource(int rows)
    {
        cells.assign(static_cast<std::size_t>(rows) + 1, std::vector<QString>(kinds.size()));
        for (std::size_t c = 1; c < kinds.size(); ++c)
            cells[0][c] = QStringLiteral("Col%1").arg(c);
        for (std::size_t r = 1; r < cells.size(); ++r) {
            cells[r][0] = QString::number(r);
            cells[r][1] = QStringLiteral("text%1").arg(r);
            cells[r][4] = QStringLiteral("0");
        }
    }

    void GetStyleRowCol(int row, int col, CellStyle& style) override
    {
        ++styleRequests;
        style.value = cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
        if (row == 0 || col == 0)
            return;
        style.editor = kinds[static_cast<std::size_t>(col)];
        style.choices = choices;
        style.readOnly = readOnly;
        style.mask = QStringLiteral("99/99/9999");
        style.numericDigits = 3;
        style.numericDecimals = 2;
    }
    bool StoreValueRowCol(int row, int col, const QString& value) override
    {
        cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = value;
        return true;
    }
    bool OnValidateCell(int, int, QString& value) override
    {
        ++validations;
        if (!rewriteFrom.isEmpty() && value == rewriteFrom)
            value = rewriteTo;
        return value != refuse;
    }
};

std::pair<int, int> currentOf(const CorvaneGrid& grid)
{
    std::pair<int, int> cell;
    grid.currentCell(cell.first, cell.second);
    return cell;
}

class CorvaneGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.setStyleSource(&source);
        grid.setColumnCount(static_cast<int>(source.kinds.size()) - 1);
        grid.setRowCount(static_cast<int>(source.cells.size()) - 1);
        grid.resize(900, 300);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }
    void TearDown() override { grid.close(); }

    QWidget* openEditorAt(int row, int col)
    {
        grid.setCurrentCell(row, col);
        grid.editCurrentCell();
        return QApplication::focusWidget();
    }
    QPoint centreOf(int row, int col) { return grid.visualRect(grid.model().index(row - 1, col - 1)).center(); }

    TableSource source {5};
    CorvaneGrid grid;
};

TEST_F(CorvaneGridTest, ModelPassesTheItemModelTester)
{
    QAbstractItemModelTester tester(&grid.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    grid.setRowCount(50);
    source.cells.resize(51, std::vector<QString>(source.kinds.size()));
    grid.setRowCount(3);
    grid.setColumnCount(4);
    grid.redraw();
    EXPECT_EQ(grid.model().rowCount(), 3);
}

TEST_F(CorvaneGridTest, HeadersComeFromRowZeroAndColumnZero)
{
    EXPECT_EQ(grid.model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Col1"));
    EXPECT_EQ(grid.model().headerData(2, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("3"));
    EXPECT_EQ(grid.model().data(grid.model().index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("text1"));
    EXPECT_EQ(grid.value(2, 1), QStringLiteral("text2"));
}

TEST_F(CorvaneGridTest, EachEditorKindOpensItsOwnEditor)
{
    auto* text = qobject_cast<QLineEdit*>(openEditorAt(1, 1));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->actions().isEmpty());
    QTest::keyClick(text, Qt::Key_Escape);

    auto* withButton = qobject_cast<QLineEdit*>(openEditorAt(1, 2));
    ASSERT_NE(withButton, nullptr);
    ASSERT_EQ(withButton->actions().size(), 1);
    int buttonRow = 0;
    int buttonCol = 0;
    QObject::connect(&grid, &CorvaneGrid::clickedButton, [&](int r, int c) {
        buttonRow = r;
        buttonCol = c;
    });
    withButton->actions().first()->trigger();
    EXPECT_EQ(buttonRow, 1);
    EXPECT_EQ(buttonCol, 2);
    QTest::keyClick(withButton, Qt::Key_Escape);

    auto* dropDown = qobject_cast<QComboBox*>(openEditorAt(1, 3));
    ASSERT_NE(dropDown, nullptr);
    EXPECT_FALSE(dropDown->isEditable());
    EXPECT_EQ(dropDown->count(), 2);
    QTest::keyClick(dropDown, Qt::Key_Escape);

    auto* list = qobject_cast<QComboBox*>(openEditorAt(1, 5));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isEditable());
    QTest::keyClick(list, Qt::Key_Escape);

    auto* numeric = qobject_cast<QLineEdit*>(openEditorAt(1, 6));
    ASSERT_NE(numeric, nullptr);
    numeric->clear();
    QTest::keyClicks(numeric, QStringLiteral("1234.567"));
    EXPECT_EQ(numeric->text(), QStringLiteral("123.56")) << "three digits, two decimals";
    QTest::keyClick(numeric, Qt::Key_Escape);

    auto* masked = qobject_cast<QLineEdit*>(openEditorAt(1, 7));
    ASSERT_NE(masked, nullptr);
    EXPECT_EQ(masked->inputMask(), QStringLiteral("99/99/9999"));
    QTest::keyClick(masked, Qt::Key_Escape);
}

TEST_F(CorvaneGridTest, EnterStoresThroughTheOwnerAndTheOwnerMayRewrite)
{
    source.rewriteFrom = QStringLiteral("1/2/20");
    source.rewriteTo = QStringLiteral("01/02/2020");
    auto* editor = qobject_cast<QLineEdit*>(openEditorAt(2, 1));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("1/2/20"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(source.cells[2][1], QStringLiteral("01/02/2020"));
    EXPECT_EQ(source.validations, 1) << "a value is validated once, not again when stored";
    EXPECT_FALSE(grid.isEditing());
}

TEST_F(CorvaneGridTest, ARefusedValueKeepsTheOldValueAndTheEditorOpen)
{
    source.refuse = QStringLiteral("bad");
    auto* editor = qobject_cast<QLineEdit*>(openEditorAt(1, 1));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("bad"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(source.cells[1][1], QStringLiteral("text1"));
    EXPECT_TRUE(grid.isEditing());
    EXPECT_EQ(editor->text(), QStringLiteral("bad")) << "the typed text stays for correction";

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centreOf(3, 1));
    EXPECT_TRUE(grid.isEditing()) << "clicking elsewhere does not throw the text away";
    EXPECT_EQ(source.cells[1][1], QStringLiteral("text1"));

    editor->setText(QStringLiteral("good"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(source.cells[1][1], QStringLiteral("good"));
}

TEST_F(CorvaneGridTest, CheckCellsToggleByMouseAndSpace)
{
    int modified = 0;
    QObject::connect(&grid, &CorvaneGrid::modifyCell, [&](int, int) { ++modified; });
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centreOf(2, 4));
    EXPECT_EQ(source.cells[2][4], QStringLiteral("1"));
    EXPECT_EQ(grid.model().data(grid.model().index(1, 3), Qt::CheckStateRole).toInt(), Qt::Checked);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(source.cells[2][4], QStringLiteral("0"));
    EXPECT_EQ(modified, 2);
    EXPECT_FALSE(grid.isEditing()) << "a check cell never opens a text editor";
}

TEST_F(CorvaneGridTest, ZoomScalesWidthsRowsAndFontsTogether)
{
    grid.setColumnWidth(1, 100);
    grid.setColumnWidth(2, 40);
    const int rowAt100 = grid.verticalHeader()->defaultSectionSize();
    const qreal fontAt100 = grid.font().pointSizeF();
    ASSERT_TRUE(grid.setZoom(150));
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(0), 150);
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(1), 60);
    EXPECT_EQ(grid.verticalHeader()->defaultSectionSize(), rowAt100 * 150 / 100);
    EXPECT_DOUBLE_EQ(grid.font().pointSizeF(), fontAt100 * 1.5);
    EXPECT_EQ(grid.columnWidth(1), 100) << "widths are kept at zoom 100";
    EXPECT_FALSE(grid.setZoom(601));
    EXPECT_FALSE(grid.setZoom(9));
    EXPECT_EQ(grid.zoom(), 150);
    ASSERT_TRUE(grid.setZoom(100));
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(0), 100);
}

TEST_F(CorvaneGridTest, ACheckCellShowsItsCaptionBesideTheBox)
{
    EXPECT_EQ(grid.model().data(grid.model().index(0, 3), Qt::DisplayRole).toString(), QStringLiteral("Red"));
    const QRect cell = grid.visualRect(grid.model().index(0, 3));
    grid.resize(900, 300);
    const QImage withCaption = grid.viewport()->grab(cell).toImage();
    source.choices = {QString()};
    grid.redraw();
    const QImage bare = grid.viewport()->grab(cell).toImage();
    EXPECT_NE(withCaption, bare) << "the caption is drawn";
}

TEST_F(CorvaneGridTest, OneClickOnACurrentButUnselectedCheckCellTogglesItOnce)
{
    source.kinds[1] = CellEditor::CheckBox;
    for (std::size_t r = 1; r < source.cells.size(); ++r)
        source.cells[r][1] = QStringLiteral("0");
    grid.redraw();
    int modified = 0;
    QObject::connect(&grid, &CorvaneGrid::modifyCell, [&](int, int) { ++modified; });
    // As a freshly focused grid leaves its first cell: current, not selected.
    grid.selectionModel()->setCurrentIndex(grid.model().index(0, 0), QItemSelectionModel::NoUpdate);
    const QRect cell = grid.visualRect(grid.model().index(0, 0));
    for (int x : {cell.left() + 6, cell.left() + 12, cell.center().x()}) {
        const QString before = source.cells[1][1];
        modified = 0;
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(x, cell.center().y()));
        EXPECT_NE(source.cells[1][1], before) << "at x " << x;
        EXPECT_EQ(modified, 1) << "at x " << x;
    }
}

TEST_F(CorvaneGridTest, ADropDownNeitherChangesAValueItsListLacksNorFillsAnEmptyOne)
{
    source.cells[1][3] = QStringLiteral("Blue");
    auto* kept = qobject_cast<QComboBox*>(openEditorAt(1, 3));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->currentText(), QStringLiteral("Blue"));
    QTest::keyClick(kept, Qt::Key_Tab);
    EXPECT_EQ(source.cells[1][3], QStringLiteral("Blue"));

    auto* empty = qobject_cast<QComboBox*>(openEditorAt(2, 3));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->currentIndex(), -1);
    QTest::keyClick(empty, Qt::Key_Tab);
    EXPECT_EQ(source.cells[2][3], QString()) << "leaving stores no choice the operator did not make";
    EXPECT_EQ(source.validations, 0);

    auto* chosen = qobject_cast<QComboBox*>(openEditorAt(3, 3));
    ASSERT_NE(chosen, nullptr);
    chosen->setCurrentIndex(1);
    QTest::keyClick(chosen, Qt::Key_Tab);
    EXPECT_EQ(source.cells[3][3], QStringLiteral("Green"));
}

TEST_F(CorvaneGridTest, EnterStoresTheCellAndMovesToTheNextOneCtrlTabLeavesTheGrid)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    CorvaneGrid inner;
    inner.setParent(&window);
    auto* after = new QLineEdit(&window);
    layout->addWidget(&inner);
    layout->addWidget(after);
    inner.setStyleSource(&source);
    inner.setColumnCount(7);
    inner.setRowCount(5);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    inner.setCurrentCell(2, 1);
    inner.setFocus();
    QTest::keyClick(&inner, Qt::Key_X);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(source.cells[2][1], QStringLiteral("x"));
    EXPECT_FALSE(inner.isEditing());
    EXPECT_EQ(currentOf(inner), std::make_pair(2, 2));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(currentOf(inner), std::make_pair(2, 3)) << "Enter moves on without an editor too";

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), after);
    inner.setParent(nullptr);
}

TEST_F(CorvaneGridTest, AnEditorCommittedFromOutsideStoresOrStaysOpenWithItsText)
{
    auto* editor = qobject_cast<QLineEdit*>(openEditorAt(1, 1));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("bad"));
    source.refuse = QStringLiteral("bad");
    EXPECT_FALSE(grid.commitEditor());
    EXPECT_TRUE(grid.isEditing());
    EXPECT_EQ(grid.activeEditorText(), QStringLiteral("bad"));
    grid.redraw();
    EXPECT_EQ(grid.activeEditorText(), QStringLiteral("bad")) << "a repaint leaves the typed text alone";
    editor->setText(QStringLiteral("fine"));
    EXPECT_TRUE(grid.commitEditor());
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(source.cells[1][1], QStringLiteral("fine"));
    EXPECT_TRUE(grid.commitEditor()) << "nothing open, nothing to do";
}

TEST_F(CorvaneGridTest, AButtonsPopUpTakingTheFocusLeavesTheEditorAsItIs)
{
    QLineEdit popUp;
    QObject::connect(&grid, &CorvaneGrid::clickedButton, [&](int, int) {
        popUp.show();
        popUp.activateWindow();
        popUp.setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&popUp));
        popUp.close();
    });
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    auto* editor = qobject_cast<QLineEdit*>(openEditorAt(1, 2));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("partial"));
    QTest::keyClick(editor, Qt::Key_F4);
    EXPECT_TRUE(grid.isEditing());
    EXPECT_EQ(grid.activeEditorText(), QStringLiteral("partial"));
    EXPECT_EQ(source.validations, 0);
    EXPECT_EQ(grid.cellAnchor(1, 2), editor) << "a pop-up opens beside the open editor";
    EXPECT_EQ(grid.cellAnchor(2, 2)->geometry(), grid.visualRect(grid.model().index(1, 1)));
}

TEST_F(CorvaneGridTest, HugeValuesAreHandedToTheViewCutAndNeverCutInTheEditor)
{
    source.cells[1][1] = QString(5 * 1024 * 1024, QLatin1Char('h'));
    source.cells[0][1] = QString(5 * 1024 * 1024, QLatin1Char('c'));
    source.cells[2][1] = QString(40000, QLatin1Char('e'));
    grid.redraw();
    EXPECT_LE(grid.model().data(grid.model().index(0, 0), Qt::DisplayRole).toString().size(), 1001);
    EXPECT_LE(grid.model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString().size(), 1001);
    EXPECT_EQ(grid.model().data(grid.model().index(0, 0), Qt::EditRole).toString().size(), 5 * 1024 * 1024);
    QElapsedTimer timer;
    timer.start();
    grid.repaint();
    grid.horizontalHeader()->repaint();
    EXPECT_LT(timer.elapsed(), 500);
    auto* editor = qobject_cast<QLineEdit*>(openEditorAt(2, 1));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text().size(), 40000) << "opening a long cell must not cut it";
    QTest::keyClick(editor, Qt::Key_Escape);
}

TEST_F(CorvaneGridTest, TypingInAReadOnlyCellDoesNotJumpToAnotherRow)
{
    source.readOnly = true;
    grid.redraw();
    grid.setCurrentCell(1, 1);
    grid.setFocus();
    QTest::keyClicks(&grid, QStringLiteral("text3"));
    EXPECT_EQ(currentOf(grid).first, 1);
}

class GridDateTest : public test::HostFixture { };

TEST_F(GridDateTest, DateIsValidJudgesTheActiveEditorAndHandsTheRewrittenDateBack)
{
    TableSource source(2);
    CorvaneGrid grid;
    grid.setStyleSource(&source);
    grid.setColumnCount(7);
    grid.setRowCount(2);
    grid.show();
    grid.setCurrentCell(1, 1);
    grid.editCurrentCell();
    auto* editor = grid.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("1/2/20"));
    std::string normalised;
    EXPECT_TRUE(DateIsValid(&grid, false, false, normalised));
    EXPECT_EQ(normalised, "01/02/2020");
    EXPECT_EQ(source.cells[1][1], QStringLiteral("text1")) << "the grid itself is not written";
    editor->setText(QStringLiteral("13/13/13"));
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(DateIsValid(&grid, false, false, normalised));
    QTest::keyClick(editor, Qt::Key_Escape);
    grid.close();
}

TEST(CorvaneGridLarge, AHundredThousandRowsAskOnlyForVisibleCells)
{
    TableSource source(1);
    CorvaneGrid grid;
    source.cells.assign(100001, std::vector<QString>(source.kinds.size(), QStringLiteral("x")));
    grid.setStyleSource(&source);
    grid.setColumnCount(7);
    grid.setRowCount(100000);
    grid.resize(800, 400);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    source.styleRequests = 0;
    grid.scrollCellIntoView(99999, 3);
    grid.repaint();
    EXPECT_GT(source.styleRequests, 0);
    EXPECT_LT(source.styleRequests, 20000) << "painting must not walk the whole table";
    grid.close();
}

} // namespace
} // namespace corvane
