// The exported calendar read back by a real iCalendar parser (Debian's python3-icalendar, which
// scripts/setup.sh installs): every day of a year comes back with the texts it was given, long
// Czech texts with commas, semicolons, backslashes and line breaks included. kerla-data ics writes
// the same file, and a file that cannot be written leaves nothing behind.
#include "daytext/calendarexport.h"
#include "faultshim.h"
#include "kerladata.h"
#include "platform/cp1250.h"
#include "platform/rtftext.h"
#include "testenv.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime kStamp(QDate(2025, 12, 24), QTime(9, 30), Qt::UTC);

// What the parser makes of the file: its calendar and its events, or a failed test.
QJsonObject parsed(const QString &path) {
    QProcess python;
    python.start(QStringLiteral(KERLA_PYTHON3), {QStringLiteral(KERLA_ICS_READER), path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning("%s%s", python.readAllStandardError().constData(),
                 python.errorString().toUtf8().constData());
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// A long invented text in Czech that needs escaping: commas, semicolons, a backslash and a line
// break (written in RTF), far beyond a line of 75 octets. (Debian's parser reads an escaped
// backslash before an "n" as a line break, so the backslash here stands before another letter.)
QString longText(int day) {
    return QStringLiteral("Den %1: Žluťoučký kůň úpěl ďábelské ódy; říkal, že „všechno\\\\vše“ je jen "
                          "zkouška písma, čárek, středníků; a dál\\line na novém řádku pokračuje dlouhá věta "
                          "o třiceti slovech, která se musí zalomit několikrát, aby se ukázalo skládání.")
        .arg(day);
}

// A year of invented pages in the page design, with a readings index; 15 March has no page.
void writeInventedYear(const QString &folder, int year) {
    QByteArray days, index;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            const QDate date(year, month, day);
            if (date.isValid() && date != QDate(year, 3, 15)) {
                days += cp1250::fromUnicode(
                    QStringLiteral(
                        "\\qc\\b Den %1.%2.\\par\\par\\ql %3\\par\\qr\\i Ukázka %2, %1\\par\\par\\ql\\plain "
                        "Krátké slovo; druhé, třetí.\\par\\qr\\i Příklad 8, 1–3")
                        .arg(day)
                        .arg(month)
                        .arg(longText(date.dayOfYear())));
                index += QStringLiteral("[%1.%2.%3]\r\nCteni1=gn %2 1 5\r\nCteni2=mt %1 1 3\r\n\r\n")
                             .arg(day)
                             .arg(month)
                             .arg(year)
                             .toLatin1();
            }
            days += "\r\n";
        }
    }
    QVERIFY(writeBytes(folder + QStringLiteral("Kerla%1.rtf").arg(year), days));
    QVERIFY(writeBytes(folder + QStringLiteral("Cteni%1.sj").arg(year), index));
}

QList<yeardays::Day> yearDays(const QString &folder, int year) {
    return calendarexport::days([&](int y) { return yeardays::inFolder(folder, y); }, QDate(year, 1, 1),
                                QDate(year, 12, 31));
}

// Every event came back as it was written.
void compareEvents(const QJsonObject &file, const QList<yeardays::Day> &days, bool alarm) {
    QCOMPARE(file.value(QStringLiteral("version")).toString(), QStringLiteral("2.0"));
    QVERIFY(file.value(QStringLiteral("prodid")).toString().contains(QStringLiteral("org.example.Kerla")));
    const QJsonArray events = file.value(QStringLiteral("events")).toArray();
    QCOMPARE(events.size(), days.size());
    for (qsizetype i = 0; i < days.size(); ++i) {
        const QJsonObject e = events[i].toObject();
        const icalendar::Event sent = calendarexport::event(days[i]);
        const QDate date = days[i].date;
        QCOMPARE(e.value(QStringLiteral("uid")).toString(),
                 date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("@kerla.example.org"));
        QCOMPARE(e.value(QStringLiteral("start")).toString(), date.toString(Qt::ISODate));
        QVERIFY(e.value(QStringLiteral("startIsDate")).toBool());
        QCOMPARE(e.value(QStringLiteral("end")).toString(), date.addDays(1).toString(Qt::ISODate));
        QCOMPARE(e.value(QStringLiteral("stamp")).toString(), QStringLiteral("2025-12-24T09:30:00+00:00"));
        QCOMPARE(e.value(QStringLiteral("summary")).toString(), sent.summary);
        QCOMPARE(e.value(QStringLiteral("description")).toString(), sent.description);
        // The description holds the page's texts as the reader reads them, and the readings.
        const QStringList pageLines = rtf::plainText(days[i].page).split(u'\n');
        for (qsizetype line = 1; line < pageLines.size(); ++line)
            QVERIFY2(sent.description.contains(pageLines[line].trimmed()), qPrintable(pageLines[line]));
        if (!days[i].readings.first.isEmpty())
            QVERIFY(sent.description.contains(QStringLiteral("Čtení na tento den: ")));
        // The summary begins with a reference of the page.
        QVERIFY(std::any_of(pageLines.begin() + 1, pageLines.end(), [&](const QString &line) {
            return !line.trimmed().isEmpty() &&
                   sent.summary.startsWith(line.trimmed() + QStringLiteral(": "));
        }));
        const QJsonArray alarms = e.value(QStringLiteral("alarms")).toArray();
        QCOMPARE(alarms.size(), alarm ? 1 : 0);
        if (alarm) {
            QCOMPARE(alarms[0].toObject().value(QStringLiteral("trigger")).toInt(), 7 * 3600 + 30 * 60);
            QCOMPARE(alarms[0].toObject().value(QStringLiteral("action")).toString(),
                     QStringLiteral("DISPLAY"));
        }
    }
}

// The file without its DTSTAMP lines, which say when it was made.
QByteArray withoutStamps(QByteArray file) {
    QList<QByteArray> lines = file.split('\n');
    lines.removeIf([](const QByteArray &l) { return l.startsWith("DTSTAMP:"); });
    return lines.join('\n');
}

} // namespace

class CalendarRoundTripTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sampleYear();
    void longCzechTexts_data();
    void longCzechTexts();
    void spanAcrossTheYearsEnd();
    void commandLineWritesTheSameFile();
    void failedWriteLeavesNothing();
};

void CalendarRoundTripTest::sampleYear() {
    const QList<yeardays::Day> days = yearDays(QStringLiteral(KERLA_BIN_DIR), 2025);
    QCOMPARE(days.size(), 365);
    QTemporaryDir out;
    const QString path = out.filePath(calendarexport::defaultFileName(2025));
    QCOMPARE(calendarexport::write(path, days, {kStamp, std::nullopt}), 365);
#ifdef Q_OS_WIN
    QSKIP("Debian's iCalendar parser reads the file back in the Linux suite only");
#endif
    compareEvents(parsed(path), days, false);
}

void CalendarRoundTripTest::longCzechTexts_data() {
    QTest::addColumn<bool>("alarm");
    QTest::newRow("without a reminder") << false;
    QTest::newRow("with a reminder at 7:30") << true;
}

void CalendarRoundTripTest::longCzechTexts() {
    QFETCH(bool, alarm);
    QTemporaryDir data;
    writeInventedYear(data.path() + u'/', 2031);
    const QList<yeardays::Day> days = yearDays(data.path(), 2031);
    QCOMPARE(days.size(), 364); // 15 March has no page
    const QString path = data.filePath(QStringLiteral("hesla-2031.ics"));
    QCOMPARE(calendarexport::write(path, days, {kStamp, alarm ? std::optional(QTime(7, 30)) : std::nullopt}),
             364);
#ifdef Q_OS_WIN
    QSKIP("Debian's iCalendar parser reads the file back in the Linux suite only");
#endif
    const QJsonObject file = parsed(path);
    compareEvents(file, days, alarm);
    // What a calendar shows of one day, word for word.
    const QJsonObject first = file.value(QStringLiteral("events")).toArray().first().toObject();
    QCOMPARE(
        first.value(QStringLiteral("description")).toString(),
        QStringLiteral("Den 1: Žluťoučký kůň úpěl ďábelské ódy; říkal, že „všechno\\vše“ je jen zkouška "
                       "písma, čárek, středníků; a dál\nna novém řádku pokračuje dlouhá věta o třiceti "
                       "slovech, která se musí zalomit několikrát, aby se ukázalo skládání.\nUkázka 1, 1\n\n"
                       "Krátké slovo; druhé, třetí.\nPříklad 8, 1–3\n\n"
                       "Čtení na tento den: gn 1,1-5; mt 1,1-3"));
    QCOMPARE(first.value(QStringLiteral("summary")).toString(),
             QStringLiteral("Ukázka 1, 1: Den 1: Žluťoučký kůň úpěl ďábelské ódy; říkal, že…"));
    const QByteArray raw = readBytes(path);
    QVERIFY(raw.contains("\r\n ")); // long lines were folded
}

