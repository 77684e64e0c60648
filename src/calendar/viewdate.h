#pragma once

#include <cstdint>

// The date whose page the main window shows. The calendar arithmetic is the program's own: a fixed
// table of month lengths and a leap rule that looks only at divisibility by 4, which agrees with
// the Gregorian calendar within 1901..2099, the span the steps keep to.
struct ViewDate {
    uint16_t year = 0;
    uint16_t month = 0; // 1..12
    uint16_t day = 0;   // 1..DaysInMonth(month, year)

    friend bool operator==(const ViewDate &, const ViewDate &) = default;
};

inline constexpr uint16_t kFirstYear = 1901;
inline constexpr uint16_t kLastYear = 2099;

uint8_t DaysInMonth(uint8_t month, uint16_t year);

// Sets the date from calendar numbers (the picker's date, the clock's date). Values outside the
// calendar are clamped into 1901-01-01..2099-12-31 and into the month's length.
void SetViewDate(ViewDate &date, int year, int month, int day);

void DayBack(ViewDate &date);
void DayForward(ViewDate &date);
void WeekBack(ViewDate &date);
void WeekForward(ViewDate &date);
void MonthBack(ViewDate &date);
void MonthForward(ViewDate &date);
void YearBack(ViewDate &date);
void YearForward(ViewDate &date);
