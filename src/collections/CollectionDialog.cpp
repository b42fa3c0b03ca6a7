#include "CollectionDialog.h"

#include "Log.h"
#include "frmCollections.h"

#include <QApplication>

namespace corvane {

bool CollectionDialog::ShowDialog(std::string& MessageData, bool& ContinueNextAcct)
{
    MessageData.clear();
    ContinueNextAcct = false;
    try {
        frmCollections window(QApplication::activeWindow());
        window.ShowCollections(true);
        MessageData = window.messageRecord();
        ContinueNextAcct = window.continueNextAccount();
        return true;
    } catch (...) {
        Log::error("Error showing Collection Dialog ", Log::describeCurrentException());
        return false;
    }
}

} // namespace corvane
