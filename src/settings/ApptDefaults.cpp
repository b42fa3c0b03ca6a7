#include "ApptDefaults.h"

#include "ReplyFraming.h"
#include "SeparatorCheck.h"
#include "Text.h"

namespace corvane {

namespace {

constexpr std::size_t trailing = StwCellFormat::length + 2;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::vector<ApptCell> cellsOf(std::string_view line)
{
    std::vector<ApptCell> cells;
    for (const std::string_view cell : text::split(line, '\t'))
        cells.push_back(ApptCell::read(cell));
    return cells;
}

} // namespace

ApptCell ApptCell::read(std::string_view cell)
{
    ApptCell read;
    if (cell.size() < trailing) {
        read.value = std::string(cell);
        read.format = StwCellFormat::of(StwCellFormat::emptyCell);
        return read;
    }
    read.value = std::string(cell.substr(0, cell.size() - trailing));
    read.format = StwCellFormat::of(cell.substr(0, cell.size() - 2));
    const std::string_view digits = cell.substr(cell.size() - 2);
    read.limit = isDigit(digits[0]) && isDigit(digits[1]) ? (digits[0] - '0') * 10 + (digits[1] - '0') : 0;
    return read;
}

std::string ApptCell::text() const
{
    const int shown = limit < 0 ? 0 : limit > 99 ? 99 : limit;
    return value + format.code() + static_cast<char>('0' + shown / 10) + static_cast<char>('0' + shown % 10);
}

std::optional<ApptDefaults> ApptDefaults::read(const std::vector<std::string>& lines, std::string* error)
{
    const auto fail = [&](std::string why) -> std::optional<ApptDefaults> {
        if (error)
            *error = std::move(why);
        return std::nullopt;
    };
    std::vector<std::string_view> data;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (i == 0 && ReplyFraming::isErrorLine(line))
            return fail(std::string(ReplyFraming::withoutLeadingMarker(line)));
        if (i == 0 && text::startsWithNoCase(line, ReplyFraming::okMarker))
            line.remove_prefix(ReplyFraming::okMarker.size());
        if (i + 1 == lines.size() && text::equalsNoCase(line, ReplyFraming::endMarker))
            continue;
        if (i == 0 && line.empty())
            continue;
        data.push_back(line);
    }
    if (data.empty() || text::trim(data.front()).empty())
        return fail("the reply holds no header");
    ApptDefaults grid;
    grid.m_header = cellsOf(data.front());
    for (std::size_t i = 1; i < data.size(); ++i) {
        if (data[i].empty())
            continue;
        std::vector<ApptCell> row = cellsOf(data[i]);
        // Every row has a cell per column: missing ones are empty, extra ones are not shown and not written.
        row.resize(grid.m_header.size(), ApptCell::read(""));
        grid.m_rows.push_back(std::move(row));
    }
    grid.m_loaded = grid.m_rows;
    return grid;
}

const ApptCell& ApptDefaults::cell(int row, int col) const
{
    return m_rows.at(static_cast<std::size_t>(row - 1)).at(static_cast<std::size_t>(col - 1));
}

std::optional<std::string> ApptDefaults::refusal(int row, int col, std::string_view value) const
{
    if (row < 1 || row > rowCount() || col < 2 || col > columnCount())
        return std::string("This cell cannot be changed.");
    const ApptCell& target = cell(row, col);
    const std::string name = text::trim(header(col).value).empty() ? "This cell" : header(col).value;
    if (const auto byte = SeparatorCheck::firstRefused(value, std::string_view("\x01", 1)))
        return SeparatorCheck::refusalText(name, *byte);
    if (target.limit > 0 && value.size() > static_cast<std::size_t>(target.limit))
        return name + " takes at most " + std::to_string(target.limit) + " characters.";
    if (target.format.kind == 'A') {
        for (const char c : value) {
            if (!isDigit(c))
                return name + " takes a number from 0 to 999.";
        }
        if (value.size() > 3)
            return name + " takes a number from 0 to 999.";
    }
    if (target.format.isCheck() && value != "0" && value != "1")
        return name + " is ticked or not.";
    return std::nullopt;
}

bool ApptDefaults::setValue(int row, int col, std::string value)
{
    if (refusal(row, col, value))
        return false;
    m_rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)].value = std::move(value);
    return true;
}

bool ApptDefaults::changed() const
{
    if (m_rows.size() != m_loaded.size())
        return true;
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        for (std::size_t c = 0; c < m_rows[r].size(); ++c) {
            if (m_rows[r][c].value != m_loaded[r][c].value)
                return true;
        }
    }
    return false;
}

void ApptDefaults::takeValues(const ApptDefaults& other)
{
    std::vector<std::vector<ApptCell>> loaded = std::move(m_loaded);
    *this = other;
    m_loaded = std::move(loaded);
}

std::string ApptDefaults::saveData() const
{
    std::string data;
    for (const auto& row : m_rows) {
        // One TAB per column, an empty value included, so no later value moves into another column.
        for (std::size_t c = 1; c < row.size(); ++c)
            data += '\t' + row[c].value;
        data += rowEnd;
    }
    return data;
}

} // namespace corvane
