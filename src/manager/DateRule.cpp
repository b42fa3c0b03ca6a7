#include "DateRule.h"

#include "Log.h"
#include "SharedState.h"
#include "Text.h"

#include <chrono>
#include <cstdio>

namespace corvane {

namespace {

std::optional<int> digitsValue(std::string_view s, std::size_t maxDigits)
{
    if (s.empty() || s.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

int windowedYear(int twoDigits, bool futureAllowed, const CivilDate& today)
{
    if (futureAllowed)
        return twoDigits < 30 ? 2000 + twoDigits : 1900 + twoDigits;
    return 2000 + twoDigits > today.year ? 1900 + twoDigits : 2000 + twoDigits;
}

} // namespace

std::optional<CivilDate> parseDateText(std::string_view input, bool futureAllowed, const CivilDate& today)
{
    const std::string_view s = text::trim(input);
    const char separator = s.find('/') != std::string_view::npos ? '/' : '-';
    const auto parts = text::split(s, separator);
    if (parts.size() != 3)
        return std::nullopt;
    const auto month = digitsValue(parts[0], 2);
    const auto day = digitsValue(parts[1], 2);
    const std::string_view yearText = text::trim(parts[2]);
    const auto year = digitsValue(yearText, 4);
    if (!month || !day || !year)
        return std::nullopt;
    CivilDate date {*year, *month, *day};
    if (yearText.size() <= 2)
        date.year = windowedYear(*year, futureAllowed, today);
    if (!isRealDate(date))
        return std::nullopt;
    return date;
}

std::string formatDate(const CivilDate& date)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", date.month % 100, date.day % 100, date.year % 10000);
    return buffer;
}

DateJudgement judgeDateText(std::string_view input, bool futureAllowed, const CivilDate& today)
{
    DateJudgement judgement;
    if (text::trim(input).empty())
        return judgement;
    const auto date = parseDateText(input, futureAllowed, today);
    if (!date) {
        judgement.kind = DateJudgement::Kind::NotADate;
        return judgement;
    }
    judgement.normalised = formatDate(*date);
    judgement.future = !futureAllowed && *date > today;
    const bool yearInRange = date->year >= 1890 && date->year <= 2100;
    judgement.kind = yearInRange ? DateJudgement::Kind::Valid : DateJudgement::Kind::YearOutOfRange;
    return judgement;
}

CivilDate currentDate()
{
    auto& state = SharedState::instance();
    if (state.utils) {
        CivilDate today;
        state.utils->GetCurrentDate(today);
        if (isRealDate(today))
            return today;
    }
    const std::chrono::year_month_day ymd {std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

bool DateIsValidText(const std::string& input, bool futureAllowed, bool quiet, std::string& normalised,
                     bool& wantsFocus)
{
    wantsFocus = false;
    return trapped("ERR in CorvaneDialogs.Main.DateIsValid   ", false, [&] {
        const DateJudgement judgement = judgeDateText(input, futureAllowed, currentDate());
        Prompter& prompter = SharedState::instance().prompter();
        const auto stop = [&](const std::string& message) {
            if (!quiet)
                prompter.ask({"Date Validation", message, PromptIcon::Critical, PromptButtons::Ok});
        };
        switch (judgement.kind) {
        case DateJudgement::Kind::Empty:
            return true;
        case DateJudgement::Kind::NotADate:
            stop(input + " is not a valid date.\r\nPlease use MM/DD/YYYY or MM/DD/YY format.");
            wantsFocus = true;
            return false;
        case DateJudgement::Kind::Valid:
        case DateJudgement::Kind::YearOutOfRange:
            break;
        }
        normalised = judgement.normalised;
        if (judgement.future)
            stop("Date can not be in the future.");
        if (judgement.kind == DateJudgement::Kind::YearOutOfRange) {
            stop(input + " is not a valid date.\r\nYear is invalid.");
            wantsFocus = true;
            return false;
        }
        return true;
    });
}

} // namespace corvane
