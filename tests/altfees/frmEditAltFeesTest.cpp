#include "frmEditAltFees.h"

#include "EditAltFeeDialog.h"
#include "HostFixture.h"
#include "KeyboardDriver.h"
#include "ModalDriver.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::string sep(1, static_cast<char>(230));

using test::focusName;
using test::mnemonic;
using test::press;
using test::type;

class AltFeesTest : public test::HostFixture {
protected:
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(QString::fromLatin1(name)); }
    QString text(const char* name) { return window.findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    /// Shows the window as the active one, so that focus moves can be watched.
    void showActive()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    frmEditAltFees window;
};

TEST_F(AltFeesTest, EditModeShowsDollarsAndReturnsExactCents)
{
    window.ShowCode("12\t1250" + sep + "150\t99" + sep, true, "99213", "Office visit", "12500");
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Procedure Code - Edit Alt Fees"));
    EXPECT_EQ(text("lblCodeD"), QStringLiteral("99213     Office visit"));
    EXPECT_EQ(text("lblStFeeD"), QStringLiteral("$ 125.00"));
    EXPECT_EQ(button("cmdYes")->text(), QStringLiteral("O&K"));
    EXPECT_EQ(button("cmdCancel")->text(), QStringLiteral("Canc&el"));
    EXPECT_EQ(window.box(12)->text(), QStringLiteral("12.50"));
    EXPECT_EQ(window.box(150)->text(), QStringLiteral("0.99"));
    window.box(30)->setText(QStringLiteral("$1,234.50"));
    window.box(150)->clear();
    button("cmdYes")->click();
    EXPECT_FALSE(window.cancelled());
    EXPECT_EQ(window.data(), "12\t1250" + sep + "30\t123450" + sep);
}

TEST_F(AltFeesTest, ViewModeLabelsKeepAPointOrGainPointZeroZero)
{
    window.ShowCode("12\t1250" + sep + "7\t1200" + sep, false, "", "", "");
    window.show();
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("Procedure Code - View Alt Fees") + QString(24, QLatin1Char(' '))
                  + QStringLiteral("READ ONLY"));
    EXPECT_EQ(window.label(12)->text(), QStringLiteral("12.5"));
    EXPECT_EQ(window.label(7)->text(), QStringLiteral("12.00"));
    EXPECT_EQ(text("lblCodeD"), QStringLiteral("NONE"));
    EXPECT_EQ(text("lblStFeeD"), QStringLiteral("NONE"));
    EXPECT_FALSE(button("cmdYes")->isVisible());
    EXPECT_EQ(button("cmdCancel")->text(), QStringLiteral("O&K"));
    button("cmdCancel")->click();
    EXPECT_TRUE(window.cancelled());
    EXPECT_EQ(window.data(), "");
}

TEST_F(AltFeesTest, EnterFillsAnEmptyBoxWithTheStandardFeeAndMovesOn)
{
    window.ShowCode("", true, "99213", "Office visit", "7500");
    showActive();
    QLineEdit* five = window.box(5);
    five->setFocus();
    QTest::keyClick(five, Qt::Key_Return);
    EXPECT_EQ(five->text(), QStringLiteral("75.00"));
    EXPECT_EQ(QApplication::focusWidget(), window.box(6));
    window.box(24)->setFocus();
    QTest::keyClick(window.box(24), Qt::Key_Enter);
    EXPECT_EQ(window.currentPage(), 1) << "the next box is on the next page";
    EXPECT_EQ(QApplication::focusWidget(), window.box(25));
}

TEST_F(AltFeesTest, WithoutAStandardFeeEnterLeavesTheBoxEmpty)
{
    window.ShowCode("", true, "99213", "", "");
    window.show();
    QLineEdit* five = window.box(5);
    five->setFocus();
    QTest::keyClick(five, Qt::Key_Return);
    EXPECT_EQ(five->text(), QString());
    button("cmdYes")->click();
    EXPECT_EQ(window.data(), "") << "all boxes empty";
    EXPECT_FALSE(window.cancelled());
}

TEST_F(AltFeesTest, TheCurrencyKeyFilterRefusesALetterAloudAndLetsEditingShortcutsThrough)
{
    window.ShowCode("", true, "99213", "", "");
    showActive();
    QLineEdit* box = window.box(8);
    box->setFocus();
    prompter->expect(PromptAnswer::Ok);
    QTest::keyClicks(box, QStringLiteral("1x2"));
    EXPECT_EQ(box->text(), QStringLiteral("12"));
    ASSERT_EQ(prompter->prompts.size(), 1u);
    EXPECT_EQ(prompter->prompts[0].text,
              "\"x\" cannot be typed in a fee. Please enter dollars and cents, for example 1,250.00.");

    QApplication::clipboard()->setText(QStringLiteral("1,250.00"));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("1,250.00")) << "Ctrl+A and Ctrl+V reach the box";
}

