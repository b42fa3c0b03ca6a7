#include "ModuleAccess.h"

#include "ReplyFraming.h"
#include "Text.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvane {

namespace {

constexpr std::string_view programIndent = "    ";

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

// Module texts and program codes are short: compared a word at a time, without a call.
bool sameText(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size();
    if (n != b.size())
        return false;
    const char* x = a.data();
    const char* y = b.data();
    const auto word = [](const char* p) {
        std::uint32_t w;
        std::memcpy(&w, p, sizeof w);
        return w;
    };
    if (n < 4) {
        for (std::size_t i = 0; i < n; ++i) {
            if (x[i] != y[i])
                return false;
        }
        return true;
    }
    // Words from the front, then the last word, which may overlap the one before.
    for (std::size_t i = 0; i + 4 < n; i += 4) {
        if (word(x + i) != word(y + i))
            return false;
    }
    return word(x + n - 4) == word(y + n - 4);
}

bool isBlank(std::string_view field)
{
    return field.empty()
        || ((field.front() == ' ' || field.front() == '\r' || field.front() == '\n') && text::trim(field).empty());
}

std::size_t countRecords(std::string_view text)
{
    std::size_t count = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen byte counters, each subtracting -1 per match, summed before any of them can overflow.
    const __m128i record = _mm_set1_epi8(text::recordSeparator);
    while (i + 16 <= text.size()) {
        __m128i counters = _mm_setzero_si128();
        for (int round = 0; round < 255 && i + 16 <= text.size(); ++round, i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
            counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(chunk, record));
        }
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums))
            + static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    }
#endif
    for (; i < text.size(); ++i)
        count += text[i] == text::recordSeparator ? 1 : 0;
    return count;
}

// Calls onRecord(offset) for every byte 230 of text, in order.
template<typename OnRecord> void forEachRecordEnd(std::string_view text, OnRecord&& onRecord)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i record = _mm_set1_epi8(text::recordSeparator);
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, record)));
        while (mask) {
            onRecord(i + static_cast<unsigned>(__builtin_ctz(mask)));
            mask &= mask - 1;
        }
    }
#endif
    for (; i < text.size(); ++i) {
        if (text[i] == text::recordSeparator)
            onRecord(i);
    }
}

// The positions of the first tabs (at most eight) between start and end; how many there are.
std::size_t firstTabs(std::string_view text, std::uint32_t start, std::uint32_t end, std::array<std::uint32_t, 8>& tabs)
{
    std::size_t count = 0;
    std::uint32_t at = start;
#if defined(__SSE2__)
    const __m128i tab = _mm_set1_epi8('\t');
    for (; at < end && at + 16 <= text.size(); at += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, tab)));
        if (end - at < 16)
            mask &= (1u << (end - at)) - 1;
        while (mask) {
            tabs[count++] = at + static_cast<unsigned>(__builtin_ctz(mask));
            if (count == tabs.size())
                return count;
            mask &= mask - 1;
        }
    }
#endif
    for (; at < end; ++at) {
        if (text[at] == '\t') {
            tabs[count++] = at;
            if (count == tabs.size())
                return count;
        }
    }
    return count;
}

std::string_view trimmed(std::string_view field)
{
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n';
    };
    if (!field.empty() && !blank(field.front()) && !blank(field.back()))
        return field;
    return text::trim(field);
}

// Whether a trimmed field reads "1"; most fields are exactly that or "0".
bool isOne(std::string_view field)
{
    if (field.size() == 1)
        return field.front() == '1';
    return text::trim(field) == "1";
}

} // namespace

/// What reading keeps between records: the program cells and lock lists of the module being read.
struct ModuleAccess::Reading {
    std::size_t lastPrograms = 0; ///< programs of the module read before: room for as many in the next
    Locks locks;
    Locks rowLocks;
    std::string_view module;
};

