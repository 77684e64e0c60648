#include "platform/systemcodepage.h"

#include <windows.h>

namespace systemcodepage {

bool decode(int codePage, QByteArrayView bytes, QString *text) {
    if (codePage <= 0 || !IsValidCodePage(UINT(codePage)))
        return false;
    text->clear();
    if (bytes.isEmpty())
        return true;
    const int size = int(bytes.size());
    const int length = MultiByteToWideChar(UINT(codePage), 0, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    text->resize(length);
    MultiByteToWideChar(UINT(codePage), 0, bytes.data(), size, reinterpret_cast<wchar_t *>(text->data()),
                        length);
    return true;
}

} // namespace systemcodepage
