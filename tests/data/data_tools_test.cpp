// kerla-data check and import, run as their users run them: on copies of the generated sample
// data set, with faults planted one kind at a time, and on the example table.
#include "kerladata.h"
#include "pages/daypage.h"
#include "platform/cp1250.h"
#include "platform/rtfparser.h"
#include "platform/rtfreader.h"
#include "platform/textfile.h"
#include "testenv.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <functional>

namespace {

QString bin() {
    return QStringLiteral(KERLA_BIN_DIR "/");
}

using Run = KerlaDataRun;

Run kerlaData(const QStringList &args) {
    return runKerlaData(args);
}

// A copy of the sample set's Data/ and the 2026 files, which a test may then spoil.
bool copySample(const QString &to) {
    QStringList files = {QStringLiteral("Kerla2026.rtf"), QStringLiteral("Cteni2026.sj")};
    QDirIterator books(bin() + QStringLiteral("Data"), QDir::Files);
    while (books.hasNext()) {
        books.next();
        files.append(QStringLiteral("Data/") + books.fileName());
    }
    for (const QString &file : files)
        if (!writeBytes(to + file, readBytes(bin() + file)))
            return false;
    return true;
}

using Edit = std::function<void(QByteArray &)>;

// The lines of a CR LF file; `edit` gets the list and may change it.
Edit onLines(const std::function<void(QList<QByteArray> &)> &edit) {
    return [edit](QByteArray &bytes) {
        QList<QByteArray> lines = bytes.split('\n');
        for (QByteArray &line : lines)
            if (line.endsWith('\r'))
                line.chop(1);
        edit(lines);
        bytes = lines.join("\r\n");
    };
}

int slot(int month, int day) {
    return (month - 1) * 31 + (day - 1);
}

Edit appendToDay(int month, int day, const QByteArray &bytes) {
    return onLines([=](QList<QByteArray> &lines) { lines[slot(month, day)] += bytes; });
}

Edit replaceOnce(const QByteArray &from, const QByteArray &to) {
    return [=](QByteArray &bytes) {
        const qsizetype at = bytes.indexOf(from);
        if (at >= 0)
            bytes.replace(at, from.size(), to);
    };
}

// A key's value in one day's section of the readings index.
Edit setReading(const QByteArray &day, const QByteArray &key, const QByteArray &value) {
    return [=](QByteArray &bytes) {
        const qsizetype section = bytes.indexOf("[" + day + "]\r\n");
        const qsizetype at = bytes.indexOf("\r\n" + key + "=", section);
        const qsizetype end = bytes.indexOf("\r\n", at + 2);
        if (section >= 0 && at >= 0)
            bytes.replace(at + 2, end - at - 2, key + "=" + value);
    };
}

QJsonArray problemsOf(const Run &run) {
    return QJsonDocument::fromJson(run.out.toUtf8()).array();
}

} // namespace

class DataToolsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rtfReaderReportsWhatItPassesOver_data();
    void rtfReaderReportsWhatItPassesOver();
    void sampleSetIsClean();
    void plantedFault_data();
    void plantedFault();
    void arguments_data();
    void arguments();
    void unreadableFolder();
    void importRoundTrip();
    void importTsvWithoutReadings();
    void badTableWritesNothing_data();
    void badTableWritesNothing();
};

void DataToolsTest::rtfReaderReportsWhatItPassesOver_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>(
        "reported"); // one letter per problem: C control, H hidden, U unclosed, A after end
    QTest::addColumn<QString>("text");
    QTest::newRow("sound page") << QByteArray("{\\rtf1\\ansi \\b Den\\par\\i {\\*\\generator x}text}\r\n")
                                << ""
                                << "Den\ntext";
    QTest::newRow("font table panose")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0{\\*\\panose 0202}Arial;}}a}") << ""
        << "a";
    QTest::newRow("unknown destination") << QByteArray("{\\rtf1 a{\\*\\mystery hidden}b}") << "H"
                                         << "ab";
    QTest::newRow("empty unknown destination") << QByteArray("{\\rtf1 a{\\*\\mystery }b}") << ""
                                               << "ab";
    QTest::newRow("control byte") << QByteArray("{\\rtf1 a\x01 b}") << "C"
                                  << "a b";
    QTest::newRow("escaped control byte") << QByteArray("{\\rtf1 a\\'07b}") << "C"
                                          << "ab";
    QTest::newRow("unclosed group") << QByteArray("{\\rtf1 a{\\b b}") << "U"
                                    << "ab";
    QTest::newRow("text after the end") << QByteArray("{\\rtf1 a}b}\r\n") << "A"
                                        << "a";
}

