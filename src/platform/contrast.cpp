#include "platform/contrast.h"

#include "platform/colorvalue.h"

#include <QImage>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace contrast {

namespace {
// One sRGB channel (0..1) made linear.
double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}
} // namespace

double relativeLuminance(const QColor &color) {
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor &a, const QColor &b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &text, const QColor &background) {
    if (contrastRatio(text, background) >= MinimumRatio)
        return text;
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

QColor readableText(int textColorValue, int backgroundColorValue) {
    return readableOn(colorvalue::toQColor(textColorValue), colorvalue::toQColor(backgroundColorValue));
}

QColor averageColor(const QImage &picture, const QRect &area) {
    const QRect inside = area.intersected(picture.rect());
    if (inside.isEmpty())
        return {};
    qint64 red = 0, green = 0, blue = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
        }
    }
    const qint64 count = qint64(inside.width()) * inside.height();
    return QColor(int(red / count), int(green / count), int(blue / count));
}

} // namespace contrast
