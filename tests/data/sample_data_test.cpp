// The generated sample data set: book files, daily pages, readings index and the built-in 2025
// lists, checked against the Bible text that they are made from (read here on its own).
#include "import/pagedesign.h"
#include "pages/periodiclists.h"
#include "platform/cp1250.h"
#include "platform/textfile.h"
#include "readings/passage.h"
#include "testenv.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct SourceBook {
    int order = 0;
    QString abbrev, referenceName;
    QList<QStringList> chapters; // chapters[c - 1][v - 1]
};

struct Source {
    QList<SourceBook> books;
    QHash<QString, qsizetype> byAbbrev, byReferenceName;
};

const Source &source() {
    static const Source s = [] {
        Source s;
        const QString dir = QStringLiteral(KERLA_SOURCE_DATA "/");
        QHash<QString, qsizetype> byHeading;
        for (const QByteArray &line : textfile::readLines(dir + QStringLiteral("books.tsv"))) {
            if (line.startsWith('#'))
                continue;
            const QStringList f = QString::fromUtf8(line).split(QLatin1Char('\t'));
            byHeading.insert(f[1], s.books.size());
            s.byAbbrev.insert(f[2], s.books.size());
            s.byReferenceName.insert(f[3], s.books.size());
            s.books.append(SourceBook{f[0].toInt(), f[2], f[3], {}});
        }
        SourceBook *book = nullptr;
        static const QRegularExpression verse(QStringLiteral("^\\[(\\d+):(\\d+)\\] (.*?)\\s*$"));
        for (const QByteArray &raw : textfile::readLines(dir + QStringLiteral("bible-kralice.txt"))) {
            const QString line = QString::fromUtf8(raw);
            if (line.startsWith(QLatin1String("### "))) {
                book = &s.books[byHeading.value(line.mid(4))];
                continue;
            }
            const auto m = verse.match(line);
            if (!m.hasMatch())
                continue;
            if (m.captured(1).toInt() > book->chapters.size())
                book->chapters.append(QStringList());
            book->chapters.last().append(m.captured(3));
        }
        return s;
    }();
    return s;
}

QList<int> years() {
    QList<int> out;
    for (const QString &y : QStringLiteral(KERLA_DATA_YEARS).split(QLatin1Char(',')))
        out.append(y.toInt());
    return out;
}

QString bin() {
    return QStringLiteral(KERLA_BIN_DIR "/");
}

// The text with its alternative readings in braces left out, as the pages show it.
QString withoutAlternatives(QString text) {
    static const QRegularExpression braced(QStringLiteral(" ?\\{[^}]*\\}"));
    return text.remove(braced);
}

// Splits bytes at CR LF; fails the test (returns false) on a lone CR or LF.
bool crlfLines(const QByteArray &bytes, QList<QByteArray> *lines) {
    lines->clear();
    if (!bytes.isEmpty() && !bytes.endsWith("\r\n"))
        return false;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype end = bytes.indexOf("\r\n", at);
        const QByteArray line = bytes.mid(at, end - at);
        if (line.contains('\r') || line.contains('\n'))
            return false;
        lines->append(line);
        at = end + 2;
    }
    return true;
}

// "Jan 3, 16" (a single verse) -> book index, chapter, verse.
struct Ref {
    qsizetype book = -1;
    int chapter = 0, first = 0, last = 0;
};
Ref parseCzechReference(const QString &text) {
    static const QRegularExpression shape(QStringLiteral("^(.+) (\\d+), (\\d+)(?:\u2013(\\d+))?$"));
    const auto m = shape.match(text);
    Ref ref;
    if (!m.hasMatch())
        return ref;
    ref.book = source().byReferenceName.value(m.captured(1), -1);
    ref.chapter = m.captured(2).toInt();
    ref.first = m.captured(3).toInt();
    ref.last = m.captured(4).isEmpty() ? ref.first : m.captured(4).toInt();
    return ref;
}

QString verseText(const Ref &ref) {
    const SourceBook &book = source().books[ref.book];
    if (ref.chapter < 1 || ref.chapter > book.chapters.size())
        return {};
    const QStringList &chapter = book.chapters[ref.chapter - 1];
    QStringList verses;
    for (int v = ref.first; v <= ref.last; ++v)
        verses.append(chapter.value(v - 1));
    return verses.join(QLatin1Char(' '));
}

} // namespace

class SampleDataTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bookFilesHoldEveryVerseBehindItsMarker();
    void translationIsNamedByTheTimeStampOf1j();
    void yearFilesKeep31SlotsPerMonth_data();
    void yearFilesKeep31SlotsPerMonth();
    void everyReadingCutsItsPassageAndTheYearReadsTheBibleOnce_data();
    void everyReadingCutsItsPassageAndTheYearReadsTheBibleOnce();
    void listsHaveTheirShapesAndTheirVerses_data();
    void listsHaveTheirShapesAndTheirVerses();
    void generationIsDeterministic();
};

