#include "platform/errors.h"

#include <cstring>

namespace errors {

QString cannotOpenFile(const QString &path, const QString &reason) {
    return QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason);
}

QString cannotReadFile(const QString &path, const QString &reason) {
    return QStringLiteral("Cannot read file \"%1\". %2").arg(path, reason);
}

QString cannotDeleteFile(const QString &path, const QString &reason) {
    return QStringLiteral("Cannot delete file \"%1\". %2").arg(path, reason);
}

QString cannotCreateFile(const QString &path, const QString &reason) {
    return QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason);
}

QString listIndexOutOfBounds(qint64 index) {
    return QStringLiteral("List index out of bounds (%1)").arg(index);
}

QString unableToWriteTo(const QString &path) {
    return QStringLiteral("Unable to write to %1").arg(path);
}

QString systemReason(int errnoValue) {
    return QString::fromLocal8Bit(std::strerror(errnoValue));
}

} // namespace errors
