#pragma once

#include "pages/appcontext.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The watchwords of the week, month and year: pages of their own in KERLA.TMP. A year with its
// watchwords in Hesla<year>.sj (an imported year) takes them from there; 2025 without that file
// has the lists built into the program; another year has none.
namespace periodic {

inline constexpr int kYear = 2025;

// The Sunday-based week of a date within its own year: week 1 begins on 1 January and ends on the
// first Saturday; 1..54.
quint16 WeekNumber(const QDate &date);

// The page bytes for a text and a reference (Windows-1250 lines of the built-in lists).
QByteArray weekPage(const QByteArray &text, const QByteArray &reference);
QByteArray monthPage(const QByteArray &text, const QByteArray &reference);
QByteArray yearPage(const QByteArray &text, const QByteArray &reference);

// Entry k (from 1) of a list of N entries: its text at line k, its reference at line k + N.
struct Entry {
    QByteArray text, reference;
};
Entry entry(const QList<QByteArray> &list, int entries, int k);

// The entry of a section of Hesla<year>.sj ("tyden 5"), or none when the file or the section is
// missing or has no text.
std::optional<Entry> fileEntry(const QString &path, const QString &section);

// The pages for a date of 2025, from the built-in lists.
QByteArray weekPageFor(const QDate &date);
QByteArray monthPageFor(int month);
QByteArray yearPageFor();

// The page of the week, month or year that holds `date`, wherever the year keeps its watchwords:
// its Hesla<year>.sj (see yearfiles), else 2025's built-in lists; none for a year without either,
// or for a week or month that the file lacks. The views and the search both take them from here.
enum class Period { Week, Month, Year };
std::optional<QByteArray> pageFor(const AppContext &context, Period period, const QDate &date);

} // namespace periodic
