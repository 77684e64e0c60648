#include "daytext/calendarexport.h"

#include "daytext/pagetext.h"
#include "platform/errors.h"
#include "platform/profile.h"
#include "platform/textfile.h"

namespace calendarexport {

namespace {

// The summary's words from the text: at most this many characters, cut between words.
constexpr qsizetype kSummaryWords = 60;

QString firstWords(const QString &text) {
    const QString flat = text.simplified();
    if (flat.size() <= kSummaryWords)
        return flat;
    qsizetype cut = flat.lastIndexOf(u' ', kSummaryWords);
    if (cut <= 0)
        cut = kSummaryWords;
    QString words = flat.left(cut);
    while (!words.isEmpty() && (words.back().isPunct() || words.back().isSpace()))
        words.chop(1);
    return words + QChar(0x2026);
}

} // namespace

QString defaultFileName(int year) {
    return QStringLiteral("hesla-%1.ics").arg(year);
}

icalendar::Event event(const yeardays::Day &day) {
    const pagetext::Page page = pagetext::read(day.page);
    const QList<pagetext::Passage> passages = page.passages();
    QString summary;
    if (!passages.isEmpty()) {
        const pagetext::Passage &watchword = passages.first();
        summary = watchword.reference.isEmpty()
                      ? firstWords(watchword.text)
                      : watchword.reference + QStringLiteral(": ") + firstWords(watchword.text);
    } else {
        summary = page.heading();
    }
    return {day.date, summary, pagetext::plainText(page, pagetext::readingsLine(day.readings), false)};
}

QList<yeardays::Day> days(const FilesOf &filesOf, const QDate &from, const QDate &to) {
    QList<yeardays::Day> out;
    for (int year = from.year(); year <= to.year(); ++year) {
        const yeardays::Files files = filesOf(year);
        if (!textfile::fileExists(files.dayFile))
            continue;
        for (yeardays::Day &day : yeardays::read(files, year)) {
            if (day.date >= from && day.date <= to)
                out.append(std::move(day));
        }
    }
    return out;
}

int write(const QString &path, const QList<yeardays::Day> &days, const icalendar::Options &options) {
    if (days.isEmpty())
        throw KerlaError(
            QStringLiteral("Ve zvoleném období nejsou žádná kerla; soubor %1 nebyl zapsán.").arg(path));
    QList<icalendar::Event> events;
    events.reserve(days.size());
    for (const yeardays::Day &day : days)
        events.append(event(day));
    try {
        ProfileFile::replace(path, icalendar::calendar(events, options));
    } catch (const KerlaError &) {
        throw KerlaError(
            QStringLiteral("Kalendář nelze uložit: do souboru %1 nelze zapisovat. Nic nebylo zapsáno.")
                .arg(path));
    }
    return int(events.size());
}

} // namespace calendarexport
