// A year's data in: the publisher's two formats and our table through convert, the bad files it
// refuses, the check and the install that replaces a year's files together.
#include "faultshim.h"
#include "import/xmltree.h"
#include "import/yearimport.h"
#include "pages/dates.h"
#include "pages/daypage.h"
#include "platform/cp1250.h"
#include "platform/profile.h"
#include "platform/rtftext.h"
#include "testenv.h"
#include "yearfixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

namespace {

const references::Books &books() {
    static const references::Books b = references::booksIn(QStringLiteral(KERLA_BIN_DIR "/"));
    return b;
}

// A day's page as the program shows its text.
QString pageText(const yearimport::Files &files, const QDate &date) {
    const QList<QByteArray> lines = textfile::splitLines(files.pages);
    const int n =
        daypage::lineNumber(ViewDate{uint16_t(date.year()), uint8_t(date.month()), uint8_t(date.day())});
    return rtf::plainText(daypage::pageBytes(lines.value(n)));
}

QString problems(const yearimport::Result &r) {
    QStringList out;
    for (const yeartext::Problem &p : r.problems)
        out.append(yearimport::problemText(p));
    return out.join(u'\n');
}

QString entry(const QByteArray &file, const QString &section, const char *key) {
    return ProfileText(file).readSection(section).readString(QLatin1String(key), {});
}

} // namespace

class ImportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void losfileYear();
    void losfileWeeks_data();
    void losfileWeeks();
    void freeXmlYear();
    void tableYear();
    void badFiles_data();
    void badFiles();
    void entitiesAreNeverExpanded_data();
    void entitiesAreNeverExpanded();
    void unconvertedReadingIsReported();
    void deterministicAndBounded();
    void checkCountsTheReadingsThatCut();
    void installReplacesTogether();
    void failedInstallLeavesTheYear();
};

// Every element of the LOSFILE on its day's page, word for word, and every reading in the index.
void ImportTest::losfileYear() {
    const yearimport::Result r = yearimport::convert(yearfixtures::losfile(), books());
    QVERIFY2(r.problems.isEmpty(), qPrintable(problems(r)));
    QCOMPARE(r.files.year, 2026);
    QCOMPARE(r.files.format, QStringLiteral("LOSFILE"));
    QCOMPARE(r.files.days, 365);
    const QDate sunday(2026, 3, 15); // a Sunday with commemorations
    const QString page = pageText(r.files, sunday);
    const QStringList expected = {
        QStringLiteral("Ukázkový den 15. 3."),
        yearfixtures::sundayName(sunday),
        QStringLiteral("Apoštol píše: Vymyšlené heslo týdne 11."),
        QStringLiteral("Efezským 5,11"),
        yearfixtures::watchwordText(sunday),
        yearfixtures::watchwordReference(sunday),
        yearfixtures::teachingText(sunday) +
            QStringLiteral(" A zdůrazněné i skloněné slovo → ŭ 🙂."),
        yearfixtures::teachingReference(sunday),
        QStringLiteral("První řádek ukázkové sloky,\ndruhý řádek sloky.\n\nDruhá sloka jedním řádkem."),
        QStringLiteral("1623 ukázková vzpomínka na 15. 3.\n1722 druhá vymyšlená vzpomínka"),
        QStringLiteral("Průběžné čtení: "),
        QStringLiteral("Bible za rok: 1.Mojžíšova 1,1-5; 2,1"),
        QStringLiteral("Evangelium: Matouš 5,1-12"),
        QStringLiteral("Text kázání: Marek 4,26-29"),
        QStringLiteral("Žalm: Žalm 119,89-104"),
        QStringLiteral("Starý zákon (2. řada): Ámos 8,11-12"),
    };
    for (const QString &text : expected)
        QVERIFY2(page.contains(text), qPrintable(text + QStringLiteral("\n---\n") + page));
    // what code page 1250 cannot hold is kept as an escape
    QVERIFY(r.files.pages.contains("\\u8594?"));
    QVERIFY(r.files.pages.contains("\\u-10179?\\u-8638?")); // U+1F642 as its two halves
    // the introduction is italic, the emphasis bold and italic
    QVERIFY(r.files.pages.contains("\\i Prorok \xf8\x65kl:\\i0 "));
    QVERIFY(r.files.pages.contains("\\b zd\xf9razn\xec\x6e\xe9\\b0 "));
    // the index: the four readings of a Sunday, the two of a weekday
    int n = 0;
    for (QDate d(2026, 1, 1); d.year() == 2026; d = d.addDays(1), ++n) {
        const QString section = sectionDateText(d);
        QCOMPARE(
            entry(r.files.readings, section, "Cteni1"),
            QString::fromUtf8(yearfixtures::readingShapes()[n % yearfixtures::readingShapes().size()].index));
        QCOMPARE(entry(r.files.readings, section, "Cteni2"), QStringLiteral("gn 1 1 2 1"));
        const bool isSunday = d.dayOfWeek() == Qt::Sunday;
        QCOMPARE(entry(r.files.readings, section, "Cteni3"),
                 isSunday ? QStringLiteral("mk 4 26 29") : QString());
        QCOMPARE(entry(r.files.readings, section, "Perikopa"),
                 isSunday ? QStringLiteral("mt 5 1 12") : QString());
    }
    QCOMPARE(r.files.references, 365 * 2 + 52 * 2);
    // the year's and the months' watchwords
    QCOMPARE(entry(r.files.periodic, QStringLiteral("rok"), "Text"),
             QStringLiteral("\\i Ukázka praví:\\i0  Vymyšlené heslo roku 2026, rozdělené do dvou řádků."));
    QCOMPARE(entry(r.files.periodic, QStringLiteral("mesic 12"), "Odkaz"), QStringLiteral("Žalm 32,1"));
}

