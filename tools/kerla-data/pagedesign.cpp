#include "pagedesign.h"

#include "bibletext.h"
#include "platform/cp1250.h"

namespace pagedesign {

QString rtfEscaped(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        if (ch == QLatin1Char('{') || ch == QLatin1Char('}') || ch == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += ch;
    }
    return out;
}

QString dayLine(const QDate &date, const DayText &text) {
    QString line =
        QStringLiteral("\\qc\\b ") + datagen::czechDateHeading(date.year(), date.month(), date.day());
    line += QStringLiteral("\\par\\par\\ql ") + rtfEscaped(text.watchword);
    line += QStringLiteral("\\par\\qr\\i ") + rtfEscaped(text.watchwordReference);
    line += QStringLiteral("\\par\\par\\ql\\plain ") + rtfEscaped(text.teaching);
    line += QStringLiteral("\\par\\qr\\i ") + rtfEscaped(text.teachingReference);
    return line;
}

QByteArray yearFile(int year, const std::function<QString(const QDate &)> &lineFor) {
    QByteArray out;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            const QDate date(year, month, day);
            if (date.isValid())
                out += cp1250::fromUnicode(lineFor(date));
            out += "\r\n";
        }
    }
    return out;
}

QString readingsSection(const QDate &date, const DayReadings &readings) {
    QString text = QStringLiteral("[%1.%2.%3]\r\n").arg(date.day()).arg(date.month()).arg(date.year());
    text += QStringLiteral("Cteni1=%1\r\n").arg(readings.first);
    text += QStringLiteral("Cteni2=%1\r\n").arg(readings.second);
    text += QStringLiteral("Cteni3=%1\r\n").arg(readings.third);
    if (!readings.pericope.isEmpty())
        text += QStringLiteral("Perikopa=%1\r\n").arg(readings.pericope);
    return text + QLatin1String("\r\n");
}

} // namespace pagedesign
