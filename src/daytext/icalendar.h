#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

// An iCalendar file (RFC 5545) of all-day events: lines ended by CR LF and folded at 75 octets
// without splitting a UTF-8 character, text values escaped. No widgets, no files.
namespace icalendar {

// A text value with its backslashes, semicolons, commas and line breaks escaped.
QString escapedText(const QString &text);

// One content line, folded: no line longer than 75 octets before its CR LF, each continuation
// beginning with a space, and the breaks only between whole UTF-8 characters.
QByteArray foldedLine(const QByteArray &line);

// "NAME:VALUE" (or "NAME;PARAM=X:VALUE"), with a text value escaped, folded and ended.
QByteArray textProperty(const char *nameAndParameters, const QString &value);

struct Event {
    QDate date; // an all-day event on that day
    QString summary;
    QString description;
};

struct Options {
    QDateTime stamp;            // DTSTAMP: when the file is made (written in UTC)
    std::optional<QTime> alarm; // a reminder at that time of the event's day, or none
};

// The event's UID, stable for its date: "20261209@kerla.example.org".
QString uid(const QDate &date);

// The whole calendar: VCALENDAR with PRODID and VERSION:2.0, one VEVENT per event.
QByteArray calendar(const QList<Event> &events, const Options &options);

} // namespace icalendar