TEST_F(AltFeesTest, AFilterThatReplacesAKeyHandsTheBoxTheReplacement)
{
    class CommaToPoint final : public test::FakeUtils {
    public:
        void FilterCurrencyKey(QWidget*, int& keyCode) override
        {
            if (keyCode == Qt::Key_Comma)
                keyCode = Qt::Key_Period;
        }
    };
    SharedState::instance().utils = std::make_shared<CommaToPoint>();
    window.ShowCode("", true, "99213", "", "");
    showActive();
    window.box(9)->setFocus();
    type(QStringLiteral("12,5"));
    EXPECT_EQ(window.box(9)->text(), QStringLiteral("12.5"));
}

TEST_F(AltFeesTest, MisreadableAmountsAreRefusedNamedAndKeepTheFocus)
{
    struct Case {
        const char* typed;
        const char* message;
    };
    const char* invalid = "The alternate fee for price set 6 is not a valid amount.\r\nPlease enter dollars and "
                          "cents, for example 1,250.00.";
    const Case cases[]
        = {{"1,23", invalid}, {"12 50", invalid}, {"-5", "The alternate fee for price set 6 cannot be negative."}};
    window.ShowCode("", true, "99213", "", "");
    showActive();
    for (const Case& c : cases) {
        QLineEdit* box = window.box(6);
        box->clear();
        box->setFocus();
        QApplication::clipboard()->setText(QString::fromLatin1(c.typed));
        press(Qt::Key_V, Qt::ControlModifier);
        prompter->expect(PromptAnswer::Ok);
        press(Qt::Key_Return);
        EXPECT_EQ(prompter->prompts.back().text, c.message) << c.typed;
        EXPECT_EQ(QApplication::focusWidget(), box) << c.typed;
        EXPECT_EQ(box->text(), QString::fromLatin1(c.typed)) << "kept for the operator to correct";
        prompter->expect(PromptAnswer::Ok);
        mnemonic(Qt::Key_K);
        EXPECT_TRUE(window.isVisible()) << c.typed;
        EXPECT_TRUE(window.cancelled());
    }
    window.close();
}

TEST_F(AltFeesTest, ABoxIsReformattedWhenLeft)
{
    window.ShowCode("", true, "99213", "", "");
    showActive();
    window.box(5)->setFocus();
    type(QStringLiteral("1000"));
    press(Qt::Key_Tab);
    EXPECT_EQ(window.box(5)->text(), QStringLiteral("1,000.00"));
    EXPECT_EQ(focusName(), QStringLiteral("mskCurrency_6"));
    window.close();
}

TEST_F(AltFeesTest, HostAmountsThatAreNotWholeCentsAreLoggedAndNegativesDoNotBlockOk)
{
    window.ShowCode("5\t-500" + sep + "6\t1250.5" + sep, true, "99213", "", "");
    showActive();
    EXPECT_EQ(window.box(5)->text(), QStringLiteral("-5.00"));
    EXPECT_EQ(window.box(6)->text(), QString());
    EXPECT_TRUE(logged("ERR in frmEditAltFees.ShowCode   price set 6: \"1250.5\" is not a whole number of cents; it is "
                       "not shown and goes back unchanged unless a fee is typed"));
    window.box(7)->setText(QStringLiteral("7"));
    button("cmdYes")->click();
    EXPECT_FALSE(window.cancelled());
    EXPECT_EQ(window.data(), "5\t-500" + sep + "6\t1250.5" + sep + "7\t700" + sep);
}

TEST_F(AltFeesTest, ButtonsDoWhatTheySayFromTheKeyboard)
{
    window.ShowCode("12\t1250" + sep, true, "99213", "", "7500");
    showActive();
    button("cmdCancel")->setFocus();
    press(Qt::Key_Return);
    EXPECT_FALSE(window.isVisible()) << "Enter on a focused Cancel cancels";
    EXPECT_TRUE(window.cancelled());

    window.ShowCode("12\t1250" + sep, true, "99213", "", "7500");
    showActive();
    window.box(12)->setFocus();
    press(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible()) << "Esc cancels";
    EXPECT_TRUE(window.cancelled());

    window.ShowCode("12\t1250" + sep, false, "99213", "", "7500");
    showActive();
    EXPECT_TRUE(button("cmdCancel")->isDefault()) << "O&K closes the view";
    press(Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.data(), "");
}

