#include "tst_controls.h"

#include "controls/imageshape.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr QRgb K = 0xFF2040A0; // the key colour: always the bottom-left pixel
constexpr QRgb A = 0xFFE0E0E0;
constexpr QRgb B = 0xFF000000;

// A picture from rows of characters: 'K' key colour, 'A' light, 'B' black.
QImage picture(const QStringList &rows) {
    QImage image(int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QChar c = rows[y][x];
            image.setPixel(x, y, c == QLatin1Char('K') ? K : c == QLatin1Char('B') ? B : A);
        }
    return image;
}

QRegion pixels(const QList<QPoint> &points) {
    QRegion region;
    for (const QPoint &p : points)
        region += QRect(p, QSize(1, 1));
    return region;
}

bool sameArea(const QRegion &a, const QRegion &b) {
    return (a ^ b).isEmpty();
}

QString describe(const QRegion &region) {
    QStringList parts;
    for (const QRect &r : region)
        parts << QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    return parts.join(QLatin1Char(' '));
}

#define COMPARE_AREA(actual, expected)                                                                       \
    QVERIFY2(sameArea((actual), (expected)),                                                                 \
             qPrintable(QStringLiteral("got %1, expected %2").arg(describe(actual), describe(expected))))

// A borderless top-level window with one picture control in it.
struct Shaped {
    QWidget window;
    TImageShape *shape;
    explicit Shaped(QSize client, QRect control = QRect()) {
        window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        window.resize(client);
        shape = new TImageShape(&window);
        shape->setGeometry(control.isNull() ? QRect(QPoint(0, 0), client) : control);
    }
};

// The offscreen platform has no window masks; it says so on every shaped window that is shown.
QtMessageHandler previousHandler = nullptr;
void quietOffscreen(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    previousHandler(type, context, message);
}

} // namespace

void TestImageShape::initTestCase() {
    previousHandler = qInstallMessageHandler(quietOffscreen);
}

void TestImageShape::cleanupTestCase() {
    qInstallMessageHandler(previousHandler);
}

void TestImageShape::init() {
    // Each test starts as a process in which no window has been shaped yet.
    qunsetenv("zabok");
}

void TestImageShape::opaqueRegion_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QRect>("client");
    QTest::addColumn<QRect>("dest");
    QTest::addColumn<QRegion>("expected");

    QTest::newRow("3x2 example") << QStringList{QStringLiteral("KAK"), QStringLiteral("KAA")}
                                 << QRect(0, 0, 3, 2) << QRect(0, 0, 3, 2)
                                 << pixels({{1, 0}, {1, 1}, {2, 1}});
    QTest::newRow("only the bottom-left pixel is key")
        << QStringList{QStringLiteral("AAAA"), QStringLiteral("AAAA"), QStringLiteral("KAAA")}
        << QRect(0, 0, 4, 3) << QRect(0, 0, 4, 3) << (QRegion(0, 0, 4, 3) - QRegion(0, 2, 1, 1));
    QTest::newRow("key colour inside the picture")
        << QStringList{QStringLiteral("AAA"), QStringLiteral("AKA"), QStringLiteral("KAA")}
        << QRect(0, 0, 3, 3) << QRect(0, 0, 3, 3) << (QRegion(0, 0, 3, 3) - pixels({{1, 1}, {0, 2}}));
    QTest::newRow("black is just a colour here")
        << QStringList{QStringLiteral("BA"), QStringLiteral("KB")} << QRect(0, 0, 2, 2) << QRect(0, 0, 2, 2)
        << pixels({{0, 0}, {1, 0}, {1, 1}});
    QTest::newRow("stretched twice") << QStringList{QStringLiteral("AA"), QStringLiteral("KA")}
                                     << QRect(0, 0, 4, 4) << QRect(0, 0, 4, 4)
                                     << (QRegion(0, 0, 4, 4) - QRegion(0, 2, 2, 2));
    QTest::newRow("placed in a larger client")
        << QStringList{QStringLiteral("AA"), QStringLiteral("KA")} << QRect(0, 0, 6, 6) << QRect(2, 3, 2, 2)
        << pixels({{2, 3}, {3, 3}, {3, 4}});
    QTest::newRow("larger than the client: clipped")
        << QStringList{QStringLiteral("AAAA"), QStringLiteral("AAAA"), QStringLiteral("KAAA")}
        << QRect(0, 0, 2, 2) << QRect(-1, -1, 4, 3) << QRegion(0, 0, 2, 2);
    QTest::newRow("all key") << QStringList{QStringLiteral("KK"), QStringLiteral("KK")} << QRect(0, 0, 2, 2)
                             << QRect(0, 0, 2, 2) << QRegion();
    QTest::newRow("empty destination") << QStringList{QStringLiteral("AA"), QStringLiteral("KA")}
                                       << QRect(0, 0, 2, 2) << QRect(0, 0, 0, 2) << QRegion();
    QTest::newRow("bands of equal rows") << QStringList{QStringLiteral("AKA"), QStringLiteral("AKA"),
                                                        QStringLiteral("AAA"), QStringLiteral("KKA")}
                                         << QRect(0, 0, 3, 4) << QRect(0, 0, 3, 4)
                                         << (QRegion(0, 0, 3, 4) - pixels({{1, 0}, {1, 1}, {0, 3}, {1, 3}}));
}

