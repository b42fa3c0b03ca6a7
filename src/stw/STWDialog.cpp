#include "STWDialog.h"

#include "Log.h"
#include "WindowRunner.h"
#include "frmSTW.h"

#include <QApplication>

#include <memory>

namespace corvane {

bool STWDialog::ShowSTWDialog()
{
    try {
        const QString title = QStringLiteral("Codes Cross Reference");
        if (WindowRunner::mode() == WindowRunner::Mode::Modal) {
            frmSTW window(QApplication::activeWindow());
            window.STWShow(title);
            return true;
        }
        auto* window = new frmSTW(QApplication::activeWindow());
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (!window->STWShow(title))
            delete window;
        return true;
    } catch (...) {
        Log::error("Error showing ShowSTWDialog ", Log::describeCurrentException());
        return false;
    }
}

} // namespace corvane
