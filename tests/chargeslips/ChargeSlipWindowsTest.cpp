#include "ChargeSet.h"
#include "ChargeSlipSetDialog.h"
#include "HostFixture.h"
#include "frmChargeSetGroups.h"
#include "frmChargeSetItems.h"
#include "grid/CorvaneGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::string sep(1, static_cast<char>(230));

class ChargeSlipWindowsTest : public test::HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        set.parse("Diabetes\tD\t\t" + sep + "\t\tE11.9\tType 2" + sep + "Visits\tP\t\t" + sep + "\t\t99213\tOffice"
                  + sep + "Labs\tP\t\t");
    }
    static QPushButton* button(QWidget& window, const char* name)
    {
        return window.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static QListWidget* list(QWidget& window) { return window.findChild<QListWidget*>(QStringLiteral("lstGroups")); }

    ChargeSet set;
};

TEST_F(ChargeSlipWindowsTest, UpAndDownSwapNumbersAndKeepTheMovedGroupSelected)
{
    frmChargeSetGroups window(set, false);
    list(window)->setCurrentRow(2);
    EXPECT_FALSE(button(window, "cmdDn")->isEnabled());
    button(window, "cmdUp")->click();
    EXPECT_EQ(set.group(2)->GroupName, "Labs");
    EXPECT_EQ(set.group(2)->GroupNumber(), "2");
    EXPECT_EQ(set.group(3)->GroupNumber(), "3");
    EXPECT_EQ(window.selectedGroup(), 2);
    EXPECT_EQ(list(window)->item(1)->text(), QStringLiteral("Labs"));
    button(window, "cmdUp")->click();
    EXPECT_EQ(window.selectedGroup(), 1);
    EXPECT_FALSE(button(window, "cmdUp")->isEnabled());
    button(window, "cmdDn")->click();
    EXPECT_EQ(set.group(1)->GroupName, "Diabetes");
}

TEST_F(ChargeSlipWindowsTest, DeletingTheLastGroupSelectsTheNewLastOne)
{
    frmChargeSetGroups window(set, false);
    list(window)->setCurrentRow(2);
    button(window, "cmdDelete")->click();
    EXPECT_EQ(set.count(), 2);
    EXPECT_EQ(window.selectedGroup(), 2);
    list(window)->setCurrentRow(0);
    button(window, "cmdDelete")->click();
    EXPECT_EQ(window.selectedGroup(), 1) << "the same position stays selected";
    EXPECT_EQ(set.group(1)->GroupName, "Visits");
    EXPECT_EQ(set.group(1)->GroupNumber(), "1");
}

TEST_F(ChargeSlipWindowsTest, ReadOnlyDisablesEveryEditingButton)
{
    frmChargeSetGroups window(set, true);
    list(window)->setCurrentRow(1);
    EXPECT_EQ(button(window, "cmdEdit")->text(), QStringLiteral("&View"));
    EXPECT_TRUE(button(window, "cmdEdit")->isEnabled());
    for (const char* name : {"cmdNew", "cmdDelete", "cmdUp", "cmdDn"})
        EXPECT_FALSE(button(window, name)->isEnabled()) << name;

    frmChargeSetItems items(set, true, 1);
    for (const char* name : {"cmdInsert", "cmdDelRow", "cmdUp", "cmdDn"})
        EXPECT_FALSE(button(items, name)->isEnabled()) << name;
    EXPECT_TRUE(items.findChild<QLineEdit*>(QStringLiteral("txtName"))->isReadOnly());
    EXPECT_FALSE(items.grid().setValue(1, 1, QStringLiteral("X")));
}

TEST_F(ChargeSlipWindowsTest, OkAndCancelDecideCancelled)
{
    frmChargeSetGroups cancelled(set, false);
    cancelled.show();
    button(cancelled, "cmdCancel")->click();
    EXPECT_TRUE(cancelled.cancelled());
    frmChargeSetGroups confirmed(set, false);
    confirmed.show();
    button(confirmed, "cmdOK")->click();
    EXPECT_FALSE(confirmed.cancelled());
    frmChargeSetGroups closed(set, false);
    closed.show();
    closed.close();
    EXPECT_TRUE(closed.cancelled());
}

