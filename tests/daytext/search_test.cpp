// What the search looks through: a year's days and its week, month and year watchwords, and an
// index kept in step with the years the program finds, each read once and again only when its
// file changes.
#include "daytext/searchsources.h"
#include "faultshim.h"
#include "pages/periodic.h"
#include "platform/cp1250.h"
#include "testenv.h"

#include <QTest>

namespace {

// A year of day pages in the page design; each watchword names its year and folder.
void writeYear(const QString &folder, int year, const QString &word) {
    QByteArray all;
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= 31; ++day) {
            if (QDate(year, month, day).isValid())
                all += cp1250::fromUnicode(
                    QStringLiteral("\\qc\\b %1.%2.\\par\\par\\ql %3 %4\\par\\qr\\i Odkaz %1, %2")
                        .arg(day)
                        .arg(month)
                        .arg(word)
                        .arg(year));
            all += "\r\n";
        }
    QVERIFY(writeBytes(folder + QStringLiteral("Kerla%1.rtf").arg(year), all));
}

struct Folders {
    QTemporaryDir program, user;
    AppContext context;
    Folders() {
        context.ProgramDir = program.path() + u'/';
        context.UserDataDir = user.path() + u'/';
    }
};

int count(const search::Index &index, const QString &query) {
    return int(index.find(search::queryWords(query)).size());
}

} // namespace

class SearchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void periodicEntriesOf2025_data();
    void periodicEntriesOf2025();
    void otherYearsHaveNoPeriodicEntries();
    void importedYearHasItsOwnPeriodicEntries();
    void yearEntries();
    void eachYearIsReadOnce();
    void importedYearComesFirst();
    void unreadableYearIsNamedAndLeftOut();
};

void SearchTest::periodicEntriesOf2025_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("number");
    QTest::addColumn<QDate>("firstDay");
    QTest::newRow("week 1 begins on 1 January") << int(search::Kind::Week) << 1 << QDate(2025, 1, 1);
    QTest::newRow("week 2 on the first Sunday") << int(search::Kind::Week) << 2 << QDate(2025, 1, 5);
    QTest::newRow("week 53") << int(search::Kind::Week) << 53 << QDate(2025, 12, 28);
    QTest::newRow("March") << int(search::Kind::Month) << 3 << QDate(2025, 3, 1);
    QTest::newRow("the year") << int(search::Kind::Year) << 1 << QDate(2025, 1, 1);
}

void SearchTest::periodicEntriesOf2025() {
    QFETCH(int, kind);
    QFETCH(int, number);
    QFETCH(QDate, firstDay);
    const QList<searchsources::PeriodicEntry> all = searchsources::periodicEntries(AppContext(), 2025);
    QCOMPARE(all.size(), 53 + 12 + 1);
    const auto found = std::find_if(all.begin(), all.end(), [&](const searchsources::PeriodicEntry &e) {
        return int(e.kind) == kind && e.number == number;
    });
    QVERIFY(found != all.end());
    QCOMPARE(found->firstDay, firstDay);
    // Its page is the one the view shows.
    const QByteArray shown = kind == int(search::Kind::Week)    ? periodic::weekPageFor(firstDay)
                             : kind == int(search::Kind::Month) ? periodic::monthPageFor(number)
                                                                : periodic::yearPageFor();
    QCOMPARE(found->page, shown);
    QVERIFY(!searchsources::entryText(pagetext::read(found->page)).isEmpty());
}

void SearchTest::otherYearsHaveNoPeriodicEntries() {
    QVERIFY(searchsources::periodicEntries(AppContext(), 2026).isEmpty());
    QVERIFY(searchsources::periodicEntries(AppContext(), 2024).isEmpty());
}

// An imported year's Hesla<year>.sj: its weeks, months and year, each as its view shows it, and
// nothing for what the file lacks.
void SearchTest::importedYearHasItsOwnPeriodicEntries() {
    Folders f;
    const QString imported = f.context.UserDataDir + QStringLiteral("kerla/");
    writeYear(imported, 2026, QStringLiteral("Kvítek"));
    QVERIFY(writeBytes(imported + QStringLiteral("Hesla2026.sj"),
                       cp1250::fromUnicode(u"[tyden 2]\r\nText=Slovo pro týden pastýřů\r\nOdkaz=Jan 10,11\r\n"
                                           u"[mesic 3]\r\nText=Slovo března\r\nOdkaz=Žalm 1,1\r\n"
                                           u"[rok]\r\nText=Slovo roku\r\nOdkaz=Jan 3,16\r\n")));
    const QList<searchsources::PeriodicEntry> all = searchsources::periodicEntries(f.context, 2026);
    QCOMPARE(all.size(), 3);
    QCOMPARE(all[0].kind, search::Kind::Week);
    QCOMPARE(all[0].number, 2);
    QCOMPARE(all[0].firstDay, QDate(2026, 1, 4)); // 1 January 2026 is a Thursday
    QCOMPARE(all[0].page, periodic::weekPage(cp1250::fromUnicode(u"Slovo pro týden pastýřů"), "Jan 10,11"));
    QCOMPARE(all[1].kind, search::Kind::Month);
    QCOMPARE(all[1].firstDay, QDate(2026, 3, 1));
    QCOMPARE(all[2].kind, search::Kind::Year);

    search::Index index;
    index.setYear(2026, searchsources::yearEntries(f.context, 2026));
    QCOMPARE(count(index, QStringLiteral("pastyru tyden")), 1);
    QCOMPARE(count(index, QStringLiteral("zalm 1,1")), 1);
}

