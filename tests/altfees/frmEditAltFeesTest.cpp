#include "frmEditAltFees.h"

#include "EditAltFeeDialog.h"
#include "HostFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::string sep(1, static_cast<char>(230));

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
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Procedure Code - View Alt Fees"));
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

TEST_F(AltFeesTest, TheCurrencyKeyFilterDropsKeysItRefuses)
{
    window.ShowCode("", true, "99213", "", "");
    window.show();
    QLineEdit* box = window.box(8);
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("1x2"));
    EXPECT_EQ(box->text(), QStringLiteral("12"));
}

TEST_F(AltFeesTest, AnInvalidAmountIsRefusedAndKeepsTheFocus)
{
    window.ShowCode("", true, "99213", "", "");
    window.show();
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
