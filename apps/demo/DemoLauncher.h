#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPlainTextEdit;
class QVBoxLayout;

namespace corvane {
class CorvaneDialogsMgr;
}

namespace corvane::demo {

/// One window the demo can open, and render for the screenshots.
struct DemoEntry {
    QString objectName;
    QString caption;
    /// Opens the window as a host would and reports the outcome in the launcher's log.
    std::function<void(QWidget* launcher, const std::function<void(const QString&)>& report)> open;
    /// Builds the window, shown but not modal, for a screenshot; null when the entry has no window of its own.
    std::function<QWidget*()> forScreenshot;
    /// The string the dialog is given, editable in the launcher; null when the dialog takes none.
    std::shared_ptr<std::string> sample;
};

/// The demo host's main window: one button per dialog, and a log of what each returned.
class DemoLauncher final : public QWidget {
    Q_OBJECT
public:
    DemoLauncher(CorvaneDialogsMgr& manager, std::vector<DemoEntry> entries, const QString& operatorName);

    const std::vector<DemoEntry>& entries() const { return m_entries; }
    void report(const QString& line);

    /// A sample as the launcher shows it: tabs as "\u2192", record ends (byte 230) as "\u00b6".
    static QString showSample(const std::string& sample);
    static std::string readSample(const QString& shown);

private:
    void addSampleEditors(QVBoxLayout* layout);

    std::vector<DemoEntry> m_entries;
    QPlainTextEdit* m_log;
};

} // namespace corvane::demo
