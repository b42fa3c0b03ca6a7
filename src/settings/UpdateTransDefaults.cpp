#include "UpdateTransDefaults.h"

#include "CheckForErrorOnSave.h"
#include "Log.h"
#include "Messages.h"
#include "ReplyFraming.h"
#include "ServerRequest.h"
#include "SettingsTexts.h"
#include "Text.h"

namespace corvane {

namespace {

std::optional<std::size_t> letterIndex(std::string_view field, std::string_view letters)
{
    const std::string_view trimmed = text::trim(field);
    if (trimmed.size() != 1)
        return std::nullopt;
    const std::size_t at = letters.find(text::upper(trimmed.front()));
    if (at == std::string_view::npos)
        return std::nullopt;
    return at;
}

} // namespace

UpdateTransValues UpdateTransDefaults::read(std::string_view value)
{
    UpdateTransValues values;
    std::string_view rest = value;
    for (std::size_t field = 1; field <= 5; ++field) {
        const std::size_t colon = rest.find(':');
        const std::string_view text = rest.substr(0, colon);
        switch (field) {
        case 1:
            values.alwaysShow = text::trim(text) == "1";
            break;
        case 2:
            values.flag = letterIndex(text, flagLetters).value_or(values.flag);
            break;
        case 3:
            if (const auto typed = days(text))
                values.days = *typed;
            break;
        case 4:
            values.paid = letterIndex(text, includeLetters).value_or(values.paid);
            break;
        case 5:
            values.zeroBalance = letterIndex(text, includeLetters).value_or(values.zeroBalance);
            break;
        }
        if (colon == std::string_view::npos)
            return values;
        rest.remove_prefix(colon + 1);
    }
    values.rest = std::string(rest);
    return values;
}

std::optional<UpdateTransValues> UpdateTransDefaults::readReply(std::string_view reply)
{
    const std::string_view trimmed = text::trim(reply);
    if (text::startsWithNoCase(trimmed, "ERROR") || ReplyFraming::isErrorLine(trimmed)
        || StatusReply::parse(trimmed).status() == "ERROR")
        return std::nullopt;
    return read(trimmed);
}

std::string UpdateTransDefaults::write(const UpdateTransValues& values)
{
    std::string entry = values.alwaysShow ? "1" : "";
    entry += ':';
    entry += flagLetters.at(values.flag < flagLetters.size() ? values.flag : 0);
    entry += ':' + days(values.days).value_or(values.days) + ':';
    entry += includeLetters.at(values.paid < includeLetters.size() ? values.paid : 0);
    entry += ':';
    entry += includeLetters.at(values.zeroBalance < includeLetters.size() ? values.zeroBalance : 0);
    if (!values.rest.empty())
        entry += ':' + values.rest;
    return entry;
}

std::optional<std::string> UpdateTransDefaults::days(std::string_view typed)
{
    const std::string_view trimmed = text::trim(typed);
    if (trimmed.empty())
        return std::string("0");
    if (trimmed.size() > 3)
        return std::nullopt;
    for (const char c : trimmed) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    return std::to_string(std::stoi(std::string(trimmed)));
}

bool UpdateTransDefaults::sameChoices() const
{
    return m_values.alwaysShow == m_loadedValues.alwaysShow && m_values.flag == m_loadedValues.flag
        && m_values.paid == m_loadedValues.paid && m_values.zeroBalance == m_loadedValues.zeroBalance;
}

bool UpdateTransDefaults::load()
{
    m_loaded = false;
    return trapped("Error in frmSysSettings.ShowCodeForUpdateTrans : ", false, [&] {
        const StringReply reply = ServerRequest::viaString(std::string(readRequest));
        if (!reply.sent) {
            Log::commFailure("GetServerStringData", "frmSysSettings.ShowCodeForUpdateTrans");
            return false;
        }
        const auto values = readReply(reply.text);
        if (!values) {
            Log::line("Error in frmSysSettings.ShowCodeForUpdateTrans : " + reply.text);
            return false;
        }
        m_values = *values;
        m_loadedValues = *values;
        m_loaded = true;
        return true;
    });
}

void UpdateTransDefaults::setValues(const UpdateTransValues& values)
{
    if (m_loaded)
        m_values = values;
}

bool UpdateTransDefaults::save()
{
    return trapped("Error in frmSysSettings.SaveUpdateTrans : ", false, [&] {
        if (!m_loaded)
            return false;
        const auto typed = days(m_values.days);
        if (!typed) {
            tell(std::string(daysMessage), PromptIcon::Warning, std::string(SettingsTexts::validationTitle));
            return false;
        }
        UpdateTransValues values = m_values;
        values.days = *typed;
        const std::string request = std::string(writePrefix) + write(values);
        const StringReply reply = ServerRequest::viaString(request);
        if (!reply.sent) {
            tell(std::string(saveFailed), PromptIcon::Critical);
            return false;
        }
        if (!CheckForErrorOnSave(reply.text))
            return false;
        m_values = values;
        m_loadedValues = values;
        return true;
    });
}

} // namespace corvane
