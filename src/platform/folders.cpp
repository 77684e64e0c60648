#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace folders {

QString programDir() {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

QString userDataDir() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dir.isEmpty())
        return QStringLiteral("/");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/');
}

} // namespace folders
