#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The defaults of the Update Transactions dialog, kept as the code table entry DFVL3: five fields joined by ":".
struct UpdateTransValues {
    bool alwaysShow = false; ///< field 1: "1" shows the dialog every time
    std::size_t flag = 0; ///< field 2: index into flagLetters
    std::string days = "0"; ///< field 3: the service-date window in days
    std::size_t paid = 0; ///< field 4: index into includeLetters
    std::size_t zeroBalance = 0; ///< field 5: index into includeLetters
    std::string rest; ///< fields after the fifth, kept as they came

    bool operator==(const UpdateTransValues&) const = default;
};

/// Reads and writes the DFVL3 entry of the transaction update page.
class UpdateTransDefaults {
public:
    static constexpr std::string_view readRequest = "|GET|CODE|DFVL3|";
    static constexpr std::string_view writePrefix = "|SET|CODE|DFVL3|";
    /// The insurance flags in the order of their option buttons.
    static constexpr std::string_view flagLetters = "INADW";
    /// Include or don't include, for paid and zero balance charges.
    static constexpr std::string_view includeLetters = "ID";
    static constexpr std::string_view daysMessage = "Please enter number of days (0-999)!";
    static constexpr std::string_view saveFailed = "mcomm.GetServerStringData failed in frmSysSettings.SaveUpdateTrans";

    /// The values of a stored entry: the defaults (I, 0 days, I, I) first, then each field present; a letter that
    /// matches no choice, in either case, leaves its default.
    static UpdateTransValues read(std::string_view value);
    /// The values of a reply; nothing for an error reply.
    static std::optional<UpdateTransValues> readReply(std::string_view reply);
    /// The entry for values: "1" or empty, the flag letter, the days, "I" or "D" twice, then any later fields.
    static std::string write(const UpdateTransValues& values);
    /// The days as they are saved ("" becomes "0"); nothing when they are not a number from 0 to 999.
    static std::optional<std::string> days(std::string_view typed);

    /// Reads the entry; false when the page must stay covered.
    bool load();
    bool loaded() const { return m_loaded; }
    const UpdateTransValues& values() const { return m_values; }
    const UpdateTransValues& loadedValues() const { return m_loadedValues; }
    void setValues(const UpdateTransValues& values);
    bool changed() const { return m_loaded && !(days(m_values.days) == days(m_loadedValues.days) && sameChoices()); }
    /// Checks the days (telling the operator), sends the entry and judges the reply; true when it was stored.
    bool save();

private:
    bool sameChoices() const;

    UpdateTransValues m_values;
    UpdateTransValues m_loadedValues;
    bool m_loaded = false;
};

} // namespace corvane
