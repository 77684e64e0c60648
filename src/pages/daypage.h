#pragma once

#include "calendar/viewdate.h"
#include "pages/appcontext.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The day page: the year's watchword line wrapped into a one-line RTF document in KERLA.TMP.
// The day's reading references, rebuilt by every refresh of the day page.
struct DayReadings {
    QString first;    // Cteni1
    QString second;   // Cteni2
    QString third;    // Cteni3
    QString pericope; // Perikopa: kept, but no command opens it

    void clear() { *this = DayReadings{}; }
};

// The daily watchword lines of one year, kept in memory between refreshes.
struct DailyStore {
    QList<QByteArray> lines;
    uint16_t LoadedYear = 0; // 0 at start; 3000 after a failed load
};

namespace daypage {

// "Kerla2025.rtf" and "Cteni2025.sj" beside the executable.
QString yearFilePath(const QString &programDir, uint16_t year);
QString readingsIndexPath(const QString &programDir, uint16_t year);

// The day's slot in a year file: 12 blocks of 31 lines, whatever the month's real length.
int lineNumber(const ViewDate &date);

// The bytes of KERLA.TMP for a stored line, and for a year whose file is missing (shortDate is
// the shown date in the user's short date format).
QByteArray pageBytes(const QByteArray &line);
QByteArray substitutePageBytes(const QString &shortDate);

// Loads the year's lines into `store` when the date's year is not the loaded one (LoadedYear 3000
// after a failed load, so the next refresh tries again) and writes KERLA.TMP. A day beyond the
// end of the loaded lines raises "List index out of bounds (N)" and leaves KERLA.TMP as it was.
void ComposeDayPage(const AppContext &context, const ViewDate &date, DailyStore &store);

// The day's four reading references from the year's readings index (empty when missing).
DayReadings readDayReadings(const QString &programDir, const ViewDate &date);

} // namespace daypage
