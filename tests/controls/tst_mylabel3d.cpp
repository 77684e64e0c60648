#include "tst_controls.h"

#include "controls/accessibility.h"
#include "controls/mylabel3d.h"
#include "platform/contrast.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <set>
#include <utility>

namespace {

using Pixel = std::pair<int, int>;

struct Pass {
    int dx, dy;
    int color; // colour value
};

constexpr int Background = colorvalue::White;
constexpr int Text = 0xFF0000; // blue
constexpr int Yellow = colorvalue::Yellow;
constexpr int Red = 0x0000FF;

// A label of fixed size on an opaque white background, with a crisp (not antialiased) font, so
// every drawn pixel has exactly the colour of the pass that drew it last.
void prepare(TmyLabel3d &label, const QString &caption) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    label.setAutoSize(false);
    label.setFont(font);
    label.setCaption(caption);
    label.setTransparent(false);
    label.setColor(Background);
    label.setFontColor(Text);
    label.setGeometry(0, 0, 90, 40);
}

QImage render(TmyLabel3d &label) {
    return label.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The pixels that the caption covers when drawn once, unshifted.
std::set<Pixel> glyphPixels(const QImage &image) {
    std::set<Pixel> pixels;
    const QRgb bg = colorvalue::toQColor(Background).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != bg)
                pixels.insert({x, y});
    return pixels;
}

QImage layered(QSize size, const std::set<Pixel> &glyph, const QList<Pass> &passes) {
    QImage expected(size, QImage::Format_RGB32);
    expected.fill(colorvalue::toQColor(Background));
    for (const Pass &pass : passes) {
        const QRgb color = colorvalue::toQColor(pass.color).rgb();
        for (const auto &[x, y] : glyph) {
            const int sx = x + pass.dx, sy = y + pass.dy;
            if (expected.rect().contains(sx, sy))
                expected.setPixel(sx, sy, color);
        }
    }
    return expected;
}

int differingPixels(const QImage &a, const QImage &b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

enum class Setter { Style, RightBottom, LeftTop, HOffset, VOffset, LTSet };

} // namespace

Q_DECLARE_METATYPE(QList<Pass>)
Q_DECLARE_METATYPE(T3DEffect)
Q_DECLARE_METATYPE(Setter)

void TestMyLabel3d::passes_data() {
    QTest::addColumn<T3DEffect>("style");
    QTest::addColumn<int>("leftTop");
    QTest::addColumn<int>("hOffset");
    QTest::addColumn<int>("vOffset");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QList<Pass>>("expected");

    const int grey = colorvalue::Gray, white = colorvalue::White;
    QTest::newRow("normal ignores the offsets")
        << T3DEffect::Normal3d << Yellow << 2 << 2 << true << QList<Pass>{{0, 0, Text}};
    QTest::newRow("raised") << T3DEffect::Raised3d << white << 5 << -5 << true
                            << QList<Pass>{{1, 1, grey}, {-1, -1, white}, {0, 0, Text}};
    QTest::newRow("sunken with a yellow light") << T3DEffect::Resit3d << Yellow << 5 << -5 << true
                                                << QList<Pass>{{1, 1, Yellow}, {-1, -1, grey}, {0, 0, Text}};
    QTest::newRow("shadow 2, 2") << T3DEffect::Shadowed3d << white << 2 << 2 << true
                                 << QList<Pass>{{2, 2, grey}, {0, 0, Text}};
    // The initial offsets put the shadow above the text; its top rows leave the label.
    QTest::newRow("shadow 5, -5 clipped")
        << T3DEffect::Shadowed3d << white << 5 << -5 << true << QList<Pass>{{5, -5, grey}, {0, 0, Text}};
    QTest::newRow("disabled raised") << T3DEffect::Raised3d << Yellow << 5 << -5 << false
                                     << QList<Pass>{
                                            {1, 1, grey}, {-1, -1, Yellow}, {0, 0, colorvalue::clGrayText}};
    QTest::newRow("disabled normal") << T3DEffect::Normal3d << white << 5 << -5 << false
                                     << QList<Pass>{{0, 0, colorvalue::clGrayText}};
}

