#include "frmSchStatusPage.h"

#include "Messages.h"
#include "WaitPointer.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

frmSchStatusPage::frmSchStatusPage(const ScheduledProcess& process, QWidget* parent)
    : frmOwnSettingsPage(parent)
    , m_status(process)
{
    setObjectName(QStringLiteral("fraSchStatus"));
    auto* layout = new QVBoxLayout(this);
    m_header = new QLabel(WireCodec::toQString(process.header), this);
    m_header->setObjectName(QStringLiteral("lblSchStatusHeader"));
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    layout->addWidget(m_header);
    m_state = new QLabel(tr("STOPPED"), this);
    m_state->setObjectName(QStringLiteral("lblSchStatus"));
    QFont big = m_state->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    m_state->setFont(big);
    layout->addWidget(m_state);
    m_startStop = makeButton(this, "cmdStartStop", tr("Start / Stop"));
    m_refresh = makeButton(this, "cmdRefresh", tr("Refresh"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_startStop);
    buttons->addWidget(m_refresh);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addStretch(1);
    connect(m_startStop, &QPushButton::clicked, this, &frmSchStatusPage::cmdStartStop_Click);
    connect(m_refresh, &QPushButton::clicked, this, &frmSchStatusPage::cmdRefresh_Click);
}

bool frmSchStatusPage::load()
{
    // An unknown state is shown as such: the page is what tells the operator the server did not answer.
    ShowCodeForSchStatus(false);
    return true;
}

void frmSchStatusPage::ShowCodeForSchStatus(bool announce)
{
    m_status.refresh();
    showState();
    if (announce && !m_status.lastError().empty())
        tell(m_status.lastError(), PromptIcon::Warning, std::string(m_status.process().title));
}

void frmSchStatusPage::showState()
{
    m_state->setText(WireCodec::toQString(m_status.statusText()));
    m_startStop->setText(WireCodec::toQString(m_status.buttonText()));
    m_startStop->setEnabled(m_writable && m_status.state() != RunState::Unknown);
}

void frmSchStatusPage::setWritable(bool writable)
{
    m_writable = writable;
    showState();
}

void frmSchStatusPage::cmdStartStop_Click()
{
    if (!m_writable || !mayWriteNow())
        return;
    // Stopping keeps reports or submissions from going out: asked first, on the state as the server sees it now.
    const RunState shown = m_status.refresh();
    if (shown == RunState::Unknown) {
        showState();
        tell(m_status.lastError(), PromptIcon::Warning, std::string(m_status.process().title));
        return;
    }
    if (shown == RunState::Running
        && ask(m_status.stopQuestion(), PromptButtons::YesNo, PromptAnswer::No, PromptIcon::Question,
               std::string(m_status.process().title))
            != PromptAnswer::Yes) {
        showState();
        return;
    }
    StartStopOutcome outcome;
    {
        const WaitPointer wait;
        outcome = m_status.startStop(shown);
    }
    showState();
    if (!outcome.message.empty())
        tell(outcome.message, PromptIcon::None, outcome.title);
}

void frmSchStatusPage::cmdRefresh_Click()
{
    ShowCodeForSchStatus(true);
}

QWidget* frmSchStatusPage::firstEditor() const
{
    return m_startStop->isEnabled() ? m_startStop : m_refresh;
}

} // namespace corvane
