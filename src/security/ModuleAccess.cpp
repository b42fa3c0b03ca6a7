#include "ModuleAccess.h"

#include "ReplyFraming.h"
#include "SecurityReply.h"
#include "Text.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr std::string_view programIndent = "    ";
constexpr std::size_t hiddenLength = 5;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Splits a row at tabs into at most `limit` fields; the last keeps no further tabs (fields past it are dropped).
std::size_t splitFields(std::string_view row, std::array<std::string_view, 8>& fields)
{
    std::size_t count = 0;
    std::size_t start = 0;
    while (count < fields.size()) {
        const std::size_t tab = row.find('\t', start);
        fields[count++] = row.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    return count;
}

AccessColumn readColumn(std::string_view field)
{
    AccessColumn column;
    if (field.size() >= 2 && isDigit(field[field.size() - 2]) && isDigit(field.back()))
        column.width = (field[field.size() - 2] - '0') * 10 + (field.back() - '0');
    std::string_view rest = field.size() >= 2 ? field.substr(0, field.size() - 2) : std::string_view();
    if (rest.size() >= 5) {
        column.format = std::string(rest.substr(rest.size() - 5));
        rest.remove_suffix(5);
    }
    column.title = std::string(rest);
    return column;
}

std::string upperTrimmed(std::string_view s)
{
    return text::upper(text::trim(s));
}

} // namespace

std::optional<std::vector<std::pair<std::string_view, std::uint8_t>>> readLockList(std::string_view text)
{
    std::vector<std::pair<std::string_view, std::uint8_t>> entries;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = text.find('\t', start);
        const std::string_view entry
            = text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (!text::trim(entry).empty()) {
            const std::size_t equals = entry.find('=');
            if (equals == std::string_view::npos)
                return std::nullopt;
            const std::string_view code = text::trim(entry.substr(0, equals));
            if (code.empty() || code.find_first_of(":=") != std::string_view::npos)
                return std::nullopt;
            std::uint8_t mask = 0;
            std::string_view numbers = entry.substr(equals + 1);
            for (;;) {
                const std::size_t comma = numbers.find(',');
                const std::string_view number = text::trim(numbers.substr(0, comma));
                if (number.empty() || number.size() > 3 || !std::all_of(number.begin(), number.end(), isDigit))
                    return std::nullopt;
                const int n = std::stoi(std::string(number));
                if (n >= 1 && n <= accessColumnCount)
                    mask = static_cast<std::uint8_t>(mask | (1u << (n - 1)));
                if (comma == std::string_view::npos)
                    break;
                numbers.remove_prefix(comma + 1);
            }
            entries.emplace_back(code, mask);
        }
        if (tab == std::string_view::npos)
            return entries;
        start = tab + 1;
    }
}

int AccessColumn::shownWidth(int column) const
{
    switch (column) {
    case 0:
        return 0;
    case 1:
        return std::min(width, 8);
    case 2:
        return std::max(width, 32);
    default:
        return width;
    }
}

std::string ModuleAccess::readRequest(std::string_view kind, std::string_view code)
{
    return "|GET|SECL|" + std::string(kind) + "|" + std::string(code) + "|";
}

void ModuleAccess::clear()
{
    m_columns = {};
    m_rows.clear();
    m_places.clear();
    m_groups.clear();
    m_loaded.clear();
    m_failure.clear();
    m_state = Load::Failed;
}

ModuleAccess::Load ModuleAccess::fail(std::string text)
{
    const bool mayEdit = m_mayEdit;
    clear();
    m_mayEdit = mayEdit;
    m_failure = std::move(text);
    m_state = Load::Failed;
    return m_state;
}

ModuleAccess::Load ModuleAccess::load(const std::vector<std::string>& lines, bool mayEdit)
{
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size();
    std::string joined;
    joined.reserve(size);
    for (const auto& line : lines)
        joined += line;
    if (!lines.empty() && ReplyFraming::isErrorLine(lines.front())) {
        m_mayEdit = mayEdit;
        return fail(lines.front());
    }
    return load(joined, mayEdit);
}

