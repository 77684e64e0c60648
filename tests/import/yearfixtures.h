#pragma once

// Whole years in the publisher's two formats, made up for the tests: invented texts, every element
// and attribute of the formats, every shape of reference and the book names' variants. They are
// made in code rather than committed, so each test can change what it needs.
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace yearfixtures {

// The printed references of the continuous readings, one a day in turn: every shape the
// publisher prints, with the index reference it becomes.
struct Shape {
    const char *printed;
    const char *index;
};
inline const QList<Shape> &readingShapes() {
    static const QList<Shape> shapes = {
        {"Lukáš 3,1-6", "l 3 1 6"},
        {"Jan 15,26-16,4", "j 15 26 16 4"},
        {"Skutky 7,54 - 8,3", "sk 7 54 8 3"},
        {"Žalm 100", "zl 100 1 5"},
        {"Jan 19,1-16a", "j 19 1 16"},
        {"Jan 19,16b-30", "j 19 16 30"},
        {"Nehemiáš 9,1-3.29-36", "neh 9 1 36"},
        {"Zjevení 22,16.17.20.21", "zj 22 16 21"},
        {"Filipským 4,10-13(14-20)", "fp 4 10 20"},
        {"Jób 38,1-11; 42,1-6", "jb 38 1 42 6"},
        {"Jób 38,1-11 a 42,1-6", "jb 38 1 42 6"},
        {"Tobiáš 1,1-10 | Jób 1,1-22", "jb 1 1 22"},
        {"2.Paralipomenon 3,1-17 / Sírachovec 1,1-10", "2pa 3 1 17"},
        {"Judova 1.2.20-25", "ju 1 1 25"},
        {"2.Janova 1-6", "2j 1 1 6"},
        {"Žalm 113,3 K", "zl 113 3 3"},
        {"2.Korintským 3, 9-18", "2k 3 9 18"},
        {"1.Mojžíšova 1,1-5", "gn 1 1 5"},
        {"1. Mojžíšova 49,28-50,3", "gn 49 28 50 3"},
        {"Izaiáš 40,1-8", "iz 40 1 8"},
        {"Izajáš 40,9-11", "iz 40 9 11"},
        {"Efezským 1,3-14", "ef 1 3 14"},
        {"Efesanům 2,1-10", "ef 2 1 10"},
        {"1.Janova 4,7-12", "1j 4 7 12"},
        {"1. Janův 4,13-21", "1j 4 13 21"},
        {"Zalm 23", "zl 23 1 6"},
        {"Zacharjaš 9,9-10", "za 9 9 10"},
        {"Filipenským 2,5-11", "fp 2 5 11"},
        {"Matoš 5,1-12", "mt 5 1 12"},
        {"Malachiáš 3,19-24", "mal 4 1 6"},
        {"Izaiáš 8,23-9,6", "iz 9 1 7"},
        {"Zachariáš 2,14-17", "za 2 10 13"},
        {"Kazatel 4,17-5,6", "kaz 5 1 7"},
        {"2.Paralipomenon 1,18-2,17", "2pa 2 1 18"},
        {"Joel 3,1-5", "jl 2 28 32"},
        {"Žalm 51,3-14", "zl 51 1 12"},
    };
    return shapes;
}

inline QString xmlEscaped(QString text) {
    return text.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
}

inline QString dayNumber(const QDate &d) {
    return QStringLiteral("%1. %2.").arg(d.day()).arg(d.month());
}

// The invented texts of a day, as the page must show them word for word.
inline QString watchwordText(const QDate &d) {
    return QStringLiteral("Ukázkové heslo na %1 říká, že žluťoučký kůň tiše čeká.").arg(dayNumber(d));
}
inline QString teachingText(const QDate &d) {
    return QStringLiteral("Vymyšlený text na %1 mluví o světle, které ráno přichází.").arg(dayNumber(d));
}
inline QString watchwordReference(const QDate &d) {
    return QStringLiteral("Žalm %1,%2 F").arg(d.month() + 10).arg(d.day());
}
inline QString teachingReference(const QDate &d) {
    return QStringLiteral("Římanům %1,%2").arg(d.month()).arg(d.day() % 20 + 1);
}
inline QString sundayName(const QDate &d) {
    return QStringLiteral("Ukázková neděle %1").arg((d.dayOfYear() + 6) / 7);
}

struct LosfileOptions {
    int year = 2026;
    bool doctype = true;    // a DOCTYPE that names a DTD which is not there
    QDate doubled, missing; // a day twice, a day left out
};

// A LOSFILE year.
inline QByteArray losfile(const LosfileOptions &o = {}) {
    const int year = o.year;
    QString x = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    if (o.doctype)
        x += QStringLiteral("<!DOCTYPE LOSFILE SYSTEM \"losfile-chybi.dtd\">\n");
    x += QStringLiteral("<LOSFILE year=\"%1\" xml:lang=\"cs\">\n").arg(year);
    x += QStringLiteral(
        "  <HEAD>\n    <FILEVERS version=\"1.0\" date=\"2025-06-01\" author=\"Ukázkový autor\"/>\n"
        "    <XLAT><X a=\"F\">ukázkový překlad F</X><X a=\"K\">ukázkový překlad K</X></XLAT>\n"
        "    <SUBLANG title=\"%W %d. %M %Y\"><M>ledna</M><W>Pondělí</W></SUBLANG>\n  </HEAD>\n");
    x +=
        QStringLiteral(
            "  <YEAR y=\"%1\"><TL>Heslo roku %1</TL><S b=\"J\" ch=\"1\" v=\"5\"/><IL>Ukázka praví:</IL>"
            "<L>Vymyšlené heslo roku %1,</L>\n      <L>rozdělené do dvou řádků.</L><SL>Jan 1,5</SL></YEAR>\n")
            .arg(year);
    for (int m = 1; m <= 12; ++m)
        x += QStringLiteral("  <MONTH m=\"%1\"><TL>Heslo měsíce</TL><S b=\"Ž\" ch=\"%2\" v=\"1\"/>"
                            "<L>Vymyšlené heslo %1. měsíce s <X>důrazem</X>.</L><SL>Žalm %2,1</SL></MONTH>\n")
                 .arg(m)
                 .arg(m + 20);
    x += QStringLiteral(
        "  <WEEK d=\"10\" m=\"6\"><S b=\"Mt\" ch=\"5\" v=\"9\"/><L>Vymyšlené heslo jednoho týdne.</L>"
        "<SL>Matouš 5,9</SL></WEEK>\n");
    for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1)) {
        if (d.dayOfWeek() == Qt::Sunday)
            x += QStringLiteral(
                     "  <DAY d=\"%1\" m=\"%2\" type=\"sunday\" name=\"%3\" ord=\"%4\" label=\"N%4\" "
                     "meaning=\"Ukázkový význam\" src=\"ukázka\"><S b=\"Ef\" ch=\"5\" v=\"%4\"/>"
                     "<IL>Apoštol píše:</IL><L>Vymyšlené heslo týdne %4.</L><SL>Efezským 5,%4</SL></DAY>\n")
                     .arg(d.day())
                     .arg(d.month())
                     .arg(sundayName(d))
                     .arg((d.dayOfYear() + 6) / 7);
    }
    x += QStringLiteral(
        "  <DAY d=\"1\" m=\"1\" type=\"holiday\" name=\"Nový rok\"><L>Vymyšlené heslo nového roku.</L>"
        "<SL>Kazatel 3,1</SL></DAY>\n"
        "  <DAY d=\"6\" m=\"7\" type=\"important\" name=\"Ukázkový památný den\"/>\n"
        "  <DAY d=\"8\" m=\"3\" type=\"week\" name=\"Ukázkový týden modliteb   \"/>\n");
    int n = 0;
    for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1), ++n) {
        if (d == o.missing)
            continue;
        const Shape &shape = readingShapes()[n % readingShapes().size()];
        QString day =
            QStringLiteral("  <LOSUNG d=\"%1\" m=\"%2\">\n    <TL>TITLE</TL>\n").arg(d.day()).arg(d.month());
        day.replace(QStringLiteral("TITLE"), QStringLiteral("Ukázkový den %1").arg(dayNumber(d)));
        day += QStringLiteral("    <OT><S b=\"Z\" ch=\"%1\" v=\"%2\"/>%3<L>%4</L>\n      <SL>%5</SL></OT>\n")
                   .arg(d.month() + 10)
                   .arg(d.day())
                   .arg(n % 3 == 0 ? QStringLiteral("<IL>Prorok řekl:</IL>") : QString())
                   .arg(xmlEscaped(watchwordText(d)))
                   .arg(watchwordReference(d));
        day += QStringLiteral(
                   "    <NT><S b=\"R\" ch=\"%1\" v=\"%2\"/><L>%3</L>\n        <L>A <X>zdůrazněné</X> i "
                   "<EM>skloněné</EM> slovo → ŭ 🙂.</L><SL>%4</SL></NT>\n")
                   .arg(d.month())
                   .arg(d.day() % 20 + 1)
                   .arg(xmlEscaped(teachingText(d)))
                   .arg(teachingReference(d));
        day += QStringLiteral("    <TT><L>První řádek ukázkové sloky,</L><L>druhý řádek sloky.</L><L>-</L>"
                              "<L>Druhá sloka jedním řádkem.</L><SL>EZ %1,4.5</SL></TT>\n")
                   .arg(n % 700 + 1);
        day += QStringLiteral("    <SR><SL>%1</SL></SR>\n").arg(QString::fromUtf8(shape.printed));
        day += QStringLiteral(
            "    <CR><S b=\"Gn\" ch=\"1\" v=\"1\" ch2=\"1\" v2=\"5\"/><S b=\"Gn\" ch=\"2\" v=\"1\"/>"
            "<SL>1.Mojžíšova 1,1-5; 2,1</SL></CR>\n");
        if (d.dayOfWeek() == Qt::Sunday)
            day +=
                QStringLiteral("    <Ev><S b=\"Mt\" ch=\"5\" v=\"1\" v2=\"12\"/><SL>Matouš 5,1-12</SL></Ev>"
                               "<Ep><SL>Římanům 12,1-8</SL></Ep><Pr><SL>Marek 4,26-29</SL></Pr>"
                               "<AT><SL>Izaiáš 55,6-11</SL></AT><Bl><SL>Žalm 119,89-104</SL></Bl>\n"
                               "    <Ev2><SL>Lukáš 8,4-15</SL></Ev2><Ep2><SL>Židům 4,12-13</SL></Ep2>"
                               "<AT2><SL>Ámos 8,11-12</SL></AT2><Pr2><SL>Skutky 16,9-15</SL></Pr2>\n");
        if (d.day() == 15)
            day +=
                QStringLiteral(
                    "    <C><L>1623 ukázková vzpomínka na %1</L><L>1722 druhá vymyšlená vzpomínka</L></C>\n")
                    .arg(dayNumber(d));
        day += QStringLiteral("  </LOSUNG>\n");
        x += day;
        if (d == o.doubled)
            x += day;
    }
    x += QStringLiteral("</LOSFILE>\n");
    return x.toUtf8();
}

