#include "ChargeSet.h"
#include "ChargeSlipSetDialog.h"
#include "HostFixture.h"
#include "KeyboardDriver.h"
#include "ModalDriver.h"
#include "frmChargeSetGroups.h"
#include "frmChargeSetItems.h"
#include "grid/CorvaneGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::string sep(1, static_cast<char>(230));

using test::focusName;
using test::mnemonic;
using test::press;
using test::type;
using test::whenModal;

QPushButton* button(QWidget& window, const char* name)
{
    return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

QListWidget* list(QWidget& window)
{
    return window.findChild<QListWidget*>(QStringLiteral("lstGroups"));
}

class ChargeSlipWindowsTest : public test::HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        set.parse("Diabetes\tD\t\t" + sep + "\t\tE11.9\tType 2" + sep + "Visits\tP\t\t" + sep + "\t\t99213\tOffice"
                  + sep + "Labs\tP\t\t");
    }

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
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Charge Slip Groups                        READ ONLY"));
    list(window)->setCurrentRow(1);
    EXPECT_EQ(button(window, "cmdEdit")->text(), QStringLiteral("&View"));
    EXPECT_TRUE(button(window, "cmdEdit")->isEnabled());
    for (const char* name : {"cmdNew", "cmdDelete", "cmdUp", "cmdDn"})
        EXPECT_FALSE(button(window, name)->isEnabled()) << name;

    frmChargeSetItems items(set, true, 1);
    EXPECT_EQ(items.windowTitle(), QStringLiteral("Charge Group Details                        READ ONLY"));
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
    test::runModal([&] { dialog.ShowDialog(data); },
                   [](QWidget* window) {
                       button(*window, "cmdDelete")->click();
                       button(*window, "cmdOK")->click();
                   });
    EXPECT_FALSE(dialog.Cancelled());
    EXPECT_EQ(dialog.GetData(), "");
    test::runModal([&] { dialog.ShowDialog(data); }, [](QWidget* window) { window->close(); });
    EXPECT_EQ(dialog.GetData(), data) << "a second show starts from the string it is given";
    EXPECT_TRUE(dialog.Cancelled());
}

TEST_F(ChargeSlipWindowsTest, TheLookedUpDescriptionIsTheSecondTabFieldAndLoadedCodesKeepTheirBlanks)
{
    set.parse(std::string("Padded\tP\t\t") + sep + "\t\t C1 \tFirst" + sep + "\t\tC2\tSecond");
    frmChargeSetItems items(set, false, 4);
    lookups->result = "99214\tOffice visit, moderate\t2.5 RVU";
    ASSERT_TRUE(items.grid().setValue(2, 1, QStringLiteral("99214")));
    EXPECT_EQ(items.row(1).first, "99214");
    EXPECT_EQ(items.row(1).second, "Office visit, moderate") << "the third field does not leak into the set";
    ASSERT_TRUE(items.grid().setValue(1, 1, QStringLiteral(" C1 "))) << "an unchanged code is not looked up again";
    items.show();
    button(items, "cmdOK")->click();
    EXPECT_EQ(set.serialise().substr(set.serialise().find("Padded")),
              "Padded\tP\t\t" + sep + "\t\t C1 \tFirst" + sep + "\t\t99214\tOffice visit, moderate");
}

TEST_F(ChargeSlipWindowsTest, SeparatorsInAGroupNameOrACodeAreRefusedAndNothingChanges)
{
    const std::string before = set.serialise();
    frmChargeSetItems items(set, false, 1);
    items.show();
    QLineEdit* name = items.findChild<QLineEdit*>(QStringLiteral("txtName"));
    for (const QString& typed : {QStringLiteral("Diabetes\tcare"), QStringLiteral("Diabetes \u00E6 care")}) {
        name->setText(typed);
        prompter->expect(PromptAnswer::Ok);
        button(items, "cmdOK")->click();
        EXPECT_NE(prompter->prompts.back().text.find("The group name may not hold"), std::string::npos)
            << prompter->prompts.back().text;
        EXPECT_TRUE(items.isVisible());
        EXPECT_EQ(set.serialise(), before);
    }
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(items.grid().setValue(1, 1, QStringLiteral("E11\t9")));
    EXPECT_NE(prompter->prompts.back().text.find("The code may not hold a TAB"), std::string::npos);
    EXPECT_TRUE(lookups->calls.empty()) << "nothing was looked up";
    EXPECT_EQ(items.row(0).first, "E11.9");
    items.close();
}

