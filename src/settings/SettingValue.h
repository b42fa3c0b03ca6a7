#pragma once

#include "SettingsCatalogue.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// What the settings window keeps for one key once it has been read.
struct CachedSetting {
    enum class State {
        Value,
        NotSet, ///< a "not set" key read empty: no choice is selected
        NotANumber, ///< a numeric key whose text is not a number: no choice is selected
    };

    State state = State::Value;
    std::int64_t number = 0; ///< flags 1 or 0; whole numbers; the decimal key in hundredths
    std::string text; ///< the value after the empty default replaced an empty one
};

/// The result of converting a value, with the line to log when something was wrong with it.
struct SettingConversion {
    CachedSetting value;
    std::string problem; ///< empty when the value converted cleanly
};

/// Converts the values the server holds by the catalogue's key kinds.
class SettingValue {
public:
    /// What is kept for entry's key when the server holds raw; previous is what was kept before (the payment keys
    /// keep it when their value is not a number).
    static SettingConversion convert(const SettingKey& entry, std::string_view raw, const CachedSetting& previous = {});
    /// The choice the value selects: 1 or 0 for a flag, a number's absolute value; nothing when not set or not a
    /// number. negative tells the caller that a negative number was stored (worth a log line).
    static std::optional<int> choiceIndex(const CachedSetting& value, bool& negative);
    /// The choice an empty value selects (the catalogue default), or nothing for the "not set" keys.
    static std::optional<int> defaultChoice(const SettingKey& entry);
    /// True when raw selects the same choice (numeric keys) or holds the same text as an empty value would.
    static bool isDefault(const SettingKey& entry, std::string_view raw);
    /// True for the kinds whose value is a number (the ones a multi-key read may carry).
    static bool isNumeric(ValueKind kind);
};

} // namespace corvane
