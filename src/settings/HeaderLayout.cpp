#include "HeaderLayout.h"

#include "ReplyFraming.h"
#include "Text.h"

#include <set>

namespace corvane {

namespace {

std::string_view codeOf(std::string_view entry)
{
    return text::trim(entry.substr(0, entry.find('\t')));
}

} // namespace

bool HeaderLayout::read(std::string_view reply)
{
    m_loaded = false;
    const std::string_view trimmed = text::trim(reply);
    if (text::startsWithNoCase(trimmed, "ERROR") || text::startsWithNoCase(trimmed, "|ERROR|")
        || ReplyFraming::isErrorLine(trimmed))
        return false;
    std::vector<std::string_view> lines;
    for (std::string_view line : text::split(reply, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
    }
    m_fields.clear();
    for (const std::string_view entry : text::split(lines.front(), text::recordSeparator)) {
        const auto parts = text::split(entry, '\t');
        if (!text::trim(parts[0]).empty())
            m_fields.push_back(
                {std::string(text::trim(parts[0])), std::string(parts.size() > 1 ? parts[1] : parts[0])});
    }
    m_slots.clear();
    if (lines.size() > 1 && !lines[1].empty()) {
        for (const std::string_view entry : text::split(lines[1], text::recordSeparator))
            m_slots.emplace_back(entry);
    }
    while (m_slots.empty() || m_slots.size() % perRow != 0)
        m_slots.emplace_back();
    m_loadedText = layoutText();
    m_loaded = true;
    return true;
}

std::string HeaderLayout::captionOf(std::string_view code) const
{
    for (const HeaderField& field : m_fields) {
        if (field.code == code)
            return field.caption;
    }
    return std::string(code);
}

std::string HeaderLayout::code(std::size_t slot) const
{
    return slot < m_slots.size() ? std::string(codeOf(m_slots[slot])) : std::string();
}

void HeaderLayout::setSlot(std::size_t slot, std::string_view code)
{
    if (slot >= m_slots.size() || this->code(slot) == code)
        return;
    m_slots[slot] = std::string(code);
}

bool HeaderLayout::addRow()
{
    if (rows() >= maxRows)
        return false;
    m_slots.resize(m_slots.size() + perRow);
    return true;
}

bool HeaderLayout::removeRow(std::size_t row)
{
    if (row >= rows() || rows() <= 1)
        return false;
    const auto first = m_slots.begin() + static_cast<std::ptrdiff_t>(row * perRow);
    m_slots.erase(first, first + static_cast<std::ptrdiff_t>(perRow));
    return true;
}

std::optional<std::string> HeaderLayout::refusal() const
{
    std::set<std::string> placed;
    for (std::size_t slot = 0; slot < m_slots.size(); ++slot) {
        const std::string field = code(slot);
        if (!field.empty() && !placed.insert(field).second)
            return captionOf(field) + " is placed in the header twice.";
    }
    if (placed.empty())
        return std::string("Place at least one field in the header.");
    return std::nullopt;
}

std::string HeaderLayout::layoutText() const
{
    std::size_t used = m_slots.size();
    while (used > 0 && codeOf(m_slots[used - 1]).empty())
        --used;
    return text::join(std::vector<std::string>(m_slots.begin(), m_slots.begin() + static_cast<std::ptrdiff_t>(used)),
                      std::string(1, text::recordSeparator));
}

std::string HeaderLayout::saveRequest(bool toAllOperators) const
{
    return std::string(toAllOperators ? "|SET|PATSET|DEFAULT||ALL|" : "|SET|PATSET|DEFAULT|||") + layoutText();
}

} // namespace corvane
