#include "CivilDate.h"

namespace corvane {

long daysFromCivil(const CivilDate& date)
{
    const long y = date.month <= 2 ? date.year - 1 : date.year;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yearOfEra = y - era * 400;
    const long monthIndex = date.month > 2 ? date.month - 3 : date.month + 9;
    const long dayOfYear = (153 * monthIndex + 2) / 5 + date.day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool isRealDate(const CivilDate& date)
{
    if (date.month < 1 || date.month > 12 || date.day < 1)
        return false;
    static constexpr int monthLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    const int length = date.month == 2 && leap ? 29 : monthLengths[date.month - 1];
    return date.day <= length;
}

} // namespace corvane
