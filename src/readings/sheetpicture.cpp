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

// Distance of (x, y) from the rectangle's nearest edge, counted inwards (0 on the edge itself).
int insideDepth(const QRect &r, int x, int y) {
    return std::min({x - r.left(), r.right() - x, y - r.top(), r.bottom() - y});
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

QImage sheetPicture() {
    QImage image(Width, Height, QImage::Format_Indexed8);
    image.setColorTable(palette());

    // The sheet and its shadow.
    const QRect shadowRect = Sheet.translated(ShadowDx, ShadowDy);
    for (int y = 0; y < Height; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < Width; ++x) {
            uchar ix = IxBackground;
            if (Sheet.contains(x, y)) {
                const int depth = insideDepth(Sheet, x, y);
                ix = depth < 4 ? uchar(IxPaperEdge + depth) : uchar(IxPaper);
            } else if (shadowRect.contains(x, y)) {
                ix = uchar(IxShadow + std::min(insideDepth(shadowRect, x, y), 3));
            }
            line[x] = ix;
        }
    }

    // The pins over it, each within a square around its centre that holds it and its shadow.
    for (const QPoint &c : pinCentres()) {
        const QRect reach =
            QRect(c - QPoint(PinReach, PinReach), c + QPoint(PinReach, PinReach)) & image.rect();
        for (int y = reach.top(); y <= reach.bottom(); ++y) {
            uchar *line = image.scanLine(y);
            for (int x = reach.left(); x <= reach.right(); ++x) {
                uchar &ix = line[x];
                const double dx = x - c.x(), dy = y - c.y();
                const double d = std::sqrt(dx * dx + dy * dy);
                // The pin's shadow falls down and to the right, on the paper only.
                const double sx = x - (c.x() + PinShadowOffset), sy = y - (c.y() + PinShadowOffset);
                const double sd = std::sqrt(sx * sx + sy * sy);
                if (d > PinRadius && sd <= PinRadius + 1 && Sheet.contains(x, y))
                    ix = sd > PinRadius - 1 ? uchar(IxPinShadow) : uchar(IxPinShadow + 1);
                if (d > PinRadius)
                    continue;
                if (d > PinRadius - 1) {
                    ix = IxPinRim;
                    continue;
                }
                // Lit from the top left: a glossy spot, then the head darkens away from it.
                const double gx = x - (c.x() - 2.5), gy = y - (c.y() - 2.5);
                const double g = std::sqrt(gx * gx + gy * gy);
                if (g < 2.0)
                    ix = uchar(IxPinGloss + std::min(int(g * PinGlossShades / 2.0), PinGlossShades - 1));
                else
                    ix = uchar(IxPinHead + std::min(int((g - 2.0) * PinHeadShades / (PinRadius + 1.5)),
                                                    PinHeadShades - 1));
            }
        }
    }
    return image;
}

} // namespace sheetpicture
