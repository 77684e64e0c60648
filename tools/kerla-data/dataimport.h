#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// `kerla-data import`: turns the plain table in which a year's texts are written into the
// program's files. The table is UTF-8 CSV or TSV with a header row; the columns are datum, heslo,
// heslo_odkaz, text, text_odkaz and, optionally, cteni1, cteni2, cteni3, perikopa.
namespace dataimport {

struct TableError {
    int line = 0; // counted from 1; 0 when the error belongs to no line (a missing date)
    QString message;
};

// What a table gives: the year's files, or the errors that keep them from being written.
struct Year {
    int year = 0;
    QByteArray pages;    // Kerla<year>.rtf
    QByteArray readings; // Cteni<year>.sj; empty when the table has no reading columns
    QList<TableError> errors;
};

// Reads the table. `fileName` chooses CSV or TSV by its extension (.csv, .tsv, .tab); any other
// name is sniffed from the header row. `year` 0 takes the year of the first date.
Year readTable(const QByteArray &bytes, const QString &fileName, int year);

// "řádek 12: ..." or the message alone for an error without a line.
QString errorText(const TableError &error);

// Writes the year's files into the folder (made when missing), each replaced atomically.
// Raises KerlaError when a file cannot be written.
void writeYear(const Year &year, const QString &folder);

} // namespace dataimport
