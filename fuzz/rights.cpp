// A rights reply ("PROGRAM TAB add TAB delete TAB change TAB open" lines) as the reference host reads it: the entry
// of every program named on a full line says what its last such line says, and a program named only on short lines
// has none (a missing entry means no rights at all).
#include "ReferencePreferences.h"
#include "Text.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    std::map<std::string, std::vector<std::string_view>> expected;
    for (auto line : corvane::text::split(input, '\n'))
        lines.emplace_back(line);
    for (const auto& line : lines) {
        const auto fields = corvane::text::split(line, '\t');
        if (fields.size() >= 5 && !fields[0].empty())
            expected[std::string(fields[0])] = fields;
    }
    const corvane::reference::ReferenceRights rights(lines);
    for (const auto& [program, fields] : expected) {
        const auto entry = rights.entry(program);
        if (!entry || entry->mayAdd != (fields[1] == "Y") || entry->mayDelete != (fields[2] == "Y")
            || entry->mayChange != (fields[3] == "Y") || entry->mayOpen != (fields[4] == "Y"))
            __builtin_trap();
    }
    for (const auto& line : lines) {
        const std::string program(corvane::text::split(line, '\t').front());
        if (!expected.count(program) && rights.entry(program))
            __builtin_trap();
    }
    return 0;
}
