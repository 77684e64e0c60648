// The reading window on a real X server: the shape that the user sees, dragging, typing, and the
// plain rectangle of the classic layout.
#include "controls/imageshape.h"
#include "readings/readingwindow.h"
#include "readings/sheetpicture.h"
#include "recordingsink.h"
#include "testenv.h"

#include <QApplication>
#include <QCursor>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

namespace {

const QColor Backdrop(0, 200, 0);

bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) < 8 && std::abs(a.green() - b.green()) < 8 &&
           std::abs(a.blue() - b.blue()) < 8;
}

QColor screenPixel(const QImage &screen, QPoint global) {
    return screen.pixelColor(global);
}

} // namespace

class TestBibleX11 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shapedDraggedAndPutAway();
};

void TestBibleX11::shapedDraggedAndPutAway() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");

    TempUserData user;
    RecordingMessageSink sink;
    AppContext state;
    state.UserDataDir = user.path();
    state.messages = &sink;
    QVERIFY(writeBytes(state.readingTextPath(), "1j 4 7 Text na pap\xedru.\r\n"));

    // A plain coloured window behind the reading window.
    QWidget backdrop(nullptr, Qt::Window | Qt::FramelessWindowHint);
    QPalette palette = backdrop.palette();
    palette.setColor(QPalette::Window, Backdrop);
    backdrop.setPalette(palette);
    backdrop.setAutoFillBackground(true);
    backdrop.setGeometry(100, 60, 800, 600);
    backdrop.show();
    QVERIFY(QTest::qWaitForWindowExposed(&backdrop));

    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(state, settingsFile);
    bible.showReading();
    QVERIFY(QTest::qWaitForWindowExposed(&bible));
    QCOMPARE(bible.pos(), QPoint(235, 111));

    const QRect sheet = sheetpicture::sheetRect();
    const auto checkShape = [&](QPoint origin) {
        QTest::qWait(300);
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        // Outside the sheet the backdrop shows through; on the sheet the paper is white.
        for (const QPoint corner : {QPoint(1, 1), QPoint(414, 1), QPoint(1, 347), QPoint(414, 347)})
            QVERIFY2(near(screenPixel(screen, origin + corner), Backdrop),
                     qPrintable(QStringLiteral("corner %1,%2").arg(corner.x()).arg(corner.y())));
        QVERIFY(near(screenPixel(screen, origin + QPoint(sheet.left() + 20, sheet.center().y())), Qt::white));
        QVERIFY(
            near(screenPixel(screen, origin + QPoint(sheet.center().x(), sheet.bottom() - 8)), Qt::white));
        QVERIFY(!near(screenPixel(screen, origin + sheet.topLeft() + QPoint(3, 60)), Backdrop));
    };
    checkShape(bible.pos());
    if (QTest::currentTestFailed())
        return;

    // Dragging by the picture, with the real pointer.
    const QPoint grip(sheet.left() + 12, 200); // on the paper, left of the text area
    const QPoint start = bible.pos();
    QCursor::setPos(bible.mapToGlobal(grip));
    QTRY_COMPARE(QCursor::pos(), bible.mapToGlobal(grip));
    QTest::mousePress(childOf<TImageShape>(bible, "ImageShape1"), Qt::LeftButton, {}, grip);
    QVERIFY(childOf<TImageShape>(bible, "ImageShape1")->MouseHeld());
    const QPoint delta(60, 35);
    QCursor::setPos(QCursor::pos() + delta);
    QTRY_COMPARE(QCursor::pos(), bible.mapToGlobal(grip) + delta);
    QTest::mouseMove(childOf<TImageShape>(bible, "ImageShape1"), grip + delta);
    QTest::mouseRelease(childOf<TImageShape>(bible, "ImageShape1"), Qt::LeftButton, {}, grip + delta);
    QTRY_COMPARE(bible.pos(), start + delta);
    checkShape(bible.pos());
    if (QTest::currentTestFailed())
        return;

    // A typed character puts the reading away.
    bible.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&bible));
    QCOMPARE(QApplication::focusWidget(), childOf<QPlainTextEdit>(bible, "TMemo1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QVERIFY(bible.isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
    QTRY_VERIFY(bible.isHidden());

    // The classic layout is a plain rectangle: the sheet's outline is gone.
    bible.switchToClassic();
    bible.showReading();
    QVERIFY(QTest::qWaitForWindowExposed(&bible));
    QTest::qWait(300);
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const QRect outer = bible.frameGeometry();
    for (const QPoint corner : {outer.topLeft() + QPoint(1, 1), outer.bottomLeft() + QPoint(1, -1)})
        QVERIFY(!near(screenPixel(screen, corner), Backdrop));
    QVERIFY(sink.all.isEmpty());
}

QTEST_MAIN(TestBibleX11)
#include "tst_bible_x11.moc"
