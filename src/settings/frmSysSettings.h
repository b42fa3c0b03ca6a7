#pragma once

#include "GuardedDialog.h"
#include "SettingsSearch.h"
#include "SettingsTree.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QWebEngineView;

namespace corvane {

class frmOwnSettingsPage;
class frmSysSettingsPage;

/// The system settings window: the tree of system settings and operators on the left, the page of the selected
/// setting on the right, Save and Exit below it, the find box under the tree and, in developer mode, the strip
/// that protects a setting.
class frmSysSettings final : public GuardedDialog {
    Q_OBJECT
public:
    explicit frmSysSettings(QWidget* parent = nullptr);
    ~frmSysSettings() override;

    /// Reads the PRGL rights, builds the tree and shows the window, modally when modal is true.
    void ShowSettings(bool modal);

    /// Selects the node with that key, as a click on it does; false when the tree has no such node or the
    /// operator chose to stay on a changed page.
    bool selectNode(const std::string& nodeKey);
    /// Selects the catalogue leaf of that name.
    bool selectLeaf(std::string_view name);

    /// The page shown (0 for none, 4 for the cover) and its widgets.
    int currentPage() const { return m_pageNumber; }
    frmSysSettingsPage* page() const { return m_page; }
    /// The page shown when it has widgets of its own, or null.
    frmOwnSettingsPage* ownPage() const { return m_own; }
    /// The key of the node whose page is shown.
    const std::string& currentKey() const { return m_currentKey; }
    bool mayChange() const { return m_changeRight; }
    const std::string& protectedList() const { return m_protected; }
    QTreeWidget* tree() const { return m_tree; }
    /// The tree item of a node key, or null.
    QTreeWidgetItem* itemFor(const std::string& nodeKey) const;
    /// True when the leaf is marked as holding a value other than its default.
    bool markedChanged(const std::string& nodeKey) const;
    /// The page the browser page shows, as the server sent it.
    const QString& browserHtml() const { return m_browserHtml; }
    QWebEngineView* browser() const { return m_browser; }

    /// Saves the page shown (&Save); true when everything was stored.
    bool cmdSaveCommon_Click();
    /// Finds the next setting that matches the find box and opens it (Find (F3), Enter in the box).
    void cmdFind_Click();
    /// Protects or releases the selected setting (developer mode).
    void cmdSaveProtected_Click();
    void cmdProtectedInfo_Click();
    /// Every value of the page shown back to its default (not saved until Save).
    void cmdResetDefault_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void Form_Load();
    void LoadTreeView();
    std::vector<ServerItem> LoadDynamicItems();
    void buildSearch(const std::vector<TreeNode>& nodes);
    void markChangedFromDefault();
    void markLeaves(const std::string& key, bool changed);
    bool readProtectedList();
    void tvwSystemSettings_NodeClick(QTreeWidgetItem* item, QTreeWidgetItem* previous);
    void ShowSetting(const NodeKey& node, const std::string& nodeText);
    void showCover();
    void showPage(QWidget* page, int number);
    void showOwnPage(frmOwnSettingsPage* page);
    bool ownPageShown() const;
    /// Tab goes from the tree through the page shown, then to the buttons and the find box.
    void orderTabs(QWidget* page);
    bool confirmPageWrite();
    bool saveOwnPage();
    bool loadBrowserPage(const NodeKey& node);
    void applyGate();
    void updateButtons();
    void updateCaption();
    void updateProtectedStrip();
    bool settlePendingChanges() override;
    bool currentIsProtected() const;
    void filterTree(const QString& typed);
    void showSaved(bool logoffNote);

    bool m_changeRight = false;
    bool m_developer = false;
    bool m_revertingNode = false;
    bool m_protectedKnown = false;
    std::string m_protected;
    std::string m_currentKey;
    NodeKey m_current;
    std::string m_leafText;
    QString m_base;
    int m_pageNumber = 0;
    QString m_browserHtml;
    std::unique_ptr<SettingsSearch> m_search;
    std::vector<std::size_t> m_matches;
    std::unordered_map<std::string, QTreeWidgetItem*> m_items; ///< by node key, as the server wrote it

    QTreeWidget* m_tree = nullptr;
    QFrame* m_findBar = nullptr;
    QLineEdit* m_findText = nullptr;
    QPushButton* m_find = nullptr;
    QLabel* m_findResult = nullptr;
    QFrame* m_protectedBar = nullptr;
    QCheckBox* m_protectedCheck = nullptr;
    QPushButton* m_saveProtected = nullptr;
    QPushButton* m_protectedInfo = nullptr;
    QStackedWidget* m_pages = nullptr;
    QWidget* m_noPage = nullptr;
    QFrame* m_cover = nullptr;
    QFrame* m_browserFrame = nullptr;
    QWebEngineView* m_browser = nullptr;
    frmSysSettingsPage* m_page = nullptr;
    frmOwnSettingsPage* m_own = nullptr;
    QLabel* m_gateNote = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_exit = nullptr;
    QTimer* m_toolTipTimer = nullptr;
};

} // namespace corvane
