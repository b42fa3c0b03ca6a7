#include "Log.h"

#include "SharedState.h"

#include <stdexcept>

namespace corvane {

void Log::line(const std::string& text)
{
    auto utils = SharedState::instance().utils;
    if (!utils)
        return;
    try {
        utils->LogLine(text);
    } catch (...) {
        // The log is the last resort; nothing sensible is left to do.
    }
}

void Log::error(const std::string& prefix, const std::string& description)
{
    line(prefix + description);
}

std::string Log::commFailureText(const std::string& operation, const std::string& where)
{
    return "mcomm." + operation + " failed in " + where;
}

void Log::commFailure(const std::string& operation, const std::string& where)
{
    line(commFailureText(operation, where));
}

void Log::trace(const std::string& text)
{
    auto utils = SharedState::instance().utils;
    if (!utils)
        return;
    try {
        utils->TraceLine(text);
    } catch (...) {
    }
}

std::string Log::describeCurrentException()
{
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown error";
    }
}

} // namespace corvane