void SearchTest::yearEntries() {
    Folders f;
    writeYear(f.context.ProgramDir, 2025, QStringLiteral("Kvítek"));
    writeYear(f.context.ProgramDir, 2026, QStringLiteral("Kvítek"));
    const QList<search::Entry> year = searchsources::yearEntries(f.context, 2025);
    QCOMPARE(year.size(), 365 + 66);
    QCOMPARE(year.first().text, QStringLiteral("Kvítek 2025 (Odkaz 1, 1)"));
    QCOMPARE(year.first().date, QDate(2025, 1, 1));
    QCOMPARE(searchsources::yearEntries(f.context, 2026).size(), 365);
}

void SearchTest::eachYearIsReadOnce() {
    Folders f;
    writeYear(f.context.ProgramDir, 2025, QStringLiteral("Kvítek"));
    writeYear(f.context.ProgramDir, 2027, QStringLiteral("Kvítek"));
    search::Index index;
    searchsources::IndexKeeper keeper;
    keeper.refresh(f.context, index);
    QCOMPARE(keeper.reads(), 2);
    QCOMPARE(index.years(), (QList<int>{2027, 2025}));
    QCOMPARE(count(index, QStringLiteral("kvitek")), 730);
    keeper.refresh(f.context, index);
    QCOMPARE(keeper.reads(), 2);
    // A changed year is read again, a new one added, a removed one dropped.
    writeYear(f.context.ProgramDir, 2027, QStringLiteral("Lístek"));
    writeYear(f.context.ProgramDir, 2026, QStringLiteral("Kvítek"));
    QVERIFY(QFile::remove(f.context.ProgramDir + QStringLiteral("Kerla2025.rtf")));
    keeper.refresh(f.context, index);
    QCOMPARE(keeper.reads(), 4);
    QCOMPARE(index.years(), (QList<int>{2027, 2026}));
    QCOMPARE(count(index, QStringLiteral("kvitek")), 365);
    QCOMPARE(count(index, QStringLiteral("listek 2027")), 365);
    QVERIFY(keeper.unreadable().isEmpty());
}

void SearchTest::importedYearComesFirst() {
    Folders f;
    writeYear(f.context.ProgramDir, 2026, QStringLiteral("Původní"));
    writeYear(f.context.ProgramDir, 2025, QStringLiteral("Původní"));
    writeYear(f.context.UserDataDir + QStringLiteral("kerla/"), 2026, QStringLiteral("Dovezený"));
    writeYear(f.context.UserDataDir + QStringLiteral("kerla/"), 2028, QStringLiteral("Dovezený"));
    search::Index index;
    searchsources::IndexKeeper keeper;
    keeper.refresh(f.context, index);
    QCOMPARE(index.years(), (QList<int>{2028, 2026, 2025}));
    QCOMPARE(count(index, QStringLiteral("dovezeny")), 365 + 366);
    QCOMPARE(count(index, QStringLiteral("puvodni")), 365); // 2025 alone: 2026 is the imported one
}

void SearchTest::unreadableYearIsNamedAndLeftOut() {
    Folders f;
    writeYear(f.context.ProgramDir, 2025, QStringLiteral("Kvítek"));
    writeYear(f.context.ProgramDir, 2026, QStringLiteral("Kvítek"));
    search::Index index;
    searchsources::IndexKeeper keeper;
    {
        const faultshim::Scope faults;
        faultshim::failReads((f.context.ProgramDir + QStringLiteral("Kerla2026.rtf")).toLocal8Bit());
        keeper.refresh(f.context, index);
    }
    QCOMPARE(
        keeper.unreadable(),
        QStringList{QStringLiteral("Rok 2026 nelze přečíst (%1Kerla2026.rtf).").arg(f.context.ProgramDir)});
    QCOMPARE(index.years(), QList<int>{2025});
    // Once it can be read, the next refresh takes it.
    keeper.refresh(f.context, index);
    QVERIFY(keeper.unreadable().isEmpty());
    QCOMPARE(index.years(), (QList<int>{2026, 2025}));
}

QTEST_GUILESS_MAIN(SearchTest)
#include "search_test.moc"
