#pragma once

#include <CorvaneDialogsMgr.h>
#include <string>

/// Takes every code that is not empty as valid; a real host asks its practice server.
class ExampleServerUtils final : public corvane::CorvaneServerUtils {
public:
    void ValidateCode(const std::string&, const std::string& code, const std::string&,
                      corvane::CodeVerdict& verdict) override
    {
        verdict = code.empty() ? corvane::CodeVerdict {"NOT VALID", {}} : corvane::CodeVerdict {"VALID", code};
    }
};
