// VersionText on Windows: the product version in the file's version resource (VERSIONINFO).
#include "dialogs/versioninfo.h"

#include <QDir>

#include <windows.h>

#include <vector>

namespace versioninfo {

QString versionFromResource(const QString &path) {
    const QString native = QDir::toNativeSeparators(path);
    const auto *name = reinterpret_cast<const wchar_t *>(native.utf16());
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(name, &ignored);
    if (size == 0)
        return {};
    std::vector<char> data(size);
    if (!GetFileVersionInfoW(name, 0, size, data.data()))
        return {};
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&fixed), &length) || !fixed ||
        length < sizeof(VS_FIXEDFILEINFO) || fixed->dwSignature != 0xFEEF04BD)
        return {};
    return QStringLiteral("%1.%2")
        .arg(HIWORD(fixed->dwProductVersionMS))
        .arg(LOWORD(fixed->dwProductVersionMS));
}

} // namespace versioninfo
