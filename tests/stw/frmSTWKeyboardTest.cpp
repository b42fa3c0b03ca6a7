#include "KeyboardDriver.h"
#include "StwTestData.h"
#include "StwWindowFixture.h"
#include "grid/CorvaneGrid.h"
#include "grid/GridModel.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::mnemonic;
using test::press;
using test::stwData;
using test::stwRow;
using test::type;

/// The lookup and the calendar record where they were asked to start and where they would open.
class RecordingUtils final : public test::FakeUtils {
public:
    std::string pickStart;
    QRect pickAnchor;
    std::string picked = "03/04/2021";

    std::string PickDate(const std::string& current, QWidget* anchor, QWidget*) override
    {
        pickStart = current;
        if (anchor)
            pickAnchor = QRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
        return picked;
    }
};

class StwKeyboardTest : public test::StwWindowFixture {
protected:
    void SetUp() override
    {
        utils = recording;
        StwWindowFixture::SetUp();
        serverUtils->known["I10"] = "Essential hypertension";
        quillon->lineReplies["|GET|STW|1|"] = {"|OK||", stwData({stwRow(1, "ABC"), stwRow(2, "DEF")}), "|END|"};
    }

    /// Opens the window and waits until it has the keyboard.
    frmSTW& open()
    {
        StwWindowFixture::open();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }
    std::pair<int, int> current() const
    {
        int row = 0;
        int col = 0;
        window->grid().currentCell(row, col);
        return {row, col};
    }

    std::shared_ptr<RecordingUtils> recording = std::make_shared<RecordingUtils>();
};

TEST_F(StwKeyboardTest, TheWholeTaskByKeyboardPostsExactlyWhatWasTyped)
{
    frmSTW& w = open();
    EXPECT_EQ(QApplication::focusWidget(), &w.grid()) << "the grid has the focus when the window opens";

    // Arrows to the first code, type over it; Tab stores it and moves on.
    ASSERT_EQ(current(), std::make_pair(1, 1));
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    press(Qt::Key_Up);
    ASSERT_EQ(current(), std::make_pair(1, 2));
    type(QStringLiteral("XYZ"));
    press(Qt::Key_Tab);
    EXPECT_EQ(w.table().text(1, 2), "XYZ");
    press(Qt::Key_Escape); // Tab opened the date's editor; Esc leaves it unchanged
    ASSERT_EQ(current(), std::make_pair(1, 3));

    // Tab to the diagnosis, type part of a code, F4: the lookup starts from what was typed.
    press(Qt::Key_Tab);
    ASSERT_EQ(current(), std::make_pair(1, 4));
    type(QStringLiteral("i1"));
    lookups->result = "I10 -Essential hypertension";
    press(Qt::Key_F4);
    EXPECT_EQ(lookups->lastCall.searchText, "i1");
    EXPECT_EQ(w.table().text(1, 4), "I10");
    EXPECT_EQ(w.table().text(1, 5), "Essential hypertension");

    // Enter on a cell moves on to the next one.
    press(Qt::Key_Return);
    EXPECT_EQ(current(), std::make_pair(1, 5));

    // New Row by its mnemonic, a code, Enter.
    mnemonic(Qt::Key_N);
    ASSERT_EQ(current(), std::make_pair(3, 2));
    type(QStringLiteral("NEW"));
    press(Qt::Key_Return);
    EXPECT_EQ(w.table().text(3, 2), "NEW");
    EXPECT_EQ(current(), std::make_pair(3, 3));

    // Ctrl+Tab leaves the grid; Tab reaches Post; Enter presses it.
    press(Qt::Key_Tab, Qt::ControlModifier);
    for (int i = 0; i < 6 && QApplication::focusWidget()->objectName() != QStringLiteral("cmdOK"); ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOK"));
    press(Qt::Key_Return);

    const std::string expected = std::string("|SET|STW|1|")
        + "1\tXYZ\t01/02/2020\tI10\tEssential hypertension\t12.5\tOffice\xE6"
        + "2\tDEF\t01/02/2020\tE11.9\tDiabetes\t12.5\tOffice\xE6" + "3\tNEW\t\t\t\t\t\xE6";
    std::vector<std::string> posts;
    for (const auto& request : quillon->requests) {
        if (request.rfind("|SET|STW|", 0) == 0)
            posts.push_back(request);
    }
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0], expected);
    EXPECT_FALSE(w.hasUnsavedChanges());

    // Esc leaves without a question once everything is posted.
    press(Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(StwKeyboardTest, F4OnADateStartsTheCalendarFromTheTypedTextNextToTheCell)
{
    frmSTW& w = open();
    w.grid().setCurrentCell(2, 3);
    type(QStringLiteral("1/2/20"));
    press(Qt::Key_F4);
    EXPECT_EQ(recording->pickStart, "01/02/2020") << "the typed date, not the stored one";
    const QRect cell = w.grid().visualRect(w.grid().model().index(1, 2));
    EXPECT_EQ(recording->pickAnchor.topLeft(), w.grid().viewport()->mapToGlobal(cell.topLeft()));
    EXPECT_LT(recording->pickAnchor.width(), w.grid().width() / 2) << "the cell, not the whole grid";
    EXPECT_EQ(w.table().text(2, 3), "03/04/2021");
    EXPECT_FALSE(w.grid().isEditing());
}

TEST_F(StwKeyboardTest, ACancelledLookupLeavesTheTypedTextInTheEditor)
{
    frmSTW& w = open();
    w.grid().setCurrentCell(1, 4);
    type(QStringLiteral("sb"));
    lookups->result = "CANCEL";
    press(Qt::Key_F4);
    EXPECT_EQ(lookups->lastCall.searchText, "sb");
    ASSERT_TRUE(w.grid().isEditing());
    EXPECT_EQ(w.grid().activeEditorText(), QStringLiteral("sb"));
    EXPECT_EQ(w.table().text(1, 4), "E11.9");
    press(Qt::Key_Escape);
}

} // namespace
} // namespace corvane
