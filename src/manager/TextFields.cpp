#include "TextFields.h"

#include "Text.h"

namespace corvane {

std::string TextFields::field(std::string_view text, std::int32_t number, std::string_view delimiter)
{
    if (number < 1)
        return {};
    const auto pieces = text::split(text, delimiter);
    const auto index = static_cast<std::size_t>(number - 1);
    return index < pieces.size() ? std::string(pieces[index]) : std::string();
}

std::int32_t TextFields::count(std::string_view text, std::string_view delimiter)
{
    if (text.empty())
        return 0;
    return static_cast<std::int32_t>(text::split(text, delimiter).size());
}

std::vector<std::string> TextFields::splitByLength(std::string_view text, std::size_t maxLength)
{
    std::vector<std::string> pieces;
    if (maxLength == 0)
        return pieces;
    for (std::size_t at = 0; at < text.size(); at += maxLength)
        pieces.emplace_back(text.substr(at, maxLength));
    return pieces;
}

void TextFields::splitInTwo(std::string_view text, std::string_view separator, std::string& first, std::string& second)
{
    const std::size_t at = separator.empty() ? std::string_view::npos : text.find(separator);
    if (at == std::string_view::npos) {
        first = std::string(text);
        second.clear();
        return;
    }
    first = std::string(text.substr(0, at));
    second = std::string(text.substr(at + separator.size()));
}

} // namespace corvane