TEST_F(AltFeesTest, ReleasingTheWindowWithAnEditedBoxInFocusChecksNothingMore)
{
    auto* released = new frmEditAltFees;
    released->ShowCode("", true, "99213", "", "");
    released->show();
    QApplication::setActiveWindow(released);
    ASSERT_TRUE(QTest::qWaitForWindowActive(released));
    released->box(9)->setFocus();
    type(QStringLiteral("1,23"));
    delete released;
    EXPECT_TRUE(prompter->prompts.empty()) << "the box losing the focus as the window goes is not checked";
}

TEST_F(AltFeesTest, KeyboardOnlyEditFromOpeningToTheReturnedString)
{
    EditAltFeeDialog dialog;
    test::runModal(
        [&] { dialog.ShowDialog("", "12\t1250" + sep + "2\t300" + sep, 1, "99213", "Office visit", "7500"); },
        [](QWidget* shown) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(shown));
            EXPECT_EQ(focusName(), QStringLiteral("mskCurrency_5"));
            type(QStringLiteral("110"));
            press(Qt::Key_Return);
            EXPECT_EQ(focusName(), QStringLiteral("mskCurrency_6"));
            press(Qt::Key_Enter);
            EXPECT_EQ(focusName(), QStringLiteral("mskCurrency_7")) << "Enter filled in the standard fee and moved on";
            press(Qt::Key_PageDown, Qt::ControlModifier);
            press(Qt::Key_PageDown, Qt::ControlModifier);
            EXPECT_EQ(focusName(), QStringLiteral("mskCurrency_45")) << "paging twice from a box";
            press(Qt::Key_Tab);
            type(QStringLiteral("1234.5"));
            press(Qt::Key_PageUp, Qt::ControlModifier);
            EXPECT_EQ(focusName(), QStringLiteral("mskCurrency_25"));
            shown->findChild<QPushButton*>(QStringLiteral("pageMove_2"))->setFocus();
            press(Qt::Key_PageDown, Qt::ControlModifier);
            EXPECT_EQ(focusName(), QStringLiteral("mskCurrency_45")) << "paging from a page button";
            mnemonic(Qt::Key_K);
        });
    EXPECT_FALSE(dialog.Cancelled());
    EXPECT_EQ(dialog.GetData(),
              "5\t11000" + sep + "6\t7500" + sep + "12\t1250" + sep + "46\t123450" + sep + "2\t300" + sep);
}

TEST_F(AltFeesTest, AnInvalidAmountIsRefusedAndKeepsTheFocus)
{
    window.ShowCode("", true, "99213", "", "");
    showActive();
    window.box(140)->setText(QStringLiteral("12.345"));
    prompter->expect(PromptAnswer::Ok);
    button("cmdYes")->click();
    EXPECT_NE(prompter->prompts.back().text.find("price set 140"), std::string::npos);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.cancelled());
    EXPECT_EQ(window.currentPage(), 7);
    EXPECT_EQ(QApplication::focusWidget(), window.box(140));
    window.box(140)->setText(QStringLiteral("12.34"));
    button("cmdYes")->click();
    EXPECT_EQ(window.data(), "140\t1234" + sep);
}

TEST_F(AltFeesTest, TheDialogReadsThePriceSetSettingAndReturnsNothingWhenCancelled)
{
    quillon->stringReplies["|GET|SYS|100PRICESET|"] = "100PRICESET=Y,";
    EditAltFeeDialog dialog;
    EXPECT_EQ(quillon->requests.front(), "|GET|SYS|100PRICESET|");
    dialog.ShowDialog("", "12\t1250" + sep, 1, "99213", "Office visit", "7500");
    QWidget* shown = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmEditAltFees*>(w) && w->isVisible())
            shown = w;
    }
    ASSERT_NE(shown, nullptr);
    shown->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    EXPECT_TRUE(dialog.Cancelled());
    EXPECT_EQ(dialog.GetData(), "");
    dialog.ShowDialog("", "12\t1250" + sep, 1, "99213");
    shown->findChild<QPushButton*>(QStringLiteral("cmdYes"))->click();
    EXPECT_FALSE(dialog.Cancelled());
    EXPECT_EQ(dialog.GetData(), "12\t1250" + sep) << "a second show works on the same window";
}

} // namespace
} // namespace corvane
