#include "dialogs/translationnote.h"

#include <QFileInfo>

namespace translationnote {

std::int32_t packDosDateTime(const QDateTime &local) {
    if (!local.isValid())
        return NoFile;
    const QDate d = local.date();
    const QTime t = local.time();
    if (d.year() < 1980 || d.year() > 2107)
        return NoFile;
    const std::uint32_t date =
        std::uint32_t(d.year() - 1980) << 9 | std::uint32_t(d.month()) << 5 | std::uint32_t(d.day());
    const std::uint32_t time =
        std::uint32_t(t.hour()) << 11 | std::uint32_t(t.minute()) << 5 | std::uint32_t(t.second() / 2);
    return static_cast<std::int32_t>(date << 16 | time);
}

std::int32_t fileDosDateTime(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return NoFile;
    return packDosDateTime(info.lastModified().toLocalTime());
}

QString noteFor(std::int32_t dosDateTime) {
    switch (static_cast<std::uint32_t>(dosDateTime)) {
    case 0x28539508u: // 19 February 2000, 18:40:16
        return QStringLiteral("Pro denní čtení je použito překladu ekumenického (SZ) a KMS (NZ).");
    case 0x267984D4u: // 25 March 1999, 16:38:40
        return QStringLiteral("Pro denní čtení je použito kralického překladu z roku 1613.");
    default:
        return QStringLiteral("........");
    }
}

} // namespace translationnote
