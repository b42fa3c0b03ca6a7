#pragma once

#include "UpdateTransDefaults.h"
#include "frmOwnSettingsPage.h"

#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace corvane {

/// Page 1: the defaults of the Update Transactions dialog (the code table entry DFVL3).
class frmUpdateTransPage final : public frmOwnSettingsPage {
    Q_OBJECT
public:
    explicit frmUpdateTransPage(QWidget* parent = nullptr);

    int pageNumber() const override { return 1; }
    bool load() override;
    bool hasChanges() const override { return m_model.changed(); }
    void setWritable(bool writable) override;
    bool save() override;
    QWidget* firstEditor() const override;

    const UpdateTransDefaults& model() const { return m_model; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QButtonGroup* addOptions(QGroupBox* frame, const char* name, const std::vector<const char*>& captions);
    void showValues();
    void takeValues();

    UpdateTransDefaults m_model;
    QCheckBox* m_always = nullptr;
    QButtonGroup* m_flag = nullptr;
    QButtonGroup* m_paid = nullptr;
    QButtonGroup* m_zero = nullptr;
    QLineEdit* m_days = nullptr;
    std::vector<QGroupBox*> m_frames;
    bool m_showing = false;
};

} // namespace corvane