ModuleAccess::Load ModuleAccess::load(std::string_view reply, bool mayEdit)
{
    clear();
    m_mayEdit = mayEdit;
    const std::string text = SecurityReply::withoutLineBreaks(reply);
    std::string_view rest = text;
    if (ReplyFraming::isErrorLine(rest))
        return fail(std::string(reply.substr(0, reply.find("\r\n"))));

    const std::size_t headerEnd = rest.find(text::recordSeparator);
    if (headerEnd == std::string_view::npos) {
        std::string message = "Error in frmSecurity_LoadGrid";
        message += text::lineBreak;
        message += "data received for GRID: ";
        message += text;
        return fail(std::move(message));
    }
    std::string_view header = rest.substr(0, headerEnd);
    if (header.starts_with(ReplyFraming::okMarker))
        header.remove_prefix(ReplyFraming::okMarker.size());
    if (header.empty())
        return fail(std::string(noDataText));
    {
        std::array<std::string_view, 8> fields;
        const std::size_t count = std::min<std::size_t>(splitFields(header, fields), columnCount);
        for (std::size_t c = 0; c < count; ++c)
            m_columns[c] = readColumn(fields[c]);
    }
    rest.remove_prefix(headerEnd + 1);

    std::size_t estimate = static_cast<std::size_t>(std::count(rest.begin(), rest.end(), text::recordSeparator));
    m_rows.reserve(estimate);
    m_places.reserve(estimate);

    std::vector<std::pair<std::string_view, std::uint8_t>> locks;
    for (;;) {
        // Text after the last record separator is not a row.
        const std::size_t end = rest.find(text::recordSeparator);
        if (end == std::string_view::npos)
            break;
        std::string_view record = rest.substr(0, end);
        rest.remove_prefix(end + 1);

        // A lock list follows the access fields after a colon, and only in its own form: a colon in a
        // description or in the extra field stays where it is.
        std::string_view lockText;
        std::size_t accessStart = 0;
        int tabs = 0;
        while (tabs < 6) {
            const std::size_t tab = record.find('\t', accessStart);
            if (tab == std::string_view::npos)
                break;
            accessStart = tab + 1;
            ++tabs;
        }
        std::optional<std::vector<std::pair<std::string_view, std::uint8_t>>> rowLocks;
        if (tabs == 6) {
            for (std::size_t colon = record.find(':', accessStart); colon != std::string_view::npos;
                 colon = record.find(':', colon + 1)) {
                rowLocks = readLockList(record.substr(colon + 1));
                if (rowLocks) {
                    lockText = record.substr(colon + 1);
                    record = record.substr(0, colon);
                    break;
                }
            }
        }

        std::array<std::string_view, 8> fields;
        const std::size_t count = splitFields(record, fields);
        AccessRow row;
        const std::string_view first = fields[0];
        row.hidden = std::string(first.substr(0, std::min(first.size(), hiddenLength)));
        if (first.size() > hiddenLength)
            row.module = std::string(first.substr(hiddenLength));
        if (!text::trim(fields[1]).empty())
            row.program = std::string(fields[1]);
        row.description = std::string(fields[2]);
        if (count > 7)
            row.extra = std::string(fields[7]);
        row.lockList = std::string(lockText);
        row.complete = count >= 7;

        AccessCells cells;
        for (int c = 0; c < accessColumnCount; ++c) {
            cells[c].on = text::trim(fields[3 + c]) == "1";
            cells[c].locked = !row.complete && !row.isHeader();
        }

        const bool startsGroup = m_groups.empty() || row.isHeader() || row.module != m_groups.back().module;
        if (startsGroup) {
            if (!m_groups.empty())
                closeGroup(locks);
            ModuleGroup group;
            group.firstRow = static_cast<int>(m_rows.size()) + 1;
            group.module = row.module;
            if (row.isHeader()) {
                group.description = row.description;
                group.lockList = row.lockList;
            }
            m_groups.push_back(std::move(group));
        }
        ModuleGroup& group = m_groups.back();
        ++group.rowCount;
        Place place;
        place.group = static_cast<std::int32_t>(m_groups.size() - 1);
        if (row.isHeader() && !group.cells.hasHeader) {
            group.cells.hasHeader = true;
            group.cells.header = cells;
            place.index = -1;
        } else {
            // A second header row inside a module cannot happen (it starts a module); a program row it is.
            place.index = static_cast<std::int32_t>(group.cells.programs.size());
            group.cells.programs.push_back(cells);
        }
        if (rowLocks)
            locks.insert(locks.end(), rowLocks->begin(), rowLocks->end());
        m_places.push_back(place);
        m_rows.push_back(std::move(row));
    }
    if (!m_groups.empty())
        closeGroup(locks);

    m_loaded.reserve(m_rows.size());
    for (int r = 1; r <= rowCount(); ++r) {
        std::uint8_t bits = 0;
        const AccessCells& cells = *cellsOf(r);
        for (int c = 0; c < accessColumnCount; ++c)
            bits = static_cast<std::uint8_t>(bits | (cells[c].on ? 1u << c : 0u));
        m_loaded.push_back(bits);
    }
    m_state = m_rows.empty() ? Load::NoRows : Load::Rows;
    return m_state;
}

