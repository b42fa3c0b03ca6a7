#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class Preferences;

/// The check boxes of the code tables page, in the order they are shown.
enum CodeTablesBox : std::size_t { UseCodeTables, KeepLocalCopy, LoadAllAtLogin, ShowAdvanced, ShowWindowsMenu };
inline constexpr std::size_t codeTablesBoxCount = 5;
using CodeTablesValues = std::array<bool, codeTablesBoxCount>;

/// How applying one group to every operator went.
struct ApplyOutcome {
    bool started = false; ///< the operator list could be read
    std::size_t operators = 0;
    std::size_t applied = 0;
    std::vector<std::pair<std::string, std::string>> notSaved; ///< operator code and why
};

/// The code tables page without widgets: the system defaults USECT, KEEPCTLOC and LOADCTLOGIN, or one operator's
/// five preferences, what was loaded and what the operator made of them, and the writes that store the changes.
class CodeTablesSettings {
public:
    static constexpr std::string_view systemRequest = "|GET|SYS|USECT,KEEPCTLOC,LOADCTLOGIN|";
    /// The names of the five values, as system settings (the first three) and as preferences.
    static constexpr std::array<std::string_view, codeTablesBoxCount> keys
        = {"USECT", "KEEPCTLOC", "LOADCTLOGIN", "SHOWADVANCED", "SHOWWINMENU"};
    static constexpr std::array<std::string_view, 3> groupCaptions
        = {"Using Code Tables", "Showing Advanced Settings", "Showing Windows Menu"};
    static constexpr std::string_view systemHeader = "Using Code Tables - Default System settings";
    static constexpr std::string_view passwordTitle = "Password Required";
    static constexpr std::string_view passwordPrompt
        = "Warning: this option only for use with slow network connections. A password is required.";
    static constexpr std::string_view wrongPassword = "Wrong password.";
    static constexpr std::string_view warningTitle = "WARNING";
    static constexpr std::string_view readFailed
        = "mComm.GetServerStringData failed in frmSysSettings.ShowCodeForCodeTables";
    static constexpr std::string_view saveFailed = "mcomm.GetServerStringData failed in frmSysSettings.SaveCodeTables";

    /// The system defaults when operatorCode is empty, else that operator's preferences.
    explicit CodeTablesSettings(std::string operatorCode = {});

    bool operatorMode() const { return !m_operator.empty(); }
    const std::string& operatorCode() const { return m_operator; }

    /// The typed answer to the password question, turned to lower case, against the fixed password.
    static bool passwordMatches(std::string_view typed);
    /// The three system values of a reply "USECT=1,KEEPCTLOC=0,": ticked only for "1"; nothing for an error reply.
    static std::optional<std::array<bool, 3>> readSystemReply(std::string_view reply);
    /// The boxes an apply button copies: group 0 the three code table values, 1 advanced settings, 2 windows menu.
    static std::span<const std::size_t> boxesOf(std::size_t group);
    /// The WARNING question before applying group to every operator.
    static std::string applyQuestion(std::size_t group);
    /// "Applied to 7 of 8 operators; not saved: MJONES (reason)".
    static std::string applySummary(const ApplyOutcome& outcome);
    /// An operator's preference text as the server holds it; nothing when it could not be read (never an empty
    /// text standing in for a failed read, which would wipe the operator's other preferences on the next write).
    static std::optional<std::string> readPreferenceText(const std::string& user, std::string* why = nullptr);

    /// Reads the values; false (the page stays covered) when they could not be read.
    bool load();
    bool loaded() const { return m_loaded; }
    const CodeTablesValues& values() const { return m_values; }
    const CodeTablesValues& loadedValues() const { return m_loadedValues; }
    /// Ticks or unticks one box; unticking "Use Code Tables" unticks the two boxes that depend on it.
    void setValue(std::size_t box, bool ticked);
    bool changed() const;

    /// The system writes for the changed values, in order, each without a closing bar.
    std::vector<std::string> systemWrites() const;
    /// Stores the changed values; true when everything was stored. The edits stay when anything failed.
    bool save();
    /// Copies the displayed values of group into every operator's preferences, going on past a failing operator.
    ApplyOutcome applyToAll(std::size_t group);

private:
    bool loadSystem();
    bool loadOperator();
    bool saveSystem();
    bool saveOperator();
    /// Writes boxes of values into user's freshly read preferences; empty on success, else why not.
    std::string writePreferences(const std::string& user, std::span<const std::size_t> boxes) const;

    std::string m_operator;
    CodeTablesValues m_values {};
    CodeTablesValues m_loadedValues {};
    bool m_loaded = false;
};

} // namespace corvane
