// The server's list of settings pages (items at byte 230, fields at TAB) and the tree built from it.
#include "SettingsTree.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    const auto items = corvane::SettingsTree::readServerItems(reply);
    if (!items)
        return 0;
    for (const corvane::ServerItem& item : *items) {
        if (item.caption.empty() || item.handle.empty())
            __builtin_trap();
    }
    const bool developer = size > 0 && (data[0] & 1);
    const auto nodes = corvane::SettingsTree::build(developer, {{"JSMITH", "JSMITH\tJane Smith"}}, *items);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].parent >= static_cast<int>(i))
            __builtin_trap();
    }
    return 0;
}
