#include "GuardedDialog.h"

#include <QCloseEvent>

namespace corvane {

void GuardedDialog::closeEvent(QCloseEvent* event)
{
    if (!m_settled && !settlePendingChanges()) {
        event->ignore();
        return;
    }
    m_settled = true;
    QDialog::closeEvent(event);
}

void GuardedDialog::reject()
{
    if (!m_settled && !settlePendingChanges())
        return;
    m_settled = true;
    QDialog::reject();
}

} // namespace corvane
