#include "WheelHook.h"

#include "Log.h"
#include "SharedState.h"

#include <QWheelEvent>

namespace corvane {

namespace {

struct Hooked {
    QPointer<QWidget> window;
    WheelHook* hook = nullptr;
};

Hooked& hooked()
{
    static Hooked state;
    return state;
}

} // namespace

WheelHook::WheelHook(ScrollOneRow scroll)
    : m_scroll(std::move(scroll))
{
}

void WheelHook::install(QWidget* window, ScrollOneRow scroll)
{
    if (!window || SharedState::instance().developerMode())
        return;
    Hooked& state = hooked();
    if (state.window)
        return;
    state.hook = new WheelHook(std::move(scroll));
    state.hook->setParent(window);
    state.window = window;
    window->installEventFilter(state.hook);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(state.hook);
}

void WheelHook::remove(QWidget* window)
{
    if (SharedState::instance().developerMode())
        return;
    Hooked& state = hooked();
    if (!window || state.window != window)
        return;
    delete state.hook;
    state.hook = nullptr;
    state.window = nullptr;
}

QWidget* WheelHook::hookedWindow()
{
    return hooked().window;
}

bool WheelHook::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && m_scroll) {
        try {
            const auto* wheel = static_cast<QWheelEvent*>(event);
            // An event a child ignores travels on to its parents: scroll once, on its first sight.
            if (wheel != m_lastEvent || wheel->timestamp() != m_lastTimestamp) {
                m_lastEvent = wheel;
                m_lastTimestamp = wheel->timestamp();
                m_scroll(wheel->angleDelta().y() > 0);
            }
        } catch (...) {
            Log::error("ERR in Main.SECWndProc  ", Log::describeCurrentException());
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace corvane
