#include "SettingsTexts.h"

namespace corvane {

std::string SettingsTexts::caption(std::string_view base, std::string_view leaf, bool readOnly)
{
    std::string text(base);
    if (!leaf.empty())
        text.append(captionJoin).append(leaf);
    if (readOnly)
        text.append(readOnlySuffix);
    return text;
}

std::string SettingsTexts::cannotFind(std::string_view text)
{
    return "Cannot find '" + std::string(text) + "'";
}

std::string SettingsTexts::keyCannotBeSent(std::string_view key)
{
    return "The setting key \"" + std::string(key) + "\" cannot be sent to the server.";
}

} // namespace corvane