void SampleDataTest::bookFilesHoldEveryVerseBehindItsMarker() {
    QCOMPARE(source().books.size(), 66);
    int verses = 0;
    for (const SourceBook &book : source().books) {
        const QByteArray bytes = readBytes(bin() + QStringLiteral("Data/") + book.abbrev);
        QList<QByteArray> lines;
        QVERIFY2(crlfLines(bytes, &lines), qPrintable(book.abbrev));
        qsizetype line = 0, offset = 0;
        for (int c = 1; c <= book.chapters.size(); ++c) {
            for (int v = 1; v <= book.chapters[c - 1].size(); ++v, ++line) {
                const QByteArray marker =
                    cp1250::fromUnicode(QStringLiteral("%1 %2 %3").arg(book.abbrev).arg(c).arg(v));
                const QByteArray expected = marker + ' ' + cp1250::fromUnicode(book.chapters[c - 1][v - 1]);
                QVERIFY2(line < lines.size() && lines[line] == expected,
                         qPrintable(QString::fromLatin1(marker)));
                // The first occurrence of a marker is the verse's own: the cutting relies on it.
                QVERIFY2(bytes.indexOf(marker) == offset, qPrintable(QString::fromLatin1(marker)));
                offset += lines[line].size() + 2;
                ++verses;
            }
        }
        QCOMPARE(line, lines.size());
    }
    QCOMPARE(verses, 31102);
}

void SampleDataTest::translationIsNamedByTheTimeStampOf1j() {
    const QDateTime stamp = QFileInfo(bin() + QStringLiteral("Data/1j")).lastModified();
    QCOMPARE(stamp.toLocalTime(), QDateTime(QDate(1999, 3, 25), QTime(16, 38, 40), Qt::LocalTime));
}

void SampleDataTest::yearFilesKeep31SlotsPerMonth_data() {
    QTest::addColumn<int>("year");
    for (int year : years())
        QTest::addRow("%d", year) << year;
}

// Each existing day: "\qc\b <heading>\par\par\ql <watchword>\par\qr\i <reference>\par\par\ql\plain
// <teaching text>\par\qr\i <reference>", only a few control words, no braces and no backslash
// from the text; the watchword from the Old Testament, the teaching text from the New, both as
// the Bible text has them, short enough to fit the window, none twice a year.
void SampleDataTest::yearFilesKeep31SlotsPerMonth() {
    QFETCH(int, year);
    QList<QByteArray> lines;
    QVERIFY(crlfLines(readBytes(bin() + QStringLiteral("Kerla%1.rtf").arg(year)), &lines));
    QCOMPARE(lines.size(), 372);

    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    static const QRegularExpression controlWord(QStringLiteral("\\\\([a-z]+)(-?\\d+)? ?"));
    const QSet<QString> allowed = {QStringLiteral("b"),     QStringLiteral("i"),     QStringLiteral("qc"),
                                   QStringLiteral("ql"),    QStringLiteral("qr"),    QStringLiteral("par"),
                                   QStringLiteral("plain"), QStringLiteral("b0"),    QStringLiteral("i0"),
                                   QStringLiteral("sl"),    QStringLiteral("slmult")};
    QSet<QString> used;
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= 31; ++d) {
            const QDate date(year, m, d);
            const QString line = cp1250::toUnicode(lines[(m - 1) * 31 + (d - 1)]);
            const QByteArray where =
                date.isValid() ? date.toString(Qt::ISODate).toLatin1() : QByteArray("slot");
            if (!date.isValid()) {
                QVERIFY2(line.isEmpty(), where.constData());
                continue;
            }
            // Only the allowed control words; no brace and no other backslash.
            for (auto it = controlWord.globalMatch(line); it.hasNext();) {
                const QString word = it.next().captured(1);
                QVERIFY2(allowed.contains(word), qPrintable(word));
            }
            const QString text = QString(line).remove(controlWord);
            QVERIFY2(!text.contains(QLatin1Char('\\')) && !text.contains(QLatin1Char('{')) &&
                         !text.contains(QLatin1Char('}')),
                     where.constData());

            // The page design's paragraphs, each with its alignment and line spacing.
            const QStringList pieces = line.split(QStringLiteral("\\par "));
            QCOMPARE(pieces.size(), 7);
            QString heading = czech.toString(date, QStringLiteral("dddd d. MMMM yyyy"));
            heading[0] = heading[0].toUpper();
            const QString spacing = QLatin1String(pagedesign::kLineSpacing) + QLatin1Char(' ');
            const QString left = QStringLiteral("\\ql") + spacing, right = QStringLiteral("\\qr") + spacing;
            QCOMPARE(pieces[0], QStringLiteral("\\qc") + spacing + QStringLiteral("\\b ") + heading +
                                    QStringLiteral("\\b0 "));
            QCOMPARE(pieces[1], QString());
            QCOMPARE(pieces[4], QString());
            for (int i : {2, 5})
                QVERIFY2(pieces[i].startsWith(left), where.constData());
            for (int i : {3, 6})
                QVERIFY2(pieces[i].startsWith(right + QStringLiteral("\\i ")) &&
                             pieces[i].endsWith(QLatin1String("\\i0 ")),
                         where.constData());
            const auto reference = [&](const QString &piece) {
                return piece.mid(right.size() + 3).chopped(4);
            };

            const struct {
                QString text, reference;
                bool oldTestament;
            } blocks[] = {{pieces[2].mid(left.size()), reference(pieces[3]), true},
                          {pieces[5].mid(left.size()), reference(pieces[6]), false}};
            for (const auto &block : blocks) {
                const Ref ref = parseCzechReference(block.reference);
                QVERIFY2(ref.book >= 0, qPrintable(block.reference));
                QCOMPARE(source().books[ref.book].order <= 39, block.oldTestament);
                QCOMPARE(block.text, withoutAlternatives(verseText(ref)));
                QVERIFY2(block.text.size() <= 130, qPrintable(block.reference));
                QVERIFY2(!used.contains(block.reference), qPrintable(block.reference));
                used.insert(block.reference);
            }
        }
    }
}

