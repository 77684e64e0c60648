#pragma once

#include "bibletext.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

// The generators of the sample data set. Everything is a pure function of the Bible text and the
// year, so two runs give the same bytes.
namespace datagen {

// ---- Book files: Data/<abbrev> ----

// The whole book in Windows-1250 with CR LF, one verse a line, each behind its marker
// "abbrev chapter verse ".
QByteArray bookFile(const Book &book);

// Writes OUTDIR/Data/<abbrev> for every book; Data/1j gets the time stamp that names the
// translation (25 March 1999, 16:38:40 local time).
void writeBookFiles(const Bible &bible, const QString &outDir);
QDateTime translationTimeStamp();

// ---- Reading plan: Cteni<year>.sj ----

// A run of verses within one book.
struct Span {
    const Book *book = nullptr;
    int chapter = 0, firstVerse = 0, lastChapter = 0, lastVerse = 0;

    // "gn 1 1 2 3" across a chapter end, "gn 1 1 25" within one chapter.
    QString reference() const;
};

// The books of each of the three readings: the Old Testament without Psalms and Proverbs, the
// New Testament, and Psalms with Proverbs.
QList<QList<const Book *>> readingStreams(const Bible &bible);

// Cuts the books into `days` spans that follow each other without gap or overlap, so that the
// books are read through once in that many days. Each book gets days in proportion to its length
// (at least one); within a book the spans are of about equal length and end at a chapter end
// where one lies close to the ideal cut.
QList<Span> splitStream(const QList<const Book *> &books, int days);

// The Sunday pericope: a Gospel passage of at most twelve verses. The Sundays go through the four
// Gospels in order, one passage a week, and start again after the last.
Span pericopeFor(const Bible &bible, const QDate &sunday);

// The readings index of one year: a section [d.M.yyyy] per day with Cteni1, Cteni2, Cteni3 and,
// on Sundays, Perikopa.
QByteArray readingsIndex(const Bible &bible, int year);

// ---- Daily pages: Kerla<year>.rtf ----

// One day's RTF content: the date heading, a watchword from the Old Testament and a teaching text
// from the New Testament, each with its reference. The verses are drawn by lot, seeded by the
// date, so that a verse comes at most once a year.
class DailyPages {
public:
    explicit DailyPages(const Bible &bible);
    // 372 lines (12 months of 31 slots), CR LF; the slots of days that do not exist are empty.
    QByteArray yearFile(int year) const;

    struct Verse {
        const Book *book;
        int chapter, verse;
    };
    const QList<Verse> &watchwordPool() const { return m_watchwords; }
    const QList<Verse> &teachingPool() const { return m_teachings; }

private:
    QList<Verse> m_watchwords, m_teachings;
};

// Text for RTF: alternatives in braces dropped, any remaining '{', '}' and '\' escaped.
QString rtfText(const QString &text);

// ---- The 2025 week, month and year lists ----

// Reads the chosen references ("tyden 1 zl 90 12", "mesic 3 r 8 28", "rok 1 joz 1 9", a verse
// range as "12-13"; '#' starts a comment) and writes a C++ source that defines the functions of
// periodiclists.h. Raises KerlaError for an unknown book or verse, a missing or doubled entry, or
// a text that does not fit on one line of the page (more than 161 characters) or holds a brace
// or a backslash.
QByteArray listsSource(const Bible &bible, const QString &refsText, const QString &refsName);

} // namespace datagen
