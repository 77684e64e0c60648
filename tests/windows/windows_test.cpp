// What the program does its own way on Windows, run under Wine: the user's folder is
// %LOCALAPPDATA% (imported years in its kerla\), the program's folder is the executable's, links go
// to the shell's open, the screen saver's settings are the control panel's, the design's faces
// are the system's own, dates are Czech. Paths with Czech letters throughout. (The console's
// control events are in closefaults_test, the Startup folder's shortcut in autostart_test.)
#include "dialogs/aboutwindow.h"
#include "dialogs/screensaver.h"
#include "pages/appcontext.h"
#include "pages/yearfiles.h"
#include "platform/designfonts.h"
#include "platform/folders.h"
#include "platform/formatlocale.h"
#include "platform/shellopen.h"
#include "testenv.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTest>

#include <windows.h>

#include <shlobj.h>

namespace {

// Sets an environment variable for one test (null: unsets it) and puts the old value back.
class TempVariable {
public:
    TempVariable(const char *name, const QString &value)
        : m_name(name), m_old(qEnvironmentVariable(name)), m_had(qEnvironmentVariableIsSet(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            putEnvPath(name, value);
    }
    ~TempVariable() {
        if (m_had)
            putEnvPath(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    QString m_old;
    bool m_had;
};

// The shell's local application-data folder, as the shell names it.
QString shellLocalAppData() {
    QString folder;
    PWSTR path = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path)))
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    CoTaskMemFree(path);
    return folder;
}

const QString kCzech = QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy");

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void userDataDirIsLocalAppData_data();
    void userDataDirIsLocalAppData();
    void importedYearsLieInLocalAppData();
    void programDirIsTheExecutablesFolder();
    void linksGoToTheShell_data();
    void linksGoToTheShell();
    void aboutWindowOpensThroughTheShell();
    void screenSaverIsTheControlPanels();
    void designFacesAreTheSystems();
    void datesAreCzechInAnyLocale();
};

void WindowsTest::userDataDirIsLocalAppData_data() {
    // What %LOCALAPPDATA% holds (null: unset), relative to a temporary folder; the folder expected.
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("expected"); // empty: the shell's own folder
    QTest::newRow("Czech letters") << kCzech << kCzech;
    QTest::newRow("backslashes and a trailing one")
        << kCzech + QStringLiteral("\\Data\\") << kCzech + "/Data";
    QTest::newRow("unset") << QString() << QString();
    QTest::newRow("relative") << QStringLiteral("relativni") << QString();
}

void WindowsTest::userDataDirIsLocalAppData() {
    QFETCH(QString, variable);
    QFETCH(QString, expected);
    QTemporaryDir root;
    const QString base = QDir::toNativeSeparators(root.path()) + QLatin1Char('\\');
    QString value;
    if (variable == QStringLiteral("relativni"))
        value = variable;
    else if (!variable.isNull())
        value = base + variable;
    const QString shell = shellLocalAppData();
    TempVariable local("LOCALAPPDATA", value);
    bool created = false;
    const QString dir = folders::userDataDir(&created);
    QVERIFY(created);
    if (expected.isEmpty()) {
        QVERIFY(!shell.isEmpty());
        QCOMPARE(dir, shell + QLatin1Char('/'));
    } else {
        QCOMPARE(dir, root.path() + QLatin1Char('/') + expected + QLatin1Char('/'));
        QVERIFY(QFileInfo(dir).isDir());
    }
}

void WindowsTest::importedYearsLieInLocalAppData() {
    QTemporaryDir root;
    const QString local = root.path() + QLatin1Char('/') + kCzech;
    TempVariable variable("LOCALAPPDATA", QDir::toNativeSeparators(local));
    AppContext context;
    context.ProgramDir = root.path() + QStringLiteral("/Program/");
    context.UserDataDir = folders::userDataDir();
    QCOMPARE(yearfiles::importFolder(context), local + QStringLiteral("/kerla/"));
    QVERIFY(writeBytes(context.ProgramDir + QStringLiteral("Kerla2026.rtf"), "x\r\n"));
    QCOMPARE(yearfiles::folderFor(context, 2026), context.ProgramDir);
    QVERIFY(writeBytes(local + QStringLiteral("/kerla/Kerla2026.rtf"), "x\r\n"));
    QCOMPARE(yearfiles::dayFile(context, 2026), local + QStringLiteral("/kerla/Kerla2026.rtf"));
}

