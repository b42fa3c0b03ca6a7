#include "DemoDefaults.h"

#include "ReplyFraming.h"
#include "SeparatorCheck.h"
#include "Text.h"

namespace corvane {

namespace {

bool isKeyCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

} // namespace

const std::string& DemoDefaultRow::field(std::size_t index) const
{
    static const std::string none;
    return index < fields.size() ? fields[index] : none;
}

bool DemoDefaults::read(std::string_view reply)
{
    m_loaded = false;
    const std::string_view trimmed = text::trim(reply);
    if (trimmed.empty() || text::startsWithNoCase(trimmed, "ERROR") || text::startsWithNoCase(trimmed, "|ERROR|")
        || ReplyFraming::isErrorLine(trimmed))
        return false;
    std::vector<DemoDefaultRow> rows;
    for (std::string_view record : text::split(reply, text::recordSeparator)) {
        while (!record.empty() && (record.back() == '\r' || record.back() == '\n'))
            record.remove_suffix(1);
        while (!record.empty() && (record.front() == '\r' || record.front() == '\n'))
            record.remove_prefix(1);
        if (text::trim(record).empty())
            continue;
        DemoDefaultRow row;
        for (const std::string_view field : text::split(record, '\t'))
            row.fields.emplace_back(field);
        // Short rows take empty values and unticked flags.
        while (row.fields.size() < editedFields)
            row.fields.emplace_back(row.fields.size() >= Hide ? "0" : "");
        rows.push_back(std::move(row));
    }
    if (rows.empty())
        return false;
    m_rows = std::move(rows);
    m_loadedText = rowsText();
    m_loaded = true;
    return true;
}

std::optional<std::size_t> DemoDefaults::keyOwner(std::string_view key, std::size_t except) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (i != except && !key.empty() && text::equalsNoCase(m_rows[i].field(Key), key))
            return i;
    }
    return std::nullopt;
}

std::optional<DemoRefusal> DemoDefaults::set(std::size_t row, std::size_t column, std::string_view value)
{
    if (row >= m_rows.size() || column < Value || column > Required)
        return DemoRefusal {row, column, "This value cannot be changed."};
    DemoDefaultRow& entry = m_rows[row];
    const std::string& caption = entry.caption();
    switch (column) {
    case Value:
        if (const auto byte = SeparatorCheck::firstRefused(value))
            return DemoRefusal {row, column, SeparatorCheck::refusalText("The default of " + caption, *byte)};
        entry.fields[Value] = std::string(value);
        return std::nullopt;
    case Key: {
        const std::string_view key = text::trim(value);
        if (key.size() > 1 || (key.size() == 1 && !isKeyCharacter(key.front())))
            return DemoRefusal {row, column, "The key of " + caption + " is one letter or digit."};
        if (const auto owner = keyOwner(key, row))
            return DemoRefusal {row, column,
                                "Key " + text::upper(key) + " is already used by " + m_rows[*owner].caption() + "."};
        entry.fields[Key] = text::upper(key);
        return std::nullopt;
    }
    default: {
        const bool ticked = value == "1";
        if (ticked && column == Hide && entry.flag(Required))
            return DemoRefusal {row, column, caption + " is required, so it cannot be hidden."};
        if (ticked && column == Required && entry.flag(Hide))
            return DemoRefusal {row, column, caption + " is hidden, so it cannot be required."};
        entry.fields[column] = ticked ? "1" : "0";
        return std::nullopt;
    }
    }
}

std::optional<DemoRefusal> DemoDefaults::validate() const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const DemoDefaultRow& row = m_rows[i];
        if (const auto owner = keyOwner(row.field(Key), i); owner && *owner < i)
            return DemoRefusal {i, Key,
                                "Key " + row.field(Key) + " is used by " + m_rows[*owner].caption() + " and by "
                                    + row.caption() + "."};
        if (row.flag(Hide) && row.flag(Required))
            return DemoRefusal {i, Required, row.caption() + " is hidden, so it cannot be required."};
    }
    return std::nullopt;
}

std::string DemoDefaults::rowsText() const
{
    std::vector<std::string> records;
    for (const DemoDefaultRow& row : m_rows)
        records.push_back(text::join(row.fields, "\t"));
    return text::join(records, std::string(1, text::recordSeparator));
}

} // namespace corvane
