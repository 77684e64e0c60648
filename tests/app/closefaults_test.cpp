#include "app/mainform.h"
#include "app/objectnames.h"
#include "app/program.h"
#include "app/sessionend.h"
#include "appfixture.h"
#include "dialogs/printsupport.h"
#include "faultshim.h"
#include "platform/folders.h"

#include <QSessionManager>
#include <QTest>
#include <QTextEdit>

#include <csignal>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QDateTime kNow(QDate(2025, 1, 1), QTime(9, 30, 0));

// The system's request to end, by the table's number: a signal, or on Windows the console's
// Ctrl+C, given to this process alone on a console of its own. (Wine cannot send Ctrl+Break to a
// console's processes; the handler takes the five control events alike.)
#ifdef Q_OS_WIN
enum ControlRequest { CtrlC = 1 };
void askToEnd(int) {
    static const bool ownConsole = [] {
        FreeConsole();
        return AllocConsole() != 0;
    }();
    Q_UNUSED(ownConsole);
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
}
#else
void askToEnd(int request) {
    ::raise(request);
}
#endif

QStringList filesIn(const QString &dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

// Every way out of the program, under every fault of the disk: Kerla.ini is the old file or the
// new one, whole; no temporary file stays; a failure is reported and the program still ends.
class CloseFaultsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void failedCloseKeepsOldSettings_data();
    void failedCloseKeepsOldSettings();
    void unwritableUserFolderStillBrowses();
    void uncreatableUserFolderIsTold();
    void signalsCloseOnceAsEscDoes_data();
    void signalsCloseOnceAsEscDoes();
    void foreignExceptionsAreReported();

private:
    void start();
    TMainForm &main() { return m_program->mainForm(); }

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<TestState> m_test;
    std::unique_ptr<Program> m_program;
};

void CloseFaultsTest::init() {
    m_folder = std::make_unique<ProgramFolder>();
    m_test = std::make_unique<TestState>(*m_folder, kNow);
}

void CloseFaultsTest::cleanup() {
    faultshim::reset();
    m_program.reset();
    m_test.reset();
    m_folder.reset();
}

void CloseFaultsTest::start() {
    m_program = std::make_unique<Program>(m_test->state, QString(), printsupport::linkedTable());
    m_program->show();
    main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main()));
}

void CloseFaultsTest::failedCloseKeepsOldSettings_data() {
    QTest::addColumn<int>("diskTakes"); // bytes the disk takes before it is full; -1: refused
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("key");
    QTest::newRow("full disk, Esc") << 0 << ENOSPC << int(Qt::Key_Escape);
    QTest::newRow("disk full partway, Enter") << 60 << ENOSPC << int(Qt::Key_Return);
    QTest::newRow("write refused, Esc") << -1 << EACCES << int(Qt::Key_Escape);
    QTest::newRow("read-only folder, Enter") << -1 << EROFS << int(Qt::Key_Return);
}

void CloseFaultsTest::failedCloseKeepsOldSettings() {
    QFETCH(int, diskTakes);
    QFETCH(int, error);
    QFETCH(int, key);
    const QString ini = m_test->state.settingsPath();
    const QByteArray old = "[Okno]\r\nBarva=255\r\nFont=Verdana\r\n[Hlavni]\r\nDatum=1.1.1998\r\n";
    QVERIFY(writeBytes(ini, old));
    start();
    QVERIFY(QFile::exists(m_test->state.dayPagePath()));
    const QByteArray folder = QFile::encodeName(m_test->state.UserDataDir);
    if (diskTakes >= 0)
        faultshim::failWritesAfter(folder, diskTakes, error);
    else if (error == EROFS)
        faultshim::refuseChanges(folder, error);
    else
        faultshim::refuseChanges(QFile::encodeName(ini), error); // only the settings file is refused
    QTest::keyClick(childOf<QTextEdit>(main(), objectnames::TextWindow), Qt::Key(key));
    faultshim::reset();
    QVERIFY(!main().isVisible()); // the program ends all the same
    QCOMPARE(readBytes(ini), old);
    QCOMPARE(m_test->messages.errors, QStringList{QStringLiteral("Unable to write to ") + ini});
    // A read-only folder keeps the day page too; it is written over at the next start.
    QStringList left{QStringLiteral("Kerla.ini")};
    if (error == EROFS)
        left.prepend(QStringLiteral("KERLA.TMP"));
    QCOMPARE(filesIn(m_test->state.UserDataDir), left);
}

