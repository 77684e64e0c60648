#pragma once

#include "daytext/pagetext.h"
#include "daytext/searchindex.h"
#include "daytext/yeardays.h"
#include "pages/appcontext.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// What the search looks through, and keeping the index in step with the years the program finds.
namespace searchsources {

// A week's, month's or year's watchword of a year, as its page shows it.
struct PeriodicEntry {
    search::Kind kind = search::Kind::Week;
    int number = 0;  // the week or month; 1 for the year
    QDate firstDay;  // the day the week, month or year begins on
    QByteArray page; // the page's RTF bytes
};
// Every week, month and year watchword that the year has. Each place that wants them asks here.
QList<PeriodicEntry> periodicEntries(const AppContext &context, int year);

// The searchable line of a page: its texts with their references, "text (reference) · text …".
QString entryText(const pagetext::Page &page);

// The entries of a year: its days with a page and its week, month and year watchwords. A day
// file that cannot be read raises KerlaError.
QList<search::Entry> yearEntries(const AppContext &context, int year);

// Keeps an index in step with the years the program finds (yearfiles::years): a year is read
// again only when its day file is new or has changed, and a year that is gone leaves the index.
class IndexKeeper {
public:
    // Brings the index up to date. A year whose file cannot be read is left out, and named in
    // `unreadable()` until it can be read.
    void refresh(const AppContext &context, search::Index &index);
    // "Rok 2026 nelze přečíst (…/Kerla2026.rtf)." for each such year, newest first.
    const QStringList &unreadable() const { return m_unreadable; }
    // How many times a year was read (for tests and the benchmark).
    int reads() const { return m_reads; }

private:
    struct Stamp {
        QString path;
        QDateTime modified;
        qint64 size = -1;
        bool operator==(const Stamp &) const = default;
    };
    QHash<int, Stamp> m_loaded;
    QStringList m_unreadable;
    int m_reads = 0;
};

} // namespace searchsources
