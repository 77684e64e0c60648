#include "import/references.h"

#include "platform/errors.h"
#include "platform/textfile.h"

#include <QDir>
#include <QRegularExpression>

namespace references {

QList<int> verseCounts(QByteArrayView bookFile, const QString &abbrev) {
    QList<int> counts;
    const QByteArray prefix = abbrev.toLatin1() + ' ';
    for (const textfile::LineBounds &b : textfile::lineBounds(bookFile)) {
        const QByteArrayView line = bookFile.sliced(b.start, b.size);
        if (!line.startsWith(prefix))
            continue;
        qsizetype i = prefix.size();
        const auto number = [&] {
            int n = 0;
            const qsizetype from = i;
            while (i < line.size() && line[i] >= '0' && line[i] <= '9' && i - from < 4)
                n = n * 10 + (line[i++] - '0');
            return i > from ? n : 0;
        };
        const int chapter = number();
        if (chapter == 0 || i >= line.size() || line[i++] != ' ')
            continue;
        const int verse = number();
        if (verse == 0 || chapter > counts.size() + 1)
            continue;
        if (chapter > counts.size())
            counts.append(0);
        counts[chapter - 1] = std::max(counts[chapter - 1], verse);
    }
    return counts;
}

Books booksIn(const QString &folder) {
    Books books;
    const QDir data(folder + QStringLiteral("Data"));
    for (const QString &name : data.entryList(QDir::Files)) {
        try {
            QList<int> counts = verseCounts(textfile::readAll(data.filePath(name)), name.toLower());
            if (!counts.isEmpty())
                books.verses.insert(name.toLower(), std::move(counts));
        } catch (const KerlaError &) {
            // a book that cannot be read cuts no reading: the check names it
        }
    }
    return books;
}

QString Span::index() const {
    if (lastChapter == chapter)
        return QStringLiteral("%1 %2 %3 %4").arg(book).arg(chapter).arg(verse).arg(lastVerse);
    return QStringLiteral("%1 %2 %3 %4 %5").arg(book).arg(chapter).arg(verse).arg(lastChapter).arg(lastVerse);
}

namespace {

// A place the reference names, in the ecumenical numbering: from chapter:verse to chapter:verse;
// a verse of 0 at the start is the chapter's first, at the end its last.
struct Range {
    int chapter = 0, verse = 0, lastChapter = 0, lastVerse = 0;
};

// Splits the places ("15,26-16,4", "9,1-3.29-36", "4,10-13(14-20)", "38,1-11;42,1-6") into ranges.
// In a book of one chapter, numbers without a comma are its verses ("1.2.20-25", "1-6").
std::optional<QList<Range>> parsePlaces(const QString &text, bool oneChapter, QString &problem) {
    // Tokens: numbers (with a part letter a-d or f/ff dropped), and , - . ; ( )
    struct Token {
        QChar kind; // 'n' number, or the punctuation itself
        int value = 0;
    };
    QList<Token> tokens;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c.isDigit()) {
            int n = 0;
            const qsizetype from = i;
            while (i < text.size() && text[i].isDigit()) {
                if (i - from >= 3) {
                    problem = QStringLiteral("číslo „%1…“ je příliš dlouhé").arg(text.mid(from, 4));
                    return std::nullopt;
                }
                n = n * 10 + text[i++].digitValue();
            }
            while (i < text.size() && (text[i] == u'a' || text[i] == u'b' || text[i] == u'c' ||
                                       text[i] == u'd' || text[i] == u'f'))
                ++i; // parts of a verse, "f" and "ff": the verse itself
            tokens.append({u'n', n});
        } else if (QStringLiteral(",-.;()").contains(c)) {
            tokens.append({c});
            ++i;
        } else {
            problem = QStringLiteral("nerozumím znaku „%1“ v odkazu").arg(c);
            return std::nullopt;
        }
    }
    QList<Range> out;
    qsizetype t = 0;
    const auto at = [&](QChar kind) { return t < tokens.size() && tokens[t].kind == kind; };
    const auto number = [&]() -> int { return at(u'n') ? tokens[t++].value : -1; };
    int chapter = oneChapter ? 1 : 0;
    bool needChapter = !oneChapter;
    while (t < tokens.size()) {
        if (at(u';')) {
            ++t;
            needChapter = !oneChapter;
            continue;
        }
        if (at(u'.') || at(u'(') || at(u')')) {
            ++t;
            continue;
        }
        const int first = number();
        if (first <= 0) {
            problem = QStringLiteral("odkaz nemá tvar kapitola,verš");
            return std::nullopt;
        }
        if (needChapter || (oneChapter && at(u','))) {
            if (at(u',')) { // chapter,verse...
                ++t;
                chapter = first;
                needChapter = false;
                continue;
            }
            // whole chapters: "100", "120-122"
            int last = first;
            if (at(u'-')) {
                ++t;
                last = number();
                if (last < first) {
                    problem = QStringLiteral("rozsah kapitol nemá konec");
                    return std::nullopt;
                }
            }
            out.append({first, 0, last, 0});
            continue;
        }
        Range r{chapter, first, chapter, first};
        if (at(u'-')) {
            ++t;
            const int second = number();
            if (second <= 0) {
                problem = QStringLiteral("rozsah veršů nemá konec");
                return std::nullopt;
            }
            if (at(u',')) { // across chapters: verse-chapter,verse
                ++t;
                const int verse = number();
                if (verse <= 0) {
                    problem = QStringLiteral("rozsah přes kapitoly nemá konečný verš");
                    return std::nullopt;
                }
                r.lastChapter = chapter = second;
                r.lastVerse = verse;
            } else {
                r.lastVerse = second;
            }
        }
        out.append(r);
    }
    if (out.isEmpty()) {
        problem = QStringLiteral("odkaz nejmenuje žádnou kapitolu ani verš");
        return std::nullopt;
    }
    return out;
}

