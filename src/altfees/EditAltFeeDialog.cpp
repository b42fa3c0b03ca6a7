#include "EditAltFeeDialog.h"

#include "Log.h"
#include "WindowRunner.h"
#include "frmEditAltFees.h"

namespace corvane {

EditAltFeeDialog::EditAltFeeDialog()
    : m_window(std::make_unique<frmEditAltFees>())
{
}

EditAltFeeDialog::~EditAltFeeDialog() = default;

void EditAltFeeDialog::ShowDialog(const std::string&, const std::string& FeeSet, std::int16_t iState,
                                  const std::string& ProcCode, const std::string& ProcDescr,
                                  const std::string& StndrdFee)
{
    try {
        m_window->ShowCode(FeeSet, iState != 0, ProcCode, ProcDescr, StndrdFee);
        WindowRunner::run(*m_window);
    } catch (...) {
        Log::error("Error showing EditAltFeeDialog ", Log::describeCurrentException());
    }
}

std::string EditAltFeeDialog::GetData() const
{
    return m_window->cancelled() ? std::string() : m_window->data();
}

bool EditAltFeeDialog::Cancelled() const
{
    return m_window->cancelled();
}

} // namespace corvane
