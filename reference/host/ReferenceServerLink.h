#pragma once

#include "Quillon.h"

#include <memory>
#include <string>

namespace corvane::reference {

class PracticeServer;

/// The server link of the reference host: talks to an in-process practice server as one signed-in operator.
class ReferenceServerLink final : public Quillon {
public:
    ReferenceServerLink(std::shared_ptr<PracticeServer> server, std::string operatorCode);

    void GetServerStringData(const std::string& request, std::string& reply, const std::string& reserved,
                             std::string& errorText, bool& success) override;
    void DirectComm(const std::string& request, std::vector<std::string>& replyLines, const std::string& reserved,
                    std::string& errorText, bool& success) override;
    void GetContextKey(std::string& contextKey) override;
    void GetOperatorName(std::string& operatorName) override;

    const std::string& operatorCode() const { return m_operator; }

private:
    std::shared_ptr<PracticeServer> m_server;
    std::string m_operator;
};

} // namespace corvane::reference
