#include "platform/shellopen.h"

#ifdef Q_OS_WIN
#include <QDir>

#include <windows.h>

#include <shellapi.h>
#else
#include <QDesktopServices>
#endif

namespace shellopen {

bool open(const QUrl &url) {
#ifdef Q_OS_WIN
    // A local file goes by its path, anything else by its address as the shell reads it.
    const QString target =
        url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString(QUrl::FullyEncoded);
    const HINSTANCE result = ShellExecuteW(
        nullptr, L"open", reinterpret_cast<const wchar_t *>(target.utf16()), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
#else
    return QDesktopServices::openUrl(url);
#endif
}

} // namespace shellopen