// The reader tells the data tools what it passes over, and shows the same text as always.
void DataToolsTest::rtfReaderReportsWhatItPassesOver() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, reported);
    QFETCH(QString, text);
    class Sink final : public rtf::detail::Sink {
    public:
        QString letters;
        void text(const QString &, const rtf::detail::CharProps &, const rtf::detail::Font *) override {}
        void paragraph(const rtf::detail::ParaProps &, const rtf::detail::CharProps &,
                       const rtf::detail::Font *) override {}
        void finish(const rtf::detail::ParaProps &, bool) override {}
        void problem(rtf::detail::Problem p, qsizetype, QByteArrayView) override {
            letters += QStringLiteral("CHUA").at(int(p));
        }
    } sink;
    rtf::detail::parse(rtf, sink);
    QCOMPARE(sink.letters, reported);
    QCOMPARE(rtf::plainText(rtf), text);
}

// Every year of the generated set, by default and when named.
void DataToolsTest::sampleSetIsClean() {
    Run run = kerlaData({QStringLiteral("check"), bin()});
    QCOMPARE(run.out, QString());
    QCOMPARE(run.exitCode, 0);
    QStringList named = {QStringLiteral("check"), QStringLiteral("--json"), bin()};
    named += QStringLiteral(KERLA_DATA_YEARS).split(QLatin1Char(','));
    run = kerlaData(named);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.trimmed(), QStringLiteral("[]"));
}

void DataToolsTest::plantedFault_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("day"); // empty: a fault of no day
    QTest::addColumn<int>("line");
    const QString pages = QStringLiteral("Kerla2026.rtf"), readings = QStringLiteral("Cteni2026.sj");

    QTest::newRow("file ends early") << pages << onLines([](QList<QByteArray> &lines) {
        lines = lines.mid(0, slot(3, 15));
    }) << "rtf-lines"
                                     << "15.3.2026" << 77;
    QTest::newRow("slot of no day filled")
        << pages << onLines([](QList<QByteArray> &lines) { lines[slot(2, 30)] = "\\b 30. února"; })
        << "rtf-slot"
        << "30.2.2026" << 61;
    QTest::newRow("empty day") << pages
                               << onLines([](QList<QByteArray> &lines) { lines[slot(3, 17)].clear(); })
                               << "rtf-empty"
                               << "17.3.2026" << 79;
    QTest::newRow("extra closing brace") << pages << appendToDay(3, 15, "} Amen.") << "rtf-braces"
                                         << "15.3.2026" << 77;
    QTest::newRow("unclosed group") << pages << appendToDay(5, 1, "{\\b Amen.") << "rtf-braces"
                                    << "1.5.2026" << 125;
    QTest::newRow("control byte") << pages << appendToDay(3, 18, "\x01") << "rtf-control"
                                  << "18.3.2026" << 80;
    QTest::newRow("byte not in 1250") << pages << appendToDay(3, 20, "\x81") << "rtf-codepage"
                                      << "20.3.2026" << 82;
    QTest::newRow("unknown destination")
        << pages << appendToDay(3, 19, "{\\*\\poznamka text}") << "rtf-hidden"
        << "19.3.2026" << 81;
    QTest::newRow("after the last block")
        << pages << onLines([](QList<QByteArray> &lines) { lines.insert(372, "\\b navic"); }) << "rtf-extra"
        << "" << 373;
    QTest::newRow("missing day") << readings << onLines([](QList<QByteArray> &lines) {
        const qsizetype at = lines.indexOf("[5.1.2026]");
        lines.remove(at, lines.indexOf(QByteArray(), at) - at + 1);
    }) << "sj-missing-day"
                                 << "5.1.2026" << 0;
    QTest::newRow("foreign date") << readings << replaceOnce("[6.1.2026]", "[6.1.2025]") << "sj-foreign"
                                  << "" << 27;
    QTest::newRow("duplicate day") << readings << Edit([](QByteArray &bytes) {
        bytes += "[3.3.2026]\r\nCteni1=gn 1 1 2\r\n";
    }) << "sj-duplicate"
                                   << "3.3.2026" << 1878;
    QTest::newRow("missing reading") << readings
                                     << replaceOnce("[12.1.2026]\r\nCteni1=", "[12.1.2026]\r\nCteniX=")
                                     << "sj-missing-reading"
                                     << "12.1.2026" << 58;
    QTest::newRow("malformed reference")
        << readings << setReading("9.1.2026", "Cteni2", "mt 1 1") << "sj-bad-reference"
        << "9.1.2026" << 44;
    QTest::newRow("missing book") << readings << setReading("7.1.2026", "Cteni3", "xx 1 1 2")
                                  << "sj-missing-book"
                                  << "7.1.2026" << 35;
    QTest::newRow("missing verse") << readings << setReading("4.1.2026", "Perikopa", "mt 99 1 2")
                                   << "sj-missing-verse"
                                   << "4.1.2026" << 20;
    QTest::newRow("book verse missing") << QStringLiteral("Data/rt") << onLines([](QList<QByteArray> &lines) {
        lines.removeAt(4); // rt 1 5
    }) << "book-gap"
                                        << "" << 5;
    QTest::newRow("book markers out of order")
        << QStringLiteral("Data/jon") << onLines([](QList<QByteArray> &lines) { lines.swapItemsAt(2, 3); })
        << "book-order"
        << "" << 4;
    QTest::newRow("day page saved as UTF-8") << pages << onLines([](QList<QByteArray> &lines) {
        lines[slot(3, 21)] = cp1250::toUnicode(lines[slot(3, 21)]).toUtf8();
    }) << "rtf-codepage"
                                             << "21.3.2026" << 83;
    QTest::newRow("book saved as UTF-8")
        << QStringLiteral("Data/rt")
        << Edit([](QByteArray &bytes) { bytes = cp1250::toUnicode(bytes).toUtf8(); }) << "book-codepage"
        << "" << 0;
    QTest::newRow("book control byte")
        << QStringLiteral("Data/gn") << onLines([](QList<QByteArray> &lines) { lines[9] += '\x02'; })
        << "book-codepage"
        << "" << 10;
}

