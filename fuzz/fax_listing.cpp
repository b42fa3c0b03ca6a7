// A fax listing reply, lines split at line breaks: read it, keep its rows, and read back every cell and key.
#include "FaxListing.h"
#include "FaxQueueTab.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    corvane::FaxQueueTab tab("SENT");
    const corvane::FaxListingPage page = corvane::FaxListing::read(lines);
    tab.take(page);
    tab.take(page);
    for (int row = 0; row < tab.rowCount(); ++row) {
        for (int col = -1; col <= tab.table().columnCount(); ++col) {
            if (tab.table().cell(row, col).size() > size)
                __builtin_trap();
        }
        (void)tab.nextRequest();
    }
    (void)tab.pairsOf(tab.chosenRows(0));
    return 0;
}
