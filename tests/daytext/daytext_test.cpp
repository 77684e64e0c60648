// The page's text for the clipboard, the search's folding, matching and snippets, and the
// iCalendar writer's escaping and folding, without windows or files.
#include "daytext/icalendar.h"
#include "daytext/pagetext.h"
#include "daytext/searchindex.h"
#include "platform/cp1250.h"

#include <QMimeData>
#include <QTest>

Q_DECLARE_METATYPE(DayReadings)

namespace {

// A day line in the page design: the date heading, two texts with their references.
QByteArray dayLine(const QString &heading, const QString &text1, const QString &ref1, const QString &text2,
                   const QString &ref2) {
    return cp1250::fromUnicode(
        QStringLiteral("\\qc\\b %1\\par\\par\\ql %2\\par\\qr\\i %3\\par\\par\\ql\\plain "
                       "%4\\par\\qr\\i %5")
            .arg(heading, text1, ref1, text2, ref2));
}

QByteArray page(const QByteArray &line) {
    return "{\\rtf1\\ansi " + line + "}\r\n";
}

// The lines of a folded content line put back together, as RFC 5545 unfolds them.
QByteArray unfolded(const QByteArray &folded) {
    return QByteArray(folded).replace("\r\n ", "").chopped(2);
}

search::Entry entry(QDate date, const QString &text, search::Kind kind = search::Kind::Day) {
    return {date, kind, 0, text};
}

} // namespace

class DayTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pageTexts();
    void readingsLine_data();
    void readingsLine();
    void htmlKeepsEmphasis();
    void dayCount_data();
    void dayCount();
    void periodicPageCopiesItsTextAndReference();

    void fold_data();
    void fold();
    void findsAllWordsInAnyOrder_data();
    void findsAllWordsInAnyOrder();
    void newestYearFirstAndByDate();
    void snippetAroundTheMatch_data();
    void snippetAroundTheMatch();

    void escaping_data();
    void escaping();
    void folding_data();
    void folding();
    void calendarShape();
};

void DayTextTest::pageTexts() {
    const pagetext::Page p = pagetext::read(
        page(dayLine(QStringLiteral("Středa 24. září 2025"), QStringLiteral("Hospodin je můj pastýř."),
                     QStringLiteral("Žalm 23, 1"), QStringLiteral("Já jsem ten pastýř dobrý."),
                     QStringLiteral("Jan 10, 11"))));
    QCOMPARE(p.heading(), QStringLiteral("Středa 24. září 2025"));
    QCOMPARE(p.passages(), (QList<pagetext::Passage>{
                               {QStringLiteral("Hospodin je můj pastýř."), QStringLiteral("Žalm 23, 1")},
                               {QStringLiteral("Já jsem ten pastýř dobrý."), QStringLiteral("Jan 10, 11")}}));
    const QString readings = QStringLiteral("Čtení na tento den: gn 1,1-5");
    QCOMPARE(pagetext::plainText(p, readings), QStringLiteral("Středa 24. září 2025\n\n"
                                                              "Hospodin je můj pastýř.\nŽalm 23, 1\n\n"
                                                              "Já jsem ten pastýř dobrý.\nJan 10, 11\n\n"
                                                              "Čtení na tento den: gn 1,1-5"));
    QCOMPARE(pagetext::plainText(p, QString(), false),
             QStringLiteral("Hospodin je můj pastýř.\nŽalm 23, 1\n\n"
                            "Já jsem ten pastýř dobrý.\nJan 10, 11"));
    // No RTF codes reach the text, escaped braces and backslashes come out as characters.
    const pagetext::Page escaped =
        pagetext::read(page("\\qc\\b Den\\par\\ql a \\{b\\} c\\\\d\\line e\\par\\qr\\i R"));
    QCOMPARE(pagetext::plainText(escaped, QString()), QStringLiteral("Den\n\na {b} c\\d\ne\nR"));
}

void DayTextTest::readingsLine_data() {
    QTest::addColumn<DayReadings>("readings");
    QTest::addColumn<QString>("line");
    QTest::newRow("three") << DayReadings{QStringLiteral("gn 1 1 2 25"), QStringLiteral("mt 1 1 25"),
                                          QStringLiteral("zl 1 1 6"), QStringLiteral("mt 5 1 12")}
                           << QStringLiteral("Čtení na tento den: gn 1,1-2,25; mt 1,1-25; zl 1,1-6");
    QTest::newRow("the second missing")
        << DayReadings{QStringLiteral("am 1 1 3 15"), QString(), QStringLiteral("ž 2 1 3"), QString()}
        << QStringLiteral("Čtení na tento den: am 1,1-3,15; ž 2,1-3");
    QTest::newRow("none") << DayReadings{} << QString();
}

