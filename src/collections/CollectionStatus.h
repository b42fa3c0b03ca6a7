#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// What kind of values a criterion group's inputs hold.
enum class CriterionKind { Dates, Codes, Amounts, Days };

/// One criterion group of the collections window, as the status record and the window describe it.
struct CriterionSpec {
    int field; ///< 1-based field of the status record
    int tag; ///< the group's tag (1 to 9)
    const char* label;
    std::vector<const char*> options; ///< captions; the answer letter is a caption's first letter
    int inputs;
    CriterionKind kind;
    int minimumPieces;
    bool required; ///< enabled inputs must not stay empty
    char defaultLetter; ///< chosen when the stored letter matches no option
    const char* lookup; ///< the code definition F4 looks codes up in; none for groups without a lookup
};

/// The nine criterion groups, in tag order.
const std::array<CriterionSpec, 9>& criterionSpecs();

/// A criterion group's state: the chosen option's letter and its inputs as shown (amounts as "$1,234.50").
struct CriterionState {
    char letter = 'A';
    std::vector<std::string> inputs;
    /// The values as the record held them, so that an amount the operator did not touch goes back unchanged.
    std::vector<std::string> stored;
};

/// Everything the collections window shows of a status record.
struct CollectionSettings {
    std::string listCode;
    std::string listDescription;
    std::string patientName;
    std::string account;
    std::string accountSecond;
    bool selectedMode = false;
    bool postMessage = false;
    std::string messageCode;
    std::string messageDate;
    std::array<CriterionState, 9> groups;

    CollectionSettings();
    /// The account label: account, "/" and the second part when there is one; "NONE" when both are empty.
    std::string accountLabel() const;
};

/// The 18-field, colon-separated collection status record.
class CollectionStatus {
public:
    static constexpr int fieldCount = 18;
    static constexpr std::string_view emptyRecord = ":::::::::::::::::";

    /// A record of 17 characters or more that holds a ":"; otherwise the empty record.
    static std::string normalise(std::string_view record);
    /// The record's fields; missing ones are empty.
    static std::array<std::string, fieldCount> fields(std::string_view record);

    /// Loads a record into settings. A criterion group takes its letter always, and its values only when they hold
    /// a "," and split into at least the group's minimum number of pieces; otherwise its inputs stay as they were.
    static void load(std::string_view record, CollectionSettings& settings);

    /// The record for settings (ReassembleData): fields 2 to 4 empty when resetting the position. Amounts go back
    /// to cents; an amount that is not one names its group in invalidTag and nothing is returned.
    static std::string reassemble(const CollectionSettings& settings, bool resetPosition, int& invalidTag, bool& ok);

    /// "$##,##0.00" for cents text; other text unchanged, empty stays empty.
    static std::string showAmount(std::string_view cents);

    /// A date typed as digits only, "01152024" or "011524", with its slashes put in; any other text unchanged.
    static std::string expandDigitsDate(std::string_view typed);
    /// False only when both values read as the group's kind (dates as MM/DD/YYYY, days, dollar amounts) and From
    /// lies after Thru.
    static bool rangeInOrder(CriterionKind kind, std::string_view from, std::string_view thru);
};

} // namespace corvane
