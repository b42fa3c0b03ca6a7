#pragma once

#include "Quillon.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace corvane::reference {

/// Wraps a server link and misbehaves on demand: fails a chosen call, answers with an error line, loses a reply
/// after the server acted on the request, or is slow. Counts every call.
class FaultInjectingLink final : public Quillon {
public:
    /// How a lost reply shows: the link reports failure, or success with nothing in the reply.
    enum class LostReply { Failure, Empty };

    explicit FaultInjectingLink(std::shared_ptr<Quillon> inner);

    /// The nth request from now (1 = the next) reports failure; 0 switches it off.
    void failCall(int nth);
    /// Every request from the nth on fails, as if the connection dropped.
    void dropFromCall(int nth);
    /// The nth request from now is answered with this line instead of reaching the server.
    void answerWithError(int nth, std::string line);
    /// The nth request from now reaches the server, which acts on it, and its reply is lost on the way back.
    void loseReplyOf(int nth, LostReply how = LostReply::Failure);
    /// Sees every request as it is made, whatever then happens to it.
    void setObserver(std::function<void(const std::string& request)> observer);
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
    enum class Fault { None, Fail, ErrorLine, ReplyLost };
    Fault nextFault(const std::string& request);
    /// Passes the call on, or fails it, answers it with the error line or loses its reply when a fault is due.
    template<typename Pass, typename AnswerWithErrorLine, typename ClearReply>
    void call(const std::string& request, std::string& errorText, bool& success, Pass&& pass,
              AnswerWithErrorLine&& answer, ClearReply&& clear);

    std::shared_ptr<Quillon> m_inner;
    int m_calls = 0;
    int m_failAt = 0;
    int m_dropFrom = 0;
    int m_errorAt = 0;
    std::string m_errorLine;
    int m_lostAt = 0;
    LostReply m_lost = LostReply::Failure;
    std::function<void(const std::string&)> m_observer;
    std::chrono::milliseconds m_latency {0};
    bool m_throws = false;
};

} // namespace corvane::reference
