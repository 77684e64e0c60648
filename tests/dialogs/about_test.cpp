#include "controls/mylabel3d.h"
#include "dialogs/aboutwindow.h"
#include "dialogs/jpegimage.h"
#include "dialogs/printsupport.h"
#include "dialogs/versioninfo.h"
#include "pages/appcontext.h"
#include "platform/formatlocale.h"
#include "recordingsink.h"
#include "testenv.h"

#include <QLabel>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace {

// A 16 x 16 progressive JPEG. `scansPerComponent` 0: libjpeg's usual ten scans; otherwise the DC of
// all three components in one scan, then the 63 AC coefficients of each component split into that
// many scans.
QByteArray progressiveJpeg(int scansPerComponent) {
    jpeg_compress_struct c{};
    jpeg_error_mgr errors{};
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = 16;
    c.image_height = 16;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    std::vector<jpeg_scan_info> scans;
    if (scansPerComponent == 0) {
        jpeg_simple_progression(&c);
    } else {
        scans.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
        for (int component = 0; component < 3; ++component) {
            for (int i = 0; i < scansPerComponent; ++i)
                scans.push_back({1,
                                 {component, 0, 0, 0},
                                 1 + i * 63 / scansPerComponent,
                                 (i + 1) * 63 / scansPerComponent,
                                 0,
                                 0});
        }
        c.scan_info = scans.data();
        c.num_scans = int(scans.size());
    }
    jpeg_start_compress(&c, TRUE);
    unsigned char row[16 * 3];
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16 * 3; ++x)
            row[x] = static_cast<unsigned char>(x * 5 + y * 11);
        JSAMPROW rows[] = {row};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    const QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

// A small ELF file written by hand: the header, the sections' contents, the section names and the
// section header table, in the class and byte order asked for.
struct ElfSection {
    QByteArray name;
    quint32 type = 1; // SHT_PROGBITS
    QByteArray content;
};

struct ElfFile {
    bool is64 = true;
    bool bigEndian = false;
    QList<ElfSection> sections;

    QByteArray bytes;
    qsizetype shoff = 0;
    qsizetype shentsize = 0;
    QList<qsizetype> contentOffsets;

    void put(qsizetype at, quint64 value, int size) {
        if (bytes.size() < at + size)
            bytes.resize(at + size, '\0');
        for (int i = 0; i < size; ++i) {
            const int shift = bigEndian ? 8 * (size - 1 - i) : 8 * i;
            bytes[at + i] = char((value >> shift) & 0xFF);
        }
    }
    int word() const { return is64 ? 8 : 4; }

    QByteArray build() {
        const qsizetype headerSize = is64 ? 64 : 52;
        shentsize = is64 ? 64 : 40;
        bytes = QByteArray(headerSize, '\0');
        bytes[0] = 0x7f, bytes[1] = 'E', bytes[2] = 'L', bytes[3] = 'F';
        bytes[4] = char(is64 ? 2 : 1);
        bytes[5] = char(bigEndian ? 2 : 1);
        bytes[6] = 1;
        // Section 0 is empty; the names come last.
        QByteArray names(1, '\0');
        QList<quint64> nameOffsets{0};
        for (const ElfSection &s : sections) {
            nameOffsets.append(names.size());
            names += s.name + '\0';
        }
        nameOffsets.append(names.size());
        names += QByteArray(".shstrtab") + '\0';
        contentOffsets = {0};
        for (const ElfSection &s : sections) {
            contentOffsets.append(bytes.size());
            bytes += s.content;
        }
        contentOffsets.append(bytes.size());
        bytes += names;
        shoff = bytes.size();
        const qsizetype count = sections.size() + 2;
        bytes.resize(shoff + count * shentsize, '\0');
        for (qsizetype i = 1; i < count; ++i) {
            const bool isNames = i == count - 1;
            const qsizetype at = shoff + i * shentsize;
            put(at, nameOffsets[i], 4);
            put(at + 4, isNames ? 3 : sections[i - 1].type, 4);
            put(at + (is64 ? 0x18 : 0x10), quint64(contentOffsets[i]), word());
            put(at + (is64 ? 0x20 : 0x14), quint64(isNames ? names.size() : sections[i - 1].content.size()),
                word());
        }
        put(is64 ? 0x28 : 0x20, quint64(shoff), word());
        put(is64 ? 0x3A : 0x2E, quint64(shentsize), 2);
        put(is64 ? 0x3C : 0x30, quint64(count), 2);
        put(is64 ? 0x3E : 0x32, quint64(count - 1), 2);
        return bytes;
    }
};

