// Cutting readings out of made-up book files (tests/fixtures/passage/Data):
//   kn: chapters of 12, 3, 41, 22 and 4 verses; every seventh verse runs over two lines, and the
//       book ends with a line that has no marker ("Konec knihy.");
//   Mx: the file name in capitals, markers "mx"; žl: markers with a letter outside ASCII;
//   ../secret (beside Data/): a book file that no reference may reach.
#include "readings/passage.h"

#include "platform/cp1250.h"
#include "testenv.h"

#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using passage::ExtractPassage;
using passage::Outcome;

namespace {

const QString kNotFound = QStringLiteral("Odkaz nebyl nelezen.");
const QString kBookMissing =
    QStringLiteral("Hledaná biblická kniha nebyla nalezena.\r\n\r\nOdkaz nebyl nelezen.");
const QByteArray kPrevious = "previous passage\r\n";

QString fixtures() {
    return QStringLiteral(KERLA_FIXTURES "/passage/");
}

// The verses of a fixture book, read line by line (independently of the marker search): a verse
// is its marker line and the lines without a marker that follow it.
using VerseKey = std::pair<int, int>;
QMap<VerseKey, QByteArray> versesOf(const QString &file, const QString &abbrev) {
    const QByteArray bytes = readBytes(fixtures() + QStringLiteral("Data/") + file);
    const QRegularExpression markerLine(
        QStringLiteral("^%1 (\\d+) (\\d+) ").arg(QRegularExpression::escape(abbrev)));
    QMap<VerseKey, QByteArray> verses;
    VerseKey current{0, 0};
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype end = bytes.indexOf("\r\n", at) + 2;
        const QByteArray line = bytes.mid(at, end - at);
        const auto m = markerLine.match(cp1250::toUnicode(line));
        if (m.hasMatch())
            current = {m.captured(1).toInt(), m.captured(2).toInt()};
        verses[current] += line;
        at = end;
    }
    return verses;
}

// The bytes of the verses from..to (inclusive) in book order.
QByteArray range(const QString &file, const QString &abbrev, VerseKey from, VerseKey to) {
    QByteArray out;
    const auto verses = versesOf(file, abbrev);
    for (auto it = verses.constFind(from); it != verses.constEnd() && it.key() <= to; ++it)
        out += it.value();
    return out;
}

struct Run {
    Outcome outcome;
    QByteArray cteni;
};

class Fixture {
public:
    Fixture() {
        state.ProgramDir = fixtures();
        state.UserDataDir = user.path() + QLatin1Char('/');
        writeBytes(state.readingTextPath(), kPrevious);
    }
    Run extract(const QString &reference) {
        Run run;
        ExtractPassage(state, reference, run.outcome);
        run.cteni = readBytes(state.readingTextPath());
        return run;
    }
    QTemporaryDir user;
    AppContext state;
};

} // namespace

class PassageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitsAtNoMoreThanFourSpaces_data();
    void splitsAtNoMoreThanFourSpaces();
    void cutsThePassage_data();
    void cutsThePassage();
    void refusesWithMessages_data();
    void refusesWithMessages();
    void showsTheFirstVerseWhenTheLastIsNoNumber_data();
    void showsTheFirstVerseWhenTheLastIsNoNumber();
    void neverReusesTheMarkersOfAnEarlierReading();
    void aFolderIsNoBook();
    void aFailedWriteIsReportedAndNothingShown();
};

void PassageTest::splitsAtNoMoreThanFourSpaces_data() {
    QTest::addColumn<QString>("reference");
    QTest::addColumn<int>("separators");
    QTest::addColumn<QStringList>("parts"); // Book, Chapter, FirstVerse, LastChapter, LastVerse
    QTest::addColumn<QString>("label");
    QTest::newRow("four parts") << "1j 4 7 21" << 3 << QStringList{"1j", "4", "7", "4", "21"} << "1j 4,7-21";
    QTest::newRow("five parts") << "1j 4 7 5 3" << 4 << QStringList{"1j", "4", "7", "5", "3"} << "1j 4,7-5,3";
    QTest::newRow("three parts") << "1j 4 7" << 2 << QStringList{"1j", "4", "7", "4", ""} << "1j 4,7-";
    QTest::newRow("doubled space") << "1j  4 7 21" << 3 << QStringList{"1j", " 4", "7", " 4", "21"}
                                   << "1j  4,7-21";
    QTest::newRow("three spaces") << "1j   4" << 2 << QStringList{"1j", " ", "4", " ", ""} << "1j  ,4-";
    QTest::newRow("more than four") << "1j 4 7 5 3 x" << 4 << QStringList{"1j", "4", "7", "5", "3 x"}
                                    << "1j 4,7-5,3 x";
    QTest::newRow("trailing space") << "1j 4 7 5 " << 4 << QStringList{"1j", "4", "7", "5", ""}
                                    << "1j 4,7-5,";
    QTest::newRow("empty") << "" << 0 << QStringList{"", "", "", "", ""} << " ,-";
}

