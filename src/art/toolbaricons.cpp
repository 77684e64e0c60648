#include "art/toolbaricons.h"

#include <QPixmap>

namespace toolbarart {

QImage picture(Picture picture, qreal devicePixelRatio) {
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    for (int i = 0; i < readyPictureCount; ++i) {
        const ReadyPicture &ready = readyPictures[i];
        if (ready.picture != int(picture) || ready.ratio != ratio)
            continue;
        QImage image;
        if (image.loadFromData(ready.png, ready.size, "PNG") && image.width() == 32 * ready.ratio) {
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
