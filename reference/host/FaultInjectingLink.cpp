#include "FaultInjectingLink.h"

#include <stdexcept>
#include <thread>

namespace corvane::reference {

FaultInjectingLink::FaultInjectingLink(std::shared_ptr<Quillon> inner)
    : m_inner(std::move(inner))
{
}

void FaultInjectingLink::failCall(int nth)
{
    m_failAt = nth > 0 ? m_calls + nth : 0;
}

void FaultInjectingLink::dropFromCall(int nth)
{
    m_dropFrom = nth > 0 ? m_calls + nth : 0;
}

void FaultInjectingLink::answerWithError(int nth, std::string line)
{
    m_errorAt = nth > 0 ? m_calls + nth : 0;
    m_errorLine = std::move(line);
}

void FaultInjectingLink::loseReplyOf(int nth, LostReply how)
{
    m_lostAt = nth > 0 ? m_calls + nth : 0;
    m_lost = how;
}

void FaultInjectingLink::setObserver(std::function<void(const std::string&)> observer)
{
    m_observer = std::move(observer);
}

void FaultInjectingLink::setLatency(std::chrono::milliseconds latency)
{
    m_latency = latency;
}

void FaultInjectingLink::setThrows(bool throws)
{
    m_throws = throws;
}

FaultInjectingLink::Fault FaultInjectingLink::nextFault(const std::string& request)
{
    ++m_calls;
    if (m_observer)
        m_observer(request);
    if (m_latency.count() > 0)
        std::this_thread::sleep_for(m_latency);
    if (m_calls == m_failAt || (m_dropFrom > 0 && m_calls >= m_dropFrom)) {
        if (m_throws)
            throw std::runtime_error("connection to the practice server lost");
        return Fault::Fail;
    }
    if (m_calls == m_errorAt)
        return Fault::ErrorLine;
    return m_calls == m_lostAt ? Fault::ReplyLost : Fault::None;
}

template<typename Pass, typename AnswerWithErrorLine, typename ClearReply>
void FaultInjectingLink::call(const std::string& request, std::string& errorText, bool& success, Pass&& pass,
                              AnswerWithErrorLine&& answer, ClearReply&& clear)
{
    switch (nextFault(request)) {
    case Fault::Fail:
        errorText = "connection to the practice server lost";
        success = false;
        return;
    case Fault::ErrorLine:
        answer();
        success = true;
        return;
    case Fault::ReplyLost:
        pass();
        clear();
        success = m_lost == LostReply::Empty;
        if (!success)
            errorText = "connection to the practice server lost";
        return;
    case Fault::None:
        pass();
        return;
    }
}

void FaultInjectingLink::GetServerStringData(const std::string& request, std::string& reply,
                                             const std::string& reserved, std::string& errorText, bool& success)
{
    const auto pass = [&] {
        m_inner->GetServerStringData(request, reply, reserved, errorText, success);
    };
    const auto answer = [&] {
        reply = m_errorLine;
    };
    const auto clear = [&] {
        reply.clear();
    };
    call(request, errorText, success, pass, answer, clear);
}

void FaultInjectingLink::DirectComm(const std::string& request, std::vector<std::string>& replyLines,
                                    const std::string& reserved, std::string& errorText, bool& success)
{
    const auto pass = [&] {
        m_inner->DirectComm(request, replyLines, reserved, errorText, success);
    };
    const auto answer = [&] {
        replyLines = {m_errorLine, "|END|"};
    };
    const auto clear = [&] {
        replyLines.clear();
    };
    call(request, errorText, success, pass, answer, clear);
}

void FaultInjectingLink::GetContextKey(std::string& contextKey)
{
    m_inner->GetContextKey(contextKey);
}

void FaultInjectingLink::GetOperatorName(std::string& operatorName)
{
    m_inner->GetOperatorName(operatorName);
}

} // namespace corvane::reference
