// A charge slip set string: read it, write it back, read that again; the second reading must give the same text.
#include "ChargeSet.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    corvane::ChargeSet set;
    set.parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string written = set.serialise();
    corvane::ChargeSet again;
    again.parse(written);
    if (again.serialise() != written || again.count() > set.count())
        __builtin_trap();
    for (int position = 1; position <= set.count(); ++position) {
        if (set.group(position)->number() != position)
            __builtin_trap();
    }
    if (set.count() >= 2)
        set.swap(1, set.count());
    return 0;
}
