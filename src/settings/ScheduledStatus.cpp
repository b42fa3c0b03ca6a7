#include "ScheduledStatus.h"

#include "Log.h"
#include "ReplyFraming.h"
#include "ServerRequest.h"
#include "Text.h"

namespace corvane {

namespace {

bool isErrorReply(std::string_view reply)
{
    const std::string_view trimmed = text::trim(reply);
    return text::startsWithNoCase(trimmed, "ERROR") || ReplyFraming::isErrorLine(trimmed)
        || StatusReply::parse(trimmed).status() == "ERROR";
}

std::string afterText(const std::string& reply, std::string_view request)
{
    return reply + "\r\nafter:" + std::string(request);
}

} // namespace

const ScheduledProcess ScheduledStatus::reports
    = {"sch_reports_status", "Scheduled Reports Status", "|GETP|RPTSCH|RUNSTATUS",
       "|SETP|RPTSCH|RUN|1", "|SETP|RPTSCH|RUN|0",       "Scheduled Reports"};
const ScheduledProcess ScheduledStatus::submissions
    = {"sch_submissions_status", "Scheduled Submissions Status", "|GETP|SUBSCH|RUNSTATUS",
       "|SETP|SUBSCH|RUN|1",     "|SETP|SUBSCH|RUN|0",           "Scheduled Submissions"};

const ScheduledProcess* ScheduledStatus::forLeaf(std::string_view leaf)
{
    if (leaf == reports.leaf)
        return &reports;
    if (leaf == submissions.leaf)
        return &submissions;
    return nullptr;
}

RunState ScheduledStatus::judge(bool sent, std::string_view reply)
{
    if (!sent || isErrorReply(reply))
        return RunState::Unknown;
    return text::trim(reply) == "1" ? RunState::Running : RunState::Stopped;
}

ScheduledStatus::ScheduledStatus(const ScheduledProcess& process)
    : m_process(&process)
{
}

RunState ScheduledStatus::refresh()
{
    m_error.clear();
    m_state = trapped("cmdRefresh_Click error: ", RunState::Unknown, [&] {
        const std::string request(m_process->statusRequest);
        const StringReply reply = ServerRequest::viaString(request);
        if (!reply.sent) {
            Log::line("mcomm.GetServerStringData failed in frmSysSettings.SchStatusIsRunning " + reply.errorText);
            m_error = std::string(m_process->title) + ": the server could not be reached.";
        } else if (isErrorReply(reply.text)) {
            m_error = afterText(reply.text, request);
        }
        return judge(reply.sent, reply.text);
    });
    return m_state;
}

std::string ScheduledStatus::statusText() const
{
    switch (m_state) {
    case RunState::Running:
        return "RUNNING";
    case RunState::Stopped:
        return "STOPPED";
    case RunState::Unknown:
        break;
    }
    return "UNKNOWN";
}

std::string ScheduledStatus::buttonText() const
{
    switch (m_state) {
    case RunState::Running:
        return "STOP";
    case RunState::Stopped:
        return "START";
    case RunState::Unknown:
        break;
    }
    return "Start / Stop";
}

std::string ScheduledStatus::announcement() const
{
    switch (m_state) {
    case RunState::Running:
        return std::string(m_process->title) + " started.";
    case RunState::Stopped:
        return std::string(m_process->title) + " stopped.";
    case RunState::Unknown:
        break;
    }
    return {};
}

std::string ScheduledStatus::stopQuestion() const
{
    return "Stop " + std::string(m_process->title) + "?";
}

StartStopOutcome ScheduledStatus::startStop(RunState expected)
{
    StartStopOutcome outcome;
    outcome.title = std::string(m_process->title);
    return trapped("ERR in frmSysSettings.cmdStartStop_Click   ", outcome, [&] {
        // The state is read again first: another workstation may have started or stopped it meanwhile.
        if (refresh() == RunState::Unknown) {
            outcome.message = m_error;
            return outcome;
        }
        if (m_state != expected) {
            outcome.message = std::string(m_process->title)
                + (m_state == RunState::Running ? " is already running." : " is already stopped.");
            return outcome;
        }
        const std::string request(m_state == RunState::Running ? m_process->stopRequest : m_process->startRequest);
        const StringReply reply = ServerRequest::viaString(request);
        outcome.sent = reply.sent;
        if (!reply.sent) {
            Log::line("mcomm.GetServerStringData failed in frmSysSettings.cmdStartStop_Click " + reply.errorText);
        } else if (isErrorReply(reply.text)) {
            refresh();
            outcome.message = afterText(reply.text, request);
            return outcome;
        } else if (text::trim(reply.text) != "1") {
            refresh();
            outcome.message = "Error: " + request + ", returned: " + reply.text;
            outcome.title = "Start/Stop";
            return outcome;
        }
        if (refresh() == RunState::Unknown)
            outcome.message = m_error;
        else
            outcome.message = announcement();
        return outcome;
    });
}

} // namespace corvane
