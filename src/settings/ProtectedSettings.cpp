#include "ProtectedSettings.h"

#include "SettingsTexts.h"
#include "Text.h"

#include <vector>

namespace corvane {

bool ProtectedSettings::contains(std::string_view list, std::string_view id)
{
    if (id.empty())
        return false;
    for (const std::string_view element : text::split(list, ';')) {
        if (element == id)
            return true;
    }
    return false;
}

std::string ProtectedSettings::add(std::string_view list, std::string_view id)
{
    if (contains(list, id) || id.empty())
        return std::string(list);
    if (list.empty())
        return std::string(id);
    return std::string(list) + ";" + std::string(id);
}

std::string ProtectedSettings::remove(std::string_view list, std::string_view id, bool& found)
{
    found = false;
    std::vector<std::string> kept;
    for (const std::string_view element : text::split(list, ';')) {
        if (!found && !id.empty() && element == id) {
            found = true;
            continue;
        }
        if (!element.empty())
            kept.emplace_back(element);
    }
    return text::join(kept, ";");
}

std::optional<std::string> ProtectedSettings::identifierOf(std::string_view nodeKey)
{
    const std::vector<std::string_view> fields = text::split(nodeKey, '\t');
    if (fields.size() < 3)
        return std::nullopt;
    return std::string(fields.size() == 3 ? fields[2] : fields[3]);
}

bool ProtectedSettings::isProtected(std::string_view list, std::string_view nodeKey)
{
    if (list.empty())
        return false;
    const auto id = identifierOf(nodeKey);
    if (!id)
        return true;
    return contains(list, *id);
}

WriteVerdict writeGate(bool changeRight, bool isProtected, bool developerMode)
{
    if (!changeRight)
        return {false, false, std::string(SettingsTexts::viewOnly)};
    if (isProtected && !developerMode)
        return {false, false, std::string(SettingsTexts::protectedNote)};
    return {true, isProtected, {}};
}

} // namespace corvane
