#include "daytext/icalendar.h"

namespace icalendar {

namespace {

constexpr qsizetype kMaxOctets = 75;
const char kCrLf[] = "\r\n";

QByteArray dateValue(const QDate &date) {
    return date.toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// "PT7H30M": the time of day as a duration from the start of the day.
QByteArray durationFromMidnight(const QTime &time) {
    QByteArray text = "PT" + QByteArray::number(time.hour()) + 'H' + QByteArray::number(time.minute()) + 'M';
    if (time.second() != 0)
        text += QByteArray::number(time.second()) + 'S';
    return text;
}

} // namespace

QString escapedText(const QString &text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' || c == u';' || c == u',') {
            out += u'\\';
            out += c;
        } else if (c == u'\r') {
            out += QStringLiteral("\\n");
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n' || c == QChar(0x2028)) {
            out += QStringLiteral("\\n");
        } else if (c.unicode() < 0x20 && c != u'\t') {
            // Control characters are not allowed in a text value.
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray foldedLine(const QByteArray &line) {
    QByteArray out;
    out.reserve(line.size() + line.size() / 70 * 3 + 2);
    qsizetype start = 0;
    qsizetype room = kMaxOctets; // the first line has 75 octets, each continuation a space and 74
    while (line.size() - start > room) {
        qsizetype end = start + room;
        while (end > start && continuesCharacter(line[end]))
            --end;
        if (end == start) // no character starts within the room: not UTF-8, cut where it ends
            end = start + room;
        out += line.mid(start, end - start);
        out += kCrLf;
        out += ' ';
        start = end;
        room = kMaxOctets - 1;
    }
    out += line.mid(start);
    out += kCrLf;
    return out;
}

QByteArray textProperty(const char *nameAndParameters, const QString &value) {
    return foldedLine(QByteArray(nameAndParameters) + ':' + escapedText(value).toUtf8());
}

QString uid(const QDate &date) {
    return QString::fromLatin1(dateValue(date)) + QStringLiteral("@kerla.example.org");
}

QByteArray calendar(const QList<Event> &events, const Options &options) {
    const QByteArray stamp =
        options.stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
    QByteArray out;
    out += "BEGIN:VCALENDAR\r\n";
    out += "VERSION:2.0\r\n";
    out += "PRODID:-//org.example.Kerla//Kerla Dorny " KERLA_DISPLAY_VERSION "//CS\r\n";
    out += "CALSCALE:GREGORIAN\r\n";
    out += "METHOD:PUBLISH\r\n";
    out += textProperty("X-WR-CALNAME", QStringLiteral("Kerla Dorny"));
    for (const Event &e : events) {
        out += "BEGIN:VEVENT\r\n";
        out += foldedLine("UID:" + uid(e.date).toLatin1());
        out += "DTSTAMP:" + stamp + kCrLf;
        out += "DTSTART;VALUE=DATE:" + dateValue(e.date) + kCrLf;
        out += "DTEND;VALUE=DATE:" + dateValue(e.date.addDays(1)) + kCrLf;
        out += textProperty("SUMMARY", e.summary);
        out += textProperty("DESCRIPTION", e.description);
        out += "TRANSP:TRANSPARENT\r\n";
        if (options.alarm) {
            out += "BEGIN:VALARM\r\n";
            out += "ACTION:DISPLAY\r\n";
            out += textProperty("DESCRIPTION", e.summary);
            out += "TRIGGER;RELATED=START:" + durationFromMidnight(*options.alarm) + kCrLf;
            out += "END:VALARM\r\n";
        }
        out += "END:VEVENT\r\n";
    }
    out += "END:VCALENDAR\r\n";
    return out;
}

} // namespace icalendar
