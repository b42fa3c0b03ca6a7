#pragma once

#include "frmSecurityPage.h"

#include <array>
#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace corvane {

class SecurityPrograms;

/// The Security Programs page (frSecurityPrograms): views an existing security program or adds a new one.
class frmSecurityPrograms final : public frmSecurityPage {
    Q_OBJECT
public:
    enum class Mode { Existing, New };

    /// programs hands out the program list, read on first need; reload reads it again after a new program.
    frmSecurityPrograms(std::function<const SecurityPrograms*()> programs, std::function<void()> reload,
                        QWidget* parent = nullptr);

    bool loadPage(const SecurityContext& context) override;
    bool hasChanges() const override;
    bool canSave() const override { return m_mode == Mode::New && m_mayEdit; }
    std::optional<std::string> savePage(const SecurityContext& context) override;

    Mode mode() const { return m_mode; }
    /// Shows an existing program read-only; false when the list has no such code.
    bool showExisting(const std::string& code);
    /// Clears the entry fields for a new program.
    void cmdAddNew_Click();

private:
    void cmdSecPrLookup_Click();
    void cmdSecPrTypeLookup_Click();
    void setMode(Mode mode);
    void updateGroupsText();

    std::function<const SecurityPrograms*()> m_programs;
    std::function<void()> m_reload;
    Mode m_mode = Mode::Existing;
    bool m_mayEdit = false;
    QLabel* m_explain = nullptr;
    QLineEdit* m_lookup = nullptr;
    QPushButton* m_lookupButton = nullptr;
    QPushButton* m_addNew = nullptr;
    std::array<QLineEdit*, 3> m_fields {};
    QPushButton* m_typeLookup = nullptr;
    QFrame* m_newFrame = nullptr;
    std::array<QCheckBox*, 4> m_rights {};
    QLabel* m_groupsText = nullptr;
    QListWidget* m_groups = nullptr;
};

} // namespace corvane
