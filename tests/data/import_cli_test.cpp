// kerla-data import run as its users run it, on the publisher's formats: what it writes, what it
// prints, its exit status, and the folder left as it was when it refuses a file.
#include "kerladata.h"
#include "testenv.h"
#include "yearfixtures.h"

#include <QDir>
#include <QTest>

namespace {

using Run = KerlaDataRun;

Run kerlaData(const QStringList &args, const QString &dataHome = {}) {
    return runKerlaData(args, dataHome);
}

QStringList filesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class ImportCliTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void publisherYears_data();
    void publisherYears();
    void defaultFolderIsMade();
    void problemsStillWrite();
    void badFilesWriteNothing_data();
    void badFilesWriteNothing();
};

void ImportCliTest::publisherYears_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("LOSFILE") << yearfixtures::losfile()
                             << "Rok 2026 (LOSFILE): 365 dní, 834 čtení, z toho 834 se vyřízne z knih."
                             << QStringList{"Cteni2026.sj", "Hesla2026.sj", "Kerla2026.rtf"};
    QTest::newRow("FreeXml") << yearfixtures::freeXml(2027)
                             << "Rok 2027 (FreeXml): 365 dní, 0 čtení, z toho 0"
                             << QStringList{"Kerla2027.rtf"};
}

// A publisher's year imports with exit status 0 and says what it wrote.
void ImportCliTest::publisherYears() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, summary);
    QFETCH(QStringList, files);
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.path() + "/rok.xml", bytes));
    const QString folder = dir.path() + QStringLiteral("/kerla/");
    const Run run = kerlaData({QStringLiteral("import"), dir.path() + "/rok.xml", folder});
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    QVERIFY2(run.out.contains(summary), qPrintable(run.out));
    QVERIFY(run.out.startsWith(QStringLiteral("Zapsáno: ") + folder + files.last()));
    QCOMPARE(filesIn(folder), files);
}

void ImportCliTest::defaultFolderIsMade() {
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.path() + "/rok.xml", yearfixtures::freeXml(2027)));
    const QString home = dir.path() + QStringLiteral("/data");
    const Run run = kerlaData({QStringLiteral("import"), dir.path() + "/rok.xml"}, home);
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    QCOMPARE(filesIn(home + "/kerla"), QStringList{"Kerla2027.rtf"});
}

// A reading that does not cut is a problem, exit status 1, and the year is still written.
void ImportCliTest::problemsStillWrite() {
    QTemporaryDir dir;
    QByteArray bytes = yearfixtures::losfile();
    const QByteArray second = "<SR><SL>Jan 15,26-16,4</SL></SR>"; // the reading of 2 January
    bytes.replace(bytes.indexOf(second), second.size(), "<SR><SL>Sírachovec 1,1-10</SL></SR>");
    QVERIFY(writeBytes(dir.path() + "/rok.xml", bytes));
    const Run run = kerlaData({QStringLiteral("import"), dir.path() + "/rok.xml", dir.path() + "/kerla"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(
        run.out.contains(QStringLiteral("2.1.2026: Průběžné čtení „Sírachovec 1,1-10“: kniha „Sírachovec“ v "
                                        "Bibli programu není")),
        qPrintable(run.out));
    QVERIFY(run.out.contains(QStringLiteral("Problémů: 1; soubory roku byly přesto zapsány.")));
    QCOMPARE(filesIn(dir.path() + "/kerla").size(), 3);
}

void ImportCliTest::badFilesWriteNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    yearfixtures::LosfileOptions doubled, missing, early;
    doubled.doubled = QDate(2026, 5, 1);
    missing.missing = QDate(2026, 12, 31);
    early.year = 1900;
    QByteArray malformed = yearfixtures::losfile();
    malformed.replace("<LOSUNG d=\"2\" m=\"1\">", "<LOSUNG d=\"2\" m=\"1\"");
    QTest::newRow("malformed") << malformed << "chyba XML na řádku";
    QTest::newRow("another kind") << QByteArray("<?xml version=\"1.0\"?><svg/>") << "kořenový prvek „svg“";
    QTest::newRow("year outside") << yearfixtures::losfile(early) << "rok 1900 není mezi 1901 a 2099";
    QTest::newRow("doubled day") << yearfixtures::losfile(doubled)
                                 << "den 1.5.2026 je v souboru víc než jednou";
    QTest::newRow("missing day") << yearfixtures::losfile(missing) << "den 31.12.2026 v souboru chybí";
    QTest::newRow("empty") << QByteArray() << "soubor je prázdný";
    QTest::newRow("too large") << QByteArray(20 * 1024 * 1024 + 1, ' ') << "větší než 20 MB";
    QTest::newRow("entities")
        << QByteArray("<!DOCTYPE LOSFILE [<!ENTITY a \"b\">]><LOSFILE year=\"2026\">&a;</LOSFILE>")
        << "deklaruje vlastní entity";
    QTest::newRow("DOCTYPE naming a local file")
        << QByteArray("<!DOCTYPE LOSFILE SYSTEM \"" KERLA_FIXTURES
                      "/import/entity.dtd\"><LOSFILE year=\"2026\">&zlo;</LOSFILE>")
        << "zlo";
    QTest::newRow("DOCTYPE naming an address")
        << QByteArray(
               "<!DOCTYPE LOSFILE SYSTEM \"http://127.0.0.1:9/x.dtd\"><LOSFILE year=\"2026\">&zlo;</LOSFILE>")
        << "zlo";
}

// A file that is refused writes nothing: exit status 2, and the year already there stays byte for
// byte.
void ImportCliTest::badFilesWriteNothing() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.path() + "/rok.xml", bytes));
    const QString folder = dir.path() + QStringLiteral("/kerla/");
    QVERIFY(writeBytes(folder + "Kerla2026.rtf", "stary obsah"));
    QVERIFY(writeBytes(folder + "Cteni2026.sj", "[1.1.2026]\r\n"));
    const Run run = kerlaData({QStringLiteral("import"), dir.path() + "/rok.xml", folder});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(reason), qPrintable(run.err));
    QVERIFY(run.err.contains(QStringLiteral("nic nebylo zapsáno")));
    QCOMPARE(filesIn(folder), (QStringList{"Cteni2026.sj", "Kerla2026.rtf"}));
    QCOMPARE(readBytes(folder + "Kerla2026.rtf"), QByteArray("stary obsah"));
}

QTEST_GUILESS_MAIN(ImportCliTest)
#include "import_cli_test.moc"
