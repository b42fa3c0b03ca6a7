#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// Numbers of the settings pages, read on their digits and never through floating point, so "12.345" rounds to
/// 12.35 exactly and a pasted "1e3" or "0x10" is not a number.
class SettingNumber {
public:
    /// Digits only (blanks around them are ignored); nothing for any other text or beyond 18 digits.
    static std::optional<std::int64_t> parseWhole(std::string_view text);
    /// Digits with at most one "." (".5" and "5." are numbers), in hundredths rounded half up.
    static std::optional<std::int64_t> parseHundredths(std::string_view text);
    /// Hundredths written the shortest way: 1235 "12.35", 1250 "12.5", 1200 "12", 5 "0.05".
    static std::string formatHundredths(std::int64_t hundredths);
    /// A value as the server stores it: an optional sign, digits and an optional fraction, rounded half up to a
    /// whole number; nothing for anything else (an empty text included).
    static std::optional<std::int64_t> parseStored(std::string_view text);
};

} // namespace corvane
