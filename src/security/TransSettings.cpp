#include "TransSettings.h"

#include "SecurityReply.h"
#include "Text.h"

namespace corvane {

std::string TransGroupLimit::description() const
{
    std::string joined;
    for (const auto& name : fieldNames) {
        if (text::trim(name).empty())
            continue;
        if (!joined.empty())
            joined += ", ";
        joined += name;
    }
    return joined;
}

bool TransFieldRight::shown() const
{
    return !text::trim(caption).empty();
}

std::string TransSettings::readRequest(std::string_view kind, std::string_view code, bool anesthesia)
{
    return "|GET|MODS|" + std::string(kind) + "|" + std::string(code) + "|" + (anesthesia ? "1" : "0");
}

bool TransSettings::load(std::string_view reply)
{
    m_fields.clear();
    m_groups.clear();
    if (SecurityReply::failed(reply))
        return false;
    const std::string text = SecurityReply::withoutLineBreaks(reply);
    const std::string partBreak(2, text::recordSeparator);
    const std::size_t split = text.find(partBreak);
    const std::string_view all = text;
    const std::string_view fieldPart = all.substr(0, split);
    const std::string_view groupPart
        = split == std::string::npos ? std::string_view() : all.substr(split + partBreak.size());

    for (std::string_view record : SecurityReply::records(fieldPart)) {
        const auto parts = text::split(record, '\t');
        if (text::trim(parts[0]).empty())
            continue;
        TransFieldRight field;
        field.id = std::string(parts[0]);
        if (parts.size() > 1)
            field.caption = std::string(parts[1]);
        field.received = parts.size() > 2 && SecurityReply::readsAsTrue(parts[2]);
        field.allowed = field.received;
        m_fields.push_back(std::move(field));
    }
    for (std::string_view record : SecurityReply::records(groupPart)) {
        if (m_groups.size() == static_cast<std::size_t>(groupCount))
            break;
        const auto parts = text::split(record, '\t');
        if (text::trim(record).empty())
            continue;
        TransGroupLimit group;
        group.code = std::string(parts[0]);
        // Code first, days and the end-of-month flag last, the field names between.
        const std::size_t names = parts.size() >= 3 ? parts.size() - 3 : 0;
        for (std::size_t i = 1; i <= names; ++i)
            group.fieldNames.emplace_back(parts[i]);
        if (parts.size() >= 3)
            group.days = daysFromMask(parts[parts.size() - 2]);
        if (parts.size() >= 2)
            group.endOfMonth = SecurityReply::readsAsTrue(parts.back());
        m_groups.push_back(std::move(group));
    }
    return true;
}

void TransSettings::allowAllShown(bool allowed)
{
    for (auto& field : m_fields) {
        if (field.shown())
            field.allowed = allowed;
    }
}

std::string TransSettings::daysFromMask(std::string_view maskText)
{
    std::string days(maskText);
    std::erase(days, ' ');
    return days;
}

std::string TransSettings::saveData() const
{
    std::string data;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (i > 0)
            data += text::recordSeparator;
        const auto& field = m_fields[i];
        data += field.id;
        data += "\t\t";
        // A field the page does not show keeps what it came with.
        data += (field.shown() ? field.allowed : field.received) ? '1' : '0';
    }
    data += text::recordSeparator;
    data += text::recordSeparator;
    for (int g = 0; g < groupCount; ++g) {
        if (g > 0)
            data += text::recordSeparator;
        if (static_cast<std::size_t>(g) < m_groups.size()) {
            const auto& group = m_groups[static_cast<std::size_t>(g)];
            data += group.code + "\t\t\t\t\t" + group.days + "\t" + (group.endOfMonth ? "1" : "0");
        } else {
            data += "\t\t\t\t\t\t0";
        }
    }
    return data;
}

std::string TransSettings::saveRequest(std::string_view kind, std::string_view code, bool anesthesia) const
{
    return "|SET|MODS|" + std::string(kind) + "|" + std::string(code) + "|" + (anesthesia ? "1|" : "0|") + saveData();
}

} // namespace corvane
