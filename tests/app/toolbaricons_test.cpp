// The toolbar's ready-made pictures are the drawn ones, pixel for pixel, at every density.
#include "art/toolbaricons.h"

#include <QTest>

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
        QCOMPARE(shown, drawn);
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
        QCOMPARE(icon.pixmap(QSize(32, 32), 2.0).toImage().convertToFormat(QImage::Format_RGB32),
                 toolbarart::draw(toolbarart::Picture::Reading1, 2.0).convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(ToolbarIconsTest)
#include "toolbaricons_test.moc"
