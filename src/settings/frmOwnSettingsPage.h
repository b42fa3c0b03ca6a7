#pragma once

#include <QFrame>

#include <functional>

namespace corvane {

struct TreeLeaf;

/// A settings page with widgets of its own (grids, lists, several requests) rather than one built from a
/// PageModel. The window shows it, enables its Save from hasChanges(), saves it through save() and asks about
/// unsaved changes before leaving it, as for every other page.
class frmOwnSettingsPage : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;

    /// The page's position (1 to 39).
    virtual int pageNumber() const = 0;
    /// Reads the page from the server; false keeps the cover and nothing can be saved.
    virtual bool load() = 0;
    /// Something differs from what was loaded.
    virtual bool hasChanges() const = 0;
    /// Editors and writing buttons enabled when writable; the page stays readable either way.
    virtual void setWritable(bool writable) = 0;
    /// Validates, sends and judges the replies; true when everything was stored. Refusals and failures are told
    /// by the page itself; the window shows "Settings Saved." after a true result when something was sent.
    virtual bool save() = 0;
    /// False for a page that writes only through buttons of its own: the common Save stays off.
    virtual bool usesCommonSave() const { return true; }
    /// "Settings Saved." comes with the log-off note.
    virtual bool logoffNote() const { return false; }
    /// The control Enter on the tree moves into.
    virtual QWidget* firstEditor() const { return nullptr; }

    /// The window's write gate (change right, protection, confirmation in developer mode); the page's own writing
    /// buttons ask it before they send anything.
    void setWriteCheck(std::function<bool()> check) { m_writeCheck = std::move(check); }
    bool mayWriteNow() const { return m_writeCheck ? m_writeCheck() : false; }

Q_SIGNALS:
    /// The operator changed something (the window re-enables its buttons).
    void edited();

private:
    std::function<bool()> m_writeCheck;
};

/// The page with widgets of its own that serves leaf, loaded or not; nullptr when the leaf's page is built from a
/// PageModel (or has no page).
frmOwnSettingsPage* makeOwnSettingsPage(const TreeLeaf& leaf, QWidget* parent);

} // namespace corvane
