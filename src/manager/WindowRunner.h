#pragma once

class QDialog;

namespace corvane {

/// The one entry routine through which every window of the library opens: modally for a host, or shown without
/// blocking for tests, which then drive the window and close it themselves.
class WindowRunner {
public:
    enum class Mode { Modal, NonModal };

    static void setMode(Mode mode);
    static Mode mode();
    /// Opens the window; in Modal mode returns its result once it has closed, in NonModal mode returns -1 at once.
    static int run(QDialog& window);
    /// Opens the window through run when the host asked for a modal window, or only shows it when it did not.
    static void open(QDialog& window, bool modal);
};

} // namespace corvane
