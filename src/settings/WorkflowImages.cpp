#include "WorkflowImages.h"

#include "SeparatorCheck.h"
#include "SettingNumber.h"
#include "Text.h"

#include <algorithm>

namespace corvane {

WorkflowImages WorkflowImages::parse(std::string_view value)
{
    WorkflowImages parsed;
    const std::string_view trimmed = text::trim(value);
    if (trimmed.empty())
        return parsed;
    const auto fields = text::split(trimmed, ':');
    const std::string_view types = text::trim(fields.front());
    parsed.allTypes = types.empty() || types == "*";
    if (!parsed.allTypes) {
        for (const std::string_view code : text::split(types, ',')) {
            if (!text::trim(code).empty())
                parsed.types.emplace_back(text::trim(code));
        }
    }
    if (fields.size() > 1) {
        const std::string_view days = text::trim(fields.back());
        const auto number = SettingNumber::parseWhole(days);
        if (number && *number > 0 && *number <= maxDays)
            parsed.days = static_cast<int>(*number);
        else if (days != "*")
            parsed.unreadDays = std::string(days);
    }
    if (fields.size() > 2)
        parsed.flags = std::string(fields[1]);
    for (std::size_t i = 2; i + 1 < fields.size(); ++i)
        parsed.moreFields.emplace_back(fields[i]);
    return parsed;
}

std::string WorkflowImages::text() const
{
    std::string value = allTypes || types.empty() ? std::string("*") : text::join(types, ",");
    if (!flags.empty() || !moreFields.empty())
        value += ":" + flags;
    for (const std::string& field : moreFields)
        value += ":" + field;
    value += ":" + (days ? std::to_string(*days) : !unreadDays.empty() ? unreadDays : std::string("*"));
    return value;
}

bool WorkflowImages::hasFlag(char letter) const
{
    return flags.find(letter) != std::string::npos;
}

void WorkflowImages::setFlag(char letter, bool on)
{
    if (on == hasFlag(letter))
        return;
    if (on)
        flags += letter;
    else
        flags.erase(std::remove(flags.begin(), flags.end(), letter), flags.end());
}

std::optional<std::string> WorkflowImages::refusal() const
{
    if (!allTypes && types.empty())
        return std::string("Choose at least one document type, or tick All document types.");
    for (const std::string& code : types) {
        if (const auto byte = SeparatorCheck::firstRefused(code, ",:"))
            return SeparatorCheck::refusalText("Document type " + code, *byte);
    }
    if (days && (*days < 1 || *days > maxDays))
        return "Number of days is invalid. Must be between (1 - " + std::to_string(maxDays) + ").";
    return std::nullopt;
}

} // namespace corvane
