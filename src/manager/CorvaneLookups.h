#pragma once

#include <cstdint>
#include <string>

class QWidget;

namespace corvane {

/// What GeneralLookup hands to the lookup component's set-up operation.
struct LookupSetup {
    std::string request; ///< the caller's first parameter (definition name, optionally "|" and more)
    std::string definitionFirst;
    std::string definitionSecond;
    std::int16_t definitionNumber = 0;
    std::string separator; ///< the lookup separator of the display settings
    std::string contextKey;
    std::string currentValue; ///< the utilities component's current lookup value
};

/// The caller's values passed on to the lookup operation.
struct LookupCall {
    std::string searchText; ///< text to start the search with (for example the typed code)
    std::string extra; ///< a second caller string, passed through
    int mode = 0;
    bool insertNumber = false; ///< insert the chosen entry's number into the result
    QWidget* parent = nullptr; ///< the calling window, parent of the lookup window
};

/// The host's lookup component.
class CorvaneLookups {
public:
    virtual ~CorvaneLookups() = default;

    /// Prepares the next lookup.
    virtual void SetUp(const LookupSetup& setup) = 0;
    /// Lets the operator choose; the chosen entry ("code" + separator + "description") or "CANCEL".
    virtual std::string Lookup(const LookupCall& call) = 0;
    /// The number of the entry chosen by the last lookup.
    virtual std::int16_t ChosenNumber() = 0;
    /// The description of the entry chosen by the last lookup.
    virtual std::string ChosenDescription() = 0;
    /// Checks a typed code against a lookup; the security window uses it.
    virtual std::string CheckCode(const std::string& lookupName, const std::string& code, long first, long second) = 0;
};

} // namespace corvane
