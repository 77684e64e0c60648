#include "calendar/viewdate.h"

#include <algorithm>

namespace {

constexpr uint8_t MonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Moves the month or the year by one (delta -1 or +1); the last day of a month stays the last
// day, and a day that the new month does not have becomes its last day.
void shift(ViewDate &d, uint16_t ViewDate::*field, int delta) {
    const uint8_t before = DaysInMonth(static_cast<uint8_t>(d.month), d.year);
    d.*field = static_cast<uint16_t>(d.*field + delta);
    const uint8_t after = DaysInMonth(static_cast<uint8_t>(d.month), d.year);
    if (d.day == before || after < d.day)
        d.day = after;
}

} // namespace

uint8_t DaysInMonth(uint8_t month, uint16_t year) {
    if (month < 1 || month > 12)
        return 0; // a date that is not set yet (month 0) has no days
    if (month == 2 && (year & 3) == 0)
        return 29;
    return MonthLengths[month - 1];
}

void SetViewDate(ViewDate &date, int year, int month, int day) {
    if (year < kFirstYear) {
        year = kFirstYear, month = 1, day = 1;
    } else if (year > kLastYear) {
        year = kLastYear, month = 12, day = 31;
    }
    date.year = static_cast<uint16_t>(year);
    date.month = static_cast<uint16_t>(std::clamp(month, 1, 12));
    date.day = static_cast<uint16_t>(
        std::clamp(day, 1, int(DaysInMonth(static_cast<uint8_t>(date.month), date.year))));
}

// At the two edges of the calendar (1 January 1901 and 31 December 2099) a step that would leave
// the span leaves the date where it is: the shown date never jumps to the other end of its year.

void YearBack(ViewDate &date) {
    if (date.year <= kFirstYear)
        return;
    shift(date, &ViewDate::year, -1);
}

void YearForward(ViewDate &date) {
    if (date.year >= kLastYear)
        return;
    shift(date, &ViewDate::year, +1);
}

void MonthBack(ViewDate &date) {
    if (date.month <= 1) {
        if (date.year <= kFirstYear)
            return;
        YearBack(date);
        date.month = 12;
        return;
    }
    shift(date, &ViewDate::month, -1);
}

void MonthForward(ViewDate &date) {
    if (date.month >= 12) {
        if (date.year >= kLastYear)
            return;
        YearForward(date);
        date.month = 1;
        return;
    }
    shift(date, &ViewDate::month, +1);
}

void DayBack(ViewDate &date) {
    if (date.day <= 1) {
        if (date.month <= 1 && date.year <= kFirstYear)
            return;
        MonthBack(date);
        date.day = DaysInMonth(static_cast<uint8_t>(date.month), date.year);
        return;
    }
    --date.day;
}

void DayForward(ViewDate &date) {
    if (date.day < DaysInMonth(static_cast<uint8_t>(date.month), date.year)) {
        ++date.day;
        return;
    }
    if (date.month >= 12 && date.year >= kLastYear)
        return;
    MonthForward(date);
    date.day = 1;
}

void WeekBack(ViewDate &date) {
    for (int i = 0; i < 7; ++i)
        DayBack(date);
}

void WeekForward(ViewDate &date) {
    for (int i = 0; i < 7; ++i)
        DayForward(date);
}
