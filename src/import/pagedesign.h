#pragma once

#include "import/yeartext.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>

// The one design of the daily pages in Kerla<year>.rtf: the sample set's generator, the table
// import and the publisher's files all write their pages through it. Every paragraph keeps a line
// spacing of its own (kLineSpacing), so that the marks above capitals (the caron of "Ž") clear the
// line above them in the view's font, whatever its size.
namespace pagedesign {

// The line spacing of every paragraph: 1.5 lines, proportional to the view's font (Tahoma needs
// more than 1.4 for its carons to clear the descenders above).
inline constexpr const char *kLineSpacing = "\\sl360\\slmult1";

// The texts of one day's page, as plain text (no RTF).
struct DayText {
    QString watchword, watchwordReference;
    QString teaching, teachingReference;
};

// Text for RTF: '{', '}' and '\' escaped, a character that code page 1250 cannot hold as an RTF
// Unicode escape "\uN?" (a character beyond U+FFFF as two of them), control characters dropped.
// The result holds only characters that code page 1250 can hold.
QString rtfEscaped(const QString &text);

// A line of runs for RTF: bold and italic runs between \b and \b0, \i and \i0.
QString rtfLine(const yeartext::Line &line);

// An introduction ("Simeon řekl:") for RTF: the line in italics.
QString introduction(yeartext::Line line);

// The Czech date heading of a day page: "Středa 1. ledna 2025".
QString czechDateHeading(const QDate &date);

// One day's line of the sample set and the table: the date heading centred in bold, then the
// watchword and the teaching text, each left-aligned and followed by its reference right-aligned
// in italics.
QString dayLine(const QDate &date, const DayText &text);

// One day's line from a publisher's file: the title line, the named days with their watchword,
// the watchword and the teaching text with their introductions and references, the hymn verse
// with its stanzas, the commemorations and the readings by their printed references.
QString dayLine(const yeartext::Day &day);

// The Czech caption of a kind of reading ("Průběžné čtení", "Evangelium").
QString readingCaption(yeartext::ReadingKind kind);

// The year file: 12 blocks of 31 lines ended by CR LF, in code page 1250. `lineFor` gives the line
// of each existing day; the slots of days that do not exist stay empty.
QByteArray yearFile(int year, const std::function<QString(const QDate &)> &lineFor);

// A day's readings in the readings index.
struct DayReadings {
    QString first, second, third, pericope;
};

// The day's section of Cteni<year>.sj: "[d.M.yyyy]", Cteni1 to Cteni3, Perikopa when there is one,
// and an empty line; CR LF line ends. A key without a reading is left out.
QString readingsSection(const QDate &date, const DayReadings &readings);

} // namespace pagedesign
