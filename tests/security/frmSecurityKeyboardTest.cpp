#include "KeyboardDriver.h"
#include "frmSecuritySupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>

namespace corvane {
namespace {

using test::focusName;
using test::press;

class SecurityKeyboardTest : public test::SecurityWindowFixture {
protected:
    void showActive()
    {
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

/// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

TEST_F(SecurityKeyboardTest, ModuleAccessByKeyboardOnly)
{
    start();
    showActive();
    window->tree()->setFocus();
    test::type(QStringLiteral("mj"));
    ASSERT_NE(window->tree()->currentItem(), nullptr);
    EXPECT_EQ(window->tree()->currentItem()->text(0), QStringLiteral("MJONES   Maria Jones")) << "typed code";
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    ASSERT_EQ(window->currentWord(), "mod");
    const int aging = rowOf("AGING");
    const bool was = on("AGING", 3);

    for (int i = 0; i < 10 && focusName() != QLatin1String("grdSecurity"); ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(focusName(), QLatin1String("grdSecurity"));
    CorvaneGrid& grid = modulePage().grid();
    ASSERT_TRUE(grid.setCurrentCell(1, 1));
    for (int r = 1; r < aging; ++r)
        press(Qt::Key_Down);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    int row = 0;
    int col = 0;
    grid.currentCell(row, col);
    ASSERT_EQ(row, aging);
    ASSERT_EQ(col, 3);
    press(Qt::Key_Space);
    EXPECT_EQ(on("AGING", 3), !was);

    prompter->expect(PromptAnswer::Ok);
    test::mnemonic(Qt::Key_A);
    EXPECT_EQ(lastPrompt().text, "Settings Saved for: \r\nMJONES");
    EXPECT_EQ(rights("O", "MJONES").at("AGING")[0], was ? '0' : '1');

    // Esc leaves: nothing is left unsaved, so nothing is asked.
    press(Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SecurityKeyboardTest, AHeaderClickThatChangesHundredsOfCellsRepaintsOnce)
{
    start();
    // A module of 130 report programs: its header gate controls 520 access cells.
    for (int i = 0; i < 130; ++i)
        ASSERT_EQ(host->server->answerString("|SET|SECP|RPT" + std::to_string(100 + i) + ":Report " + std::to_string(i)
                                                 + ":RPT:1:1:1:1:A",
                                             "JSMITH"),
                  "1")
            << i;
    ASSERT_TRUE(window->selectPage("G", "0", "mod"));
    showActive();
    const ModuleAccess& access = modulePage().access();
    int header = 0;
    for (int r = 1; r <= access.rowCount(); ++r) {
        if (access.isHeader(r) && access.row(r).module == access.row(rowOf("RPT100")).module)
            header = r;
    }
    ASSERT_NE(header, 0);
    const auto cellsOn = [&] {
        int count = 0;
        for (int r = 1; r <= access.rowCount(); ++r) {
            for (int c = 3; c <= 6; ++c)
                count += !access.isHeader(r) && access.access(r, c).on;
        }
        return count;
    };
    const int before = cellsOn();
    PaintCounter counter;
    QWidget* viewport = modulePage().grid().viewport();
    QApplication::processEvents();
    viewport->installEventFilter(&counter);
    ASSERT_TRUE(toggle(header, 3));
    QApplication::processEvents();
    viewport->removeEventFilter(&counter);
    EXPECT_GE(std::abs(cellsOn() - before), 500);
    EXPECT_EQ(counter.paints, 1);

    prompter->expect(PromptAnswer::No);
    window->reject();
    EXPECT_EQ(lastPrompt().text, "Save changes to Module Access for Security Group 0?");
}

TEST_F(SecurityKeyboardTest, TheWheelOverTheGridMovesOneRowAndLeavesTheTreeAlone)
{
    start();
    for (int i = 0; i < 60; ++i)
        host->server->answerString("|SET|SECP|RPT" + std::to_string(100 + i) + ":Report:RPT:1:1:1:1:A", "JSMITH");
    ASSERT_TRUE(window->selectPage("G", "0", "mod"));
    showActive();
    QWidget* viewport = modulePage().grid().viewport();
    QScrollBar* bar = modulePage().grid().verticalScrollBar();
    ASSERT_GT(bar->maximum(), 3);
    const int start = bar->value();
    const QPoint at = viewport->rect().center();
    QWheelEvent down(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &down);
    EXPECT_EQ(bar->value(), start + 1) << "one row, not the grid's own three";

    QWidget* treeViewport = window->tree()->viewport();
    const QPoint inTree = treeViewport->rect().center();
    QWheelEvent overTree(inTree, treeViewport->mapToGlobal(inTree), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(treeViewport, &overTree);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), start + 1) << "the grid stays where it is";
}

} // namespace
} // namespace corvane
