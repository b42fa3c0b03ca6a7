// A "|GET|SYS|" reply; the first byte chooses how long the setting name is, taken from the reply's start.
#include "ServerSettings.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view reply(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string_view name = reply.substr(0, std::min<std::size_t>(data[0] % 16, reply.size()));
    const auto reading = corvane::readSysSettingValue(reply, name);
    if (reading.malformed && !reading.value.empty())
        __builtin_trap();
    if (reading.value.size() > reply.size())
        __builtin_trap();
    return 0;
}
