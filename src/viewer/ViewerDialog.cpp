#include "ViewerDialog.h"

#include "Log.h"
#include "frmViewer.h"

#include <QApplication>

namespace corvane {

bool ViewerDialog::run(int action)
{
    frmViewer::Inputs inputs;
    inputs.document = DataString;
    inputs.request = RequestDataFromServer;
    inputs.format = DataFormat;
    inputs.action = action;
    inputs.settings = DocumentSettings;
    inputs.caption = WindowCaption;
    // Printing without a window has no document list and remembers no window.
    if (action == 1) {
        inputs.jobId = JobID;
        inputs.prefsKey = UserPrefsType;
    }
    inputs.mode = Mode;
    Mode.clear();
    JobID.clear();
    try {
        frmViewer window(QApplication::activeWindow());
        return window.ShowCode(inputs);
    } catch (...) {
        Log::error("ERR in ViewerDialog.ShowCode    ", Log::describeCurrentException());
        return false;
    }
}

bool ViewerDialog::ShowDialog()
{
    return run(1);
}

bool ViewerDialog::PrintDocument()
{
    return run(2);
}

bool ViewerDialog::ShowPrintPreview()
{
    return run(3);
}

} // namespace corvane