void TestMyLabel3d::passes() {
    QFETCH(T3DEffect, style);
    QFETCH(int, leftTop);
    QFETCH(int, hOffset);
    QFETCH(int, vOffset);
    QFETCH(bool, enabled);
    QFETCH(QList<Pass>, expected);

    // The caption's own pixels, from a plain label; a few pixels from the label's edges, so no
    // shifted copy can bring in anything that lay outside.
    TmyLabel3d plain;
    prepare(plain, QStringLiteral("Hm"));
    const QImage plainImage = render(plain);
    const std::set<Pixel> glyph = glyphPixels(plainImage);
    QVERIFY(glyph.size() > 50);
    for (const auto &[x, y] : glyph) {
        QVERIFY(x >= 1 && x < plainImage.width() - 6);
        QCOMPARE(plainImage.pixel(x, y), colorvalue::toQColor(Text).rgb());
    }

    TmyLabel3d label;
    prepare(label, QStringLiteral("Hm"));
    label.setAStyle3D(style);
    label.setAShadeLeftTop(leftTop);
    label.setAHShadeOffSet(hOffset);
    label.setAVShadeOffSet(vOffset);
    label.setEnabled(enabled);
    const QImage image = render(label);
    QCOMPARE(differingPixels(image, layered(image.size(), glyph, expected)), 0);
}

void TestMyLabel3d::wrapsFromTheTopWithAlignment_data() {
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("side"); // -1 left, 0 centre, 1 right

    QTest::newRow("left") << int(Qt::AlignLeft) << QStringLiteral("Il") << 1 << -1;
    QTest::newRow("right") << int(Qt::AlignRight) << QStringLiteral("Il") << 1 << 1;
    QTest::newRow("centre") << int(Qt::AlignHCenter) << QStringLiteral("Il") << 1 << 0;
    QTest::newRow("wraps") << int(Qt::AlignLeft) << QStringLiteral("Illll Illll Illll Illll") << 2 << -1;
}

void TestMyLabel3d::wrapsFromTheTopWithAlignment() {
    QFETCH(int, alignment);
    QFETCH(QString, caption);
    QFETCH(int, lines);
    QFETCH(int, side);

    TmyLabel3d label;
    prepare(label, caption);
    label.setAlignment(Qt::Alignment(alignment));
    label.setGeometry(0, 0, 120, 120);
    const std::set<Pixel> glyph = glyphPixels(render(label));
    QVERIFY(!glyph.empty());
    int left = 1000, right = -1, top = 1000, bottom = -1;
    for (const auto &[x, y] : glyph) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    const int lineHeight = QFontMetrics(label.font()).height();
    QVERIFY2(top < lineHeight / 2, "the caption starts at the top");
    QVERIFY(bottom > (lines - 1) * lineHeight);
    QVERIFY(bottom < lines * lineHeight);
    const int centre = (left + right) / 2;
    if (side < 0)
        QVERIFY(left < 5);
    else if (side > 0)
        QVERIFY(right > 120 - 6);
    else
        QVERIFY(std::abs(centre - 60) <= 3);
}

void TestMyLabel3d::accelerator() {
    const auto image = [](const QString &caption, bool showAccel) {
        TmyLabel3d label;
        prepare(label, caption);
        label.setShowAccelChar(showAccel);
        return render(label);
    };
    // "&&" is one ampersand, just as a plain "&" is without accelerators.
    QCOMPARE(differingPixels(image(QStringLiteral("a&&b"), true), image(QStringLiteral("a&b"), false)), 0);
    // "&b" marks b; the ampersand itself is not drawn.
    QVERIFY(differingPixels(image(QStringLiteral("a&b"), true), image(QStringLiteral("a&b"), false)) > 0);
}

