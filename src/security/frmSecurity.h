#pragma once

#include "GuardedDialog.h"
#include "SecurityPrograms.h"
#include "frmSecurityPage.h"

#include <QDialog>
#include <QElapsedTimer>

#include <set>
#include <string>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace corvane {

class frmSecurityCopy;
class frmSecurityDistribute;
class frmSecurityEntity;
class frmSecurityModuleAccess;
class frmSecurityPrograms;
class frmSecurityTransDetail;
class frmSecurityTransGroups;

/// The security settings window: a tree of operators, security groups and System pages on the left, the chosen
/// page on the right.
class frmSecurity final : public GuardedDialog {
    Q_OBJECT
public:
    explicit frmSecurity(QWidget* parent = nullptr);
    ~frmSecurity() override;

    /// Reads the security-editing right and the entity mix, builds the tree and shows the window, modally when
    /// modal is true.
    void ShowSecurityList(bool modal);
    /// Loads one page: kind "O", "G" or "S", the operator code or group number, and the page's module word.
    void ShowSecurity(const std::string& kind, const std::string& code, const std::string& word);
    /// Selects the tree node of a page, as a click on it does; false when the tree has no such node.
    bool selectPage(const std::string& kind, const std::string& code, const std::string& word);

    bool mayEditSecurity() const { return m_mayEdit; }
    const std::string& entityMix() const { return m_entityMix; }
    const std::string& currentKind() const { return m_kind; }
    const std::string& currentCode() const { return m_code; }
    const std::string& currentWord() const { return m_word; }
    /// The page shown, or null when none is.
    frmSecurityPage* currentPage() const;
    frmSecurityModuleAccess* moduleAccessPage() const { return m_moduleAccess; }
    frmSecurityEntity* entityPage() const { return m_entity; }
    frmSecurityTransDetail* transDetailPage() const { return m_transDetail; }
    frmSecurityTransGroups* transGroupsPage() const { return m_transGroups; }
    frmSecurityPrograms* programsPage() const { return m_programsPage; }
    frmSecurityCopy* copyPage() const { return m_copy; }
    frmSecurityDistribute* distributePage() const { return m_distribute; }
    QTreeWidget* tree() const { return m_tree; }

    /// Saves the page shown (S&ave); true when it was saved.
    bool cmdSave_Click();
    /// Finds the next match of the find box in the Module Access grid.
    void FindNext();
    /// Scrolls the Module Access grid by one row, as the mouse wheel does.
    void ScrollGrid(bool up);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void Form_Load();
    void LoadTreeView();
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const std::string& key, const QString& text, bool leaf);
    void addPages(QTreeWidgetItem* parent, const std::string& kind, const std::string& code);
    void tvwUsersAndGroups_NodeClick(QTreeWidgetItem* item, QTreeWidgetItem* previous);
    void tvwUsersAndGroups_Collapse(QTreeWidgetItem* item);
    /// The page area for a node without a page: titles of the kind, nothing shown.
    void showNoPage(const std::string& kind, const std::string& code);
    void hideAllFrames();
    void updateSaveButton();
    /// Unsaved changes of the page shown: saved, dropped or kept, as the operator answers. False to stay.
    bool settlePendingChanges() override;
    /// The program list (SECT), read on first need and kept for the life of the window.
    const SecurityPrograms* programList();
    void reloadProgramList();
    QString pageText(const std::string& word) const;
    /// Types an operator code into the tree: the first operator whose code starts with what was typed is selected.
    bool typeAhead(const QString& text);
    frmSecurityPage* pageFor(const std::string& word) const;

    bool m_mayEdit = false;
    bool m_developer = false;
    bool m_ownSettings = false;
    bool m_revertingNode = false;
    std::string m_entityMix;
    std::string m_kind;
    std::string m_code;
    std::string m_word;
    std::vector<std::pair<std::string, std::string>> m_operators;
    SecurityPrograms m_programs;
    SecurityContext m_context;
    std::set<std::string> m_nodeKeys;
    QString m_caption;
    QString m_typed;
    QElapsedTimer m_typedAt;
    int m_pendingWheel = 0;

    QTreeWidget* m_tree = nullptr;
    QLabel* m_title1 = nullptr;
    QLabel* m_title2 = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_exit = nullptr;
    QFrame* m_findBar = nullptr;
    QLineEdit* m_findText = nullptr;
    QPushButton* m_find = nullptr;
    QStackedWidget* m_pages = nullptr;
    QFrame* m_cover = nullptr;
    QWidget* m_noPage = nullptr;
    QTimer* m_toolTipTimer = nullptr;
    frmSecurityModuleAccess* m_moduleAccess = nullptr;
    frmSecurityEntity* m_entity = nullptr;
    frmSecurityTransDetail* m_transDetail = nullptr;
    frmSecurityTransGroups* m_transGroups = nullptr;
    frmSecurityPrograms* m_programsPage = nullptr;
    frmSecurityCopy* m_copy = nullptr;
    frmSecurityDistribute* m_distribute = nullptr;
};

} // namespace corvane
