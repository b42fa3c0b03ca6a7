#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The sender's defaults as "|GET|TRAN|FAXCONFIG|" gives them: at least 18 fields separated by byte 230.
struct FaxSenderDefaults {
    static constexpr std::size_t senderField = 0;
    static constexpr std::size_t phoneField = 1;
    static constexpr std::size_t subjectField = 4;
    static constexpr std::size_t methodField = 5;
    static constexpr std::size_t priorityField = 6;
    static constexpr std::size_t minimumFields = 18;

    std::string sender;
    std::string phone;
    std::string subject;
    std::string method;
    std::string priority;

    /// Nothing when the reply has fewer than 18 fields or is an error.
    static std::optional<FaxSenderDefaults> read(std::string_view reply);
};

} // namespace corvane
