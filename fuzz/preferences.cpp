// Operator preference text as the reference host keeps it ("KEY=value" lines): what is read writes back and reads
// again unchanged, merging keeps every key of both texts, and a value set is the value read.
#include "ReferencePreferences.h"

#include <cstddef>
#include <cstdint>
#include <string>

using corvane::reference::ReferencePreferences;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t half = input.find('\0');
    const std::string own = input.substr(0, half);
    const std::string stored = half == std::string::npos ? std::string() : input.substr(half + 1);

    const auto values = ReferencePreferences::parse(own);
    if (ReferencePreferences::parse(ReferencePreferences::format(values)) != values)
        __builtin_trap();

    const ReferencePreferences preferences(own);
    std::string merged = stored;
    preferences.writeSettings(merged);
    const auto mergedValues = ReferencePreferences::parse(merged);
    for (const auto& [key, value] : values) {
        const auto found = mergedValues.find(key);
        if (found == mergedValues.end() || found->second != value || preferences.value(key) != value)
            __builtin_trap();
    }
    for (const auto& [key, value] : ReferencePreferences::parse(stored)) {
        if (!mergedValues.count(key))
            __builtin_trap();
    }
    if (!values.empty()) {
        ReferencePreferences changed(own);
        const std::string& key = values.begin()->first;
        changed.setValue(key, "Y");
        if (changed.value(key) != "Y")
            __builtin_trap();
    }
    return 0;
}
