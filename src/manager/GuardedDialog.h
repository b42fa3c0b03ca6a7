#pragma once

#include <QDialog>

namespace corvane {

/// A window that holds the operator's work. Every way out (Esc, Exit, the close box, the host's cancel) first
/// settles what is unsaved, so no way out loses it; once the work is settled another way (a post that closes the
/// window), the window leaves without asking again.
class GuardedDialog : public QDialog {
public:
    using QDialog::QDialog;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    /// Unsaved work saved, dropped or kept, as the operator answers; false keeps the window open.
    virtual bool settlePendingChanges() = 0;
    /// The work is settled: the next way out does not ask.
    void markSettled() { m_settled = true; }
    /// A new showing of the window asks again.
    void resetSettled() { m_settled = false; }

private:
    bool m_settled = false;
};

} // namespace corvane
