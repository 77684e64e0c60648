#include "controls/imageshape.h"
#include "controls/mylabel3d.h"
#include "platform/colorvalue.h"
#include "platform/contrast.h"
#include "readings/readingwindow.h"
#include "readings/sheetpicture.h"
#include "recordingsink.h"
#include "testenv.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QtMath>

namespace {

// Made-up Czech text in code page 1250: "Žluťoučký kůň úpěl ďábelské ódy."
const QByteArray PangramBytes =
    "\x8elu\x9dou\xe8k\xfd k\xf9\xf2 \xfap\xecl \xef\xe1\x62\x65lsk\xe9 \xf3\x64y.";
const QString Pangram = QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy.");

// The offscreen platform has neither window masks nor stacking; it says so on every window.
QtMessageHandler previousHandler = nullptr;
void quietOffscreen(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    previousHandler(type, context, message);
}

struct Fixture {
    TempUserData user;
    RecordingMessageSink sink;
    AppContext state;
    Fixture() {
        state.UserDataDir = user.path();
        state.messages = &sink;
    }
    void writeSettings(const QByteArray &ini) { QVERIFY(writeBytes(state.settingsPath(), ini)); }
    void writeReading(const QByteArray &text) { QVERIFY(writeBytes(state.readingTextPath(), text)); }
};

} // namespace

class TestBible : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { previousHandler = qInstallMessageHandler(quietOffscreen); }
    void designWithoutSettings();
    void sheetPicture();
    void sheetAtScreenDensity_data();
    void sheetAtScreenDensity();
    void settingsFile_data();
    void settingsFile();
    void showLoadsTheReading();
    void readingWhileVisibleReloads();
    void missingReadingText();
    void typedCharacterHides_data();
    void typedCharacterHides();
    void closeCaptionHides();
    void classicLayout();
    void shapedLayoutKeepsItsPlaces();
};

void TestBible::designWithoutSettings() {
    Fixture f;
    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(f.state, settingsFile);
    QCOMPARE(bible.windowTitle(), QStringLiteral("Kerla Dorny 2.1"));
    QCOMPARE(bible.pos(), QPoint(235, 111));
    QCOMPARE(bible.size(), QSize(416, 349));
    QVERIFY(bible.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!bible.isVisible());
    QVERIFY(!bible.isClassic());

    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->geometry(), QRect(64, 80, 313, 201));
    QVERIFY(childOf<QPlainTextEdit>(bible, "TMemo1")->isReadOnly());
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->frameShape(), QFrame::NoFrame);
    QCOMPARE(bible.readingFont().family(), QStringLiteral("Arial"));
    QCOMPARE(bible.readingFont().pointSize(), 9);
    QCOMPARE(bible.fontStyleSet(), uint8_t(0));
    QCOMPARE(bible.readingFontColor(), colorvalue::clWindowText);
    QCOMPARE(bible.memoBackgroundColor(), colorvalue::White);
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->palette().color(QPalette::Base), QColor(Qt::white));

    struct Expect {
        TmyLabel3d *label;
        const char *name;
        QString caption;
        QPoint pos;
        int pixels;
        bool underline;
        T3DEffect style;
        int color;
    };
    const Expect labels[] = {
        {childOf<TmyLabel3d>(bible, "Odkaz"),
         "Odkaz",
         QStringLiteral("Odkaz"),
         {236, 40},
         21,
         false,
         T3DEffect::Shadowed3d,
         colorvalue::Navy},
        {childOf<TmyLabel3d>(bible, "Label3d1"),
         "Label3d1",
         QStringLiteral("Čtení na tento den:"),
         {54, 40},
         19,
         true,
         T3DEffect::Shadowed3d,
         colorvalue::Navy},
        {childOf<TmyLabel3d>(bible, "Label3d"),
         "Label3d",
         QStringLiteral("Zavřít"),
         {80, 296},
         13,
         false,
         T3DEffect::Raised3d,
         colorvalue::clWindowText},
    };
    for (const Expect &e : labels) {
        QCOMPARE(e.label->objectName(), QString::fromLatin1(e.name));
        QCOMPARE(e.label->Caption(), e.caption);
        QCOMPARE(e.label->pos(), e.pos);
        QCOMPARE(e.label->font().family(), QStringLiteral("Arial"));
        QCOMPARE(e.label->font().pixelSize(), e.pixels);
        QVERIFY(e.label->font().bold());
        QCOMPARE(e.label->font().underline(), e.underline);
        QCOMPARE(e.label->AStyle3D(), e.style);
        QCOMPARE(e.label->FontColor(), e.color);
        QVERIFY(e.label->Transparent());
    }
    QCOMPARE(childOf<TmyLabel3d>(bible, "Odkaz")->AHShadeOffSet(), 2);
    QCOMPARE(childOf<TmyLabel3d>(bible, "Odkaz")->AVShadeOffSet(), 2);
    QCOMPARE(childOf<TmyLabel3d>(bible, "Label3d")->cursor().shape(), Qt::PointingHandCursor);

    // The sheet: the window is cut to the paper, its shadow and its pins.
    QCOMPARE(childOf<TImageShape>(bible, "ImageShape1")->geometry(), QRect(0, 0, 416, 349));
    const QRegion shape = bible.mask();
    const QRect sheet = sheetpicture::sheetRect();
    QVERIFY(shape.contains(sheet.center()));
    QVERIFY(shape.contains(sheet.topLeft()));
    QVERIFY(shape.contains(childOf<QPlainTextEdit>(bible, "TMemo1")->geometry()));
    QVERIFY(shape.contains(QRect(childOf<TmyLabel3d>(bible, "Label3d")->pos(), QSize(30, 12))));
    for (const QPoint corner : {QPoint(0, 0), QPoint(415, 0), QPoint(0, 348), QPoint(415, 348)})
        QVERIFY(!shape.contains(corner));
}

