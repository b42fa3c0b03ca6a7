#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

/// The editors a settings page is made of.
enum class EditorKind {
    Choice, ///< option buttons; the value is the chosen index ("" for none)
    Lookup, ///< a code and its description; the value is code "^" description ("" for none)
    WholeNumber,
    Decimal, ///< two decimal places
    Text,
    Letter, ///< one letter, upper-cased
    Date, ///< MM/DD/YYYY
    OrderedList, ///< entries in order; the value joins them with TAB
    Combo, ///< a text chosen from a list the page reads
    Check, ///< "1" ticked, "0" not
};

/// What an empty number field means.
enum class EmptyRule { Refuse, Zero, Keep };

/// Where a value lives on the server.
enum class ValueStore { System, Configuration };

/// How a value of the configuration store is read and written.
enum class ConfigRule {
    None,
    PresenceMeansSecond, ///< unset: choice 0, stored: choice 1; saving 0 removes the name, 1 writes "1"
    StoredOneMeansSecond, ///< "1" or unset: choice 1 (unset is offered, not yet stored); else 0; saves "1"/"0"
    PresenceIsTicked, ///< a check box: stored means ticked; unticked removes the name, ticked writes it empty
};

/// One editable value of a page.
struct PageField {
    std::string objectName;
    EditorKind kind = EditorKind::Text;
    std::string key; ///< the system setting key or the configuration store name
    std::string label; ///< how messages name the value
    ValueStore store = ValueStore::System;
    ConfigRule config = ConfigRule::None;
    std::vector<std::string> choices; ///< choice captions; for an ordered list the entries shown when empty
    std::string lookupType;
    EmptyRule empty = EmptyRule::Keep;
    std::int64_t min = 0; ///< whole numbers as they are, decimals in hundredths
    std::int64_t max = INT32_MAX;
    std::string emptyMessage; ///< when an empty number is refused (the invalid message when empty)
    std::string invalidMessage;
    std::string invalidTitle; ///< empty: "System Settings"
};

/// How the message for a call that did not reach the server is written.
enum class FailureForm {
    Plain, ///< the failure text, under the message title
    AfterRequest, ///< the failure text, a line break, "After: " and the request
    RequestFirst, ///< the request, a line break and the failure text
};

/// The fixed texts of a page.
struct PageTexts {
    std::string header;
    std::string note; ///< lines separated by "\n"
    std::string failureText;
    FailureForm failureForm = FailureForm::Plain;
    bool logoffNote = false; ///< "Settings Saved." comes with the log-off note
};

/// The first value a page refuses to send, with the message that says why.
struct FieldRefusal {
    std::size_t field = 0;
    std::string message;
    std::string title;
};

/// One write request of a save, for one field.
struct SaveRequest {
    std::size_t field = 0;
    std::string request;
    std::string value; ///< the value it stores, as the page shows it after the save
};

/// What reading one field's value found.
struct FieldRead {
    enum class State { Failed, Absent, Value };
    State state = State::Absent;
    std::string value;
};

/// How a save ended.
struct SaveOutcome {
    bool refused = false; ///< a value was refused before anything was sent
    bool complete = false; ///< every changed value was stored
    std::size_t saved = 0; ///< requests the server took
    std::size_t planned = 0;
};

/// One settings page without widgets: the values loaded, the values the operator has made, whether they differ,
/// which value is refused and why, and the requests that store the changed values.
class PageModel {
public:
    PageModel(int page, PageTexts texts, std::vector<PageField> fields);

    int page() const { return m_page; }
    const PageTexts& texts() const { return m_texts; }
    std::span<const PageField> fields() const { return m_fields; }
    /// The field whose objectName is name, or nothing.
    std::optional<std::size_t> fieldNamed(const std::string& name) const;

    /// Takes one read per field; false (the page stays covered, nothing can be saved) when a read failed or a key
    /// is unknown. An absent or empty value takes the catalogue's default.
    bool applyReads(const std::vector<FieldRead>& reads);
    /// Reads every field from the server and applies what came back.
    bool load();
    bool loaded() const { return m_loaded; }

    const std::string& loadedValue(std::size_t field) const { return m_loadedValues.at(field); }
    const std::string& value(std::size_t field) const { return m_values.at(field); }
    /// The operator's value as wire text; ignored before the page loaded.
    void setValue(std::size_t field, std::string value);
    /// The value an empty server value gives (reset to default).
    std::string defaultValue(std::size_t field) const;

    bool changed(std::size_t field) const;
    bool changed() const;
    /// Loaded, changed, and nothing refused: what enables Save.
    bool canSave() const;

    /// Every field checked before anything is sent; the first refusal in field order.
    std::optional<FieldRefusal> validate() const;
    /// The requests for the changed values in sending order; empty when validate() refuses.
    std::vector<SaveRequest> saveRequests() const;
    /// The server took request: its value becomes the loaded value.
    void markSaved(const SaveRequest& request);

    /// Validates (showing the refusal), sends the changed values in order, judges every reply with
    /// CheckForErrorOnSave and stops at the first failure. The edits stay when anything fails; after a partial save
    /// the message names the values stored and those that were not.
    SaveOutcome save();
    /// "Saved: ...\r\nNot saved: ..." for requests of which the first saved were stored.
    std::string partialSaveText(const std::vector<SaveRequest>& requests, std::size_t saved) const;
    /// The message shown when request did not reach the server.
    std::string failureMessage(const std::string& request) const;

private:
    std::optional<std::string> wireValue(std::size_t field, FieldRefusal* refusal) const;
    std::optional<std::string> requestFor(std::size_t field, const std::string& value) const;
    std::optional<std::string> displayFromRead(std::size_t field, const FieldRead& read, std::string& loaded) const;

    int m_page;
    PageTexts m_texts;
    std::vector<PageField> m_fields;
    std::vector<std::string> m_loadedValues;
    std::vector<std::string> m_values;
    bool m_loaded = false;
};

} // namespace corvane
