#pragma once

#include <QByteArrayView>
#include <QString>

// Windows' own conversion of a code page's bytes (MultiByteToWideChar), for the code pages that
// Qt cannot convert there: Qt for Windows is built without ICU, so it knows none of the 8-bit and
// East Asian code pages that an RTF file may name. Windows only (systemcodepage_win.cpp).
namespace systemcodepage {

// The text of `bytes` in `codePage`; false when Windows does not know that code page.
bool decode(int codePage, QByteArrayView bytes, QString *text);

} // namespace systemcodepage
