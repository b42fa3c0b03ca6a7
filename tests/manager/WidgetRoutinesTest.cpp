#include "WidgetRoutines.h"

#include "HostFixture.h"
#include "WheelHook.h"

#include <QApplication>
#include <QLineEdit>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace corvane {
namespace {

class WidgetRoutinesTest : public test::HostFixture { };

TEST_F(WidgetRoutinesTest, DateIsValidPassesAnEmptyMaskRewritesTheControlAndKeepsRefusedText)
{
    QLineEdit masked;
    masked.setInputMask(QStringLiteral("99/99/9999"));
    EXPECT_TRUE(DateIsValid(&masked, false, false));
    EXPECT_TRUE(prompter->prompts.empty());

    QLineEdit edit;
    edit.setText(QStringLiteral("1/2/30"));
    EXPECT_TRUE(DateIsValid(&edit, false, false));
    EXPECT_EQ(edit.text(), QStringLiteral("01/02/1930"));

    edit.setText(QStringLiteral("2/30/2020"));
    prompter->expect(PromptAnswer::Ok);
    EXPECT_FALSE(DateIsValid(&edit, false, false));
    EXPECT_EQ(edit.text(), QStringLiteral("2/30/2020")) << "the operator's text stays for correction";
}

class WheelHookTest : public test::HostFixture {
protected:
    void TearDown() override
    {
        WheelHook::remove(WheelHook::hookedWindow());
        HostFixture::TearDown();
    }
    static void turnWheel(QWidget& target, int delta)
    {
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        static quint64 clock = 1000;
        wheel.setTimestamp(++clock);
        QApplication::sendEvent(&target, &wheel);
    }
};

TEST_F(WheelHookTest, OneWindowIsHookedAndWheelTurnsScrollOneRow)
{
    QWidget window;
    QWidget other;
    std::vector<bool> scrolls;
    WheelHook::install(&window, [&](bool up) { scrolls.push_back(up); });
    WheelHook::install(&other, [&](bool) { ADD_FAILURE() << "a second window was hooked"; });
    EXPECT_EQ(WheelHook::hookedWindow(), &window);
    turnWheel(window, 120);
    turnWheel(window, -120);
    EXPECT_EQ(scrolls, (std::vector<bool> {true, false}));

    WheelHook::remove(&other);
    EXPECT_EQ(WheelHook::hookedWindow(), &window) << "only the hooked window can be unhooked";
    WheelHook::remove(&window);
    EXPECT_EQ(WheelHook::hookedWindow(), nullptr);
    turnWheel(window, 120);
    EXPECT_EQ(scrolls.size(), 2u);
}

TEST_F(WheelHookTest, DeveloperModeHooksNothing)
{
    utils->developer = true;
    QWidget window;
    WheelHook::install(&window, [](bool) {});
    EXPECT_EQ(WheelHook::hookedWindow(), nullptr);
}

} // namespace
} // namespace corvane
