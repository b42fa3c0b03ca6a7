#include "WindowRunner.h"

#include <QDialog>

namespace corvane {

namespace {
WindowRunner::Mode currentMode = WindowRunner::Mode::Modal;
}

void WindowRunner::setMode(Mode mode)
{
    currentMode = mode;
}

WindowRunner::Mode WindowRunner::mode()
{
    return currentMode;
}

int WindowRunner::run(QDialog& window)
{
    if (currentMode == Mode::Modal)
        return window.exec();
    window.setModal(false);
    window.show();
    return -1;
}

void WindowRunner::open(QDialog& window, bool modal)
{
    if (modal)
        run(window);
    else
        window.show();
}

} // namespace corvane
