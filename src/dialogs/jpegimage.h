#pragma once

#include <QByteArrayView>
#include <QImage>

namespace jpegimage {

// Decodes a JPEG picture with libjpeg. Data that libjpeg cannot read, or reads only with
// complaints (a damaged or truncated file), gives a null image; nothing is printed and the
// process goes on.
QImage decode(QByteArrayView data);

} // namespace jpegimage