void TestBible::sheetPicture() {
    const QImage picture = sheetpicture::sheetPicture();
    QCOMPARE(picture.size(), QSize(416, 350));
    QCOMPARE(picture.format(), QImage::Format_Indexed8);
    QCOMPARE(picture.colorCount(), 37);
    QCOMPARE(picture.pixel(0, 349), sheetpicture::Background);
    QCOMPARE(picture, sheetpicture::sheetPicture()); // drawn the same way every time
    QSet<QRgb> used;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            used.insert(picture.pixel(x, y));
    QVERIFY(!used.contains(qRgb(0, 0, 0)));
    // The background colour lies only around the sheet.
    const QRect sheet = sheetpicture::sheetRect();
    for (int y = sheet.top(); y <= sheet.bottom(); ++y)
        for (int x = sheet.left(); x <= sheet.right(); ++x)
            QVERIFY(picture.pixel(x, y) != sheetpicture::Background);
    QCOMPARE(picture.pixel(sheet.center()), qRgb(255, 255, 255));
}

void TestBible::sheetAtScreenDensity_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2") << 2.0;
    QTest::newRow("1.25") << 1.25;
}

// On a high-density screen the sheet is drawn at the screen's density, and the window's shape,
// which the window system scales by rounding each rectangle's corner and size, holds exactly the
// drawn sheet: no background fringe shows, and no paper is cut off.
void TestBible::sheetAtScreenDensity() {
    QFETCH(qreal, ratio);
    const QImage plain = sheetpicture::sheetPicture();
    const QImage dense = sheetpicture::sheetPicture(ratio);
    QCOMPARE(dense.devicePixelRatio(), ratio);
    QCOMPARE(dense.deviceIndependentSize().toSize(), QSize(416, 350));
    QCOMPARE(dense.size(), QSize(qCeil(416 * ratio), qCeil(350 * ratio)));
    QCOMPARE(dense.pixel(0, dense.height() - 1), sheetpicture::Background);
    QCOMPARE(dense.pixel(dense.width() / 2, dense.height() / 2), qRgb(255, 255, 255));
    // Finer than the plain picture blown up: the pins' round edges have more steps.
    QVERIFY(dense.convertToFormat(QImage::Format_RGB32) !=
            plain.scaled(dense.size()).convertToFormat(QImage::Format_RGB32));

    // The window's shape comes from the plain picture, in the window's own pixels.
    const QRect client(0, 0, 416, 350);
    const QRegion shape =
        TImageShape::BuildOpaqueRegion(TImageShape::RenderPicture(plain, true), client, client);

    // The shape on the screen covers exactly the pixels that are not background.
    QImage covered(dense.size(), QImage::Format_Mono);
    covered.fill(0);
    for (const QRect &r : shape) {
        const QRect device(QPoint(qRound(r.left() * ratio), qRound(r.top() * ratio)),
                           QSize(qRound(r.width() * ratio), qRound(r.height() * ratio)));
        for (int y = device.top(); y <= device.bottom(); ++y)
            for (int x = device.left(); x <= device.right(); ++x)
                covered.setPixel(x, y, 1);
    }
    int fringe = 0, cut = 0;
    for (int y = 0; y < dense.height(); ++y) {
        for (int x = 0; x < dense.width(); ++x) {
            const bool background = dense.pixel(x, y) == sheetpicture::Background;
            const bool shown = covered.pixelIndex(x, y) == 1;
            fringe += shown && background;
            cut += !shown && !background;
        }
    }
    QCOMPARE(fringe, 0);
    QCOMPARE(cut, 0);
}

