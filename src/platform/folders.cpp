#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace folders {

namespace {

// A folder holds a data set when it has the book files, the toolbar pictures or a year's pages.
bool holdsDataSet(const QDir &dir) {
    return dir.exists(QStringLiteral("Data")) || dir.exists(QStringLiteral("grafika")) ||
           !dir.entryList({QStringLiteral("Kerla*.rtf"), QStringLiteral("Cteni*.sj")},
                          QDir::Files | QDir::CaseSensitive)
                .isEmpty();
}

// The folder that the platform names for the user's data.
QString platformDataFolder() {
#ifdef Q_OS_WIN
    // %LOCALAPPDATA%, the user's local application-data folder, as the session sets it; the
    // shell's known folder when it is not set.
    const QString local = qEnvironmentVariable("LOCALAPPDATA");
    if (!local.isEmpty() && QDir::isAbsolutePath(local))
        return QDir::cleanPath(QDir::fromNativeSeparators(local));
#endif
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

} // namespace

QString programDirFor(const QString &exeDir) {
    const QDir beside(exeDir);
    if (holdsDataSet(beside))
        return beside.absolutePath() + QLatin1Char('/');
    const QDir installed(beside.absoluteFilePath(QStringLiteral("../share/kerla")));
    if (holdsDataSet(installed))
        return QDir::cleanPath(installed.absolutePath()) + QLatin1Char('/');
    return beside.absolutePath() + QLatin1Char('/');
}

QString programDir() {
    return programDirFor(QCoreApplication::applicationDirPath());
}

QString userDataDir(bool *created) {
    QString dir = platformDataFolder();
    // When the platform cannot tell, the usual place under the home folder; never the root.
    if (dir.isEmpty())
        dir = QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/share"));
    const bool made = QDir().mkpath(dir);
    if (created)
        *created = made;
    return dir + QLatin1Char('/');
}

} // namespace folders
