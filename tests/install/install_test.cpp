// The tree that `cmake --install` lays down (or that the Debian package unpacks to): every file
// in place, and the installed program, run from that tree, finding its data in ../share/kerla/.
// KERLA_INSTALL_ROOT in the environment names another root, such as an unpacked package.
#include "art/toolbarart.h"
#include "dialogs/printsupport.h"
#include "dialogs/programicon.h"
#include "pages/daypage.h"
#include "platform/textfile.h"
#include "testenv.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>

namespace {

QString usr() {
    const QByteArray root = qgetenv("KERLA_INSTALL_ROOT");
    return (root.isEmpty() ? QStringLiteral(KERLA_INSTALL_ROOT) : QString::fromLocal8Bit(root)) +
           QStringLiteral("/usr/");
}

const int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QStringList dataYears() {
    return QStringLiteral(KERLA_DATA_YEARS).split(QLatin1Char(','));
}

// Where `picture` lies in `screen`, pixel for pixel; (-1, -1) when it is not there.
QPoint find(const QImage &screen, const QImage &picture) {
    const QImage s = screen.convertToFormat(QImage::Format_RGB32);
    const QImage p = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y + p.height() <= s.height(); ++y) {
        for (int x = 0; x + p.width() <= s.width(); ++x) {
            bool same = true;
            for (int py = 0; same && py < p.height(); ++py) {
                const auto *a = reinterpret_cast<const QRgb *>(s.constScanLine(y + py)) + x;
                const auto *b = reinterpret_cast<const QRgb *>(p.constScanLine(py));
                same = std::equal(b, b + p.width(), a);
            }
            if (same)
                return {x, y};
        }
    }
    return {-1, -1};
}

} // namespace

class InstallTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void holdsEveryListedFile_data();
    void holdsEveryListedFile();
    void holdsTheWholeDataSet();
    void printingModuleWhereTheProgramLooks();
    void iconsInEverySizeAreTheWindowIcon();
    void runsFromTheTreeAndShowsTodaysPage();
};

void InstallTest::initTestCase() {
    QVERIFY2(QFileInfo(usr() + "bin/kerla").isExecutable(), qPrintable(usr() + "bin/kerla is not installed"));
}

void InstallTest::holdsEveryListedFile_data() {
    QTest::addColumn<QString>("path");
    const QStringList files = {
        "bin/kerla",
        "bin/kerla-data",
        "share/applications/org.example.Kerla.desktop",
        "share/metainfo/org.example.Kerla.metainfo.xml",
        "share/icons/hicolor/scalable/apps/org.example.Kerla.svg",
        "share/man/man1/kerla.1.gz",
        "share/man/man1/kerla-data.1.gz",
        "share/doc/kerla/copyright",
        "share/kerla/O Kerlach.rtf",
        "share/kerla/Distribuce.rtf",
        "share/kerla/Data/1j",
        "share/kerla/grafika/menu_den51.bmp",
    };
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << file;
    for (const QString &year : dataYears()) {
        QTest::newRow(qPrintable(year + " pages")) << "share/kerla/Kerla" + year + ".rtf";
        QTest::newRow(qPrintable(year + " readings")) << "share/kerla/Cteni" + year + ".sj";
    }
    for (int size : kIconSizes)
        QTest::newRow(qPrintable(QString::number(size)))
            << QStringLiteral("share/icons/hicolor/%1x%1/apps/org.example.Kerla.png").arg(size);
}

void InstallTest::holdsEveryListedFile() {
    QFETCH(QString, path);
    const QFileInfo info(usr() + path);
    QVERIFY2(info.isFile(), qPrintable(path + " is missing"));
    QVERIFY2(info.size() > 0, qPrintable(path + " is empty"));
    QVERIFY2(info.permissions() & QFileDevice::ReadOther, qPrintable(path + " cannot be read by everyone"));
}

