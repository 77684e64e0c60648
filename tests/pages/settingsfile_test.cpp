#include "faultshim.h"
#include "pages/settingsfile.h"
#include "platform/errors.h"
#include "platform/profile.h"
#include "testenv.h"

#include <QDir>
#include <QTest>

namespace keys = settingskeys;

namespace {

// The keys of a close, in its order, after the date of an end once a day.
const QList<std::pair<keys::Key, QString>> &closeWrites() {
    static const QList<std::pair<keys::Key, QString>> writes = {
        {keys::HlavniDatum, QStringLiteral("8.12.2026")},   {keys::OknoBarva, QStringLiteral("16777215")},
        {keys::OknoFontBarva, QStringLiteral("-16777208")}, {keys::OknoFont, QStringLiteral("Tahoma")},
        {keys::OknoFontVelikost, QStringLiteral("12")},     {keys::OknoHodiny, QStringLiteral("1")},
        {keys::PoziceOdleva, QStringLiteral("300")},        {keys::PoziceOdshora, QStringLiteral("-4")},
        {keys::PoziceVyska, QStringLiteral("324")},         {keys::PoziceSirka, QStringLiteral("692")},
        {keys::BibleFont, QStringLiteral("Písmo Č")},       {keys::BibleFontVelikost, QStringLiteral("9")},
        {keys::BibleFontBarva, QStringLiteral("0")},        {keys::BibleFontStyl, QStringLiteral("3")},
        {keys::BibleOdleva, QStringLiteral("235")},         {keys::BibleOdshora, QStringLiteral("111")},
        {keys::BibleTypOkna, QStringLiteral("0")},
    };
    return writes;
}

void gatherClose(SettingsFile &settings) {
    for (const auto &[key, value] : closeWrites())
        settings.writeString(key, value);
}

QStringList filesIn(const QString &dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveEqualsKeyByKeyWrites_data();
    void saveEqualsKeyByKeyWrites();
    void typicalFileComesOutAsBefore();
    void readsComeFromOneRead();
    void saveKeepsWhatOthersWroteMeanwhile();
    void failedSaveKeepsOldFileWhole_data();
    void failedSaveKeepsOldFileWhole();
    void unreadableFileGivesDefaultsAndIsNotOverwritten();
    void leftoverTemporaryFilesAreRemoved();
};

void SettingsFileTest::saveEqualsKeyByKeyWrites_data() {
    QTest::addColumn<QByteArray>("before"); // "-" for no file
    QTest::newRow("no file") << QByteArray("-");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("all keys") << QByteArray(
        "[Okno]\r\nBarva=1\r\nFontBarva=2\r\nFont=Arial\r\nFontVelikost=9\r\n"
        "Hodiny=0\r\n[Pozice]\r\nOdleva=1\r\nOdshora=2\r\nVyska=3\r\n"
        "Sirka=4\r\n[Hlavni]\r\nDatum=1.1.1998\r\n[Bible]\r\nFont=X\r\n");
    QTest::newRow("some sections, comments, other keys")
        << QByteArray("; pozn\xe1mka\r\n[okno]\r\nbarva = 5\r\nJiny=\"a b\"\r\n\r\n\r\n[Ciz\xed]\r\nk=v\r\n");
    QTest::newRow("LF line ends, no final end") << QByteArray("[Pozice]\nSirka=1\n\n[Bible]\nFont=Y");
    QTest::newRow("a section twice") << QByteArray("[Okno]\r\nBarva=1\r\n[Okno]\r\nFont=Z\r\n");
    QTest::newRow("NUL left by a power cut")
        << QByteArray("[Okno]\r\nBarva=1\r\n") + QByteArray(2, '\0') + "[Bible]\r\nFont=W\r\n";
}

// One save leaves the file byte for byte as the key-by-key writes of a close would.
void SettingsFileTest::saveEqualsKeyByKeyWrites() {
    QFETCH(QByteArray, before);
    QTemporaryDir one, other;
    const QString batched = one.filePath(QStringLiteral("Kerla.ini"));
    const QString single = other.filePath(QStringLiteral("Kerla.ini"));
    if (before != "-") {
        QVERIFY(writeBytes(batched, before));
        QVERIFY(writeBytes(single, before));
    }
    SettingsFile settings;
    settings.load(batched);
    QCOMPARE(settings.exists(), before != "-");
    gatherClose(settings);
    QVERIFY(settings.hasPendingWrites());
    settings.save();
    QVERIFY(!settings.hasPendingWrites());
    ProfileFile ini(single);
    for (const auto &[key, value] : closeWrites())
        ini.writeString(key.sectionText(), key.nameText(), value);
    QCOMPARE(readBytes(batched), readBytes(single));
    QCOMPARE(filesIn(one.path()), QStringList{QStringLiteral("Kerla.ini")});
}

void SettingsFileTest::typicalFileComesOutAsBefore() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    QVERIFY(writeBytes(path, "[Okno]\r\nBarva=1\r\n\r\n[Jine]\r\nA=b\r\n"));
    SettingsFile settings;
    settings.load(path);
    settings.writeInteger(keys::OknoBarva, 255);
    settings.writeBool(keys::OknoHodiny, false);
    settings.writeInteger(keys::PoziceSirka, 700);
    settings.save();
    QCOMPARE(readBytes(path), QByteArray("[Okno]\r\nBarva=255\r\nHodiny=0\r\n\r\n[Jine]\r\nA=b\r\n\r\n"
                                         "[Pozice]\r\nSirka=700\r\n"));
}

