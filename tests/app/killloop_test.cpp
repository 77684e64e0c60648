// The real program, killed (SIGKILL) at random instants of its close: Kerla.ini is always the old
// file or the new one, whole, and nothing piles up beside it.
#include "programrun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace {

const QByteArray kOld = "[Okno]\r\nBarva=255\r\nFont=Verdana\r\n\r\n[Vlastni]\r\nPoznamka=ano\r\n";
constexpr int kRounds = 50;

QStringList filesIn(const QString &dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

class KillLoopTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void killDuringTheClose();

private:
    // One run that ends by SIGTERM on a folder holding `settings`; the file it leaves.
    QByteArray closedRun(const QString &dir);

    ProgramRun m_run;
    QByteArray m_new;
    qint64 m_closeNs = 0;
};

QByteArray KillLoopTest::closedRun(const QString &dir) {
    ProgramRun &run = m_run;
    if (!run.start(dir))
        return {};
    QElapsedTimer timer;
    timer.start();
    run.signal(SIGTERM);
    if (!run.waitForEnd())
        return {};
    m_closeNs = timer.nsecsElapsed();
    return readBytes(dir + "/Kerla.ini");
}

void KillLoopTest::initTestCase() {
    QVERIFY(m_run.install());
    // The file a whole close leaves, from the same old file.
    QTemporaryDir user;
    QVERIFY(writeBytes(user.path() + "/Kerla.ini", kOld));
    m_new = closedRun(user.path());
    QVERIFY(m_new.startsWith("[Okno]\r\nBarva=255\r\n"));
    QVERIFY(m_new.endsWith("TypOkna=0\r\n"));
    QCOMPARE(filesIn(user.path()), QStringList{"Kerla.ini"});
}

void KillLoopTest::killDuringTheClose() {
    // Kill instants from just before the close to a little after its usual end (measured above).
    const qint64 spanUs = qMax<qint64>(2000, m_closeNs / 1000 * 3 / 2);
    const QRegularExpression leftoverTemp(QStringLiteral("^Kerla\\.ini\\.[A-Za-z0-9]{6}$"));
    int oldFiles = 0, newFiles = 0, dayPagesLeft = 0, tempsLeft = 0;
    QElapsedTimer total;
    total.start();
    for (int round = 0; round < kRounds; ++round) {
        QTemporaryDir user;
        const QString dir = user.path() + QLatin1Char('/');
        QVERIFY(writeBytes(dir + "Kerla.ini", kOld));
        QVERIFY2(m_run.start(user.path()), "the program did not come up");
        const qint64 delayUs = QRandomGenerator::global()->bounded(spanUs);
        m_run.signal(SIGTERM);
        QThread::usleep(static_cast<unsigned long>(delayUs));
        m_run.signal(SIGKILL);
        QVERIFY(m_run.waitForEnd());

        const QByteArray bytes = readBytes(dir + "Kerla.ini");
        QVERIFY2(bytes == kOld || bytes == m_new,
                 qPrintable(QStringLiteral("round %1, killed after %2 us: %3")
                                .arg(round)
                                .arg(delayUs)
                                .arg(QString::fromLatin1(bytes))));
        (bytes == kOld ? oldFiles : newFiles) += 1;
        bool temp = false;
        for (const QString &name : filesIn(dir)) {
            if (name == QLatin1String("KERLA.TMP"))
                ++dayPagesLeft;
            else if (leftoverTemp.match(name).hasMatch())
                temp = true;
            else
                QVERIFY2(name == QLatin1String("Kerla.ini"), qPrintable(name));
        }
        if (temp) {
            // Killed between writing the new file and putting it in place: the next start
            // removes what is left, and its own close leaves the new file.
            ++tempsLeft;
            QCOMPARE(closedRun(user.path()), m_new);
            QCOMPARE(filesIn(dir), QStringList{"Kerla.ini"});
        }
    }
    qInfo("%d rounds in %lld ms (kills up to %lld us after SIGTERM; a whole close took %lld us): "
          "%d old files, %d new files, %d day pages left, %d temporary files left and removed by the next "
          "start",
          kRounds, total.elapsed(), spanUs, m_closeNs / 1000, oldFiles, newFiles, dayPagesLeft, tempsLeft);

    // A day page that a kill left behind is written over by the next start and deleted by its close.
    QTemporaryDir user;
    QVERIFY(writeBytes(user.path() + "/Kerla.ini", kOld));
    QVERIFY(writeBytes(user.path() + "/KERLA.TMP", "{\\rtf1 stale}"));
    QVERIFY(writeBytes(user.path() + "/Kerla.ini.Zz9Yy8", "half"));
    QCOMPARE(closedRun(user.path()), m_new);
    QCOMPARE(filesIn(user.path()), QStringList{"Kerla.ini"});
}

QTEST_MAIN(KillLoopTest)
#include "killloop_test.moc"