void DayTextTest::readingsLine() {
    QFETCH(DayReadings, readings);
    QFETCH(QString, line);
    QCOMPARE(pagetext::readingsLine(readings), line);
}

void DayTextTest::htmlKeepsEmphasis() {
    const pagetext::Page p =
        pagetext::read(page(dayLine(QStringLiteral("Den <1>"), QStringLiteral("A & b"), QStringLiteral("R1"),
                                    QStringLiteral("C"), QStringLiteral("R2"))));
    const QString html = pagetext::html(p, QStringLiteral("Čtení na tento den: x"));
    QVERIFY2(html.contains(QStringLiteral("<p style=\"text-align:center\"><b>Den &lt;1&gt;</b></p>")),
             qPrintable(html));
    QVERIFY2(html.contains(QStringLiteral("<p><b>A &amp; b</b></p>")),
             qPrintable(html)); // the design keeps \b on
    QVERIFY2(html.contains(QStringLiteral("<p style=\"text-align:right\"><b><i>R1</i></b></p>")),
             qPrintable(html));
    QVERIFY2(html.contains(QStringLiteral("<p>C</p>")), qPrintable(html)); // \plain ends it
    QVERIFY2(html.contains(QStringLiteral("<p style=\"text-align:right\"><i>R2</i></p>")), qPrintable(html));
    QVERIFY2(html.contains(QStringLiteral("<p>Čtení na tento den: x</p>")), qPrintable(html));
    const std::unique_ptr<QMimeData> data = pagetext::mimeData(p, QStringLiteral("Čtení na tento den: x"));
    QCOMPARE(data->text(), pagetext::plainText(p, QStringLiteral("Čtení na tento den: x")));
    QCOMPARE(data->html(), html);
}

void DayTextTest::dayCount_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << QStringLiteral("0 dnů");
    QTest::newRow("1") << 1 << QStringLiteral("1 den");
    QTest::newRow("2") << 2 << QStringLiteral("2 dny");
    QTest::newRow("4") << 4 << QStringLiteral("4 dny");
    QTest::newRow("5") << 5 << QStringLiteral("5 dnů");
    QTest::newRow("12") << 12 << QStringLiteral("12 dnů");
    QTest::newRow("22") << 22 << QStringLiteral("22 dnů");
    QTest::newRow("365") << 365 << QStringLiteral("365 dnů");
}

void DayTextTest::dayCount() {
    QFETCH(int, n);
    QFETCH(QString, text);
    QCOMPARE(pagetext::dayCount(n), text);
}

void DayTextTest::periodicPageCopiesItsTextAndReference() {
    // The week page's own shape (periodic.h), with an invented text.
    const QByteArray week = cp1250::fromUnicode(u"{\\rtf1\\ansi \\b\\qc KERLO TÝDNE \\par\\par\\ql Slovo "
                                                u"týdne \\par \\i\\qr Ukázka 1, 2 \\plain\\par\r\n}\r\n");
    const pagetext::Page p = pagetext::read(week);
    QCOMPARE(p.heading(), QStringLiteral("KERLO TÝDNE"));
    QCOMPARE(pagetext::plainText(p, QString()), QStringLiteral("KERLO TÝDNE\n\nSlovo týdne\nUkázka 1, 2"));
}

void DayTextTest::fold_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::newRow("Czech letters") << QStringLiteral("Žalm Pastýř ŘEČ ůÚ ďťň ĚÉ")
                                   << QStringLiteral("zalm pastyr rec uu dtn ee");
    QTest::newRow("combining marks") << QStringLiteral("Z\u030Calm") << QStringLiteral("zalm");
    QTest::newRow("digits and signs") << QStringLiteral("1. Kor 13, 4–7") << QStringLiteral("1. kor 13, 4–7");
    QTest::newRow("German and French") << QStringLiteral("Straße Élan") << QStringLiteral("straße elan");
}

void DayTextTest::fold() {
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QList<qsizetype> origins;
    QCOMPARE(search::fold(text, &origins), folded);
    QCOMPARE(origins.size(), folded.size());
    for (qsizetype i = 0; i < folded.size(); ++i)
        QCOMPARE(search::fold(text.mid(origins[i], 1)), folded.mid(i, 1));
}