void TestImageShape::opaqueRegion() {
    QFETCH(QStringList, rows);
    QFETCH(QRect, client);
    QFETCH(QRect, dest);
    QFETCH(QRegion, expected);
    const QRegion region = TImageShape::BuildOpaqueRegion(picture(rows), client, dest);
    COMPARE_AREA(region, expected);
}

void TestImageShape::pictureRect_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("proportional");
    QTest::addColumn<bool>("center");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("natural") << QSize(40, 20) << QSize(300, 300) << false << false << false
                             << QRect(0, 0, 40, 20);
    QTest::newRow("stretch") << QSize(40, 20) << QSize(300, 200) << true << false << false
                             << QRect(0, 0, 300, 200);
    QTest::newRow("stretch proportional wide")
        << QSize(400, 200) << QSize(300, 300) << true << true << false << QRect(0, 0, 300, 150);
    QTest::newRow("stretch proportional wide centred")
        << QSize(400, 200) << QSize(300, 300) << true << true << true << QRect(0, 75, 300, 150);
    QTest::newRow("proportional tall")
        << QSize(200, 400) << QSize(300, 300) << true << true << false << QRect(0, 0, 150, 300);
    QTest::newRow("proportional wide, height bound")
        << QSize(400, 300) << QSize(300, 100) << true << true << false << QRect(0, 0, 133, 100);
    QTest::newRow("proportional tall, width bound")
        << QSize(300, 400) << QSize(100, 300) << true << true << false << QRect(0, 0, 100, 133);
    QTest::newRow("proportional smaller stays")
        << QSize(40, 20) << QSize(300, 300) << false << true << false << QRect(0, 0, 40, 20);
    QTest::newRow("proportional larger shrinks")
        << QSize(600, 300) << QSize(300, 300) << false << true << false << QRect(0, 0, 300, 150);
    QTest::newRow("centre rounds toward zero")
        << QSize(100, 50) << QSize(301, 300) << false << false << true << QRect(100, 125, 100, 50);
    QTest::newRow("larger picture centred moves up and left")
        << QSize(501, 500) << QSize(300, 300) << false << false << true << QRect(-100, -100, 501, 500);
}

void TestImageShape::pictureRect() {
    QFETCH(QSize, picture);
    QFETCH(QSize, client);
    QFETCH(bool, stretch);
    QFETCH(bool, proportional);
    QFETCH(bool, center);
    QFETCH(QRect, expected);
    QCOMPARE(TImageShape::PictureRect(picture, client, stretch, proportional, center), expected);
}

void TestImageShape::frameOffsets_data() {
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QRect>("client");
    QTest::addColumn<QPoint>("expected");

    QTest::newRow("borderless") << QRect(100, 100, 416, 349) << QRect(100, 100, 416, 349) << QPoint(0, 0);
    QTest::newRow("4-pixel borders, 19-pixel caption")
        << QRect(96, 77, 424, 376) << QRect(100, 100, 416, 349) << QPoint(4, 23);
    QTest::newRow("odd width rounds toward zero")
        << QRect(0, 0, 107, 130) << QRect(0, 0, 100, 100) << QPoint(3, 27);
}

void TestImageShape::frameOffsets() {
    QFETCH(QRect, window);
    QFETCH(QRect, client);
    QFETCH(QPoint, expected);
    QCOMPARE(TImageShape::FrameOffsets(window, client), expected);
    if (QTest::currentDataTag() == QByteArray("4-pixel borders, 19-pixel caption"))
        QCOMPARE(TImageShape::FrameOffsets(window, client) + QPoint(10, 5), QPoint(14, 28));
}

