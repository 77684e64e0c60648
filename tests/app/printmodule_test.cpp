// Qt's printing system and libjpeg come from the program's own module, loaded on first use: this
// test prints and decodes through the module's loader, as the program does.
#include "dialogs/jpegimage.h"
#include "dialogs/printservice.h"
#include "dialogs/printsupport.h"
#include "programrun.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#ifdef Q_OS_WIN
#include <windows.h>

#include <psapi.h>
#else
#include <link.h>
#endif

namespace {

// A library's file name as the system names it: libQt6Core… on Linux, Qt6Core… on Windows.
#ifdef Q_OS_WIN
QByteArray library(const char *name) {
    return name;
}
#else
QByteArray library(const char *name) {
    return QByteArray("lib") + name;
}
#endif

#ifdef Q_OS_WIN
// The modules of a process whose file names start with `prefix`.
QStringList modulesOf(HANDLE process, const QByteArray &prefix) {
    QStringList found;
    HMODULE modules[1024];
    DWORD bytes = 0;
    if (!EnumProcessModules(process, modules, sizeof modules, &bytes))
        return found;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 1024; ++i) {
        wchar_t name[MAX_PATH] = {};
        if (!GetModuleFileNameExW(process, modules[i], name, MAX_PATH))
            continue;
        const QString path = QDir::fromNativeSeparators(QString::fromWCharArray(name));
        if (path.mid(path.lastIndexOf(QLatin1Char('/')) + 1)
                .startsWith(QLatin1String(prefix), Qt::CaseInsensitive))
            found.append(path);
    }
    return found;
}

QStringList loadedHere(const QByteArray &prefix) {
    return modulesOf(GetCurrentProcess(), prefix);
}

QStringList loadedIn(qint64 pid, const QByteArray &prefix) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, DWORD(pid));
    if (!process)
        return {};
    const QStringList found = modulesOf(process, prefix);
    CloseHandle(process);
    return found;
}
#else
// The libraries mapped into this process whose file names start with `prefix`.
QStringList loadedHere(const QByteArray &prefix) {
    struct Search {
        QByteArray prefix;
        QStringList found;
    } search{prefix, {}};
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *data) {
            auto *s = static_cast<Search *>(data);
            const QByteArray path(info->dlpi_name);
            if (path.mid(path.lastIndexOf('/') + 1).startsWith(s->prefix))
                s->found.append(QString::fromLocal8Bit(path));
            return 0;
        },
        &search);
    return search.found;
}

// The same of another process, from its memory map.
QStringList loadedIn(qint64 pid, const QByteArray &prefix) {
    QStringList found;
    const QByteArray maps = readBytes(QStringLiteral("/proc/%1/maps").arg(pid));
    for (const QByteArray &line : maps.split('\n')) {
        const QByteArray path = line.mid(line.indexOf('/'));
        if (line.contains('/') && path.mid(path.lastIndexOf('/') + 1).startsWith(prefix) &&
            !found.contains(QString::fromLocal8Bit(path)))
            found.append(QString::fromLocal8Bit(path));
    }
    return found;
}
#endif

int pdfPages(const QByteArray &pdf) {
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        pages += pdf.mid(at + 11, 1) != "s";
    return pages;
}

} // namespace

class PrintModuleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void programNeedsNeitherLibrary();
    void programStartsWithoutPrinting();
    void printsThroughTheModule();
    void aboutPictureThroughTheModule();
    void refusedModules_data();
    void refusedModules();
};

void PrintModuleTest::programNeedsNeitherLibrary() {
#ifdef Q_OS_WIN
    QSKIP("no readelf for a Windows executable; programStartsWithoutPrinting sees what it loads");
#endif
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"), {QStringLiteral("-d"), QStringLiteral(KERLA_BIN_DIR "/kerla")});
    QVERIFY(readelf.waitForFinished(30000));
    QCOMPARE(readelf.exitCode(), 0);
    QStringList needed;
    for (const QByteArray &line : readelf.readAllStandardOutput().split('\n'))
        if (line.contains("(NEEDED)"))
            needed.append(QString::fromLatin1(line.mid(line.indexOf('[') + 1).chopped(1)));
    QVERIFY2(needed.contains(QStringLiteral("libQt6Widgets.so.6")), qPrintable(needed.join(' ')));
    for (const QString &library : needed)
        QVERIFY2(!library.startsWith(QStringLiteral("libQt6PrintSupport")) &&
                     !library.startsWith(QStringLiteral("libjpeg")),
                 qPrintable(library));
}

