#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The plain table in which a year's texts are written, turned into the program's files. The table is UTF-8
// CSV or TSV with a header row; the columns are datum, heslo, heslo_odkaz, text, text_odkaz and, optionally,
// cteni1, cteni2, cteni3, perikopa.
namespace tableimport {

struct TableError {
    int line = 0; // counted from 1; 0 when the error belongs to no line (a missing date)
    QString message;
};

// What a table gives: the year's files, or the errors that keep them from being written.
struct Year {
    int year = 0;
    int days = 0;
    QByteArray pages;    // Kerla<year>.rtf
    QByteArray readings; // Cteni<year>.sj; empty when the table has no reading columns
    QList<TableError> errors;
};

// Reads the table: TSV when its header row holds a tab, CSV otherwise. `year` 0 takes the year of
// the first date.
Year readTable(QByteArrayView bytes, int year);

// "řádek 12: ..." or the message alone for an error without a line.
QString errorText(const TableError &error);

} // namespace tableimport
