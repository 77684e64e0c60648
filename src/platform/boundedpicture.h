#pragma once

#include <QImage>
#include <QString>

class QImageReader;

namespace boundedpicture {
// The toolbar's pictures are 32 × 32; a file whose header claims a side longer than this is not
// read at all, so a damaged header cannot make the program allocate and decode for seconds.
inline constexpr int MaxSide = 1024;

// The picture the reader gives, or a null image with *reason telling why (the reader's own error,
// or that the picture is too large).
QImage read(QImageReader &reader, QString *reason);
} // namespace boundedpicture
