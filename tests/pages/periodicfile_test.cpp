// The week, month and year views of a year that has its watchwords in Hesla<year>.sj (an imported
// year), beside 2025's built-in lists and a year without watchwords; and an import of the loaded
// year shows its new pages.
#include "import/yearimport.h"
#include "pages/dayview.h"
#include "pages/periodic.h"
#include "pages/yearfiles.h"
#include "platform/cp1250.h"
#include "recordingsink.h"
#include "testenv.h"
#include "yearfixtures.h"

#include <QTest>

using View = DayView::View;

namespace {

struct Fixture {
    QTemporaryDir program, user;
    RecordingMessageSink sink;
    AppContext state;
    Fixture() {
        state.ProgramDir = program.path() + QLatin1Char('/');
        state.UserDataDir = user.path() + QLatin1Char('/');
        state.messages = &sink;
        for (int year : {2025, 2026})
            writeBytes(state.ProgramDir + QStringLiteral("Kerla%1.rtf").arg(year),
                       QByteArray("Den\r\n").repeated(372));
    }
    // Imports a year into the user's folder, as the menu does.
    void import(const QByteArray &bytes) {
        const yearimport::Result r =
            yearimport::convert(bytes, references::booksIn(QStringLiteral(KERLA_BIN_DIR "/")));
        QVERIFY(!r.fatal());
        yearimport::install(r.files, yearfiles::importFolder(state));
    }
};

QByteArray cp(const QString &text) {
    return cp1250::fromUnicode(text);
}

} // namespace

class PeriodicFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importedYearViews_data();
    void importedYearViews();
    void builtInListsAndYearsWithout();
    void weekWithoutWatchwordShowsTheDayPage();
    void importOfTheLoadedYearShowsItsNewPages();
};

void PeriodicFileTest::importedYearViews_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("view");
    QTest::addColumn<QByteArray>("page");
    const QByteArray sunday1 = cp(QStringLiteral("\\i Apoštol píše:\\i0  Vymyšlené heslo týdne 1."));
    QTest::newRow("week 1, 1 January a Thursday")
        << QDate(2026, 1, 1) << int(View::Week)
        << periodic::weekPage(cp(QStringLiteral("Vymyšlené heslo nového roku.")),
                              cp(QStringLiteral("Kazatel 3,1")));
    QTest::newRow("week 2 begins on the first Sunday")
        << QDate(2026, 1, 4) << int(View::Week)
        << periodic::weekPage(sunday1, cp(QStringLiteral("Efezským 5,1")));
    QTest::newRow("Saturday of week 2") << QDate(2026, 1, 10) << int(View::Week)
                                        << periodic::weekPage(sunday1, cp(QStringLiteral("Efezským 5,1")));
    // the month's page is bold throughout: its bold word is written as the rest, so that the text
    // after it and the reference stay bold
    QTest::newRow("December") << QDate(2026, 12, 24) << int(View::Month)
                              << periodic::monthPage(
                                     cp(QStringLiteral("Vymyšlené heslo 12. měsíce s důrazem.")),
                                     cp(QStringLiteral("Žalm 32,1")));
    QTest::newRow("the year")
        << QDate(2026, 6, 1) << int(View::Year)
        << periodic::yearPage(
               cp(QStringLiteral(
                   "\\i Ukázka praví:\\i0  Vymyšlené heslo roku 2026, rozdělené do dvou řádků.")),
               cp(QStringLiteral("Jan 1,5")));
}

// The same pages as 2025's built-in lists give, with the year's own watchwords.
void PeriodicFileTest::importedYearViews() {
    QFETCH(QDate, date);
    QFETCH(int, view);
    QFETCH(QByteArray, page);
    Fixture f;
    f.import(yearfixtures::losfile());
    DayView dayView(f.state);
    dayView.setDate(date);
    const std::optional<QByteArray> shown = dayView.composePeriodicPage(View(view));
    QVERIFY(shown);
    QCOMPARE(*shown, page);
    QCOMPARE(readBytes(f.state.dayPagePath()), page);
    QCOMPARE(dayView.view(), View(view));
    QCOMPARE(dayView.watchwordYear(), 2026);
}

void PeriodicFileTest::builtInListsAndYearsWithout() {
    Fixture f;
    DayView dayView(f.state);
    dayView.setDate(QDate(2025, 3, 9));
    QCOMPARE(dayView.composePeriodicPage(View::Week), periodic::weekPageFor(QDate(2025, 3, 9)));
    QCOMPARE(dayView.watchwordYear(), 2025);
    // 2025 imported from a file without week, month and year watchwords keeps the built-in lists
    f.import(yearfixtures::freeXml(2025));
    QCOMPARE(dayView.composePeriodicPage(View::Month), periodic::monthPageFor(3));
    // a year without watchwords has no such page; the caller shows the day page
    dayView.setDate(QDate(2026, 3, 9));
    QVERIFY(!dayView.composePeriodicPage(View::Year));
    QCOMPARE(dayView.watchwordYear(), 2025);
    QCOMPARE(dayView.view(), View::Month);
}

void PeriodicFileTest::weekWithoutWatchwordShowsTheDayPage() {
    Fixture f;
    f.import(yearfixtures::losfile());
    const QString file = yearfiles::periodicFile(f.state, 2026);
    QByteArray bytes = readBytes(file);
    bytes.replace("[tyden 10]", "[tyden 99]");
    QVERIFY(writeBytes(file, bytes));
    DayView dayView(f.state);
    dayView.setDate(QDate(2026, 3, 3)); // week 10
    QVERIFY(!dayView.composePeriodicPage(View::Week));
    QVERIFY(dayView.composePeriodicPage(View::Month));
}

void PeriodicFileTest::importOfTheLoadedYearShowsItsNewPages() {
    Fixture f;
    DayView dayView(f.state);
    dayView.setDate(QDate(2026, 1, 2));
    QCOMPARE(dayView.composeDayPage(), QByteArray("{\\rtf1\\ansi Den}\r\n"));
    f.import(yearfixtures::freeXml(2026));
    QCOMPARE(dayView.composeDayPage(), QByteArray("{\\rtf1\\ansi Den}\r\n")); // the loaded year's lines
    dayView.forgetYear(2026);
    QVERIFY(dayView.composeDayPage().contains(cp(yearfixtures::watchwordText(QDate(2026, 1, 2)))));
}

QTEST_GUILESS_MAIN(PeriodicFileTest)
#include "periodicfile_test.moc"
