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
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // When the platform cannot tell, the usual place under the home folder; never the root.
    if (dir.isEmpty())
        dir = QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/share"));
    const bool made = QDir().mkpath(dir);
    if (created)
        *created = made;
    return dir + QLatin1Char('/');
}

} // namespace folders