void DayTextTest::findsAllWordsInAnyOrder_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QList<int>>("days"); // the days of January found
    QTest::newRow("no diacritics") << QStringLiteral("pastyr") << QList<int>{1, 3};
    QTest::newRow("reference") << QStringLiteral("zalm 23") << QList<int>{1};
    QTest::newRow("any order") << QStringLiteral("23 ŽALM") << QList<int>{1};
    QTest::newRow("all words must occur") << QStringLiteral("pastýř ovce") << QList<int>{3};
    QTest::newRow("part of a word") << QStringLiteral("pas") << QList<int>{1, 3};
    QTest::newRow("nothing") << QStringLiteral("beránek") << QList<int>{};
    QTest::newRow("empty query") << QStringLiteral("   ") << QList<int>{};
}

void DayTextTest::findsAllWordsInAnyOrder() {
    QFETCH(QString, query);
    QFETCH(QList<int>, days);
    search::Index index;
    index.setYear(2025, {entry(QDate(2025, 1, 1), QStringLiteral("Hospodin je můj pastýř (Žalm 23, 1)")),
                         entry(QDate(2025, 1, 2), QStringLiteral("Žalm 24 (Žalm 24, 1)")),
                         entry(QDate(2025, 1, 3), QStringLiteral("Pastýř dává život za ovce (Jan 10, 11)"))});
    QList<int> found;
    for (const search::Entry *e : index.find(search::queryWords(query)))
        found.append(e->date.day());
    QCOMPARE(found, days);
}

void DayTextTest::newestYearFirstAndByDate() {
    search::Index index;
    const QString t = QStringLiteral("slovo");
    index.setYear(2025, {entry(QDate(2025, 3, 1), t), entry(QDate(2025, 1, 1), t),
                         entry(QDate(2025, 1, 1), t, search::Kind::Year)});
    index.setYear(2027, {entry(QDate(2027, 2, 1), t)});
    index.setYear(2026, {entry(QDate(2026, 12, 31), t), entry(QDate(2026, 1, 5), t)});
    QList<QDate> dates;
    const QList<const search::Entry *> hits = index.find({t});
    for (const search::Entry *e : hits)
        dates.append(e->date);
    QCOMPARE(dates, (QList<QDate>{QDate(2027, 2, 1), QDate(2026, 1, 5), QDate(2026, 12, 31),
                                  QDate(2025, 1, 1), QDate(2025, 1, 1), QDate(2025, 3, 1)}));
    QCOMPARE(hits[3]->kind, search::Kind::Year); // the year's watchword before the day it begins on
    QCOMPARE(index.years(), (QList<int>{2027, 2026, 2025}));
    index.setYear(2026, {});
    index.removeYear(2027);
    QCOMPARE(index.find({t}).size(), 3);
    QCOMPARE(index.size(), 3);
}

void DayTextTest::snippetAroundTheMatch_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("html");
    QTest::newRow("short, every match bold")
        << QStringLiteral("Pán je můj pastýř, pastýř dobrý") << QStringLiteral("PASTYR pan") << 90
        << QStringLiteral("<b>Pán</b> je můj <b>pastýř</b>, <b>pastýř</b> dobrý");
    QTest::newRow("cut on both sides between words")
        << QStringLiteral("jedna dva tři čtyři pět šest sedm osm devět deset jedenáct dvanáct")
        << QStringLiteral("sedm") << 24 << QStringLiteral("…pět šest <b>sedm</b> osm devět…");
    QTest::newRow("match at the start")
        << QStringLiteral("Žalm 23 a dlouhý text, který pokračuje dál") << QStringLiteral("zalm") << 16
        << QStringLiteral("<b>Žalm</b> 23 a dlouhý…");
    QTest::newRow("escaped") << QStringLiteral("a <b> & c") << QStringLiteral("c") << 90
                             << QStringLiteral("a &lt;b&gt; &amp; <b>c</b>");
    QTest::newRow("overlapping words merge") << QStringLiteral("pastýřský") << QStringLiteral("pastyr tyrs")
                                             << 90 << QStringLiteral("<b>pastýřs</b>ký");
}

void DayTextTest::snippetAroundTheMatch() {
    QFETCH(QString, text);
    QFETCH(QString, query);
    QFETCH(int, width);
    QFETCH(QString, html);
    QCOMPARE(search::snippetHtml(search::snippet(text, search::queryWords(query), width)), html);
}