void TestImageShape::firstShapingSetsTheProcessFlag() {
    Shaped s(QSize(20, 20), QRect(10, 5, 3, 2));
    s.window.setMask(QRegion(0, 0, 2, 2)); // the first shaping replaces whatever was there
    QVERIFY(qgetenv("zabok").isNull());
    s.shape->setPicture(picture({QStringLiteral("KAK"), QStringLiteral("KAA")}));
    QCOMPARE(qgetenv("zabok"), QByteArray("set"));
    const QRegion expected = pixels({{11, 5}, {11, 6}, {12, 6}});
    COMPARE_AREA(s.window.mask(), expected);
    COMPARE_AREA(s.shape->PrevRegion(), expected);
}

void TestImageShape::laterShapingKeepsForeignParts() {
    Shaped s(QSize(40, 40), QRect(0, 0, 3, 2));
    s.shape->setPicture(picture({QStringLiteral("KAK"), QStringLiteral("KAA")}));
    // Someone else adds to the window's shape.
    const QRegion foreign(20, 20, 5, 5);
    s.window.setMask(s.window.mask() | foreign);

    s.shape->setPicture(picture({QStringLiteral("AKK"), QStringLiteral("KKK")}));
    COMPARE_AREA(s.window.mask(), foreign | pixels({{0, 0}}));
    COMPARE_AREA(s.shape->PrevRegion(), pixels({{0, 0}}));

    // A second control on a window without any shape: the window counts as empty.
    Shaped other(QSize(10, 10), QRect(2, 2, 3, 2));
    other.shape->setPicture(picture({QStringLiteral("KAK"), QStringLiteral("KAA")}));
    COMPARE_AREA(other.window.mask(), pixels({{3, 2}, {3, 3}, {4, 3}}));
    QCOMPARE(qgetenv("zabok"), QByteArray("set"));
}

void TestImageShape::transparentBitmap() {
    // Bottom-left is the transparent colour K; B is black.
    const QImage image = picture({QStringLiteral("KBA"), QStringLiteral("AAA"), QStringLiteral("KAB")});

    Shaped opaque(QSize(3, 3));
    opaque.shape->setPicture(image);
    COMPARE_AREA(opaque.window.mask(), QRegion(0, 0, 3, 3) - pixels({{0, 0}, {0, 2}}));

    // Transparent: K is left undrawn on black, so the key turns black and takes B with it.
    opaque.shape->setTransparent(true);
    COMPARE_AREA(opaque.window.mask(), QRegion(0, 0, 3, 3) - pixels({{0, 0}, {0, 2}, {1, 0}, {2, 2}}));

    // The same with a palette picture.
    Shaped indexed(QSize(3, 3));
    indexed.shape->setTransparent(true);
    indexed.shape->setPicture(image.convertToFormat(QImage::Format_Indexed8));
    COMPARE_AREA(indexed.window.mask(), QRegion(0, 0, 3, 3) - pixels({{0, 0}, {0, 2}, {1, 0}, {2, 2}}));

    const QImage rendering = TImageShape::RenderPicture(image, true);
    QCOMPARE(rendering.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(rendering.pixel(2, 0), A);
}

void TestImageShape::centredPictureAndAutoSize() {
    Shaped s(QSize(6, 6));
    s.shape->setCenter(true);
    s.shape->setPicture(picture({QStringLiteral("AA"), QStringLiteral("KA")}));
    COMPARE_AREA(s.window.mask(), pixels({{2, 2}, {3, 2}, {3, 3}}));

    Shaped sized(QSize(20, 20), QRect(4, 4, 105, 105));
    sized.shape->setAutoSize(true);
    sized.shape->setPicture(picture({QStringLiteral("AAA"), QStringLiteral("KAA")}));
    QCOMPARE(sized.shape->geometry(), QRect(4, 4, 3, 2));

    // Aligned to the client area, the control keeps the window's size also with AutoSize on.
    Shaped client(QSize(3, 1));
    client.shape->setAlign(TImageShape::alClient);
    client.shape->setAutoSize(true);
    client.shape->setPicture(picture({QStringLiteral("AAA"), QStringLiteral("KAA")}));
    QCOMPARE(client.shape->geometry(), QRect(0, 0, 3, 1));
    COMPARE_AREA(client.window.mask(), QRegion(0, 0, 3, 1));
    client.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&client.window));
    client.window.resize(8, 9);
    QCOMPARE(client.shape->geometry(), QRect(0, 0, 8, 9));
}

