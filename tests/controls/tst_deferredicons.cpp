// The style that fetches the extension buttons' pictures on first use: the window shows without
// loading any picture-format plug-in, and every picture is the base style's, pixel for pixel.
// Its own executable: whether a plug-in was loaded is a matter of the whole process.
#include "art/toolbaricons.h"
#include "controls/deferredicons.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <cstring>
#include <link.h>

namespace {

int imagePluginsLoaded() {
    int count = 0;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *data) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "/imageformats/"))
                ++*static_cast<int *>(data);
            return 0;
        },
        &count);
    return count;
}

QImage image(const QIcon &icon, int size, qreal ratio) {
    return icon.pixmap(QSize(size, size), ratio).toImage();
}

} // namespace

class TestDeferredIcons : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowShowsWithoutPlugins(); // first: nothing has read a picture before it
    void picturesAreTheBaseStyles_data();
    void picturesAreTheBaseStyles();
    void otherPicturesAreUntouched();
    void outlivesItsStyle();
    void windowLooksTheSame();
};

void TestDeferredIcons::windowShowsWithoutPlugins() {
    DeferredIconStyle::install();
    DeferredIconStyle::install(); // once only
    QVERIFY(qobject_cast<DeferredIconStyle *>(QApplication::style()));
    QVERIFY(
        !qobject_cast<DeferredIconStyle *>(static_cast<QProxyStyle *>(QApplication::style())->baseStyle()));

    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("Soubor"))->addAction(QStringLiteral("Tisk"));
    auto *bar = window.addToolBar(QStringLiteral("Lista"));
    for (toolbarart::Picture picture :
         {toolbarart::Picture::Day, toolbarart::Picture::Reading1, toolbarart::Picture::End}) {
        auto *button = new QToolButton(bar);
        button->setIcon(toolbarart::icon(picture, 2.0));
        bar->addWidget(button);
    }
    bar->addWidget(new QDateEdit(bar));
    window.resize(600, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    QCOMPARE(imagePluginsLoaded(), 0);

    // The count is a real one: a picture read the usual way asks every plug-in.
    QImage probe;
    QVERIFY(probe.loadFromData(QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg==")));
    const QDir plugins(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/imageformats"));
    if (plugins.entryList({QStringLiteral("*.so")}, QDir::Files).isEmpty())
        QSKIP("this Qt has no picture-format plug-ins to load");
    QVERIFY(imagePluginsLoaded() > 0);
}

void TestDeferredIcons::picturesAreTheBaseStyles_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("optionDirection"); // -1: no option
    QTest::addColumn<bool>("rightToLeftApplication");
    const struct {
        const char *name;
        QStyle::StandardPixmap which;
    } pictures[] = {{"horizontal", QStyle::SP_ToolBarHorizontalExtensionButton},
                    {"vertical", QStyle::SP_ToolBarVerticalExtensionButton}};
    for (const auto &p : pictures) {
        for (bool rtlApp : {false, true}) {
            const QByteArray app = rtlApp ? " in a right-to-left application" : "";
            QTest::newRow(QByteArray(p.name).append(", no option").append(app).constData())
                << int(p.which) << -1 << rtlApp;
            QTest::newRow(QByteArray(p.name).append(", left-to-right option").append(app).constData())
                << int(p.which) << int(Qt::LeftToRight) << rtlApp;
            QTest::newRow(QByteArray(p.name).append(", right-to-left option").append(app).constData())
                << int(p.which) << int(Qt::RightToLeft) << rtlApp;
        }
    }
}

void TestDeferredIcons::picturesAreTheBaseStyles() {
    QFETCH(int, which);
    QFETCH(int, optionDirection);
    QFETCH(bool, rightToLeftApplication);
    auto *base = QStyleFactory::create(QStringLiteral("Fusion"));
    DeferredIconStyle style(base);
    QStyleOption option;
    option.direction = Qt::LayoutDirection(std::max(optionDirection, 0));
    const QStyleOption *given = optionDirection < 0 ? nullptr : &option;

    QApplication::setLayoutDirection(rightToLeftApplication ? Qt::RightToLeft : Qt::LeftToRight);
    const auto sp = QStyle::StandardPixmap(which);
    const QIcon deferred = style.standardIcon(sp, given);
    const QIcon direct = base->standardIcon(sp, given);
    // The direction counts when the icon is made, not when it is first drawn.
    QApplication::setLayoutDirection(rightToLeftApplication ? Qt::LeftToRight : Qt::RightToLeft);
    QVERIFY(!direct.isNull());
    QCOMPARE(deferred.isNull(), direct.isNull());
    QCOMPARE(deferred.availableSizes(), direct.availableSizes());
    for (int size : {8, 12, 16, 32})
        for (qreal ratio : {1.0, 2.0})
            QCOMPARE(image(deferred, size, ratio), image(direct, size, ratio));
    QApplication::setLayoutDirection(Qt::LeftToRight);
}

void TestDeferredIcons::otherPicturesAreUntouched() {
    auto *base = QStyleFactory::create(QStringLiteral("Fusion"));
    DeferredIconStyle style(base);
    for (auto sp : {QStyle::SP_TitleBarCloseButton, QStyle::SP_ArrowDown, QStyle::SP_DialogOkButton})
        QCOMPARE(image(style.standardIcon(sp), 16, 1.0), image(base->standardIcon(sp), 16, 1.0));
    // A toolbar too narrow for its items shows the extension button with the base's arrow.
    QMainWindow window;
    window.setStyle(&style);
    auto *bar = window.addToolBar(QStringLiteral("Lista"));
    for (int i = 0; i < 12; ++i)
        bar->addAction(QStringLiteral("položka %1").arg(i));
    window.resize(120, 80);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *extension = bar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
    QVERIFY(extension);
    QTRY_VERIFY(extension->isVisible());
    const int size = extension->iconSize().width();
    QCOMPARE(
        image(extension->icon(), size, 1.0),
        image(QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton), size, 1.0));
}

void TestDeferredIcons::outlivesItsStyle() {
    QIcon icon;
    {
        DeferredIconStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
        icon = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    }
    // Drawn after its style is gone: the application's style gives the picture.
    QCOMPARE(
        image(icon, 16, 1.0),
        image(QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton), 16, 1.0));
    QVERIFY(!image(icon, 16, 1.0).isNull());
}

namespace {

// A window with a menu bar and a toolbar too narrow for its items, drawn.
QImage drawnWindow() {
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("Soubor"))->addAction(QStringLiteral("Tisk"));
    for (int i = 0; i < 8; ++i)
        window.menuBar()->addMenu(QStringLiteral("Nabídka %1").arg(i));
    auto *bar = window.addToolBar(QStringLiteral("Lista"));
    for (int i = 0; i < 12; ++i)
        bar->addAction(QStringLiteral("položka %1").arg(i));
    bar->addWidget(new QDateEdit(QDate(2026, 12, 8), bar));
    window.resize(160, 120);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return QImage();
    QCoreApplication::processEvents();
    return window.grab().toImage();
}

} // namespace

void TestDeferredIcons::windowLooksTheSame() {
    auto *style = qobject_cast<DeferredIconStyle *>(QApplication::style());
    QVERIFY(style);
    const QString base = style->baseStyle()->name();
    const QImage deferred = drawnWindow();
    QApplication::setStyle(QStyleFactory::create(base));
    const QImage direct = drawnWindow();
    DeferredIconStyle::install();
    QVERIFY(!deferred.isNull());
    QCOMPARE(deferred, direct);
}

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    TestDeferredIcons test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_deferredicons.moc"
