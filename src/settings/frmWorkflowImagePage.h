#pragma once

#include "WorkflowImages.h"
#include "frmOwnSettingsPage.h"

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace corvane {

/// "Patient Documents" and its alternate option (page 15): which patient documents the Workflow menu offers, by
/// document type, other documents, custom and portal forms, and how far back.
class frmWorkflowImagePage final : public frmOwnSettingsPage {
    Q_OBJECT
public:
    /// leafName is workflow_include_image (WRKFLWIMAGE) or workflow_include_image2 (WRKFLWIMAGE2).
    frmWorkflowImagePage(const std::string& leafName, QWidget* parent = nullptr);

    int pageNumber() const override { return 15; }
    bool load() override;
    bool hasChanges() const override;
    void setWritable(bool writable) override;
    bool save() override;
    QWidget* firstEditor() const override;

    const std::string& key() const { return m_key; }
    /// The value the page would store now.
    std::string value() const;

    /// Adds a document type through the IDT lookup.
    void cmdAddDocType_Click();
    /// Adds a document type by code, checked against the IDT lookup; false (told) when it is not one.
    bool addDocType(const std::string& code);
    void cmdRemoveDocType_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showValue();
    void addToList(const std::string& code, const std::string& description);
    void changed();
    void updateControls();

    std::string m_key;
    std::string m_loaded;
    WorkflowImages m_value;
    bool m_writable = false;
    bool m_showing = false;

    QCheckBox* m_allTypes = nullptr;
    QListWidget* m_types = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QCheckBox* m_other = nullptr;
    QCheckBox* m_custom = nullptr;
    QCheckBox* m_portal = nullptr;
    QRadioButton* m_allDays = nullptr;
    QRadioButton* m_someDays = nullptr;
    QLineEdit* m_days = nullptr;
};

} // namespace corvane
