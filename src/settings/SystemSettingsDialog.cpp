#include "SystemSettingsDialog.h"

#include "Log.h"
#include "frmSysSettings.h"

#include <QApplication>

namespace corvane {

bool SystemSettingsDialog::ShowDialog()
{
    try {
        // A window of its own for every call: no page or selection is left over from the last one.
        frmSysSettings window(QApplication::activeWindow());
        window.ShowSettings(true);
        return true;
    } catch (...) {
        Log::error("Error showing System Settings Dialog ", Log::describeCurrentException());
        return false;
    }
}

} // namespace corvane
