// The data check of the book files in Data/.
#include "import/datacheck_parts.h"

#include "platform/cp1250.h"
#include "platform/textfile.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace datacheck::detail {

bool isForeignByte(unsigned char b) {
    return (b < 0x20 && b != '\t' && b != '\r' && b != '\n') || b == 0x7F || b == 0x81 || b == 0x83 ||
           b == 0x88 || b == 0x90 || b == 0x98;
}

bool looksLikeUtf8(QByteArrayView bytes) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

void checkBook(const QString &abbrev, const QByteArray &bytes, QList<Problem> &problems) {
    const auto add = [&](const QString &file, int line, const QString &day, const QString &code,
                         const QString &message) {
        problems.append({file, line, day, code, message});
    };
    const QString file = QStringLiteral("Data/") + abbrev;
    if (looksLikeUtf8(bytes)) {
        add(file, 0, {}, QStringLiteral("book-codepage"),
            QStringLiteral("soubor je v kódování UTF-8, ne Windows-1250"));
        return;
    }
    const QList<QByteArray> lines = textfile::splitLines(bytes);
    const QByteArray prefix = cp1250::fromUnicode(abbrev) + ' ';
    static const QRegularExpression numbers(QStringLiteral("^(\\d+) (\\d+)(?: |$)"));
    int chapter = 0, verse = 0, markers = 0;
    bool codePageReported = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        const int lineNo = int(i + 1);
        if (!codePageReported && std::any_of(line.begin(), line.end(), [](char c) {
                return isForeignByte(static_cast<unsigned char>(c));
            })) {
            add(file, lineNo, {}, QStringLiteral("book-codepage"),
                QStringLiteral("bajt, který ve Windows-1250 není znak (řídicí znak nebo nedefinovaný kód)"));
            codePageReported = true;
        }
        if (!line.startsWith(prefix))
            continue; // the verse goes on from the line before
        const auto m = numbers.match(QString::fromLatin1(line.mid(prefix.size(), 16)));
        if (!m.hasMatch())
            continue;
        const int c = m.captured(1).toInt(), v = m.captured(2).toInt();
        ++markers;
        const QString here = QStringLiteral("%1 %2 %3").arg(abbrev).arg(c).arg(v);
        if (c == chapter && v == verse + 1) {
            // the next verse
        } else if (c == chapter + 1 && v == 1) {
            // the next chapter
        } else if (c < chapter || (c == chapter && v <= verse)) {
            add(file, lineNo, {}, QStringLiteral("book-order"),
                QStringLiteral("značka %1 stojí za značkou %2 %3 %4; verše musí jít po sobě")
                    .arg(here, abbrev)
                    .arg(chapter)
                    .arg(verse));
        } else if (c == chapter) {
            add(file, lineNo, {}, QStringLiteral("book-gap"),
                QStringLiteral("mezi značkami %1 %2 %3 a %4 chybí verš %1 %2 %5")
                    .arg(abbrev)
                    .arg(chapter)
                    .arg(verse)
                    .arg(here)
                    .arg(verse + 1));
        } else {
            add(file, lineNo, {}, QStringLiteral("book-gap"),
                QStringLiteral("značka %1 nenavazuje na %2 %3 %4; chybí začátek kapitoly nebo celá kapitola")
                    .arg(here, abbrev)
                    .arg(chapter)
                    .arg(verse));
        }
        chapter = c; // one misplaced marker is one problem, not one for every verse after it
        verse = v;
    }
    if (markers == 0)
        add(file, 0, {}, QStringLiteral("book-order"),
            QStringLiteral("v souboru není žádná značka verše „%1 kapitola verš“").arg(abbrev));
}

} // namespace datacheck::detail
