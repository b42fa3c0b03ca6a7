#pragma once

#include "FaxQueueTab.h"
#include "grid/CellStyle.h"

#include <QDialog>

#include <array>
#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace corvane {

class CorvaneGrid;

/// The fax and e-mail queue ("Fax/Email Queue"): the server's outgoing jobs by state on four tabs, loaded a chunk
/// at a time as the operator scrolls, with search, cancel, resend and the switch that suspends all faxing.
class frmFaxShared final : public QDialog {
    Q_OBJECT
public:
    static constexpr int tabCount = 4;
    /// Rows from the end of the loaded rows at which the next chunk is asked for.
    static constexpr int loadAhead = 12;

    explicit frmFaxShared(QWidget* parent = nullptr);
    ~frmFaxShared() override;

    /// Shows the first tab without a search, through the window runner when modal.
    void ShowQueue(bool modal);

    int currentTab() const;
    const FaxQueueTab& tab(int index) const { return m_tabs[static_cast<std::size_t>(index)]; }
    CorvaneGrid& grid(int index) const { return *m_grids[static_cast<std::size_t>(index)]; }
    /// How often the active tab reloads itself; 0 stops it.
    void setReloadInterval(int milliseconds);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TabSource;

    void buildWindow();
    void DisplayTab(int index, const std::string& search);
    /// Asks for the next chunk of a tab and shows it; false when the request failed or was refused.
    bool loadChunk(int index, bool first, bool quiet = false);
    void fitColumns(int index);
    void showCounts(int index);
    void updateTabCaption(int index);
    void applyButtons(int index);
    void applySuspended(bool suspended);
    void reloadKeepingPlace();
    int currentRow(int index) const;

    void ssFaxTab_Click(int index);
    void cmdLookup_Click();
    void cmdRefresh_Click();
    void chkSuspend_Click(bool checked);
    void cmdCancelFax_Click();
    void cmdResend_Click();
    void tmrRefresh_Timer();

    std::array<FaxQueueTab, tabCount> m_tabs;
    std::array<std::unique_ptr<TabSource>, tabCount> m_sources;
    std::array<CorvaneGrid*, tabCount> m_grids {};
    std::string m_search;
    bool m_suspended = false;
    bool m_busy = false;

    QTabWidget* m_tabWidget = nullptr;
    QLineEdit* m_searchText = nullptr;
    QPushButton* m_lookup = nullptr;
    QCheckBox* m_suspend = nullptr;
    QLabel* m_suspendedBanner = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_cancelFax = nullptr;
    QPushButton* m_resend = nullptr;
    QPushButton* m_close = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_updated = nullptr;
    QTimer* m_refreshTimer = nullptr;
    QTimer* m_reloadTimer = nullptr;
};

} // namespace corvane