void ModuleAccess::closeGroup(std::vector<std::pair<std::string_view, std::uint8_t>>& locks)
{
    ModuleGroup& group = m_groups.back();
    if (!locks.empty()) {
        std::sort(locks.begin(), locks.end());
        std::size_t programIndex = 0;
        for (int r = group.firstRow; r < group.firstRow + group.rowCount; ++r) {
            const Place place = m_places[static_cast<std::size_t>(r - 1)];
            if (place.index < 0)
                continue;
            const std::string_view code = text::trim(m_rows[static_cast<std::size_t>(r - 1)].program);
            auto found
                = std::lower_bound(locks.begin(), locks.end(), std::pair<std::string_view, std::uint8_t>(code, 0));
            std::uint8_t mask = 0;
            for (; found != locks.end() && found->first == code; ++found)
                mask = static_cast<std::uint8_t>(mask | found->second);
            AccessCells& cells = group.cells.programs[programIndex++];
            for (int c = 0; c < accessColumnCount; ++c) {
                if (mask & (1u << c))
                    cells[c].locked = true;
            }
        }
        locks.clear();
    }
    AccessRules::settle(group.cells, m_mayEdit);
}

const AccessColumn& ModuleAccess::column(int col) const
{
    static const AccessColumn none;
    return col >= 0 && col < columnCount ? m_columns[static_cast<std::size_t>(col)] : none;
}

const AccessRow& ModuleAccess::row(int row) const
{
    static const AccessRow none;
    return row >= 1 && row <= rowCount() ? m_rows[static_cast<std::size_t>(row - 1)] : none;
}

int ModuleAccess::groupOf(int row) const
{
    return row >= 1 && row <= rowCount() ? m_places[static_cast<std::size_t>(row - 1)].group : -1;
}

const AccessCells* ModuleAccess::cellsOf(int row) const
{
    if (row < 1 || row > rowCount())
        return nullptr;
    const Place place = m_places[static_cast<std::size_t>(row - 1)];
    const ModuleCells& cells = m_groups[static_cast<std::size_t>(place.group)].cells;
    return place.index < 0 ? &cells.header : &cells.programs[static_cast<std::size_t>(place.index)];
}

std::string ModuleAccess::cellText(int row, int col) const
{
    if (row == 0) {
        const AccessColumn& c = column(col);
        return c.title + c.format;
    }
    if (row < 1 || row > rowCount())
        return {};
    const AccessRow& r = this->row(row);
    switch (col) {
    case 0:
        return r.isHeader() ? std::string(1, text::moduleHeaderMark) + r.module : r.module;
    case 1:
        return r.isHeader() ? std::string(1, text::moduleHeaderMark) : r.program;
    case 2:
        return r.isHeader() ? r.description : std::string(programIndent) + r.description;
    case 7:
        return r.extra;
    default:
        break;
    }
    if (col >= 3 && col < 3 + accessColumnCount)
        return (*cellsOf(row))[col - 3].on ? "1" : "0";
    return {};
}