// Each fault is reported with its file, day, line and code, and the exit status is 1.
void DataToolsTest::plantedFault() {
    QFETCH(QString, file);
    QFETCH(Edit, edit);
    QFETCH(QString, code);
    QFETCH(QString, day);
    QFETCH(int, line);
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QVERIFY(copySample(folder));
    QByteArray bytes = readBytes(folder + file);
    const QByteArray before = bytes;
    edit(bytes);
    QVERIFY(bytes != before);
    QVERIFY(writeBytes(folder + file, bytes));

    const Run run = kerlaData({QStringLiteral("check"), QStringLiteral("--json"), folder});
    QCOMPARE(run.exitCode, 1);
    const QJsonArray problems = problemsOf(run);
    QVERIFY2(!problems.isEmpty() && problems.size() <= 3, qPrintable(run.out));
    bool found = false;
    for (const QJsonValue &value : problems) {
        const QJsonObject p = value.toObject();
        QCOMPARE(p.keys(), (QStringList{"code", "date", "file", "line", "message"}));
        QVERIFY(p.value("line").isNull() || p.value("line").toInt() > 0);
        QVERIFY(!p.value("message").toString().isEmpty());
        QCOMPARE(p.value("file").toString(), file); // nothing is blamed on a file that was not touched
        found = found || (p.value("code").toString() == code && p.value("date").toString() == day &&
                          p.value("line").toInt() == line && (!day.isEmpty() || p.value("date").isNull()));
    }
    QVERIFY2(found, qPrintable(run.out));

    // The text output: one line per problem, the day and the line in the program's words.
    const Run text = kerlaData({QStringLiteral("check"), folder, QStringLiteral("2026")});
    QCOMPARE(text.exitCode, 1);
    QCOMPARE(text.out.count(QLatin1Char('\n')), problems.size());
    const QString where = day.isEmpty() ? (line ? QStringLiteral("řádek %1: ").arg(line) : QString())
                          : line        ? QStringLiteral("%1, řádek %2: ").arg(day).arg(line)
                                        : day + QStringLiteral(": ");
    QVERIFY2(text.out.contains(file + QStringLiteral(": ") + where), qPrintable(text.out));
}

