#pragma once

#include "corvanedialogs_export.h"

#include <cstdint>
#include <memory>
#include <string>

namespace corvane {

class frmEditAltFees;

/// Shows and edits a procedure code's alternate fees by price set, handed in and out in cents as one string.
/// The window lives as long as the object; ShowDialog may be called more than once.
class CORVANEDIALOGS_EXPORT EditAltFeeDialog {
public:
    EditAltFeeDialog();
    ~EditAltFeeDialog();

    /// CallingCode is accepted and not used; iState non-zero edits, zero only shows. FeeSet holds entries
    /// "set TAB cents" each followed by byte 230; StndrdFee is in cents.
    void ShowDialog(const std::string& CallingCode, const std::string& FeeSet, std::int16_t iState,
                    const std::string& ProcCode, const std::string& ProcDescr = {}, const std::string& StndrdFee = {});
    /// The fees confirmed in edit mode, in cents; empty in view mode or after cancelling.
    std::string GetData() const;
    /// True unless the operator confirmed with OK in edit mode.
    bool Cancelled() const;

private:
    std::unique_ptr<frmEditAltFees> m_window;
};

} // namespace corvane
