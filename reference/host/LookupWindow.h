#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;
class QTreeWidget;

namespace corvane::reference {

/// The reference host's code lookup: a search box over a list of code and description. Enter picks the
/// highlighted code, Esc cancels.
class LookupWindow final : public QDialog {
    Q_OBJECT
public:
    struct Entry {
        std::string code;
        std::string description;
    };

    LookupWindow(const QString& caption, std::vector<Entry> entries, QWidget* parent = nullptr);

    void setSearchText(const QString& text);
    /// The index of the chosen entry in the list given, or -1.
    int chosenIndex() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void filter(const QString& text);

    QLineEdit* m_search;
    QTreeWidget* m_list;
    std::vector<Entry> m_entries;
};

} // namespace corvane::reference
