// A "|GET|SYS|" reply (one key or several) and a configuration store reply; the first byte picks the key whose
// value is read and converted by its kind.
#include "SettingValue.h"
#include "SettingsRequests.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto keys = corvane::SettingsCatalogue::keys();
    const corvane::SettingKey& entry = keys[data[0] % keys.size()];
    const std::string_view reply(reinterpret_cast<const char*>(data + 1), size - 1);

    const corvane::SysSettingRead one = corvane::judgeSysSettingReply(reply, entry.key);
    if (one.value.size() > reply.size())
        __builtin_trap();
    if (!one.answered() && !one.value.empty())
        __builtin_trap();

    const std::string_view asked[] = {entry.key, keys[(data[0] + 1u) % keys.size()].key};
    for (const corvane::SysSettingRead& read : corvane::SettingsRequests::readMany(reply, asked)) {
        if (read.value.size() > reply.size() || read.value.find(',') != std::string_view::npos)
            __builtin_trap();
    }

    const corvane::SettingConversion conversion = corvane::SettingValue::convert(entry, one.value);
    bool negative = false;
    const auto choice = corvane::SettingValue::choiceIndex(conversion.value, negative);
    if (choice && *choice < 0)
        __builtin_trap();
    if (entry.unsetWhenEmpty && one.value.find_first_not_of(" \t") == std::string::npos && choice)
        __builtin_trap();

    const corvane::ConfigRead config = corvane::SettingsRequests::judgeConfigReply(true, reply);
    if (config.state == corvane::ConfigRead::State::Unset && reply != "#EMPTY#")
        __builtin_trap();
    return 0;
}
