// A fee-set string: read it, then hand every shown amount back as dollars; the cents must come back unchanged.
#include "AltFeeSet.h"
#include "Money.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    corvane::AltFeeSet fees;
    fees.parse(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<std::pair<int, std::string>> boxes;
    for (const auto& [set, cents] : fees.shown()) {
        if (corvane::AltFeeSet::pageOf(set) < 0)
            __builtin_trap();
        const auto value = corvane::Money::parseCents(cents);
        if (value && *value >= 0 && *value <= corvane::Money::maxCents) {
            const std::string dollars = corvane::Money::formatDollars(*value, true);
            if (corvane::Money::parseDollars(dollars) != value)
                __builtin_trap();
            boxes.emplace_back(set, dollars);
        }
    }
    int invalid = 0;
    if (!fees.collect(boxes, invalid))
        __builtin_trap();
    (void)corvane::Money::parseDollars(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
