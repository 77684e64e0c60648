#include "platform/autostart.h"

#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

#ifdef Q_OS_WIN
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#endif

namespace autostart {

namespace {

[[noreturn]] void cannotWrite(const QString &path) {
    throw KerlaError(errors::unableToWriteTo(QDir::toNativeSeparators(path)));
}

#ifdef Q_OS_WIN
// A shell link to `executable` with the argument "a", saved at `path`.
bool writeShortcut(const QString &path, const QString &executable) {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool saved = false;
    IShellLinkW *link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void **>(&link)))) {
        const QString exe = QDir::toNativeSeparators(executable);
        const QString folder = QDir::toNativeSeparators(QFileInfo(executable).absolutePath());
        link->SetPath(reinterpret_cast<const wchar_t *>(exe.utf16()));
        link->SetArguments(L"a");
        link->SetWorkingDirectory(reinterpret_cast<const wchar_t *>(folder.utf16()));
        link->SetDescription(L"Kerla Dorny");
        IPersistFile *file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
            const QString target = QDir::toNativeSeparators(path);
            saved = SUCCEEDED(file->Save(reinterpret_cast<const wchar_t *>(target.utf16()), TRUE));
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return saved;
}
#endif

} // namespace

QString entryPath() {
#ifdef Q_OS_WIN
    // The user's Startup folder, wherever the user's shell folders put it.
    QString folder;
    PWSTR path = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_DONT_VERIFY, nullptr, &path)))
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    CoTaskMemFree(path);
    if (folder.isEmpty()) // by default it lies in the Start menu's Programs folder
        folder = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation) +
                 QStringLiteral("/Startup");
    return QDir::cleanPath(folder) + QStringLiteral("/Kerla Dorny.lnk");
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/org.example.Kerla.desktop");
#endif
}

bool isOn(const QString &path) {
#ifdef Q_OS_WIN
    // Whatever stands there, a shortcut to a program that is gone too: Qt's checks of a file
    // follow a shortcut to its target, and take any name that ends in .lnk for a link.
    const QString native = QDir::toNativeSeparators(path);
    return GetFileAttributesW(reinterpret_cast<const wchar_t *>(native.utf16())) != INVALID_FILE_ATTRIBUTES;
#else
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
#endif
}

QString execArgument(const QString &argument) {
    // A field code starts with '%', so a literal one is doubled.
    QString text = argument;
    text.replace(QLatin1Char('%'), QStringLiteral("%%"));
    // An argument with a reserved character is quoted whole. '=' is quoted too: the name of the
    // program may not hold it bare.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`=");
    const bool quote = text.isEmpty() || std::any_of(text.begin(), text.end(), [](QChar c) {
                           return reserved.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7f;
                       });
    if (quote) {
        QString quoted = QStringLiteral("\"");
        for (QChar c : text) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        text = quoted + QLatin1Char('"');
    }
    // The whole value is a string: its own escapes come on top of the quoting.
    QString value;
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            value += QStringLiteral("\\\\");
            break;
        case '\n':
            value += QStringLiteral("\\n");
            break;
        case '\t':
            value += QStringLiteral("\\t");
            break;
        case '\r':
            value += QStringLiteral("\\r");
            break;
        default:
            value += c;
        }
    }
    return value;
}

QByteArray desktopEntry(const QString &executable) {
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Kerla Dorny\n"
                                        "Comment=Kerlo dne jednou denně po přihlášení\n"
                                        "Comment[en]=The day's watchword once a day at login\n"
                                        "Exec=%1 a\n"
                                        "Icon=org.example.Kerla\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(execArgument(executable));
    return text.toUtf8();
}

void switchOn(const QString &path, const QString &executable) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        cannotWrite(path);
#ifdef Q_OS_WIN
    if (!writeShortcut(path, executable))
        cannotWrite(path);
#else
    // Unbuffered, so that a failed write is seen before the file takes the entry's place.
    const QByteArray bytes = desktopEntry(executable);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size()) {
        cannotWrite(path); // the temporary file goes with `file`
    }
    if (!file.commit())
        cannotWrite(path);
#endif
}

void switchOff(const QString &path) {
    if (isOn(path) && !QFile::remove(path))
        cannotWrite(path);
}

} // namespace autostart