void SampleDataTest::everyReadingCutsItsPassageAndTheYearReadsTheBibleOnce_data() {
    yearFilesKeep31SlotsPerMonth_data();
}

// Every reading of every day is cut as the reading commands cut it: no message, a passage that
// begins with its start marker. The verses of the passages, in the order of the days, are the
// whole Old Testament without Psalms and Proverbs (Cteni1), the whole New Testament (Cteni2) and
// Psalms with Proverbs (Cteni3), each verse once. The pericope comes on Sundays only.
void SampleDataTest::everyReadingCutsItsPassageAndTheYearReadsTheBibleOnce() {
    QFETCH(int, year);
    const QString index = bin() + QStringLiteral("Cteni%1.sj").arg(year);
    QList<QByteArray> lines;
    QVERIFY(crlfLines(readBytes(index), &lines));
    // section -> key -> value; every line is a section, a key=value pair or empty
    QHash<QString, QHash<QString, QString>> sections;
    QString current;
    for (const QByteArray &raw : lines) {
        const QString line = cp1250::toUnicode(raw);
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = line.mid(1, line.size() - 2);
            QVERIFY2(!sections.contains(current), qPrintable(current));
            sections[current];
        } else if (!line.isEmpty()) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            QVERIFY2(eq > 0 && !current.isEmpty(), qPrintable(line));
            sections[current].insert(line.left(eq), line.mid(eq + 1));
        }
    }
    QCOMPARE(sections.size(), QDate(year, 1, 1).daysInYear());

    QTemporaryDir user;
    AppContext state;
    state.ProgramDir = bin();
    state.UserDataDir = user.path() + QLatin1Char('/');

    using Verse = std::tuple<QString, int, int>;
    QList<Verse> read[3];
    const QStringList keys = {QStringLiteral("Cteni1"), QStringLiteral("Cteni2"), QStringLiteral("Cteni3"),
                              QStringLiteral("Perikopa")};
    for (QDate date(year, 1, 1); date.year() == year; date = date.addDays(1)) {
        const QString section = QStringLiteral("%1.%2.%3").arg(date.day()).arg(date.month()).arg(year);
        for (int k = 0; k < 4; ++k) {
            const QString reference = sections.value(section).value(keys[k]);
            if (k == 3 && date.dayOfWeek() != Qt::Sunday) {
                QVERIFY2(reference.isEmpty(), qPrintable(section));
                continue;
            }
            QVERIFY2(!reference.isEmpty(), qPrintable(section + QLatin1Char(' ') + keys[k]));
            passage::Outcome out;
            passage::ExtractPassage(state, reference, out);
            const QByteArray where = (section + QLatin1Char(' ') + reference).toUtf8();
            QVERIFY2(out.messages.isEmpty() && out.show, where.constData());
            const QByteArray text = readBytes(state.readingTextPath());
            const passage::ReadingReference ref = passage::splitReference(reference);
            const QByteArray start =
                cp1250::fromUnicode(ref.Book + QLatin1Char(' ') + ref.Chapter + QLatin1Char(' ') +
                                    ref.FirstVerse + QLatin1Char(' '));
            QVERIFY2(text.startsWith(start), where.constData());

            QList<QByteArray> verses;
            QVERIFY2(crlfLines(text, &verses), where.constData());
            QList<Verse> cut;
            for (const QByteArray &line : verses) {
                // "abbrev chapter verse text"
                const QList<QByteArray> words = line.left(24).split(' ');
                bool chapterOk = false, verseOk = false;
                const int chapter = words.value(1).toInt(&chapterOk);
                const int verse = words.value(2).toInt(&verseOk);
                QVERIFY2(words.size() > 3 && chapterOk && verseOk, where.constData());
                cut.append({cp1250::toUnicode(words[0]), chapter, verse});
            }
            if (k == 3) {
                static const QSet<QString> gospels = {QStringLiteral("mt"), QStringLiteral("mk"),
                                                      QStringLiteral("l"), QStringLiteral("j")};
                QVERIFY2(gospels.contains(ref.Book) && cut.size() <= 12, where.constData());
                continue;
            }
            // The reference names exactly the verses cut.
            const bool fivePart = ref.separators == 4;
            QCOMPARE(std::get<1>(cut.last()), (fivePart ? ref.LastChapter : ref.Chapter).toInt());
            QCOMPARE(std::get<2>(cut.last()), ref.LastVerse.toInt());
            QVERIFY2(fivePart == (std::get<1>(cut.first()) != std::get<1>(cut.last())), where.constData());
            read[k] += cut;
        }
    }

    QList<Verse> expected[3];
    for (const SourceBook &book : source().books) {
        const int stream = book.abbrev == QLatin1String("zl") || book.abbrev == QLatin1String("pr") ? 2
                           : book.order <= 39                                                       ? 0
                                                                                                    : 1;
        for (int c = 1; c <= book.chapters.size(); ++c) {
            for (int v = 1; v <= book.chapters[c - 1].size(); ++v)
                expected[stream].append({book.abbrev, c, v});
        }
    }
    for (int k = 0; k < 3; ++k)
        QVERIFY2(read[k] == expected[k], qPrintable(keys[k]));
}

