#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace corvane {

/// Turns mouse-wheel turns over one window into one-row scrolls of its grid; every event still reaches the window.
/// One window is hooked at a time; in developer mode nothing is hooked.
class WheelHook final : public QObject {
    Q_OBJECT
public:
    using ScrollOneRow = std::function<void(bool up)>;

    static void install(QWidget* window, ScrollOneRow scroll);
    static void remove(QWidget* window);
    static QWidget* hookedWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WheelHook(ScrollOneRow scroll);
    ScrollOneRow m_scroll;
    const QEvent* m_lastEvent = nullptr;
    quint64 m_lastTimestamp = 0;
};

} // namespace corvane
