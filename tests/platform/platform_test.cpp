#include "faultshim.h"
#include "platform/cp1250.h"
#include "platform/designfonts.h"
#include "platform/errors.h"
#include "platform/formatlocale.h"
#include "platform/profile.h"
#include "platform/textfile.h"
#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <climits>

class PlatformTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cp1250RoundTripsEveryByte();
    void cp1250KnownCharacters_data();
    void cp1250KnownCharacters();
    void cp1250UnmappableBecomesQuestionMark();
    void splitLines_data();
    void splitLines();
    void writeLinesEndsWithCrLf();
    void readMissingFileRaisesCannotOpen();
    void findFileNoCase_data();
    void findFileNoCase();

    void profileReads_data();
    void profileReads();
    void profileSectionReadsAsInTheWhole_data();
    void profileSectionReadsAsInTheWhole();
    void profileWriteKeepsOtherContent();
    void profileWriteCreatesFileAndSection();
    void profileWriteLeavesNoTemporaryFiles();
    void profileWriteToReadOnlyFileFails();
    void profileMissingFileGivesDefaults();
    void profileFaultKeepsOldFile_data();
    void profileFaultKeepsOldFile();
    void profileWriteKeepsBytesAfterNul_data();
    void profileWriteKeepsBytesAfterNul();
    void profileRefusesKeysThatReadAsSections();
    void parseIntegerEdges_data();
    void parseIntegerEdges();
    void textFileFaultsAreReported();

    void formattingLocale_data();
    void formattingLocale();

    void listsFamily_data();
    void listsFamily();
};

void PlatformTest::cp1250RoundTripsEveryByte() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = cp1250::toUnicode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(cp1250::fromUnicode(text), all);
    // No two bytes share a character.
    QSet<QChar> seen(text.begin(), text.end());
    QCOMPARE(seen.size(), 256);
}

void PlatformTest::cp1250KnownCharacters_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("character");
    QTest::newRow("Š") << 0x8A << QStringLiteral("Š");
    QTest::newRow("š") << 0x9A << QStringLiteral("š");
    QTest::newRow("Ý") << 0xDD << QStringLiteral("Ý");
    QTest::newRow("Ě") << 0xCC << QStringLiteral("Ě");
    QTest::newRow("Í") << 0xCD << QStringLiteral("Í");
    QTest::newRow("ě") << 0xEC << QStringLiteral("ě");
    QTest::newRow("ř") << 0xF8 << QStringLiteral("ř");
    QTest::newRow("ů") << 0xF9 << QStringLiteral("ů");
    QTest::newRow("en dash") << 0x96 << QStringLiteral("–");
    QTest::newRow("no-break space") << 0xA0 << QString(QChar(0xA0));
    QTest::newRow("low quote") << 0x84 << QStringLiteral("„");
    QTest::newRow("euro") << 0x80 << QStringLiteral("€");
}

void PlatformTest::cp1250KnownCharacters() {
    QFETCH(int, byte);
    QFETCH(QString, character);
    QCOMPARE(cp1250::toUnicode(QByteArray(1, char(byte))), character);
    QCOMPARE(cp1250::fromUnicode(character), QByteArray(1, char(byte)));
}

void PlatformTest::cp1250UnmappableBecomesQuestionMark() {
    QCOMPARE(cp1250::fromUnicode(u"a\u4e2db"), QByteArray("a?b"));
    QVERIFY(!cp1250::canEncode(QChar(0x4e2d)));
    QVERIFY(cp1250::canEncode(QChar(u'ž')));
}

void PlatformTest::splitLines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::newRow("empty") << QByteArray() << QList<QByteArray>{};
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QList<QByteArray>{"a", "b"};
    QTest::newRow("LF") << QByteArray("a\nb") << QList<QByteArray>{"a", "b"};
    QTest::newRow("CR") << QByteArray("a\rb\r") << QList<QByteArray>{"a", "b"};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QList<QByteArray>{"a", "", "b"};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << QList<QByteArray>{"", "", "x"};
    QTest::newRow("zero byte ends the text")
        << QByteArray("a\r\nb\0c\r\nd", 10) << QList<QByteArray>{"a", "b"};
    QTest::newRow("no final line end") << QByteArray("only") << QList<QByteArray>{"only"};
    QTest::newRow("8-bit bytes kept") << QByteArray("\x8a\xec\r\n") << QList<QByteArray>{"\x8a\xec"};
}

