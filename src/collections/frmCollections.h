#pragma once

#include "CollectionStatus.h"
#include "ProgramRights.h"

#include <QDialog>
#include <QHash>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvane {

/// The collections window: the list to work, the criteria for the accounts to visit next and the message to post
/// on each. Its settings live on the server per operator as one status record.
class frmCollections final : public QDialog {
    Q_OBJECT
public:
    explicit frmCollections(QWidget* parent = nullptr);
    ~frmCollections() override;

    /// Loads the operator's status record and shows the window, through the window runner when modal.
    void ShowCollections(bool modal);

    /// The settings as the window holds them now: the position from the record, everything else from the widgets.
    CollectionSettings settingsFromWindow() const;
    /// The message record Continue built; empty otherwise.
    const std::string& messageRecord() const { return m_messageRecord; }
    bool continueNextAccount() const { return m_continue; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Group {
        QGroupBox* frame = nullptr;
        QButtonGroup* options = nullptr;
        std::vector<QRadioButton*> optionButtons;
        std::vector<QLineEdit*> inputs;
        std::vector<QPushButton*> calendars;
    };
    enum class FieldRole { List, MessageCode, MessageDate, Criterion };
    /// What a typed field holds and how the operator is told about it.
    struct Field {
        FieldRole role = FieldRole::Criterion;
        CriterionKind kind = CriterionKind::Codes;
        int group = -1; ///< index into the criterion groups; -1 for the list and the message
        std::string name;
    };

    void buildWindow();
    QLineEdit* makeInput(QWidget* parent, const QString& name, const Field& field);
    std::string GetCollectionStatusData(bool& received);
    void LoadControls(const std::string& record);
    void showPosition();
    void applyEnabledState();
    void EnableDisableInner(int tag, char letter);
    void updateRequiredState();
    bool isRequired(QLineEdit* input) const;

    /// The one check of a typed field, run when the operator leaves it and again on Continue and Reset: refuses
    /// separators, then checks the value for its kind (a list or message code against its table). A refusal names
    /// the field and puts the focus there. With full false only the separators are checked.
    bool checkField(QLineEdit* edit, bool full = true);
    bool checkListCode(QLineEdit* edit, const std::string& code);
    bool checkMessageCode(QLineEdit* edit, const std::string& code);
    bool checkCriterion(QLineEdit* edit, const Field& field, const std::string& value);
    /// Every field and every From/Thru range, in window order; false at the first refusal.
    bool validateAll();
    /// The record the window describes; nothing, after saying why, when a field needs correcting.
    std::optional<std::string> ReassembleData(bool resetPosition);
    bool SaveCollectionStatusData(const std::string& record);
    bool saveWithPositionCleared();
    void clearPosition();
    void setMessageDetails(std::string description, std::string type);
    std::string typed(QLineEdit* edit) const;
    std::string_view separatorsOf(QLineEdit* edit) const;

    void cmdNext_Click();
    void cmdNew_Click();
    void cmdListLookup_Click();
    void cmdMsgLookup_Click();
    void criterionLookup(QLineEdit* edit, const char* definition);
    void pickDate(QLineEdit* field, QWidget* button);

    /// The record as last loaded or saved: the position (no widget edits it) and the stored values.
    CollectionSettings m_record;
    /// The message type of the code in txtMsgLookup (the tag of lblMsg); it is shown nowhere.
    /// The description and type of the message code, as the server gave them.
    std::string m_messageDescriptionText;
    std::string m_messageType;
    ProgramRights m_rights;
    bool m_loading = false;
    bool m_received = false;
    bool m_continue = false;
    std::string m_messageRecord;
    QHash<QLineEdit*, Field> m_fields;

    QLabel* m_accountLabel = nullptr;
    QLabel* m_patientLabel = nullptr;
    QLineEdit* m_listCode = nullptr;
    QLabel* m_listDescription = nullptr;
    QRadioButton* m_all = nullptr;
    QRadioButton* m_selected = nullptr;
    std::array<Group, 9> m_groups;
    QGroupBox* m_messageFrame = nullptr;
    QCheckBox* m_postMessage = nullptr;
    QLineEdit* m_messageCode = nullptr;
    QLabel* m_messageDescription = nullptr;
    QLineEdit* m_messageDate = nullptr;
    QPushButton* m_messageCalendar = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace corvane
