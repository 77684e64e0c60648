#pragma once

#include "import/datacheck.h"

#include <QByteArrayView>

// The parts of the data check that the day pages, the readings index and the book files share.
namespace datacheck::detail {

// Bytes that code page 1250 leaves undefined, and control bytes other than tab and line ends.
bool isForeignByte(unsigned char b);
// Text saved as UTF-8 instead of Windows-1250: bytes above 127 that all form UTF-8 sequences.
bool looksLikeUtf8(QByteArrayView bytes);
// A book file of Data/: its markers in order and without a gap, in code page 1250.
void checkBook(const QString &abbrev, const QByteArray &bytes, QList<Problem> &problems);

} // namespace datacheck::detail