void TestBible::settingsFile_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("color");
    QTest::addColumn<int>("style");
    QTest::addColumn<QPoint>("pos");

    QTest::newRow("all keys") << QByteArray("[Bible]\r\nFont=Tahoma\r\nFontVelikost=12\r\nFontBarva=255\r\n"
                                            "FontStyl=3\r\nOdleva=300\r\nOdshora=200\r\nTypOkna=0\r\n")
                              << QStringLiteral("Tahoma") << 12 << 255 << 3 << QPoint(300, 200);
    // Missing keys keep the designed values: the regular style among them.
    QTest::newRow("no Bible section") << QByteArray("[Okno]\r\nFont=Verdana\r\n") << QStringLiteral("Arial")
                                      << 9 << colorvalue::clWindowText << 0 << QPoint(235, 111);
    QTest::newRow("values that are not numbers")
        << QByteArray("[bible]\r\nfont=Verdana\r\nFontVelikost=velka\r\nFontBarva=modra\r\nOdleva=x\r\n"
                      "Odshora=$20\r\nFontStyl=0x8\r\n")
        << QStringLiteral("Verdana") << 9 << colorvalue::clWindowText << 8 << QPoint(235, 32);
    QTest::newRow("size 0 is not taken")
        << QByteArray("[Bible]\r\nFontVelikost=0\r\n") << QStringLiteral("Arial") << 9
        << colorvalue::clWindowText << 0 << QPoint(235, 111);
}

void TestBible::settingsFile() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, face);
    QFETCH(int, points);
    QFETCH(int, color);
    QFETCH(int, style);
    QFETCH(QPoint, pos);

    Fixture f;
    f.writeSettings(ini);
    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(f.state, settingsFile);

    QCOMPARE(int(bible.fontStyleSet()), style);
    const QFont font = bible.readingFont();
    QCOMPARE(font.family(), face);
    QCOMPARE(font.pointSize(), points);
    QCOMPARE(bible.readingFontColor(), color);
    // The stored colour is drawn while it reads well on the white text area; pure red (4:1) does
    // not, and is drawn black.
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->palette().color(QPalette::Text),
             contrast::readableText(color, bible.memoBackgroundColor()));
    QCOMPARE(font.bold(), bool(style & 1));
    QCOMPARE(font.italic(), bool(style & 2));
    QCOMPARE(font.underline(), bool(style & 4));
    QCOMPARE(font.strikeOut(), bool(style & 8));
    QCOMPARE(int(bible.fontStyleSet()), style);
    QCOMPARE(bible.pos(), pos);
    // The labels take the face only: their sizes, styles and colours stay.
    QCOMPARE(childOf<TmyLabel3d>(bible, "Odkaz")->font().family(), face);
    QCOMPARE(childOf<TmyLabel3d>(bible, "Label3d1")->font().family(), face);
    QCOMPARE(childOf<TmyLabel3d>(bible, "Label3d")->font().family(), face);
    QCOMPARE(childOf<TmyLabel3d>(bible, "Odkaz")->font().pixelSize(), 21);
    QCOMPARE(childOf<TmyLabel3d>(bible, "Label3d1")->font().pixelSize(), 19);
    QCOMPARE(childOf<TmyLabel3d>(bible, "Label3d")->font().pixelSize(), 13);
    QVERIFY(childOf<TmyLabel3d>(bible, "Label3d1")->font().bold() &&
            childOf<TmyLabel3d>(bible, "Label3d1")->font().underline());
    QVERIFY(!childOf<TmyLabel3d>(bible, "Odkaz")->font().italic());
    QCOMPARE(childOf<TmyLabel3d>(bible, "Odkaz")->FontColor(), colorvalue::Navy);
}

