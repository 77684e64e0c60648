#pragma once

#include "art/toolbarart.h"

#include <QIcon>
#include <QImage>

// The toolbar's pictures as the main window shows them. At 1× and 2× they come ready-made from the
// build (kerla-art draws them into the program as rows of pixels), so the start draws, decodes and
// loads nothing for them, no font and no picture reader; at any other density they are drawn when
// asked for.
namespace toolbarart {

// The picture for a screen of the given device pixel ratio, pixel for pixel as draw() gives it.
QImage picture(Picture picture, qreal devicePixelRatio);
// The picture as an icon that is sharp at 1× and at the given device pixel ratio.
QIcon icon(Picture picture, qreal devicePixelRatio);

// The build's ready-made pictures: one picture at a whole device pixel ratio, 32 × ratio pixels
// square, as rows of 8-bit RGB pixels without padding.
struct ReadyPicture {
    int picture;
    int ratio;
    const unsigned char *pixels;
    int size; // bytes
};
// Written by kerla-art into the build (toolbarpictures.cpp).
extern const ReadyPicture readyPictures[];
extern const int readyPictureCount;

} // namespace toolbarart
