#include "StwSort.h"

#include "DateRule.h"
#include "Text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace corvane {

namespace {

constexpr CivilDate emptyDate {1777, 7, 7};

std::optional<long> dateKey(std::string_view value)
{
    value = text::trim(value);
    if (value.empty())
        return daysFromCivil(emptyDate);
    const auto date = parseDateText(value, true, CivilDate {2000, 1, 1});
    if (!date)
        return std::nullopt;
    return daysFromCivil(*date);
}

std::optional<StwNumber> numberKey(std::string_view value)
{
    // An empty cell counts as zero; amounts in parentheses are negative.
    if (text::trim(value).empty())
        return StwNumber {};
    return StwNumber::read(value);
}

std::optional<long long> wholeNumber(std::string_view s)
{
    s = text::trim(s);
    long long value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || error != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

std::optional<std::pair<long long, long long>> accountKey(std::string_view value)
{
    value = text::trim(value);
    if (value.empty())
        return std::pair<long long, long long> {-1, -1};
    const std::size_t slash = value.find('/');
    const auto first = wholeNumber(value.substr(0, slash));
    if (!first)
        return std::nullopt;
    if (slash == std::string_view::npos)
        return std::pair<long long, long long> {*first, 0};
    const auto second = wholeNumber(value.substr(slash + 1));
    if (!second)
        return std::nullopt;
    return std::pair<long long, long long> {*first, *second};
}

std::uint64_t prefixKey(std::string_view s)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < 8; ++i)
        key = (key << 8) | (i < s.size() ? static_cast<unsigned char>(s[i]) : 0u);
    return key;
}

template<typename Key, typename MakeKey>
std::optional<std::vector<int>> sortByKeys(const StwTable& table, int col, int lastRow, bool ascending,
                                           StwSortType type, StwSortFailure& failure, MakeKey makeKey)
{
    std::vector<Key> keys(static_cast<std::size_t>(lastRow + 1));
    for (int row = 1; row <= lastRow; ++row) {
        auto key = makeKey(table.text(row, col));
        if (!key) {
            const int other = row == 1 ? std::min(2, lastRow) : 1;
            failure = {type, std::string(table.text(row, col)), std::string(table.text(other, col))};
            return std::nullopt;
        }
        keys[static_cast<std::size_t>(row)] = *key;
    }
    std::vector<int> rows(static_cast<std::size_t>(lastRow));
    for (int row = 1; row <= lastRow; ++row)
        rows[static_cast<std::size_t>(row - 1)] = row;
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const Key& ka = keys[static_cast<std::size_t>(a)];
        const Key& kb = keys[static_cast<std::size_t>(b)];
        return ascending ? ka < kb : kb < ka;
    });
    return rows;
}

} // namespace

const char* StwSort::typeName(StwSortType type)
{
    switch (type) {
    case StwSortType::TypeAccount:
        return "TypeAccount";
    case StwSortType::TypeDate:
        return "TypeDate";
    case StwSortType::TypeNumber:
        return "TypeNumber";
    case StwSortType::TypeString:
        break;
    }
    return "TypeString";
}

std::string StwSortFailure::message() const
{
    return std::string("Unable to sort due to invalid sorting component(s):\r\nSorting type: ")
        + StwSort::typeName(type) + "\r\n1st component: " + first + "\r\n2nd component: " + second;
}

StwSortType StwSort::typeOf(const StwTable& table, int col)
{
    // The editor kind of the column's cells decides, as the first data row carries it; a grid without data rows
    // falls back to the header's code. The caption never decides.
    const bool hasDataRow = table.rowCount() > 1 && table.cell(1, col).size() >= StwCellFormat::length;
    const char kind = hasDataRow ? table.format(1, col).kind : table.column(col).format.kind;
    switch (kind) {
    case '2':
        return StwSortType::TypeDate;
    case '8':
    case '9':
    case 'A':
    case 'B':
        return StwSortType::TypeNumber;
    default:
        return StwSortType::TypeString;
    }
}

std::optional<int> StwSort::compare(std::string_view a, std::string_view b, StwSortType type)
{
    const auto order = [](const auto& x, const auto& y) {
        return x < y ? -1 : (y < x ? 1 : 0);
    };
    switch (type) {
    case StwSortType::TypeDate: {
        const auto x = dateKey(a);
        const auto y = dateKey(b);
        if (!x || !y)
            return std::nullopt;
        return order(*x, *y);
    }
    case StwSortType::TypeNumber: {
        const auto x = numberKey(a);
        const auto y = numberKey(b);
        if (!x || !y)
            return std::nullopt;
        return order(*x, *y);
    }
    case StwSortType::TypeAccount: {
        const auto x = accountKey(a);
        const auto y = accountKey(b);
        if (!x || !y)
            return std::nullopt;
        return order(*x, *y);
    }
    case StwSortType::TypeString:
        break;
    }
    return order(a, b);
}

std::optional<std::vector<int>> StwSort::order(const StwTable& table, int col, bool ascending, StwSortType type,
                                               StwSortFailure& failure)
{
    const int lastSortable = table.hasNewEntryRow() ? table.rowCount() - 2 : table.rowCount() - 1;
    std::optional<std::vector<int>> rows;
    switch (type) {
    case StwSortType::TypeDate:
        rows = sortByKeys<long>(table, col, lastSortable, ascending, type, failure, dateKey);
        break;
    case StwSortType::TypeNumber:
        rows = sortByKeys<StwNumber>(table, col, lastSortable, ascending, type, failure, numberKey);
        break;
    case StwSortType::TypeAccount:
        rows = sortByKeys<std::pair<long long, long long>>(table, col, lastSortable, ascending, type, failure,
                                                           accountKey);
        break;
    case StwSortType::TypeString: {
        // An eight-byte prefix per row keeps most comparisons in cache; only equal prefixes read the texts.
        struct Key {
            std::uint64_t prefix;
            std::string_view value;
            bool operator<(const Key& other) const
            {
                return prefix != other.prefix ? prefix < other.prefix : value < other.value;
            }
        };
        rows = sortByKeys<Key>(table, col, lastSortable, ascending, type, failure, [](std::string_view value) {
            return std::optional<Key>(Key {prefixKey(value), value});
        });
        break;
    }
    }
    if (rows && table.hasNewEntryRow())
        rows->push_back(table.rowCount() - 1);
    return rows;
}

} // namespace corvane