QByteArray stampBytes(bool bigEndian, std::initializer_list<quint16> numbers,
                      QByteArray marker = "KerlaVersion/1") {
    marker.resize(16, '\0');
    QByteArray out = marker;
    for (quint16 n : numbers) {
        const char hi = char(n >> 8), lo = char(n & 0xFF);
        out += bigEndian ? QByteArray{&hi, 1} + QByteArray{&lo, 1} : QByteArray{&lo, 1} + QByteArray{&hi, 1};
    }
    return out;
}

ElfFile stamped(bool is64, bool bigEndian, std::initializer_list<quint16> numbers = {7, 8, 1, 2}) {
    ElfFile elf;
    elf.is64 = is64;
    elf.bigEndian = bigEndian;
    elf.sections = {{".text", 1, QByteArray(32, '\x90')},
                    {".kerla_version", 1, stampBytes(bigEndian, numbers)}};
    return elf;
}

using Mutation = std::function<void(ElfFile &)>;

QString ownPath() {
    return QCoreApplication::applicationFilePath();
}

QByteArray aboutPicture() {
    QFile file(QStringLiteral(":/dialogs/autor.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Fixture : LinkOpener {
    RecordingMessageSink sink;
    AppContext state;
    QList<QUrl> opened;
    bool openWorks = true;
    Fixture() { state.messages = &sink; }
    void hook(TAutor &about) { about.setLinkOpener(this); }
    bool open(const QUrl &url) override {
        opened.append(url);
        return openWorks;
    }
};

} // namespace

Q_DECLARE_METATYPE(Mutation)

class AboutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void versionOfElf_data();
    void versionOfElf();
    void versionOfFiles_data();
    void versionOfFiles();
    void truncatedFilesHaveNoVersion();
    void decodesJpeg();
    void badJpegGivesNoPicture_data();
    void badJpegGivesNoPicture();
    void captionsCompletedOnce_data();
    void captionsCompletedOnce();
    void buildDateIsTheFileDate();
    void linksOpenTheirCaptions_data();
    void linksOpenTheirCaptions();
    void closeLabelCloses();
};

void AboutTest::versionOfElf_data() {
    QTest::addColumn<bool>("is64");
    QTest::addColumn<bool>("bigEndian");
    QTest::addColumn<Mutation>("mutate");
    QTest::addColumn<QString>("version");
    const Mutation none = [](ElfFile &) {};
    QTest::newRow("64-bit little-endian") << true << false << none << "7.8";
    QTest::newRow("32-bit little-endian") << false << false << none << "7.8";
    QTest::newRow("64-bit big-endian") << true << true << none << "7.8";
    QTest::newRow("32-bit big-endian") << false << true << none << "7.8";
    QTest::newRow("largest numbers") << true << false << Mutation([](ElfFile &e) {
        e.sections[1].content = stampBytes(false, {65535, 65535, 1, 1});
    }) << "65535.65535";
    QTest::newRow("no stamp section")
        << true << false << Mutation([](ElfFile &e) { e.sections.removeLast(); }) << "";
    QTest::newRow("section of another name")
        << true << false << Mutation([](ElfFile &e) { e.sections[1].name = ".kerla_versio"; }) << "";
    QTest::newRow("wrong marker") << true << false << Mutation([](ElfFile &e) {
        e.sections[1].content = stampBytes(false, {7, 8, 1, 2}, "SomethingElse");
    }) << "";
    QTest::newRow("stamp too short") << true << false
                                     << Mutation([](ElfFile &e) { e.sections[1].content.chop(1); }) << "";
    QTest::newRow("stamp without file content") << true << false << Mutation([](ElfFile &e) {
        e.sections[1].type = 8; // SHT_NOBITS
    }) << "";
}

