// Three cell values compared as each sort type compares them: the comparison must be an ordering (a value equals
// itself, swapping the two sides turns the sign, and it is transitive), or a stable sort could scramble rows.
#include "StwSort.h"
#include "Text.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    auto values = corvane::text::split(input, '\t');
    values.resize(3);
    using corvane::StwSort;
    using corvane::StwSortType;
    for (StwSortType type :
         {StwSortType::TypeAccount, StwSortType::TypeDate, StwSortType::TypeNumber, StwSortType::TypeString}) {
        for (const auto value : values) {
            const auto self = StwSort::compare(value, value, type);
            if (self && *self != 0)
                __builtin_trap();
        }
        for (std::size_t i = 0; i < 3; ++i) {
            const auto a = values[i];
            const auto b = values[(i + 1) % 3];
            const auto c = values[(i + 2) % 3];
            const auto ab = StwSort::compare(a, b, type);
            const auto ba = StwSort::compare(b, a, type);
            if (ab.has_value() != ba.has_value() || (ab && sign(*ab) != -sign(*ba)))
                __builtin_trap();
            const auto bc = StwSort::compare(b, c, type);
            const auto ac = StwSort::compare(a, c, type);
            if (ab && bc && ac && *ab <= 0 && *bc <= 0 && *ac > 0)
                __builtin_trap();
            if (ab && bc && ac && *ab == 0 && *bc == 0 && *ac != 0)
                __builtin_trap();
        }
    }
    return 0;
}
