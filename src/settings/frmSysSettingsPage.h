#pragma once

#include "PageModel.h"

#include <QFrame>

#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace corvane {

/// One page of the system settings window, built from its model: an editor per value, the page's header, fixed
/// labels and note. The editors hand every change to the model as wire text; the window saves through the model.
class frmSysSettingsPage final : public QFrame {
    Q_OBJECT
public:
    explicit frmSysSettingsPage(PageModel model, QWidget* parent = nullptr);

    PageModel& model() { return m_model; }
    const PageModel& model() const { return m_model; }

    /// The entries of the page's combo boxes (the posting charge sets of the autopost page).
    void setComboItems(const std::vector<std::string>& items);
    /// Editors enabled when writable; otherwise locked, a choice keeping only its selected option enabled.
    void setWritable(bool writable);
    bool writable() const { return m_writable; }
    /// The model's values into the editors.
    void showValues();
    /// Something differs from what was loaded, or typed text is waiting to be judged.
    bool hasChanges() const;
    /// The first typed text that cannot be sent (a character the wire cannot carry or a separator), with its field.
    std::optional<FieldRefusal> typedRefusal() const;
    /// Typed lookup codes not yet checked are checked now; false, after telling the operator, for an unknown code.
    bool checkLookups();
    /// Every value at its catalogue default.
    void resetToDefaults();
    bool differsFromDefaults() const;
    /// The editor of field, given the focus (text selected).
    void focusField(std::size_t field);
    QWidget* editor(std::size_t field) const;
    /// The first editor that takes the focus.
    QWidget* firstEditor() const;

Q_SIGNALS:
    /// The operator changed a value.
    void edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Editor {
        QLineEdit* line = nullptr;
        QButtonGroup* group = nullptr;
        std::vector<QRadioButton*> options;
        QCheckBox* check = nullptr;
        QComboBox* combo = nullptr;
        QListWidget* list = nullptr;
        QLabel* description = nullptr;
        std::vector<QPushButton*> buttons; ///< lookup, calendar, up and down
        std::string refusal; ///< why the typed text cannot be taken; empty when it was taken
        bool lookupUnchecked = false; ///< a typed code whose description has not been looked up yet
    };

    void buildEditor(std::size_t field, QWidget* area, QGridLayout* grid, int& row);
    void lineEdited(std::size_t field);
    void choiceClicked(std::size_t field);
    void listChanged(std::size_t field);
    void moveEntry(std::size_t field, int by);
    void openLookup(std::size_t field);
    void pickDate(std::size_t field);
    bool checkLookup(std::size_t field, bool quiet);
    void setLookup(std::size_t field, const std::string& code, const std::string& description);
    void showValue(std::size_t field);
    /// Keys the page refuses as they are typed, with the message that says so; true when the key was dropped.
    bool dropKey(std::size_t field, const QKeyEvent* key);
    std::optional<std::size_t> fieldOf(QObject* widget) const;

    PageModel m_model;
    std::vector<Editor> m_editors;
    bool m_writable = true;
    bool m_showing = false;
};

} // namespace corvane