namespace {

void dropLineBreaks(std::string& text)
{
    std::size_t write = 0;
    std::size_t read = 0;
    for (std::size_t found = text.find("\r\n"); found != std::string::npos; found = text.find("\r\n", read)) {
        if (write != read)
            std::memmove(text.data() + write, text.data() + read, found - read);
        write += found - read;
        read = found + 2;
    }
    if (read == 0)
        return;
    std::memmove(text.data() + write, text.data() + read, text.size() - read);
    text.resize(write + text.size() - read);
}

// Appends the entries of a lock list ("CODE=n[,n]..." separated by TAB) to out; false, and out as it was, when the
// text is not entirely in that form. An empty text is an empty list.
bool appendLockList(std::string_view text, std::vector<std::pair<std::string_view, std::uint8_t>>& out)
{
    const std::size_t mark = out.size();
    const auto refuse = [&] {
        out.resize(mark);
        return false;
    };
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = text.find('\t', start);
        const std::string_view entry
            = text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (!text::trim(entry).empty()) {
            const std::size_t equals = entry.find('=');
            if (equals == std::string_view::npos)
                return refuse();
            const std::string_view code = text::trim(entry.substr(0, equals));
            if (code.empty() || code.find(':') != std::string_view::npos)
                return refuse();
            std::uint8_t mask = 0;
            std::string_view numbers = entry.substr(equals + 1);
            for (;;) {
                const std::size_t comma = numbers.find(',');
                const std::string_view number = text::trim(numbers.substr(0, comma));
                if (number.empty() || number.size() > 3 || !std::all_of(number.begin(), number.end(), isDigit))
                    return refuse();
                int n = 0;
                for (char digit : number)
                    n = n * 10 + (digit - '0');
                if (n >= 1 && n <= accessColumnCount)
                    mask = static_cast<std::uint8_t>(mask | (1u << (n - 1)));
                if (comma == std::string_view::npos)
                    break;
                numbers.remove_prefix(comma + 1);
            }
            out.emplace_back(code, mask);
        }
        if (tab == std::string_view::npos)
            return true;
        start = tab + 1;
    }
}

bool matches(std::string_view cell, std::string_view needle, int mode)
{
    cell = text::trim(cell);
    if (cell.size() < needle.size())
        return false;
    switch (mode) {
    case 1:
        return text::startsWithNoCase(cell, needle);
    case 2:
        return text::equalsNoCase(cell.substr(cell.size() - needle.size()), needle);
    default:
        return text::containsNoCase(cell, needle);
    }
}

} // namespace

std::optional<std::vector<std::pair<std::string_view, std::uint8_t>>> readLockList(std::string_view text)
{
    std::vector<std::pair<std::string_view, std::uint8_t>> entries;
    if (!appendLockList(text, entries))
        return std::nullopt;
    return entries;
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
    m_text.clear();
    m_columns = {};
    m_rows.clear();
    m_extras.clear();
    m_lockLists.clear();
    m_groups.clear();
    m_headerStates.clear();
    m_loaded.clear();
    m_failure.clear();
    m_state = Load::Failed;
}

ModuleAccess::Load ModuleAccess::fail(std::string text)
{
    clear();
    m_failure = std::move(text);
    return m_state;
}

ModuleAccess::Load ModuleAccess::load(const std::vector<std::string>& lines, bool mayEdit)
{
    if (!lines.empty() && ReplyFraming::isErrorLine(lines.front())) {
        m_mayEdit = mayEdit;
        return fail(lines.front());
    }
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size();
    std::string joined;
    joined.reserve(size);
    for (const auto& line : lines)
        joined += line;
    return load(std::move(joined), mayEdit);
}

ModuleAccess::Load ModuleAccess::load(std::string reply, bool mayEdit)
{
    clear();
    m_mayEdit = mayEdit;
    m_text = std::move(reply);
    // Nothing is dropped before the first line break, so an error line can still be quoted up to it.
    const std::size_t firstBreak = m_text.find("\r\n");
    if (firstBreak != std::string::npos)
        dropLineBreaks(m_text);
    return read(firstBreak);
}

