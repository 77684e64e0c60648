#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QString>
#include <QTemporaryDir>

// A temporary user folder for one test: XDG_DATA_HOME points into it, so QStandardPaths gives
// it back as the user's data folder.
class TempUserData {
public:
    TempUserData() { qputenv("XDG_DATA_HOME", m_dir.path().toLocal8Bit()); }
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
