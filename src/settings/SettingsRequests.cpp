#include "SettingsRequests.h"

#include "ReplyFraming.h"
#include "SeparatorCheck.h"
#include "Text.h"

namespace corvane {

namespace {

bool carriesKey(std::string_view key)
{
    return !key.empty() && key.find_first_of("=,") == std::string_view::npos && !SeparatorCheck::firstRefused(key);
}

bool isErrorText(std::string_view reply)
{
    const std::string_view trimmed = text::trim(reply);
    return ReplyFraming::isErrorLine(trimmed) || text::equalsNoCase(StatusReply::parse(trimmed).status(), "ERROR");
}

} // namespace

std::string SettingsRequests::getSys(std::string_view key)
{
    return "|GET|SYS|" + std::string(key) + "|";
}

std::optional<std::string> SettingsRequests::setSys(std::string_view key, std::string_view value, bool closingBar,
                                                    std::string_view valueSeparators)
{
    std::string checked(value);
    for (const char separator : valueSeparators)
        checked = text::replaceAll(checked, std::string_view(&separator, 1), "");
    if (!carriesKey(key) || SeparatorCheck::firstRefused(checked))
        return std::nullopt;
    std::string request = "|SET|SYS|";
    request.append(key).append("=").append(value);
    if (closingBar)
        request += '|';
    return request;
}

std::vector<std::string> SettingsRequests::getSysMany(std::span<const std::string_view> keys)
{
    std::vector<std::string> requests;
    std::string request;
    std::size_t inRequest = 0;
    for (const std::string_view key : keys) {
        if (!carriesKey(key))
            continue;
        if (inRequest == keysPerRead) {
            requests.push_back(request + "|");
            inRequest = 0;
        }
        request = inRequest == 0 ? "|GET|SYS|" : request + ",";
        request.append(key);
        ++inRequest;
    }
    if (inRequest > 0)
        requests.push_back(request + "|");
    return requests;
}

std::vector<SysSettingRead> SettingsRequests::readMany(std::string_view reply, std::span<const std::string_view> keys)
{
    std::vector<SysSettingRead> reads(keys.size());
    if (isErrorText(reply)) {
        for (auto& read : reads) {
            read.state = SysSettingRead::State::ErrorReply;
            read.detail = std::string(reply);
        }
        return reads;
    }
    const std::vector<std::string_view> items = text::split(text::trim(reply), ',');
    for (std::size_t k = 0; k < keys.size(); ++k) {
        for (const std::string_view item : items) {
            const std::size_t equals = item.find('=');
            if (equals == std::string_view::npos || item.substr(0, equals) != keys[k])
                continue;
            reads[k].value = std::string(item.substr(equals + 1));
            reads[k].state = reads[k].value.empty() ? SysSettingRead::State::Empty : SysSettingRead::State::Value;
            break;
        }
    }
    return reads;
}

std::string SettingsRequests::getConfig(std::string_view name)
{
    return "|GET|MSCG|" + std::string(name) + "|";
}

std::optional<std::string> SettingsRequests::setConfig(std::string_view name, std::string_view value)
{
    if (name.empty() || SeparatorCheck::firstRefused(name) || SeparatorCheck::firstRefused(value))
        return std::nullopt;
    return "|SET|MSCG|" + std::string(name) + "||" + std::string(value) + "|";
}

std::optional<std::string> SettingsRequests::deleteConfig(std::string_view name)
{
    if (name.empty() || SeparatorCheck::firstRefused(name))
        return std::nullopt;
    return "|SET|MSCG|" + std::string(name) + "|DEL|";
}

ConfigRead SettingsRequests::judgeConfigReply(bool sent, std::string_view reply)
{
    if (!sent)
        return {ConfigRead::State::NotReached, {}};
    if (isErrorText(reply))
        return {ConfigRead::State::ErrorReply, std::string(reply)};
    if (reply == configUnset)
        return {ConfigRead::State::Unset, {}};
    return {ConfigRead::State::Value, std::string(reply)};
}

} // namespace corvane
