#include "import/pagedesign.h"

#include "platform/cp1250.h"

namespace pagedesign {

namespace {

using yeartext::Line;
using yeartext::Passage;
using yeartext::ReadingKind;

QString unicodeEscape(char16_t unit) {
    return QStringLiteral("\\u%1?").arg(int(qint16(unit)));
}

// A paragraph with the page's spacing: its alignment, then its content.
QString paragraph(const char *align, const QString &content) {
    return QLatin1String(align) + QLatin1String(kLineSpacing) + QLatin1Char(' ') + content +
           QStringLiteral("\\par ");
}

QString italic(const QString &rtf) {
    return QStringLiteral("\\i ") + rtf + QStringLiteral("\\i0 ");
}

QString bold(const QString &rtf) {
    return QStringLiteral("\\b ") + rtf + QStringLiteral("\\b0 ");
}

// A watchword or a text: introduction and lines in one left-aligned paragraph, the reference
// right-aligned in italics below it.
QString passage(const Passage &p, const char *align) {
    QString text;
    if (!yeartext::plain(p.intro).isEmpty())
        text += introduction(p.intro) + QLatin1Char(' ');
    for (qsizetype i = 0; i < p.lines.size(); ++i)
        text += (i ? QStringLiteral(" ") : QString()) + rtfLine(p.lines[i]);
    QString out;
    if (!text.isEmpty())
        out += paragraph(align, text);
    if (!p.reference.isEmpty())
        out += paragraph("\\qr", italic(rtfEscaped(p.reference)));
    return out;
}

// The hymn verse: its lines one below the other, an empty line between its stanzas (a line "-"
// in the file).
QString hymn(const Passage &p) {
    QString out, stanza;
    const auto endStanza = [&] {
        if (!stanza.isEmpty())
            out += (out.isEmpty() ? QString() : QStringLiteral("\\par ")) + paragraph("\\ql", stanza);
        stanza.clear();
    };
    for (const Line &line : p.lines) {
        if (yeartext::plain(line).trimmed() == QLatin1String("-")) {
            endStanza();
            continue;
        }
        stanza += (stanza.isEmpty() ? QString() : QStringLiteral("\\line ")) + rtfLine(line);
    }
    endStanza();
    if (!p.reference.isEmpty())
        out += paragraph("\\qr", italic(rtfEscaped(p.reference)));
    return out;
}

} // namespace

QString rtfEscaped(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'{' || c == u'}' || c == u'\\') {
            out += QLatin1Char('\\');
            out += ch;
        } else if (c == u'\t' || c == u'\n' || c == u'\r') {
            out += QLatin1Char(' ');
        } else if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            // a control character shows nothing
        } else if (cp1250::canEncode(ch)) {
            out += ch;
        } else {
            out += unicodeEscape(c); // surrogates too: each half an escape of its own
        }
    }
    return out;
}

QString introduction(Line line) {
    for (yeartext::Run &run : line)
        run.italic = true;
    return rtfLine(line);
}

QString rtfLine(const Line &line) {
    QString out;
    for (const yeartext::Run &run : line) {
        const QString text = rtfEscaped(run.text);
        if (run.bold && run.italic)
            out += bold(italic(text));
        else if (run.bold)
            out += bold(text);
        else if (run.italic)
            out += italic(text);
        else
            out += text;
    }
    return out;
}

QString czechDateHeading(const QDate &date) {
    static const char16_t *const weekdays[] = {u"Pondělí", u"Úterý",  u"Středa", u"Čtvrtek",
                                               u"Pátek",   u"Sobota", u"Neděle"};
    static const char16_t *const months[] = {u"ledna",  u"února",  u"března",    u"dubna",
                                             u"května", u"června", u"července",  u"srpna",
                                             u"září",   u"října",  u"listopadu", u"prosince"};
    return QStringLiteral("%1 %2. %3 %4")
        .arg(QString::fromUtf16(weekdays[date.dayOfWeek() - 1]))
        .arg(date.day())
        .arg(QString::fromUtf16(months[date.month() - 1]))
        .arg(date.year());
}

QString dayLine(const QDate &date, const DayText &text) {
    const auto line = [](const QString &plainText) { return Line{{plainText}}; };
    yeartext::Day day;
    day.title = czechDateHeading(date);
    day.watchword = Passage{{}, {line(text.watchword)}, text.watchwordReference, {}};
    day.teaching = Passage{{}, {line(text.teaching)}, text.teachingReference, {}};
    return dayLine(day);
}

QString readingCaption(ReadingKind kind) {
    switch (kind) {
    case ReadingKind::Continuous:
        return QStringLiteral("Průběžné čtení");
    case ReadingKind::Year:
        return QStringLiteral("Bible za rok");
    case ReadingKind::Gospel:
        return QStringLiteral("Evangelium");
    case ReadingKind::Epistle:
        return QStringLiteral("Epištola");
    case ReadingKind::Sermon:
        return QStringLiteral("Text kázání");
    case ReadingKind::OldTestament:
        return QStringLiteral("Starý zákon");
    case ReadingKind::Psalm:
        return QStringLiteral("Žalm");
    case ReadingKind::Gospel2:
        return QStringLiteral("Evangelium (2. řada)");
    case ReadingKind::Epistle2:
        return QStringLiteral("Epištola (2. řada)");
    case ReadingKind::OldTestament2:
        return QStringLiteral("Starý zákon (2. řada)");
    case ReadingKind::Sermon2:
        return QStringLiteral("Text kázání (2. řada)");
    }
    return {};
}

QString dayLine(const yeartext::Day &day) {
    QString page = paragraph("\\qc", bold(rtfEscaped(day.title)));
    for (const yeartext::Feast &feast : day.feasts) {
        if (!feast.name.trimmed().isEmpty())
            page += paragraph("\\qc", bold(rtfEscaped(feast.name.trimmed())));
        page += passage(feast.watchword, "\\qc");
    }
    for (const Passage *p : {&day.watchword, &day.teaching}) {
        if (!p->isEmpty())
            page += QStringLiteral("\\par ") + passage(*p, "\\ql");
    }
    if (!day.hymn.isEmpty())
        page += QStringLiteral("\\par ") + hymn(day.hymn);
    if (!day.commemorations.isEmpty()) {
        page += QStringLiteral("\\par ");
        for (const Line &line : day.commemorations)
            page += paragraph("\\ql", rtfLine(line));
    }
    if (!day.readings.isEmpty()) {
        page += QStringLiteral("\\par ");
        for (const yeartext::Reading &r : day.readings)
            page += paragraph("\\ql", bold(readingCaption(r.kind) + QLatin1Char(':')) + QLatin1Char(' ') +
                                          rtfEscaped(r.reference));
    }
    // The line ends the page's last paragraph by the page's closing brace.
    if (page.endsWith(QLatin1String("\\par ")))
        page.chop(5);
    return page;
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
    const std::pair<const char *, const QString *> keys[] = {{"Cteni1", &readings.first},
                                                             {"Cteni2", &readings.second},
                                                             {"Cteni3", &readings.third},
                                                             {"Perikopa", &readings.pericope}};
    for (const auto &[key, value] : keys)
        if (!value->isEmpty())
            text += QLatin1String(key) + QLatin1Char('=') + *value + QStringLiteral("\r\n");
    return text + QLatin1String("\r\n");
}

} // namespace pagedesign