ModuleAccess::Load ModuleAccess::read(std::size_t firstBreak)
{
    const std::string_view all = m_text;
    if (ReplyFraming::isErrorLine(all))
        return fail(std::string(all.substr(0, firstBreak)));

    const std::size_t headerEnd = all.find(text::recordSeparator);
    if (headerEnd == std::string_view::npos) {
        std::string message = "Error in frmSecurity_LoadGrid";
        message += text::lineBreak;
        message += "data received for GRID: ";
        message += all;
        return fail(std::move(message));
    }
    std::string_view header = all.substr(0, headerEnd);
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

    // Rows run from the header's end to the last record separator: text after it is not a row. Offsets are 32-bit.
    constexpr std::size_t largest = 0xFFFFFFF0u;
    std::size_t end = all.rfind(text::recordSeparator, largest) + 1;
    const std::size_t begin = headerEnd + 1;
    if (end < begin)
        end = begin;
    const std::string_view rows = all.substr(begin, end - begin);
    m_rows.reserve(countRecords(rows));

    Reading reading;
    std::array<std::uint32_t, 8> tabs {};
    std::uint32_t recordStart = static_cast<std::uint32_t>(begin);
    forEachRecordEnd(rows, [&](std::size_t at) {
        const auto position = static_cast<std::uint32_t>(begin + at);
        const std::size_t tabCount = firstTabs(m_text, recordStart, position, tabs);
        readRecord(recordStart, position, tabs.data(), tabCount, reading);
        recordStart = position + 1;
    });
    if (!m_groups.empty())
        closeGroup(reading);
    m_state = m_rows.empty() ? Load::NoRows : Load::Rows;
    return m_state;
}

void ModuleAccess::readFields(std::uint32_t start, std::uint32_t end, const std::uint32_t* tabs, std::size_t tabCount,
                              RowEntry& entry, AccessCells& cells, Locks& rowLocks)
{
    const std::string_view all = m_text;
    const auto row = static_cast<std::uint32_t>(m_rows.size());
    // A lock list follows the access fields after a colon, and only in its own form: a colon in a description or
    // in the extra field stays where it is.
    std::uint32_t limit = end;
    if (tabCount >= 6) {
        const std::string_view record = all.substr(0, end);
        // The last access field is mostly one byte: looked at directly before searching.
        std::size_t colon = tabs[5] + 1;
        while (colon < end && colon < tabs[5] + 4 && record[colon] != ':')
            ++colon;
        if (colon == end)
            colon = std::string_view::npos;
        else if (record[colon] != ':')
            colon = record.find(':', colon);
        for (; colon != std::string_view::npos; colon = record.find(':', colon + 1)) {
            if (appendLockList(record.substr(colon + 1), rowLocks)) {
                m_lockLists.emplace_back(
                    row, Span {static_cast<std::uint32_t>(colon + 1), static_cast<std::uint32_t>(end - colon - 1)});
                limit = static_cast<std::uint32_t>(colon);
                break;
            }
        }
    }

    // Fields end at a tab or at the limit; a field starting at the limit is there, empty; at most eight.
    std::size_t below = 0;
    while (below < tabCount && below < 7 && tabs[below] < limit)
        ++below;
    const std::size_t count = below + 1;
    const auto fieldEnd = [&](std::size_t i) {
        return i < tabCount && tabs[i] < limit ? tabs[i] : limit;
    };
    const auto field = [&](std::size_t i) -> std::string_view {
        if (i >= count)
            return {};
        const std::uint32_t from = i == 0 ? start : tabs[i - 1] + 1;
        return all.substr(from, fieldEnd(i) - from);
    };

    entry.fields = static_cast<std::uint8_t>(count);
    entry.moduleEnd = fieldEnd(0);
    entry.programEnd = count > 1 ? fieldEnd(1) : entry.moduleEnd;
    entry.descriptionEnd = count > 2 ? fieldEnd(2) : entry.programEnd;
    entry.blankProgram = count > 1 && isBlank(field(1));
    if (count > 7 && fieldEnd(7) > tabs[6] + 1)
        m_extras.emplace_back(row, span(field(7)));
    const bool header = entry.isHeader();
    for (int c = 0; c < accessColumnCount; ++c) {
        cells[c].on = isOne(field(3 + static_cast<std::size_t>(c)));
        cells[c].locked = !entry.complete() && !header;
    }
}

