#pragma once

#include "CorvaneCodeTables.h"
#include "CorvaneLookups.h"
#include "ProgramRights.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QString;

namespace corvane {

/// Why code (wire text) may not be a lookup code: it holds a bar, or a character of code 127 or above. Nothing when
/// it may be used.
std::optional<std::string> lookupCodeRefusal(std::string_view code);

/// True when code (wire text) may be used as a lookup code: no bar and no character of code 127 or above.
/// Unless quiet, a refusal is shown through the utilities component's message operation ("Invalid Format").
bool LookupCodeIsValid(const std::string& code, bool quiet);
/// The same check on the text an operator typed (widget layer). A character Windows-1252 cannot hold, and any
/// separator the wire reserves, is refused with the codec's own words, so the check never judges a stand-in "?".
bool LookupCodeIsValid(const QString& typed, bool quiet);
/// Shows a lookup-code refusal the way the check does (utilities component, "Invalid Format") unless quiet.
void showLookupCodeRefusal(const std::string& refusal, bool quiet);

/// The operator's rights on a program as the utilities component lists them; none without an entry or a list.
ProgramRights programRights(const std::string& programCode);

/// The entity mix of the "PRM" table: "N" no anesthesia entities, "A" only, "M" both; empty on failure.
std::string TypeOfEntitiesInSystem();

/// Exchanges the two texts without copying them.
void SwapStrings(std::string& first, std::string& second);

/// True when item is one of the delimiter-separated pieces of list (letter case counts), or the whole list.
bool FoundInString(const std::string& list, const std::string& item, const std::string& delimiter);

/// Has the code-tables component prepare the table and hands out its code-table object; null when there is none or
/// the table could not be prepared (logged).
std::shared_ptr<CodeTable> GetCodeTable(const std::string& tableName, long passThrough);

/// Lets the operator choose a code through the lookup component; the chosen entry or "CANCEL" (also, logged, when
/// no lookup or utilities component is held).
/// definition is the code definition name, optionally followed by "|" and more text for the lookup component.
/// refreshCaller, when given, repaints the calling window afterwards.
std::string GeneralLookup(const std::string& definition, const LookupCall& call,
                          const std::function<void()>& refreshCaller = {});

/// Size and style a font code selects.
struct FontSpec {
    int pointSize = 8;
    bool bold = false;
    bool italic = false;
};

/// The font a code "0" to "8" selects; nothing for any other code (the font stays as it is).
std::optional<FontSpec> fontSpecForCode(char code);

} // namespace corvane
