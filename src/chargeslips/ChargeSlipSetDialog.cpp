#include "ChargeSlipSetDialog.h"

#include "ChargeSet.h"
#include "Log.h"
#include "WindowRunner.h"
#include "frmChargeSetGroups.h"

#include <QApplication>

namespace corvane {

ChargeSlipSetDialog::ChargeSlipSetDialog()
    : m_set(std::make_unique<ChargeSet>())
{
}

ChargeSlipSetDialog::~ChargeSlipSetDialog() = default;

void ChargeSlipSetDialog::ReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

void ChargeSlipSetDialog::ShowDialog(const std::string& GridData)
{
    try {
        m_set->clear();
        m_set->parse(GridData);
        m_cancelled = true;
        frmChargeSetGroups window(*m_set, m_readOnly, QApplication::activeWindow());
        WindowRunner::run(window);
        m_cancelled = window.cancelled();
    } catch (...) {
        Log::error("ChargeSet/ShowDialog ", Log::describeCurrentException());
    }
}

std::string ChargeSlipSetDialog::GetData() const
{
    try {
        return m_set->serialise();
    } catch (...) {
        Log::error("ChargeSet/GetGroups ", Log::describeCurrentException());
        return {};
    }
}

bool ChargeSlipSetDialog::Cancelled() const
{
    return m_cancelled;
}

} // namespace corvane
