// Starts the real executable, copied beside a data set of our own, with a user folder of its own.
#include "appfixture.h"
#include "pages/dates.h"
#include "platform/profile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

class OnceADayTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void startsAtOnceOnlyAfterEndingToday_data();
    void startsAtOnceOnlyAfterEndingToday();
    void runsFromAnyFolder();

private:
    // Starts the copied program; returns true when it ended by itself within `ms`.
    bool run(const QStringList &arguments, int ms, int *exitCode = nullptr);

    ProgramFolder m_folder;
    TempUserData m_user;
    QString m_exe;
};

void OnceADayTest::initTestCase() {
    m_exe = m_folder.path() + QFileInfo(QStringLiteral(KERLA_PROGRAM)).fileName();
    QVERIFY2(QFile::copy(QStringLiteral(KERLA_PROGRAM), m_exe), "the program is not built");
    QFile::setPermissions(m_exe, QFile::permissions(m_exe) | QFileDevice::ExeOwner);
}

bool OnceADayTest::run(const QStringList &arguments, int ms, int *exitCode) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(kUserDataVariable), m_user.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QLatin1String(kHeadlessPlatform));
    process.setProcessEnvironment(env);
    process.start(m_exe, arguments);
    if (!process.waitForStarted(5000))
        return false;
    const bool ended = process.waitForFinished(ms);
    if (!ended) {
        process.kill();
        process.waitForFinished(5000);
    } else if (exitCode) {
        *exitCode = process.exitCode();
    }
    return ended;
}

void OnceADayTest::startsAtOnceOnlyAfterEndingToday_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("endsAtOnce");
    QTest::newRow("a") << QStringList{QStringLiteral("a")} << true;
    QTest::newRow("no argument") << QStringList{} << false;
    QTest::newRow("A") << QStringList{QStringLiteral("A")} << false;
    QTest::newRow("aa") << QStringList{QStringLiteral("aa")} << false;
}

void OnceADayTest::startsAtOnceOnlyAfterEndingToday() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, endsAtOnce);
    const QString ini = m_user.path() + "Kerla.ini";
    const QString page = m_user.path() + "KERLA.TMP";
    // As the end once a day leaves it today.
    const QByteArray settings =
        "[Okno]\r\nBarva=16777215\r\n[Pozice]\r\nOdleva=100\r\nOdshora=100\r\n[Hlavni]\r\nDatum=" +
        cp1250::fromUnicode(shortDateText(QDate::currentDate())) + "\r\n";
    QVERIFY(writeBytes(ini, settings));
    QFile::remove(page);

    int code = -1;
    QElapsedTimer timer;
    timer.start();
    const bool ended = run(arguments, endsAtOnce ? 10000 : 3000, &code);
    if (endsAtOnce) {
        QVERIFY(ended);
        QCOMPARE(code, 0);
        QVERIFY2(timer.elapsed() < 10000, "the program did not end at once");
        QVERIFY(!QFile::exists(page)); // no page was built: no window was shown
        QCOMPARE(readBytes(ini), settings);
    } else {
        QVERIFY(!ended); // still running: its window is up
        QVERIFY(QFile::exists(page));
        QVERIFY(readBytes(page).startsWith("{\\rtf1\\ansi "));
    }
}

void OnceADayTest::runsFromAnyFolder() {
    // ProgramDir is the executable's own folder: a stored date of another day shows today's page
    // from the copied data set.
    const QString ini = m_user.path() + "Kerla.ini";
    QVERIFY(writeBytes(ini, "[Hlavni]\r\nDatum=1.1.1998\r\n"));
    QFile::remove(m_user.path() + "KERLA.TMP");
    QVERIFY(!run({QStringLiteral("a")}, 3000));
    const QByteArray page = readBytes(m_user.path() + "KERLA.TMP");
    if (QDate::currentDate().year() == 2025 || QDate::currentDate().year() == 2024)
        QVERIFY(page.contains("Den "));
    else
        QVERIFY(page.contains("Data na "));
}

QTEST_MAIN(OnceADayTest)
#include "onceaday_test.moc"
