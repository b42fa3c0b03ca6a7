// A collection status record: load it and write it back; loading and writing that again must change nothing.
#include "CollectionStatus.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view record(reinterpret_cast<const char*>(data), size);
    corvane::CollectionSettings settings;
    corvane::CollectionStatus::load(record, settings);
    int invalid = 0;
    bool ok = false;
    const std::string first = corvane::CollectionStatus::reassemble(settings, false, invalid, ok);
    if (!ok)
        return 0;
    corvane::CollectionSettings again;
    corvane::CollectionStatus::load(first, again);
    const std::string second = corvane::CollectionStatus::reassemble(again, false, invalid, ok);
    if (!ok || second != first)
        __builtin_trap();
    return 0;
}
