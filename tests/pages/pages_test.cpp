#include "faultshim.h"
#include "pages/dates.h"
#include "pages/daypage.h"
#include "pages/dayview.h"
#include "pages/periodic.h"
#include "pages/periodiclists.h"
#include "platform/cp1250.h"
#include "recordingsink.h"
#include "testenv.h"

#include <QFile>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

namespace {

// A year file whose line n reads "L<n>"; `lines` of them.
QByteArray yearFile(int lines) {
    QByteArray all;
    for (int i = 0; i < lines; ++i)
        all += "L" + QByteArray::number(i) + "\r\n";
    return all;
}

struct Fixture {
    QTemporaryDir program, user;
    AppContext state;
    ViewDate viewDate;
    DailyStore dailyStore;
    bool unwritable = false; // the last write of KERLA.TMP failed
    QByteArray compose() { return daypage::ComposeDayPage(state, viewDate, dailyStore, unwritable); }
    Fixture() {
        state.ProgramDir = program.path() + QLatin1Char('/');
        state.UserDataDir = user.path() + QLatin1Char('/');
    }
    void setDate(int y, int m, int d) { SetViewDate(viewDate, y, m, d); }
    QByteArray page() const { return readBytes(state.dayPagePath()); }
};

} // namespace

class PagesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::system()); }
    void lineNumbers_data();
    void lineNumbers();
    void dayPageBytes();
    void emptyLineGivesEmptyPage();
    void substitutePageBytes();
    void missingYearKeepsLoadedYear();
    void yearIsLoadedOncePerChange();
    void unreadableYearFileRetriesNextTime();
    void shortYearFileRaisesIndexError();
    void unsetDateRaisesIndexError();
    void unwritablePageIsReportedOnceAndKeptInMemory();
    void readingsFromTheIndex();
    void sectionDateIgnoresLocale();
    void weekNumber_data();
    void weekNumber();
    void periodicPageBytes();
    void periodicEntries_data();
    void periodicEntries();
    void listsHaveTheirShapes();
    void dayViewTellsOnlyChanges();
    void dayViewPeriodicPagesOnlyIn2025_data();
    void dayViewPeriodicPagesOnlyIn2025();
};

void PagesTest::lineNumbers_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("line");
    QTest::newRow("1 January") << 2025 << 1 << 1 << 0;
    QTest::newRow("29 February") << 2024 << 2 << 29 << 59;
    QTest::newRow("1 March, leap year") << 2024 << 3 << 1 << 62;
    QTest::newRow("1 March") << 2025 << 3 << 1 << 62;
    QTest::newRow("31 December") << 2025 << 12 << 31 << 371;
}

void PagesTest::lineNumbers() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, line);
    Fixture f;
    QVERIFY(writeBytes(daypage::yearFilePath(f.state.ProgramDir, uint16_t(year)), yearFile(372)));
    f.setDate(year, month, day);
    QCOMPARE(daypage::lineNumber(f.viewDate), line);
    f.compose();
    QCOMPARE(f.page(), "{\\rtf1\\ansi L" + QByteArray::number(line) + "}\r\n");
}

void PagesTest::dayPageBytes() {
    Fixture f;
    QVERIFY(writeBytes(f.state.ProgramDir + "Kerla2025.rtf", "\\b St\xf8\x65\x64\x61\\b0 \\par text\r\n"));
    f.setDate(2025, 1, 1);
    f.compose();
    QCOMPARE(f.page(), QByteArray("{\\rtf1\\ansi \\b St\xf8\x65\x64\x61\\b0 \\par text}\r\n"));
    QCOMPARE(f.dailyStore.LoadedYear, uint16_t(2025));
}

void PagesTest::emptyLineGivesEmptyPage() {
    Fixture f;
    QVERIFY(writeBytes(f.state.ProgramDir + "Kerla2025.rtf", "a\r\n\r\nc\r\n"));
    f.setDate(2025, 1, 2);
    f.compose();
    QCOMPARE(f.page(), QByteArray("{\\rtf1\\ansi }\r\n"));
}