void PlatformTest::splitLines() {
    QFETCH(QByteArray, text);
    QFETCH(QList<QByteArray>, lines);
    QCOMPARE(textfile::splitLines(text), lines);
}

void PlatformTest::writeLinesEndsWithCrLf() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    textfile::writeLines(path, {"a", "", "\x8a"});
    QCOMPARE(readBytes(path), QByteArray("a\r\n\r\n\x8a\r\n"));
    textfile::writeAll(path, "x"); // truncates
    QCOMPARE(readBytes(path), QByteArray("x"));
}

void PlatformTest::readMissingFileRaisesCannotOpen() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing.rtf"));
    try {
        textfile::readAll(path);
        QFAIL("no error raised");
    } catch (const KerlaError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(path)),
                 qPrintable(e.message()));
    }
    try {
        textfile::readAll(dir.path()); // a folder is no file
        QFAIL("no error raised for a folder");
    } catch (const KerlaError &e) {
        QVERIFY(e.message().startsWith(QStringLiteral("Cannot open file")));
    }
}

void PlatformTest::findFileNoCase_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("found");
    QTest::newRow("exact") << "1j"
                           << "1j";
    QTest::newRow("other case") << "GN"
                                << "gn";
    QTest::newRow("folder does not count") << "sub"
                                           << "";
    QTest::newRow("missing") << "zz"
                             << "";
    QTest::newRow("parent path") << "../secret"
                                 << "";
    QTest::newRow("dot dot") << ".."
                             << "";
    QTest::newRow("backslash") << "..\\secret"
                               << "";
    QTest::newRow("absolute") << "/etc/passwd"
                              << "";
    QTest::newRow("empty") << ""
                           << "";
}

void PlatformTest::findFileNoCase() {
    QFETCH(QString, name);
    QFETCH(QString, found);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Data/sub")));
    QVERIFY(writeBytes(root.filePath(QStringLiteral("Data/1j")), "x"));
    QVERIFY(writeBytes(root.filePath(QStringLiteral("Data/gn")), "x"));
    QVERIFY(writeBytes(root.filePath(QStringLiteral("secret")), "x"));
    const QString result = textfile::findFileNoCase(root.filePath(QStringLiteral("Data")), name);
    const QString expected = found.isEmpty() ? QString() : root.filePath(QStringLiteral("Data/") + found);
#ifdef Q_OS_WIN
    // Windows opens a file by any case of its name: the name may come back as it was asked for.
    QCOMPARE(result.toLower(), expected.toLower());
#else
    QCOMPARE(result, expected);
#endif
}

void PlatformTest::profileReads_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("expected"); // readInteger with default -7
    const QByteArray ini =
        "[Okno]\r\nBarva=16777215\r\n FontBarva = -16777208 \r\nHex=0x1F\r\nDollar=$ff000008\r\n"
        "Text=abc\r\nEmpty=\r\nSpaces=1 2\r\n[Pozice]\r\nOdleva=12\r\n";
    QTest::newRow("decimal") << ini << "Okno"
                             << "Barva" << 16777215;
    QTest::newRow("trimmed, negative") << ini << "Okno"
                                       << "FontBarva" << -16777208;
    QTest::newRow("section and key case") << ini << "OKNO"
                                          << "fontbarva" << -16777208;
    QTest::newRow("hex 0x") << ini << "Okno"
                            << "Hex" << 31;
    QTest::newRow("hex $ as a 32-bit pattern") << ini << "Okno"
                                               << "Dollar" << int(0xFF000008u);
    QTest::newRow("not a number") << ini << "Okno"
                                  << "Text" << -7;
    QTest::newRow("empty value") << ini << "Okno"
                                 << "Empty" << -7;
    QTest::newRow("inner blank") << ini << "Okno"
                                 << "Spaces" << -7;
    QTest::newRow("other section") << ini << "Pozice"
                                   << "Odleva" << 12;
    QTest::newRow("key of another section") << ini << "Pozice"
                                            << "Barva" << -7;
    QTest::newRow("missing section") << ini << "Bible"
                                     << "Font" << -7;
    QTest::newRow("LF only file") << QByteArray("[A]\nk=5\n") << "a"
                                  << "K" << 5;
}

