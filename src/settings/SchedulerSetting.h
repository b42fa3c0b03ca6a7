#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The server setting SCHEDULER: the scheduler's entity rule, the special rule's text and the default AR class.
struct SchedulerValue {
    static constexpr std::int16_t noRule = -88;
    static constexpr int specialRule = 3;

    std::int16_t rule = noRule; ///< 0 to 3, or noRule when none is stored
    std::string special; ///< the text after the special rule
    std::string arClass;

    bool operator==(const SchedulerValue&) const = default;
};

/// Reads and writes the SCHEDULER setting of the scheduler settings page.
class SchedulerSetting {
public:
    static constexpr std::string_view readRequest = "|GET|SYS|SCHEDULER|";
    static constexpr char specialMark = '\x03';
    static constexpr std::string_view saveFailed = "mcomm.GetServerStringData failed in frmSysSettings.SaveSchData";
    static constexpr std::string_view cautionTitle = "Scheduler System Settings";
    static constexpr std::string_view caution
        = "CAUTION!\r\nChanging entity rules will impact Appointment Scheduler!\r\n\r\nContinue with change?";

    /// The stored value of a reply "SCHEDULER=1\tAB,": the reply's closing comma is removed once and the value
    /// runs from the first "=" (an "=" in the AR class or the special text stays); a rule digit outside 0 to 3
    /// reads as no rule. Nothing for a failed read: an empty reply or an error.
    static std::optional<SchedulerValue> readReply(std::string_view reply);
    /// The rule part: the digit, or "3", byte 3 and the special text; empty for no rule.
    static std::string rulePart(const SchedulerValue& value);
    /// "|SET|SYS|SCHEDULER=" rule part TAB AR class "|".
    static std::string writeRequest(const SchedulerValue& value);
    /// Why value cannot be sent (a separator in the special text or the AR class), or nothing.
    static std::optional<std::string> refusal(const SchedulerValue& value);

    bool load();
    bool loaded() const { return m_loaded; }
    const SchedulerValue& value() const { return m_value; }
    const SchedulerValue& loadedValue() const { return m_loadedValue; }
    void setValue(const SchedulerValue& value);
    bool changed() const { return m_loaded && !(m_value == m_loadedValue); }
    /// Sends the value and judges the reply; true when it was stored. The edits stay when it was not.
    bool save();

private:
    SchedulerValue m_value;
    SchedulerValue m_loadedValue;
    bool m_loaded = false;
};

} // namespace corvane
