#pragma once

#include "daytext/icalendar.h"
#include "daytext/yeardays.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

// The watchwords of a span of days as a calendar file: one all-day event per day with a page.
// The program's export and `kerla-data ics` write it alike.
namespace calendarexport {

// "hesla-2026.ics": the file name offered for a year.
QString defaultFileName(int year);

// A day as a calendar event: the summary is the watchword's reference and its first words, the
// description both texts with their references and the day's readings.
icalendar::Event event(const yeardays::Day &day);

// Where each year's files lie.
using FilesOf = std::function<yeardays::Files(int year)>;

// The days with a page from `from` to `to` (both included). A year without a day file has none;
// one whose day file cannot be read raises KerlaError.
QList<yeardays::Day> days(const FilesOf &filesOf, const QDate &from, const QDate &to);

// Writes the calendar of those days into `path` in one replace: a file that cannot be written
// stays as it was, and no part of the new one is left. Raises KerlaError with a Czech message when
// the span has no day with a page or the file cannot be written. Returns the number of events.
int write(const QString &path, const QList<yeardays::Day> &days, const icalendar::Options &options);

} // namespace calendarexport
