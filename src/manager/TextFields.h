#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// Field operations over delimited text, as the utilities component offers them.
class TextFields {
public:
    /// Field number (from 1) of text split at delimiter; empty when there is no such field.
    static std::string field(std::string_view text, std::int32_t number, std::string_view delimiter);
    /// The number of delimited fields; an empty text has none.
    static std::int32_t count(std::string_view text, std::string_view delimiter);
    /// Cuts text into consecutive pieces of at most maxLength bytes.
    static std::vector<std::string> splitByLength(std::string_view text, std::size_t maxLength);
    /// Cuts text at the first occurrence of separator; second is empty when it does not occur.
    static void splitInTwo(std::string_view text, std::string_view separator, std::string& first, std::string& second);
};

} // namespace corvane
