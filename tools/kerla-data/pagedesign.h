#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>

// The one design of the daily pages in Kerla<year>.rtf: the sample set's generator and
// `kerla-data import` both write their pages through it.
namespace pagedesign {

// The texts of one day's page, as plain text (no RTF).
struct DayText {
    QString watchword, watchwordReference;
    QString teaching, teachingReference;
};

// Text for RTF: '{', '}' and '\' escaped.
QString rtfEscaped(const QString &text);

// One day's line: the date heading centred in bold, then the watchword and the teaching text, each
// left-aligned and followed by its reference right-aligned in italics.
QString dayLine(const QDate &date, const DayText &text);

// The year file: 12 blocks of 31 lines ended by CR LF, in code page 1250. `lineFor` gives the line
// of each existing day; the slots of days that do not exist stay empty.
QByteArray yearFile(int year, const std::function<QString(const QDate &)> &lineFor);

// A day's readings in the readings index.
struct DayReadings {
    QString first, second, third, pericope;
};

// The day's section of Cteni<year>.sj: "[d.M.yyyy]", Cteni1 to Cteni3, Perikopa when there is one,
// and an empty line; CR LF line ends.
QString readingsSection(const QDate &date, const DayReadings &readings);

} // namespace pagedesign
