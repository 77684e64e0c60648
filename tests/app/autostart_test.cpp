// Starting at login: the autostart entry on its own (written, read back as the desktop reads it,
// removed, failures), and the "Spouštět po přihlášení" item of the settings menu driving it.
#include "app/mainform.h"
#include "app/program.h"
#include "appfixture.h"
#include "dialogs/printsupport.h"
#include "platform/autostart.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QTest>

#include <memory>

#ifdef Q_OS_WIN
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#endif

namespace {

// The command line of a desktop entry's Exec value, read the way a desktop reads it: the string
// escapes first, then the quoting of arguments, then the doubled '%'.
QStringList execCommand(const QString &value) {
    QString text;
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar c = value[++i];
            text += c == QLatin1Char('s')   ? QChar(' ')
                    : c == QLatin1Char('n') ? QChar('\n')
                    : c == QLatin1Char('t') ? QChar('\t')
                    : c == QLatin1Char('r') ? QChar('\r')
                                            : c;
        } else {
            text += value[i];
        }
    }
    QStringList arguments;
    QString current;
    bool inArgument = false, quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < text.size() &&
                QStringLiteral("\"`$\\").contains(text[i + 1]))
                current += text[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                current += c;
        } else if (c == QLatin1Char(' ')) {
            if (inArgument)
                arguments.append(current.replace(QStringLiteral("%%"), QStringLiteral("%")));
            current.clear();
            inArgument = false;
        } else if (c == QLatin1Char('"')) {
            quoted = inArgument = true;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.append(current.replace(QStringLiteral("%%"), QStringLiteral("%")));
    return arguments;
}

// The value of `key` in the desktop entry at `path`.
[[maybe_unused]] QString entryValue(const QString &path, const QString &key) {
    for (const QByteArray &line : readBytes(path).split('\n')) {
        const QString text = QString::fromUtf8(line);
        if (text.startsWith(key + QLatin1Char('=')))
            return text.mid(key.size() + 1);
    }
    return {};
}

// desktop-file-validate's complaints about the entry at `path` (empty when it passes).
QString validatorComplaints(const QString &path) {
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {path});
    if (!validate.waitForFinished(30000))
        return QStringLiteral("desktop-file-validate did not run");
    const QString out = QString::fromUtf8(validate.readAllStandardOutput() + validate.readAllStandardError());
    return validate.exitCode() == 0 && !out.contains(QStringLiteral("warning")) ? QString() : out;
}

#ifdef Q_OS_WIN
// The name of a moved program's folder.
const QString kMovedFolder = QStringLiteral("Kerla Dorny – čeština");

// The user's Startup folder moved into a temporary folder for one test: the shell folder's entry
// in the user's registry, where the shell looks for it.
class TempConfig {
public:
    TempConfig() {
        RegCreateKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &m_key, nullptr);
        wchar_t old[MAX_PATH] = {};
        DWORD size = sizeof old;
        m_hadOld = RegQueryValueExW(m_key, L"Startup", nullptr, &m_oldType, reinterpret_cast<BYTE *>(old),
                                    &size) == ERROR_SUCCESS;
        m_old = QString::fromWCharArray(old);
        set(REG_SZ, QDir::toNativeSeparators(folder()));
    }
    ~TempConfig() {
        if (m_hadOld)
            set(m_oldType, m_old);
        else
            RegDeleteValueW(m_key, L"Startup");
        RegCloseKey(m_key);
    }
    QString entry() const { return folder() + QStringLiteral("/Kerla Dorny.lnk"); }
    // A program moved to a folder with Czech letters. (It is there: the shell keeps a shortcut's
    // target as an item list only for a path that exists.)
    QString movedProgram() const {
        const QString program = m_dir.path() + QLatin1Char('/') + kMovedFolder + QStringLiteral("/kerla.exe");
        writeBytes(program, "MZ");
        return program;
    }

private:
    static constexpr const wchar_t *kShellFolders =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    QString folder() const { return m_dir.path() + QStringLiteral("/Startup"); }
    void set(DWORD type, const QString &value) {
        RegSetValueExW(m_key, L"Startup", 0, type, reinterpret_cast<const BYTE *>(value.utf16()),
                       DWORD((value.size() + 1) * sizeof(wchar_t)));
    }
    QTemporaryDir m_dir;
    HKEY m_key = nullptr;
    bool m_hadOld = false;
    DWORD m_oldType = REG_EXPAND_SZ;
    QString m_old;
};

