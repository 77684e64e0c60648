// Printed references and the S attributes into readings of the index, checked against the books
// of the generated data set; the renumbering table row by row.
#include "import/references.h"
#include "yearfixtures.h"

#include <QTest>

using references::Books;

namespace {

const Books &books() {
    static const Books b = references::booksIn(QStringLiteral(KERLA_BIN_DIR "/"));
    return b;
}

} // namespace

class ReferencesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void printedShapes_data();
    void printedShapes();
    void notAReading_data();
    void notAReading();
    void bookNames_data();
    void bookNames();
    void fromPlaces_data();
    void fromPlaces();
    void renumberingRow_data();
    void renumberingRow();
    void renumberingCoversOurChapters();
};

void ReferencesTest::initTestCase() {
    QCOMPARE(books().verses.size(), 66);
    QCOMPARE(books().chapterCount(QStringLiteral("mal")), 4); // our books number as the English do
}

void ReferencesTest::printedShapes_data() {
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("index");
    for (const yearfixtures::Shape &s : yearfixtures::readingShapes())
        QTest::newRow(s.printed) << QString::fromUtf8(s.printed) << QString::fromUtf8(s.index);
    QTest::newRow("en dash and no-break space") << QStringLiteral("Lukáš\u00a03,1–6") << "l 3 1 6";
    QTest::newRow("whole chapters") << "Žalm 120-122"
                                    << "zl 120 1 122 9";
    QTest::newRow("whole ecumenical chapter") << "Malachiáš 3"
                                              << "mal 3 1 4 6";
    QTest::newRow("psalm title alone") << "Žalm 51,1-2"
                                       << "zl 51 1 1";
    QTest::newRow("half verse") << "Žalm 13,6"
                                << "zl 13 5 6";
    QTest::newRow("two translations") << "Žalm 23,1 B21 K"
                                      << "zl 23 1 1";
    QTest::newRow("f after a verse") << "Jan 3,16f"
                                     << "j 3 16 16";
    QTest::newRow("one-chapter book with its chapter") << "Judova 1,20-25"
                                                       << "ju 1 20 25";
    QTest::newRow("places out of order") << "Jób 42,1-6; 38,1-11"
                                         << "jb 38 1 42 6";
}

// The smallest passage of our books that holds what the reference names.
void ReferencesTest::printedShapes() {
    QFETCH(QString, printed);
    QFETCH(QString, index);
    const references::Conversion c = references::fromPrinted(printed, books());
    QVERIFY2(c.span, qPrintable(c.problem));
    QCOMPARE(c.span->index(), index);
}

void ReferencesTest::notAReading_data() {
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("reason");
    QTest::newRow("deuterocanonical only") << "Tobiáš 1,1-10"
                                           << "v Bibli programu není";
    QTest::newRow("both alternatives outside") << "Sírachovec 1,1 | Moudrost 2,1"
                                               << "v Bibli programu není";
    QTest::newRow("unknown book") << "Kniha Ukázková 3,1"
                                  << "neznámá kniha";
    QTest::newRow("chapter beyond the book") << "Jan 22,1"
                                             << "není";
    QTest::newRow("verse beyond the chapter") << "Malachiáš 3,25"
                                              << "není";
    QTest::newRow("end before start") << "Jan 3,16-12"
                                      << "před jeho začátkem";
    QTest::newRow("no chapter") << "Jan"
                                << "kapitolu";
    QTest::newRow("empty") << ""
                           << "prázdný";
    QTest::newRow("stray characters") << "Jan 3,16 *"
                                      << "nerozumím";
    QTest::newRow("huge number") << "Jan 123456,1"
                                 << "příliš dlouhé";
    QTest::newRow("second book in a list") << "Jan 3,16; Žalm 23"
                                           << "nerozumím";
}

// A reference that cannot cut says why.
void ReferencesTest::notAReading() {
    QFETCH(QString, printed);
    QFETCH(QString, reason);
    const references::Conversion c = references::fromPrinted(printed, books());
    QVERIFY(!c.span);
    QVERIFY2(c.problem.contains(reason), qPrintable(c.problem));
}

void ReferencesTest::bookNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("book");
    const char *rows[][2] = {
        {"1.Mojžíšova", "gn"},  {"1. Mojžíšova", "gn"},   {"1 Mojzisova", "gn"}, {"Izaiáš", "iz"},
        {"Izajáš", "iz"},       {"Efezským", "ef"},       {"Efesanům", "ef"},    {"1.Janova", "1j"},
        {"1. Janův", "1j"},     {"Zalm", "zl"},           {"ŽALM", "zl"},        {"Skutky apoštolů", "sk"},
        {"Píseň písní", "pis"}, {"Zjevení Janovo", "zj"}, {"Koloským", "ko"},    {"Filipenským", "fp"},
        {"Jeremjáš", "jr"},     {"Jeremiáš", "jr"},       {"Matoš", "mt"},       {"Nehemjáš", "neh"},
        {"3.Janova", "3j"},     {"Jóel", "jl"},           {"Ámos", "am"},        {"Habakuk", "abk"},
        {"Tobiáš", ""},         {"Jan Ukázkový", ""},     {"4. Janova", ""},     {"Xyz", ""},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
}

