#pragma once

#include "ServerSettings.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// What reading a name of the server's configuration store found.
struct ConfigRead {
    enum class State {
        NotReached,
        ErrorReply, ///< "ERROR: UNKNOWN COMMAND" or any other error text
        Unset, ///< "#EMPTY#"
        Value, ///< the name is stored (its value may be empty)
    };

    State state = State::Unset;
    std::string value;

    bool answered() const { return state == State::Unset || state == State::Value; }
};

/// The request texts of the settings window, and the readers of their replies. Every builder that writes refuses
/// an empty key and a value that would shift the request's fields.
class SettingsRequests {
public:
    /// The most keys one multi-key read asks for.
    static constexpr std::size_t keysPerRead = 50;
    static constexpr std::string_view configUnset = "#EMPTY#";
    static constexpr std::string_view unknownCommand = "ERROR: UNKNOWN COMMAND";

    static std::string getSys(std::string_view key);
    /// "|SET|SYS|" key "=" value "|" (without the last bar when closingBar is false); nothing when the key is
    /// empty, holds "=" or ",", or key or value holds a separator. valueSeparators are the bytes the value uses
    /// between its own parts (TAB in the reminder tabs order), allowed in the value.
    static std::optional<std::string> setSys(std::string_view key, std::string_view value, bool closingBar = true,
                                             std::string_view valueSeparators = {});
    /// Multi-key reads "|GET|SYS|A,B,C|", at most keysPerRead keys each. Only for keys whose values are numbers:
    /// a comma inside a value would end it early.
    static std::vector<std::string> getSysMany(std::span<const std::string_view> keys);
    /// Each key's reading from a multi-key reply "A=1,B=2,C=3,".
    static std::vector<SysSettingRead> readMany(std::string_view reply, std::span<const std::string_view> keys);

    static std::string getConfig(std::string_view name);
    /// "|SET|MSCG|" name "||" value "|"; nothing when name or value holds a separator or name is empty.
    static std::optional<std::string> setConfig(std::string_view name, std::string_view value);
    /// "|SET|MSCG|" name "|DEL|".
    static std::optional<std::string> deleteConfig(std::string_view name);
    /// Judges a configuration store reply; sent is false when the request did not reach the server.
    static ConfigRead judgeConfigReply(bool sent, std::string_view reply);
};

} // namespace corvane
