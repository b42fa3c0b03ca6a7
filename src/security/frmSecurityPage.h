#pragma once

#include <QFrame>

#include <optional>
#include <string>

namespace corvane {

class SecurityPrograms;

/// What the security window hands a page when it loads or saves it.
struct SecurityContext {
    std::string kind; ///< "O" operator, "G" group, "S" system
    std::string code; ///< operator code, group number, empty for System
    std::string word; ///< the page's module word
    std::string entityMix; ///< "N", "A" or "M"
    bool mayEdit = false; ///< the security-editing right, and not the view-only operator
    bool ownSettings = false; ///< the signed-in operator's own settings
};

/// One page of the security window: a frame the window shows in its page area.
class frmSecurityPage : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;

    /// Reads the page from the server and fills it; false when there is nothing to show (the window covers it).
    virtual bool loadPage(const SecurityContext& context) = 0;
    /// The page's title line (the window's second title).
    const QString& pageTitle() const { return m_title; }
    /// True when the operator changed something since the page was loaded.
    virtual bool hasChanges() const { return false; }
    /// Whether S&ave applies to the page as it stands.
    virtual bool canSave() const { return false; }
    /// Sends the page. The message to show once the page is loaded again, or nothing when it was not saved (the
    /// page then keeps the operator's edits).
    virtual std::optional<std::string> savePage(const SecurityContext& context);

Q_SIGNALS:
    /// Whether S&ave applies may have changed.
    void saveStateChanged();

protected:
    void setPageTitle(const QString& title) { m_title = title; }
    /// Sends a save request with GetServerStringData and judges the reply; false when the server did not take it.
    /// failedText, when given, is shown unless the server's own text has been shown already.
    static bool sendSave(const std::string& request, const std::string& where, const std::string& failedText = {});

private:
    QString m_title;
};

/// " (Anesthesia)" or " (Non Anesthesia)" after a title when the practice has both kinds of entities.
QString anesthesiaSuffix(const SecurityContext& context, bool anesthesia);

} // namespace corvane
