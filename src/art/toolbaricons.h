#pragma once

#include "art/toolbarart.h"

#include <QIcon>
#include <QImage>

// The toolbar's pictures as the main window shows them. At 1× and 2× they come ready-made from the
// build (kerla-art draws them into the program as PNG), so the start draws nothing and loads no
// font for them; at any other density they are drawn when asked for.
namespace toolbarart {

// The picture for a screen of the given device pixel ratio, pixel for pixel as draw() gives it.
QImage picture(Picture picture, qreal devicePixelRatio);
// The picture as an icon that is sharp at 1× and at the given device pixel ratio.
QIcon icon(Picture picture, qreal devicePixelRatio);

// The build's ready-made pictures: PNG bytes of one picture at a whole device pixel ratio.
struct ReadyPicture {
    int picture;
    int ratio;
    const unsigned char *png;
    int size;
};
// Written by kerla-art into the build (toolbarpictures.cpp).
extern const ReadyPicture readyPictures[];
extern const int readyPictureCount;

} // namespace toolbarart