TEST_F(ChargeSlipWindowsTest, BlankCodeRowsAreDroppedAndTheRestNumberedFromOne)
{
    frmChargeSetItems items(set, false, 1);
    items.show();
    lookups->result = "E78.5 -Hyperlipidemia";
    button(items, "cmdInsert")->click();
    button(items, "cmdInsert")->click();
    ASSERT_EQ(items.rowCount(), 3);
    ASSERT_TRUE(items.grid().setValue(3, 1, QStringLiteral("e78")));
    EXPECT_EQ(lookups->lastCall.searchText, "e78");
    EXPECT_EQ(lookups->lastSetup.request, "DG") << "a diagnosis group looks up diagnoses";
    EXPECT_EQ(items.row(2).first, "E78.5");
    EXPECT_EQ(items.row(2).second, "Hyperlipidemia");
    EXPECT_EQ(items.row(1).first, "") << "row 2 stays blank";
    button(items, "cmdOK")->click();
    const ChargeSetGroup& group = *set.group(1);
    ASSERT_EQ(group.Count(), 2) << "the blank row is not saved";
    EXPECT_EQ(group.Item(1)->ItemCode, "E11.9");
    EXPECT_EQ(group.Item(2)->ItemCode, "E78.5");
    EXPECT_EQ(group.Item(2)->ItemNumber, 2) << "numbered in grid order without the blank row";
}

TEST_F(ChargeSlipWindowsTest, ACancelledLookupClearsTheRow)
{
    frmChargeSetItems items(set, false, 2);
    lookups->result = "cancel";
    ASSERT_TRUE(items.grid().setValue(1, 1, QStringLiteral("992")));
    EXPECT_EQ(items.row(0).first, "");
    EXPECT_EQ(items.row(0).second, "");
    EXPECT_EQ(lookups->lastSetup.request, "PC");
}

TEST_F(ChargeSlipWindowsTest, ANewGroupNeedsANameAndATypeAndTakesTheNextNumber)
{
    frmChargeSetItems items(set, false, 0);
    items.show();
    prompter->expect(PromptAnswer::Ok);
    button(items, "cmdOK")->click();
    EXPECT_EQ(prompter->prompts.back().text, "Please enter group name!");
    items.findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(QStringLiteral("  Injections "));
    prompter->expect(PromptAnswer::Ok);
    button(items, "cmdOK")->click();
    EXPECT_EQ(prompter->prompts.back().text, "Please select a group type.");
    button(items, "cmdInsert")->click();
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(items.grid().setValue(1, 1, QStringLiteral("J1100")));
    EXPECT_EQ(prompter->prompts.back().text, "Please select a group type.");
    items.findChild<QRadioButton*>(QStringLiteral("optType1"))->setChecked(true);
    button(items, "cmdOK")->click();
    ASSERT_EQ(set.count(), 4);
    EXPECT_EQ(set.group(4)->GroupName, "Injections");
    EXPECT_EQ(set.group(4)->GroupType, "P");
    EXPECT_EQ(set.group(4)->GroupNumber(), "4");
    EXPECT_FALSE(items.isVisible());
}

TEST_F(ChargeSlipWindowsTest, DeleteRowSaysWhatIsMissing)
{
    frmChargeSetItems empty(set, false, 3);
    prompter->expect(PromptAnswer::Ok);
    button(empty, "cmdDelRow")->click();
    EXPECT_EQ(prompter->prompts.back().text, "You have no rows to delete.");
    frmChargeSetItems one(set, false, 1);
    one.grid().setCurrentIndex({});
    prompter->expect(PromptAnswer::Ok);
    button(one, "cmdDelRow")->click();
    EXPECT_EQ(prompter->prompts.back().text, "Please select a row to delete.");
    one.grid().setCurrentCell(1, 1);
    button(one, "cmdDelRow")->click();
    EXPECT_EQ(one.rowCount(), 0);
}

TEST_F(ChargeSlipWindowsTest, TheDialogHandsTheEditedSetBack)
{
    ChargeSlipSetDialog dialog;
    std::string data = "Visits\tP\t\t" + sep + "\t\t99213\tOffice";
    dialog.ShowDialog(data);
    frmChargeSetGroups* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* groups = qobject_cast<frmChargeSetGroups*>(w); groups && groups->isVisible())
            window = groups;
    }
    ASSERT_NE(window, nullptr);
    button(*window, "cmdDelete")->click();
    button(*window, "cmdOK")->click();
    QApplication::processEvents();
    EXPECT_FALSE(dialog.Cancelled());
    EXPECT_EQ(dialog.GetData(), "");
    dialog.ShowDialog(data);
    EXPECT_EQ(dialog.GetData(), data) << "a second show starts from the string it is given";
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmChargeSetGroups*>(w) && w->isVisible())
            w->close();
    }
    QApplication::processEvents();
    EXPECT_TRUE(dialog.Cancelled());
}

} // namespace
} // namespace corvane
