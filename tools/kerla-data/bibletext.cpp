#include "bibletext.h"

#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/textfile.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>

namespace datagen {

namespace {

[[noreturn]] void fail(const QString &path, qsizetype line, const QString &what) {
    throw KerlaError(QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(what));
}

QStringList readUtf8Lines(const QString &path) {
    const QByteArray bytes = textfile::readAll(path);
    QStringList lines;
    for (const QByteArray &line : textfile::splitLines(bytes))
        lines.append(QString::fromUtf8(line));
    return lines;
}

} // namespace

const Book *Bible::find(const QString &abbrev) const {
    for (const Book &book : books) {
        if (book.abbrev == abbrev)
            return &book;
    }
    return nullptr;
}

Bible loadBible(const QString &sourceDir) {
    const QString dir = sourceDir.endsWith(QLatin1Char('/')) ? sourceDir : sourceDir + QLatin1Char('/');
    Bible bible;

    const QString tsvPath = dir + QStringLiteral("books.tsv");
    const QStringList tsv = readUtf8Lines(tsvPath);
    QHash<QString, qsizetype> byHeading;
    for (qsizetype i = 0; i < tsv.size(); ++i) {
        if (tsv[i].startsWith(QLatin1Char('#')) || tsv[i].trimmed().isEmpty())
            continue;
        const QStringList f = tsv[i].split(QLatin1Char('\t'));
        if (f.size() != 5)
            fail(tsvPath, i + 1, QStringLiteral("expected five tab-separated fields"));
        Book book;
        bool ok = false;
        book.order = f[0].toInt(&ok);
        book.heading = f[1];
        book.abbrev = f[2];
        book.referenceName = f[3];
        book.fullName = f[4];
        if (!ok || book.order != bible.books.size() + 1)
            fail(tsvPath, i + 1, QStringLiteral("books must be numbered 1, 2, 3... in order"));
        static const QRegularExpression abbrevShape(QStringLiteral("^[0-9]?[a-z]+$"));
        if (!abbrevShape.match(book.abbrev).hasMatch())
            fail(tsvPath, i + 1,
                 QStringLiteral("abbreviation \"%1\" is not lower-case ASCII").arg(book.abbrev));
        if (byHeading.contains(book.heading) || bible.find(book.abbrev))
            fail(tsvPath, i + 1, QStringLiteral("book \"%1\" listed twice").arg(book.heading));
        byHeading.insert(book.heading, bible.books.size());
        bible.books.append(book);
    }
    if (bible.books.size() != 66)
        fail(tsvPath, tsv.size(), QStringLiteral("expected 66 books, found %1").arg(bible.books.size()));

    const QString textPath = dir + QStringLiteral("bible-kralice.txt");
    const QStringList text = readUtf8Lines(textPath);
    static const QRegularExpression verseLine(QStringLiteral("^\\[(\\d+):(\\d+)\\] (.*)$"));
    static const QRegularExpression digit(QStringLiteral("\\d"));
    Book *current = nullptr;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QString &line = text[i];
        if (line.startsWith(QLatin1String("### "))) {
            const auto it = byHeading.constFind(line.mid(4).trimmed());
            if (it == byHeading.constEnd())
                fail(textPath, i + 1, QStringLiteral("unknown book \"%1\"").arg(line.mid(4)));
            current = &bible.books[*it];
            if (!current->chapters.isEmpty())
                fail(textPath, i + 1, QStringLiteral("book \"%1\" appears twice").arg(current->heading));
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        const QRegularExpressionMatch m = verseLine.match(line);
        if (!m.hasMatch() || !current)
            fail(textPath, i + 1, QStringLiteral("not a verse line"));
        const int chapter = m.captured(1).toInt();
        const int verse = m.captured(2).toInt();
        QString verseText = m.captured(3);
        while (verseText.endsWith(QLatin1Char(' ')) || verseText.endsWith(QLatin1Char('\t')))
            verseText.chop(1);
        if (chapter == current->chapterCount() + 1 && verse == 1)
            current->chapters.append(QStringList());
        else if (chapter != current->chapterCount() || verse != current->verseCount(chapter) + 1)
            fail(textPath, i + 1, QStringLiteral("verse %1:%2 out of order").arg(chapter).arg(verse));
        if (verseText.isEmpty())
            fail(textPath, i + 1, QStringLiteral("empty verse"));
        if (verseText.contains(digit))
            fail(textPath, i + 1, QStringLiteral("a digit in the verse text would break the verse markers"));
        for (QChar ch : verseText) {
            if (!cp1250::canEncode(ch) || ch.unicode() < 0x20)
                fail(textPath, i + 1,
                     QStringLiteral("character U+%1 has no byte in code page 1250")
                         .arg(ch.unicode(), 4, 16, QLatin1Char('0')));
        }
        current->chapters.last().append(verseText);
    }
    for (const Book &book : bible.books) {
        if (book.chapters.isEmpty())
            fail(textPath, text.size(), QStringLiteral("book \"%1\" has no verses").arg(book.heading));
    }
    return bible;
}

QString withoutAlternatives(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('{')) {
            const qsizetype close = text.indexOf(QLatin1Char('}'), i);
            if (close < 0)
                break; // an unclosed alternative: drop the rest
            if (out.endsWith(QLatin1Char(' ')))
                out.chop(1);
            i = close;
            continue;
        }
        if (text[i] == QLatin1Char('}'))
            continue;
        out.append(text[i]);
    }
    return out;
}

QString czechReference(const Book &book, int chapter, int firstVerse, int lastVerse) {
    QString ref = QStringLiteral("%1 %2, %3").arg(book.referenceName).arg(chapter).arg(firstVerse);
    if (lastVerse != firstVerse)
        ref += QChar(0x2013) + QString::number(lastVerse);
    return ref;
}

} // namespace datagen