void AboutTest::versionOfElf() {
    QFETCH(bool, is64);
    QFETCH(bool, bigEndian);
    QFETCH(Mutation, mutate);
    QFETCH(QString, version);
    ElfFile elf = stamped(is64, bigEndian);
    mutate(elf);
    QCOMPARE(versioninfo::versionFromElf(elf.build()), version);
}

void AboutTest::versionOfFiles_data() {
    // Damaged headers and tables of a stamped 64-bit file: never a crash, never a version.
    QTest::addColumn<Mutation>("damage");
    QTest::addColumn<QString>("version");
    QTest::newRow("intact") << Mutation([](ElfFile &) {}) << "7.8";
    QTest::newRow("not ELF") << Mutation([](ElfFile &e) { e.bytes[1] = 'X'; }) << "";
    QTest::newRow("unknown class") << Mutation([](ElfFile &e) { e.bytes[4] = 3; }) << "";
    QTest::newRow("table past the end")
        << Mutation([](ElfFile &e) { e.put(0x28, quint64(e.bytes.size()), 8); }) << "";
    QTest::newRow("table offset wraps around")
        << Mutation([](ElfFile &e) { e.put(0x28, 0xFFFFFFFFFFFFFFC0ull, 8); }) << "";
    QTest::newRow("too many sections") << Mutation([](ElfFile &e) { e.put(0x3C, 0xFFFF, 2); }) << "";
    QTest::newRow("entries too small") << Mutation([](ElfFile &e) { e.put(0x3A, 16, 2); }) << "";
    QTest::newRow("names index out of range") << Mutation([](ElfFile &e) { e.put(0x3E, 9, 2); }) << "";
    QTest::newRow("name past the names")
        << Mutation([](ElfFile &e) { e.put(e.shoff + 2 * e.shentsize, 0x7FFFFFFF, 4); }) << "";
    QTest::newRow("content past the end") << Mutation([](ElfFile &e) {
        e.put(e.shoff + 2 * e.shentsize + 0x18, quint64(e.bytes.size() - 4), 8);
    }) << "";
    QTest::newRow("content size wraps around")
        << Mutation([](ElfFile &e) { e.put(e.shoff + 2 * e.shentsize + 0x20, 0xFFFFFFFFFFFFFFFFull, 8); })
        << "";
    QTest::newRow("names table past the end")
        << Mutation([](ElfFile &e) { e.put(e.shoff + 3 * e.shentsize + 0x18, 0xFFFFFFFF00ull, 8); }) << "";
    QTest::newRow("many sections counted in section 0") << Mutation([](ElfFile &e) {
        e.put(0x3C, 0, 2);
        e.put(e.shoff + 0x20, 4, 8); // section 0's size holds the count
    }) << "7.8";
    QTest::newRow("huge count in section 0") << Mutation([](ElfFile &e) {
        e.put(0x3C, 0, 2);
        e.put(e.shoff + 0x20, 0x4000000000000000ull, 8);
    }) << "";
}

void AboutTest::versionOfFiles() {
#ifdef Q_OS_WIN
    QSKIP("on Windows VersionText reads the file's version resource; versionOfElf reads the stamp");
#endif
    QFETCH(Mutation, damage);
    QFETCH(QString, version);
    ElfFile elf = stamped(true, false);
    elf.build();
    damage(elf);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("program"));
    QVERIFY(writeBytes(path, elf.bytes));
    QCOMPARE(VersionText(path), version);
}

