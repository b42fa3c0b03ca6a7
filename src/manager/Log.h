#pragma once

#include <exception>
#include <string>

namespace corvane {

/// The library's logging convention: every line goes through the utilities component's logging operation.
class Log {
public:
    /// Writes one line; does nothing when no utilities component is held.
    static void line(const std::string& text);
    /// Writes prefix followed by the error description, for example ("ERR in frmSTW.GRIDMakeNewRow   ", ...).
    static void error(const std::string& prefix, const std::string& description);
    /// Writes "mcomm.<operation> failed in <where>", the line for a failed server call.
    static void commFailure(const std::string& operation, const std::string& where);
    /// The text of the line commFailure writes.
    static std::string commFailureText(const std::string& operation, const std::string& where);
    /// Writes a diagnostic line to the host's trace.
    static void trace(const std::string& text);
    /// The description of the exception being handled (for use inside catch blocks).
    static std::string describeCurrentException();
};

/// Runs body; an exception is logged as prefix + description and fallback is returned instead.
template<typename Result, typename Body> Result trapped(const std::string& prefix, Result fallback, Body&& body)
{
    try {
        return body();
    } catch (...) {
        Log::error(prefix, Log::describeCurrentException());
        return fallback;
    }
}

} // namespace corvane
