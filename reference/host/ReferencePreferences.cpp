#include "ReferencePreferences.h"

#include "Text.h"

namespace corvane::reference {

ReferencePreferences::ReferencePreferences(std::string text)
    : m_text(std::move(text))
{
}

std::map<std::string, std::string> ReferencePreferences::parse(const std::string& text)
{
    std::map<std::string, std::string> values;
    for (auto line : text::split(text, '\n')) {
        line = text::trim(line);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0)
            continue;
        values[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
    }
    return values;
}

std::string ReferencePreferences::format(const std::map<std::string, std::string>& values)
{
    std::string text;
    for (const auto& [key, value] : values)
        text += key + "=" + value + "\r\n";
    return text;
}

void ReferencePreferences::writeSettings(std::string& text) const
{
    auto merged = parse(text);
    for (const auto& [key, value] : parse(m_text))
        merged[key] = value;
    text = format(merged);
}

std::string ReferencePreferences::value(const std::string& key) const
{
    const auto values = parse(m_text);
    const auto found = values.find(key);
    return found == values.end() ? std::string() : found->second;
}

bool ReferencePreferences::setValue(const std::string& key, const std::string& value)
{
    auto values = parse(m_text);
    values[key] = value;
    m_text = format(values);
    return true;
}

ReferenceRights::ReferenceRights(const std::vector<std::string>& lines)
{
    for (const auto& line : lines) {
        const auto fields = text::split(line, '\t');
        if (fields.size() < 5 || fields[0].empty())
            continue;
        m_entries[std::string(fields[0])] = {fields[1] == "Y", fields[2] == "Y", fields[3] == "Y", fields[4] == "Y"};
    }
}

std::optional<ProgramRights> ReferenceRights::entry(const std::string& programCode) const
{
    const auto found = m_entries.find(programCode);
    if (found == m_entries.end())
        return std::nullopt;
    return found->second;
}

} // namespace corvane::reference