void ModuleAccess::readRecord(std::uint32_t start, std::uint32_t end, const std::uint32_t* tabs, std::size_t tabCount,
                              Reading& reading)
{
    Locks& rowLocks = reading.rowLocks;
    const std::string_view all = m_text;
    const auto row = static_cast<std::uint32_t>(m_rows.size());
    RowEntry entry;
    entry.start = start;
    AccessCells cells;
    rowLocks.clear();
    if (tabCount == 6 && end == tabs[5] + 2 && all[end - 1] != ':') {
        // Most rows: seven fields, the last of one byte, so no lock list.
        entry.fields = 7;
        entry.moduleEnd = tabs[0];
        entry.programEnd = tabs[1];
        entry.descriptionEnd = tabs[2];
        entry.blankProgram = isBlank(all.substr(tabs[0] + 1, tabs[1] - tabs[0] - 1));
        for (std::size_t c = 0; c < accessColumnCount; ++c) {
            const std::uint32_t from = tabs[2 + c] + 1;
            cells[c].on = isOne(all.substr(from, (c + 3 < 6 ? tabs[3 + c] : end) - from));
        }
    } else {
        readFields(start, end, tabs, tabCount, entry, cells, rowLocks);
    }
    const bool header = entry.isHeader();

    const std::string_view moduleText = module(entry);
    if (m_groups.empty() || header || !sameText(moduleText, reading.module)) {
        if (!m_groups.empty())
            closeGroup(reading);
        ModuleGroup group;
        group.firstRow = static_cast<int>(row) + 1;
        group.cells.programs.reserve(reading.lastPrograms);
        m_groups.push_back(std::move(group));
        reading.module = moduleText;
    }
    ModuleGroup& group = m_groups.back();
    ++group.rowCount;
    entry.group = static_cast<std::int32_t>(m_groups.size() - 1);
    if (header && !group.cells.hasHeader) {
        group.cells.hasHeader = true;
        group.cells.header = cells;
        entry.index = -1;
    } else {
        // A second header row inside a module cannot happen (it starts a module); a program row it is.
        entry.index = static_cast<std::int32_t>(group.cells.programs.size());
        group.cells.programs.push_back(cells);
    }
    if (!rowLocks.empty())
        reading.locks.insert(reading.locks.end(), rowLocks.begin(), rowLocks.end());
    m_rows.push_back(entry);
}

std::string_view ModuleAccess::aside(const RowSpans& spans, int row) const
{
    const auto index = static_cast<std::uint32_t>(rowIndex(row));
    const auto found = std::lower_bound(spans.begin(), spans.end(), index,
                                        [](const auto& entry, std::uint32_t r) { return entry.first < r; });
    return found != spans.end() && found->first == index ? text(found->second) : std::string_view();
}

void ModuleAccess::closeGroup(Reading& reading)
{
    ModuleGroup& group = m_groups.back();
    reading.lastPrograms = group.cells.programs.size();
    const int lastRow = group.firstRow + group.rowCount;
    Locks& locks = reading.locks;
    if (!locks.empty()) {
        // A module names a few locks: looked through in turn; many are sorted once and searched.
        constexpr std::size_t fewLocks = 16;
        const bool few = locks.size() <= fewLocks;
        if (!few)
            std::sort(locks.begin(), locks.end());
        for (int r = group.firstRow; r < lastRow; ++r) {
            const RowEntry& row = m_rows[rowIndex(r)];
            if (row.index < 0)
                continue;
            const std::string_view code = trimmed(program(row));
            std::uint8_t mask = 0;
            if (few) {
                for (const auto& [name, numbers] : locks) {
                    if (sameText(name, code))
                        mask = static_cast<std::uint8_t>(mask | numbers);
                }
            } else {
                auto found
                    = std::lower_bound(locks.begin(), locks.end(), std::pair<std::string_view, std::uint8_t>(code, 0));
                for (; found != locks.end() && found->first == code; ++found)
                    mask = static_cast<std::uint8_t>(mask | found->second);
            }
            if (mask == 0)
                continue;
            AccessCells& cells = group.cells.programs[static_cast<std::size_t>(row.index)];
            for (int c = 0; c < accessColumnCount; ++c) {
                if (mask & (1u << c))
                    cells[c].locked = true;
            }
        }
        locks.clear();
    }
    m_headerStates.push_back(AccessRules::settle(group.cells, m_mayEdit));
}

const AccessColumn& ModuleAccess::column(int col) const
{
    static const AccessColumn none;
    return col >= 0 && col < columnCount ? m_columns[static_cast<std::size_t>(col)] : none;
}

