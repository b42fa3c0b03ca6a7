#include "FaxSenderDefaults.h"

#include "Text.h"

namespace corvane {

std::optional<FaxSenderDefaults> FaxSenderDefaults::read(std::string_view reply)
{
    if (text::startsWithNoCase(reply, "error"))
        return std::nullopt;
    const auto fields = text::split(reply, text::recordSeparator);
    if (fields.size() < minimumFields)
        return std::nullopt;
    FaxSenderDefaults defaults;
    defaults.sender = std::string(text::trim(fields[senderField]));
    defaults.phone = std::string(text::trim(fields[phoneField]));
    defaults.subject = std::string(text::trim(fields[subjectField]));
    defaults.method = text::upper(text::trim(fields[methodField]));
    defaults.priority = text::upper(text::trim(fields[priorityField]));
    return defaults;
}

} // namespace corvane
