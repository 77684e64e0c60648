#include "folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace folders {

QString programDir() {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
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
