#pragma once

#include "ScheduledStatus.h"
#include "frmOwnSettingsPage.h"

class QLabel;
class QPushButton;

namespace corvane {

/// Page 20: whether the server's scheduled reports or submissions process runs, with Start / Stop and Refresh.
/// It writes only through its own button; the common Save stays off.
class frmSchStatusPage final : public frmOwnSettingsPage {
    Q_OBJECT
public:
    explicit frmSchStatusPage(const ScheduledProcess& process, QWidget* parent = nullptr);

    int pageNumber() const override { return 20; }
    bool load() override;
    bool hasChanges() const override { return false; }
    void setWritable(bool writable) override;
    bool save() override { return false; }
    bool usesCommonSave() const override { return false; }
    QWidget* firstEditor() const override;

    const ScheduledStatus& status() const { return m_status; }

    void cmdStartStop_Click();
    void cmdRefresh_Click();

private:
    /// Reads the state and shows it; the message of a failed read is shown when announce is set.
    void ShowCodeForSchStatus(bool announce);
    void showState();

    ScheduledStatus m_status;
    QLabel* m_header = nullptr;
    QLabel* m_state = nullptr;
    QPushButton* m_startStop = nullptr;
    QPushButton* m_refresh = nullptr;
    bool m_writable = false;
};

} // namespace corvane
