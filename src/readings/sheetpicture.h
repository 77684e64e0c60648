#pragma once

#include <QImage>

// The reading window's picture: a white sheet of paper pinned at its four corners, with a soft
// shadow, on a plain dark grey background (82, 82, 82) that also fills the bottom-left pixel.
// 416 × 350 pixels, 8 bits per pixel with a palette of 37 colours, drawn the same way every time.
// No pixel is pure black.
namespace sheetpicture {

inline constexpr int Width = 416;
inline constexpr int Height = 350;
inline constexpr int PaletteSize = 37;
inline constexpr QRgb Background = 0xFF525252; // 82, 82, 82

// The sheet itself (the paper, without the shadow and the pins' shadows), in picture coordinates.
QRect sheetRect();

// Drawn for a screen of the given device pixel ratio: (Width × Height) × ratio pixels that carry
// the ratio, so that the sheet stays sharp; at ratio 1 the picture described above.
QImage sheetPicture(qreal devicePixelRatio = 1.0);

} // namespace sheetpicture
