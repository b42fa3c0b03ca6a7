#pragma once

#include "FaxResendList.h"
#include "grid/CellStyle.h"

#include <QDialog>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvane {

class CorvaneGrid;
struct FaxData;
struct FaxRecipient;

/// The fax and e-mail options window. Send mode ("Fax Options") addresses one document and queues it; resend mode
/// ("Fax Resend") lists jobs of the queue with their fax numbers, which the operator may correct.
class frmFaxRelated final : public QDialog, public GridStyleSource {
    Q_OBJECT
public:
    /// The reply of "|GET|TRAN|FAX|" that means the document was queued.
    static constexpr std::string_view queuedReply = "1";

    explicit frmFaxRelated(QWidget* parent = nullptr);
    ~frmFaxRelated() override;

    /// Prepares send mode for a job. Without a document id it asks the server for one, which also tells whether
    /// someone else is editing the document. False, after saying why, when the document cannot be sent now.
    bool InitFax(const std::string& job, const std::string& documentId);
    /// Prepares resend mode from job "|" fax pairs joined by "|"; recipients, when given, are shown beside the
    /// numbers in the same order.
    void InitFaxResend(const std::string& list, const std::vector<std::string>& recipients = {});
    /// The resend data confirmed with OK: job "|" fax pairs; empty when the operator cancelled.
    const std::string& FaxResend() const { return m_faxResend; }
    /// Shows the window, through the window runner when modal.
    void showWindow(bool modal);

    void GetStyleRowCol(int row, int col, CellStyle& style) override;
    bool StoreValueRowCol(int row, int col, const QString& value) override;
    bool OnValidateCell(int row, int col, QString& value) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    bool fetchDocumentId();
    void loadSenderDefaults();
    void fillRecipient(const FaxRecipient& recipient);
    void chooseMethod(const std::string& code);
    void choosePriority(const std::string& code);
    std::string methodCode() const;
    void txtField_Change();
    /// The window's fields as fax data; nothing, after saying why, when a field must be corrected first.
    std::optional<FaxData> dataFromWindow();
    bool faxNumberRefused(std::string_view number, bool required);

    void cmdLookup_Click();
    void cmdOKFax_Click();
    void cmdOKFaxResend_Click();

    std::string m_job;
    std::string m_documentId;
    std::string m_recipientId;
    std::string m_faxResend;
    std::vector<FaxResendList::Entry> m_entries;
    std::vector<std::string> m_originalFax;
    std::vector<std::string> m_recipients;

    QGroupBox* m_faxFrame = nullptr;
    QGroupBox* m_resendFrame = nullptr;
    std::array<QLineEdit*, 8> m_fields {};
    std::array<QRadioButton*, 4> m_methods {};
    std::array<QRadioButton*, 4> m_priorities {};
    QPushButton* m_lookup = nullptr;
    QPushButton* m_okFax = nullptr;
    QPushButton* m_cancelFax = nullptr;
    QLabel* m_jobLabel = nullptr;
    CorvaneGrid* m_redirect = nullptr;
    QPushButton* m_okResend = nullptr;
    QPushButton* m_cancelResend = nullptr;
};

} // namespace corvane