void PagesTest::substitutePageBytes() {
    Fixture f;
    f.setDate(2026, 3, 7);
    f.compose();
    const QString date = shortDateText(QDate(2026, 3, 7));
    const QByteArray expected =
        "{\\rtf1\\ansi \\par\\par\\b\\qc Data na " + cp1250::fromUnicode(date) +
        " nebyla nalezena! \\par\\par\\plain Nejnov\xec\x6a\x9a\xed data neleznete na internetu na adrese: "
        "\\par\\b "
        "www.example.org/kerla \\par\\plain Nebo pi\x9a\x74\x65 na adresu: \\par\\b kerla@example.org}\r\n";
    QCOMPARE(f.page(), expected);
    QCOMPARE(f.dailyStore.LoadedYear, uint16_t(0));
}

void PagesTest::missingYearKeepsLoadedYear() {
    Fixture f;
    QVERIFY(writeBytes(f.state.ProgramDir + "Kerla2025.rtf", yearFile(372)));
    f.setDate(2025, 12, 31);
    f.compose();
    DayForward(f.viewDate); // 2026 has no file
    f.compose();
    QVERIFY(f.page().contains("Data na "));
    QCOMPARE(f.dailyStore.LoadedYear, uint16_t(2025));
    // Back in the loaded year the file is not read again: change it on disk to prove it.
    QVERIFY(writeBytes(f.state.ProgramDir + "Kerla2025.rtf", "changed\r\n"));
    DayBack(f.viewDate);
    f.compose();
    QCOMPARE(f.page(), QByteArray("{\\rtf1\\ansi L371}\r\n"));
}

void PagesTest::yearIsLoadedOncePerChange() {
    Fixture f;
    QVERIFY(writeBytes(f.state.ProgramDir + "Kerla2025.rtf", yearFile(372)));
    QVERIFY(writeBytes(f.state.ProgramDir + "Kerla2026.rtf", "Y0\r\n"));
    f.setDate(2025, 12, 31);
    f.compose();
    DayForward(f.viewDate);
    f.compose();
    QCOMPARE(f.page(), QByteArray("{\\rtf1\\ansi Y0}\r\n"));
    QCOMPARE(f.dailyStore.LoadedYear, uint16_t(2026));
    QCOMPARE(f.dailyStore.lineCount(), 1);
    DayBack(f.viewDate); // only one year is kept: 2025 is loaded again
    f.compose();
    QCOMPARE(f.dailyStore.LoadedYear, uint16_t(2025));
    QCOMPARE(f.dailyStore.lineCount(), 372);
}

void PagesTest::unreadableYearFileRetriesNextTime() {
    Fixture f;
    const QString path = f.state.ProgramDir + "Kerla2025.rtf";
    QVERIFY(writeBytes(path, yearFile(372)));
    faultshim::Scope unreadable;
    faultshim::refuseOpen(QFile::encodeName(path));
    f.setDate(2025, 1, 1);
    try {
        f.compose();
        QFAIL("an empty store must raise the index error");
    } catch (const KerlaError &e) {
        QCOMPARE(e.message(), QStringLiteral("List index out of bounds (0)"));
    }
    QCOMPARE(f.dailyStore.LoadedYear, uint16_t(3000));
    faultshim::reset();
    f.compose();
    QCOMPARE(f.dailyStore.LoadedYear, uint16_t(2025));
    QCOMPARE(f.page(), QByteArray("{\\rtf1\\ansi L0}\r\n"));
}

void PagesTest::shortYearFileRaisesIndexError() {
    Fixture f;
    QVERIFY(writeBytes(f.state.ProgramDir + "Kerla2025.rtf", yearFile(60)));
    f.setDate(2025, 1, 1);
    f.compose();
    f.setDate(2025, 3, 1);
    try {
        f.compose();
        QFAIL("no error raised");
    } catch (const KerlaError &e) {
        QCOMPARE(e.message(), QStringLiteral("List index out of bounds (62)"));
    }
    // The page file keeps the previous page.
    QCOMPARE(f.page(), QByteArray("{\\rtf1\\ansi L0}\r\n"));
}

