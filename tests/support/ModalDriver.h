#pragma once

#include "WindowRunner.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace corvane::test {

/// Runs show, which opens a window modally as a host would, and drives that window with drive once it is up.
/// A watchdog closes any modal window still open after ten seconds and fails the test, so nothing ever hangs.
inline void runModal(const std::function<void()>& show, const std::function<void(QWidget*)>& drive)
{
    WindowRunner::setMode(WindowRunner::Mode::Modal);
    QTimer::singleShot(0, [&drive] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window) {
            ADD_FAILURE() << "no modal window came up";
            return;
        }
        drive(window);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        while (QWidget* window = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "the modal window " << window->objectName().toStdString() << " was left open";
            window->close();
        }
    });
    watchdog.start(10000);
    show();
    watchdog.stop();
    WindowRunner::setMode(WindowRunner::Mode::NonModal);
}

} // namespace corvane::test