void PlatformTest::profileReads() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    QVERIFY(writeBytes(path, file));
    QCOMPARE(ProfileFile(path).readInteger(section, key, -7), expected);
}

void PlatformTest::profileSectionReadsAsInTheWhole_data() {
    // One section read alone gives what the whole text read at once gives for it, whatever stands
    // before a section's bracket: blanks of every kind that trimming removes, or a letter.
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("plain") << QByteArray("[A]\r\nk=1\r\n[B]\r\nk=2\r\n");
    QTest::newRow("blanks before brackets")
        << QByteArray(" \t[A]\r\nk=1\r\n\x0b\x0c [B] \r\nk=2\r\n\xa0[C]\nk=3\n");
    QTest::newRow("letters before brackets") << QByteArray("[A]\r\nx[B]\r\nk=1\r\n\x9a[C]\r\nk=2\r\n");
    QTest::newRow("repeated section") << QByteArray("[A]\r\nk=1\r\n[B]\r\n[a]\r\nk=2\r\nj=3\r\n");
    QTest::newRow("keys before any section") << QByteArray("k=0\r\n=x\r\n[A]\r\nk=1\r\n");
    static const char withNul[] = "[A]\rk=1\r[B]\rk=2\0[C]\rk=3\r";
    QTest::newRow("CR ends and a NUL") << QByteArray(withNul, sizeof withNul - 1);
    QTest::newRow("Czech names") << QByteArray("[Čtení]\r\nk=č\r\n[ČTENÍ]\r\nk=2\r\n");
}

void PlatformTest::profileSectionReadsAsInTheWhole() {
    QFETCH(QByteArray, text);
    const ProfileText profile(text);
    const auto whole = profile.readAll();
    QVERIFY(!whole.isEmpty());
    for (const auto &[name, section] : whole)
        QCOMPARE(profile.readSection(name).entries, section.entries);
    QVERIFY(profile.readSection(QStringLiteral("Missing")).entries.isEmpty());
}

void PlatformTest::profileWriteKeepsOtherContent() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    const QByteArray before = "; my note\r\n[Okno]\r\nBarva=1\r\nFont=Tahoma\r\n\r\n[Jine]\r\nX=\xe8\x9a\r\n";
    QVERIFY(writeBytes(path, before));
    ProfileFile ini(path);
    ini.writeInteger(QStringLiteral("okno"), QStringLiteral("BARVA"), 255);
    ini.writeString(QStringLiteral("Okno"), QStringLiteral("Hodiny"), QStringLiteral("1"));
    ini.writeString(QStringLiteral("Jine"), QStringLiteral("Y"), QStringLiteral("žluť"));
    QCOMPARE(readBytes(path), QByteArray("; my note\r\n[Okno]\r\nBarva=255\r\nFont=Tahoma\r\nHodiny=1\r\n\r\n"
                                         "[Jine]\r\nX=\xe8\x9a\r\nY=\x9e\x6c\x75\x9d\r\n"));
    QCOMPARE(ini.readString(QStringLiteral("jine"), QStringLiteral("y"), QString()), QStringLiteral("žluť"));
}

void PlatformTest::profileWriteCreatesFileAndSection() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    ProfileFile ini(path);
    ini.writeBool(QStringLiteral("Bible"), QStringLiteral("TypOkna"), true);
    ini.writeInteger(QStringLiteral("Pozice"), QStringLiteral("Odleva"), -5);
    QCOMPARE(readBytes(path), QByteArray("[Bible]\r\nTypOkna=1\r\n\r\n[Pozice]\r\nOdleva=-5\r\n"));
    QVERIFY(ini.readBool(QStringLiteral("Bible"), QStringLiteral("TypOkna"), false));
    QCOMPARE(ini.readInteger(QStringLiteral("Pozice"), QStringLiteral("Odleva"), 0), -5);
}

void PlatformTest::profileWriteLeavesNoTemporaryFiles() {
    // The file is replaced whole: a temporary file beside it is renamed over it.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    ProfileFile ini(path);
    for (int i = 0; i < 20; ++i)
        ini.writeInteger(QStringLiteral("Okno"), QStringLiteral("K%1").arg(i), i);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Kerla.ini")});
    QCOMPARE(ini.readInteger(QStringLiteral("Okno"), QStringLiteral("K19"), 0), 19);
}