void TestMyLabel3d::autoSizeFollowsCaption() {
    TmyLabel3d label(QStringLiteral("Odkaz"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(21);
    label.setFont(font);
    const QFontMetrics fm(font);
    QCOMPARE(label.size(), QSize(fm.horizontalAdvance(QStringLiteral("Odkaz")), fm.height()));
    label.setCaption(QStringLiteral("1j 4,7-21"));
    QCOMPARE(label.width(), fm.horizontalAdvance(QStringLiteral("1j 4,7-21")));
    label.setAutoSize(false);
    label.setCaption(QStringLiteral("x"));
    QCOMPARE(label.width(), fm.horizontalAdvance(QStringLiteral("1j 4,7-21")));
}

void TestMyLabel3d::settersRepaintOnlyOnChange_data() {
    QTest::addColumn<Setter>("setter");
    QTest::addColumn<bool>("sameValue");
    QTest::addColumn<bool>("repaints");

    QTest::newRow("style same") << Setter::Style << true << false;
    QTest::newRow("style changed") << Setter::Style << false << true;
    QTest::newRow("right-bottom same") << Setter::RightBottom << true << false;
    QTest::newRow("right-bottom changed") << Setter::RightBottom << false << true;
    QTest::newRow("left-top same") << Setter::LeftTop << true << false;
    QTest::newRow("left-top changed") << Setter::LeftTop << false << true;
    QTest::newRow("h offset same") << Setter::HOffset << true << false;
    QTest::newRow("h offset changed") << Setter::HOffset << false << true;
    QTest::newRow("v offset same") << Setter::VOffset << true << false;
    QTest::newRow("v offset changed") << Setter::VOffset << false << true;
    QTest::newRow("white lock same still repaints") << Setter::LTSet << true << true;
    QTest::newRow("white lock changed") << Setter::LTSet << false << true;
}

void TestMyLabel3d::settersRepaintOnlyOnChange() {
    QFETCH(Setter, setter);
    QFETCH(bool, sameValue);
    QFETCH(bool, repaints);

    QWidget top;
    top.resize(200, 100);
    auto *label = new TmyLabel3d(QStringLiteral("Zavřít"), &top);
    label->move(10, 10);
    top.show();
    QVERIFY(QTest::qWaitForWindowExposed(&top));
    settle();
    PaintCounter counter;
    label->installEventFilter(&counter);

    switch (setter) {
    case Setter::Style:
        label->setAStyle3D(sameValue ? T3DEffect::Normal3d : T3DEffect::Raised3d);
        break;
    case Setter::RightBottom:
        label->setAShadeRightBottom(sameValue ? colorvalue::Gray : Red);
        break;
    case Setter::LeftTop:
        label->setAShadeLeftTop(sameValue ? colorvalue::White : Red);
        break;
    case Setter::HOffset:
        label->setAHShadeOffSet(sameValue ? 5 : 2);
        break;
    case Setter::VOffset:
        label->setAVShadeOffSet(sameValue ? -5 : 2);
        break;
    case Setter::LTSet:
        label->setAShadeLTSet(!sameValue);
        break;
    }
    settle();
    QCOMPARE(counter.paints > 0, repaints);
}

void TestMyLabel3d::whiteLockHoldsAndRestores() {
    TmyLabel3d label;
    label.setAShadeLeftTop(Yellow);
    label.setAShadeLTSet(true);
    QCOMPARE(label.AShadeLeftTop(), colorvalue::White);
    label.setAShadeLeftTop(Red); // ignored while locked
    QCOMPARE(label.AShadeLeftTop(), colorvalue::White);
    label.setAShadeLTSet(true); // no change: the remembered colour stays
    label.setAShadeLTSet(false);
    QCOMPARE(label.AShadeLeftTop(), Yellow);

    TmyLabel3d never;
    never.setAShadeLTSet(true);
    never.setAShadeLTSet(false);
    QCOMPARE(never.AShadeLeftTop(), colorvalue::White);
}

void TestMyLabel3d::mouseOutOnceAndClick() {
    QWidget top;
    top.resize(300, 120);
    auto *label = new TmyLabel3d(QStringLiteral("Zavřít"), &top);
    label->setAutoSize(false);
    label->setGeometry(20, 20, 80, 30);
    top.show();
    QVERIFY(QTest::qWaitForWindowExposed(&top));
    QSignalSpy out(label, &TmyLabel3d::OnMouseOut);
    QSignalSpy clicks(label, &TmyLabel3d::OnClick);

    QTest::mouseMove(&top, QPoint(150, 100));
    QTest::mouseMove(&top, QPoint(40, 30)); // over the label
    QCOMPARE(out.count(), 0);
    QTest::mouseMove(&top, QPoint(200, 100));
    QTest::mouseMove(&top, QPoint(250, 110));
    QCOMPARE(out.count(), 1);
    QCOMPARE(out.at(0).at(0).value<TmyLabel3d *>(), label);

    // Held button: the label keeps the moves and still reports the leaving once.
    QTest::mouseMove(&top, QPoint(40, 30));
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseMove(label, QPoint(80, 30)); // one past the last pixel: still inside
    QCOMPARE(out.count(), 1);
    QTest::mouseMove(label, QPoint(150, 60));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(150, 60));
    QTest::mouseMove(&top, QPoint(250, 110));
    QCOMPARE(out.count(), 2);
    QCOMPARE(clicks.count(), 0); // released outside: no click

    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicks.count(), 1);
    QTest::mouseClick(label, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(clicks.count(), 1);
}

void TestMyLabel3d::accessibleRoleAndName_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("accelerators");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<bool>("link");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<bool>("pressable");
    QTest::newRow("static text") << QStringLiteral("Čtení na tento den:") << true << false << false
                                 << QStringLiteral("Čtení na tento den:") << int(QAccessible::StaticText)
                                 << false;
    QTest::newRow("accelerator marks are not read")
        << QStringLiteral("&Zavřít && jít") << true << true << false << QStringLiteral("Zavřít & jít")
        << int(QAccessible::Button) << true;
    QTest::newRow("ampersands drawn as they are")
        << QStringLiteral("A & B") << false << false << false << QStringLiteral("A & B")
        << int(QAccessible::StaticText) << false;
    QTest::newRow("link") << QStringLiteral("www.example.org/kerla") << true << true << true
                          << QStringLiteral("www.example.org/kerla") << int(QAccessible::Link) << true;
}

