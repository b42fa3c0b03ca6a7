#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// Which of the viewer's two views shows a document.
enum class ViewerView { Pages, Browser };

/// What a document's bytes are, whatever the host called them.
enum class DocumentKind { Rtf, Html, PlainText, Pdf, Image };

/// DataFormat decoded: the view, the kind of the bytes, the load format code of the rich-text view (5 RTF, 4 HTML,
/// 1 plain text, 0 none) and whether the document text names a file or address rather than holding the document.
struct FormatChoice {
    ViewerView view = ViewerView::Pages;
    DocumentKind kind = DocumentKind::PlainText;
    int loadFormat = 0;
    bool fromFile = false;
    /// The content decides the kind (an unknown or empty format).
    bool sniff = false;
    /// What the operator is told first ("Not implemented", "not recognized"); empty for a known format.
    std::string message;
};

/// The printing options of DocumentSettings: orientation 0 (not given: the document decides), 1 portrait,
/// 2 landscape; and whether to ask for a printer.
struct DocumentSettings {
    int orientation = 0;
    bool askForPrinter = true;
};

/// JobID split: the current document number and the list of numbers to page through.
struct JobList {
    std::string current;
    std::vector<std::string> list;

    /// The current number's place in the list; -1 when it is not there (Next then gives the first).
    int position() const;
    bool previousEnabled() const { return position() > 0; }
    bool nextEnabled() const { return !list.empty() && position() < static_cast<int>(list.size()) - 1; }
};

struct ModeFlags {
    bool fax = false;
    bool serverPrint = false;
};

/// A window's size, position (twips) and zoom index as one viewer-preferences entry keeps them.
struct WindowPlacement {
    int zoomIndex = 3;
    bool maximised = false;
    long left = 0, top = 0, width = 0, height = 0; ///< width and height 0: keep the window's own
};

/// A rectangle of the desktop in twips.
struct TwipsRect {
    long left = 0, top = 0, width = 0, height = 0;
};

/// The viewer's inputs as the host writes them, and the texts it builds from them.
class ViewerOptions {
public:
    static FormatChoice decodeFormat(std::string_view dataFormat);
    /// The kind of document the bytes hold, judged from their first bytes.
    static DocumentKind sniff(std::string_view bytes);
    /// The "||"-separated options; empty items are skipped and unknown ones ignored.
    static DocumentSettings splitDocumentSettings(std::string_view settings);
    /// "7" or "7\t5:6:7:"; empty list elements are dropped and blanks trimmed.
    static JobList splitJobId(std::string_view jobId);
    /// The TAB-separated Mode flags, in any letter case.
    static ModeFlags splitMode(std::string_view mode);
    /// The first request with its last non-empty "|" field replaced by number; a closing bar stays.
    static std::string neighbourRequest(std::string_view firstRequest, std::string_view number);

    /// The first entry for key (any case) with at least six fields; nothing when there is none.
    static std::optional<WindowPlacement> findPlacement(std::string_view preferences, std::string_view key);
    /// "key:zoom:left:top:width:height", or "key:zoom:left:top:MAX:MAX" when maximised.
    static std::string placementEntry(std::string_view key, const WindowPlacement& placement);
    /// The preferences with entry in place of the first entry for key, or appended after a TAB.
    static std::string storePlacement(std::string_view preferences, std::string_view key, std::string_view entry);
    /// A key that can be written: not empty and free of the entry separators ":" and TAB.
    static bool usableKey(std::string_view key);
    /// Keeps a window's top left corner at least 2000 twips inside the desktop and its far corner beyond its start.
    static void keepOnDesktop(WindowPlacement& placement, const TwipsRect& desktop);

    /// The printer list entry: name, seven blanks, description, six blanks, "PORT: ", port.
    static std::string printerEntry(std::string_view name, std::string_view description, std::string_view port);
    /// The entry the server remembered (its reply, "|" written as ";"): the entry with the same text, else the one
    /// whose printer has the remembered name; -1 when none.
    static int rememberedEntry(const std::vector<std::string>& entries, const std::vector<std::string>& names,
                               std::string_view reply);
    /// "|GET|TRAN|PRINT|" & number & "|" & printer name.
    static std::string serverPrintRequest(std::string_view documentNumber, std::string_view printerName);
};

} // namespace corvane