void TestBible::showLoadsTheReading() {
    Fixture f;
    QByteArray text =
        "1j 4 7 " + PangramBytes + "\r\n1j 4 8 druh\xe1 \xf8\xe1\x64\x65k\rt\xf8\x65t\xed\nposledn\xed";
    for (int i = 0; i < 80; ++i)
        text += "\r\ndal\x9a\xed \xf8\xe1\x64\x65k " + QByteArray::number(i);
    f.writeReading(text);
    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(f.state, settingsFile);
    bible.showReading();
    QVERIFY(bible.isVisible());
    QVERIFY(f.sink.all.isEmpty());
    const QStringList lines =
        childOf<QPlainTextEdit>(bible, "TMemo1")->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 84);
    QCOMPARE(lines[0], QStringLiteral("1j 4 7 ") + Pangram);
    QCOMPARE(lines[1], QStringLiteral("1j 4 8 druhá řádek"));
    QCOMPARE(lines[2], QStringLiteral("třetí"));
    QCOMPARE(lines[3], QStringLiteral("poslední"));
    QCOMPARE(lines[83], QStringLiteral("další řádek 79"));
    // Shown from the top.
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->textCursor().position(), 0);
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->verticalScrollBar()->value(), 0);

    // Hidden and shown again (also by a plain show): the file is read anew.
    bible.hide();
    f.writeReading("nov\xfd text");
    bible.show();
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->toPlainText(), QStringLiteral("nový text"));
}

void TestBible::readingWhileVisibleReloads() {
    Fixture f;
    f.writeReading("prvn\xed");
    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(f.state, settingsFile);
    bible.showReading();
    childOf<QPlainTextEdit>(bible, "TMemo1")->verticalScrollBar()->setValue(5);
    f.writeReading("druh\xe9");
    bible.showReading();
    QVERIFY(bible.isVisible());
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->toPlainText(), QStringLiteral("druhé"));
}

void TestBible::missingReadingText() {
    Fixture f;
    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(f.state, settingsFile);
    QVERIFY_THROWS_EXCEPTION(KerlaError, bible.showReading());
    QVERIFY(!bible.isVisible());

    // Shown some other way, the error goes to the error report.
    bible.show();
    QCOMPARE(f.sink.errors.size(), 1);
    QVERIFY(f.sink.errors.first().startsWith(QStringLiteral("Cannot open file \"")));
    QVERIFY(f.sink.errors.first().contains(QStringLiteral("Cteni.tmp")));
}

void TestBible::typedCharacterHides_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("hides");

    QTest::newRow("letter") << int(Qt::Key_A) << QStringLiteral("a") << 0 << true;
    QTest::newRow("capital") << int(Qt::Key_A) << QStringLiteral("A") << int(Qt::ShiftModifier) << true;
    QTest::newRow("digit") << int(Qt::Key_7) << QStringLiteral("7") << 0 << true;
    QTest::newRow("space") << int(Qt::Key_Space) << QStringLiteral(" ") << 0 << true;
    QTest::newRow("Czech letter") << int(Qt::Key_unknown) << QStringLiteral("ř") << 0 << true;
    QTest::newRow("down arrow") << int(Qt::Key_Down) << QString() << 0 << false;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << QString() << 0 << false;
    QTest::newRow("enter") << int(Qt::Key_Return) << QStringLiteral("\r") << 0 << false;
    QTest::newRow("escape") << int(Qt::Key_Escape) << QStringLiteral("\x1b") << 0 << false;
    QTest::newRow("ctrl+F1") << int(Qt::Key_F1) << QString() << int(Qt::ControlModifier) << false;
    QTest::newRow("ctrl+C copies") << int(Qt::Key_C) << QStringLiteral("\x03") << int(Qt::ControlModifier)
                                   << false;
}

