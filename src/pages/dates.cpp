#include "pages/dates.h"

#include "platform/formatlocale.h"

#include <QLocale>

QDate ViewDateAsDate(const ViewDate &date) {
    return QDate(date.year, date.month, date.day);
}

void SetViewDateToday(ViewDate &date, const QDate &today) {
    SetViewDateFrom(date, today);
}

void SetViewDateFrom(ViewDate &date, const QDate &value) {
    SetViewDate(date, value.year(), value.month(), value.day());
}

QString shortDateText(const QDate &date) {
    return formattingLocale().toString(date, QLocale::ShortFormat);
}

QString sectionDateText(const ViewDate &date) {
    return QStringLiteral("%1.%2.%3").arg(date.day).arg(date.month).arg(date.year);
}

QString sectionDateText(const QDate &date) {
    return QStringLiteral("%1.%2.%3").arg(date.day()).arg(date.month()).arg(date.year());
}

quint16 sundayWeek(const QDate &date) {
    const QDate first(date.year(), 1, 1);
    const int w = first.dayOfWeek() % 7; // Sunday 0 .. Saturday 6
    const qint64 n = w + first.daysTo(date);
    return static_cast<quint16>(n / 7 + 1);
}
