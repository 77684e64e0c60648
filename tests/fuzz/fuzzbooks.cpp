// The fuzz targets' fixed books: invented verse texts in our book-file format.
#include "fuzzbooks.h"

#include "fuzztargets.h"
#include "platform/cp1250.h"
#include "readings/passage.h"

#include <QStringList>

namespace fuzzbooks {

namespace {

// The verses of each chapter. The Psalms run past 13 (whose last verse the renumbering splits),
// Malachi's chapter 3 and Joel's chapter 2 take the verses that the ecumenical numbering puts in
// a chapter of their own.
const std::pair<const char *, QList<int>> kShapes[] = {
    {"gn", {31, 25, 24}},
    {"zl", {6, 12, 8, 8, 12, 10, 17, 9, 20, 18, 7, 8, 6, 7}},
    {"mal", {14, 17, 18, 6}},
    {"jl", {20, 32, 21}},
    {"j", {14, 12, 16}},
    {"fp", {30, 30, 21, 23}},
    {"ju", {25}},
    {"2j", {13}},
};

const char16_t *const kWords[] = {u"světlo", u"cesta", u"žluťoučký", u"kůň",  u"slovo",
                                  u"ráno",   u"tichý", u"dům",       u"řeka", u"chléb"};

QByteArray bookFile(const char *abbrev, const QList<int> &chapters) {
    QString text;
    for (qsizetype c = 0; c < chapters.size(); ++c) {
        for (int v = 1; v <= chapters[c]; ++v) {
            text += QStringLiteral("%1 %2 %3").arg(QLatin1String(abbrev)).arg(c + 1).arg(v);
            for (int w = 0; w < 3 + (v + int(c)) % 4; ++w)
                text += u' ' + QString::fromUtf16(kWords[(int(c) * 7 + v * 3 + w) % 10]);
            text += QStringLiteral(".\r\n");
        }
    }
    return cp1250::fromUnicode(text);
}

// "j 2 3 ": the marker of a verse at the start of its line.
QByteArray verseMarker(const QString &book, const QString &chapter, const QString &verse) {
    return cp1250::fromUnicode(book + u' ' + chapter + u' ' + verse + u' ');
}

} // namespace

const QHash<QString, QByteArray> &files() {
    static const QHash<QString, QByteArray> all = [] {
        QHash<QString, QByteArray> out;
        for (const auto &[abbrev, chapters] : kShapes)
            out.insert(QLatin1String(abbrev), bookFile(abbrev, chapters));
        return out;
    }();
    return all;
}

const references::Books &books() {
    static const references::Books shape = [] {
        references::Books out;
        for (auto it = files().cbegin(); it != files().cend(); ++it)
            out.verses.insert(it.key(), references::verseCounts(*it, it.key()));
        return out;
    }();
    return shape;
}

void checkReading(const QString &index) {
    const passage::ReadingReference ref = passage::splitReference(index);
    const QByteArray book = files().value(ref.Book);
    fuzztargets::check(!book.isEmpty(), "a reading names one of the fixed books");
    QStringList messages;
    const std::optional<passage::PassageSpan> span = passage::cutPassage(ref, book, messages);
    fuzztargets::check(span.has_value() && messages.isEmpty(), "a reading is found in its book");
    fuzztargets::check(span->start < span->end, "a reading cuts a passage that is not empty");
    const QByteArrayView cut = QByteArrayView(book).sliced(span->start, span->end - span->start);
    fuzztargets::check(cut.startsWith(verseMarker(ref.Book, ref.Chapter, ref.FirstVerse)),
                       "the passage begins at its first verse");
    const QByteArray last = verseMarker(ref.Book, ref.LastChapter, ref.LastVerse);
    fuzztargets::check(cut.startsWith(last) || cut.contains("\n" + last), "the passage holds its last verse");
}

} // namespace fuzzbooks
