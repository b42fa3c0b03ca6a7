#pragma once

#include "CodeTablesSettings.h"
#include "frmOwnSettingsPage.h"

#include <array>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace corvane {

/// Page 6: how the client uses code tables and the two display preferences, as the system defaults (operator
/// empty) or as one operator's own preferences, with a button per group that copies it to every operator.
class frmCodeTablesPage final : public frmOwnSettingsPage {
    Q_OBJECT
public:
    explicit frmCodeTablesPage(std::string operatorCode, QWidget* parent = nullptr);

    int pageNumber() const override { return 6; }
    bool load() override;
    bool hasChanges() const override { return m_model.changed(); }
    void setWritable(bool writable) override;
    bool save() override;
    QWidget* firstEditor() const override;

    const CodeTablesSettings& model() const { return m_model; }
    QCheckBox* box(std::size_t index) const { return m_boxes.at(index); }
    QPushButton* applyButton(std::size_t group) const { return m_apply.at(group); }

    /// "Use Code Tables" ticked or unticked by the operator (asks for the password when ticked).
    void chkUseCT_Click();
    /// APPLY TO ALL OPERATORS of one group.
    void cmdApplyToAllUsers_Click(std::size_t group);

private:
    bool askPassword();
    void boxClicked(std::size_t index);
    void showValues();
    void updateDependents();

    CodeTablesSettings m_model;
    std::array<QCheckBox*, codeTablesBoxCount> m_boxes {};
    std::array<QGroupBox*, 3> m_groups {};
    std::array<QPushButton*, 3> m_apply {};
    std::array<QLabel*, 3> m_applyLabels {};
    QLabel* m_header = nullptr;
    QLabel* m_systemNote = nullptr;
    bool m_writable = false;
};

} // namespace corvane
