#include "dialogs/printsupport.h"

#include "platform/errors.h"

#include <QDir>

namespace printsupport {

QString modulePath(const QString &executableDir) {
    return QDir::cleanPath(
        QDir(executableDir).absoluteFilePath(QStringLiteral(KERLA_MODULE_DIR "/" KERLA_MODULE_FILE)));
}

QImage Source::decodeJpeg(QByteArrayView data) {
    try {
        return functions().decodeJpeg(data);
    } catch (const KerlaError &) {
        return {};
    }
}

} // namespace printsupport
