// A Module Access reply: read it, click cells the input names and write the save text. Whatever is clicked, the
// module rules leave a state that settling again does not change, and locked cells keep their values.
#include "ModuleAccess.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const bool mayEdit = size % 2 == 0;
    corvane::ModuleAccess page;
    page.load(input, mayEdit);
    for (int r = 0; r <= page.rowCount() + 1; ++r) {
        for (int c = -1; c <= 8; ++c) {
            (void)page.cellText(r, c);
            (void)page.headerState(r, c);
        }
    }
    std::vector<bool> locked;
    std::vector<bool> values;
    for (int r = 1; r <= page.rowCount(); ++r) {
        for (int c = 3; c <= 6; ++c) {
            locked.push_back(page.access(r, c).locked);
            values.push_back(page.access(r, c).on);
        }
    }
    for (std::size_t i = 0; i + 1 < size && i < 64; i += 2) {
        const int rows = page.rowCount() + 2;
        page.click(static_cast<int>(data[i]) % rows, 3 + data[i + 1] % 4);
    }
    for (const auto& group : page.groups()) {
        corvane::ModuleCells again = group.cells;
        corvane::AccessRules::settle(again, mayEdit);
        if (!(again == group.cells))
            __builtin_trap();
    }
    std::size_t i = 0;
    for (int r = 1; r <= page.rowCount(); ++r) {
        for (int c = 3; c <= 6; ++c, ++i) {
            if (locked[i] && page.access(r, c).on != values[i])
                __builtin_trap();
        }
    }
    (void)page.saveRequest("O", "X");
    (void)page.findNext(input.substr(0, 8), {0, 2});
    return 0;
}
