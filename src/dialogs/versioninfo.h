#pragma once

#include <QByteArrayView>
#include <QString>

// The product version of an executable file as "major.minor" (the two less significant numbers
// are not shown), read from the version stamp in the file. A file without a stamp, a file that
// cannot be read and a file that is not a well-formed ELF executable give an empty text. On
// Windows the version is the file's version resource, as Explorer shows it.
QString VersionText(const QString &path);

namespace versioninfo {
// The same for the bytes of a file already in memory.
QString versionFromElf(QByteArrayView file);
// On Windows, where VersionText reads it: the product version from the file's version resource
// (versioninfo_win.cpp).
QString versionFromResource(const QString &path);
} // namespace versioninfo
