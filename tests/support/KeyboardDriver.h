#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace corvane::test {

/// Keys go where the focus is, as they would from a keyboard.
inline void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "nothing has the focus";
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

/// Each character goes where the focus is at that moment (the first one may open a cell editor).
inline void type(const QString& text)
{
    for (QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr) << "nothing has the focus";
        QTest::keyClick(target, c.toLatin1());
    }
}

/// After a window opened from this one has closed: a window manager gives the focus back; the offscreen platform
/// needs to be told.
inline void reactivate(QWidget* window)
{
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

/// Alt+letter: the button with that mnemonic clicks when its press animation ends, which this waits for (a modal
/// window the click opens runs inside the wait).
inline void mnemonic(Qt::Key letter)
{
    QWidget* window = QApplication::activeWindow();
    ASSERT_NE(window, nullptr) << "no window is active";
    press(letter, Qt::AltModifier);
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->isDown()) {
            EXPECT_TRUE(QTest::qWaitFor([button] { return !button->isDown(); }));
        }
    }
}

inline QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

/// Drives the next modal window named objectName once it is up and active; a key or click that opens it modally can
/// then be sent as usual, and drive runs inside that window's event loop.
inline void whenModal(const QString& objectName, const std::function<void(QWidget*)>& drive)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, objectName, drive] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window || window->objectName() != objectName || QApplication::activeWindow() != window)
            return;
        poll->stop();
        poll->deleteLater();
        drive(window);
    });
    poll->start();
}

} // namespace corvane::test
