#include "datagen.h"

#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>

namespace datagen {

QByteArray bookFile(const Book &book) {
    QString text;
    for (int c = 1; c <= book.chapterCount(); ++c) {
        for (int v = 1; v <= book.verseCount(c); ++v) {
            text += QStringLiteral("%1 %2 %3 ").arg(book.abbrev).arg(c).arg(v);
            text += book.verse(c, v);
            text += QLatin1String("\r\n");
        }
    }
    return cp1250::fromUnicode(text);
}

QDateTime translationTimeStamp() {
    return QDateTime(QDate(1999, 3, 25), QTime(16, 38, 40), Qt::LocalTime);
}

void writeBookFiles(const Bible &bible, const QString &outDir) {
    const QString dataDir = outDir + QStringLiteral("/Data/");
    if (!QDir().mkpath(dataDir))
        throw KerlaError(errors::cannotCreateFile(dataDir, QStringLiteral("Cannot create the folder")));
    for (const Book &book : bible.books)
        textfile::writeAll(dataDir + book.abbrev, bookFile(book));

    QFile stamped(dataDir + QStringLiteral("1j"));
    if (!stamped.open(QIODevice::ReadWrite) ||
        !stamped.setFileTime(translationTimeStamp(), QFileDevice::FileModificationTime))
        throw KerlaError(errors::unableToWriteTo(stamped.fileName()));
}

} // namespace datagen