void PlatformTest::profileWriteToReadOnlyFileFails() {
    // A folder that cannot take the file: its place is held by a plain file (this fails for root too).
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("blocked")), "x"));
    const QString path = dir.filePath(QStringLiteral("blocked/Kerla.ini"));
    ProfileFile ini(path);
    try {
        ini.writeInteger(QStringLiteral("Okno"), QStringLiteral("Barva"), 2);
        QFAIL("no error raised");
    } catch (const KerlaError &e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + path);
    }
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("blocked"))), QByteArray("x"));
}

void PlatformTest::profileMissingFileGivesDefaults() {
    ProfileFile ini(QStringLiteral("/nonexistent/folder/Kerla.ini"));
    QCOMPARE(ini.readString(QStringLiteral("Okno"), QStringLiteral("Font"), QStringLiteral("Tahoma")),
             QStringLiteral("Tahoma"));
    QCOMPARE(ini.readBool(QStringLiteral("Okno"), QStringLiteral("Hodiny"), true), true);
    try {
        ini.writeInteger(QStringLiteral("Okno"), QStringLiteral("Barva"), 1);
        QFAIL("no error raised");
    } catch (const KerlaError &e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to write to /nonexistent/folder/Kerla.ini"));
    }
}

namespace {
enum class Fault { FullDiskAtOnce, FullDiskMidway, RefusedWrite, ReadOnlyFolder, UnreadableFile, BrokenRead };
}
Q_DECLARE_METATYPE(Fault)

void PlatformTest::profileFaultKeepsOldFile_data() {
    QTest::addColumn<Fault>("fault");
    QTest::newRow("full disk, nothing written") << Fault::FullDiskAtOnce;
    QTest::newRow("full disk after some bytes") << Fault::FullDiskMidway;
    QTest::newRow("write refused") << Fault::RefusedWrite;
    QTest::newRow("read-only folder") << Fault::ReadOnlyFolder;
    QTest::newRow("file cannot be opened") << Fault::UnreadableFile;
    QTest::newRow("read error") << Fault::BrokenRead;
}

// Whatever fails, the settings file stays as it was, whole, and nothing is left beside it.
void PlatformTest::profileFaultKeepsOldFile() {
    QFETCH(Fault, fault);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    QByteArray before = "[Okno]\r\nBarva=1\r\n";
    for (int i = 0; i < 40; ++i)
        before += "Klic" + QByteArray::number(i) + "=hodnota " + QByteArray::number(i) + "\r\n";
    QVERIFY(writeBytes(path, before));
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    faultshim::Scope scope;
    switch (fault) {
    case Fault::FullDiskAtOnce:
        faultshim::failWritesAfter(folder, 0);
        break;
    case Fault::FullDiskMidway:
        faultshim::failWritesAfter(folder, 100);
        break;
    case Fault::RefusedWrite:
        faultshim::refuseChanges(folder, EACCES);
        break;
    case Fault::ReadOnlyFolder:
        faultshim::refuseChanges(folder, EROFS);
        break;
    case Fault::UnreadableFile:
        faultshim::refuseOpen(QFile::encodeName(path));
        break;
    case Fault::BrokenRead:
        faultshim::failReads(QFile::encodeName(path));
        break;
    }
    ProfileFile ini(path);
    try {
        ini.writeInteger(QStringLiteral("Okno"), QStringLiteral("Barva"), 2);
        QFAIL("no error raised");
    } catch (const KerlaError &e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + path);
    }
    faultshim::reset();
    QCOMPARE(readBytes(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{QStringLiteral("Kerla.ini")});
    // The same write goes through once the fault is gone.
    ini.writeInteger(QStringLiteral("Okno"), QStringLiteral("Barva"), 2);
    QCOMPARE(readBytes(path), QByteArray(before).replace("Barva=1", "Barva=2"));
}

