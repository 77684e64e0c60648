#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QString>
#include <QTemporaryDir>

#ifdef Q_OS_WIN
#include <cstdlib>
#endif

// The variable that names the user's data folder to the program, the program's file in the build,
// and the platform that a started program runs on without a screen of its own (Qt's offscreen
// platform has no fonts on Windows, so there the Windows one, on Wine's virtual screen).
#ifdef Q_OS_WIN
inline constexpr char kUserDataVariable[] = "LOCALAPPDATA";
inline constexpr char kHeadlessPlatform[] = "windows";
#define KERLA_PROGRAM KERLA_BIN_DIR "/kerla.exe"
#else
inline constexpr char kUserDataVariable[] = "XDG_DATA_HOME";
inline constexpr char kHeadlessPlatform[] = "offscreen";
#define KERLA_PROGRAM KERLA_BIN_DIR "/kerla"
#endif

// Sets an environment variable to a path. (On Windows qputenv takes the ANSI code page, which holds
// few Czech letters; the wide environment holds them all.)
inline void putEnvPath(const char *name, const QString &path) {
#ifdef Q_OS_WIN
    _wputenv_s(QString::fromLatin1(name).toStdWString().c_str(), path.toStdWString().c_str());
#else
    qputenv(name, QFile::encodeName(path));
#endif
}

// A temporary user folder for one test: XDG_DATA_HOME (on Windows LOCALAPPDATA) points into it,
// so the program takes it as the user's data folder.
class TempUserData {
public:
    TempUserData() { putEnvPath(kUserDataVariable, m_dir.path()); }
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
};

inline QByteArray readBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A window's control by its object name; the test ends at once when there is none.
template <class T> T *childOf(const QObject &window, const char *name) {
    T *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("%s has no control %s", qPrintable(window.objectName()), name);
    return found;
}
