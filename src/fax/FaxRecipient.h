#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// A recipient as "|GET|TRAN|RFG|" describes it: fields separated by byte 230. The window reads a reply of at
/// least 29 fields; the delivery details from 33, the preferred priority from 49.
struct FaxRecipient {
    // Field positions in the reply.
    static constexpr std::size_t idField = 0;
    static constexpr std::size_t nameField = 1;
    static constexpr std::size_t companyField = 2;
    static constexpr std::size_t faxField = 3;
    static constexpr std::size_t emailField = 4;
    static constexpr std::size_t deliveryField = 5;
    static constexpr std::size_t ftpField = 29;
    static constexpr std::size_t sureScriptsField = 31;
    static constexpr std::size_t priorityField = 33;
    static constexpr std::size_t minimumFields = 29;
    static constexpr std::size_t deliveryFields = 33;
    static constexpr std::size_t fullFields = 49;

    std::string id;
    std::string name;
    std::string company;
    std::string fax;
    std::string email;
    /// The preferred delivery: "F" fax only, "D" direct (SureScripts), "X" no electronic delivery (fax only), or a
    /// method code ("F", "E", "T", "S"); empty when none.
    std::string delivery;
    std::string ftpAddress;
    std::string sureScriptsId;
    std::string priority;

    /// Nothing when the reply has fewer than 29 fields or is an error.
    static std::optional<FaxRecipient> read(std::string_view reply);
    /// The method to choose for delivery code: "F", "E", "T" or "S"; empty when the code names none.
    static std::string methodFor(std::string_view delivery);
    /// True when the code allows only fax ("F" and "X").
    static bool faxOnly(std::string_view delivery) { return delivery == "F" || delivery == "X"; }
};

} // namespace corvane
