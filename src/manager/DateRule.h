#pragma once

#include "CivilDate.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// What the date rule makes of a typed text.
struct DateJudgement {
    enum class Kind { Empty, Valid, NotADate, YearOutOfRange };

    Kind kind = Kind::Empty;
    std::string normalised; ///< MM/DD/YYYY when the text is a date
    bool future = false; ///< the date lies after today (only judged when future dates are not allowed)
};

/// Reads month, day and year from text written M/D/Y (separators "/" or "-", year of one to four digits).
/// Without future dates a two-digit year yy is 20yy unless that lies after today's year, then 19yy; with them,
/// yy below 30 is 20yy and the rest 19yy. A three-digit year is taken as written (and so is out of range).
std::optional<CivilDate> parseDateText(std::string_view text, bool futureAllowed, const CivilDate& today);

/// The date as MM/DD/YYYY.
std::string formatDate(const CivilDate& date);

/// Judges text as DateIsValid does: empty, a date (bounds 1890 to 2100), or not a date.
DateJudgement judgeDateText(std::string_view text, bool futureAllowed, const CivilDate& today);

/// Today from the utilities component, or the system clock when none is held.
CivilDate currentDate();

/// DateIsValid over a text: shows the messages unless quiet and returns the verdict. The normalised text is
/// written to normalised when the text is a date; wantsFocus tells the caller to give the control the focus back.
bool DateIsValidText(const std::string& text, bool futureAllowed, bool quiet, std::string& normalised,
                     bool& wantsFocus);

} // namespace corvane
