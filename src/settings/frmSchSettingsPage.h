#pragma once

#include "SchedulerSetting.h"
#include "frmOwnSettingsPage.h"

#include <array>
#include <cstdint>
#include <string>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvane {

/// Page 10: the scheduler's entity rule and the default AR class for new accounts (the setting SCHEDULER).
class frmSchSettingsPage final : public frmOwnSettingsPage {
    Q_OBJECT
public:
    explicit frmSchSettingsPage(QWidget* parent = nullptr);

    int pageNumber() const override { return 10; }
    bool load() override;
    bool hasChanges() const override;
    void setWritable(bool writable) override;
    bool save() override;
    QWidget* firstEditor() const override;

    const SchedulerSetting& model() const { return m_model; }
    /// The rule shown: -1 while the page fills, the chosen index, or -88 when none was stored.
    std::int16_t currentRule() const { return m_ruleIndex; }

    void optRules_Click(int index);
    /// The AR class lookup (the button and F4 in the field).
    void ARCodeLookUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void specialEdited();
    void arEdited();
    /// Checks a typed AR class against the AR table and shows its description; quiet only marks it.
    bool checkArClass(bool quiet);
    void setArClass(const std::string& code, const std::string& description);
    void selectRule(int index);

    SchedulerSetting m_model;
    QButtonGroup* m_rules = nullptr;
    std::array<QRadioButton*, 4> m_options {};
    QLineEdit* m_special = nullptr;
    QLineEdit* m_ar = nullptr;
    QPushButton* m_lookup = nullptr;
    QLabel* m_arDescription = nullptr;
    std::int16_t m_ruleIndex = -1;
    std::string m_specialRefusal;
    std::string m_arRefusal;
    bool m_arUnchecked = false;
    bool m_writable = false;
};

} // namespace corvane
