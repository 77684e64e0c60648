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
