// Amounts typed as dollars or handed over as cents: whatever is read must write back and read again unchanged,
// and nothing outside 0 to 99,999,999.99 is taken as dollars.
#include "Money.h"

#include <cstddef>
#include <cstdint>
#include <string>

using corvane::Money;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto cents = Money::parseDollars(text)) {
        if (*cents < 0 || *cents > Money::maxCents)
            __builtin_trap();
        for (bool grouping : {false, true}) {
            if (Money::parseDollars(Money::formatDollars(*cents, grouping)) != cents)
                __builtin_trap();
        }
        if (Money::parseDollars(Money::shortDollars(*cents)) != cents)
            __builtin_trap();
    }
    if (const auto cents = Money::parseCents(text)) {
        if (Money::parseCents(std::to_string(*cents)) != cents)
            __builtin_trap();
        const std::string shown = Money::formatDollars(*cents, true);
        if (*cents >= 0 && *cents <= Money::maxCents && Money::parseDollars(shown) != cents)
            __builtin_trap();
    }
    return 0;
}
