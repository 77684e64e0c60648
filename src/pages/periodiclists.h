#pragma once

#include <QByteArray>
#include <QList>

// The three 2025 lists of the week, month and year watchwords, built into the program. Each is a
// list of Windows-1250 lines counted from 0: line 0 is the list's name ("tyden", "mesic", "rok");
// with N entries, entry k (from 1) has its text at line k and its reference at line k + N.
// tyden: 53 entries, 108 lines (line 107 empty); mesic: 12 entries, 26 lines (line 25 empty);
// rok: 1 entry, 3 lines. The build generates their definitions from the Bible text.
namespace periodiclists {
const QList<QByteArray> &tyden();
const QList<QByteArray> &mesic();
const QList<QByteArray> &rok();
} // namespace periodiclists
