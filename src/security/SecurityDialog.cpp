#include "SecurityDialog.h"

#include "Log.h"
#include "frmSecurity.h"

#include <QApplication>

namespace corvane {

bool SecurityDialog::ShowDialog()
{
    try {
        frmSecurity window(QApplication::activeWindow());
        window.ShowSecurityList(true);
        return true;
    } catch (...) {
        Log::error("Error showing Security Dialog ", Log::describeCurrentException());
        return false;
    }
}

} // namespace corvane
