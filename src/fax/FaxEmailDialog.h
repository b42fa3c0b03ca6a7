#pragma once

#include "corvanedialogs_export.h"

#include <string>

namespace corvane {

/// The outgoing fax and e-mail queue, and the options window that queues one document for delivery.
class CORVANEDIALOGS_EXPORT FaxEmailDialog {
public:
    /// Opens the queue window ("Fax/Email Queue") on its first tab without a search, modally.
    void ShowFaxStatusDlg();
    /// Opens the options window for one document. The argument is the job number, a TAB and the document id (no
    /// TAB: all of it is the job number and the document id is fetched from the server).
    void ShowFaxEmailDlg(const std::string& JobNum_vbTab_DocID);
};

} // namespace corvane
