#pragma once

#include "import/references.h"
#include "import/yeartext.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// A year's data in: a publisher's file (LOSFILE or FreeXml) or our own table (CSV, TSV), told
// apart by its content, becomes the year's files. Two steps:
// - convert: bytes in, the year's files in memory and the problems out. It touches no disk, and
//   any input ends soon, within memory bounded by its size (files over 20 MB are refused);
// - check and install: the files read as the program reads them, the readings cut from Data/,
//   then written into the folder, all of them replaced together or none.
namespace yearimport {

inline constexpr qsizetype kMaxFileSize = 20 * 1024 * 1024;

// The year's files in memory.
struct Files {
    int year = 0;
    QString format; // "LOSFILE", "FreeXml", "CSV", "TSV"
    int days = 0;
    QByteArray pages;    // Kerla<year>.rtf
    QByteArray readings; // Cteni<year>.sj; empty when the year has no readings
    QByteArray periodic; // Hesla<year>.sj; empty when the year has no week, month or year watchwords
    int references = 0;  // readings written into the index
};

struct Result {
    Files files;
    QList<yeartext::Problem> problems;
    // Nothing can be written: the file is not a year's data, or a day is doubled or missing.
    bool fatal() const;
};

// `books` gives the shape of our books, for whole chapters and to check each verse; `year` is
// the year of a table (0: the year of its first date) and is checked against the others.
Result convert(QByteArrayView bytes, const references::Books &books, int year = 0);

// "15.3.2026: reason", or the reason alone.
QString problemText(const yeartext::Problem &problem);

// The files checked as the program reads them, with the readings cut from `programFolder`'s Data/;
// also how many of the readings cut a passage.
struct Check {
    QList<yeartext::Problem> problems;
    int readingsCut = 0;
};
Check check(const Files &files, const QString &programFolder);

// Writes the year's files into the folder (made when missing), replacing the year's old ones
// together: a file that the new year does not have is removed. When anything fails, the old files
// stay as they were and KerlaError says why. Returns the paths written.
QStringList install(const Files &files, const QString &folder);

} // namespace yearimport
