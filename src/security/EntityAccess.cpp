#include "EntityAccess.h"

#include "SecurityReply.h"
#include "Text.h"

namespace corvane {

std::string EntityAccess::readRequest(std::string_view operatorCode)
{
    return "|GET|OPENT|" + std::string(operatorCode);
}

bool EntityAccess::load(std::string_view reply)
{
    m_entries.clear();
    if (SecurityReply::failed(reply))
        return false;
    const std::string text = SecurityReply::withoutLineBreaks(reply);
    for (std::string_view record : SecurityReply::records(text)) {
        const auto parts = text::split(record, '\t');
        if (parts.size() < 2 || text::trim(parts[1]).empty())
            continue;
        EntityEntry entry;
        entry.allowed = SecurityReply::readsAsTrue(parts[0]);
        entry.code = std::string(parts[1]);
        if (parts.size() > 2)
            entry.description = std::string(parts[2]);
        m_entries.push_back(std::move(entry));
    }
    return true;
}

void EntityAccess::allowAll(bool allowed)
{
    for (auto& entry : m_entries)
        entry.allowed = allowed;
}

std::string EntityAccess::saveData() const
{
    std::string data;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (i > 0)
            data += text::recordSeparator;
        data += m_entries[i].allowed ? '1' : '0';
        data += '\t';
        data += m_entries[i].code;
    }
    return data;
}

std::string EntityAccess::saveRequest(std::string_view operatorCode) const
{
    return "|SET|OPENT|" + std::string(operatorCode) + "|" + saveData();
}

} // namespace corvane
