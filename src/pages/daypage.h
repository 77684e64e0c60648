#pragma once

#include "calendar/viewdate.h"
#include "pages/appcontext.h"
#include "platform/profile.h"
#include "platform/textfile.h"

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

// The daily watchword lines of one year, kept in memory between refreshes: the year file's bytes,
// read once, and where each line lies in them.
struct DailyStore {
    uint16_t LoadedYear = 0; // 0 at start; 3000 after a failed load

    void load(QByteArray text);
    void clear() { load({}); }
    qsizetype lineCount() const { return m_lines.size(); }
    QByteArrayView line(qsizetype n) const {
        return QByteArrayView(m_text).sliced(m_lines.at(n).start, m_lines.at(n).size);
    }

private:
    QByteArray m_text;
    QList<textfile::LineBounds> m_lines;
};

namespace daypage {

// "Kerla2025.rtf" and "Cteni2025.sj" beside the executable.
QString yearFilePath(const QString &programDir, uint16_t year);
QString readingsIndexPath(const QString &programDir, uint16_t year);

// The day's slot in a year file: 12 blocks of 31 lines, whatever the month's real length; -1 for
// a date that is not set (month or day 0).
int lineNumber(const ViewDate &date);

// The bytes of KERLA.TMP for a stored line, and for a year whose file is missing (shortDate is
// the shown date in the user's short date format).
QByteArray pageBytes(QByteArrayView line);
QByteArray substitutePageBytes(const QString &shortDate);

// The year file is the one that yearfiles::dayFile names: the user's imported year first.
// Loads the year's lines into `store` when the date's year is not the loaded one (LoadedYear 3000
// after a failed load, so the next refresh tries again), writes KERLA.TMP (see storePage) and
// returns the page. A day beyond the end of the loaded lines raises "List index out of bounds (N)"
// and leaves KERLA.TMP as it was.
QByteArray ComposeDayPage(const AppContext &context, const ViewDate &date, DailyStore &store,
                          bool &unwritable);

// Writes a page into KERLA.TMP. A write that fails is reported ("Unable to write to ...") but
// ends nothing: the caller shows the page from memory, so a user folder that cannot be written
// still lets the user browse. `unwritable` tells whether the last write failed: while the writes
// keep failing, only the first is reported.
void storePage(const AppContext &context, const QByteArray &page, bool &unwritable);

// The day's four reading references from the year's readings index (empty when missing), in the
// folder that holds the year (see yearfiles).
DayReadings readDayReadings(const AppContext &context, const ViewDate &date);
// The four reading references of a day's section of a readings index.
DayReadings readingsOf(const ProfileSection &day);

} // namespace daypage
