#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// A modify-transaction field: the operator may change it afterwards when allowed.
struct TransFieldRight {
    std::string id;
    std::string caption; ///< empty: not shown, and its received value is sent back
    bool allowed = false;
    bool received = false; ///< the value it came with

    bool shown() const;
};

/// A transaction group's limit: the days after posting during which changes are allowed.
struct TransGroupLimit {
    std::string code;
    std::vector<std::string> fieldNames;
    std::string days; ///< as typed, blanks removed: empty and "0" stay distinct
    bool endOfMonth = false;

    /// The names that are not empty, joined with ", ".
    std::string description() const;
};

/// The Modify Transaction page of an operator or group (MODS): field rights in the server's order, and the
/// five transaction groups' limits.
class TransSettings {
public:
    static constexpr int groupCount = 5;
    static constexpr std::string_view noGroupsText = "Transaction groups have not been selected.";

    /// "|GET|MODS|" kind "|" code "|" and "1" (anesthesia) or "0".
    static std::string readRequest(std::string_view kind, std::string_view code, bool anesthesia);

    /// Reads the reply: field records, two byte-230 in a row, group records (at most five are kept). False, and
    /// nothing loaded, on a failed reply.
    bool load(std::string_view reply);

    std::vector<TransFieldRight>& fields() { return m_fields; }
    const std::vector<TransFieldRight>& fields() const { return m_fields; }
    /// The groups received (at most five); the save fills the rest.
    std::vector<TransGroupLimit>& groups() { return m_groups; }
    const std::vector<TransGroupLimit>& groups() const { return m_groups; }
    /// Sets the allowed flag of every shown field (Select All / Deselect All); hidden ones keep theirs.
    void allowAllShown(bool allowed);
    /// Days as a masked field holds them: blanks are dropped.
    static std::string daysFromMask(std::string_view maskText);

    /// Field records "id, empty, 1/0" in the order received, separated by byte 230 and ended by two; then five
    /// group records "code, four empty fields, days, 1/0" separated by byte 230 (missing groups: empty code,
    /// empty days, "0").
    std::string saveData() const;
    std::string saveRequest(std::string_view kind, std::string_view code, bool anesthesia) const;

private:
    std::vector<TransFieldRight> m_fields;
    std::vector<TransGroupLimit> m_groups;
};

} // namespace corvane
