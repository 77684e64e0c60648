#include "readings/sheetpicture.h"

#include <QList>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace sheetpicture {

namespace {

// Palette layout.
enum : uchar {
    IxBackground = 0,
    IxPaper = 1,
    IxPaperEdge = 2,  // 2..5: the paper's edge, from the outermost pixel inwards
    IxShadow = 6,     // 6..9: the sheet's shadow, from its outer rim inwards
    IxPinShadow = 10, // 10..11: a pin's shadow on the paper, rim and core
    IxPinHead = 12,   // 12..27: a pin's head, from the highlight to the darkest red
    IxPinRim = 28,    // the dark rim of a pin's head
    IxPinGloss = 29,  // 29..36: the glossy spot, from the brightest outwards
};
constexpr int PinHeadShades = 16;
constexpr int PinGlossShades = 8;

constexpr QRect Sheet(30, 16, 366, 318); // left 30, top 16, right edge 395, bottom edge 333
constexpr int ShadowDx = 5, ShadowDy = 6;
constexpr int PinInset = 11, PinRadius = 7;
constexpr int PinShadowOffset = 3; // down and to the right
// How far from its centre a pin or its shadow reaches, along either axis.
constexpr int PinReach = PinShadowOffset + PinRadius + 1;

QList<QRgb> palette() {
    QList<QRgb> colors(PaletteSize);
    colors[IxBackground] = Background;
    colors[IxPaper] = qRgb(255, 255, 255);
    const int edge[4] = {206, 226, 240, 250};
    for (int i = 0; i < 4; ++i)
        colors[IxPaperEdge + i] = qRgb(edge[i], edge[i], edge[i] - 2);
    const int shadow[4] = {74, 66, 58, 50};
    for (int i = 0; i < 4; ++i)
        colors[IxShadow + i] = qRgb(shadow[i], shadow[i], shadow[i]);
    colors[IxPinShadow] = qRgb(214, 214, 212);
    colors[IxPinShadow + 1] = qRgb(184, 184, 182);
    for (int i = 0; i < PinHeadShades; ++i) {
        // From a light red to a deep red.
        const double t = double(i) / (PinHeadShades - 1);
        colors[IxPinHead + i] = qRgb(int(std::lround(236 - 120 * t)), int(std::lround(74 - 62 * t)),
                                     int(std::lround(70 - 58 * t)));
    }
    colors[IxPinRim] = qRgb(72, 8, 10);
    for (int i = 0; i < PinGlossShades; ++i) {
        const double t = double(i) / (PinGlossShades - 1);
        colors[IxPinGloss + i] = qRgb(255, int(std::lround(236 - 120 * t)), int(std::lround(232 - 120 * t)));
    }
    return colors;
}

// Distance of the point (x, y) from the rectangle's nearest edge, counted inwards in whole
// pixels (0 in the edge's own pixels).
int insideDepth(const QRect &r, double x, double y) {
    return int(std::floor(
        std::min({x - r.left(), r.left() + r.width() - x, y - r.top(), r.top() + r.height() - y})));
}

// The device pixels that a span of the picture covers: Qt scales a rectangle of a window's shape by
// its corner and its size, each rounded.
struct DeviceSpan {
    int first, end;
    bool contains(int i) const { return i >= first && i < end; }
};
DeviceSpan span(int start, int length, qreal r) {
    const int first = qRound(start * r);
    return {first, first + qRound(length * r)};
}

QList<QPoint> pinCentres() {
    return {{Sheet.left() + PinInset, Sheet.top() + PinInset},
            {Sheet.right() - PinInset, Sheet.top() + PinInset},
            {Sheet.left() + PinInset, Sheet.bottom() - PinInset},
            {Sheet.right() - PinInset, Sheet.bottom() - PinInset}};
}

} // namespace

QRect sheetRect() {
    return Sheet;
}

QImage sheetPicture(qreal devicePixelRatio) {
    const qreal r = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const int width = int(std::ceil(Width * r - 0.001)), height = int(std::ceil(Height * r - 0.001));
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(palette());

    // The sheet and its shadow. Each pixel is judged at its centre, in the picture's own units; a
    // rectangle's edges fall where the window system puts the edges of the window's shape.
    const QRect shadowRect = Sheet.translated(ShadowDx, ShadowDy);
    const DeviceSpan sheetX = span(Sheet.left(), Sheet.width(), r),
                     sheetY = span(Sheet.top(), Sheet.height(), r);
    const DeviceSpan shadowX = span(shadowRect.left(), shadowRect.width(), r),
                     shadowY = span(shadowRect.top(), shadowRect.height(), r);
    for (int y = 0; y < height; ++y) {
        uchar *line = image.scanLine(y);
        const double py = (y + 0.5) / r;
        for (int x = 0; x < width; ++x) {
            const double px = (x + 0.5) / r;
            uchar ix = IxBackground;
            if (sheetX.contains(x) && sheetY.contains(y)) {
                const int depth = insideDepth(Sheet, px, py);
                ix = depth < 4 ? uchar(IxPaperEdge + depth) : uchar(IxPaper);
            } else if (shadowX.contains(x) && shadowY.contains(y)) {
                ix = uchar(IxShadow + std::min(insideDepth(shadowRect, px, py), 3));
            }
            line[x] = ix;
        }
    }

    // The pins over it, each within a square around its centre that holds it and its shadow.
    for (const QPoint &centre : pinCentres()) {
        const QRect logicalReach =
            QRect(centre - QPoint(PinReach, PinReach), centre + QPoint(PinReach, PinReach));
        const QRect reach = QRect(QPoint(int(logicalReach.left() * r), int(logicalReach.top() * r)),
                                  QPoint(int(std::ceil((logicalReach.right() + 1) * r)),
                                         int(std::ceil((logicalReach.bottom() + 1) * r)))) &
                            image.rect();
        // Pixel centres are measured from the centre of the pin's middle pixel.
        const double cx = centre.x() + 0.5, cy = centre.y() + 0.5;
        for (int y = reach.top(); y <= reach.bottom(); ++y) {
            uchar *line = image.scanLine(y);
            const double py = (y + 0.5) / r;
            for (int x = reach.left(); x <= reach.right(); ++x) {
                uchar &ix = line[x];
                const double px = (x + 0.5) / r;
                const double dx = px - cx, dy = py - cy;
                const double d = std::sqrt(dx * dx + dy * dy);
                // The pin's shadow falls down and to the right, on the paper only.
                const double sx = px - (cx + PinShadowOffset), sy = py - (cy + PinShadowOffset);
                const double sd = std::sqrt(sx * sx + sy * sy);
                const bool onPaper = sheetX.contains(x) && sheetY.contains(y);
                if (d > PinRadius && sd <= PinRadius + 1 && onPaper)
                    ix = sd > PinRadius - 1 ? uchar(IxPinShadow) : uchar(IxPinShadow + 1);
                if (d > PinRadius)
                    continue;
                if (d > PinRadius - 1) {
                    ix = IxPinRim;
                    continue;
                }
                // Lit from the top left: a glossy spot, then the head darkens away from it.
                const double gx = px - (cx - 2.5), gy = py - (cy - 2.5);
                const double g = std::sqrt(gx * gx + gy * gy);
                if (g < 2.0)
                    ix = uchar(IxPinGloss + std::min(int(g * PinGlossShades / 2.0), PinGlossShades - 1));
                else
                    ix = uchar(IxPinHead + std::min(int((g - 2.0) * PinHeadShades / (PinRadius + 1.5)),
                                                    PinHeadShades - 1));
            }
        }
    }
    image.setDevicePixelRatio(r);
    return image;
}

} // namespace sheetpicture
