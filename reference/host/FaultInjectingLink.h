#pragma once

#include "Quillon.h"

#include <chrono>
#include <memory>
#include <string>

namespace corvane::reference {

/// Wraps a server link and misbehaves on demand: fails a chosen call, answers with an error line, or is slow.
class FaultInjectingLink final : public Quillon {
public:
    explicit FaultInjectingLink(std::shared_ptr<Quillon> inner);

    /// The nth request from now (1 = the next) reports failure; 0 switches it off.
    void failCall(int nth);
    /// Every request from the nth on fails, as if the connection dropped.
    void dropFromCall(int nth);
    /// The nth request from now is answered with this line instead of reaching the server.
    void answerWithError(int nth, std::string line);
    /// Every request waits this long before it is passed on.
    void setLatency(std::chrono::milliseconds latency);
    /// Makes the link throw instead of reporting failure.
    void setThrows(bool throws);
    int callsMade() const { return m_calls; }

    void GetServerStringData(const std::string& request, std::string& reply, const std::string& reserved,
                             std::string& errorText, bool& success) override;
    void DirectComm(const std::string& request, std::vector<std::string>& replyLines, const std::string& reserved,
                    std::string& errorText, bool& success) override;
    void GetContextKey(std::string& contextKey) override;
    void GetOperatorName(std::string& operatorName) override;

private:
    enum class Fault { None, Fail, ErrorLine };
    Fault nextFault();
    /// Fails the call or answers it with the error line when a fault is due; true when it was handled here.
    template<typename AnswerWithErrorLine>
    bool intercepted(std::string& errorText, bool& success, AnswerWithErrorLine&& answer);

    std::shared_ptr<Quillon> m_inner;
    int m_calls = 0;
    int m_failAt = 0;
    int m_dropFrom = 0;
    int m_errorAt = 0;
    std::string m_errorLine;
    std::chrono::milliseconds m_latency {0};
    bool m_throws = false;
};

} // namespace corvane::reference
