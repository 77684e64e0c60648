#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// `kerla-data check`: proves a year's data set sound before release. Every rule is the program's
// own: the day pages are read with the program's line splitting and RTF reader, the readings
// index with its profile reader, and each reference is cut from Data/ by the program's passage
// cutting.
namespace datacheck {

// One problem. `code` is stable (for scripts); `message` is Czech.
struct Problem {
    QString file; // "Kerla2026.rtf", "Cteni2026.sj", "Data/gn"
    int line = 0; // counted from 1; 0 when the problem has no line
    QString day;  // "15.3.2026" (also a slot with no day, "30.2.2026"); empty when none
    QString code;
    QString message;
};

// The years for which the folder holds Kerla<year>.rtf or Cteni<year>.sj, in order.
QList<int> yearsIn(const QString &folder);

// Checks Data/ and the given years' files in the folder.
QList<Problem> checkFolder(const QString &folder, const QList<int> &years);

// A year's files before they are written: the day pages and the readings index (empty when the
// year has none) as the program reads them, each reading cut from the folder's Data/. A day
// without a reading is no problem here. Also how many of the references cut a passage.
struct YearCheck {
    QList<Problem> problems;
    int cut = 0;
};
YearCheck checkYear(int year, const QByteArray &pages, const QByteArray &readings, const QString &folder);

// "Kerla2026.rtf: 15.3.2026, řádek 76: message"
QString textLine(const Problem &problem);
// A JSON array with one object per problem: file, line (null when none), date (null when none),
// code, message.
QByteArray json(const QList<Problem> &problems);

} // namespace datacheck