void TestImageShape::unchangedPropertyDoesNothing() {
    Shaped s(QSize(6, 6));
    s.shape->setPicture(picture({QStringLiteral("AA"), QStringLiteral("KA")}));
    const QRegion marker(0, 0, 6, 1);
    s.window.setMask(marker);
    s.shape->setCenter(false);
    s.shape->setStretch(false);
    s.shape->setProportional(false);
    s.shape->setTransparent(false);
    COMPARE_AREA(s.window.mask(), marker);
    // A real change reshapes: the control's earlier pixels go, the rest of the shape stays.
    s.shape->setCenter(true);
    COMPARE_AREA(s.window.mask(), (marker - pixels({{0, 0}, {1, 0}})) | pixels({{2, 2}, {3, 2}, {3, 3}}));
}

void TestImageShape::emptyPictureKeepsTheShape() {
    Shaped s(QSize(3, 2));
    s.shape->setPicture(picture({QStringLiteral("KAK"), QStringLiteral("KAA")}));
    const QRegion before = s.window.mask();
    s.shape->setPicture(QImage());
    COMPARE_AREA(s.window.mask(), before);
    QVERIFY(s.shape->Picture().isNull());
}

void TestImageShape::dragging_data() {
    QTest::addColumn<bool>("movable");
    QTest::newRow("movable") << true;
    QTest::newRow("not movable") << false;
}

void TestImageShape::dragging() {
    QFETCH(bool, movable);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setGeometry(100, 100, 120, 80);
    auto *shape = new TImageShape(&window);
    shape->setGeometry(0, 0, 120, 80);
    shape->setMovable(movable);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy downs(shape, &TImageShape::OnMouseDown);
    QSignalSpy moves(shape, &TImageShape::OnMouseMove);
    QSignalSpy ups(shape, &TImageShape::OnMouseUp);
    const QPoint start = window.pos();

    QCursor::setPos(140, 130);
    QTest::mousePress(shape, Qt::LeftButton, {}, QPoint(40, 30));
    QVERIFY(shape->MouseHeld());
    QCOMPARE(shape->LastCursorPos(), QPoint(140, 130));
    QCursor::setPos(150, 123);
    QTest::mouseMove(shape, QPoint(50, 23));
    QCursor::setPos(155, 133);
    QTest::mouseMove(shape, QPoint(55, 33));
    QTest::mouseRelease(shape, Qt::LeftButton, {}, QPoint(55, 33));
    QVERIFY(!shape->MouseHeld());
    const QPoint moved = movable ? QPoint(15, 3) : QPoint(0, 0);
    QTRY_COMPARE(window.pos(), start + moved);

    // Moves after the release do not drag.
    QCursor::setPos(190, 190);
    QTest::mouseMove(shape, QPoint(60, 60));
    QCOMPARE(window.pos(), start + moved);

    QCOMPARE(downs.count(), 1);
    QVERIFY(moves.count() >= 2);
    QCOMPARE(ups.count(), 1);
}

void TestImageShape::busyPictureIsFast() {
    // Noise of two colours: about a quarter of a million pixels and tens of thousands of runs.
    QImage busy(416, 350, QImage::Format_RGB32);
    QRandomGenerator random(20250101);
    qint64 opaquePixels = 0, runs = 0;
    for (int y = 0; y < busy.height(); ++y) {
        bool inRun = false;
        for (int x = 0; x < busy.width(); ++x) {
            const bool opaque = random.bounded(2) == 1 && !(x == 0 && y == busy.height() - 1);
            busy.setPixel(x, y, opaque ? A : K);
            opaquePixels += opaque;
            runs += opaque && !inRun;
            inRun = opaque;
        }
    }
    QElapsedTimer timer;
    timer.start();
    const QRegion region = TImageShape::BuildOpaqueRegion(busy, busy.rect(), busy.rect());
    const qint64 elapsed = timer.elapsed();

    qint64 area = 0;
    for (const QRect &r : region)
        area += qint64(r.width()) * r.height();
    QCOMPARE(area, opaquePixels);
    QVERIFY(region.rectCount() <= runs);
    QVERIFY2(elapsed < 2000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));

    // Shaping a window with it stays quick as well.
    Shaped s(busy.size());
    timer.restart();
    s.shape->setPicture(busy);
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
    COMPARE_AREA(s.window.mask(), region);
}
