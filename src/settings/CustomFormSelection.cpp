#include "CustomFormSelection.h"

#include "Text.h"

namespace corvane {

namespace {

std::string_view entryCode(std::string_view entry)
{
    return text::trim(entry.substr(0, entry.find('\t')));
}

} // namespace

const std::string& CustomFormRow::cell(std::size_t column) const
{
    static const std::string none;
    return column < cells.size() ? cells[column] : none;
}

std::vector<FormColumn> CustomFormSelection::columns()
{
    std::vector<FormColumn> result;
    for (const std::string_view definition : text::split(columnDefinition, '\t')) {
        FormColumn column;
        constexpr std::size_t tail = StwCellFormat::length + 2;
        if (definition.size() <= tail)
            continue;
        column.caption = std::string(definition.substr(0, definition.size() - tail));
        column.format = StwCellFormat::of(definition.substr(0, definition.size() - 2));
        const std::string_view width = definition.substr(definition.size() - 2);
        column.width = (width[0] - '0') * 10 + (width[1] - '0');
        result.push_back(std::move(column));
    }
    return result;
}

void CustomFormSelection::load(std::string_view list, std::string_view selected)
{
    m_rows.clear();
    m_entries.clear();
    for (const std::string_view entry : text::split(selected, text::recordSeparator)) {
        std::string_view trimmed = entry;
        while (!trimmed.empty() && (trimmed.back() == '\r' || trimmed.back() == '\n'))
            trimmed.remove_suffix(1);
        if (!entryCode(trimmed).empty())
            m_entries.emplace_back(trimmed);
    }
    for (std::string_view line : text::split(list, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (text::trim(line).empty())
            continue;
        CustomFormRow row;
        for (const std::string_view cell : text::split(line, '\t'))
            row.cells.emplace_back(cell);
        if (row.code().empty())
            continue;
        for (const std::string& entry : m_entries) {
            if (text::equalsNoCase(entryCode(entry), row.code()))
                row.selected = true;
        }
        m_rows.push_back(std::move(row));
    }
    m_loadedTicks.clear();
    for (const CustomFormRow& row : m_rows)
        m_loadedTicks.push_back(row.selected);
    m_loaded = true;
}

std::vector<std::size_t> CustomFormSelection::shownRows(bool activeOnly) const
{
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (!activeOnly || m_rows[i].active())
            shown.push_back(i);
    }
    return shown;
}

void CustomFormSelection::setSelected(std::size_t row, bool selected)
{
    if (row < m_rows.size())
        m_rows[row].selected = selected;
}

bool CustomFormSelection::changed() const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].selected != m_loadedTicks[i])
            return true;
    }
    return false;
}

std::string CustomFormSelection::saveText() const
{
    std::vector<std::string> entries;
    const auto listed = [this](std::string_view code) {
        for (const CustomFormRow& row : m_rows) {
            if (text::equalsNoCase(row.code(), code))
                return true;
        }
        return false;
    };
    // Entries of forms the list no longer shows stay as they were: nothing here can untick them.
    for (const std::string& entry : m_entries) {
        if (!listed(entryCode(entry)))
            entries.push_back(entry);
    }
    for (const CustomFormRow& row : m_rows) {
        if (!row.selected)
            continue;
        std::string kept;
        for (const std::string& entry : m_entries) {
            if (text::equalsNoCase(entryCode(entry), row.code()))
                kept = entry;
        }
        entries.push_back(!kept.empty() ? kept : row.code() + "\t" + row.name() + "\t" + row.cell(3));
    }
    return text::join(entries, std::string(1, text::recordSeparator));
}

void CustomFormSelection::markSaved()
{
    const std::string saved = saveText();
    m_entries.clear();
    for (const std::string_view entry : text::split(saved, text::recordSeparator)) {
        if (!entry.empty())
            m_entries.emplace_back(entry);
    }
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_loadedTicks[i] = m_rows[i].selected;
}

bool CustomFormSelection::codeExists(std::string_view code) const
{
    for (const CustomFormRow& row : m_rows) {
        if (text::equalsNoCase(text::trim(row.code()), text::trim(code)))
            return true;
    }
    return false;
}

bool CustomFormSelection::nameExists(std::string_view name) const
{
    for (const CustomFormRow& row : m_rows) {
        if (text::equalsNoCase(text::trim(row.name()), text::trim(name)))
            return true;
    }
    return false;
}

} // namespace corvane
