#include "platform/colorvalue.h"
#include "platform/colorwords.h"
#include "platform/contrast.h"

#include <QImage>
#include <QtTest>

class ContrastTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ratio_data();
    void ratio();
    void readable_data();
    void readable();
    void averageColor();
    void words_data();
    void words();
};

void ContrastTest::ratio_data() {
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("expected");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("order does not matter") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    QTest::newRow("equal colours") << QColor(128, 10, 200) << QColor(128, 10, 200) << 1.0;
    // The dark theme's light text on the default white page.
    QTest::newRow("light grey on white") << QColor(240, 240, 240) << QColor(Qt::white) << 1.1370;
    QTest::newRow("middle grey on white") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.4776;
    QTest::newRow("navy on white") << QColor(0, 0, 128) << QColor(Qt::white) << 16.0;
    QTest::newRow("pure red on black") << QColor(Qt::red) << QColor(Qt::black) << 5.252;
}

void ContrastTest::ratio() {
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, expected);
    QVERIFY2(qAbs(contrast::contrastRatio(a, b) - expected) < 0.01,
             qPrintable(QString::number(contrast::contrastRatio(a, b))));
}

void ContrastTest::readable_data() {
    QTest::addColumn<int>("text");
    QTest::addColumn<int>("background");
    QTest::addColumn<QColor>("expected");
    // A readable choice stays, however odd.
    QTest::newRow("black on white stays") << colorvalue::Black << colorvalue::White << QColor(Qt::black);
    QTest::newRow("yellow on navy stays") << colorvalue::Yellow << colorvalue::Navy << QColor(Qt::yellow);
    QTest::newRow("maroon on white stays") << colorvalue::Maroon << colorvalue::White << QColor(128, 0, 0);
    // Unreadable pairs give black or white, whichever stands out more.
    QTest::newRow("light grey on white") << 0xF0F0F0 << colorvalue::White << QColor(Qt::black);
    QTest::newRow("white on white") << colorvalue::White << colorvalue::White << QColor(Qt::black);
    QTest::newRow("navy on black") << colorvalue::Navy << colorvalue::Black << QColor(Qt::white);
    QTest::newRow("just below the limit") << 0x777777 << colorvalue::White << QColor(Qt::black);
    QTest::newRow("just above the limit") << 0x767676 << colorvalue::White << QColor(0x76, 0x76, 0x76);
    // On a middle grey, black contrasts more than white.
    QTest::newRow("grey on grey") << 0x909090 << colorvalue::Gray << QColor(Qt::black);
}

void ContrastTest::readable() {
    QFETCH(int, text);
    QFETCH(int, background);
    QFETCH(QColor, expected);
    QCOMPARE(contrast::readableText(text, background), expected);
}

void ContrastTest::averageColor() {
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < 10; ++y)
        for (int x = 5; x < 10; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 0));
    QCOMPARE(contrast::averageColor(picture, QRect(0, 0, 5, 10)), QColor(Qt::white));
    QCOMPARE(contrast::averageColor(picture, QRect(0, 0, 10, 10)), QColor(127, 127, 127));
    // Clipped to the picture: only the black half lies inside.
    QCOMPARE(contrast::averageColor(picture, QRect(5, 5, 100, 100)), QColor(Qt::black));
    QVERIFY(!contrast::averageColor(picture, QRect(20, 20, 5, 5)).isValid());
    QVERIFY(!contrast::averageColor(QImage(), QRect(0, 0, 5, 5)).isValid());
}

void ContrastTest::words_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("white") << colorvalue::White << QStringLiteral("bílá");
    QTest::newRow("black") << colorvalue::Black << QStringLiteral("černá");
    QTest::newRow("navy") << colorvalue::Navy << QStringLiteral("tmavě modrá");
    QTest::newRow("maroon") << colorvalue::Maroon << QStringLiteral("tmavě červená");
    QTest::newRow("yellow") << colorvalue::Yellow << QStringLiteral("žlutá");
    QTest::newRow("near red") << 0x1010F0
                              << QStringLiteral("přibližně červená (červená 240, zelená 16, modrá 16)");
    QTest::newRow("window") << colorvalue::clWindow << QStringLiteral("barva okna");
    QTest::newRow("window text") << colorvalue::clWindowText << QStringLiteral("barva textu okna");
    QTest::newRow("tooltip") << colorvalue::clInfoBk << QStringLiteral("barva podkladu nápovědy");
    QTest::newRow("other system") << static_cast<int>(0xFF000002u) << QStringLiteral("systémová barva");
}

void ContrastTest::words() {
    QFETCH(int, value);
    QFETCH(QString, expected);
    QCOMPARE(colorwords::describe(value), expected);
}

QTEST_GUILESS_MAIN(ContrastTest)
#include "contrast_test.moc"