void ImportTest::losfileWeeks_data() {
    QTest::addColumn<int>("week");
    QTest::addColumn<QString>("text");
    // 2026 begins on a Thursday: week 1 has New Year's watchword, week 2 the first Sunday's.
    QTest::newRow("week 1: the feast of 1 January") << 1 << "Vymyšlené heslo nového roku.";
    QTest::newRow("week 2: the Sunday that begins it")
        << 2 << "\\i Apoštol píše:\\i0  Vymyšlené heslo týdne 1.";
    QTest::newRow("a WEEK of the file") << 24 << "Vymyšlené heslo jednoho týdne.";
    QTest::newRow("the last week") << 53 << "\\i Apoštol píše:\\i0  Vymyšlené heslo týdne 52.";
}

// Week k has the watchword of the Sunday that begins it, in the views' Sunday-based weeks.
void ImportTest::losfileWeeks() {
    QFETCH(int, week);
    QFETCH(QString, text);
    const yearimport::Result r = yearimport::convert(yearfixtures::losfile(), books());
    QCOMPARE(entry(r.files.periodic, QStringLiteral("tyden %1").arg(week), "Text"), text);
}

void ImportTest::freeXmlYear() {
    const yearimport::Result r = yearimport::convert(yearfixtures::freeXml(2027), books());
    QVERIFY2(r.problems.isEmpty(), qPrintable(problems(r)));
    QCOMPARE(r.files.format, QStringLiteral("FreeXml"));
    QCOMPARE(r.files.days, 365);
    QVERIFY(r.files.readings.isEmpty());
    QVERIFY(r.files.periodic.isEmpty());
    const QDate d(2027, 1, 3); // a Sunday, a day with an introduction
    const QString page = pageText(r.files, d);
    for (const QString &text :
         {QStringLiteral("Neděle 3. 1. 2027"), yearfixtures::sundayName(d),
          QStringLiteral("Prorok řekl: ") + yearfixtures::watchwordText(d) + QStringLiteral(" pevné"),
          yearfixtures::watchwordReference(d), yearfixtures::teachingText(d),
          yearfixtures::teachingReference(d)})
        QVERIFY2(page.contains(text), qPrintable(text + QStringLiteral("\n---\n") + page));
    QVERIFY(!page.contains(u'#'));
    QVERIFY(!page.contains(u'/'));
    const QList<QByteArray> lines = textfile::splitLines(r.files.pages);
    QVERIFY(lines[2].contains("\\i Prorok \xf8\x65kl:\\i0 "));
    QVERIFY(lines[2].contains("\\b pevn\xe9\\b0 "));
}

void ImportTest::tableYear() {
    const QByteArray table = readBytes(QStringLiteral(KERLA_TESTS_DIR "/data/example-2028.csv"));
    const yearimport::Result r = yearimport::convert(table, books());
    QVERIFY2(!r.fatal(), qPrintable(problems(r)));
    QCOMPARE(r.files.format, QStringLiteral("CSV"));
    QCOMPARE(r.files.days, 366);
    QByteArray tsv = "datum\theslo\theslo_odkaz\ttext\ttext_odkaz\tcteni1\n";
    for (QDate d(2029, 1, 1); d.year() == 2029; d = d.addDays(1))
        tsv += d.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() +
               "\tSlovo.\tUk\xc3\xa1zka 1, 1\tText.\tUk\xc3\xa1zka 2, 2\tgn 1 1 5\n";
    const yearimport::Result t = yearimport::convert(tsv, books());
    QVERIFY2(!t.fatal(), qPrintable(problems(t)));
    QCOMPARE(t.files.format, QStringLiteral("TSV"));
    QCOMPARE(t.files.references, 365);
}

