#pragma once

#include <compare>

namespace corvane {

/// A calendar date without time, as the host's current-date query hands it out.
struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;

    friend auto operator<=>(const CivilDate&, const CivilDate&) = default;
};

/// Days since 1970-01-01 in the proleptic Gregorian calendar.
long daysFromCivil(const CivilDate& date);
/// True when the date names a real calendar day.
bool isRealDate(const CivilDate& date);

} // namespace corvane
