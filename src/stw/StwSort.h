#pragma once

#include "StwTable.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane {

enum class StwSortType { TypeAccount, TypeDate, TypeNumber, TypeString };

/// Two values that could not be compared as their type requires.
struct StwSortFailure {
    StwSortType type = StwSortType::TypeString;
    std::string first;
    std::string second;

    /// "Unable to sort due to invalid sorting component(s):" and the type and both components.
    std::string message() const;
};

/// Sorting the data rows by one column.
class StwSort {
public:
    static const char* typeName(StwSortType type);
    /// The sort type of a column by the editor kind of its cells: dates for date cells, numbers for amount and
    /// numeric cells, text otherwise. Account numbers are compared as such only when a caller asks for TypeAccount.
    static StwSortType typeOf(const StwTable& table, int col);

    /// The new order of the data rows (for StwTable::reorderRows), or nothing when two values could not be
    /// compared (failure says which). Equal values keep their order; the new-entry row stays last.
    static std::optional<std::vector<int>> order(const StwTable& table, int col, bool ascending, StwSortType type,
                                                 StwSortFailure& failure);

    /// Compares two values by type: negative, zero or positive; nothing when they cannot be compared.
    static std::optional<int> compare(std::string_view a, std::string_view b, StwSortType type);
};

} // namespace corvane
