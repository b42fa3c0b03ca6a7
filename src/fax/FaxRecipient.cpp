#include "FaxRecipient.h"

#include "Text.h"

namespace corvane {

std::optional<FaxRecipient> FaxRecipient::read(std::string_view reply)
{
    if (text::startsWithNoCase(reply, "error"))
        return std::nullopt;
    const auto fields = text::split(reply, text::recordSeparator);
    if (fields.size() < minimumFields)
        return std::nullopt;
    FaxRecipient recipient;
    recipient.id = std::string(text::trim(fields[idField]));
    recipient.name = std::string(text::trim(fields[nameField]));
    recipient.company = std::string(text::trim(fields[companyField]));
    recipient.fax = std::string(text::trim(fields[faxField]));
    recipient.email = std::string(text::trim(fields[emailField]));
    recipient.delivery = text::upper(text::trim(fields[deliveryField]));
    if (fields.size() >= deliveryFields) {
        recipient.ftpAddress = std::string(text::trim(fields[ftpField]));
        recipient.sureScriptsId = std::string(text::trim(fields[sureScriptsField]));
    }
    if (fields.size() >= fullFields)
        recipient.priority = text::upper(text::trim(fields[priorityField]));
    return recipient;
}

std::string FaxRecipient::methodFor(std::string_view delivery)
{
    if (delivery == "F" || delivery == "X")
        return "F";
    if (delivery == "D")
        return "S";
    if (delivery == "E" || delivery == "T" || delivery == "S")
        return std::string(delivery);
    return {};
}

} // namespace corvane
