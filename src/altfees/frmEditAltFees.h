#pragma once

#include "AltFeeSet.h"

#include <QDialog>

#include <map>
#include <string>
#include <vector>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace corvane {

/// "Procedure Code - Edit Alt Fees" / "Procedure Code - View Alt Fees": a procedure code's alternate fee in every
/// shown price set, twenty sets to a page.
class frmEditAltFees final : public QDialog {
    Q_OBJECT
public:
    explicit frmEditAltFees(QWidget* parent = nullptr);
    ~frmEditAltFees() override;

    /// Fills the window: standard fee and fee-set amounts in cents, edit mode when editable.
    void ShowCode(const std::string& feeSet, bool editable, const std::string& procCode, const std::string& procDescr,
                  const std::string& standardFee);

    /// The fee-set string collected when the operator confirmed in edit mode; empty otherwise.
    const std::string& data() const { return m_data; }
    bool cancelled() const { return m_cancelled; }
    int currentPage() const;
    QLineEdit* box(int set) const;
    QLabel* label(int set) const;
    void showPage(int page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadControls();
    void cmdYes_Click();
    void cmdCancel_Click();
    void CollectedData();
    void focusNextBox(int set);
    void pageMove(int index);
    /// Ctrl+Page Down / Ctrl+Page Up: the next or previous page, the focus in its first box.
    void turnPage(int step);
    /// Checks a box's text; a fee is reformatted, anything else is named, refused and keeps the focus.
    bool checkBox(int set, bool reformat);
    /// Passes a typed key through the host's currency key filter; true when the key was handled here.
    bool filterKey(QLineEdit* edit, QKeyEvent* key);

    AltFeeSet m_fees;
    std::string m_standardFee; ///< dollars, empty when there is none
    bool m_readOnly = false;
    bool m_cancelled = true;
    std::string m_data;

    bool m_replacingKey = false;

    std::map<int, QLineEdit*> m_boxes;
    std::map<int, QLabel*> m_labels;
    QStackedWidget* m_pages = nullptr;
    QLabel* m_codeD = nullptr;
    QLabel* m_standardFeeD = nullptr;
    QLabel* m_currentPage = nullptr;
    QLabel* m_totalPages = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_forward = nullptr;
    QPushButton* m_yes = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace corvane
