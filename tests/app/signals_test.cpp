// SIGTERM, SIGINT and SIGHUP close the real program as Esc does.
#include "platform/profile.h"
#include "programrun.h"

#include <QDir>
#include <QTest>

namespace {

const QByteArray kOld = "[Okno]\r\nBarva=255\r\n\r\n[Vlastni]\r\nPoznamka=ano\r\n";

} // namespace

class SignalsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void signalClosesAsEscDoes_data();
    void signalClosesAsEscDoes();
};

void SignalsTest::signalClosesAsEscDoes_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("times");
    QTest::newRow("SIGTERM") << SIGTERM << 1;
    QTest::newRow("SIGHUP") << SIGHUP << 1;
    QTest::newRow("SIGINT") << SIGINT << 1;
    QTest::newRow("SIGTERM twice") << SIGTERM << 2;
    QTest::newRow("SIGHUP, then SIGTERM") << SIGHUP << -1;
}

void SignalsTest::signalClosesAsEscDoes() {
    QFETCH(int, number);
    QFETCH(int, times);
    QTemporaryDir user;
    const QString dir = user.path() + QLatin1Char('/');
    QVERIFY(writeBytes(dir + "Kerla.ini", kOld));
    QVERIFY(writeBytes(dir + "Cteni.tmp", "tb 1 1 text\r\n")); // left by a reading
    ProgramRun run;
    QVERIFY(run.install());
    QVERIFY(run.start(user.path()));
    run.signal(number);
    if (times == 2)
        run.signal(number);
    else if (times < 0)
        run.signal(SIGTERM);
    QVERIFY(run.waitForEnd());
    QCOMPARE(run.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.process().exitCode(), 0);

    // The close ran, once and whole: the temporary files are gone and every key is written.
    QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"Kerla.ini"});
    const QByteArray bytes = readBytes(dir + "Kerla.ini");
    QVERIFY2(bytes.startsWith("[Okno]\r\nBarva=255\r\nFontBarva=-16777208\r\nFont=Tahoma\r\n"),
             bytes.constData());
    QVERIFY(bytes.contains("\r\n\r\n[Vlastni]\r\nPoznamka=ano\r\n\r\n[Pozice]\r\n"));
    QVERIFY(bytes.endsWith("\r\nTypOkna=0\r\n"));
    const ProfileFile ini(dir + "Kerla.ini");
    for (const char *key : {"Odleva", "Odshora", "Vyska", "Sirka"})
        QVERIFY2(ini.readInteger("Pozice", QLatin1String(key), -99999) != -99999, key);
    QCOMPARE(ini.readString("Hlavni", "Datum", "none"), QStringLiteral("none"));
    QCOMPARE(bytes.count("[Bible]"), 1);
}

QTEST_MAIN(SignalsTest)
#include "signals_test.moc"