void DayTextTest::escaping_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("comma, semicolon, backslash")
        << QStringLiteral("a, b; c\\d") << QStringLiteral("a\\, b\\; c\\\\d");
    QTest::newRow("line ends") << QStringLiteral("a\nb\r\nc\rd") << QStringLiteral("a\\nb\\nc\\nd");
    QTest::newRow("colon and quotes stay") << QStringLiteral("Ž 23: \"x\"") << QStringLiteral("Ž 23: \"x\"");
    QTest::newRow("control characters go") << QStringLiteral("a\x01"
                                                             "b\tc")
                                           << QStringLiteral("ab\tc");
}

void DayTextTest::escaping() {
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(icalendar::escapedText(text), escaped);
}

void DayTextTest::folding_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("short") << QByteArray("SUMMARY:krátké");
    QTest::newRow("exactly 75 octets") << QByteArray("DESCRIPTION:") + QByteArray(63, 'x');
    QTest::newRow("ASCII, 300 octets") << QByteArray("DESCRIPTION:") + QByteArray(288, 'a');
    QTest::newRow("two-octet letters at every cut")
        << QByteArray("DESCRIPTION:") + QStringLiteral("ž").repeated(200).toUtf8();
    QTest::newRow("three-octet signs")
        << QByteArray("DESCRIPTION:a") + QStringLiteral("…–").repeated(90).toUtf8();
    QTest::newRow("four-octet signs")
        << QByteArray("X:") + QStringLiteral("\U0001F54A").repeated(60).toUtf8();
}

void DayTextTest::folding() {
    QFETCH(QByteArray, line);
    const QByteArray folded = icalendar::foldedLine(line);
    QVERIFY(folded.endsWith("\r\n"));
    QCOMPARE(unfolded(folded), line);
    const QList<QByteArray> parts = folded.chopped(2).split('\n');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QByteArray part = parts[i];
        if (i + 1 < parts.size()) {
            QVERIFY(part.endsWith('\r'));
            part.chop(1);
        }
        QVERIFY2(part.size() <= 75, part.constData());
        if (i > 0)
            QVERIFY(part.startsWith(' '));
        // Each line holds whole characters only.
        QCOMPARE(QString::fromUtf8(part).toUtf8(), part);
        QVERIFY(!QString::fromUtf8(part).contains(QChar::ReplacementCharacter));
        // A line is cut only where the next character would not fit.
        if (i + 1 < parts.size())
            QVERIFY(part.size() > 75 - 4);
    }
    QCOMPARE(parts.size() > 1, line.size() > 75);
}

void DayTextTest::calendarShape() {
    const QDateTime stamp(QDate(2025, 12, 24), QTime(9, 30), Qt::UTC);
    const QList<icalendar::Event> events{
        {QDate(2026, 12, 9), QStringLiteral("Ž 1: a, b"), QStringLiteral("x\ny")},
        {QDate(2026, 12, 31), QStringLiteral("s"), QStringLiteral("d")}};
    const QByteArray plain = icalendar::calendar(events, {stamp, std::nullopt});
    const QByteArray withAlarm = icalendar::calendar(events, {stamp, QTime(7, 30)});
    for (const QByteArray &file : {plain, withAlarm}) {
        QVERIFY(file.startsWith("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//org.example.Kerla//"));
        QVERIFY(file.endsWith("END:VCALENDAR\r\n"));
        QCOMPARE(file.count("\n"), file.count("\r\n"));
        QCOMPARE(file.count("BEGIN:VEVENT\r\n"), 2);
        QVERIFY(file.contains("\r\nUID:20261209@kerla.example.org\r\n"));
        QVERIFY(file.contains("\r\nDTSTART;VALUE=DATE:20261209\r\nDTEND;VALUE=DATE:20261210\r\n"));
        QVERIFY(file.contains("\r\nDTSTART;VALUE=DATE:20261231\r\nDTEND;VALUE=DATE:20270101\r\n"));
        QCOMPARE(file.count("\r\nDTSTAMP:20251224T093000Z\r\n"), 2);
        QVERIFY(file.contains("\r\nSUMMARY:Ž 1: a\\, b\r\n"));
        QVERIFY(file.contains("\r\nDESCRIPTION:x\\ny\r\n"));
    }
    QVERIFY(!plain.contains("VALARM"));
    QCOMPARE(withAlarm.count("BEGIN:VALARM\r\nACTION:DISPLAY\r\n"), 2);
    QCOMPARE(withAlarm.count("\r\nTRIGGER;RELATED=START:PT7H30M\r\nEND:VALARM\r\n"), 2);
    QCOMPARE(icalendar::uid(QDate(2026, 1, 2)), QStringLiteral("20260102@kerla.example.org"));
}

QTEST_GUILESS_MAIN(DayTextTest)
#include "daytext_test.moc"
