// Typed dates: judged with and without future dates on a "today" taken from the input. A date that is accepted
// reads back as itself once written MM/DD/YYYY, and the full routine never fails without a host.
#include "DateRule.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const corvane::CivilDate today {1890 + data[0] % 250, 1 + data[1] % 12, 1 + data[2] % 28};
    const std::string typed(reinterpret_cast<const char*>(data + 3), size - 3);
    for (bool futureAllowed : {false, true}) {
        const corvane::DateJudgement judgement = corvane::judgeDateText(typed, futureAllowed, today);
        if (judgement.kind == corvane::DateJudgement::Kind::Valid) {
            if (judgement.normalised.size() != 10)
                __builtin_trap();
            const auto again = corvane::judgeDateText(judgement.normalised, futureAllowed, today);
            if (again.kind != corvane::DateJudgement::Kind::Valid || again.normalised != judgement.normalised
                || again.future != judgement.future)
                __builtin_trap();
        }
        if (judgement.kind == corvane::DateJudgement::Kind::NotADate && !judgement.normalised.empty())
            __builtin_trap();
        std::string normalised;
        bool wantsFocus = false;
        const bool valid = corvane::DateIsValidText(typed, futureAllowed, true, normalised, wantsFocus);
        if (valid && wantsFocus)
            __builtin_trap();
    }
    return 0;
}