void PagesTest::unsetDateRaisesIndexError() {
    Fixture f;
    QVERIFY(writeBytes(f.state.ProgramDir + "Kerla0.rtf", yearFile(372)));
    QCOMPARE(DaysInMonth(0, 2025), uint8_t(0));
    QCOMPARE(DaysInMonth(13, 2025), uint8_t(0));
    QCOMPARE(daypage::lineNumber(ViewDate{}), -1);
    // A shown date that was never set (year, month and day 0) names no line.
    QVERIFY_THROWS_EXCEPTION(KerlaError, f.compose());
}

void PagesTest::unwritablePageIsReportedOnceAndKeptInMemory() {
    Fixture f;
    RecordingMessageSink sink;
    f.state.messages = &sink;
    QVERIFY(writeBytes(f.state.ProgramDir + "Kerla2025.rtf", yearFile(372)));
    faultshim::Scope scope;
    faultshim::refuseChanges(QFile::encodeName(f.state.UserDataDir));
    f.setDate(2025, 1, 2);
    QCOMPARE(f.compose(), QByteArray("{\\rtf1\\ansi L1}\r\n"));
    QCOMPARE(sink.errors, QStringList{QStringLiteral("Unable to write to ") + f.state.dayPagePath()});
    DayForward(f.viewDate);
    QCOMPARE(f.compose(), QByteArray("{\\rtf1\\ansi L2}\r\n"));
    QCOMPARE(sink.errors.size(), 1); // browsing on does not repeat the message
    faultshim::reset();
    f.compose();
    QCOMPARE(f.page(), QByteArray("{\\rtf1\\ansi L2}\r\n"));
    faultshim::refuseChanges(QFile::encodeName(f.state.UserDataDir), ENOSPC);
    f.compose();
    QCOMPARE(sink.errors.size(), 2); // a new failure after a write that went through is reported
}

void PagesTest::readingsFromTheIndex() {
    Fixture f;
    QVERIFY(writeBytes(
        f.state.ProgramDir + "Cteni2026.sj",
        "[6.12.2026]\r\nCteni1=gn 1 1 5\r\n[7.12.2026]\r\ncteni1 = 1j 4 7 21 \r\nCTENI3=zl 1 1 6\r\n"
        "Perikopa=mt 5 1 12\r\n"));
    f.setDate(2026, 12, 7);
    const DayReadings r = daypage::readDayReadings(f.state, f.viewDate);
    QCOMPARE(r.first, QStringLiteral("1j 4 7 21"));
    QCOMPARE(r.second, QString());
    QCOMPARE(r.third, QStringLiteral("zl 1 1 6"));
    QCOMPARE(r.pericope, QStringLiteral("mt 5 1 12"));
    f.setDate(2026, 12, 8);
    QCOMPARE(daypage::readDayReadings(f.state, f.viewDate).first, QString());
    f.setDate(2027, 12, 7); // no index for the year
    QCOMPARE(daypage::readDayReadings(f.state, f.viewDate).first, QString());
}

void PagesTest::sectionDateIgnoresLocale() {
    ViewDate v;
    SetViewDate(v, 2026, 12, 7);
    QCOMPARE(sectionDateText(v), QStringLiteral("7.12.2026"));
    SetViewDate(v, 2025, 1, 5);
    QCOMPARE(sectionDateText(v), QStringLiteral("5.1.2025"));
}

