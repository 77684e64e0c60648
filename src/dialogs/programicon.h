#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon, an open book with a bookmark: the PNG sizes rendered from its SVG at build
// time, the same pictures that the icon theme gets.
// Every size, for the window icon: each screen takes the one that fits its pixel ratio.
QIcon programWindowIcon();
// The picture for `size` logical pixels, at the application's device pixel ratio.
QPixmap programIcon(int size = 32);
