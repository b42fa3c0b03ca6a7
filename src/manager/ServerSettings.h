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
/// The stored preference text of user; empty when nothing came back.
std::string GetUserSettings(const std::string& user);
/// Stores the preferences object's settings for user; true when the server took them.
bool SetUserSettings(const Preferences& preferences, const std::string& user, bool& startEmpty);
/// The "|SET|PREFS|" request for user: an empty user field when user is the signed-in operator.
std::string buildSetPreferencesRequest(const std::string& user, const std::string& operatorName,
                                       const std::string& text);

} // namespace corvane