void TestBible::typedCharacterHides() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    QFETCH(bool, hides);

    Fixture f;
    f.writeReading("text");
    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(f.state, settingsFile);
    for (QWidget *target :
         {static_cast<QWidget *>(childOf<QPlainTextEdit>(bible, "TMemo1")), static_cast<QWidget *>(&bible)}) {
        bible.showReading();
        QVERIFY(bible.isVisible());
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QApplication::sendEvent(target, &press);
        QCOMPARE(bible.isHidden(), hides);
        // A key that the window does not take is left for others.
        if (!hides && target == &bible)
            QVERIFY(!press.isAccepted());
    }
}

void TestBible::closeCaptionHides() {
    Fixture f;
    f.writeReading("text");
    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(f.state, settingsFile);
    bible.showReading();
    QTest::mouseClick(childOf<TmyLabel3d>(bible, "Label3d"), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(bible.isHidden());
}

void TestBible::classicLayout() {
    Fixture f;
    f.writeReading("text");
    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(f.state, settingsFile);
    const QRect outer = bible.frameGeometry();
    bible.switchToClassic();
    QVERIFY(bible.isClassic());
    QVERIFY(!(bible.windowFlags() & Qt::FramelessWindowHint));
    QVERIFY(bible.windowFlags() & Qt::WindowTitleHint);
    QVERIFY(bible.windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(bible.windowFlags() & Qt::WindowSystemMenuHint);
    QCOMPARE(bible.windowTitle(), QStringLiteral("Kerla Dorny 2.1"));
    QVERIFY(bible.mask().isEmpty());

    bible.showReading();
    QVERIFY(QTest::qWaitForWindowExposed(&bible));
    QCOMPARE(bible.frameGeometry(), outer);
    QVERIFY(childOf<TImageShape>(bible, "ImageShape1")->isHidden());
    QVERIFY(childOf<TmyLabel3d>(bible, "Label3d")->isHidden());
    QCOMPARE(childOf<TmyLabel3d>(bible, "Label3d1")->pos(), QPoint(10, 10));
    QCOMPARE(childOf<TmyLabel3d>(bible, "Odkaz")->pos(), QPoint(192, 10));
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->geometry(),
             QRect(0, bible.height() - (outer.height() - 85), bible.width(), outer.height() - 85));
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->height(), 349 - 85);
    QCOMPARE(bible.memoBackgroundColor(), colorvalue::clInfoBk);
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->palette().color(QPalette::Base),
             colorvalue::toQColor(colorvalue::clInfoBk));
    QCOMPARE(bible.palette().color(QPalette::Window), colorvalue::toQColor(colorvalue::clInfoBk));

    // The user makes the window 100 pixels taller: the text area grows with it, at the bottom.
    bible.resize(bible.width(), bible.height() + 100);
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->height(), 349 - 85 + 100);
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->geometry().bottom(), bible.height() - 1);
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->width(), bible.width());

    // Again: nothing changes.
    childOf<TmyLabel3d>(bible, "Label3d1")->move(30, 30);
    const QRect before = bible.geometry();
    bible.switchToClassic();
    QCOMPARE(childOf<TmyLabel3d>(bible, "Label3d1")->pos(), QPoint(30, 30));
    QCOMPARE(bible.geometry(), before);
    QVERIFY(bible.isVisible());
}

void TestBible::shapedLayoutKeepsItsPlaces() {
    Fixture f;
    f.writeReading("text");
    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(f.state, settingsFile);
    bible.showReading();
    QVERIFY(QTest::qWaitForWindowExposed(&bible));
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->geometry(), QRect(64, 80, 313, 201));
    QVERIFY(childOf<TmyLabel3d>(bible, "Label3d")->isVisible());
    QVERIFY(childOf<TImageShape>(bible, "ImageShape1")->isVisible());
}

QTEST_MAIN(TestBible)
#include "tst_bible.moc"
