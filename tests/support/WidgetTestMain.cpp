#include "WindowRunner.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

/// Fails a test that leaves a top-level window open, then closes it so the next test starts clean.
class NoWindowLeftOpen final : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& info) override
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->isVisible())
                continue;
            ADD_FAILURE() << info.name() << " left the window \"" << widget->objectName().toStdString() << "\" open";
            widget->close();
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoWindowLeftOpen);
    corvane::WindowRunner::setMode(corvane::WindowRunner::Mode::NonModal);
    return RUN_ALL_TESTS();
}