void PlatformTest::profileWriteKeepsBytesAfterNul_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QByteArray>("after");
    const QByteArray tail("\0[b]\r\nx=2\r\n", 11);
    QTest::newRow("key replaced") << QByteArray("[a]\r\nk=1\r\n") + tail << QStringLiteral("a")
                                  << QByteArray("[a]\r\nk=5\r\n") + tail;
    QTest::newRow("section added before the NUL")
        << QByteArray("[a]\r\nj=1\r\n") + tail << QStringLiteral("c")
        << QByteArray("[a]\r\nj=1\r\n\r\n[c]\r\nk=5\r\n") + tail;
    QTest::newRow("NUL inside a line")
        << QByteArray("[a]\r\nk=1", 8) + tail << QStringLiteral("a") << QByteArray("[a]\r\nk=5") + tail;
    QTest::newRow("key added to a line cut by the NUL")
        << QByteArray("[a]\r\nj=1") + tail << QStringLiteral("a")
        << QByteArray("[a]\r\nj=1\r\nk=5\r\n") + tail;
    QTest::newRow("line ends of other lines kept")
        << QByteArray("[z]\nq=1\r[a]\nk=1\n") << QStringLiteral("a") << QByteArray("[z]\nq=1\r[a]\nk=5\n");
    QTest::newRow("no final line end")
        << QByteArray("[a]\r\nk=1") << QStringLiteral("a") << QByteArray("[a]\r\nk=5");
}

// A write changes the bytes of its key (or adds its lines) and keeps every other byte: line ends,
// and whatever follows a NUL byte that a power cut may have left in the file.
void PlatformTest::profileWriteKeepsBytesAfterNul() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    QVERIFY(writeBytes(path, before));
    ProfileFile ini(path);
    ini.writeInteger(section, QStringLiteral("k"), 5);
    QCOMPARE(readBytes(path), after);
    QCOMPARE(ini.readInteger(section, QStringLiteral("k"), 0), 5);
}

void PlatformTest::profileRefusesKeysThatReadAsSections() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kerla.ini"));
    QVERIFY(writeBytes(path, "[a]\r\nk=1\r\n"));
    ProfileFile ini(path);
    for (const QString &key : {QStringLiteral("[b]"), QStringLiteral(" [b"), QStringLiteral("a=b"),
                               QStringLiteral("a\nb"), QString()}) {
        try {
            ini.writeString(QStringLiteral("a"), key, QStringLiteral("x"));
            QFAIL(qPrintable(QStringLiteral("key accepted: ") + key));
        } catch (const KerlaError &e) {
            QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + path);
        }
    }
    try {
        ini.writeString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("x\r\n[b]"));
        QFAIL("a value with a line end accepted");
    } catch (const KerlaError &) {
    }
    QCOMPARE(readBytes(path), QByteArray("[a]\r\nk=1\r\n"));
}

void PlatformTest::parseIntegerEdges_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("lowest decimal") << "-2147483648" << true << INT_MIN;
    QTest::newRow("below lowest") << "-2147483649" << false << 0;
    QTest::newRow("highest decimal") << "2147483647" << true << INT_MAX;
    QTest::newRow("negated lowest pattern") << "-$80000000" << true << INT_MIN;
    QTest::newRow("negated -1 pattern") << "-0xFFFFFFFF" << true << 1;
    QTest::newRow("system colour") << "$FF000008" << true << -16777208;
    QTest::newRow("too wide") << "$100000000" << false << 0;
}

void PlatformTest::parseIntegerEdges() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    int got = 0;
    QCOMPARE(ProfileFile::parseInteger(text, &got), ok);
    QCOMPARE(got, value);
}

// A file that cannot be read is told apart from one that cannot be opened; a file that cannot be
// created or written raises "Unable to write to", and one that cannot be deleted says so.
void PlatformTest::textFileFaultsAreReported() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KERLA.TMP"));
    QVERIFY(writeBytes(path, "old"));
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    faultshim::Scope scope;
    faultshim::failReads(folder);
    try {
        textfile::readAll(path);
        QFAIL("a read error passed unnoticed");
    } catch (const KerlaError &e) {
        QCOMPARE(e.message(),
                 QStringLiteral("Cannot read file \"%1\". %2").arg(path, faultshim::systemReason(EIO)));
    }
    faultshim::reset();
    faultshim::refuseChanges(folder);
    try {
        textfile::writeAll(path, "new");
        QFAIL("a refused write passed unnoticed");
    } catch (const KerlaError &e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + path);
    }
    try {
        textfile::removeIfExists(path);
        QFAIL("a refused delete passed unnoticed");
    } catch (const KerlaError &e) {
        QCOMPARE(e.message(),
                 QStringLiteral("Cannot delete file \"%1\". %2").arg(path, faultshim::systemReason(EACCES)));
    }
    QCOMPARE(readBytes(path), QByteArray("old"));
    faultshim::reset();
    faultshim::failWritesAfter(folder, 1);
    QVERIFY_THROWS_EXCEPTION(KerlaError, textfile::writeAll(path, "new"));
    faultshim::reset();
    textfile::removeIfExists(path);
    QVERIFY(!QFile::exists(path));
    textfile::removeIfExists(path); // a file that is not there is no error
}

