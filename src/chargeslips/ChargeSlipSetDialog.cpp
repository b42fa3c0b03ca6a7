#include "ChargeSlipSetDialog.h"

#include "ChargeSet.h"
#include "Log.h"
#include "WindowRunner.h"
#include "frmChargeSetGroups.h"

#include <QApplication>

namespace corvane {

// Shared with a window shown without blocking, which may outlive the show call.
struct ChargeSlipSetDialog::State {
    ChargeSet set;
    bool readOnly = false;
    bool cancelled = true;
};

ChargeSlipSetDialog::ChargeSlipSetDialog()
    : m_state(std::make_shared<State>())
{
}

ChargeSlipSetDialog::~ChargeSlipSetDialog() = default;

void ChargeSlipSetDialog::ReadOnly(bool readOnly)
{
    m_state->readOnly = readOnly;
}

void ChargeSlipSetDialog::ShowDialog(std::string& GridData)
{
    try {
        m_state->set.clear();
        m_state->set.parse(GridData);
        m_state->cancelled = true;
        auto* window = new frmChargeSetGroups(m_state->set, m_state->readOnly, QApplication::activeWindow());
        window->setAttribute(Qt::WA_DeleteOnClose);
        std::shared_ptr<State> state = m_state;
        QObject::connect(window, &QDialog::finished, window,
                         [state, window] { state->cancelled = window->cancelled(); });
        WindowRunner::run(*window);
    } catch (...) {
        Log::error("ChargeSet/ShowDialog ", Log::describeCurrentException());
    }
}

std::string ChargeSlipSetDialog::GetData() const
{
    try {
        return m_state->set.serialise();
    } catch (...) {
        Log::error("ChargeSet/GetGroups ", Log::describeCurrentException());
        return {};
    }
}

bool ChargeSlipSetDialog::Cancelled() const
{
    return m_state->cancelled;
}

} // namespace corvane
