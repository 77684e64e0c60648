#include "daytext/searchsources.h"

#include "pages/periodic.h"
#include "pages/yearfiles.h"

#include <QFileInfo>

namespace searchsources {

QList<PeriodicEntry> periodicEntries(const AppContext &context, int year) {
    using periodic::Period;
    QList<PeriodicEntry> out;
    const auto add = [&](search::Kind kind, Period period, int number, const QDate &day) {
        if (const std::optional<QByteArray> page = periodic::pageFor(context, period, day))
            out.append({kind, number, day, *page});
    };
    const QDate first(year, 1, 1);
    for (QDate day = first; day.year() == year; day = day.addDays(1)) {
        if (day == first || day.dayOfWeek() == 7)
            add(search::Kind::Week, Period::Week, periodic::WeekNumber(day), day);
        if (day.day() == 1)
            add(search::Kind::Month, Period::Month, day.month(), day);
    }
    add(search::Kind::Year, Period::Year, 1, first);
    return out;
}

QString entryText(const pagetext::Page &page) {
    QStringList parts;
    for (const pagetext::Passage &p : page.passages()) {
        QString part = QString(p.text).replace(u'\n', u' ');
        if (!p.reference.isEmpty())
            part += QStringLiteral(" (") + p.reference + u')';
        parts.append(part);
    }
    return parts.join(QStringLiteral(" · "));
}

QList<search::Entry> yearEntries(const AppContext &context, int year) {
    QList<search::Entry> entries;
    for (const yeardays::Day &day : yeardays::read(yeardays::forYear(context, year), year))
        entries.append({day.date, search::Kind::Day, 0, entryText(pagetext::read(day.page))});
    for (const PeriodicEntry &p : periodicEntries(context, year))
        entries.append({p.firstDay, p.kind, p.number, entryText(pagetext::read(p.page))});
    return entries;
}

void IndexKeeper::refresh(const AppContext &context, search::Index &index) {
    const QList<int> years = yearfiles::years(context);
    for (int year : index.years()) {
        if (!years.contains(year)) {
            index.removeYear(year);
            m_loaded.remove(year);
        }
    }
    m_unreadable.clear();
    for (int year : years) {
        const QString path = yearfiles::dayFile(context, year);
        const QFileInfo info(path);
        const Stamp stamp{path, info.lastModified(), info.size()};
        if (m_loaded.value(year) == stamp)
            continue;
        ++m_reads;
        try {
            index.setYear(year, yearEntries(context, year));
            m_loaded.insert(year, stamp);
        } catch (const KerlaError &) {
            index.removeYear(year);
            m_loaded.remove(year);
            m_unreadable.append(QStringLiteral("Rok %1 nelze přečíst (%2).").arg(year).arg(path));
        }
    }
}

} // namespace searchsources
