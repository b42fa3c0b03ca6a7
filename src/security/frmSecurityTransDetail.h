#pragma once

#include "TransSettings.h"
#include "frmSecurityPage.h"

#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

/// The Modify Transaction page (frTransDetail): which fields of a posted transaction may be changed, and for how
/// many days after posting per transaction group.
class frmSecurityTransDetail final : public frmSecurityPage {
    Q_OBJECT
public:
    explicit frmSecurityTransDetail(QWidget* parent = nullptr);

    bool loadPage(const SecurityContext& context) override;
    bool hasChanges() const override;
    bool canSave() const override { return true; }
    std::optional<std::string> savePage(const SecurityContext& context) override;

    const TransSettings& settings() const { return m_settings; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearFields();
    /// The check boxes and days fields into the model; false when a days field cannot be sent.
    bool takeInput(bool tellRefusal) const;

    mutable TransSettings m_settings;
    std::string m_loadedData;
    QLabel* m_explainFields = nullptr;
    QLabel* m_explainDays = nullptr;
    QWidget* m_fieldArea = nullptr;
    QGridLayout* m_fieldLayout = nullptr;
    std::vector<QCheckBox*> m_fieldBoxes; ///< per field record; null for a record without a caption
    std::vector<QLabel*> m_groupCodes;
    std::vector<QLabel*> m_groupDescriptions;
    std::vector<QLineEdit*> m_days;
    std::vector<QCheckBox*> m_endOfMonth;
    QLabel* m_noGroups = nullptr;
    QPushButton* m_selectAll = nullptr;
    QPushButton* m_deselectAll = nullptr;
};

} // namespace corvane