void PassageTest::splitsAtNoMoreThanFourSpaces() {
    QFETCH(QString, reference);
    QFETCH(int, separators);
    QFETCH(QStringList, parts);
    QFETCH(QString, label);
    const passage::ReadingReference ref = passage::splitReference(reference);
    QCOMPARE(ref.separators, separators);
    QCOMPARE((QStringList{ref.Book, ref.Chapter, ref.FirstVerse, ref.LastChapter, ref.LastVerse}), parts);
    QCOMPARE(passage::labelText(ref), label);
}

void PassageTest::cutsThePassage_data() {
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QByteArray>("expected");
    const auto kn = [](VerseKey from, VerseKey to) {
        return range(QStringLiteral("kn"), QStringLiteral("kn"), from, to);
    };
    QTest::newRow("within a chapter") << "kn 4 7 21"
                                      << "kn 4,7-21" << kn({4, 7}, {4, 21});
    QTest::newRow("last verse of a chapter") << "kn 2 2 3"
                                             << "kn 2,2-3" << kn({2, 2}, {2, 3});
    QTest::newRow("last verse of the book") << "kn 5 2 4"
                                            << "kn 5,2-4" << kn({5, 2}, {5, 4});
    QTest::newRow("verse 1, not 10") << "kn 1 1 1"
                                     << "kn 1,1-1" << kn({1, 1}, {1, 1});
    QTest::newRow("verse 10") << "kn 1 10 11"
                              << "kn 1,10-11" << kn({1, 10}, {1, 11});
    QTest::newRow("five parts") << "kn 1 11 2 2"
                                << "kn 1,11-2,2" << kn({1, 11}, {2, 2});
    QTest::newRow("five parts, chapter end") << "kn 1 11 2 3"
                                             << "kn 1,11-2,3" << kn({1, 11}, {2, 3});
    QTest::newRow("five parts, book end") << "kn 4 20 5 4"
                                          << "kn 4,20-5,4" << kn({4, 20}, {5, 4});
    QTest::newRow("end before start, short chapter") << "kn 4 10 3"
                                                     << "kn 4,10-3" << kn({4, 10}, {4, 22});
    QTest::newRow("end before start, 40 verses") << "kn 3 10 3"
                                                 << "kn 3,10-3" << kn({3, 10}, {3, 39});
    QTest::newRow("end marker is start marker") << "kn 4 10 9"
                                                << "kn 4,10-9" << QByteArray("");
    QTest::newRow("file name in other case")
        << "mx 1 2 3"
        << "mx 1,2-3" << range(QStringLiteral("Mx"), QStringLiteral("mx"), {1, 2}, {1, 3});
    QTest::newRow("marker outside ASCII")
        << "žl 1 2 2 1"
        << "žl 1,2-2,1" << range(QStringLiteral("žl"), QStringLiteral("žl"), {1, 2}, {2, 1});
}

void PassageTest::cutsThePassage() {
    QFETCH(QString, reference);
    QFETCH(QString, label);
    QFETCH(QByteArray, expected);
    Fixture f;
    const Run run = f.extract(reference);
    QCOMPARE(run.outcome.label, label);
    QCOMPARE(run.outcome.messages, QStringList());
    QVERIFY(run.outcome.show);
    QCOMPARE(run.cteni, expected);
}

void PassageTest::refusesWithMessages_data() {
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("no such book") << "xx 1 1 2"
                                  << "xx 1,1-2" << QStringList{kBookMissing};
    QTest::newRow("empty reference") << ""
                                     << " ,-" << QStringList{kBookMissing};
    QTest::newRow("abbreviation in other case") << "KN 1 1 2"
                                                << "KN 1,1-2" << QStringList{kNotFound};
    QTest::newRow("no such chapter") << "kn 9 1 2"
                                     << "kn 9,1-2" << QStringList{kNotFound};
    QTest::newRow("no such verse") << "kn 2 4 5"
                                   << "kn 2,4-5" << QStringList{kNotFound};
    // The doubled space leaves " 4" as the chapter: no number, and no marker either.
    QTest::newRow("doubled space") << "kn  4 7 21"
                                   << "kn  4,7-21" << QStringList{kNotFound, kNotFound};
    QTest::newRow("no first verse") << "kn 4"
                                    << "kn 4,-" << QStringList{kNotFound};
    // Path syntax in the abbreviation never reaches a file outside Data/, not even ../secret,
    // which exists and whose markers would match.
    QTest::newRow("parent folder") << "../secret 1 1 2"
                                   << "../secret 1,1-2" << QStringList{kBookMissing};
    QTest::newRow("backslash") << "..\\secret 1 1 2"
                               << "..\\secret 1,1-2" << QStringList{kBookMissing};
    QTest::newRow("dot dot in the name") << "kn.. 1 1 2"
                                         << "kn.. 1,1-2" << QStringList{kBookMissing};
    QTest::newRow("the folder itself") << ". 1 1 2"
                                       << ". 1,1-2" << QStringList{kBookMissing};
}

