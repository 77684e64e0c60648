#include "readings/passage.h"

#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/textfile.h"

#include <limits>
#include <optional>

namespace passage {

namespace {

// A whole number as a reference writes it: an optional sign and decimal digits. Numbers that do
// not leave room for the "+ 1" of the end markers count as not whole numbers.
std::optional<int> wholeNumber(const QString &text) {
    qsizetype i = 0;
    bool negative = false;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        negative = text.front() == QLatin1Char('-');
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value >= std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return int(negative ? -value : value);
}

// "1j 4 7": the verse marker as the book file writes it, in code page 1250.
QByteArray marker(const QString &book, const QString &chapter, const QString &verse) {
    return cp1250::fromUnicode(book + QLatin1Char(' ') + chapter + QLatin1Char(' ') + verse);
}

} // namespace

ReadingReference splitReference(const QString &reference) {
    ReadingReference ref;
    QStringList parts;
    qsizetype componentStart = 0;
    qsizetype searchFrom = 0;
    while (ref.separators < 4) {
        const qsizetype space = reference.indexOf(QLatin1Char(' '), searchFrom);
        if (space < 0)
            break;
        parts.append(reference.mid(componentStart, space - componentStart));
        ++ref.separators;
        componentStart = space + 1;
        searchFrom = space + 2; // the character right after a separator is never a separator
    }
    parts.append(reference.mid(componentStart));

    ref.Book = parts.value(0);
    ref.Chapter = parts.value(1);
    ref.FirstVerse = parts.value(2);
    if (ref.separators == 4) {
        ref.LastChapter = parts.value(3);
        ref.LastVerse = parts.value(4);
    } else {
        ref.LastChapter = ref.Chapter;
        ref.LastVerse = parts.value(3);
    }
    return ref;
}

QString labelText(const ReadingReference &ref) {
    QString label =
        ref.Book + QLatin1Char(' ') + ref.Chapter + QLatin1Char(',') + ref.FirstVerse + QLatin1Char('-');
    if (ref.separators == 4)
        label += ref.LastChapter + QLatin1Char(',');
    return label + ref.LastVerse;
}

QString bookFilePath(const QString &programDir, const QString &book) {
    // The search refuses names with path syntax; ".." anywhere in a name names no book either.
    return book.contains(QLatin1String(".."))
               ? QString()
               : textfile::findFileNoCase(programDir + QStringLiteral("Data"), book);
}

QString missingBookMessage() {
    return QStringLiteral("Hledaná biblická kniha nebyla nalezena.") + QStringLiteral("\r\n\r\n") +
           ReferenceNotFound;
}

std::optional<PassageSpan> cutPassage(const ReadingReference &ref, QByteArrayView book,
                                      QStringList &messages) {
    const QByteArray startMarker = marker(ref.Book, ref.Chapter, ref.FirstVerse);

    // Where the passage ends: before the verse after the last one, else before the first verse of
    // the next chapter, else at the end of the book. Without a usable last verse the reading is
    // the first verse alone.
    std::optional<int> endVerse = wholeNumber(ref.LastVerse);
    std::optional<int> endChapter = wholeNumber(ref.LastChapter);
    QString endChapterText = ref.LastChapter;
    if (!endVerse || !endChapter) {
        messages.append(ReferenceNotFound);
        endVerse = wholeNumber(ref.FirstVerse);
        endChapter = wholeNumber(ref.Chapter);
        endChapterText = ref.Chapter;
    }
    const bool endKnown = endVerse && endChapter;

    const qsizetype start = book.indexOf(startMarker, 0);
    if (start < 0) {
        messages.append(ReferenceNotFound);
        return std::nullopt;
    }
    if (!endKnown)
        return std::nullopt; // not even a first verse is named: nothing to show beyond the message
    qsizetype end = book.indexOf(marker(ref.Book, endChapterText, QString::number(*endVerse + 1)), start);
    if (end < 0)
        end = book.indexOf(marker(ref.Book, QString::number(*endChapter + 1), QStringLiteral("1")), start);
    if (end < 0)
        end = book.size();
    return PassageSpan{start, end};
}

void ExtractPassage(const AppContext &context, const QString &reference, Outcome &out) {
    out.messages.clear();
    out.show = false;
    const ReadingReference ref = splitReference(reference);
    out.label = labelText(ref);

    const QString bookPath = bookFilePath(context.ProgramDir, ref.Book);
    if (bookPath.isEmpty()) {
        out.messages.append(missingBookMessage());
        return;
    }
    const QByteArray book = textfile::readAll(bookPath);
    const std::optional<PassageSpan> span = cutPassage(ref, book, out.messages);
    if (!span)
        return;
    textfile::writeAll(context.readingTextPath(),
                       QByteArrayView(book).sliced(span->start, span->end - span->start));
    out.show = true;
}

} // namespace passage
