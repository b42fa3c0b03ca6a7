#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// One demographics field's defaults: code, caption, default value, shortcut key, Hide, Stop (a tab stop) and
/// Required, followed by any fields the server adds, which are kept as they came.
struct DemoDefaultRow {
    std::vector<std::string> fields;

    const std::string& field(std::size_t index) const;
    const std::string& code() const { return field(0); }
    const std::string& caption() const { return field(1); }
    bool flag(std::size_t index) const { return field(index) == "1"; }
};

/// Where a value of the demographics defaults is refused, and why.
struct DemoRefusal {
    std::size_t row = 0;
    std::size_t column = 0; ///< a DemoDefaults column
    std::string message;
};

/// The demographics defaults page (page 9): one row per field of the demographics window, read with "|GET|DMDF|"
/// and saved whole with "|SET|DMDF|". Rows are separated by byte 230, fields by TAB.
class DemoDefaults {
public:
    static constexpr std::string_view readRequest = "|GET|DMDF|";
    static constexpr std::string_view saveStart = "|SET|DMDF|";
    /// Field positions in a row, which are also the grid's columns.
    enum Column : std::size_t { Caption = 1, Value = 2, Key = 3, Hide = 4, Stop = 5, Required = 6 };
    static constexpr std::size_t editedFields = 7;

    /// Takes a reply; false for an error reply or one without rows.
    bool read(std::string_view reply);
    bool loaded() const { return m_loaded; }
    const std::vector<DemoDefaultRow>& rows() const { return m_rows; }

    /// Sets one value as typed ("1"/"0" for the flags); the refusal when it cannot be taken, nothing when taken.
    /// A key is one letter or digit (stored upper-case) used by no other field; a hidden field is not required.
    std::optional<DemoRefusal> set(std::size_t row, std::size_t column, std::string_view value);
    /// The first row the server would refuse (a key used twice, a hidden required field).
    std::optional<DemoRefusal> validate() const;
    bool changed() const { return rowsText() != m_loadedText; }

    std::string saveRequest() const { return std::string(saveStart) + rowsText(); }
    void markSaved() { m_loadedText = rowsText(); }

private:
    std::string rowsText() const;
    std::optional<std::size_t> keyOwner(std::string_view key, std::size_t except) const;

    std::vector<DemoDefaultRow> m_rows;
    std::string m_loadedText;
    bool m_loaded = false;
};

} // namespace corvane
