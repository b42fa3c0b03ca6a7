#pragma once

#include "SecurityCopy.h"
#include "frmSecurityPage.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QTreeWidget;
class QPushButton;

namespace corvane {

class SecurityPrograms;

/// The Copy Security Settings page (frCopySecSettings): all or part of one operator's or group's settings copied
/// onto another operator or group.
class frmSecurityCopy final : public frmSecurityPage {
    Q_OBJECT
public:
    /// An operator as the tree shows it: code, and code with description.
    using OperatorEntry = std::pair<std::string, std::string>;

    frmSecurityCopy(std::function<const SecurityPrograms*()> programs, QWidget* parent = nullptr);

    /// The operators the lists offer, in table order; the signed-in operator's code.
    void setOperators(std::vector<OperatorEntry> operators, std::string signedIn);
    bool loadPage(const SecurityContext& context) override;
    /// Asks, then sends the copy request; true when the server took it.
    bool SaveCopySecurity();

    QComboBox* fromList() const { return m_from; }
    QComboBox* toList() const { return m_to; }
    QTreeWidget* programTree() const { return m_tree; }
    /// The codes of the checked nodes of the program tree, in tree order.
    std::vector<std::string> checkedPrograms() const;

private:
    void LoadCombo(QComboBox* combo, bool groups, const QString& leaveOut);
    void LoadProgramsTreeView();
    void sourceChanged();
    void targetChanged();
    void updateCopyButton();
    CopyParty party(QComboBox* combo, bool group) const;
    /// "Operator ABC" or the group entry as the list shows it.
    std::string shownName(QComboBox* combo, bool group) const;

    std::function<const SecurityPrograms*()> m_programs;
    std::vector<OperatorEntry> m_operators;
    std::string m_signedIn;
    QComboBox* m_from = nullptr;
    QComboBox* m_to = nullptr;
    QRadioButton* m_fromOperator = nullptr;
    QRadioButton* m_fromGroup = nullptr;
    QRadioButton* m_toOperator = nullptr;
    QRadioButton* m_toGroup = nullptr;
    QCheckBox* m_entity = nullptr;
    QTreeWidget* m_tree = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_selectAll = nullptr;
    QPushButton* m_deselectAll = nullptr;
};

} // namespace corvane
