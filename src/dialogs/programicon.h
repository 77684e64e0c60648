#pragma once

#include <QPixmap>

// The program's icon: an open book with a bookmark, drawn for the given size.
QPixmap programIcon(int size = 32);