void ImportTest::badFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QByteArray unclosed = yearfixtures::losfile();
    unclosed.replace("</TL>\n    <OT>", "\n    <OT>"); // the first TL never closes
    yearfixtures::LosfileOptions doubled, missing, early, late;
    doubled.doubled = QDate(2026, 2, 28);
    missing.missing = QDate(2026, 7, 4);
    early.year = 1900;
    late.year = 2100;
    QByteArray mixedFreeXml = yearfixtures::freeXml(2027);
    mixedFreeXml.replace("<Datum>2027-12-30</Datum>", "<Datum>2028-01-01</Datum>");
    // the line and column where the unclosed TL shows: the end tag of its LOSUNG
    const qsizetype end = unclosed.indexOf("</LOSUNG>");
    const QString where = QStringLiteral("chyba XML na řádku %1, sloupci %2")
                              .arg(unclosed.left(end).count('\n') + 1)
                              .arg(end - unclosed.lastIndexOf('\n', end) + 8);
    QTest::newRow("malformed: line and column") << unclosed << where;
    QTest::newRow("another kind of XML") << QByteArray("<?xml version=\"1.0\"?><html><body/></html>")
                                         << "ne LOSFILE ani FreeXml (kořenový prvek „html“)";
    QTest::newRow("year 1900") << yearfixtures::losfile(early) << "rok 1900 není mezi 1901 a 2099";
    QTest::newRow("year 2100") << yearfixtures::losfile(late) << "rok 2100 není mezi 1901 a 2099";
    QTest::newRow("doubled day") << yearfixtures::losfile(doubled)
                                 << "28.2.2026: den 28.2.2026 je v souboru víc než jednou";
    QTest::newRow("missing day") << yearfixtures::losfile(missing)
                                 << "4.7.2026: den 4.7.2026 v souboru chybí";
    QTest::newRow("FreeXml day of another year") << mixedFreeXml << "1.1.2028: den 1.1.2028 je mimo rok 2027";
    QTest::newRow("empty file") << QByteArray() << "soubor je prázdný";
    QTest::newRow("only blanks") << QByteArray("\xEF\xBB\xBF \r\n\t ") << "soubor je prázdný";
    QTest::newRow("over 20 MB") << QByteArray(yearimport::kMaxFileSize + 1, ' ') << "větší než 20 MB";
    QTest::newRow("plain text") << QByteArray("Toto není soubor s daty roku.\n")
                                << "není LOSFILE, FreeXml ani tabulka";
    QTest::newRow("no day at all") << QByteArray("<LOSFILE year=\"2026\"></LOSFILE>")
                                   << "soubor nemá žádný den";
    QTest::newRow("table: a character beyond U+FFFF")
        << QByteArray("datum,heslo,heslo_odkaz,text,text_odkaz\n1.1.2026,Sm\xc3\xad"
                      "ch \xf0\x9f\x99\x82,,b,\n")
        << "řádek 2: sloupec heslo: znak „🙂“ (U+1F642) nelze zapsat";
    QTest::newRow("table without a day")
        << QByteArray("datum,heslo,heslo_odkaz,text,text_odkaz\n") << "tabulka nemá žádný den";
    QTest::newRow("LOSUNG on 30 February")
        << QByteArray("<LOSFILE year=\"2026\"><LOSUNG d=\"30\" m=\"2\"/></LOSFILE>")
        << "d=„30“ m=„2“, které v roce 2026 není";
    QTest::newRow("nested too deep") << QByteArray("<LOSFILE year=\"2026\">") + QByteArray("<a>").repeated(40)
                                     << "hlouběji";
}

// A bad file gives no files, only its fatal problems.
void ImportTest::badFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const yearimport::Result r = yearimport::convert(bytes, books());
    QVERIFY(r.fatal());
    QVERIFY(r.files.pages.isEmpty());
    QVERIFY2(problems(r).contains(reason), qPrintable(problems(r)));
}

