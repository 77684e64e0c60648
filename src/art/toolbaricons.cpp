#include "art/toolbaricons.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>

namespace toolbarart {

QImage picture(Picture picture, qreal devicePixelRatio) {
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    for (int i = 0; i < readyPictureCount; ++i) {
        const ReadyPicture &ready = readyPictures[i];
        if (ready.picture != int(picture) || ready.ratio != ratio)
            continue;
        QByteArray png = QByteArray::fromRawData(reinterpret_cast<const char *>(ready.png), ready.size);
        QBuffer bytes(&png);
        QImageReader reader(&bytes, "png");
        // The bytes are PNG: no picture-format plug-in is loaded to ask whether it reads them.
        reader.setAutoDetectImageFormat(false);
        QImage image;
        if (reader.read(&image) && image.width() == 32 * ready.ratio) {
            image.setDevicePixelRatio(ready.ratio);
            return image;
        }
        break;
    }
    return draw(picture, ratio);
}

QIcon icon(Picture which, qreal devicePixelRatio) {
    QIcon icon(QPixmap::fromImage(picture(which, 1.0)));
    if (devicePixelRatio > 1.0)
        icon.addPixmap(QPixmap::fromImage(picture(which, devicePixelRatio)));
    return icon;
}

} // namespace toolbarart