// The command that the shortcut at `path` starts, read back through the shell.
QStringList entryCommand(const QString &path) {
    QStringList command;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW *link = nullptr;
    IPersistFile *file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void **>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) &&
        SUCCEEDED(file->Load(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                             STGM_READ))) {
        // The target as the shell starts it: by its item list, which keeps every letter of the path.
        wchar_t target[MAX_PATH] = {}, arguments[MAX_PATH] = {};
        PIDLIST_ABSOLUTE item = nullptr;
        if (SUCCEEDED(link->GetIDList(&item)) && item)
            SHGetPathFromIDListW(item, target);
        CoTaskMemFree(item);
        link->GetArguments(arguments, MAX_PATH);
        command << QDir::fromNativeSeparators(QString::fromWCharArray(target))
                << QString::fromWCharArray(arguments);
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return command;
}
#else

// A temporary XDG_CONFIG_HOME for one test.
class TempConfig {
public:
    TempConfig() : m_old(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
    }
    ~TempConfig() { qputenv("XDG_CONFIG_HOME", m_old); }
    QString entry() const { return m_dir.path() + QStringLiteral("/autostart/org.example.Kerla.desktop"); }
    QString movedProgram() const { return QStringLiteral("/opt/Kerla Dorny/kerla"); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
};

// The command that the desktop entry at `path` starts.
QStringList entryCommand(const QString &path) {
    return execCommand(entryValue(path, QStringLiteral("Exec")));
}
#endif

} // namespace

class AutostartTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void execArgumentsReadBackWhole_data();
    void execArgumentsReadBackWhole();
    void entryRoundTrip();
    void failuresAreReported();
    void menuItemFollowsTheFile();
};

void AutostartTest::execArgumentsReadBackWhole_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("written"); // empty: only the read-back counts
    QTest::newRow("plain") << "/usr/bin/kerla"
                           << "/usr/bin/kerla";
    QTest::newRow("space") << "/home/jan/Kerla Dorny/kerla"
                           << "\"/home/jan/Kerla Dorny/kerla\"";
    QTest::newRow("backslash") << "/opt/a\\b/kerla"
                               << "\"/opt/a\\\\\\\\b/kerla\"";
    QTest::newRow("dollar") << "/opt/$HOME/kerla"
                            << "\"/opt/\\\\$HOME/kerla\"";
    QTest::newRow("percent") << "/opt/100%/kerla"
                             << "/opt/100%%/kerla";
    QTest::newRow("percent field code") << "/opt/%f/kerla"
                                        << "/opt/%%f/kerla";
    QTest::newRow("double quote") << "/opt/\"x\"/kerla"
                                  << "";
    QTest::newRow("single quote and backtick") << "/opt/it's `x`/kerla"
                                               << "";
    QTest::newRow("shell characters") << "/opt/a;b&c|d<e>f*g?h#i(j)~k/kerla"
                                      << "";
    QTest::newRow("equal sign") << "/opt/a=b/kerla"
                                << "\"/opt/a=b/kerla\"";
    QTest::newRow("Czech") << "/home/jiří/Plocha/kerla"
                           << "/home/jiří/Plocha/kerla";
    QTest::newRow("tab and newline") << "/opt/a\tb\nc/kerla"
                                     << "\"/opt/a\\tb\\nc/kerla\"";
}

void AutostartTest::execArgumentsReadBackWhole() {
#ifdef Q_OS_WIN
    QSKIP("a desktop entry is the freedesktop's; on Windows the start at login is a shortcut");
#endif
    QFETCH(QString, argument);
    QFETCH(QString, written);
    const QString value = autostart::execArgument(argument) + QStringLiteral(" a");
    if (!written.isEmpty())
        QCOMPARE(autostart::execArgument(argument), written);
    QCOMPARE(execCommand(value), (QStringList{argument, QStringLiteral("a")}));
    // The desktop's own validator takes the whole entry.
    QTemporaryDir dir;
    const QString entry = dir.filePath(QStringLiteral("org.example.Kerla.desktop"));
    QVERIFY(writeBytes(entry, autostart::desktopEntry(argument)));
    QCOMPARE(validatorComplaints(entry), QString());
}

