#include "SchedulerSetting.h"

#include "CheckForErrorOnSave.h"
#include "Log.h"
#include "Messages.h"
#include "ReplyFraming.h"
#include "SeparatorCheck.h"
#include "ServerRequest.h"
#include "SettingsTexts.h"
#include "SharedState.h"
#include "Text.h"

namespace corvane {

std::optional<SchedulerValue> SchedulerSetting::readReply(std::string_view reply)
{
    std::string_view value = reply;
    while (!value.empty() && (value.back() == '\r' || value.back() == '\n'))
        value.remove_suffix(1);
    const std::string_view trimmed = text::trim(value);
    if (trimmed.empty() || text::startsWithNoCase(trimmed.substr(0, 5), "ERROR") || ReplyFraming::isErrorLine(trimmed)
        || StatusReply::parse(trimmed).status() == "ERROR")
        return std::nullopt;
    SchedulerValue read;
    const std::size_t equals = value.find('=');
    if (equals == std::string_view::npos)
        return read;
    value.remove_prefix(equals + 1);
    if (!value.empty() && value.back() == ',')
        value.remove_suffix(1);

    const std::size_t tab = value.find('\t');
    const std::string_view rule = value.substr(0, tab);
    if (tab != std::string_view::npos) {
        const std::string_view after = value.substr(tab + 1);
        read.arClass = std::string(after.substr(0, after.find('\t')));
    }
    if (!rule.empty() && rule.front() >= '0' && rule.front() <= '3')
        read.rule = static_cast<std::int16_t>(rule.front() - '0');
    if (const std::size_t mark = rule.find(specialMark); mark != std::string_view::npos)
        read.special = std::string(rule.substr(mark + 1));
    return read;
}

std::string SchedulerSetting::rulePart(const SchedulerValue& value)
{
    if (value.rule < 0 || value.rule > SchedulerValue::specialRule)
        return {};
    if (value.rule < SchedulerValue::specialRule)
        return std::to_string(value.rule);
    return std::string("3") + specialMark + value.special;
}

std::string SchedulerSetting::writeRequest(const SchedulerValue& value)
{
    return "|SET|SYS|SCHEDULER=" + rulePart(value) + "\t" + value.arClass + "|";
}

std::optional<std::string> SchedulerSetting::refusal(const SchedulerValue& value)
{
    const std::string_view own = "\x03";
    if (value.rule == SchedulerValue::specialRule) {
        if (const auto byte = SeparatorCheck::firstRefused(value.special, own))
            return SeparatorCheck::refusalText("Special", *byte);
    }
    if (const auto byte = SeparatorCheck::firstRefused(value.arClass, own))
        return SeparatorCheck::refusalText("Default AR class", *byte);
    return std::nullopt;
}

bool SchedulerSetting::load()
{
    m_loaded = false;
    return trapped("Error raised in frmSysSettings.ShowSchSettings: ", false, [&] {
        const StringReply reply = ServerRequest::viaString(std::string(readRequest));
        if (!reply.sent) {
            Log::commFailure("GetServerStringData", "frmSysSettings.ShowSchSettings");
            return false;
        }
        const auto value = readReply(reply.text);
        if (!value) {
            Log::line("Error raised in frmSysSettings.ShowSchSettings: " + reply.text);
            return false;
        }
        m_value = *value;
        m_loadedValue = *value;
        m_loaded = true;
        return true;
    });
}

void SchedulerSetting::setValue(const SchedulerValue& value)
{
    if (m_loaded)
        m_value = value;
}

bool SchedulerSetting::save()
{
    return trapped("Error raised in frmSysSettings.SaveSchData: ", false, [&] {
        if (!m_loaded)
            return false;
        if (const auto refused = refusal(m_value)) {
            tell(*refused, PromptIcon::Warning, std::string(SettingsTexts::validationTitle));
            return false;
        }
        const StringReply reply = ServerRequest::viaString(writeRequest(m_value));
        if (!reply.sent) {
            tell(std::string(saveFailed), PromptIcon::Critical, SharedState::instance().messageTitle());
            return false;
        }
        if (!CheckForErrorOnSave(reply.text))
            return false;
        m_loadedValue = m_value;
        return true;
    });
}

} // namespace corvane