void PagesTest::weekNumber_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("week");
    QTest::newRow("1.1.2025") << QDate(2025, 1, 1) << 1;
    QTest::newRow("4.1.2025") << QDate(2025, 1, 4) << 1;
    QTest::newRow("5.1.2025") << QDate(2025, 1, 5) << 2;
    QTest::newRow("27.12.2025") << QDate(2025, 12, 27) << 52;
    QTest::newRow("28.12.2025") << QDate(2025, 12, 28) << 53;
    QTest::newRow("31.12.2025") << QDate(2025, 12, 31) << 53;
    QTest::newRow("31.12.2028 leap from Saturday") << QDate(2028, 12, 31) << 54;
    QTest::newRow("31.12.2023 from Sunday") << QDate(2023, 12, 31) << 53;
    QTest::newRow("1.1.2023") << QDate(2023, 1, 1) << 1;
    QTest::newRow("7.1.2023") << QDate(2023, 1, 7) << 1;
    QTest::newRow("8.1.2023") << QDate(2023, 1, 8) << 2;
    QTest::newRow("1.1.2022 Saturday") << QDate(2022, 1, 1) << 1;
    QTest::newRow("2.1.2022 Sunday") << QDate(2022, 1, 2) << 2;
}

void PagesTest::weekNumber() {
    QFETCH(QDate, date);
    QFETCH(int, week);
    QCOMPARE(int(periodic::WeekNumber(date)), week);
}

void PagesTest::periodicPageBytes() {
    QCOMPARE(periodic::weekPage("T", "R"),
             QByteArray("{\\rtf1\\ansi \\b\\qc KERLO T\xdd\x44NE \\par\\par\\ql T \\par \\i\\qr R "
                        "\\plain\\par\r\n}\r\n"));
    QCOMPARE(periodic::monthPage("T", "R"),
             QByteArray("{\\rtf1\\ansi \\b\\qc KERLO M\xccS\xcd\x43\x45 \\par\\par\\ql T \\par \\i\\qr R "
                        "\\plain\\par\r\n}\r\n"));
    // The year page has no line end before the closing brace.
    QCOMPARE(
        periodic::yearPage("T", "R"),
        QByteArray("{\\rtf1\\ansi \\b\\qc KERLO ROKU \\par\\par\\ql T \\par \\i\\qr R \\plain\\par}\r\n"));
}

void PagesTest::periodicEntries_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("textLine");
    QTest::addColumn<int>("referenceLine");
    QTest::newRow("1 January: week 1") << QDate(2025, 1, 1) << 1 << 54;
    QTest::newRow("5 January: week 2") << QDate(2025, 1, 5) << 2 << 55;
    QTest::newRow("28 December: week 53") << QDate(2025, 12, 28) << 53 << 106;
}

void PagesTest::periodicEntries() {
    QFETCH(QDate, date);
    QFETCH(int, textLine);
    QFETCH(int, referenceLine);
    const auto &tyden = periodiclists::tyden();
    QCOMPARE(periodic::weekPageFor(date), periodic::weekPage(tyden.at(textLine), tyden.at(referenceLine)));
    const auto &mesic = periodiclists::mesic();
    QCOMPARE(periodic::monthPageFor(12), periodic::monthPage(mesic.at(12), mesic.at(24)));
    QCOMPARE(periodic::monthPageFor(1), periodic::monthPage(mesic.at(1), mesic.at(13)));
    const auto &rok = periodiclists::rok();
    QCOMPARE(periodic::yearPageFor(), periodic::yearPage(rok.at(1), rok.at(2)));
}

void PagesTest::listsHaveTheirShapes() {
    struct Shape {
        const QList<QByteArray> &list;
        const char *name;
        int entries, lines;
    };
    const Shape shapes[] = {{periodiclists::tyden(), "tyden", 53, 108},
                            {periodiclists::mesic(), "mesic", 12, 26},
                            {periodiclists::rok(), "rok", 1, 3}};
    for (const Shape &s : shapes) {
        QCOMPARE(s.list.size(), s.lines);
        QCOMPARE(s.list.at(0), QByteArray(s.name));
        for (int k = 1; k <= s.entries; ++k) {
            const QByteArray text = s.list.at(k), reference = s.list.at(k + s.entries);
            QVERIFY2(!text.isEmpty() && !reference.isEmpty(), s.name);
            QVERIFY(!text.contains('{') && !text.contains('}') && !text.contains('\\'));
            QVERIFY(!text.contains('\r') && !text.contains('\n'));
            QVERIFY2(reference.contains(", "), reference.constData());
        }
    }
}