// Wrong arguments end with status 2 and the usage, in Czech; asked for, the usage goes to stdout.
void DataToolsTest::arguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString folder = QStringLiteral(KERLA_BIN_DIR);
    QTest::newRow("nothing") << QStringList() << 2 << QString() << u"použití: kerla-data check"_qs;
    QTest::newRow("unknown command") << QStringList{u"zkontroluj"_qs} << 2 << QString() << u"použití:"_qs;
    QTest::newRow("check without a folder") << QStringList{u"check"_qs} << 2 << QString() << u"použití:"_qs;
    QTest::newRow("help") << QStringList{u"--help"_qs} << 0 << u"man kerla-data"_qs << QString();
    QTest::newRow("a year out of range") << QStringList{u"check"_qs, folder, u"3000"_qs} << 2 << QString()
                                         << u"kerla-data: 3000 není rok mezi 1901 a 2099"_qs;
    QTest::newRow("not a year") << QStringList{u"import"_qs, u"--year"_qs, u"letos"_qs, u"t.csv"_qs, folder}
                                << 2 << QString() << u"letos není rok"_qs;
}

void DataToolsTest::arguments() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Run run = kerlaData(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(out.isEmpty() ? run.out.isEmpty() : run.out.contains(out), qPrintable(run.out));
    QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.contains(err), qPrintable(run.err));
}

void DataToolsTest::unreadableFolder() {
    QTemporaryDir dir;
    QCOMPARE(kerlaData({QStringLiteral("check"), dir.path() + QStringLiteral("/chybi")}).exitCode, 2);
    QCOMPARE(kerlaData({QStringLiteral("check"), dir.path()}).exitCode, 2); // no year's data in it
    QVERIFY(writeBytes(dir.path() + QStringLiteral("/soubor"), "x"));
    QCOMPARE(kerlaData({QStringLiteral("check"), dir.path() + QStringLiteral("/soubor")}).exitCode, 2);
}

// The example table gives a data set that check passes, with the table's texts on the pages.
void DataToolsTest::importRoundTrip() {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QVERIFY(copySample(folder));
    const QString table = QStringLiteral(KERLA_TESTS_DIR "/data/example-2028.csv");
    const Run run = kerlaData({QStringLiteral("import"), table, folder});
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    // every reading of the table cuts its passage
    static const QRegularExpression summary(
        QStringLiteral("Rok 2028 \\(CSV\\): 366 dní, (\\d+) čtení, z toho \\1 se vyřízne"));
    QVERIFY2(summary.match(run.out).hasMatch(), qPrintable(run.out));
    QCOMPARE(kerlaData({QStringLiteral("check"), folder, QStringLiteral("2028")}).exitCode, 0);

    const QList<QByteArray> lines = textfile::readLines(folder + QStringLiteral("Kerla2028.rtf"));
    QCOMPARE(lines.size(), 372);
    QVERIFY(lines[slot(2, 29)].size() > 0); // 2028 is a leap year
    QVERIFY(lines[slot(2, 30)].isEmpty());
    // A day whose text holds a doubled quote inside a quoted field, as the reader shows it.
    const QString page = rtf::plainText(daypage::pageBytes(lines[slot(1, 6)]));
    QCOMPARE(page, QStringLiteral(
                       "Čtvrtek 6. ledna 2028\n\nPokoj \"srdce\" je větší než hluk ulice.\nUkázka 6, 6\n\n"
                       "Milujte se navzájem, a to nejen slovy, ale skutkem.\nUkázka 8, 6–8"));
    const QString index = cp1250::toUnicode(readBytes(folder + QStringLiteral("Cteni2028.sj")));
    QVERIFY(index.contains(
        QStringLiteral("[2.1.2028]\r\nCteni1=ex 3 1 6\r\nCteni2=mk 1 1 8\r\nCteni3=pr 3 1 10\r\n"
                       "Perikopa=mt 5 1 12\r\n")));
    QVERIFY(index.contains(
        QStringLiteral("[1.1.2028]\r\nCteni1=gn 1 1 5\r\nCteni2=mt 5 1 12\r\nCteni3=zl 1 1 6\r\n\r\n")));
}

