#pragma once

#include <string>
#include <vector>

namespace corvane {

/// The host's server link. Every text is Windows-1252 wire text; no escaping is applied.
class Quillon {
public:
    virtual ~Quillon() = default;

    /// Sends one request and fills reply with the server's whole answer; success is false when unreachable.
    virtual void GetServerStringData(const std::string& request, std::string& reply, const std::string& reserved,
                                     std::string& errorText, bool& success)
        = 0;
    /// Sends one request and fills replyLines: first "|OK||" or an error line, then data lines, last "|END|".
    virtual void DirectComm(const std::string& request, std::vector<std::string>& replyLines,
                            const std::string& reserved, std::string& errorText, bool& success)
        = 0;
    /// The context key handed unchanged to code-table fetches and the lookup component.
    virtual void GetContextKey(std::string& contextKey) = 0;
    /// The user name of the signed-in operator.
    virtual void GetOperatorName(std::string& operatorName) = 0;
};

} // namespace corvane
