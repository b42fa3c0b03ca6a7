#pragma once

#include "CorvaneUtils.h"

#include <string>
#include <string_view>

namespace corvane {

/// What a "|GET|SYS|" reply says about one setting.
struct SysSettingReading {
    std::string value; ///< empty when the name is absent
    bool malformed = false; ///< the name is there but no comma ends its value
};

/// Reads name's value from a "|GET|SYS|" reply: the text after name "=" up to the reply's last comma.
SysSettingReading readSysSettingValue(std::string_view reply, std::string_view name);

/// A system setting's value from the server; empty when absent or unreachable.
std::string GetSysSetting(const std::string& name);

/// What reading one system setting found, so that a failed read is never taken for an empty value.
struct SysSettingRead {
    enum class State {
        NotReached, ///< the request did not reach the server or got no answer
        ErrorReply, ///< the server answered with an error, or a reply that cannot be read
        Absent, ///< the reply does not hold the name
        Empty, ///< the name is there with an empty value
        Value,
    };

    State state = State::Absent;
    std::string value;
    std::string detail; ///< the link's error text or the server's reply when the read failed

    /// True when the server answered what it holds (absent, empty or a value).
    bool answered() const { return state != State::NotReached && state != State::ErrorReply; }
};

/// Judges a "|GET|SYS|" reply for name without sending anything.
SysSettingRead judgeSysSettingReply(std::string_view reply, std::string_view name);
/// Reads name from the server as GetSysSetting does (same request, beep and log line when not reached), telling
/// apart what GetSysSetting gives back as empty text.
SysSettingRead readSysSetting(const std::string& name);
/// The stored preference text of user; empty when nothing came back or the name holds a separator (logged).
std::string GetUserSettings(const std::string& user);
/// Stores the preferences object's settings for user; true when the server took them. A user name holding a
/// separator ("|", TAB, a line break, 230, 231, 246, 199) is refused with a log line and nothing is sent.
bool SetUserSettings(const Preferences& preferences, const std::string& user, bool& startEmpty);
/// The "|SET|PREFS|" request for user: an empty user field when user is the signed-in operator.
std::string buildSetPreferencesRequest(const std::string& user, const std::string& operatorName,
                                       const std::string& text);

} // namespace corvane