void WindowsTest::programDirIsTheExecutablesFolder() {
    // No data set lies beside this test, and no ../share/kerla: the executable's folder stays.
    QCOMPARE(folders::programDir(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    QTemporaryDir root;
    const QString folder = root.path() + QLatin1Char('/') + kCzech;
    QVERIFY(writeBytes(folder + QStringLiteral("/Kerla2026.rtf"), "x"));
    QCOMPARE(folders::programDirFor(folder), folder + QLatin1Char('/'));
}

void WindowsTest::linksGoToTheShell_data() {
    QTest::addColumn<QString>("name"); // the file the shell is asked to open, in a temporary folder
    QTest::addColumn<bool>("exists");
    QTest::newRow("a program with Czech letters") << kCzech + QStringLiteral(".exe") << true;
    QTest::newRow("a missing file") << QStringLiteral("chybí.exe") << false;
}

void WindowsTest::linksGoToTheShell() {
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QTemporaryDir root;
    const QString folder = root.path() + QLatin1Char('/') + kCzech;
    QVERIFY(QDir().mkpath(folder));
    const QString program = folder + QLatin1Char('/') + name;
    if (exists)
        QVERIFY(QFile::copy(QStringLiteral(KERLA_OPEN_HELPER), program));
    QCOMPARE(shellopen::open(QUrl::fromLocalFile(program)), exists);
    // The opened program leaves its mark beside itself; the shell does not wait for it.
    const QString mark = folder + QStringLiteral("/opened.txt");
    if (exists)
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark), 30000);
    else
        QVERIFY(!QFile::exists(mark));
}

// The about window's own opener of its links is the shell's: it starts a program the shell finds.
void WindowsTest::aboutWindowOpensThroughTheShell() {
    QTemporaryDir root;
    const QString folder = root.path() + QLatin1Char('/') + kCzech;
    QVERIFY(QDir().mkpath(folder));
    const QString program = folder + QStringLiteral("/odkaz.exe");
    QVERIFY(QFile::copy(QStringLiteral(KERLA_OPEN_HELPER), program));
    ShellLinkOpener opener;
    QVERIFY(opener.open(QUrl::fromLocalFile(program)));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder + QStringLiteral("/opened.txt")), 30000);
}

void WindowsTest::screenSaverIsTheControlPanels() {
    const screensaver::Command command = screensaver::settingsCommand();
    QCOMPARE(command.program, QStringLiteral("rundll32"));
    QCOMPARE(command.arguments,
             (QStringList{QStringLiteral("shell32.dll,Control_RunDLL"), QStringLiteral("desk.cpl,,1")}));
    QVERIFY(screensaver::startSettings());
}

void WindowsTest::designFacesAreTheSystems() {
    // Nothing is registered, even from Wine's folder of faces, and nothing stands in.
    const QStringList before = QFontDatabase::families();
    QVERIFY(QFile::exists(QStringLiteral(KERLA_WINE_FONTS "/ms_sans_serif.ttf")));
    QCOMPARE(designfonts::install(QStringLiteral(KERLA_WINE_FONTS)), QStringList());
    QCOMPARE(QFontDatabase::families(), before);
    for (const char *family : {"Arial", "Times New Roman", "Verdana"})
        QCOMPARE(QFont::substitutes(QLatin1String(family)), QStringList());
    // Wine, as Windows, has Tahoma of its own.
    QVERIFY2(designfonts::listsFamily(before, QStringLiteral("Tahoma")),
             qPrintable(before.join(QStringLiteral(", "))));
}

void WindowsTest::datesAreCzechInAnyLocale() {
    // Whatever the user's regional format (Wine's follows LANG: en-US under C.UTF-8), the dates
    // are Czech, as under the C locale on Linux.
    const QLocale chosen = formattingLocale();
    QVERIFY2(chosen.name() == QStringLiteral("cs_CZ"), qPrintable(QLocale::system().name()));
    QCOMPARE(chosen.toString(QDate(2025, 12, 8), QLocale::LongFormat),
             QStringLiteral("pondělí 8. prosince 2025"));
}

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
