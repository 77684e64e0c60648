#include "pages/daypage.h"
#include "pages/yearfiles.h"
#include "testenv.h"

#include <QTest>

// Which folder a year's files come from: the user's imported year before the program's own.
class YearFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void yearFilesComeFromTheirFolders_data();
    void yearFilesComeFromTheirFolders();
    void yearsOfBothFolders();
};

namespace {

struct Folders {
    QTemporaryDir program, user;
    AppContext context;
    Folders() {
        context.ProgramDir = program.path() + QLatin1Char('/');
        context.UserDataDir = user.path() + QLatin1Char('/');
    }
    QString imported() const { return context.UserDataDir + QStringLiteral("kerla/"); }
};

// A year file whose slot for 7 December holds `line`.
QByteArray yearWith(const QByteArray &line) {
    QByteArray all;
    for (int i = 0; i < 372; ++i)
        all += (i == 11 * 31 + 6 ? line : QByteArray("x")) + "\r\n";
    return all;
}

} // namespace

void YearFilesTest::yearFilesComeFromTheirFolders_data() {
    // P: program folder, U: import folder; K day file, C index, H week, month and year watchwords
    QTest::addColumn<QString>("files");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QByteArray>("watchwords"); // the Hesla file's bytes, empty when it is missing

    QTest::newRow("program's only") << "PK PC PH" << QByteArray("program") << "gn 1 1 5"
                                    << QByteArray("program");
    QTest::newRow("imported only") << "UK UC UH" << QByteArray("user") << "ex 2 1 3" << QByteArray("user");
    QTest::newRow("imported before program's")
        << "PK PC PH UK UC UH" << QByteArray("user") << "ex 2 1 3" << QByteArray("user");
    // the imported year has no readings and no watchwords: the program's of that year stay
    QTest::newRow("imported year without index")
        << "PK PC PH UK" << QByteArray("user") << "gn 1 1 5" << QByteArray("program");
    QTest::newRow("imported year with index, program's without")
        << "PK UK UC" << QByteArray("user") << "ex 2 1 3" << QByteArray();
    QTest::newRow("imported year, nothing of it in the program's folder")
        << "UK" << QByteArray("user") << "" << QByteArray();
    // an index alone does not make a year
    QTest::newRow("imported index alone")
        << "PK PC UC UH" << QByteArray("program") << "gn 1 1 5" << QByteArray();
}

void YearFilesTest::yearFilesComeFromTheirFolders() {
    QFETCH(QString, files);
    QFETCH(QByteArray, page);
    QFETCH(QString, reading);
    QFETCH(QByteArray, watchwords);
    Folders f;
    const QStringList have = files.split(QLatin1Char(' '));
    for (const QString &file : have) {
        const QString folder = file[0] == QLatin1Char('P') ? f.context.ProgramDir : f.imported();
        const QByteArray origin = file[0] == QLatin1Char('P') ? "program" : "user";
        const QByteArray ref = file[0] == QLatin1Char('P') ? "gn 1 1 5" : "ex 2 1 3";
        if (file[1] == QLatin1Char('K'))
            QVERIFY(writeBytes(folder + "Kerla2026.rtf", yearWith(origin)));
        else if (file[1] == QLatin1Char('H'))
            QVERIFY(writeBytes(folder + "Hesla2026.sj", origin));
        else
            QVERIFY(writeBytes(folder + "Cteni2026.sj", "[7.12.2026]\r\nCteni1=" + ref + "\r\n"));
    }
    ViewDate date;
    SetViewDate(date, 2026, 12, 7);
    DailyStore store;
    bool unwritable = false;
    QCOMPARE(daypage::ComposeDayPage(f.context, date, store, unwritable), daypage::pageBytes(page));
    QCOMPARE(daypage::readDayReadings(f.context, date).first, reading);
    QCOMPARE(readBytes(yearfiles::periodicFile(f.context, 2026)), watchwords);
}

void YearFilesTest::yearsOfBothFolders() {
    Folders f;
    for (const char *name : {"Kerla2025.rtf", "Kerla2026.rtf", "Cteni2030.sj", "Kerla1900.rtf", "Kerla26.rtf",
                             "Kerla2026.rtf.tmp", "kerla2031.rtf"})
        QVERIFY(writeBytes(f.context.ProgramDir + name, "x\r\n"));
    for (const char *name : {"Kerla2026.rtf", "Kerla2028.rtf"})
        QVERIFY(writeBytes(f.imported() + name, "x\r\n"));
    QCOMPARE(yearfiles::years(f.context), (QList<int>{2028, 2026, 2025}));
    QCOMPARE(yearfiles::folderFor(f.context, 2026), f.imported());
    QCOMPARE(yearfiles::folderFor(f.context, 2025), f.context.ProgramDir);
    QCOMPARE(yearfiles::folderFor(f.context, 2040), f.context.ProgramDir);
}

QTEST_GUILESS_MAIN(YearFilesTest)
#include "yearfiles_test.moc"
