#include "FaxEmailDialog.h"

#include "Log.h"
#include "frmFaxRelated.h"
#include "frmFaxShared.h"

#include <QApplication>

namespace corvane {

void FaxEmailDialog::ShowFaxStatusDlg()
{
    try {
        frmFaxShared window(QApplication::activeWindow());
        window.ShowQueue(true);
    } catch (...) {
        Log::error("FAX/Email DisplayTab error: ", Log::describeCurrentException());
    }
}

void FaxEmailDialog::ShowFaxEmailDlg(const std::string& JobNum_vbTab_DocID)
{
    try {
        const std::size_t tab = JobNum_vbTab_DocID.find('\t');
        const std::string job = JobNum_vbTab_DocID.substr(0, tab);
        const std::string document = tab == std::string::npos ? std::string() : JobNum_vbTab_DocID.substr(tab + 1);
        frmFaxRelated window(QApplication::activeWindow());
        if (window.InitFax(job, document))
            window.showWindow(true);
    } catch (...) {
        Log::error("CorvaneDialogs/frmSendFax/InitFax Error: ", Log::describeCurrentException());
    }
}

} // namespace corvane
