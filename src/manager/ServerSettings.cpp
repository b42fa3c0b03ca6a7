#include "ServerSettings.h"

#include "CheckForErrorOnSave.h"
#include "Log.h"
#include "ServerRequest.h"
#include "SharedState.h"
#include "Text.h"

namespace corvane {

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

std::string GetUserSettings(const std::string& user)
{
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
