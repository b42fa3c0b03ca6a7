#pragma once

#include "CollectionStatus.h"
#include "ProgramRights.h"

#include <QDialog>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace corvane {

/// The collections window: the list to work, the criteria for the accounts to visit next and the message to post
/// on each. Its settings live on the server per operator as one status record.
class frmCollections final : public QDialog {
    Q_OBJECT
public:
    explicit frmCollections(QWidget* parent = nullptr);

    /// Loads the operator's status record and shows the window, through the window runner when modal.
    void ShowCollections(bool modal);

    /// The settings as the window holds them now.
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
        std::vector<QToolButton*> calendars;
    };

    void buildWindow();
    QLineEdit* makeInput(QWidget* parent, const char* kind, int tag, int index, CriterionKind valueKind);
    std::string GetCollectionStatusData();
    void LoadControls(const std::string& record);
    void applyEnabledState();
    void EnableDisableInner(int tag, char letter);
    void updateRequiredState();
    /// The record the window describes; nothing, after saying why, when an amount or range needs correcting.
    std::optional<std::string> ReassembleData(bool resetPosition);
    bool SaveCollectionStatusData(const std::string& record);
    bool saveWithPositionCleared();
    void validateMessageCode();
    void clearAccountLabels();

    void cmdNext_Click();
    void cmdNew_Click();
    void cmdListLookup_Click();
    void cmdMsgLookup_Click();
    void pickDate(QLineEdit* field, QWidget* button);
    bool validateInput(QLineEdit* input, CriterionKind kind);
    bool rangeIsInOrder(int tag);

    CollectionSettings m_loaded;
    ProgramRights m_rights;
    bool m_loading = false;
    bool m_continue = false;
    std::string m_messageRecord;
    std::string m_messageType;
    std::string m_account;
    std::string m_accountSecond;
    std::string m_patientName;

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
    QToolButton* m_messageCalendar = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace corvane
