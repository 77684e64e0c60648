#include "datagen.h"

#include "import/pagedesign.h"
#include "platform/cp1250.h"
#include "platform/errors.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace datagen {

namespace {

// The verses of one book in reading order with the running length of the text before each.
struct Flat {
    QList<std::pair<int, int>> verses; // chapter, verse
    QList<qint64> before;              // before[i]: characters of the verses before i; before[n]: all
    QList<bool> chapterEnd;            // chapterEnd[i]: a chapter ends just before verse i
};

Flat flatten(const Book &book) {
    Flat f;
    qint64 total = 0;
    for (int c = 1; c <= book.chapterCount(); ++c) {
        for (int v = 1; v <= book.verseCount(c); ++v) {
            f.verses.append({c, v});
            f.before.append(total);
            f.chapterEnd.append(v == 1);
            total += book.verse(c, v).size() + 1;
        }
    }
    f.before.append(total);
    f.chapterEnd.append(true);
    return f;
}

qint64 bookLength(const Book &book) {
    return flatten(book).before.last();
}

// Cuts one book into `parts` spans (1 <= parts <= verses).
QList<Span> splitBook(const Book &book, int parts) {
    const Flat f = flatten(book);
    const auto n = f.verses.size();
    const qint64 total = f.before.last();
    // Cut j lies at a verse boundary b (1..n-1): the spans are [cut(j-1), cut(j)). Distances are
    // scaled by `parts` so that they stay whole numbers; a chapter end counts as a quarter of a
    // span nearer than it is.
    QList<qsizetype> cuts{0};
    for (int j = 1; j < parts; ++j) {
        const qint64 target = total * j;
        const qsizetype first = cuts.last() + 1;
        const qsizetype last = n - (parts - j); // leave one verse for each later span
        qsizetype best = first;
        qint64 bestCost = std::numeric_limits<qint64>::max();
        for (qsizetype b = first; b <= last; ++b) {
            const qint64 at = f.before[b] * parts;
            qint64 cost = std::abs(at - target);
            if (f.chapterEnd[b])
                cost -= total / 4;
            if (cost < bestCost) {
                bestCost = cost;
                best = b;
            }
            if (at > target + total)
                break;
        }
        cuts.append(best);
    }
    cuts.append(n);

    QList<Span> spans;
    for (int j = 0; j < parts; ++j) {
        const auto [c1, v1] = f.verses[cuts[j]];
        const auto [c2, v2] = f.verses[cuts[j + 1] - 1];
        spans.append(Span{&book, c1, v1, c2, v2});
    }
    return spans;
}

// The Gospel passages that the Sundays go through: each chapter in parts of at most twelve verses.
QList<Span> pericopes(const Bible &bible) {
    QList<Span> all;
    for (const char *abbrev : {"mt", "mk", "l", "j"}) {
        const Book *book = bible.find(QLatin1String(abbrev));
        if (!book)
            throw KerlaError(QStringLiteral("the Gospel \"%1\" is missing").arg(QLatin1String(abbrev)));
        for (int c = 1; c <= book->chapterCount(); ++c) {
            const int n = book->verseCount(c);
            const int parts = (n + 11) / 12;
            int first = 1;
            for (int p = 0; p < parts; ++p) {
                const int size = n / parts + (p < n % parts ? 1 : 0);
                all.append(Span{book, c, first, c, first + size - 1});
                first += size;
            }
        }
    }
    return all;
}

} // namespace

QString Span::reference() const {
    if (chapter == lastChapter)
        return QStringLiteral("%1 %2 %3 %4").arg(book->abbrev).arg(chapter).arg(firstVerse).arg(lastVerse);
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(book->abbrev)
        .arg(chapter)
        .arg(firstVerse)
        .arg(lastChapter)
        .arg(lastVerse);
}

QList<QList<const Book *>> readingStreams(const Bible &bible) {
    QList<const Book *> oldTestament, newTestament, wisdom;
    for (const Book &book : bible.books) {
        if (book.abbrev == QLatin1String("zl") || book.abbrev == QLatin1String("pr"))
            wisdom.append(&book);
        else if (book.isOldTestament())
            oldTestament.append(&book);
        else
            newTestament.append(&book);
    }
    return {oldTestament, newTestament, wisdom};
}

QList<Span> splitStream(const QList<const Book *> &books, int days) {
    const auto count = books.size();
    if (days < count)
        throw KerlaError(QStringLiteral("%1 books cannot be read in %2 days").arg(count).arg(days));
    // Every book gets one day; the other days go by length, the largest remainders first.
    QList<qint64> length;
    qint64 total = 0;
    for (const Book *book : books) {
        length.append(bookLength(*book));
        total += length.last();
    }
    const qint64 spare = days - count;
    QList<int> share(count, 1);
    QList<std::pair<qint64, qsizetype>> remainders;
    qint64 given = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const qint64 exact = spare * length[i];
        share[i] += int(exact / total);
        given += exact / total;
        remainders.append({exact % total, i});
    }
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    for (qint64 k = 0; k < spare - given; ++k)
        ++share[remainders[k].second];

    QList<Span> spans;
    for (qsizetype i = 0; i < count; ++i) {
        const Flat f = flatten(*books[i]);
        spans += splitBook(*books[i], std::min<int>(share[i], int(f.verses.size())));
    }
    if (spans.size() != days)
        throw KerlaError(QStringLiteral("a book too short for its share of days"));
    return spans;
}

Span pericopeFor(const Bible &bible, const QDate &sunday) {
    static const QDate firstSunday(2025, 1, 5);
    const QList<Span> all = pericopes(bible);
    const qint64 week = firstSunday.daysTo(sunday) / 7;
    const qint64 n = all.size();
    return all[((week % n) + n) % n];
}

QByteArray readingsIndex(const Bible &bible, int year) {
    const QDate first(year, 1, 1);
    const int days = first.daysInYear();
    QList<QList<Span>> plan;
    for (const QList<const Book *> &stream : readingStreams(bible))
        plan.append(splitStream(stream, days));

    QString text;
    for (int d = 0; d < days; ++d) {
        const QDate date = first.addDays(d);
        const QString pericope =
            date.dayOfWeek() == Qt::Sunday ? pericopeFor(bible, date).reference() : QString();
        text += pagedesign::readingsSection(
            date, {plan[0][d].reference(), plan[1][d].reference(), plan[2][d].reference(), pericope});
    }
    return cp1250::fromUnicode(text);
}

} // namespace datagen
