#include "WindowRunner.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <unistd.h>

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
    // Qt WebEngine (the settings window's server pages) refuses to start its sandbox as root, and wants the
    // shared OpenGL contexts set before the application object exists.
    if (geteuid() == 0 && qgetenv("QTWEBENGINE_DISABLE_SANDBOX").isEmpty())
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoWindowLeftOpen);
    corvane::WindowRunner::setMode(corvane::WindowRunner::Mode::NonModal);
    return RUN_ALL_TESTS();
}