AccessRow ModuleAccess::row(int row) const
{
    if (row < 1 || row > rowCount())
        return {};
    const RowEntry& entry = m_rows[rowIndex(row)];
    AccessRow out;
    out.hidden = text(entry.start, std::min(entry.moduleEnd, entry.start + hiddenLength));
    out.module = module(entry);
    out.program = program(entry);
    out.description = description(entry);
    out.extra = aside(m_extras, row);
    out.lockList = aside(m_lockLists, row);
    out.complete = entry.complete();
    return out;
}

int ModuleAccess::groupOf(int row) const
{
    return row >= 1 && row <= rowCount() ? m_rows[rowIndex(row)].group : -1;
}

const AccessCell ModuleAccess::noCell;

void ModuleAccess::refreshHeaderStates(std::size_t group)
{
    for (int c = 0; c < accessColumnCount; ++c)
        m_headerStates[group][static_cast<std::size_t>(c)] = AccessRules::headerState(m_groups[group].cells, c);
}

std::string ModuleAccess::cellText(int row, int col) const
{
    if (row == 0) {
        const AccessColumn& c = column(col);
        return c.title + c.format;
    }
    if (row < 1 || row > rowCount())
        return {};
    const AccessRow r = this->row(row);
    switch (col) {
    case 0:
        return r.isHeader() ? text::moduleHeaderMark + std::string(r.module) : std::string(r.module);
    case 1:
        return r.isHeader() ? std::string(1, text::moduleHeaderMark) : std::string(r.program);
    case 2:
        return r.isHeader() ? std::string(r.description) : std::string(programIndent) + std::string(r.description);
    case 7:
        return std::string(r.extra);
    default:
        break;
    }
    if (col >= 3 && col < 3 + accessColumnCount)
        return (*cellsOf(row))[col - 3].on ? "1" : "0";
    return {};
}

bool ModuleAccess::click(int row, int col)
{
    if (row < 1 || row > rowCount() || col < 3 || col >= 3 + accessColumnCount)
        return false;
    const RowEntry& entry = m_rows[rowIndex(row)];
    const auto group = static_cast<std::size_t>(entry.group);
    // A module's cells as loaded are kept aside the first time it changes.
    const auto kept = std::lower_bound(m_loaded.begin(), m_loaded.end(), group,
                                       [](const auto& module, std::size_t g) { return module.first < g; });
    const bool keep = kept == m_loaded.end() || kept->first != group;
    const ModuleCells before = keep ? m_groups[group].cells : ModuleCells();
    if (!AccessRules::click(m_groups[group].cells, entry.index, col - 3, m_mayEdit))
        return false;
    if (keep)
        m_loaded.emplace(kept, group, before);
    refreshHeaderStates(group);
    return true;
}

bool ModuleAccess::changed() const
{
    const auto sameValues = [](const AccessCells& a, const AccessCells& b) {
        for (int c = 0; c < accessColumnCount; ++c) {
            if (a[c].on != b[c].on)
                return false;
        }
        return true;
    };
    for (const auto& [group, before] : m_loaded) {
        const ModuleCells& now = m_groups[group].cells;
        if (!sameValues(now.header, before.header))
            return true;
        for (std::size_t p = 0; p < now.programs.size(); ++p) {
            if (!sameValues(now.programs[p], before.programs[p]))
                return true;
        }
    }
    return false;
}

bool ModuleAccess::hasProgramRows() const
{
    return std::any_of(m_rows.begin(), m_rows.end(), [](const RowEntry& r) { return !r.isHeader() && r.complete(); });
}

std::optional<std::string> ModuleAccess::saveData() const
{
    if (!hasProgramRows())
        return std::nullopt;
    std::string data;
    data.reserve(m_rows.size() * 24);
    for (int r = 1; r <= rowCount(); ++r) {
        const RowEntry& entry = m_rows[rowIndex(r)];
        if (entry.isHeader() || !entry.complete())
            continue;
        data += '\t';
        data += program(entry);
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
    int mode = 0; // 0 anywhere, 1 at the start, 2 at the end
    if (needle.starts_with('*') && !needle.ends_with('*'))
        mode = 2;
    else if (needle.ends_with('*'))
        mode = 1;
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
        const RowEntry& entry = m_rows[rowIndex(r)];
        for (; c <= 2; ++c) {
            if (c == 1 && entry.isHeader())
                continue;
            if (matches(c == 1 ? program(entry) : description(entry), needle, mode))
                return GridCell {r, c};
        }
    }
    return std::nullopt;
}

} // namespace corvane
