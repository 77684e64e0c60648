// The day page laid out as the main window lays it out, in the faces that the set-up installs:
// no line's ink reaches the line above it, also where a reference begins with "Ž".
#include "import/pagedesign.h"
#include "pages/daypage.h"
#include "platform/cp1250.h"
#include "platform/designfonts.h"
#include "platform/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// One laid-out line: its box in the document, its baseline, and its letters with their fonts.
struct LaidLine {
    qreal top, bottom, baseline;
    QString text;
    QList<QFont> fonts; // one a letter
};

QList<LaidLine> layOut(const QByteArray &page, const QFont &font, qreal width) {
    QTextDocument doc;
    doc.setDefaultFont(font);
    rtf::load(&doc, page);
    // as the main window does: its face and size over the whole page, the page's bold and italics kept
    QTextCursor all(&doc);
    all.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setFontFamilies({font.family()});
    format.setFontPointSize(font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75);
    all.mergeCharFormat(format);
    doc.setTextWidth(width);
    doc.documentLayout()->documentSize(); // lays it out
    QList<LaidLine> lines;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        const QPointF at = layout->position();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            LaidLine laid{at.y() + line.y(),
                          at.y() + line.y() + line.height(),
                          at.y() + line.y() + line.ascent(),
                          {},
                          {}};
            for (int c = line.textStart(); c < line.textStart() + line.textLength(); ++c) {
                QTextCursor at(&doc);
                at.setPosition(block.position() + c);
                at.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
                laid.text += at.selectedText();
                laid.fonts.append(at.charFormat().font());
            }
            lines.append(laid);
        }
    }
    return lines;
}

} // namespace

class PageLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { designfonts::install(); }
    void linesNeverTouch_data();
    void linesNeverTouch();
    void charactersBeyondTheCodePageShow();
};

void PageLayoutTest::linesNeverTouch_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("width");
    for (const char *family : {"Tahoma", "DejaVu Sans", "Liberation Sans", "Liberation Serif"})
        for (int pixels : {13, 16, 24})
            for (int width : {300, 640})
                QTest::addRow("%s %d px, %d wide", family, pixels, width)
                    << QString::fromLatin1(family) << pixels << width;
}

// The ink of each letter stays below the ink of the line above: the caron of "Ž" and the accents
// of "Č", "Ř", "Š" clear the descenders of "j", "p", "ý" above them.
void PageLayoutTest::linesNeverTouch() {
    QFETCH(QString, family);
    QFETCH(int, pixels);
    QFETCH(int, width);
    QVERIFY2(QFontDatabase::families().contains(family, Qt::CaseInsensitive), qPrintable(family));
    QFont font(family);
    font.setPixelSize(pixels);
    // a page whose every line ends in descenders and whose references begin with "Ž"
    const QDate date(2026, 3, 15);
    pagedesign::DayText text{
        QStringLiteral("Jdi, pojď a zpívej, jakýpak typ chyb je tu zjevný, gypsový, jejž pýcha ty"),
        QStringLiteral("Žalm 119,154 F"), QStringLiteral("Ještě jeptiška zpytuje, ý ý ý jj pp gg"),
        QStringLiteral("Židům 13,8")};
    const QByteArray page = daypage::pageBytes(cp1250::fromUnicode(pagedesign::dayLine(date, text)));
    const QList<LaidLine> lines = layOut(page, font, width);
    QVERIFY(lines.size() >= 6);
    int withCaron = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const LaidLine &above = lines[i - 1], &here = lines[i];
        if (above.text.trimmed().isEmpty() || here.text.trimmed().isEmpty())
            continue;
        qreal inkBottom = above.baseline, inkTop = here.baseline;
        for (qsizetype c = 0; c < above.text.size(); ++c)
            inkBottom =
                std::max(inkBottom,
                         above.baseline +
                             QFontMetricsF(above.fonts[c]).tightBoundingRect(above.text.mid(c, 1)).bottom());
        for (qsizetype c = 0; c < here.text.size(); ++c)
            inkTop = std::min(inkTop,
                              here.baseline +
                                  QFontMetricsF(here.fonts[c]).tightBoundingRect(here.text.mid(c, 1)).top());
        withCaron += here.text.contains(u'Ž');
        QVERIFY2(here.top >= above.bottom - 0.01,
                 qPrintable(QStringLiteral("line %1 overlaps the line above").arg(i)));
        QVERIFY2(inkTop - inkBottom >= 1.0, qPrintable(QStringLiteral("„%1“ touches „%2“: %3 px apart")
                                                           .arg(here.text, above.text)
                                                           .arg(inkTop - inkBottom)));
    }
    QVERIFY(withCaron >= 2);
}

// What code page 1250 cannot hold goes in as "\\uN?" and the view shows it again.
void PageLayoutTest::charactersBeyondTheCodePageShow() {
    const QString text = QStringLiteral("ŭ → ő ∞ 🙂 Ž");
    const QString line = pagedesign::dayLine(QDate(2026, 1, 1), {text, QStringLiteral("Žalm 1,1"), text, {}});
    const QByteArray bytes = cp1250::fromUnicode(line);
    for (const char *escape : {"\\u365?", "\\u8594?", "\\u8734?", "\\u-10179?\\u-8638?"})
        QVERIFY2(bytes.contains(escape), escape);
    QVERIFY(bytes.contains("\xf5"));          // ő is in the code page
    QCOMPARE(cp1250::toUnicode(bytes), line); // nothing was lost on the way into code page 1250
    QTextDocument doc;
    rtf::load(&doc, daypage::pageBytes(bytes));
    QVERIFY2(doc.toPlainText().contains(text), qPrintable(doc.toPlainText()));
}

QTEST_MAIN(PageLayoutTest)
#include "pagelayout_test.moc"