void ReferencesTest::bookNames() {
    QFETCH(QString, name);
    QFETCH(QString, book);
    QCOMPARE(references::bookForName(name), book);
}

void ReferencesTest::fromPlaces_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QList<int>>("numbers"); // ch v ch2 v2
    QTest::addColumn<QString>("index");
    QTest::newRow("Gn within a chapter") << "Gn" << QList<int>{1, 1, 0, 5} << "gn 1 1 5";
    QTest::newRow("Act across chapters") << "Act" << QList<int>{7, 54, 8, 3} << "sk 7 54 8 3";
    QTest::newRow("Mc one verse") << "Mc" << QList<int>{4, 26, 0, 0} << "mk 4 26 26";
    QTest::newRow("Ap") << "Ap" << QList<int>{22, 16, 0, 21} << "zj 22 16 21";
    QTest::newRow("Mal renumbered") << "Mal" << QList<int>{3, 19, 0, 24} << "mal 4 1 6";
    QTest::newRow("whole chapter") << "Z" << QList<int>{100, 0, 0, 0} << "zl 100 1 5";
    QTest::newRow("unknown code") << "Tob" << QList<int>{1, 1, 0, 0} << "";
}

void ReferencesTest::fromPlaces() {
    QFETCH(QString, code);
    QFETCH(QList<int>, numbers);
    QFETCH(QString, index);
    const references::Conversion c =
        references::fromPlaces({{code, numbers[0], numbers[1], numbers[2], numbers[3]}}, books());
    QCOMPARE(c.span ? c.span->index() : QString(), index);
    QCOMPARE(c.problem.isEmpty(), !index.isEmpty());
}

void ReferencesTest::renumberingRow_data() {
    QTest::addColumn<int>("row");
    const QList<references::Renumbering> &rows = references::renumbering();
    for (qsizetype i = 0; i < rows.size(); ++i)
        QTest::addRow("%s %d,%d-%d", rows[i].book, rows[i].chapter, rows[i].first, rows[i].last) << int(i);
}

// Each row maps onto verses that our books have, as many as the row says: both ends of the row
// land where it says, and the verses of a chapter are numbered on without a gap.
void ReferencesTest::renumberingRow() {
    QFETCH(int, row);
    const references::Renumbering &r = references::renumbering()[row];
    const QString book = QLatin1String(r.book);
    const int ourCount = books().verseCount(book, r.ourChapter);
    QVERIFY(ourCount > 0);
    const int ourLast = r.ourLast == 999 ? ourCount : r.ourLast;
    QVERIFY2(r.ourFirst >= 1 && ourLast <= ourCount,
             qPrintable(QStringLiteral("our chapter has %1").arg(ourCount)));
    const int last = r.last == 999 ? r.first + (ourLast - r.ourFirst) : r.last;
    const auto start = references::toOurs(book, r.chapter, r.first, false, books());
    const auto end = references::toOurs(book, r.chapter, last, true, books());
    QVERIFY(start && end);
    QCOMPARE(*start, std::pair(r.ourChapter, r.ourFirst));
    QCOMPARE(*end, std::pair(r.ourChapter, ourLast));
    // beyond the ecumenical chapter's end there is no verse
    QVERIFY(!references::toOurs(
        book, r.chapter, references::ecumenicalChapterEnd(book, r.chapter, books()) + 1, false, books()));
}

// Together the rows of a book cover each of our chapters that they touch from its first verse to
// its last, without a gap (one verse may be shared where a verse is split between two).
void ReferencesTest::renumberingCoversOurChapters() {
    QMap<QString, QList<std::pair<int, int>>> covered; // "book chapter" → our verse ranges
    for (const references::Renumbering &r : references::renumbering()) {
        const QString key = QStringLiteral("%1 %2").arg(QLatin1String(r.book)).arg(r.ourChapter);
        const int ourLast =
            r.ourLast == 999 ? books().verseCount(QLatin1String(r.book), r.ourChapter) : r.ourLast;
        covered[key].append({r.ourFirst, ourLast});
    }
    // Our Isaiah 64,1 is the second half of their 63,19: a verse split across a chapter end, which
    // the table leaves with its first half.
    covered[QStringLiteral("iz 64")].append({1, 1});
    for (auto it = covered.begin(); it != covered.end(); ++it) {
        std::sort(it->begin(), it->end());
        const QStringList parts = it.key().split(u' ');
        int reached = 0;
        for (const auto &[first, last] : *it) {
            QVERIFY2(first == reached + 1 || first == reached, qPrintable(it.key()));
            reached = std::max(reached, last);
        }
        QCOMPARE(reached, books().verseCount(parts[0], parts[1].toInt()));
    }
}

QTEST_GUILESS_MAIN(ReferencesTest)
#include "references_test.moc"