// A FreeXml year, under a namespace prefix that is never declared.
inline QByteArray freeXml(int year = 2027) {
    static const char16_t *const weekdays[] = {u"Pondělí", u"Úterý",  u"Středa", u"Čtvrtek",
                                               u"Pátek",   u"Sobota", u"Neděle"};
    QString x = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<ns0:FreeXml>\n");
    for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1)) {
        x +=
            QStringLiteral(
                "  <ns0:Losungen>\n    <Datum>%1%2</Datum>\n    <Wtag>%3</Wtag>\n    <Sonntag>%4</Sonntag>\n")
                .arg(d.toString(QStringLiteral("yyyy-MM-dd")))
                .arg(d.day() % 2 ? QStringLiteral("T00:00:00") : QString())
                .arg(QString::fromUtf16(weekdays[d.dayOfWeek() - 1]))
                .arg(d.dayOfWeek() == Qt::Sunday ? sundayName(d) + QStringLiteral("  ") : QString());
        x += QStringLiteral(
                 "    <Losungstext>%1%2\n        #pevné#</Losungstext>\n    <Losungsvers>%3</Losungsvers>\n")
                 .arg(d.day() % 3 == 0 ? QStringLiteral("/Prorok řekl:/ ") : QString())
                 .arg(xmlEscaped(watchwordText(d)))
                 .arg(watchwordReference(d));
        x += QStringLiteral(
                 "    <Lehrtext>%1</Lehrtext>\n    <Lehrtextvers>%2</Lehrtextvers>\n  </ns0:Losungen>\n")
                 .arg(xmlEscaped(teachingText(d)))
                 .arg(teachingReference(d));
    }
    return (x + QStringLiteral("</ns0:FreeXml>\n")).toUtf8();
}

} // namespace yearfixtures
