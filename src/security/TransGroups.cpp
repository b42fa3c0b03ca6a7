#include "TransGroups.h"

#include "SecurityReply.h"
#include "Text.h"

namespace corvane {

std::string TransGroups::readRequest(bool anesthesia)
{
    return anesthesia ? "|GET|MODG|1" : "|GET|MODG|0";
}

std::string TransGroups::caption(int column)
{
    if (column == 0)
        return "Groups";
    if (column >= 1 && column < columnCount)
        return "Field " + std::to_string(column);
    return {};
}

bool TransGroups::load(std::string_view reply)
{
    m_fields.clear();
    m_rows.clear();
    m_short.clear();
    m_changed = false;
    if (SecurityReply::failed(reply))
        return false;
    const std::string text = SecurityReply::withoutLineBreaks(reply);
    std::vector<std::string_view> records = SecurityReply::records(text);
    std::size_t next = 0;
    if (records.size() > 1 && text::trim(records[0]).empty())
        ++next;
    if (next < records.size()) {
        for (std::string_view entry : text::split(records[next], ':')) {
            if (text::trim(entry).empty())
                continue;
            const std::size_t dash = entry.find('-');
            TransField field;
            field.code = std::string(text::trim(entry.substr(0, dash)));
            field.description = dash == std::string_view::npos ? std::string() : std::string(entry.substr(dash + 1));
            field.entry = std::string(entry);
            m_fields.push_back(std::move(field));
        }
        ++next;
    }
    for (; next < records.size(); ++next) {
        std::vector<std::string> cells;
        for (std::string_view cell : text::split(records[next], '\t'))
            cells.emplace_back(text::trim(cell));
        m_short.push_back(cells.size() < static_cast<std::size_t>(columnCount));
        if (cells.size() < static_cast<std::size_t>(columnCount))
            cells.resize(columnCount);
        m_rows.push_back(std::move(cells));
    }
    while (m_rows.size() < static_cast<std::size_t>(shownRows)) {
        m_rows.emplace_back(columnCount);
        m_short.push_back(false);
    }
    return true;
}

std::string TransGroups::choiceList() const
{
    std::string list;
    for (const auto& field : m_fields) {
        list += '\n';
        list += field.entry;
    }
    return list;
}

const std::string& TransGroups::code(int row, int col) const
{
    static const std::string none;
    if (row < 0 || row >= rowCount() || col < 0)
        return none;
    const auto& cells = m_rows[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)] : none;
}

bool TransGroups::shortRow(int row) const
{
    return row >= 0 && row < rowCount() && m_short[static_cast<std::size_t>(row)];
}

const TransField* TransGroups::fieldFor(std::string_view code) const
{
    if (code.empty())
        return nullptr;
    for (const auto& field : m_fields) {
        if (field.code == code)
            return &field;
    }
    return nullptr;
}

std::string TransGroups::display(int row, int col) const
{
    const std::string& value = code(row, col);
    if (col == 0)
        return value;
    const TransField* field = fieldFor(value);
    return field ? field->entry : value;
}

bool TransGroups::heldElsewhere(std::string_view code, int row, int col) const
{
    if (code.empty())
        return false;
    for (int r = 0; r < rowCount(); ++r) {
        const auto& cells = m_rows[static_cast<std::size_t>(r)];
        for (std::size_t c = 1; c < cells.size(); ++c) {
            if ((r != row || static_cast<int>(c) != col) && cells[c] == code)
                return true;
        }
    }
    return false;
}

bool TransGroups::setCode(int row, int col, std::string code)
{
    if (row < 0 || row >= rowCount() || col < 1 || col >= columnCount || heldElsewhere(code, row, col))
        return false;
    std::string& cell = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    if (cell != code) {
        cell = std::move(code);
        m_changed = true;
    }
    return true;
}

std::string TransGroups::saveData() const
{
    bool anyCode = false;
    std::string data;
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        if (r > 0)
            data += text::recordSeparator;
        const auto& cells = m_rows[r];
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0)
                data += '\t';
            data += cells[c];
            anyCode = anyCode || !cells[c].empty();
        }
    }
    return anyCode ? data : std::string();
}

std::string TransGroups::saveRequest(bool anesthesia) const
{
    return (anesthesia ? "|SET|MODG|1|" : "|SET|MODG|0|") + saveData();
}

} // namespace corvane