void SampleDataTest::listsHaveTheirShapesAndTheirVerses_data() {
    QTest::addColumn<QList<QByteArray>>("list");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("lines");
    QTest::newRow("tyden") << periodiclists::tyden() << QByteArray("tyden") << 53 << 108;
    QTest::newRow("mesic") << periodiclists::mesic() << QByteArray("mesic") << 12 << 26;
    QTest::newRow("rok") << periodiclists::rok() << QByteArray("rok") << 1 << 3;
}

void SampleDataTest::listsHaveTheirShapesAndTheirVerses() {
    QFETCH(QList<QByteArray>, list);
    QFETCH(QByteArray, name);
    QFETCH(int, entries);
    QFETCH(int, lines);
    QCOMPARE(list.size(), lines);
    QCOMPARE(list[0], name);
    if (lines > 2 * entries + 1)
        QCOMPARE(list.last(), QByteArray());
    for (int k = 1; k <= entries; ++k) {
        const QString text = cp1250::toUnicode(list[k]);
        QString reference = cp1250::toUnicode(list[k + entries]);
        QVERIFY2(reference.endsWith(QLatin1String(" (BKR)")), qPrintable(reference));
        reference.chop(6);
        const Ref ref = parseCzechReference(reference);
        QVERIFY2(ref.book >= 0, qPrintable(reference));
        QCOMPARE(text, verseText(ref));
        QVERIFY2(!text.isEmpty() && text.size() <= 161, qPrintable(reference));
        QVERIFY2(!text.contains(QLatin1Char('{')) && !text.contains(QLatin1Char('}')) &&
                     !text.contains(QLatin1Char('\\')) && !text.contains(QLatin1Char('\n')),
                 qPrintable(reference));
    }
}

// A second run of the tool gives the same bytes as the build's run.
void SampleDataTest::generationIsDeterministic() {
    QTemporaryDir out;
    QStringList args{QStringLiteral("build"), QStringLiteral(KERLA_SOURCE_DATA), out.path()};
    for (int year : years())
        args.append(QString::number(year));
    QProcess tool;
    tool.start(bin() + QStringLiteral("kerla-data"), args);
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);

    QStringList files;
    for (int year : years())
        files << QStringLiteral("Kerla%1.rtf").arg(year) << QStringLiteral("Cteni%1.sj").arg(year);
    for (const SourceBook &book : source().books)
        files << QStringLiteral("Data/") + book.abbrev;
    for (const QString &file : files) {
        const QByteArray again = readBytes(out.path() + QLatin1Char('/') + file);
        QVERIFY2(!again.isEmpty() && again == readBytes(bin() + file), qPrintable(file));
    }
}

QTEST_GUILESS_MAIN(SampleDataTest)
#include "sample_data_test.moc"
