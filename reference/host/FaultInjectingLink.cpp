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

void FaultInjectingLink::setLatency(std::chrono::milliseconds latency)
{
    m_latency = latency;
}

void FaultInjectingLink::setThrows(bool throws)
{
    m_throws = throws;
}

FaultInjectingLink::Fault FaultInjectingLink::nextFault()
{
    ++m_calls;
    if (m_latency.count() > 0)
        std::this_thread::sleep_for(m_latency);
    if (m_calls == m_failAt || (m_dropFrom > 0 && m_calls >= m_dropFrom)) {
        if (m_throws)
            throw std::runtime_error("connection to the practice server lost");
        return Fault::Fail;
    }
    return m_calls == m_errorAt ? Fault::ErrorLine : Fault::None;
}

template<typename AnswerWithErrorLine>
bool FaultInjectingLink::intercepted(std::string& errorText, bool& success, AnswerWithErrorLine&& answer)
{
    switch (nextFault()) {
    case Fault::Fail:
        errorText = "connection to the practice server lost";
        success = false;
        return true;
    case Fault::ErrorLine:
        answer();
        success = true;
        return true;
    case Fault::None:
        break;
    }
    return false;
}

void FaultInjectingLink::GetServerStringData(const std::string& request, std::string& reply,
                                             const std::string& reserved, std::string& errorText, bool& success)
{
    if (!intercepted(errorText, success, [&] { reply = m_errorLine; }))
        m_inner->GetServerStringData(request, reply, reserved, errorText, success);
}

void FaultInjectingLink::DirectComm(const std::string& request, std::vector<std::string>& replyLines,
                                    const std::string& reserved, std::string& errorText, bool& success)
{
    if (!intercepted(errorText, success, [&] { replyLines = {m_errorLine, "|END|"}; }))
        m_inner->DirectComm(request, replyLines, reserved, errorText, success);
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
