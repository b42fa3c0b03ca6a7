#include "ServerSettings.h"

#include "CheckForErrorOnSave.h"
#include "Log.h"
#include "ReplyFraming.h"
#include "SeparatorCheck.h"
#include "ServerRequest.h"
#include "SharedState.h"
#include "Text.h"

#include <optional>

namespace corvane {

namespace {

// The server reads the user name up to the next bar, so a separator in it would address another user's preferences.
std::optional<std::string> userNameFault(const std::string& user)
{
    if (const auto refused = SeparatorCheck::firstRefused(user))
        return "the user name holds " + SeparatorCheck::characterName(*refused) + ", which the request cannot carry";
    return std::nullopt;
}

} // namespace

SysSettingReading readSysSettingValue(std::string_view reply, std::string_view name)
{
    SysSettingReading reading;
    std::string key(name);
    key += '=';
    const std::size_t at = reply.find(key);
    if (at == std::string_view::npos)
        return reading;
    const std::size_t valueStart = at + key.size();
    const std::size_t lastComma = reply.rfind(',');
    if (lastComma == std::string_view::npos || lastComma < valueStart) {
        reading.malformed = true;
        return reading;
    }
    reading.value = std::string(reply.substr(valueStart, lastComma - valueStart));
    return reading;
}

std::string GetSysSetting(const std::string& name)
{
    auto& state = SharedState::instance();
    if (!state.quillon)
        return {};
    const std::string request = "|GET|SYS|" + name + "|";
    const StringReply reply = ServerRequest::viaString(request);
    if (!reply.sent) {
        state.prompter().beep();
        Log::line("CorvaneDialogs: Failed to get " + request);
    }
    const SysSettingReading reading = readSysSettingValue(reply.text, name);
    if (reading.malformed) {
        Log::line("CorvaneDialogs: GetSysSetting " + name + ", no comma ends the value in the reply");
        return {};
    }
    return reading.value;
}

SysSettingRead judgeSysSettingReply(std::string_view reply, std::string_view name)
{
    SysSettingRead read;
    // A status reply ("|ERROR|title|message") or an error line: the value is unknown, not empty.
    if (ReplyFraming::isErrorLine(text::trim(reply))
        || text::equalsNoCase(StatusReply::parse(reply).status(), "ERROR")) {
        read.state = SysSettingRead::State::ErrorReply;
        read.detail = std::string(reply);
        return read;
    }
    const SysSettingReading reading = readSysSettingValue(reply, name);
    if (reading.malformed) {
        read.state = SysSettingRead::State::ErrorReply;
        read.detail = std::string(reply);
        return read;
    }
    read.value = reading.value;
    if (!read.value.empty())
        read.state = SysSettingRead::State::Value;
    else if (reply.find(std::string(name) + "=") != std::string_view::npos)
        read.state = SysSettingRead::State::Empty;
    return read;
}

SysSettingRead readSysSetting(const std::string& name)
{
    return trapped("CorvaneDialogs: GetSysSetting " + name + ", ",
                   SysSettingRead {SysSettingRead::State::ErrorReply, {}, {}}, [&] {
                       auto& state = SharedState::instance();
                       const std::string request = "|GET|SYS|" + name + "|";
                       const StringReply reply = state.quillon ? ServerRequest::viaString(request) : StringReply {};
                       if (!reply.sent) {
                           state.prompter().beep();
                           Log::line("CorvaneDialogs: Failed to get " + request);
                           return SysSettingRead {SysSettingRead::State::NotReached, {}, reply.errorText};
                       }
                       return judgeSysSettingReply(reply.text, name);
                   });
}

std::string GetUserSettings(const std::string& user)
{
    if (const auto fault = userNameFault(user)) {
        Log::error("ERR in CorvaneDialogs.Main.GetUserSettings  ", *fault);
        return {};
    }
    const StringReply reply = ServerRequest::viaString("|GET|PREFS|" + user + "|");
    if (!reply.sent)
        Log::error("ERR in CorvaneDialogs.Main.GetUserSettings  ", reply.errorText);
    return reply.text;
}

std::string buildSetPreferencesRequest(const std::string& user, const std::string& operatorName,
                                       const std::string& text)
{
    if (text::equalsNoCase(user, operatorName))
        return "|SET|PREFS||" + text;
    return "|SET|PREFS|" + user + "|" + text;
}

bool SetUserSettings(const Preferences& preferences, const std::string& user, bool& startEmpty)
{
    return trapped("ERR in CorvaneDialogs.Main.SetUserSettings  ", false, [&] {
        if (const auto fault = userNameFault(user)) {
            Log::error("ERR in CorvaneDialogs.Main.SetUserSettings  ", *fault);
            return false;
        }
        std::string text = startEmpty ? std::string() : preferences.currentText();
        preferences.writeSettings(text);
        const std::string request = buildSetPreferencesRequest(user, SharedState::instance().operatorName, text);
        const StringReply reply = ServerRequest::viaString(request);
        if (!reply.sent) {
            Log::error("ERR in CorvaneDialogs.Main.SetUserSettings  ", reply.errorText);
            return false;
        }
        return CheckForErrorOnSave(reply.text);
    });
}

} // namespace corvane