void PagesTest::dayViewTellsOnlyChanges() {
    Fixture f;
    f.state.clock.now = [] { return QDateTime(QDate(2025, 12, 31), QTime(9, 0)); };
    QVERIFY(writeBytes(f.state.ProgramDir + "Kerla2025.rtf", yearFile(372)));
    QVERIFY(writeBytes(f.state.ProgramDir + "Cteni2025.sj", "[31.12.2025]\r\nCteni2=tb 1 1 2\r\n"));
    DayView view(f.state);
    QCOMPARE(view.shownDate(), QDate(2025, 12, 31));
    QSignalSpy dates(&view, &DayView::dateChanged);
    QSignalSpy views(&view, &DayView::viewChanged);

    view.setToday(); // already today: nothing to tell
    view.step([](ViewDate &) {});
    view.setDate(QDate(2025, 12, 31));
    QCOMPARE(dates.size(), 0);
    QCOMPARE(view.composeDayPage(), daypage::pageBytes("L371"));
    QCOMPARE(view.readings().second, QStringLiteral("tb 1 1 2"));
    QCOMPARE(f.page(), daypage::pageBytes("L371"));
    QCOMPARE(views.size(), 0); // the day view is where it starts
    QCOMPARE(view.store().LoadedYear, uint16_t(2025));

    view.step(DayBack);
    view.setDate(QDate(1800, 1, 1)); // kept within the calendar's span
    QCOMPARE(dates.size(), 2);
    QCOMPARE(dates.at(0).at(0).toDate(), QDate(2025, 12, 30));
    QCOMPARE(dates.at(1).at(0).toDate(), QDate(1901, 1, 1));
    QCOMPARE(view.shownDate(), QDate(1901, 1, 1));

    // A page that cannot be built (a short year file) leaves no readings of the day before.
    view.setDate(QDate(2025, 12, 31));
    view.composeDayPage();
    QCOMPARE(view.readings().second, QStringLiteral("tb 1 1 2"));
    QVERIFY(writeBytes(f.state.ProgramDir + "Kerla2024.rtf", "a\r\n"));
    view.setDate(QDate(2024, 12, 31));
    QVERIFY_THROWS_EXCEPTION(KerlaError, view.composeDayPage());
    QVERIFY(view.readings().second.isEmpty());
}

void PagesTest::dayViewPeriodicPagesOnlyIn2025_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("view");
    QTest::addColumn<QByteArray>("page"); // empty: no page of that view
    QTest::newRow("week") << QDate(2025, 1, 5) << int(DayView::View::Week)
                          << periodic::weekPageFor(QDate(2025, 1, 5));
    QTest::newRow("month") << QDate(2025, 3, 9) << int(DayView::View::Month) << periodic::monthPageFor(3);
    QTest::newRow("year") << QDate(2025, 7, 3) << int(DayView::View::Year) << periodic::yearPageFor();
    QTest::newRow("week of 2026") << QDate(2026, 1, 5) << int(DayView::View::Week) << QByteArray();
    QTest::newRow("day is no periodic view") << QDate(2025, 1, 5) << int(DayView::View::Day) << QByteArray();
}

void PagesTest::dayViewPeriodicPagesOnlyIn2025() {
    QFETCH(QDate, date);
    QFETCH(int, view);
    QFETCH(QByteArray, page);
    Fixture f;
    DayView dayView(f.state);
    dayView.setDate(date);
    QSignalSpy views(&dayView, &DayView::viewChanged);
    QCOMPARE(dayView.composePeriodicPage(DayView::View(view)).value_or(QByteArray()), page);
    QCOMPARE(f.page(), page);
    QCOMPARE(dayView.view(), page.isEmpty() ? DayView::View::Day : DayView::View(view));
    QCOMPARE(views.size(), page.isEmpty() ? 0 : 1);
}

QTEST_GUILESS_MAIN(PagesTest)
#include "pages_test.moc"