void AutostartTest::entryRoundTrip() {
    TempConfig config;
    const QString path = autostart::entryPath();
    QCOMPARE(path, config.entry());
    QVERIFY(!autostart::isOn(path));

    // The folder is made when missing; the entry starts this very executable with "a".
    const QString exe = QCoreApplication::applicationFilePath();
    autostart::switchOn(path, exe);
    QVERIFY(autostart::isOn(path));
    QCOMPARE(entryCommand(path), (QStringList{exe, QStringLiteral("a")}));
#ifndef Q_OS_WIN
    QCOMPARE(entryValue(path, QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(entryValue(path, QStringLiteral("Icon")), QStringLiteral("org.example.Kerla"));
    QCOMPARE(validatorComplaints(path), QString());
#endif

    // Writing again replaces the entry (a moved program is started from its new place).
    const QString moved = config.movedProgram();
    autostart::switchOn(path, moved);
    QCOMPARE(entryCommand(path), (QStringList{moved, QStringLiteral("a")}));
#ifndef Q_OS_WIN
    QCOMPARE(validatorComplaints(path), QString());
#endif
    QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{QFileInfo(path).fileName()});

    autostart::switchOff(path);
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(!autostart::isOn(path));
    autostart::switchOff(path); // nothing to remove is no failure
}

void AutostartTest::failuresAreReported() {
    TempConfig config;
    const QString path = autostart::entryPath();
    const QString expected = QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(path);
    auto errorOf = [](auto &&f) {
        try {
            f();
        } catch (const KerlaError &e) {
            return e.message();
        }
        return QString();
    };
    // A file where the autostart folder should be: the entry cannot be written.
    QVERIFY(writeBytes(QFileInfo(path).path(), "not a folder"));
    QCOMPARE(errorOf([&] { autostart::switchOn(path, QStringLiteral("/usr/bin/kerla")); }), expected);
    QVERIFY(!autostart::isOn(path));
    QVERIFY(QFile::remove(QFileInfo(path).path()));
    // A folder with content where the entry should be: it can be neither written nor removed.
    QVERIFY(writeBytes(path + QStringLiteral("/inside"), "x"));
    QCOMPARE(errorOf([&] { autostart::switchOn(path, QStringLiteral("/usr/bin/kerla")); }), expected);
    QCOMPARE(errorOf([&] { autostart::switchOff(path); }), expected);
    QVERIFY(autostart::isOn(path));
}

void AutostartTest::menuItemFollowsTheFile() {
    TempConfig config;
    ProgramFolder folder;
    TestState test(folder, QDateTime(QDate(2025, 12, 31), QTime(9, 0)));
    Program program(test.state, QString(), printsupport::linkedTable());
    program.show();
    TMainForm &main = program.mainForm();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    auto *settings = main.findChild<QMenu *>(QStringLiteral("Nastaven1"));
    auto *item = main.findChild<QAction *>(QStringLiteral("Autostart1"));
    QVERIFY(settings && item);
    // After "Nastavení" and a separator; checkable, without a shortcut.
    const QList<QAction *> items = settings->actions();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0]->objectName(), QStringLiteral("Puvnast"));
    QVERIFY(items[1]->isSeparator());
    QCOMPARE(items[2], item);
    QCOMPARE(item->text(), QStringLiteral("Spouštět po přihlášení"));
    QVERIFY(item->isCheckable());
    QVERIFY(item->shortcuts().isEmpty());

    const QString path = config.entry();
    // Opens the menu and returns the mark it shows.
    auto markWhenOpened = [&] {
        settings->popup(main.mapToGlobal(QPoint(10, 10)));
        const bool checked = item->isChecked();
        settings->hide();
        return checked;
    };
    // Opens the menu and chooses the item with the keys.
    auto choose = [&] {
        settings->popup(main.mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(settings));
        QTest::keyClick(settings, Qt::Key_Down);
        QTest::keyClick(settings, Qt::Key_Down);
        QCOMPARE(settings->activeAction(), item);
        QTest::keyClick(settings, Qt::Key_Return);
        QTRY_VERIFY(!settings->isVisible());
    };

    // The mark shows the file as it is when the menu opens, whoever made or removed it.
    QVERIFY(!markWhenOpened());
    QVERIFY(writeBytes(path, autostart::desktopEntry(QStringLiteral("/usr/bin/kerla"))));
    QVERIFY(markWhenOpened());
    QVERIFY(QFile::remove(path));
    QVERIFY(!markWhenOpened());

    // Choosing it writes the entry for the running program, choosing it again removes it.
    choose();
    QVERIFY(item->isChecked());
    QCOMPARE(entryCommand(path), (QStringList{QCoreApplication::applicationFilePath(), QStringLiteral("a")}));
    choose();
    QVERIFY(!item->isChecked());
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(main.isVisible()); // Return in the menu chose the item and did not end the program
    QCOMPARE(test.messages.errors, QStringList());

    // A failed write is reported, and the mark stays true to the file.
    QVERIFY(QDir(QFileInfo(path).path()).removeRecursively());
    QVERIFY(writeBytes(QFileInfo(path).path(), "not a folder"));
    choose();
    QCOMPARE(test.messages.errors,
             QStringList{QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(path)});
    QVERIFY(!item->isChecked());
    QVERIFY(QFile::remove(QFileInfo(path).path()));

    // A failed removal likewise.
    QVERIFY(writeBytes(path + QStringLiteral("/inside"), "x"));
    QVERIFY(markWhenOpened());
    choose();
    QCOMPARE(test.messages.errors.size(), 2);
    QCOMPARE(test.messages.errors.last(),
             QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(path));
    QVERIFY(item->isChecked());
}

QTEST_MAIN(AutostartTest)
#include "autostart_test.moc"
