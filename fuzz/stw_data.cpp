// An STW data string as the server might send it: read it with and without the add right, then save, sort and
// find over whatever came out.
#include "StwFind.h"
#include "StwSave.h"
#include "StwSort.h"
#include "StwTable.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (bool keepNewEntryRow : {true, false}) {
        corvane::StwTable table;
        if (!table.load(input, keepNewEntryRow))
            continue;
        if (table.rowCount() < 1)
            __builtin_trap();
        for (int row = 0; row < table.rowCount(); ++row) {
            for (int col = 0; col <= table.columnCount(); ++col) {
                if (table.cell(row, col).size() > input.size())
                    __builtin_trap();
            }
        }
        const std::string saved = corvane::StwSave::saveText(table);
        if (saved.size() > input.size()
                + static_cast<std::size_t>(table.rowCount()) * (16 + static_cast<std::size_t>(table.columnCount())))
            __builtin_trap();
        if (table.columnCount() > 1) {
            corvane::StwSortFailure failure;
            const int col = table.columnCount() - 1;
            if (auto order = corvane::StwSort::order(table, col, false, corvane::StwSort::typeOf(table, col), failure))
                table.reorderRows(*order);
        }
        if (const auto pattern = corvane::StwFindPattern::parse(input.substr(0, 4)))
            (void)corvane::StwFind::next(table, *pattern, 1, 0, 0, table.rowCount() - 1);
    }
    return 0;
}
