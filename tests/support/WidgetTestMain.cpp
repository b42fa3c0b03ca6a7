#include "WindowRunner.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
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

/// Closes a modal window that nobody drives (a dialog a test did not expect), so the test fails instead of hanging.
/// Tests that drive a modal window do so within seconds; the limit leaves room for the sanitizer builds.
class ModalWatcher final : public QObject {
public:
    ModalWatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::look);
        m_timer.start(500);
    }

private:
    void look()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != m_seen) {
            m_seen = modal;
            m_since.start();
            return;
        }
        if (!modal || m_since.elapsed() < 30000)
            return;
        ADD_FAILURE() << "the modal window \"" << modal->objectName().toStdString() << "\" ("
                      << modal->windowTitle().toStdString() << ") waited for input nobody gave";
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        m_seen = nullptr;
    }

    QTimer m_timer;
    QPointer<QWidget> m_seen;
    QElapsedTimer m_since;
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
    ModalWatcher watcher;
    return RUN_ALL_TESTS();
}
