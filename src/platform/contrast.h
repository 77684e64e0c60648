#pragma once

#include <QColor>

class QImage;
class QRect;

// Readable colour pairs. The measure is the contrast ratio of two colours' relative luminances
// (sRGB, as the web's accessibility guidelines define it): from 1:1 for equal colours to 21:1 for
// black on white. Text needs 4.5:1 to be read comfortably.
namespace contrast {

inline constexpr double MinimumRatio = 4.5;

// 0 for black to 1 for white.
double relativeLuminance(const QColor &color);
// (lighter + 0.05) / (darker + 0.05); the order of the two colours does not matter.
double contrastRatio(const QColor &a, const QColor &b);
// The text colour to draw on `background`: `text` itself while the pair reaches MinimumRatio,
// otherwise black or white, whichever contrasts more with the background.
QColor readableOn(const QColor &text, const QColor &background);
// The same for two stored colour values (colorvalue.h), system colours taken from the palette.
QColor readableText(int textColorValue, int backgroundColorValue);
// The mean colour of a picture's pixels within `area` (clipped to the picture); invalid when
// nothing of the picture lies there. Text over a picture is measured against it.
QColor averageColor(const QImage &picture, const QRect &area);

} // namespace contrast
