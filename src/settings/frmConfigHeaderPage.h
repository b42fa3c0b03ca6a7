#pragma once

#include "HeaderLayout.h"
#include "frmOwnSettingsPage.h"

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QPushButton;

namespace corvane {

/// "Configure Header" (pages 7 and 8): the patient header's fields, five to a row, saved with the page's own
/// button for the system default (and, when asked, for every operator) or put back to the factory layout.
class frmConfigHeaderPage final : public frmOwnSettingsPage {
    Q_OBJECT
public:
    explicit frmConfigHeaderPage(QWidget* parent = nullptr);

    int pageNumber() const override { return 7; }
    bool load() override;
    bool hasChanges() const override { return m_layout.changed(); }
    void setWritable(bool writable) override;
    /// Saves the layout (after asking, when it goes to every operator) and says so.
    bool save() override;
    bool usesCommonSave() const override { return false; }
    QWidget* firstEditor() const override;

    const HeaderLayout& layout() const { return m_layout; }
    QComboBox* slot(std::size_t index) const { return m_slots.at(index); }

    void cmdSaveHeader_Click();
    void cmdResetHeader_Click();
    void cmdAddRow_Click();
    void cmdRemoveRow_Click();

private:
    void buildSlots();
    void slotChosen(std::size_t index);
    void updateButtons();

    HeaderLayout m_layout;
    bool m_writable = false;
    std::optional<std::size_t> m_lastRow; ///< the row of the place last chosen

    QFrame* m_headers = nullptr;
    QGridLayout* m_slotGrid = nullptr;
    std::vector<QComboBox*> m_slots;
    std::vector<QLabel*> m_rowLabels;
    QLabel* m_preview = nullptr;
    QCheckBox* m_applyToAll = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_addRow = nullptr;
    QPushButton* m_removeRow = nullptr;
};

} // namespace corvane