void PlatformTest::formattingLocale_data() {
    QTest::addColumn<QLocale>("system");
    QTest::addColumn<QLocale>("expected");
    const QLocale czech(QLocale::Czech, QLocale::Czechia);
    // C and POSIX: no language was chosen, so the program's own Czech formats apply.
    QTest::newRow("C") << QLocale::c() << czech;
    QTest::newRow("POSIX") << QLocale(QStringLiteral("POSIX")) << czech;
    QTest::newRow("C.UTF-8") << QLocale(QStringLiteral("C.UTF-8")) << czech;
    // A language that the user chose stays; on Windows the dates are Czech whatever the choice.
    const auto stays = [&czech](const QLocale &chosen) {
#ifdef Q_OS_WIN
        Q_UNUSED(chosen);
        return czech;
#else
        return chosen;
#endif
    };
    QTest::newRow("cs_CZ") << czech << czech;
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates)
                           << stays(QLocale(QLocale::English, QLocale::UnitedStates));
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                           << stays(QLocale(QLocale::English, QLocale::UnitedKingdom));
    QTest::newRow("sk_SK") << QLocale(QLocale::Slovak, QLocale::Slovakia)
                           << stays(QLocale(QLocale::Slovak, QLocale::Slovakia));
}

void PlatformTest::formattingLocale() {
    QFETCH(QLocale, system);
    QFETCH(QLocale, expected);
    const QLocale chosen = ::formattingLocale(system);
    QCOMPARE(chosen.name(), expected.name());
    // The long date in Czech names the month in Czech.
    const QString date = chosen.toString(QDate(2025, 12, 8), QLocale::LongFormat);
    QCOMPARE(date, expected.toString(QDate(2025, 12, 8), QLocale::LongFormat));
    if (expected == QLocale(QLocale::Czech, QLocale::Czechia))
        QVERIFY2(date.contains(QStringLiteral("prosince")), qPrintable(date));
}

QTEST_GUILESS_MAIN(PlatformTest)
void PlatformTest::listsFamily_data() {
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("listed");
    const QStringList one{QStringLiteral("DejaVu Sans"), QStringLiteral("Tahoma")};
    const QStringList foundries{QStringLiteral("Tahoma [Wine]"), QStringLiteral("Tahoma [Microsoft]")};
    QTest::newRow("listed") << one << QStringLiteral("Tahoma") << true;
    QTest::newRow("other case") << one << QStringLiteral("tAHOMA") << true;
    QTest::newRow("missing") << one << QStringLiteral("Arial") << false;
    QTest::newRow("empty list") << QStringList() << QStringLiteral("Tahoma") << false;
    QTest::newRow("with foundries") << foundries << QStringLiteral("Tahoma") << true;
    QTest::newRow("longer name") << QStringList{QStringLiteral("Tahoma Bold")} << QStringLiteral("Tahoma")
                                 << false;
    QTest::newRow("shorter name") << QStringList{QStringLiteral("Taho")} << QStringLiteral("Tahoma") << false;
    QTest::newRow("bracket in the name")
        << QStringList{QStringLiteral("Sans [Test")} << QStringLiteral("Sans") << false;
    QTest::newRow("name with spaces")
        << QStringList{QStringLiteral("MS Sans Serif [Wine]")} << QStringLiteral("MS Sans Serif") << true;
}

void PlatformTest::listsFamily() {
    QFETCH(QStringList, families);
    QFETCH(QString, family);
    QFETCH(bool, listed);
    QCOMPARE(designfonts::listsFamily(families, family), listed);
}

#include "platform_test.moc"