void SettingsFileTest::readsComeFromOneRead() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    QVERIFY(writeBytes(path, "[okno]\r\nBARVA=$FF\r\nFont= 'Tahoma' \r\nHodiny=x\r\n[Bible]\r\nOdleva=-3\r\n"
                             "[Okno]\r\nFontBarva=7\r\n"));
    SettingsFile settings;
    settings.load(path);
    QVERIFY(settings.isLoadedFrom(path));
    QVERIFY(!settings.isLoadedFrom(path + QLatin1Char('x')));
    QVERIFY(QFile::remove(path)); // nothing is read from the file after load
    QCOMPARE(settings.readInteger(keys::OknoBarva, 0), 255);
    QCOMPARE(settings.readString(keys::OknoFont, QString()), QStringLiteral("Tahoma"));
    QCOMPARE(settings.readBool(keys::OknoHodiny, true), true); // not a number: the default
    QCOMPARE(settings.readInteger(keys::BibleOdleva, 0), -3);
    QCOMPARE(settings.readInteger(keys::OknoFontBarva, -1), -1); // only the first [Okno] counts
    QCOMPARE(settings.readString(keys::HlavniDatum, QStringLiteral("d")), QStringLiteral("d"));
}

void SettingsFileTest::saveKeepsWhatOthersWroteMeanwhile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    QVERIFY(writeBytes(path, "[Okno]\r\nBarva=1\r\n"));
    SettingsFile settings;
    settings.load(path);
    QVERIFY(writeBytes(path, "[Okno]\r\nBarva=1\r\n[Jiny]\r\nProgram=ano\r\n"));
    settings.writeInteger(keys::OknoBarva, 2);
    settings.save();
    QCOMPARE(readBytes(path), QByteArray("[Okno]\r\nBarva=2\r\n[Jiny]\r\nProgram=ano\r\n"));
}

void SettingsFileTest::failedSaveKeepsOldFileWhole_data() {
    QTest::addColumn<int>("writtenBefore"); // bytes the disk takes before it is full; -1: refused
    QTest::addColumn<int>("error");
    QTest::newRow("disk full at once") << 0 << ENOSPC;
    QTest::newRow("disk full after 1 byte") << 1 << ENOSPC;
    QTest::newRow("disk full halfway") << 150 << ENOSPC;
    QTest::newRow("quota near the end") << 250 << EDQUOT;
    QTest::newRow("write refused") << -1 << EACCES;
    QTest::newRow("read-only folder") << -1 << EROFS;
}

// Whatever fails, Kerla.ini stays the old file, whole; nothing is left beside it; the writes are
// forgotten, and a later save goes through.
void SettingsFileTest::failedSaveKeepsOldFileWhole() {
    QFETCH(int, writtenBefore);
    QFETCH(int, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    const QByteArray old = "[Okno]\r\nBarva=1\r\nFont=Verdana\r\n[Pozice]\r\nOdleva=10\r\n";
    QVERIFY(writeBytes(path, old));
    SettingsFile settings;
    settings.load(path);
    gatherClose(settings);
    {
        faultshim::Scope scope;
        if (writtenBefore >= 0)
            faultshim::failWritesAfter(QFile::encodeName(dir.path()) + '/', writtenBefore, error);
        else
            faultshim::refuseChanges(QFile::encodeName(dir.path()) + '/', error);
        try {
            settings.save();
            QFAIL("the failure passed unnoticed");
        } catch (const KerlaError &e) {
            QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + path);
        }
    }
    QCOMPARE(readBytes(path), old);
    QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("Kerla.ini")});
    QVERIFY(!settings.hasPendingWrites());
    gatherClose(settings);
    settings.save();
    QVERIFY(readBytes(path).contains("Font=Tahoma"));
}

void SettingsFileTest::unreadableFileGivesDefaultsAndIsNotOverwritten() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    const QByteArray old = "[Okno]\r\nBarva=1\r\n";
    QVERIFY(writeBytes(path, old));
    faultshim::Scope scope;
    faultshim::failReads(QFile::encodeName(path));
    SettingsFile settings;
    settings.load(path);
    QVERIFY(settings.exists()); // the defaults of each key, not those of a first run
    QCOMPARE(settings.readInteger(keys::OknoBarva, 7), 7);
    gatherClose(settings);
    QVERIFY_THROWS_EXCEPTION(KerlaError, settings.save());
    faultshim::reset();
    QCOMPARE(readBytes(path), old);
}

void SettingsFileTest::leftoverTemporaryFilesAreRemoved() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    QVERIFY(writeBytes(path, "[Okno]\r\n"));
    for (const char *name :
         {"Kerla.ini.Ab12Cd", "Kerla.ini.zzzzzz", "Kerla.ini.bak", "Kerla.ini.Ab12Cde", "KERLA.TMP"})
        QVERIFY(writeBytes(dir.filePath(QLatin1String(name)), "x"));
    SettingsFile settings;
    settings.load(path);
    QCOMPARE(filesIn(dir.path()),
             (QStringList{QStringLiteral("KERLA.TMP"), QStringLiteral("Kerla.ini"),
                          QStringLiteral("Kerla.ini.Ab12Cde"), QStringLiteral("Kerla.ini.bak")}));
}

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "settingsfile_test.moc"