void PrintModuleTest::programStartsWithoutPrinting() {
    // The real program, its first page shown and its hidden windows made, has not loaded Qt's
    // printing system. (libjpeg it may have by then: Qt's own JPEG reader links it, and Qt loads
    // its picture readers for the program icon after the first page.)
    QTemporaryDir user;
    ProgramRun run;
    QVERIFY(run.install());
    QVERIFY(run.start(user.path()));
    QTest::qWait(500);
    const qint64 pid = run.process().processId();
    QVERIFY(!loadedIn(pid, library("Qt6Widgets")).isEmpty()); // the map is read
    QCOMPARE(loadedIn(pid, library("Qt6PrintSupport")), QStringList());
    QCOMPARE(loadedIn(pid, library("kerla-print")), QStringList());
    run.end();
    QVERIFY(run.waitForEnd());
}

void PrintModuleTest::printsThroughTheModule() {
    QCOMPARE(loadedHere(library("kerla-print")), QStringList());
    RecordingMessageSink sink;
    AppContext state;
    state.messages = &sink;
    printsupport::ModuleLoader loader;
    PrintService service(state, loader);
    QCOMPARE(loadedHere(library("kerla-print")), QStringList()); // not yet: nothing printed
    QPrinter &printer = service.printer();
    QCOMPARE(loadedHere(library("kerla-print")).size(), 1);
    QCOMPARE(printer.resolution(), QPrinter(QPrinter::HighResolution).resolution());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.pdf"));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QTextDocument doc(QStringLiteral("Kerlo dne"));
    service.print(doc, QStringLiteral("Kerla Dorny 2.36"));
    QCOMPARE(sink.errors, QStringList());
    QCOMPARE(pdfPages(readBytes(file)), 1);

    // A failure inside the module reaches the error report as the module words it.
    printer.setOutputFileName(dir.filePath(QStringLiteral("no/such/folder/page.pdf")));
    service.print(doc, QStringLiteral("Kerla Dorny 2.36"));
    QCOMPARE(sink.errors.size(), 1);
    QVERIFY2(sink.errors[0].startsWith(QStringLiteral("Tisk se nezdařil: ")), qPrintable(sink.errors[0]));
}

void PrintModuleTest::aboutPictureThroughTheModule() {
    QFile file(QStringLiteral(":/dialogs/autor.jpg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    printsupport::ModuleLoader loader;
    const QImage shown = loader.decodeJpeg(bytes);
    QVERIFY(!shown.isNull());
    QCOMPARE(shown, jpegimage::decode(bytes));
    QVERIFY(loader.decodeJpeg(bytes.left(bytes.size() / 2)).isNull()); // damaged
}

void PrintModuleTest::refusedModules_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    static QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("libkerla-print.so"));
    QFile out(text);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write("not a library\n") > 0);
    out.close();
    const QStringList core = loadedHere(library("Qt6Core"));
    QCOMPARE(core.size(), 1);
    QTest::newRow("missing") << dir.filePath(QStringLiteral("none.so")) << QStringLiteral(" chybí");
    QTest::newRow("not a library") << text << QString();
    QTest::newRow("another library") << core[0] << QStringLiteral("nepatří k této verzi programu");
}

void PrintModuleTest::refusedModules() {
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QString error;
    QCOMPARE(printsupport::loadModule(path, &error), nullptr);
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(reason), qPrintable(error));
}

QTEST_MAIN(PrintModuleTest)
#include "printmodule_test.moc"