// The spans of the ranges in our numbering, joined into the smallest passage that holds them.
Conversion join(const QString &book, const QList<Range> &ranges, const Books &books) {
    if (books.chapterCount(book) == 0)
        return {std::nullopt, QStringLiteral("kniha „%1“ není ve složce Data").arg(book)};
    std::optional<std::pair<int, int>> from, to;
    for (const Range &r : ranges) {
        const int lastVerse = r.lastVerse ? r.lastVerse : ecumenicalChapterEnd(book, r.lastChapter, books);
        const auto start = toOurs(book, r.chapter, r.verse ? r.verse : 1, false, books);
        const auto end = toOurs(book, r.lastChapter, lastVerse, true, books);
        if (!start || !end)
            return {std::nullopt, QStringLiteral("verš %1,%2 v knize „%3“ není")
                                      .arg(start ? r.lastChapter : r.chapter)
                                      .arg(start ? lastVerse : (r.verse ? r.verse : 1))
                                      .arg(book)};
        if (*end < *start)
            return {std::nullopt, QStringLiteral("konec odkazu stojí před jeho začátkem")};
        if (!from || *start < *from)
            from = start;
        if (!to || *end > *to)
            to = end;
    }
    return {Span{book, from->first, from->second, to->first, to->second}, {}};
}

// One alternative: a book name and its places.
Conversion fromAlternative(QString text, const Books &books, QString &unknownBook) {
    // Translation abbreviations after the places ("113,3 K", "1,1 B21"): words that begin with a
    // capital letter at the end.
    static const QRegularExpression translation(QStringLiteral("\\s+\\p{Lu}[\\p{L}\\d]*\\.?\\s*$"));
    static const QRegularExpression split(
        QStringLiteral("^\\s*((?:[1-4]\\s*\\.?\\s*)?[^\\d]+?)\\s*(\\d.*)?$"));
    for (int guard = 0; guard < 4; ++guard) {
        const QRegularExpressionMatch m = translation.match(text);
        if (!m.hasMatch() || m.capturedStart() == 0)
            break;
        const QString before = text.left(m.capturedStart());
        if (!before.contains(QRegularExpression(QStringLiteral("\\d"))))
            break;
        text = before;
    }
    const QRegularExpressionMatch m = split.match(text);
    if (!m.hasMatch())
        return {std::nullopt, QStringLiteral("odkaz nezačíná jménem knihy")};
    const QString name = m.captured(1).trimmed();
    const QString book = bookForName(name);
    if (book.isEmpty()) {
        unknownBook = name;
        return {std::nullopt, isDeuterocanonical(name)
                                  ? QStringLiteral("kniha „%1“ v Bibli programu není").arg(name)
                                  : QStringLiteral("neznámá kniha „%1“").arg(name)};
    }
    QString places = m.captured(2);
    places.replace(QRegularExpression(QStringLiteral("\\s+a\\s+(?=\\d)")), QStringLiteral(";"));
    places.remove(QRegularExpression(QStringLiteral("\\s+")));
    if (places.isEmpty())
        return {std::nullopt, QStringLiteral("odkaz nejmenuje kapitolu")};
    QString problem;
    const auto ranges = parsePlaces(places, books.chapterCount(book) == 1, problem);
    if (!ranges)
        return {std::nullopt, problem};
    return join(book, *ranges, books);
}

} // namespace

Conversion fromPrinted(const QString &printed, const Books &books) {
    QString text = printed;
    text.replace(QChar(0x2013), u'-').replace(QChar(0x2014), u'-').replace(QChar(0x2012), u'-');
    text.replace(QChar(0xA0), u' ');
    text = text.simplified();
    if (text.isEmpty())
        return {std::nullopt, QStringLiteral("odkaz je prázdný")};
    if (text.size() > 200)
        return {std::nullopt, QStringLiteral("odkaz je delší než 200 znaků")};
    const QStringList alternatives = text.split(QRegularExpression(QStringLiteral("\\s*[|/]\\s*")));
    Conversion first;
    for (qsizetype i = 0; i < alternatives.size() && i < 8; ++i) {
        QString unknown;
        Conversion c = fromAlternative(alternatives[i], books, unknown);
        if (c.span)
            return c;
        if (i == 0)
            first = c;
    }
    return first;
}

Conversion fromPlaces(const QList<yeartext::Place> &places, const Books &books) {
    QString book;
    QList<Range> ranges;
    for (const yeartext::Place &p : places) {
        const QString ours = bookForCode(p.book);
        if (ours.isEmpty())
            return {std::nullopt, QStringLiteral("neznámý kód knihy „%1“").arg(p.book)};
        if (!book.isEmpty() && ours != book)
            continue; // the passage stays in the first place's book
        book = ours;
        if (p.chapter <= 0)
            return {std::nullopt, QStringLiteral("atributy S nemají kapitolu")};
        const int lastChapter = p.lastChapter > 0 ? p.lastChapter : p.chapter;
        const int lastVerse = p.lastVerse > 0 ? p.lastVerse : (p.lastChapter > 0 ? 0 : p.verse);
        ranges.append({p.chapter, std::max(p.verse, 0), lastChapter, std::max(lastVerse, 0)});
    }
    if (ranges.isEmpty())
        return {std::nullopt, QStringLiteral("žádné atributy S")};
    return join(book, ranges, books);
}

} // namespace references