void InstallTest::holdsTheWholeDataSet() {
    // Every file that the build lays beside the executable, other than the programs, is installed
    // unchanged, and nothing but the two programs lies in bin/: the data is found elsewhere.
    int files = 0;
    QDirIterator it(QStringLiteral(KERLA_BIN_DIR), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo built(it.next());
        if (built.isExecutable())
            continue;
        const QString relative = QDir(QStringLiteral(KERLA_BIN_DIR)).relativeFilePath(built.filePath());
        const QString installed = usr() + "share/kerla/" + relative;
        QVERIFY2(readBytes(installed) == readBytes(built.filePath()), qPrintable(relative + " differs"));
        ++files;
    }
    QVERIFY2(files > 66 + 8 + 2, qPrintable(QString::number(files))); // books, pictures, documents
    QCOMPARE(QDir(usr() + "bin").entryList(QDir::Files | QDir::NoDotAndDotDot),
             (QStringList{"kerla", "kerla-data"}));
    // The settings dialog names the translation by the time of Data/1j.
    QCOMPARE(QFileInfo(usr() + "share/kerla/Data/1j").lastModified().toSecsSinceEpoch(),
             QFileInfo(QStringLiteral(KERLA_BIN_DIR "/Data/1j")).lastModified().toSecsSinceEpoch());
}

void InstallTest::printingModuleWhereTheProgramLooks() {
    const QFileInfo module(printsupport::modulePath(usr() + "bin"));
    QVERIFY2(module.isFile(), qPrintable(module.filePath() + " is missing"));
    QVERIFY(module.filePath().startsWith(usr() + "lib/"));
    QVERIFY(module.permissions() & QFileDevice::ReadOther);
    QCOMPARE(readBytes(module.filePath()).left(4), QByteArray("\x7f"
                                                              "ELF"));
}

void InstallTest::iconsInEverySizeAreTheWindowIcon() {
    const QIcon window = programWindowIcon();
    for (int size : kIconSizes) {
        const QImage installed(
            usr() + QStringLiteral("share/icons/hicolor/%1x%1/apps/org.example.Kerla.png").arg(size));
        QCOMPARE(installed.size(), QSize(size, size));
        QVERIFY(window.availableSizes().contains(QSize(size, size)));
        const QImage shown = window.pixmap(QSize(size, size), 1.0).toImage();
        QCOMPARE(shown.size(), QSize(size, size));
        // Compared as the screen gets them: premultiplied (a pixmap keeps them so).
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 installed.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
}

void InstallTest::runsFromTheTreeAndShowsTodaysPage() {
    const QDate today = QDate::currentDate();
    const QString yearFile = usr() + QStringLiteral("share/kerla/Kerla%1.rtf").arg(today.year());
    if (!QFile::exists(yearFile))
        QSKIP("the sample data set has no pages for this year");
    ViewDate date;
    SetViewDate(date, today.year(), today.month(), today.day());
    const QByteArray expected =
        daypage::pageBytes(textfile::readLines(yearFile).at(daypage::lineNumber(date)));

    QTemporaryDir data, config;
    QProcess kerla;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    kerla.setProcessEnvironment(env);
    kerla.setWorkingDirectory(config.path());
    kerla.start(usr() + "bin/kerla", {});
    QVERIFY(kerla.waitForStarted(10000));
    const auto stop = qScopeGuard([&] {
        kerla.kill();
        kerla.waitForFinished(10000);
    });

    // The page it wrote is today's page of the installed year file, not the substitute page.
    const QString page = data.path() + "/KERLA.TMP";
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(page), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(readBytes(page), expected, 5000);

    // And its window is on the screen: the day button's picture in the toolbar, the page's text
    // in the view below it.
    QImage screen;
    QPoint button(-1, -1);
    const QImage dayButton = toolbarart::draw(toolbarart::Picture::DayPressed);
    QTRY_VERIFY_WITH_TIMEOUT((screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage(),
                              button = find(screen, dayButton), button.x() >= 0),
                             20000);
    QTest::qWait(500); // the page's first paint
    screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    screen.save(QStringLiteral(KERLA_BIN_DIR "/../tests/installed-kerla.png"));
    const QRect view = QRect(button.x(), button.y() + 40, 600, 140).intersected(screen.rect());
    int dark = 0;
    for (int y = view.top(); y <= view.bottom(); ++y)
        for (int x = view.left(); x <= view.right(); ++x)
            dark += qGray(screen.pixel(x, y)) < 100;
    QVERIFY2(dark > 200, qPrintable(QStringLiteral("%1 dark pixels in the page view").arg(dark)));
    QCOMPARE(kerla.state(), QProcess::Running);
}

QTEST_MAIN(InstallTest)
#include "install_test.moc"
