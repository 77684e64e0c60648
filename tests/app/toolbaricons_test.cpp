// The toolbar's ready-made pictures are the drawn ones, pixel for pixel, at every density.
#include "art/toolbaricons.h"

#include <QTest>

namespace {

// The share of a picture, in per cent, that its text may take: the year's digits take up to 14 %
// of the year buttons' pixels. A stale or wrong picture differs in far more.
[[maybe_unused]] constexpr int kTextShare = 15;

// How many pixels of two pictures of one size differ.
[[maybe_unused]] int differingPixels(const QImage &a, const QImage &b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column)
            count += x.pixel(column, row) != y.pixel(column, row);
    return count;
}

// Whether a ready picture is the drawn one. On Windows the ready pictures come from the build
// machine, whose fonts draw the digits a little differently from Windows' own: there a picture
// may differ in the pixels of its text, a small part of it, and in no more.
void compareReady(const QImage &ready, const QImage &drawn) {
#ifdef Q_OS_WIN
    const int differing = differingPixels(ready, drawn);
    QVERIFY2(
        differing * 100 <= ready.width() * ready.height() * kTextShare,
        qPrintable(
            QStringLiteral("%1 of %2 pixels differ").arg(differing).arg(ready.width() * ready.height())));
#else
    QCOMPARE(ready.convertToFormat(QImage::Format_RGB32), drawn.convertToFormat(QImage::Format_RGB32));
#endif
}

} // namespace

class ToolbarIconsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readyPicturesAreTheDrawnOnes_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<qreal>("ratio");
        for (toolbarart::Picture picture : toolbarart::allPictures()) {
            for (qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
                const QByteArray name = QByteArray::number(int(picture)) + " at " + QByteArray::number(ratio);
                QTest::newRow(name.constData()) << int(picture) << ratio;
            }
        }
    }
    void readyPicturesAreTheDrawnOnes() {
        QFETCH(int, picture);
        QFETCH(qreal, ratio);
        const auto which = toolbarart::Picture(picture);
        const QImage shown = toolbarart::picture(which, ratio);
        const QImage drawn = toolbarart::draw(which, ratio);
        QCOMPARE(shown.size(), drawn.size());
        QCOMPARE(shown.devicePixelRatio(), drawn.devicePixelRatio());
        QCOMPARE(shown.format(), drawn.format());
        compareReady(shown, drawn);
    }

    void everyPictureIsReadyAtOneAndTwo() {
        // A picture missing from the build would be drawn at start again, unnoticed.
        for (toolbarart::Picture picture : toolbarart::allPictures()) {
            for (int ratio : {1, 2}) {
                int found = 0;
                for (int i = 0; i < toolbarart::readyPictureCount; ++i) {
                    const toolbarart::ReadyPicture &r = toolbarart::readyPictures[i];
                    found += r.picture == int(picture) && r.ratio == ratio;
                }
                QVERIFY2(found == 1,
                         qPrintable(QStringLiteral("picture %1 at %2").arg(int(picture)).arg(ratio)));
            }
        }
    }

    void iconIsSharpAtTheScreensDensity() {
        const QIcon icon = toolbarart::icon(toolbarart::Picture::Reading1, 2.0);
        QCOMPARE(icon.pixmap(QSize(32, 32), 1.0).size(), QSize(32, 32));
        QCOMPARE(icon.pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64));
        compareReady(icon.pixmap(QSize(32, 32), 2.0).toImage(),
                     toolbarart::draw(toolbarart::Picture::Reading1, 2.0));
    }
};

QTEST_MAIN(ToolbarIconsTest)
#include "toolbaricons_test.moc"