void ImportTest::entitiesAreNeverExpanded_data() {
    QTest::addColumn<QByteArray>("bytes");
    QByteArray laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE LOSFILE [\n <!ENTITY lol \"lol\">\n";
    for (int i = 1; i <= 9; ++i)
        laughs += " <!ENTITY lol" + QByteArray::number(i) + " \"" +
                  QByteArray("&lol" + (i > 1 ? QByteArray::number(i - 1) : QByteArray()) + ";").repeated(10) +
                  "\">\n";
    laughs += "]>\n<LOSFILE year=\"2026\"><LOSUNG d=\"1\" m=\"1\"><TL>&lol9;</TL></LOSUNG></LOSFILE>\n";
    QTest::newRow("billion laughs") << laughs;
    QTest::newRow("one internal entity") << QByteArray("<!DOCTYPE LOSFILE [<!ENTITY x \"vlo\xc5\xbe"
                                                       "eno\">]><LOSFILE "
                                                       "year=\"2026\"><YEAR><L>&x;</L></YEAR></LOSFILE>");
    QTest::newRow("parameter entity") << QByteArray(
        "<!DOCTYPE LOSFILE [<!ENTITY % p \"<!ENTITY x 'y'>\"> %p;]><LOSFILE year=\"2026\">&x;</LOSFILE>");
    QTest::newRow("entity of a DTD that a local file holds")
        << QByteArray("<!DOCTYPE LOSFILE SYSTEM \"" KERLA_FIXTURES
                      "/import/entity.dtd\"><LOSFILE year=\"2026\"><YEAR><L>&zlo;</L></YEAR></LOSFILE>");
    QTest::newRow("entity of a DTD at a network address")
        << QByteArray("<!DOCTYPE LOSFILE PUBLIC \"-//x//y\" \"http://127.0.0.1:9/losfile.dtd\"><LOSFILE "
                      "year=\"2026\"><YEAR><L>&zlo;</L></YEAR></LOSFILE>");
    QTest::newRow("undeclared entity")
        << QByteArray("<LOSFILE year=\"2026\"><YEAR><L>&nbsp;</L></YEAR></LOSFILE>");
    // The same rules whatever the encoding: UTF-16 hides the declarations from a look at the bytes.
    const auto utf16 = [](const char *xml) {
        const QString text = QString::fromUtf8(xml);
        return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    };
    QTest::newRow("UTF-16: internal entity") << utf16(
        "<!DOCTYPE LOSFILE [<!ENTITY x \"y\">]><LOSFILE year=\"2026\"><YEAR><L>&x;</L></YEAR></LOSFILE>");
    QTest::newRow("UTF-16: a declaration in a comment of the DOCTYPE")
        << utf16("<!DOCTYPE LOSFILE [<!-- <!ENTITY x \"y\"> -->]><LOSFILE year=\"2026\"></LOSFILE>");
}

// Only the five predefined entities are ever expanded: a file that declares or uses another one is
// refused, and nothing that a DOCTYPE names is read.
void ImportTest::entitiesAreNeverExpanded() {
    QFETCH(QByteArray, bytes);
    QElapsedTimer clock;
    clock.start();
    const xmltree::Result xml = xmltree::read(bytes);
    QVERIFY(!xml.error.isEmpty());
    QVERIFY(xml.root.name.isEmpty());
    QVERIFY(yearimport::convert(bytes, books()).fatal());
    QVERIFY(clock.elapsed() < 5000);
    // a DOCTYPE that names a file or an address, with no entity used, is read without them
    const xmltree::Result plain =
        xmltree::read("<!DOCTYPE LOSFILE SYSTEM \"" KERLA_FIXTURES
                      "/import/entity.dtd\"><LOSFILE year=\"2026\">&lt;&amp;&gt;&quot;&apos;</LOSFILE>");
    QVERIFY2(plain.error.isEmpty(), qPrintable(plain.error));
    QCOMPARE(plain.root.simplifiedText(), QStringLiteral("<&>\"'"));
}

// A reading that does not cut is reported by its day, the page still shows its reference, and the
// year is written.
void ImportTest::unconvertedReadingIsReported() {
    QByteArray bytes = yearfixtures::losfile();
    const QByteArray first = "<SR><SL>Luk\xc3\xa1\xc5\xa1 3,1-6</SL></SR>";
    QVERIFY(bytes.contains(first));
    bytes.replace(bytes.indexOf(first), first.size(), "<SR><SL>Tobi\xc3\xa1\xc5\xa1 1,1-10</SL></SR>");
    const yearimport::Result r = yearimport::convert(bytes, books());
    QVERIFY(!r.fatal());
    QCOMPARE(r.problems.size(), 1);
    QCOMPARE(r.problems[0].day, QDate(2026, 1, 1));
    QVERIFY2(
        r.problems[0].reason.contains(QStringLiteral("Průběžné čtení „Tobiáš 1,1-10“: kniha „Tobiáš“ v Bibli "
                                                     "programu není")),
        qPrintable(r.problems[0].reason));
    QVERIFY(pageText(r.files, QDate(2026, 1, 1)).contains(QStringLiteral("Průběžné čtení: Tobiáš 1,1-10")));
    QCOMPARE(entry(r.files.readings, QStringLiteral("1.1.2026"), "Cteni1"), QString());
}

// The same bytes give the same files; a large file of nonsense ends soon.
void ImportTest::deterministicAndBounded() {
    const QByteArray bytes = yearfixtures::losfile();
    const yearimport::Result a = yearimport::convert(bytes, books()), b = yearimport::convert(bytes, books());
    QCOMPARE(a.files.pages, b.files.pages);
    QCOMPARE(a.files.readings, b.files.readings);
    QCOMPARE(a.files.periodic, b.files.periodic);
    QElapsedTimer clock;
    clock.start();
    QByteArray many = "<LOSFILE year=\"2026\">" + QByteArray("<LOSUNG d=\"1\" m=\"1\"/>").repeated(600000);
    QVERIFY(yearimport::convert(many, books()).fatal());
    QVERIFY(clock.elapsed() < 20000);
}

void ImportTest::checkCountsTheReadingsThatCut() {
    const yearimport::Result r = yearimport::convert(yearfixtures::losfile(), books());
    const yearimport::Check c = yearimport::check(r.files, QStringLiteral(KERLA_BIN_DIR "/"));
    QStringList found;
    for (const yeartext::Problem &p : c.problems)
        found.append(yearimport::problemText(p));
    QVERIFY2(c.problems.isEmpty(), qPrintable(found.join(u'\n')));
    QCOMPARE(c.readingsCut, r.files.references);
}

// The year's files go in together; one that the new year does not have goes, and no temporary
// file stays behind.
void ImportTest::installReplacesTogether() {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/kerla/");
    yearfixtures::LosfileOptions year2027;
    year2027.year = 2027;
    const yearimport::Result los = yearimport::convert(yearfixtures::losfile(year2027), books());
    QCOMPARE(yearimport::install(los.files, folder).size(), 3);
    QCOMPARE(readBytes(folder + "Hesla2027.sj"), los.files.periodic);
    const yearimport::Result free = yearimport::convert(yearfixtures::freeXml(2027), books());
    const QStringList written = yearimport::install(free.files, folder);
    QCOMPARE(written, QStringList{folder + QStringLiteral("Kerla2027.rtf")});
    QCOMPARE(readBytes(folder + "Kerla2027.rtf"), free.files.pages);
    QVERIFY(!QFile::exists(folder + "Cteni2027.sj"));
    QVERIFY(!QFile::exists(folder + "Hesla2027.sj"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Kerla2027.rtf")});
}

void ImportTest::failedInstallLeavesTheYear() {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/kerla/");
    const yearimport::Result old = yearimport::convert(yearfixtures::freeXml(2026), books());
    yearimport::install(old.files, folder);
    const yearimport::Result fresh = yearimport::convert(yearfixtures::losfile(), books());
    for (int bytes : {0, 1000, int(fresh.files.pages.size() + 500)}) {
        faultshim::Scope scope;
        faultshim::failWritesAfter(folder.toLocal8Bit(), bytes);
        QVERIFY_THROWS_EXCEPTION(KerlaError, yearimport::install(fresh.files, folder));
        faultshim::reset();
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Kerla2026.rtf")});
        QCOMPARE(readBytes(folder + "Kerla2026.rtf"), old.files.pages);
    }
    // The last file cannot be put in place, after the day file already was: the old one comes back.
    faultshim::Scope scope;
    faultshim::refuseChanges((folder + QStringLiteral("Hesla2026.sj")).toLocal8Bit());
    QVERIFY_THROWS_EXCEPTION(KerlaError, yearimport::install(fresh.files, folder));
    faultshim::reset();
    QCOMPARE(readBytes(folder + "Kerla2026.rtf"), old.files.pages);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Kerla2026.rtf")});
}

QTEST_GUILESS_MAIN(ImportTest)
#include "import_test.moc"
