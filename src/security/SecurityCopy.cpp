#include "SecurityCopy.h"

#include "SecurityTree.h"
#include "Text.h"

#include <algorithm>

namespace corvane {

CopyParty CopyParty::fromEntry(bool group, std::string_view entry)
{
    const std::string_view trimmed = text::trim(entry);
    if (group) {
        const std::size_t blank = trimmed.rfind(' ');
        return {true, std::string(blank == std::string_view::npos ? trimmed : trimmed.substr(blank + 1))};
    }
    return {false, std::string(trimmed.substr(0, trimmed.find(' ')))};
}

std::string CopyParty::requestText() const
{
    return (group ? "G-" : "U-") + code;
}

bool SecurityCopy::allowed(const CopyParty& from, const CopyParty& to)
{
    if (from.code.empty() || to.code.empty())
        return false;
    if (!from.group && to.group)
        return false;
    if (from.group == to.group && text::equalsNoCase(from.code, to.code))
        return false;
    return to.group || !text::equalsNoCase(to.code, viewOnlyOperator);
}

std::optional<std::string> SecurityCopy::copyRequest(const CopyParty& from, const CopyParty& to, bool copyEntity,
                                                     const std::vector<std::string>& programs)
{
    if (!allowed(from, to))
        return std::nullopt;
    const bool entity = copyEntity && entityAllowed(to);
    if (programs.empty() && !entity)
        return std::nullopt;
    std::string request = "|SET|SECC|" + from.requestText() + "|" + to.requestText() + "|" + (entity ? "1" : "0") + "|";
    request += text::join(programs, ",");
    return request;
}

std::optional<std::string> SecurityCopy::distributeRequest(const std::array<bool, groupCount>& groups)
{
    const auto chosen = std::count(groups.begin(), groups.end(), true);
    if (chosen == 0)
        return std::nullopt;
    if (chosen == groupCount)
        return std::string("|SET|SECGD|A");
    std::string request = "|SET|SECGD|S|";
    bool first = true;
    for (int g = 0; g < groupCount; ++g) {
        if (!groups[static_cast<std::size_t>(g)])
            continue;
        if (!first)
            request += ':';
        request += std::to_string(g);
        first = false;
    }
    return request;
}

std::string SecurityCopy::copiedText(std::string_view fromShown, std::string_view toShown, bool ownSettings)
{
    std::string text = "Settings copied from " + std::string(fromShown) + " to " + std::string(toShown) + "."
        + std::string(text::lineBreak);
    if (ownSettings)
        text += SecurityTree::logOffAdvice;
    return text;
}

std::string SecurityCopy::distributedText(bool allGroups)
{
    return std::string("Settings copied") + (allGroups ? " from all groups." : ".") + std::string(text::lineBreak);
}

} // namespace corvane