void TestMyLabel3d::accessibleRoleAndName() {
    QFETCH(QString, caption);
    QFETCH(bool, accelerators);
    QFETCH(bool, handled);
    QFETCH(bool, link);
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(bool, pressable);
    QWidget top;
    auto *label = new TmyLabel3d(caption, &top);
    label->setShowAccelChar(accelerators);
    label->setIsLink(link);
    if (handled)
        connect(label, &TmyLabel3d::OnClick, &top, [] {});
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(label);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->state().linked, link);
    QAccessibleActionInterface *actions = iface->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()), pressable);
}

void TestMyLabel3d::pressActionClicks() {
    QWidget top;
    auto *label = new TmyLabel3d(QStringLiteral("Zavřít"), &top);
    int clicks = 0;
    TmyLabel3d *sender = nullptr;
    connect(label, &TmyLabel3d::OnClick, &top, [&](TmyLabel3d *s) {
        ++clicks;
        sender = s;
    });
    QAccessibleActionInterface *actions = QAccessible::queryAccessibleInterface(label)->actionInterface();
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks, 1);
    QCOMPARE(sender, label);
    // Another action, or a disabled label, does nothing, as a click on it would not.
    actions->doAction(QAccessibleActionInterface::toggleAction());
    label->setEnabled(false);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks, 1);
}

void TestMyLabel3d::nameFollowsTheCaption() {
    // (The name-change event itself reaches only an active accessibility bridge; offscreen there
    // is none. The interface must still tell the new caption, not a cached one.)
    TmyLabel3d label(QStringLiteral("Odkaz"));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&label);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Odkaz"));
    label.setCaption(QStringLiteral("1j 4,7-21"));
    QCOMPARE(QAccessible::queryAccessibleInterface(&label), iface);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("1j 4,7-21"));
}

void TestMyLabel3d::decorativePictureIsSkipped() {
    QWidget top;
    auto *picture = new QWidget(&top);
    picture->setAccessibleName(QStringLiteral("obrázek"));
    accessibility::markDecorative(picture);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(picture);
    QVERIFY(iface->state().invisible);
    QVERIFY(iface->text(QAccessible::Name).isEmpty());
    QVERIFY(!accessibility::isDecorative(&top));
}

void TestMyLabel3d::faceStaysReadable_data() {
    QTest::addColumn<int>("fontColor");
    QTest::addColumn<QColor>("backdrop");
    QTest::addColumn<QColor>("face");
    QTest::newRow("navy on paper stays") << colorvalue::Navy << QColor(Qt::white) << QColor(0, 0, 128);
    QTest::newRow("navy on a dark window") << colorvalue::Navy << QColor(40, 40, 40) << QColor(Qt::white);
    QTest::newRow("light text on paper") << 0xF0F0F0 << QColor(Qt::white) << QColor(Qt::black);
    QTest::newRow("yellow on a dark picture stays")
        << colorvalue::Yellow << QColor(30, 20, 10) << QColor(Qt::yellow);
}

void TestMyLabel3d::faceStaysReadable() {
    QFETCH(int, fontColor);
    QFETCH(QColor, backdrop);
    QFETCH(QColor, face);
    QWidget top;
    auto *label = new TmyLabel3d(QStringLiteral("Zavřít"), &top);
    label->setFontColor(fontColor);
    label->setBackdrop(backdrop);
    QCOMPARE(label->backdropColor(), backdrop);
    QCOMPARE(label->faceColor(), face);
    QCOMPARE(label->FontColor(), fontColor); // the stored colour stays
    // Without a backdrop of its own, the label is read against its parent's background.
    label->setBackdrop(QColor());
    QPalette palette = top.palette();
    palette.setColor(QPalette::Window, backdrop);
    top.setPalette(palette);
    QCOMPARE(label->backdropColor(), backdrop);
    QCOMPARE(label->faceColor(), face);
    // An opaque label is read against its own colour.
    label->setTransparent(false);
    label->setColor(colorvalue::Black);
    QVERIFY(contrast::contrastRatio(label->faceColor(), Qt::black) >= contrast::MinimumRatio);
}
