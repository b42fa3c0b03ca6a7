#pragma once

#include "corvanedialogs_export.h"

#include <string>

namespace corvane {

/// The document viewer: shows one document the host hands over (or names by a server request), prints it without
/// showing it, or previews it. Set the properties, then call one of the three operations; each makes its own
/// window and releases it afterwards.
class CORVANEDIALOGS_EXPORT ViewerDialog {
public:
    /// The document itself, or the server request that returns it.
    std::string DataString;
    /// True: DataString is a request to send; false: it is the document.
    bool RequestDataFromServer = false;
    /// "RTF", "RTF:TXT", "HTML:TXT", "TXT:TXT", "HTML:BROWSER", "RTF:BROWSER", "TXT:BROWSER",
    /// "HTML:BROWSER:FILE", "PDF", "PDF:FILE", "IMAGE", "IMAGE:FILE"; empty or unknown: the content decides.
    std::string DataFormat;
    /// "||"-separated: "Orientation=1", "Orientation=2", "Printer=?"; empty: the document's own orientation and
    /// ask for a printer.
    std::string DocumentSettings;
    /// The window's caption; empty keeps "Viewer".
    std::string WindowCaption;
    /// The key under which the window's size, position and zoom are remembered; empty: nothing is remembered.
    std::string UserPrefsType;
    /// TAB-separated flags: "FAX" enables the fax buttons, "CORVANEPRINT" printing on the server's printers.
    /// Cleared after every operation, so it never reaches the next document.
    std::string Mode;
    /// The current document number, a TAB, then the ":"-separated numbers to page through. Cleared after every
    /// operation.
    std::string JobID;

    /// Shows the document modally. True when the operator printed on a server printer or opened either fax window.
    bool ShowDialog();
    /// Prints the document at once (asking for a printer when DocumentSettings says so); false when the operator
    /// cancelled or printing failed.
    bool PrintDocument();
    /// Shows the print preview of the document; false when there was nothing to preview.
    bool ShowPrintPreview();

private:
    bool run(int action);
};

} // namespace corvane
