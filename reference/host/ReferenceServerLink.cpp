#include "ReferenceServerLink.h"

#include "PracticeServer.h"

namespace corvane::reference {

ReferenceServerLink::ReferenceServerLink(std::shared_ptr<PracticeServer> server, std::string operatorCode)
    : m_server(std::move(server))
    , m_operator(std::move(operatorCode))
{
}

void ReferenceServerLink::GetServerStringData(const std::string& request, std::string& reply, const std::string&,
                                              std::string& errorText, bool& success)
{
    try {
        reply = m_server->answerString(request, m_operator);
        success = true;
    } catch (const std::exception& e) {
        errorText = e.what();
        success = false;
    }
}

void ReferenceServerLink::DirectComm(const std::string& request, std::vector<std::string>& replyLines,
                                     const std::string&, std::string& errorText, bool& success)
{
    try {
        replyLines = m_server->answerLines(request, m_operator);
        success = true;
    } catch (const std::exception& e) {
        errorText = e.what();
        success = false;
    }
}

void ReferenceServerLink::GetContextKey(std::string& contextKey)
{
    contextKey = "REF-" + m_operator;
}

void ReferenceServerLink::GetOperatorName(std::string& operatorName)
{
    operatorName = m_operator;
}

} // namespace corvane::reference
