#pragma once

#include <string>
#include <string_view>

namespace corvane {

/// One of the server's scheduled processes the status page starts and stops.
struct ScheduledProcess {
    std::string_view leaf;
    std::string_view header;
    std::string_view statusRequest;
    std::string_view startRequest;
    std::string_view stopRequest;
    std::string_view title; ///< the process's name, also the title of its messages
};

enum class RunState { Running, Stopped, Unknown };

/// What a press of Start/Stop ended with: the one message to show and its title.
struct StartStopOutcome {
    bool sent = false; ///< a start or stop request reached the server
    std::string message;
    std::string title;
};

/// The status page of the scheduled reports or submissions process, without widgets.
class ScheduledStatus {
public:
    static const ScheduledProcess reports;
    static const ScheduledProcess submissions;
    /// The process a leaf name shows; nullptr for other names.
    static const ScheduledProcess* forLeaf(std::string_view leaf);

    /// How a status reply reads: running exactly for "1", unknown when the request failed or the reply is an
    /// error, stopped for any other answer (an empty one included).
    static RunState judge(bool sent, std::string_view reply);

    explicit ScheduledStatus(const ScheduledProcess& process);

    const ScheduledProcess& process() const { return *m_process; }
    RunState state() const { return m_state; }
    /// Asks the server; an error reply also gives the message that quotes it (see lastError).
    RunState refresh();
    /// The message of the last failed status request ("reply", line break, "after:", request), or empty.
    const std::string& lastError() const { return m_error; }

    std::string statusText() const;
    std::string buttonText() const;
    /// "Scheduled Reports started." or "... stopped."; empty while the state is unknown.
    std::string announcement() const;
    /// Asked before a running process is stopped.
    std::string stopQuestion() const;

    /// Starts a stopped process or stops a running one, as the server sees it now, then reads the state again.
    /// When the server's state is no longer expected (another workstation changed it), nothing is sent.
    StartStopOutcome startStop(RunState expected);

private:
    const ScheduledProcess* m_process;
    RunState m_state = RunState::Unknown;
    std::string m_error;
};

} // namespace corvane
