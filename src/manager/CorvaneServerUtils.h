#pragma once

#include <string>

namespace corvane {

/// The verdict of a code validation: status "VALID" or "NOT VALID", and the code's description.
struct CodeVerdict {
    std::string status;
    std::string description;
};

/// The host's server-utilities component.
class CorvaneServerUtils {
public:
    virtual ~CorvaneServerUtils() = default;

    /// Validates a typed code against the lookup named lookupName.
    virtual void ValidateCode(const std::string& lookupName, const std::string& code, const std::string& contextKey,
                              CodeVerdict& verdict)
        = 0;
};

} // namespace corvane