void CloseFaultsTest::unwritableUserFolderStillBrowses() {
    faultshim::refuseChanges(QFile::encodeName(m_test->state.UserDataDir));
    start();
    const QString day = QStringLiteral("Unable to write to ") + m_test->state.dayPagePath();
    QCOMPARE(m_test->messages.errors, QStringList{day});
    QVERIFY(childOf<QTextEdit>(main(), objectnames::TextWindow)
                ->toPlainText()
                .contains(QStringLiteral("Den 2025-0")));
    QTest::keyClick(childOf<QTextEdit>(main(), objectnames::TextWindow), Qt::Key_Right);
    QVERIFY(childOf<QTextEdit>(main(), objectnames::TextWindow)
                ->toPlainText()
                .contains(QStringLiteral("Den 2025-1")));
    QTest::keyClick(childOf<QTextEdit>(main(), objectnames::TextWindow), Qt::Key_F1,
                    Qt::ControlModifier); // a reading of 2 January
    QTest::keyClick(childOf<QTextEdit>(main(), objectnames::TextWindow), Qt::Key_Left);
    QTest::keyClick(childOf<QTextEdit>(main(), objectnames::TextWindow), Qt::Key_F1, Qt::ControlModifier);
    QCOMPARE(m_test->messages.errors,
             (QStringList{day, QStringLiteral("Unable to write to ") + m_test->state.readingTextPath()}));
    QVERIFY(main().isVisible());
    QTest::keyClick(childOf<QTextEdit>(main(), objectnames::TextWindow), Qt::Key_Escape);
    QVERIFY(!main().isVisible());
    QCOMPARE(m_test->messages.errors.back(),
             QStringLiteral("Unable to write to ") + m_test->state.settingsPath());
    QCOMPARE(filesIn(m_test->state.UserDataDir), QStringList());
}

void CloseFaultsTest::uncreatableUserFolderIsTold() {
    const QString home = qEnvironmentVariable(kUserDataVariable);
    const QString parent = m_test->user.path();
    putEnvPath(kUserDataVariable, parent + QStringLiteral("sub/data"));
    faultshim::refuseChanges(QFile::encodeName(parent));
    bool created = true;
    QCOMPARE(folders::userDataDir(&created), parent + QStringLiteral("sub/data/"));
    QVERIFY(!created);
    faultshim::reset();
    QCOMPARE(folders::userDataDir(&created), parent + QStringLiteral("sub/data/"));
    QVERIFY(created);
    QVERIFY(QFileInfo(parent + QStringLiteral("sub/data")).isDir());
    putEnvPath(kUserDataVariable, home);
}

void CloseFaultsTest::signalsCloseOnceAsEscDoes_data() {
    QTest::addColumn<int>("signal");
#ifdef Q_OS_WIN
    QTest::newRow("Ctrl+C") << int(CtrlC);
#else
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
#endif
    // Logging out: the session manager asks the program to save its data (Qt makes the manager as
    // the application's child); the program closes, and the session manager ends the process.
    QTest::newRow("end of session") << 0;
}

void CloseFaultsTest::signalsCloseOnceAsEscDoes() {
    QFETCH(int, signal);
    auto *manager = qApp->findChild<QSessionManager *>();
    if (signal == 0 && !manager)
        QSKIP("this Qt is built without session management");
    start();
    int closes = 0;
    SessionEnd end([&] {
        ++closes;
        main().close();
    });
    QTest::keyClick(childOf<QTextEdit>(main(), objectnames::TextWindow), Qt::Key_F1, Qt::ControlModifier);
    QVERIFY(QFile::exists(m_test->state.readingTextPath()));
    for (int twice = 0; twice < 2; ++twice) { // a second signal or request does not close again
        if (signal)
            askToEnd(signal);
        else
            Q_EMIT qApp->commitDataRequest(*manager);
    }
    QTRY_COMPARE(end.closes(), 1);
    QTest::qWait(50);
    QCOMPARE(closes, 1);
    QVERIFY(!main().isVisible());
    QCOMPARE(filesIn(m_test->state.UserDataDir), QStringList{QStringLiteral("Kerla.ini")});
    const QByteArray ini = readBytes(m_test->state.settingsPath());
    QVERIFY(ini.startsWith("[Okno]\r\nBarva="));
    QVERIFY(ini.endsWith("TypOkna=0\r\n"));
    QVERIFY(m_test->messages.errors.isEmpty());
    // Ended by Esc first, the program is not closed a second time by the session's end.
    end.end(false);
    QCOMPARE(closes, 1);
}

void CloseFaultsTest::foreignExceptionsAreReported() {
    RecordingMessageSink sink;
    QVERIFY(!runCommand(sink, [] { throw std::bad_alloc(); }));
    QVERIFY(!runCommand(sink, [] { throw std::runtime_error("zlomeno"); }));
    QVERIFY(!runCommand(sink, [] { throw 7; }));
    QVERIFY(runCommand(sink, [] {}));
    QCOMPARE(sink.errors, (QStringList{QStringLiteral("Out of memory"), QStringLiteral("zlomeno"),
                                       QStringLiteral("Unknown error")}));
}

QTEST_MAIN(CloseFaultsTest)
#include "closefaults_test.moc"
