#pragma once

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// A year's texts as a publisher's file gives them, before they become our files: what the readers
// of the two XML formats and the table fill in, and what the page design and the readings index
// are built from. Plain text throughout (no RTF, no XML).
namespace yeartext {

// A piece of a line in one style: the publisher's emphasis (X, EM, #...#) and introductions
// (/.../) keep their look.
struct Run {
    QString text;
    bool bold = false;
    bool italic = false;
    bool operator==(const Run &) const = default;
};
using Line = QList<Run>;

// The printed line as plain text, its runs joined.
inline QString plain(const Line &line) {
    QString text;
    for (const Run &run : line)
        text += run.text;
    return text;
}

// A reference's parts as the LOSFILE's S attributes give them (the publisher's book code,
// chapter, verse, and where the passage ends when it is given); 0 where a number is missing.
struct Place {
    QString book;
    int chapter = 0, verse = 0, lastChapter = 0, lastVerse = 0;
};

// A watchword or a text with its introduction, its lines and its reference as printed.
struct Passage {
    Line intro;
    QList<Line> lines;
    QString reference; // the printed reference ("Žalm 119,154 F")
    QList<Place> places;
    bool isEmpty() const { return lines.isEmpty() && reference.isEmpty(); }
};

// The kinds of reading that a day may name, in the order the page lists them.
enum class ReadingKind {
    Continuous,
    Year,
    Gospel,
    Epistle,
    Sermon,
    OldTestament,
    Psalm,
    Gospel2,
    Epistle2,
    OldTestament2,
    Sermon2
};

struct Reading {
    ReadingKind kind;
    QString reference; // as printed
    QList<Place> places;
};

// A named day: a Sunday, a feast, a notable day or a week of prayer, with its watchword if it has one.
struct Feast {
    QString type; // sunday, holiday, important, week
    QString name;
    Passage watchword;
};

struct Day {
    QDate date;
    QString title; // "Úterý 3. ledna 2023"
    QList<Feast> feasts;
    Passage watchword; // OT
    Passage teaching;  // NT
    Passage hymn;      // lines; a line "-" separates stanzas
    QList<Line> commemorations;
    QList<Reading> readings;
};

// A problem found on the way, by the day it belongs to (none for the file as a whole).
struct Problem {
    QDate day;
    QString reason;
    bool fatal = false; // nothing can be written
};

struct Year {
    int year = 0;
    QString format; // "LOSFILE", "FreeXml", "CSV", "TSV"
    QMap<QDate, Day> days;
    std::optional<Passage> yearWatchword;
    QMap<int, Passage> monthWatchwords;  // 1..12
    QMap<QDate, Passage> weekWatchwords; // WEEK d= m=: the week that holds the date
};

} // namespace yeartext
