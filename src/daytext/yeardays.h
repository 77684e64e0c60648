#pragma once

#include "pages/appcontext.h"
#include "pages/daypage.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

// A whole year's day pages and readings at once, read as the day page reads them (the year's
// 12 blocks of 31 lines, the readings index by its sections), for searching and exporting.
namespace yeardays {

// Where a year's two files lie.
struct Files {
    QString dayFile;      // Kerla<year>.rtf
    QString readingsFile; // Cteni<year>.sj
};
// The year's files as the program reads them: the user's imported year first (see yearfiles).
Files forYear(const AppContext &context, int year);
// The year's files in one data folder (kerla-data's).
Files inFolder(const QString &folder, int year);

struct Day {
    QDate date;
    QByteArray page; // the day page's RTF bytes, as KERLA.TMP gets them (daypage::pageBytes)
    DayReadings readings;
};

// Every day of the year whose line holds a page (not only blanks), in date order. A day file that
// cannot be read raises KerlaError ("Cannot open file ..."); a missing or unreadable readings index
// gives days without readings, as the day page has them.
QList<Day> read(const Files &files, int year);

} // namespace yeardays
