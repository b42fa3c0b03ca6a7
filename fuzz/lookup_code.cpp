// A typed lookup code as wire text: accepted exactly when it holds no bar and no byte of 127 or above, and the
// refusal names what was found.
#include "CommonRoutines.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string code(reinterpret_cast<const char*>(data), size);
    bool legal = true;
    for (char c : code)
        legal = legal && c != '|' && static_cast<unsigned char>(c) < 127;
    const auto refusal = corvane::lookupCodeRefusal(code);
    if (legal == refusal.has_value() || corvane::LookupCodeIsValid(code, true) != legal)
        __builtin_trap();
    if (refusal && refusal->rfind("Invalid characters.\r\n", 0) != 0)
        __builtin_trap();
    return 0;
}
