#pragma once

#include <CorvaneDialogsMgr.h>
#include <map>
#include <string>
#include <vector>

/// A server link that answers from a table instead of a network connection. A real link fills the reply from the
/// practice server and sets success to false when the server could not be reached.
class ExampleServerLink final : public corvane::Quillon {
public:
    std::map<std::string, std::string> replies;

    void GetServerStringData(const std::string& request, std::string& reply, const std::string&, std::string& errorText,
                             bool& success) override
    {
        const auto found = replies.find(request);
        success = true;
        errorText.clear();
        reply = found == replies.end() ? std::string() : found->second;
    }

    void DirectComm(const std::string& request, std::vector<std::string>& replyLines, const std::string&,
                    std::string& errorText, bool& success) override
    {
        const auto found = replies.find(request);
        success = true;
        errorText.clear();
        if (found == replies.end()) {
            replyLines = {"Error: the example server does not know " + request, "|END|"};
            return;
        }
        replyLines = {"|OK||", found->second, "|END|"};
    }

    void GetContextKey(std::string& contextKey) override { contextKey = "EXAMPLE"; }
    void GetOperatorName(std::string& operatorName) override { operatorName = "EXAMPLE"; }
};
