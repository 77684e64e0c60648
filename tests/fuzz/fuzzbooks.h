#pragma once

#include "import/references.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// A small fixed set of books for the import's fuzz targets, in our book-file format (lines
// "abbrev chapter verse text", code page 1250, CR LF) with invented verse texts: a few books of
// both testaments, one of a single chapter, and the Psalms, Malachi and Joel whose chapters the
// renumbering moves. Every reading that an import writes must cut a passage from them.
namespace fuzzbooks {

// The book files by their abbreviation.
const QHash<QString, QByteArray> &files();
// Their shape, as the import reads it from Data/.
const references::Books &books();

// Aborts unless the index reference ("j 2 3 7", "zl 3 2 4 1") cuts a non-empty passage from the
// fixed books that runs from its first verse through its last one.
void checkReading(const QString &index);

} // namespace fuzzbooks