const AccessCell& ModuleAccess::access(int row, int col) const
{
    static const AccessCell none;
    const AccessCells* cells = cellsOf(row);
    if (!cells || col < 3 || col >= 3 + accessColumnCount)
        return none;
    return (*cells)[col - 3];
}

HeaderState ModuleAccess::headerState(int row, int col) const
{
    if (!isHeader(row) || col < 3 || col >= 3 + accessColumnCount)
        return HeaderState::None;
    return AccessRules::headerState(m_groups[static_cast<std::size_t>(groupOf(row))].cells, col - 3);
}

bool ModuleAccess::click(int row, int col)
{
    if (row < 1 || row > rowCount() || col < 3 || col >= 3 + accessColumnCount)
        return false;
    const Place place = m_places[static_cast<std::size_t>(row - 1)];
    return AccessRules::click(m_groups[static_cast<std::size_t>(place.group)].cells, place.index, col - 3, m_mayEdit);
}

bool ModuleAccess::changed() const
{
    for (int r = 1; r <= rowCount(); ++r) {
        const AccessCells& cells = *cellsOf(r);
        for (int c = 0; c < accessColumnCount; ++c) {
            if (cells[c].on != ((m_loaded[static_cast<std::size_t>(r - 1)] >> c) & 1u))
                return true;
        }
    }
    return false;
}

bool ModuleAccess::hasProgramRows() const
{
    return std::any_of(m_rows.begin(), m_rows.end(), [](const AccessRow& r) { return !r.isHeader() && r.complete; });
}

std::optional<std::string> ModuleAccess::saveData() const
{
    if (!hasProgramRows())
        return std::nullopt;
    std::string data;
    data.reserve(m_rows.size() * 24);
    for (int r = 1; r <= rowCount(); ++r) {
        const AccessRow& current = row(r);
        if (current.isHeader() || !current.complete)
            continue;
        data += '\t';
        data += current.program;
        data += "\t\t";
        const AccessCells& cells = *cellsOf(r);
        for (int c = 0; c < accessColumnCount; ++c) {
            data += cells[c].on ? '1' : '0';
            data += c + 1 < accessColumnCount ? '\t' : text::recordSeparator;
        }
    }
    return data;
}

std::optional<std::string> ModuleAccess::saveRequest(std::string_view kind, std::string_view code) const
{
    auto data = saveData();
    if (!data)
        return std::nullopt;
    return "|SET|SECL|" + std::string(kind) + "|" + std::string(code) + "|" + *data;
}

std::optional<GridCell> ModuleAccess::findNext(std::string_view typed, GridCell after) const
{
    std::string needle = upperTrimmed(typed);
    enum class Match { Contains, BeginsWith, EndsWith } match = Match::Contains;
    if (needle.starts_with('*') && !needle.ends_with('*'))
        match = Match::EndsWith;
    else if (needle.ends_with('*'))
        match = Match::BeginsWith;
    std::erase(needle, '*');
    if (needle.empty())
        return std::nullopt;

    int r = std::max(after.row, 0);
    int c = after.column + 1;
    if (r == 0 || c > 2) {
        ++r;
        c = 1;
    }
    c = std::max(c, 1);
    for (; r <= rowCount(); ++r, c = 1) {
        for (; c <= 2; ++c) {
            const AccessRow& current = row(r);
            if (c == 1 && current.isHeader())
                continue;
            const std::string cell = upperTrimmed(c == 1 ? current.program : current.description);
            const bool found = match == Match::Contains ? cell.find(needle) != std::string::npos
                : match == Match::BeginsWith            ? cell.starts_with(needle)
                                                        : cell.ends_with(needle);
            if (found)
                return GridCell {r, c};
        }
    }
    return std::nullopt;
}

} // namespace corvane
