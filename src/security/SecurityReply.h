#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// Reading rules shared by the security pages' replies.
class SecurityReply {
public:
    /// A page reply that cannot be shown: empty, an error line, or one that begins with "ERROR" in any case
    /// (blanks in front do not count).
    static bool failed(std::string_view reply);
    /// A flag as the server writes it: "1", "-1", "True", "Y" or "Yes" (any case) or another non-zero number;
    /// empty and anything else read as false.
    static bool readsAsTrue(std::string_view flag);
    /// The text without the CR and LF bytes that joining reply lines puts between them; no field of these replies
    /// can hold one.
    static std::string withoutLineBreaks(std::string_view text);
    /// The records of text split at byte 230; an empty text gives none, a text ending in byte 230 no empty last one.
    static std::vector<std::string_view> records(std::string_view text);
};

} // namespace corvane
