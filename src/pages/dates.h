#pragma once

#include "calendar/viewdate.h"

#include <QDate>
#include <QString>

// The shown date as the platform's date value.
QDate ViewDateAsDate(const ViewDate &date);
void SetViewDateToday(ViewDate &date, const QDate &today);
void SetViewDateFrom(ViewDate &date, const QDate &value);

// The user's short date format (the locale's), as the title and the stored date use it.
QString shortDateText(const QDate &date);
// "d.M.yyyy": the readings section and the reading buttons' hints.
QString sectionDateText(const ViewDate &date);
QString sectionDateText(const QDate &date);

// The Sunday-based week of a date within its own year: week 1 begins on 1 January and ends on the
// first Saturday; 1..54.
quint16 sundayWeek(const QDate &date);
