#include "pages/periodic.h"

#include "pages/periodiclists.h"
#include "platform/cp1250.h"

namespace periodic {

quint16 WeekNumber(const QDate &date) {
    const QDate first(date.year(), 1, 1);
    const int w = first.dayOfWeek() % 7; // Sunday 0 .. Saturday 6
    const qint64 n = w + first.daysTo(date);
    return static_cast<quint16>(n / 7 + 1);
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

} // namespace periodic