void AboutTest::truncatedFilesHaveNoVersion() {
    // The real executables: this test program carries the project's stamp, the helpers another one
    // and none.
    QCOMPARE(VersionText(ownPath()), QStringLiteral("2.36"));
    QCOMPARE(VersionText(QStringLiteral(VERSION_HELPER_357)), QStringLiteral("3.5"));
    QCOMPARE(VersionText(QStringLiteral(VERSION_HELPER_PLAIN)), QString());
    QTemporaryDir dir;
    QCOMPARE(VersionText(dir.filePath(QStringLiteral("missing"))), QString());
    QCOMPARE(VersionText(dir.path()), QString());

    const QByteArray whole = readBytes(QStringLiteral(VERSION_HELPER_357));
    QVERIFY(whole.size() > 1000);
    const QString path = dir.filePath(QStringLiteral("cut"));
#ifdef Q_OS_WIN
    // A PE file keeps its version resource before the debugging sections at its end, so a file cut
    // short there still names its version: only a cut header loses it.
    const qsizetype cuts[] = {0, 4, 63, 64};
#else
    const qsizetype cuts[] = {0, 4, 63, 64, whole.size() / 2, whole.size() - 1};
#endif
    for (qsizetype size : cuts) {
        QVERIFY(writeBytes(path, whole.left(size)));
        QVERIFY2(VersionText(path).isEmpty(), qPrintable(QString::number(size)));
    }
    QByteArray garbage(4096, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919 + 13) & 0xFF);
    QVERIFY(writeBytes(path, garbage));
    QCOMPARE(VersionText(path), QString());
    QVERIFY(writeBytes(path, "\x7f"
                             "ELF" +
                                 garbage));
    QCOMPARE(VersionText(path), QString());
}

void AboutTest::decodesJpeg() {
    const QByteArray data = aboutPicture();
    QVERIFY(!data.isEmpty());
    const QImage image = jpegimage::decode(data);
    QCOMPARE(image.size(), QSize(450, 338));
    // The picture is light above and dark in its bottom band.
    QVERIFY(qGray(image.pixel(225, 150)) > 200);
    QVERIFY(qGray(image.pixel(225, 330)) < 100);
    QVERIFY(!aboutwindow::backgroundPicture(printsupport::linkedTable()).isNull());
    // Progressive pictures decode as well, up to a hundred scans.
    QCOMPARE(jpegimage::decode(progressiveJpeg(0)).size(), QSize(16, 16));
    QCOMPARE(jpegimage::decode(progressiveJpeg(21)).size(), QSize(16, 16)); // 64 scans
}

void AboutTest::badJpegGivesNoPicture_data() {
    QTest::addColumn<QByteArray>("data");
    const QByteArray good = aboutPicture();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a picture") << QByteArray("Tohle není obrázek, jen text.");
    QTest::newRow("start marker only") << QByteArray("\xFF\xD8\xFF\xE0", 4);
    QTest::newRow("cut in the header") << good.left(100);
    QTest::newRow("cut in the data") << good.left(good.size() / 2);
    // A header that asks for 65000 x 65000 pixels.
    QByteArray huge = good;
    const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
    QVERIFY(sof > 0);
    huge[sof + 5] = char(0xFD), huge[sof + 6] = char(0xE8), huge[sof + 7] = char(0xFD),
               huge[sof + 8] = char(0xE8);
    QTest::newRow("enormous size") << huge;
    // Progressive, with more scans than any real picture: each scan decodes the whole picture again.
    QTest::newRow("a hundred and ninety scans") << progressiveJpeg(63);
}

void AboutTest::badJpegGivesNoPicture() {
    QFETCH(QByteArray, data);
    QVERIFY(jpegimage::decode(data).isNull());
}

void AboutTest::captionsCompletedOnce_data() {
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("title");
    QTest::newRow("running program") << QString() << QStringLiteral("Kerla Dorny verze 2.36");
    QTest::newRow("version 3.5.7.1") << QStringLiteral(VERSION_HELPER_357)
                                     << QStringLiteral("Kerla Dorny verze 3.5");
    QTest::newRow("no version") << QStringLiteral(VERSION_HELPER_PLAIN)
                                << QStringLiteral("Kerla Dorny verze ");
}

