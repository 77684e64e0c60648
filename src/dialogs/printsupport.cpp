#include "dialogs/printsupport.h"

#include "platform/errors.h"

#include <QDir>

namespace printsupport {

QString modulePath(const QString &executableDir) {
    return QDir::cleanPath(
        QDir(executableDir).absoluteFilePath(QStringLiteral(KERLA_MODULE_DIR "/libkerla-print.so")));
}

QImage Source::decodeJpeg(QByteArrayView data) {
    try {
        return functions().decodeJpeg(data);
    } catch (const KerlaError &) {
        return {};
    }
}

} // namespace printsupport