TEST_F(ChargeSlipWindowsTest, ButtonsAndEnterDoWhatTheySayInTheGroupWindow)
{
    ChargeSlipSetDialog dialog;
    std::string data = set.serialise();
    test::runModal([&] { dialog.ShowDialog(data); },
                   [](QWidget* window) {
                       ASSERT_TRUE(QTest::qWaitForWindowActive(window));
                       list(*window)->setFocus();
                       list(*window)->setCurrentRow(2);
                       bool opened = false;
                       whenModal(QStringLiteral("frmChargeSetItems"), [&opened](QWidget* editor) {
                           opened = true;
                           EXPECT_EQ(editor->findChild<QLineEdit*>(QStringLiteral("txtName"))->text(),
                                     QStringLiteral("Labs"));
                           press(Qt::Key_Escape);
                       });
                       press(Qt::Key_Return);
                       EXPECT_TRUE(opened) << "Enter on a group opens it";
                       EXPECT_TRUE(window->isVisible()) << "and does not close the dialog";
                       test::reactivate(window);
                       EXPECT_EQ(focusName(), QStringLiteral("lstGroups"));

                       window->findChild<QWidget*>(QStringLiteral("grdDetails"))->setFocus();
                       press(Qt::Key_Tab);
                       EXPECT_NE(focusName(), QStringLiteral("grdDetails")) << "Tab leaves the details grid";
                       button(*window, "cmdDelete")->setFocus();
                       press(Qt::Key_Return);
                       EXPECT_TRUE(window->isVisible()) << "Enter on Delete deletes";
                       EXPECT_EQ(list(*window)->count(), 2);
                       button(*window, "cmdCancel")->setFocus();
                       press(Qt::Key_Return);
                   });
    EXPECT_TRUE(dialog.Cancelled()) << "Enter on Cancel cancels";

    test::runModal([&] { dialog.ShowDialog(data); },
                   [](QWidget* window) {
                       ASSERT_TRUE(QTest::qWaitForWindowActive(window));
                       list(*window)->setFocus();
                       press(Qt::Key_Escape);
                   });
    EXPECT_TRUE(dialog.Cancelled()) << "Esc cancels";
}

TEST_F(ChargeSlipWindowsTest, ButtonsEnterAndTabDoWhatTheySayInTheGroupEditor)
{
    frmChargeSetItems items(set, false, 2);
    items.show();
    QApplication::setActiveWindow(&items);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&items));
    items.grid().setCurrentCell(1, 1);
    items.grid().takeFocus();
    press(Qt::Key_Return);
    EXPECT_TRUE(items.isVisible()) << "Enter in the grid never closes the editor";
    press(Qt::Key_Tab);
    EXPECT_EQ(focusName(), QStringLiteral("cmdInsert")) << "Tab leaves the grid";
    items.grid().takeFocus();
    mnemonic(Qt::Key_I);
    ASSERT_EQ(items.rowCount(), 2);
    EXPECT_EQ(items.row(0).first, "99213") << "Insert Row adds after the current row";
    EXPECT_EQ(items.row(1).first, "");
    lookups->result = "99214\tOffice visit, moderate";
    items.grid().takeFocus();
    type(QStringLiteral("99214"));
    ASSERT_TRUE(items.grid().isEditing());
    press(Qt::Key_Tab);
    EXPECT_FALSE(items.grid().isEditing());
    EXPECT_EQ(items.row(1).first, "99214") << "Tab stored the code";
    EXPECT_EQ(focusName(), QStringLiteral("cmdInsert"));

    button(items, "cmdCancel")->setFocus();
    press(Qt::Key_Return);
    EXPECT_FALSE(items.isVisible());
    EXPECT_EQ(set.group(2)->Count(), 1) << "Enter on Cancel does not apply the edit";
}

TEST_F(ChargeSlipWindowsTest, KeyboardOnlyANewGroupFromOpeningToTheReturnedString)
{
    ChargeSlipSetDialog dialog;
    std::string data = "Visits\tP\t\t" + sep + "\t\t99213\tOffice";
    test::runModal([&] { dialog.ShowDialog(data); },
                   [this](QWidget* window) {
                       ASSERT_TRUE(QTest::qWaitForWindowActive(window));
                       whenModal(QStringLiteral("frmChargeSetItems"), [this](QWidget* editor) {
                           EXPECT_EQ(focusName(), QStringLiteral("txtName"));
                           type(QStringLiteral("Cardiology"));
                           press(Qt::Key_Tab);
                           press(Qt::Key_Right);
                           press(Qt::Key_Space);
                           EXPECT_TRUE(editor->findChild<QRadioButton*>(QStringLiteral("optType1"))->isChecked());
                           press(Qt::Key_Tab);
                           EXPECT_EQ(focusName(), QStringLiteral("grdItems"));
                           mnemonic(Qt::Key_I);
                           lookups->result = "93000\tElectrocardiogram, complete\tECG";
                           type(QStringLiteral("930"));
                           press(Qt::Key_Return);
                           EXPECT_EQ(lookups->lastCall.searchText, "930");
                           EXPECT_EQ(lookups->lastSetup.request, "PC");
                           EXPECT_EQ(focusName(), QStringLiteral("grdItems")) << "the focus is back in the grid";
                           mnemonic(Qt::Key_I);
                           lookups->result = "93005\tElectrocardiogram, tracing";
                           type(QStringLiteral("93005"));
                           press(Qt::Key_Return);
                           EXPECT_EQ(focusName(), QStringLiteral("grdItems"));
                           type(QStringLiteral("Q"));
                           EXPECT_EQ(editor->findChild<QLineEdit*>(QStringLiteral("txtName"))->text(),
                                     QStringLiteral("Cardiology"))
                               << "typing goes on in the grid, not into the group name";
                           press(Qt::Key_Escape);
                           mnemonic(Qt::Key_O);
                       });
                       mnemonic(Qt::Key_N);
                       EXPECT_EQ(list(*window)->count(), 2);
                       test::reactivate(window);
                       mnemonic(Qt::Key_O);
                   });
    EXPECT_FALSE(dialog.Cancelled());
    EXPECT_EQ(dialog.GetData(),
              data + sep + "Cardiology\tP\t\t" + sep + "\t\t93000\tElectrocardiogram, complete" + sep
                  + "\t\t93005\tElectrocardiogram, tracing");
}

} // namespace
} // namespace corvane
