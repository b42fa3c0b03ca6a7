#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// What "|GET|TRAN|FAX|" queues for one document: fourteen fields separated by byte 230, in the server's order.
struct FaxData {
    static constexpr char separator = '\xE6';
    static constexpr int fieldCount = 14;

    std::string sender;
    std::string phone;
    std::string subject;
    std::string recipientId;
    std::string fax;
    std::string company;
    std::string email;
    std::string method; ///< "F", "E", "T" or "S"
    std::string priority; ///< "R", "U", "D" or "E"
    std::string password;

    /// The fourteen fields: sender, phone, subject, recipient id, fax, company, e-mail, method, three empty
    /// fields, priority, password and the recipient id again. Nothing when a field holds a separator; refusal
    /// then names the field and the character.
    std::optional<std::string> build(std::string& refusal) const;
};

} // namespace corvane