void PassageTest::refusesWithMessages() {
    QFETCH(QString, reference);
    QFETCH(QString, label);
    QFETCH(QStringList, messages);
    Fixture f;
    const Run run = f.extract(reference);
    QCOMPARE(run.outcome.label, label);
    QCOMPARE(run.outcome.messages, messages);
    QVERIFY(!run.outcome.show);
    QCOMPARE(run.cteni, kPrevious);
}

void PassageTest::showsTheFirstVerseWhenTheLastIsNoNumber_data() {
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QByteArray>("expected");
    const auto kn = [](VerseKey from, VerseKey to) {
        return range(QStringLiteral("kn"), QStringLiteral("kn"), from, to);
    };
    QTest::newRow("three parts") << "kn 4 7"
                                 << "kn 4,7-" << kn({4, 7}, {4, 7});
    QTest::newRow("verse runs over two lines") << "kn 1 7"
                                               << "kn 1,7-" << kn({1, 7}, {1, 7});
    QTest::newRow("last verse of a chapter") << "kn 2 3"
                                             << "kn 2,3-" << kn({2, 3}, {2, 3});
    QTest::newRow("last verse of the book") << "kn 5 4"
                                            << "kn 5,4-" << kn({5, 4}, {5, 4});
    QTest::newRow("letter in the last verse") << "kn 4 7 21a"
                                              << "kn 4,7-21a" << kn({4, 7}, {4, 7});
    QTest::newRow("more than four spaces") << "kn 1 11 2 2 x"
                                           << "kn 1,11-2,2 x" << kn({1, 11}, {1, 11});
    QTest::newRow("letter as last chapter") << "kn 1 11 x 2"
                                            << "kn 1,11-x,2" << kn({1, 11}, {1, 11});
    QTest::newRow("number too large") << "kn 4 7 2147483647"
                                      << "kn 4,7-2147483647" << kn({4, 7}, {4, 7});
}

void PassageTest::showsTheFirstVerseWhenTheLastIsNoNumber() {
    QFETCH(QString, reference);
    QFETCH(QString, label);
    QFETCH(QByteArray, expected);
    Fixture f;
    const Run run = f.extract(reference);
    QCOMPARE(run.outcome.label, label);
    QCOMPARE(run.outcome.messages, QStringList{kNotFound});
    QVERIFY(run.outcome.show);
    QCOMPARE(run.cteni, expected);
}

void PassageTest::neverReusesTheMarkersOfAnEarlierReading() {
    Fixture f;
    QVERIFY(f.extract(QStringLiteral("kn 1 2 4 21")).outcome.show);

    // The earlier end (kn 4 22, or the first verse of chapter 5) would cut chapters 1 to 4.
    const Run run = f.extract(QStringLiteral("kn 1 3"));
    QCOMPARE(run.outcome.messages, QStringList{kNotFound});
    QCOMPARE(run.cteni, range(QStringLiteral("kn"), QStringLiteral("kn"), {1, 3}, {1, 3}));
}

void PassageTest::aFolderIsNoBook() {
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("Data/kn")));
    Fixture f;
    f.state.ProgramDir = program.path() + QLatin1Char('/');
    const Run run = f.extract(QStringLiteral("kn 1 1 2"));
    QCOMPARE(run.outcome.messages, QStringList{kBookMissing});
    QVERIFY(!run.outcome.show);
}

void PassageTest::aFailedWriteIsReportedAndNothingShown() {
    Fixture f;
    f.state.UserDataDir = f.user.path() + QStringLiteral("/missing/folder/");
    Outcome out;
    QVERIFY_THROWS_EXCEPTION(KerlaError, ExtractPassage(f.state, QStringLiteral("kn 4 7 21"), out));
    QCOMPARE(out.label, QStringLiteral("kn 4,7-21"));
    QVERIFY(out.messages.isEmpty());
    QVERIFY(!out.show);
}

QTEST_GUILESS_MAIN(PassageTest)
#include "passage_test.moc"
