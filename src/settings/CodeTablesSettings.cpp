#include "CodeTablesSettings.h"

#include "CheckForErrorOnSave.h"
#include "CommonRoutines.h"
#include "Log.h"
#include "Messages.h"
#include "ReplyFraming.h"
#include "SeparatorCheck.h"
#include "ServerRequest.h"
#include "ServerSettings.h"
#include "SettingsRequests.h"
#include "SharedState.h"
#include "Text.h"

namespace corvane {

namespace {

// Three lower-case letters, as the page has always asked for.
constexpr std::string_view password = "slw";

constexpr std::array<std::size_t, 3> codeTableBoxes = {UseCodeTables, KeepLocalCopy, LoadAllAtLogin};
constexpr std::array<std::size_t, 1> advancedBoxes = {ShowAdvanced};
constexpr std::array<std::size_t, 1> windowsMenuBoxes = {ShowWindowsMenu};

bool isErrorText(std::string_view reply)
{
    const std::string_view trimmed = text::trim(reply);
    return text::startsWithNoCase(trimmed, "ERROR") || ReplyFraming::isErrorLine(trimmed)
        || StatusReply::parse(trimmed).status() == "ERROR";
}

std::vector<std::string> operatorCodes(bool& read)
{
    read = false;
    std::vector<std::string> codes;
    auto table = GetCodeTable("OP", 0);
    if (!table)
        return codes;
    std::vector<std::vector<std::string>> rows;
    if (!table->GetRows(SharedState::instance().contextKey, rows))
        return codes;
    read = true;
    for (const auto& row : rows) {
        if (!row.empty() && !text::trim(row[0]).empty())
            codes.emplace_back(text::trim(row[0]));
    }
    return codes;
}

} // namespace

CodeTablesSettings::CodeTablesSettings(std::string operatorCode)
    : m_operator(std::move(operatorCode))
{
}

bool CodeTablesSettings::passwordMatches(std::string_view typed)
{
    std::string lower(typed);
    for (char& c : lower)
        c = text::lowerCase(c);
    return lower == password;
}

std::optional<std::array<bool, 3>> CodeTablesSettings::readSystemReply(std::string_view reply)
{
    if (isErrorText(reply))
        return std::nullopt;
    const std::array<std::string_view, 3> names = {keys[0], keys[1], keys[2]};
    const std::vector<SysSettingRead> reads = SettingsRequests::readMany(reply, names);
    std::array<bool, 3> ticked {};
    for (std::size_t i = 0; i < ticked.size(); ++i) {
        if (!reads[i].answered())
            return std::nullopt;
        // Only "1" ticks: an empty value ("USECT=,") is not a choice the practice made.
        ticked[i] = text::trim(reads[i].value) == "1";
    }
    return ticked;
}

std::span<const std::size_t> CodeTablesSettings::boxesOf(std::size_t group)
{
    switch (group) {
    case 0:
        return codeTableBoxes;
    case 1:
        return advancedBoxes;
    case 2:
        return windowsMenuBoxes;
    default:
        return {};
    }
}

std::string CodeTablesSettings::applyQuestion(std::size_t group)
{
    std::string question = group == 0 ? "Displayed settings for" : "Displayed setting for";
    question += "\r\n\"" + std::string(groupCaptions.at(group)) + "\"\r\nwill be applied to ALL Operators.";
    return question + "\r\n\r\nDo you want to proceed?";
}

std::string CodeTablesSettings::applySummary(const ApplyOutcome& outcome)
{
    std::string summary
        = "Applied to " + std::to_string(outcome.applied) + " of " + std::to_string(outcome.operators) + " operators";
    if (outcome.notSaved.empty())
        return summary + ".";
    summary += "; not saved: ";
    for (std::size_t i = 0; i < outcome.notSaved.size(); ++i) {
        if (i > 0)
            summary += ", ";
        summary += outcome.notSaved[i].first + " (" + outcome.notSaved[i].second + ")";
    }
    return summary;
}

std::optional<std::string> CodeTablesSettings::readPreferenceText(const std::string& user, std::string* why)
{
    const auto fail = [&](std::string reason) -> std::optional<std::string> {
        if (why)
            *why = std::move(reason);
        return std::nullopt;
    };
    if (user.empty() || SeparatorCheck::firstRefused(user))
        return fail("the operator code cannot be sent");
    const StringReply reply = ServerRequest::viaString("|GET|PREFS|" + user + "|");
    if (!reply.sent) {
        Log::error("ERR in CorvaneDialogs.Main.GetUserSettings  ", reply.errorText);
        return fail("server not reached");
    }
    if (isErrorText(reply.text)) {
        Log::line("ERR in CorvaneDialogs.Main.GetUserSettings  " + reply.text);
        return fail("preferences could not be read");
    }
    return reply.text;
}

bool CodeTablesSettings::load()
{
    m_loaded = false;
    return trapped("ERR in frmSysSettings.ShowCodeForCodeTables   ", false, [&] {
        m_loaded = operatorMode() ? loadOperator() : loadSystem();
        if (m_loaded)
            m_loadedValues = m_values;
        return m_loaded;
    });
}

bool CodeTablesSettings::loadSystem()
{
    const StringReply reply = ServerRequest::viaString(std::string(systemRequest));
    if (!reply.sent) {
        tell(std::string(readFailed), PromptIcon::Critical);
        return false;
    }
    const auto ticked = readSystemReply(reply.text);
    if (!ticked) {
        Log::line("ERR in frmSysSettings.ShowCodeForCodeTables   " + reply.text);
        return false;
    }
    m_values = {};
    for (std::size_t i = 0; i < ticked->size(); ++i)
        m_values[i] = (*ticked)[i];
    return true;
}

bool CodeTablesSettings::loadOperator()
{
    const auto text = readPreferenceText(m_operator);
    auto utils = SharedState::instance().utils;
    if (!text || !utils)
        return false;
    // Another operator's values come from an object made from that operator's own text, never from the
    // signed-in operator's object.
    const std::shared_ptr<Preferences> preferences = utils->NewPreferences(*text);
    if (!preferences) {
        Log::line("ERR in frmSysSettings.ShowCodeForCodeTables   the utilities component cannot make a preferences "
                  "object");
        return false;
    }
    for (std::size_t i = 0; i < codeTablesBoxCount; ++i)
        m_values[i] = text::trim(preferences->value(std::string(keys[i]))) == "1";
    return true;
}

void CodeTablesSettings::setValue(std::size_t box, bool ticked)
{
    if (!m_loaded || box >= codeTablesBoxCount)
        return;
    m_values[box] = ticked;
    if (box == UseCodeTables && !ticked) {
        m_values[KeepLocalCopy] = false;
        m_values[LoadAllAtLogin] = false;
    }
}

bool CodeTablesSettings::changed() const
{
    // In system mode the advanced and windows menu boxes only feed the apply buttons.
    const std::size_t count = operatorMode() ? codeTablesBoxCount : 3;
    for (std::size_t i = 0; i < count; ++i) {
        if (m_values[i] != m_loadedValues[i])
            return m_loaded;
    }
    return false;
}

std::vector<std::string> CodeTablesSettings::systemWrites() const
{
    std::vector<std::string> writes;
    for (std::size_t i = 0; i < 3; ++i) {
        if (m_loaded && m_values[i] != m_loadedValues[i])
            writes.push_back("|SET|SYS|" + std::string(keys[i]) + "=" + (m_values[i] ? "1" : "0"));
    }
    return writes;
}

bool CodeTablesSettings::save()
{
    return trapped("ERR in CorvaneDialogs.frmSysSettings.SaveCodeTables   ", false, [&] {
        if (!m_loaded)
            return false;
        return operatorMode() ? saveOperator() : saveSystem();
    });
}

bool CodeTablesSettings::saveSystem()
{
    for (std::size_t i = 0; i < 3; ++i) {
        if (m_values[i] == m_loadedValues[i])
            continue;
        const std::string request = "|SET|SYS|" + std::string(keys[i]) + "=" + (m_values[i] ? "1" : "0");
        const StringReply reply = ServerRequest::viaString(request);
        if (!reply.sent) {
            tell(std::string(saveFailed), PromptIcon::Critical);
            return false;
        }
        if (!CheckForErrorOnSave(reply.text))
            return false;
        // What the server took stays taken; a later failure leaves only the rest to save.
        m_loadedValues[i] = m_values[i];
    }
    return true;
}

bool CodeTablesSettings::saveOperator()
{
    std::vector<std::size_t> boxes;
    for (std::size_t i = 0; i < codeTablesBoxCount; ++i) {
        if (m_values[i] != m_loadedValues[i])
            boxes.push_back(i);
    }
    if (boxes.empty())
        return true;
    const std::string why = writePreferences(m_operator, boxes);
    if (!why.empty()) {
        tell("The preferences of " + m_operator + " were not saved: " + why + ".", PromptIcon::Critical);
        return false;
    }
    m_loadedValues = m_values;
    return true;
}

std::string CodeTablesSettings::writePreferences(const std::string& user, std::span<const std::size_t> boxes) const
{
    std::string why;
    // Read afresh: values another workstation changed since the page loaded are kept.
    const auto text = readPreferenceText(user, &why);
    if (!text)
        return why;
    auto& state = SharedState::instance();
    const std::shared_ptr<Preferences> preferences = state.utils ? state.utils->NewPreferences(*text) : nullptr;
    if (!preferences)
        return "no preferences object";
    for (const std::size_t box : boxes) {
        if (!preferences->setValue(std::string(keys[box]), m_values[box] ? "1" : "0"))
            return "the preferences object refused " + std::string(keys[box]);
    }
    std::string written = preferences->currentText();
    preferences->writeSettings(written);
    // The text runs to the end of the request: only a bar would cut it short.
    if (written.find('|') != std::string::npos)
        return "the preferences hold \"|\"";
    const StringReply reply = ServerRequest::viaString(buildSetPreferencesRequest(user, state.operatorName, written));
    if (!reply.sent) {
        Log::error("ERR in CorvaneDialogs.Main.SetUserSettings  ", reply.errorText);
        return "server not reached";
    }
    const SaveVerdict verdict = judgeSaveReply(reply.text);
    if (!verdict.saved) {
        Log::line("ERR in CorvaneDialogs.Main.SetUserSettings  " + user + " " + reply.text);
        return verdict.text.empty() ? std::string("refused") : verdict.text;
    }
    // The signed-in operator's own object follows what was stored.
    if (text::equalsNoCase(user, state.operatorName) && state.utils)
        state.utils->GetPreferences(state.preferences);
    return {};
}

ApplyOutcome CodeTablesSettings::applyToAll(std::size_t group)
{
    ApplyOutcome outcome;
    return trapped("ERR in CorvaneDialogs.frmSysSettings.cmdApplyToAllUsers_Click   ", outcome, [&] {
        const std::span<const std::size_t> boxes = boxesOf(group);
        if (boxes.empty())
            return outcome;
        const std::vector<std::string> codes = operatorCodes(outcome.started);
        outcome.operators = codes.size();
        for (const std::string& code : codes) {
            const std::string why = writePreferences(code, boxes);
            if (why.empty())
                ++outcome.applied;
            else
                outcome.notSaved.emplace_back(code, why);
        }
        // The operator shown may be among them: what was applied is what the page now holds.
        if (operatorMode()) {
            for (const auto& [code, why] : outcome.notSaved) {
                if (code == m_operator)
                    return outcome;
            }
            for (const std::size_t box : boxes)
                m_loadedValues[box] = m_values[box];
        }
        return outcome;
    });
}

} // namespace corvane
