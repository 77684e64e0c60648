#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/profile.h"
#include "platform/textfile.h"
#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QTest>

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
    void profileWriteKeepsOtherContent();
    void profileWriteCreatesFileAndSection();
    void profileWriteLeavesNoTemporaryFiles();
    void profileWriteToReadOnlyFileFails();
    void profileMissingFileGivesDefaults();
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
    QCOMPARE(result, found.isEmpty() ? QString() : root.filePath(QStringLiteral("Data/") + found));
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

QTEST_GUILESS_MAIN(PlatformTest)
#include "platform_test.moc"
