#pragma once

#include <string>
#include <string_view>

namespace corvane {

/// The settings window's own texts (wire text), kept in one place so that the window and its models agree.
class SettingsTexts {
public:
    static constexpr std::string_view systemCaption = "System Settings";
    static constexpr std::string_view operatorCaption = "Operator Settings";
    static constexpr std::string_view captionJoin = ":       ";
    static constexpr std::string_view readOnlySuffix = "                        READ ONLY";
    static constexpr std::string_view validationTitle = "System Settings";
    static constexpr std::string_view cover = "No data has been received.";
    static constexpr std::string_view userOverwrite
        = "NOTE: Setting configurable per Operator. Each Operator's preference takes precedence over the System "
          "Default.";
    static constexpr std::string_view saved = "                 Settings Saved.";
    static constexpr std::string_view savedWithLogoff
        = "Settings Saved.\r\nPlease Logoff and Logon for new settings to take effect.";
    static constexpr std::string_view notAllowed
        = "Not allowed to change in current configuration.\r\nCall ZEL to modify.";
    static constexpr std::string_view protectedQuestion
        = "You are modifying protected system setting.\r\nOK to proceed?";
    static constexpr std::string_view alreadyProtected = "This Setting has already been protected.";
    static constexpr std::string_view findTitle = "Find";
    static constexpr std::string_view searchAgain = "Search again from the top?";
    static constexpr std::string_view noChoice = "Choose one of the options before saving.";
    static constexpr std::string_view viewOnly = "View only: changing settings needs the change right on PRGL.";
    static constexpr std::string_view protectedNote = "Protected: this setting can be changed only by support.";

    /// The window caption from its state: base ("System Settings" or "Operator Settings"), then ":       " and
    /// the leaf when one is shown, then the read-only suffix. Computed afresh, never appended to.
    static std::string caption(std::string_view base, std::string_view leaf, bool readOnly);
    /// "Cannot find '" text "'".
    static std::string cannotFind(std::string_view text);
    /// The refusal for a key a request cannot carry.
    static std::string keyCannotBeSent(std::string_view key);
};

} // namespace corvane
