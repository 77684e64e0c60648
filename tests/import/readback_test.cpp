// The year's files read back as the import wrote them: the profile reader takes a pair of
// enclosing quotes off a value, so a watchword in quotes keeps them in Hesla<year>.sj and a
// reading in quotes is refused by the table.
#include "import/yearimport.h"
#include "pages/daypage.h"
#include "platform/cp1250.h"
#include "platform/profile.h"
#include "platform/rtftext.h"
#include "yearfixtures.h"

#include <QTest>

class ReadbackTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void valueAsRead_data();
    void valueAsRead();
    void quotedWatchwordReadsBack_data();
    void quotedWatchwordReadsBack();
    void quotedTableReadingIsRefused_data();
    void quotedTableReadingIsRefused();
};

void ReadbackTest::valueAsRead_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");
    QTest::newRow("plain") << " gn 1 1 5 "
                           << "gn 1 1 5";
    QTest::newRow("double quotes") << "\"gn 1 1 5\""
                                   << "gn 1 1 5";
    QTest::newRow("single quotes") << " 'gn' "
                                   << "gn";
    QTest::newRow("quotes that do not match") << "\"gn'"
                                              << "\"gn'";
    QTest::newRow("a quote at one end") << "\"gn 1"
                                        << "\"gn 1";
    QTest::newRow("one quote alone") << "\""
                                     << "\"";
    QTest::newRow("only one pair goes") << "\"\"x\"\""
                                        << "\"x\"";
}

// The same rule as the reads of a section.
void ReadbackTest::valueAsRead() {
    QFETCH(QString, written);
    QFETCH(QString, read);
    QCOMPARE(ProfileText::valueAsRead(written), read);
    const ProfileText text(QByteArray("[a]\r\nk=") + written.toLatin1() + "\r\n");
    QCOMPARE(text.readSection(QStringLiteral("a")).readString(QStringLiteral("k"), {}), read);
}

void ReadbackTest::quotedWatchwordReadsBack_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("reference");
    QTest::newRow("double quotes") << "\"Pojďte ke mně,\" řekl, \"všichni.\""
                                   << "Žalm 23,1";
    QTest::newRow("single quotes") << "'Jednoduché uvozovky'"
                                   << "Žalm 23,1";
    QTest::newRow("quoted reference") << "Heslo bez uvozovek."
                                      << "\"Žalm 23,1\"";
    QTest::newRow("a quote at the start only") << "\"Jen na začátku."
                                               << "Žalm 23,1";
}

// A month's watchword and its reference show in the view as the publisher printed them.
void ReadbackTest::quotedWatchwordReadsBack() {
    QFETCH(QString, line);
    QFETCH(QString, reference);
    QByteArray file = yearfixtures::losfile();
    const QByteArray month = "<MONTH m=\"3\"><TL>Heslo měsíce</TL><S b=\"Ž\" ch=\"23\" v=\"1\"/>";
    const qsizetype at = file.indexOf(month);
    QVERIFY(at >= 0);
    file.replace(at, file.indexOf("</MONTH>", at) - at,
                 month + "<L>" + line.toUtf8() + "</L><SL>" + reference.toUtf8() + "</SL>");
    const yearimport::Result r = yearimport::convert(file, references::Books{});
    QVERIFY(!r.fatal());
    const ProfileSection s = ProfileText(r.files.periodic).readSection(QStringLiteral("mesic 3"));
    const auto shown = [](const QString &rtf) {
        return rtf::plainText(daypage::pageBytes(cp1250::fromUnicode(rtf)));
    };
    QCOMPARE(shown(s.readString(QStringLiteral("Text"), {})), line);
    QCOMPARE(shown(s.readString(QStringLiteral("Odkaz"), {})), reference);
}

void ReadbackTest::quotedTableReadingIsRefused_data() {
    QTest::addColumn<QByteArray>("reading");
    QTest::addColumn<bool>("refused");
    QTest::newRow("plain") << QByteArray("gn 1 1 5") << false;
    QTest::newRow("quotes inside") << QByteArray("gn \"1\" 1 \"5\"") << false;
    QTest::newRow("single quotes") << QByteArray("'gn 1 1 5'") << true;
    QTest::newRow("double quotes") << QByteArray("\"\"\"gn 1 1 5\"\"\"") << true;
}

// A reading of the table goes into the index as it stands; one that would read back without its
// quotes is refused on its line.
void ReadbackTest::quotedTableReadingIsRefused() {
    QFETCH(QByteArray, reading);
    QFETCH(bool, refused);
    QByteArray table = "datum,heslo,heslo_odkaz,text,text_odkaz,perikopa\n";
    for (QDate d(2026, 1, 1); d.year() == 2026; d = d.addDays(1))
        table += d.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + ",Slovo.,,Text.,," +
                 (d.dayOfYear() == 3 ? reading : QByteArray("gn 1 1 5")) + "\n";
    const yearimport::Result r = yearimport::convert(table, references::Books{});
    QCOMPARE(r.fatal(), refused);
    if (refused) {
        QCOMPARE(r.problems.size(), 1);
        QVERIFY2(yearimport::problemText(r.problems[0]).startsWith(u"řádek 4: sloupec perikopa: odkaz „"),
                 qPrintable(yearimport::problemText(r.problems[0])));
        return;
    }
    const QString read = ProfileText(r.files.readings)
                             .readSection(QStringLiteral("3.1.2026"))
                             .readString(QStringLiteral("Perikopa"), {});
    QCOMPARE(read, QString::fromLatin1(reading));
}

QTEST_GUILESS_MAIN(ReadbackTest)
#include "readback_test.moc"
