#include "platform/boundedpicture.h"

#include <QImageReader>

namespace boundedpicture {

QImage read(QImageReader &reader, QString *reason) {
    const QSize size = reader.size();
    if (size.width() > MaxSide || size.height() > MaxSide || size.width() < -MaxSide ||
        size.height() < -MaxSide) {
        if (reason)
            *reason = QStringLiteral("Obrázek je příliš velký (%1 × %2 bodů).")
                          .arg(size.width())
                          .arg(size.height());
        return {};
    }
    QImage image = reader.read();
    if (image.isNull() && reason)
        *reason = reader.errorString();
    return image;
}

} // namespace boundedpicture