void AboutTest::captionsCompletedOnce() {
    QFETCH(QString, executable);
    QFETCH(QString, title);
    Fixture f;
    TAutor about(f.state, printsupport::linkedTable(), nullptr, executable);
    QCOMPARE(childOf<TmyLabel3d>(about, "myLabel3d1")->Caption(), title);
    const QString built = childOf<QLabel>(about, "Label2")->text();
    QVERIFY(built.startsWith(QStringLiteral("Tato verze spatřila světlo světa: ")));
    for (int i = 0; i < 2; ++i) {
        about.show();
        QTest::mouseClick(childOf<TmyLabel3d>(about, "myLabel3d7"), Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(childOf<TmyLabel3d>(about, "myLabel3d1")->Caption(), title);
        QCOMPARE(childOf<QLabel>(about, "Label2")->text(), built);
    }
    QCOMPARE(about.windowTitle(), QStringLiteral("Autor programu"));
    QCOMPARE(about.size(), QSize(450, 338));
    QVERIFY(!childOf<QLabel>(about, "Image1")->pixmap().isNull());
}

void AboutTest::buildDateIsTheFileDate() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kerla"));
    QVERIFY(QFile::copy(QStringLiteral(VERSION_HELPER_357), path));
    const QDate date(2031, 11, 4);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime(date, QTime(12, 0)), QFileDevice::FileModificationTime));
    }
    Fixture f;
    TAutor about(f.state, printsupport::linkedTable(), nullptr, path);
    QCOMPARE(childOf<QLabel>(about, "Label2")->text(),
             QStringLiteral("Tato verze spatřila světlo světa: ") +
                 formattingLocale().toString(date, QLocale::ShortFormat));
    QCOMPARE(childOf<TmyLabel3d>(about, "myLabel3d1")->Caption(), QStringLiteral("Kerla Dorny verze 3.5"));
}

void AboutTest::linksOpenTheirCaptions_data() {
    QTest::addColumn<bool>("mail");
    QTest::addColumn<bool>("works");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("web") << false << true << "http://www.example.org/kerla" << QStringList();
    QTest::newRow("web fails") << false << false << "http://www.example.org/kerla"
                               << QStringList{QStringLiteral("Nemohu spustit webový prohlížeč.")};
    QTest::newRow("mail") << true << true << "mailto:kerla@example.org" << QStringList();
    QTest::newRow("mail fails") << true << false << "mailto:kerla@example.org"
                                << QStringList{QStringLiteral("Nemohu spustit poštovní program.")};
}

void AboutTest::linksOpenTheirCaptions() {
    QFETCH(bool, mail);
    QFETCH(bool, works);
    QFETCH(QString, target);
    QFETCH(QStringList, messages);
    Fixture f;
    f.openWorks = works;
    TAutor about(f.state, printsupport::linkedTable());
    f.hook(about);
    about.show();
    TmyLabel3d *link =
        mail ? childOf<TmyLabel3d>(about, "myLabel3d4") : childOf<TmyLabel3d>(about, "myLabel3d3");
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(f.opened, QList<QUrl>{QUrl(target)});
    QCOMPARE(f.sink.errors, messages);
    QVERIFY(f.sink.messages.isEmpty());
    QVERIFY(about.isVisible());
    // The links keep the white light edge of a raised caption; the title is shaded yellow.
    QCOMPARE(link->AShadeLeftTop(), colorvalue::White);
    QCOMPARE(childOf<TmyLabel3d>(about, "myLabel3d1")->AShadeLeftTop(), colorvalue::Yellow);
}

void AboutTest::closeLabelCloses() {
    Fixture f;
    TAutor about(f.state, printsupport::linkedTable());
    f.hook(about);
    about.show();
    QTest::keyClick(&about, Qt::Key_Escape); // no key handling of its own
    QVERIFY(about.isVisible());
    QTest::mouseClick(childOf<TmyLabel3d>(about, "myLabel3d7"), Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(!about.isVisible());
    QVERIFY(f.opened.isEmpty());
}

QTEST_MAIN(AboutTest)
#include "about_test.moc"