void CalendarRoundTripTest::spanAcrossTheYearsEnd() {
    QTemporaryDir data;
    writeInventedYear(data.path() + u'/', 2031);
    writeInventedYear(data.path() + u'/', 2032);
    const QList<yeardays::Day> days = calendarexport::days(
        [&](int y) { return yeardays::inFolder(data.path(), y); }, QDate(2031, 12, 30), QDate(2033, 1, 2));
    QCOMPARE(days.size(), 2 + 365); // 2032 is a leap year without 15 March; 2033 has no file
    QCOMPARE(days.first().date, QDate(2031, 12, 30));
    QCOMPARE(days.last().date, QDate(2032, 12, 31));
}

void CalendarRoundTripTest::commandLineWritesTheSameFile() {
    QTemporaryDir data;
    writeInventedYear(data.path() + u'/', 2031);
    const QString own = data.filePath(QStringLiteral("own.ics")),
                  tool = data.filePath(QStringLiteral("tool.ics"));
    for (const bool alarm : {false, true}) {
        calendarexport::write(own, yearDays(data.path(), 2031),
                              {kStamp, alarm ? std::optional(QTime(7, 30)) : std::nullopt});
        QStringList args{QStringLiteral("ics"), data.path(), QStringLiteral("2031"), tool};
        if (alarm)
            args = QStringList{QStringLiteral("ics"), QStringLiteral("--alarm"), QStringLiteral("7:30")} +
                   args.mid(1);
        QCOMPARE(runKerlaData(args).exitCode, 0);
        QCOMPARE(withoutStamps(readBytes(tool)), withoutStamps(readBytes(own)));
    }
    // Without a file name it writes hesla-<year>.ics in the current folder.
    QProcess inFolder;
    inFolder.setWorkingDirectory(data.path());
    inFolder.start(QStringLiteral(KERLA_BIN_DIR "/kerla-data"),
                   {QStringLiteral("ics"), QStringLiteral("--alarm"), QStringLiteral("7:30"), data.path(),
                    QStringLiteral("2031")});
    QVERIFY(inFolder.waitForFinished(60000));
    QCOMPARE(inFolder.exitCode(), 0);
    QCOMPARE(withoutStamps(readBytes(data.filePath(QStringLiteral("hesla-2031.ics")))),
             withoutStamps(readBytes(tool)));
    // A year without data, and a file that cannot be written: Czech messages, no file.
    const KerlaDataRun noData =
        runKerlaData({QStringLiteral("ics"), data.path(), QStringLiteral("2040"), tool + u'2'});
    QCOMPARE(noData.exitCode, 1);
    QVERIFY2(noData.err.contains(QStringLiteral("nejsou žádná kerla")), qPrintable(noData.err));
    const KerlaDataRun unwritable = runKerlaData({QStringLiteral("ics"), data.path(), QStringLiteral("2031"),
                                                  data.filePath(QStringLiteral("no-such-folder/x.ics"))});
    QCOMPARE(unwritable.exitCode, 1);
    QVERIFY2(unwritable.err.contains(QStringLiteral("nelze zapisovat")), qPrintable(unwritable.err));
    QVERIFY(!QFile::exists(tool + u'2'));
    QVERIFY(!QDir(data.filePath(QStringLiteral("no-such-folder"))).exists());
}

void CalendarRoundTripTest::failedWriteLeavesNothing() {
    QTemporaryDir data;
    writeInventedYear(data.path() + u'/', 2031);
    const QString folder = data.filePath(QStringLiteral("out")) + u'/';
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("hesla-2031.ics");
    QVERIFY(writeBytes(path, "the old calendar"));
    const faultshim::Scope faults;
    faultshim::failWritesAfter(folder.toLocal8Bit(), 4096); // the disk fills up half way
    try {
        calendarexport::write(path, yearDays(data.path(), 2031), {kStamp, std::nullopt});
        QFAIL("the write did not fail");
    } catch (const KerlaError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Kalendář nelze uložit")), qPrintable(e.message()));
        QVERIFY(e.message().contains(path));
    }
    faultshim::reset();
    QCOMPARE(readBytes(path), QByteArray("the old calendar"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("hesla-2031.ics")});
}

QTEST_GUILESS_MAIN(CalendarRoundTripTest)
#include "calendar_roundtrip_test.moc"
