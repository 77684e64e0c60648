#include "pages/periodic.h"

#include "pages/dates.h"
#include "pages/periodiclists.h"
#include "pages/yearfiles.h"
#include "platform/cp1250.h"
#include "platform/profile.h"
#include "platform/textfile.h"

namespace periodic {

quint16 WeekNumber(const QDate &date) {
    return sundayWeek(date);
}

namespace {

QByteArray heading(const char16_t *title) {
    return "{\\rtf1\\ansi \\b\\qc " + cp1250::fromUnicode(title) + " \\par\\par\\ql ";
}

QByteArray weekOrMonthPage(const char16_t *title, const QByteArray &text, const QByteArray &reference) {
    return heading(title) + text + " \\par \\i\\qr " + reference + " \\plain\\par\r\n}\r\n";
}

} // namespace

QByteArray weekPage(const QByteArray &text, const QByteArray &reference) {
    return weekOrMonthPage(u"KERLO TÝDNE", text, reference);
}

QByteArray monthPage(const QByteArray &text, const QByteArray &reference) {
    return weekOrMonthPage(u"KERLO MĚSÍCE", text, reference);
}

QByteArray yearPage(const QByteArray &text, const QByteArray &reference) {
    return heading(u"KERLO ROKU") + text + " \\par \\i\\qr " + reference + " \\plain\\par}\r\n";
}

Entry entry(const QList<QByteArray> &list, int entries, int k) {
    return {list.value(k), list.value(k + entries)};
}

std::optional<Entry> fileEntry(const QString &path, const QString &section) {
    if (!textfile::fileExists(path))
        return std::nullopt;
    const ProfileSection s = ProfileFile(path).readSection(section);
    const QString text = s.readString(QStringLiteral("Text"), {});
    if (text.isEmpty())
        return std::nullopt;
    return Entry{cp1250::fromUnicode(text), cp1250::fromUnicode(s.readString(QStringLiteral("Odkaz"), {}))};
}

QByteArray weekPageFor(const QDate &date) {
    const Entry e = entry(periodiclists::tyden(), 53, WeekNumber(date));
    return weekPage(e.text, e.reference);
}

QByteArray monthPageFor(int month) {
    const Entry e = entry(periodiclists::mesic(), 12, month);
    return monthPage(e.text, e.reference);
}

QByteArray yearPageFor() {
    const Entry e = entry(periodiclists::rok(), 1, 1);
    return yearPage(e.text, e.reference);
}

std::optional<QByteArray> pageFor(const AppContext &context, Period period, const QDate &date) {
    const QString file = yearfiles::periodicFile(context, date.year());
    if (textfile::fileExists(file)) {
        const QString section = period == Period::Week    ? yearfiles::weekSection(WeekNumber(date))
                                : period == Period::Month ? yearfiles::monthSection(date.month())
                                                          : yearfiles::yearSection();
        const std::optional<Entry> e = fileEntry(file, section);
        if (!e)
            return std::nullopt;
        return period == Period::Week    ? weekPage(e->text, e->reference)
               : period == Period::Month ? monthPage(e->text, e->reference)
                                         : yearPage(e->text, e->reference);
    }
    if (date.year() != kYear)
        return std::nullopt;
    return period == Period::Week    ? weekPageFor(date)
           : period == Period::Month ? monthPageFor(date.month())
                                     : yearPageFor();
}

} // namespace periodic
