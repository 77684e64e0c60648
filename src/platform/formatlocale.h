#pragma once

#include <QLocale>

// The locale that the program formats dates and times with: the user's, except that C and
// POSIX (no language chosen) mean Czech. On Windows it is always Czech.
QLocale formattingLocale();
// The same choice for a given locale (for tests).
QLocale formattingLocale(const QLocale &system);