// A tab-separated table is known by its header; without reading columns no index is written.
void DataToolsTest::importTsvWithoutReadings() {
    QTemporaryDir dir;
    QString table = QStringLiteral("datum\theslo\theslo_odkaz\ttext\ttext_odkaz\n");
    for (QDate d(2030, 1, 1); d.year() == 2030; d = d.addDays(1))
        table += d.toString(Qt::ISODate) +
                 QStringLiteral("\tHeslo, den %1\tOdkaz 1\tText {%1}\tOdkaz 2\n").arg(d.dayOfYear());
    QVERIFY(writeBytes(dir.path() + QStringLiteral("/tabulka.txt"), table.toUtf8()));
    const QString out = dir.path() + QStringLiteral("/vystup");
    const Run run = kerlaData({QStringLiteral("import"), QStringLiteral("--year"), QStringLiteral("2030"),
                               dir.path() + QStringLiteral("/tabulka.txt"), out});
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    QVERIFY(!QFileInfo::exists(out + QStringLiteral("/Cteni2030.sj")));
    const QList<QByteArray> lines = textfile::readLines(out + QStringLiteral("/Kerla2030.rtf"));
    QCOMPARE(rtf::plainText(daypage::pageBytes(lines[slot(12, 31)])),
             QStringLiteral("Úterý 31. prosince 2030\n\nHeslo, den 365\nOdkaz 1\n\nText {365}\nOdkaz 2"));
}

void DataToolsTest::badTableWritesNothing_data() {
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("expected"); // the error, with its line
    QTest::newRow("duplicate date")
        << replaceOnce("\r\n10.1.2028,", "\r\n9.1.2028,")
        << QStringLiteral("řádek 11: datum 9.1.2028 je v tabulce podruhé (poprvé na řádku 10)");
    QTest::newRow("missing date") << onLines([](QList<QByteArray> &lines) { lines.removeAt(100); })
                                  << QStringLiteral("chybí den 9.4.2028");
    QTest::newRow("date outside the year") << replaceOnce("\r\n31.12.2028,", "\r\n31.12.2029,")
                                           << QStringLiteral("řádek 367: datum 31.12.2029 je mimo rok 2028");
    QTest::newRow("not in code page 1250")
        << replaceOnce("Ráno", "Mañana") << QStringLiteral("řádek 2: sloupec heslo: znak „ñ“ (U+00F1)");
    QTest::newRow("quote not closed")
        << replaceOnce(",pr 3 1 10,mt 5 1 12\r\n", ",pr 3 1 10,\"mt 5 1 12\r\n")
        << QStringLiteral("řádek 3: uvozovky otevřené na tomto řádku se nezavírají");
    QTest::newRow("unbalanced quote")
        << replaceOnce("\r\n3.1.2028,Žluť", "\r\n3.1.2028,\"Žluť") << QStringLiteral("řádek 4: uvozovky");
}

// The errors name their lines, nothing is written (exit status 2), and the output folder stays
// as it was.
void DataToolsTest::badTableWritesNothing() {
    QFETCH(Edit, edit);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QByteArray table = readBytes(QStringLiteral(KERLA_TESTS_DIR "/data/example-2028.csv"));
    const QByteArray before = table;
    edit(table);
    QVERIFY(table != before);
    QVERIFY(writeBytes(dir.path() + QStringLiteral("/rok.csv"), table));
    const QString out = dir.path() + QStringLiteral("/out/");
    QVERIFY(writeBytes(out + QStringLiteral("Kerla2028.rtf"), "stary obsah"));

    const Run run = kerlaData({QStringLiteral("import"), dir.path() + QStringLiteral("/rok.csv"), out});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains(QStringLiteral("nic nebylo zapsáno")));
    QVERIFY2(run.err.contains(expected), qPrintable(run.err));
    QCOMPARE(QDir(out).entryList(QDir::Files), QStringList{QStringLiteral("Kerla2028.rtf")});
    QCOMPARE(readBytes(out + QStringLiteral("Kerla2028.rtf")), QByteArray("stary obsah"));
}

QTEST_GUILESS_MAIN(DataToolsTest)
#include "data_tools_test.moc"
