#include "controls/mylabel3d.h"
#include "dialogs/aboutwindow.h"
#include "dialogs/documentviewer.h"
#include "dialogs/fontchoice.h"
#include "dialogs/printsupport.h"
#include "dialogs/settingsdialog.h"
#include "fakes.h"
#include "pages/appcontext.h"
#include "readings/readingwindow.h"
#include "recordingsink.h"
#include "testenv.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

namespace {

// Shows the viewer without a modal loop, so that the test can take its picture.
class ShownViewer : public TForm2 {
public:
    void showModal() override { show(); }
};

// Saves a picture of the window beside the test program.
void save(QWidget &window, const QString &name) {
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(100);
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
    QVERIFY2(window.grab().save(path), qPrintable(path));
    qInfo("saved %s", qPrintable(path));
}

QRect inWindow(const QWidget *w, const QWidget &window, QSize size) {
    return QRect(w->mapTo(&window, QPoint()), size);
}

// Where a control's text is drawn, in window coordinates.
QRect textArea(const QWidget *w, const QWidget &window) {
    if (const auto *label = qobject_cast<const QLabel *>(w); label && label->wordWrap())
        return inWindow(w, window, QSize(w->width(), label->heightForWidth(w->width())));
    if (qobject_cast<const QLabel *>(w))
        return inWindow(w, window, w->sizeHint());
    if (qobject_cast<const QCheckBox *>(w))
        return inWindow(w, window, QSize(w->sizeHint().width(), w->height()));
    return inWindow(w, window, w->size());
}

// No text runs into another control (a label drawn on purpose over another is named in `onTop`).
void noOverlaps(QWidget &window, const QList<QPair<QWidget *, QWidget *>> &onTop = {}) {
    QList<QWidget *> controls;
    for (QWidget *w : window.findChildren<QWidget *>()) {
        if (w->isVisible() && !w->findChildren<QWidget *>().size() && !qobject_cast<QGroupBox *>(w) &&
            w->objectName() != QLatin1String("Image1") && !w->objectName().isEmpty())
            controls.append(w);
    }
    for (QWidget *a : controls) {
        for (QWidget *b : controls) {
            if (a == b || onTop.contains({a, b}) || onTop.contains({b, a}))
                continue;
            QVERIFY2(!textArea(a, window).intersects(textArea(b, window)),
                     qPrintable(a->objectName() + QLatin1String(" / ") + b->objectName()));
        }
    }
}

// Every caption is drawn whole: no text control is narrower than its text.
void captionsFit(QWidget &window) {
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        if (label->text().isEmpty() || label->wordWrap())
            continue;
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
        QVERIFY2(window.rect().contains(
                     label->geometry().translated(label->parentWidget()->mapTo(&window, QPoint()))),
                 qPrintable(label->objectName()));
    }
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
        QVERIFY2(button->width() > textWidth, qPrintable(button->objectName()));
    }
    for (const TmyLabel3d *label : window.findChildren<TmyLabel3d *>()) {
        QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->Caption()),
                 qPrintable(label->objectName()));
        QVERIFY2(window.rect().contains(label->geometry()), qPrintable(label->objectName()));
    }
}

// Saves the whole text of the viewer, as far as it runs, beside the test program.
void saveWholeText(const TForm2 &viewer, const QString &name) {
    std::unique_ptr<QTextDocument> doc(childOf<QTextEdit>(viewer, "RichEdit1")->document()->clone());
    doc->setTextWidth(childOf<QTextEdit>(viewer, "RichEdit1")->viewport()->width());
    QImage image(doc->size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    doc->drawContents(&painter);
    painter.end();
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
    QVERIFY2(image.save(path), qPrintable(path));
}

} // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsDialog();
    void fontDialog();
    void documentViewer();
    void aboutWindow();
};

void ScreenshotTest::settingsDialog() {
    TempUserData user;
    RecordingMessageSink sink;
    AppContext state;
    state.messages = &sink;
    state.UserDataDir = user.path();
    state.ProgramDir = QStringLiteral(KERLA_BIN_DIR "/");
    FakeDayView view;
    view.font = QFont(QStringLiteral("Tahoma"), 10);
    view.fontColor = colorvalue::Black;
    view.background = colorvalue::White;
    view.clock = true;
    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(state, settingsFile);
    TNastav dialog(state, view, bible);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Nastavení programu"));
    QCOMPARE(dialog.size(), QSize(345, 290));
    const QStringList captions{
        childOf<QGroupBox>(dialog, "GroupBox1")->title(), childOf<QLabel>(dialog, "Label1")->text(),
        childOf<QLabel>(dialog, "Label5")->text(),        childOf<QGroupBox>(dialog, "GroupBox2")->title(),
        childOf<QLabel>(dialog, "Label2")->text(),        childOf<ClickLabel>(dialog, "Label3")->text(),
        childOf<QCheckBox>(dialog, "CheckBox1")->text(),  childOf<QCheckBox>(dialog, "CheckBox2")->text(),
        childOf<QPushButton>(dialog, "Button5")->text(),  childOf<QPushButton>(dialog, "Button3")->text(),
        childOf<QPushButton>(dialog, "Button4")->text(),  childOf<QPushButton>(dialog, "Button6")->text()};
    QCOMPARE(captions, (QStringList{"Nastavení písma", "Hlavní okno:", "Okno čtení:", "Různé",
                                    "Barva podkladu:", "Kerla Dorny", "Zobrazit hodiny v hlavním okně",
                                    "Zobrazovat klasické okno denního čtení", "Šetřič", "Původní nastavení",
                                    "OK", "Storno"}));
    QCOMPARE(childOf<QPushButton>(dialog, "Button1")->text(), QStringLiteral("Tahoma"));
    // The sample set's book files are the Kralice text, dated as such.
    QCOMPARE(childOf<QLabel>(dialog, "Label6")->text(),
             QStringLiteral("Pro denní čtení je použito kralického překladu z roku 1613."));
    // The sample text lies on the swatch.
    QVERIFY(childOf<ClickLabel>(dialog, "Label4")
                ->geometry()
                .contains(childOf<ClickLabel>(dialog, "Label3")->geometry()));
    captionsFit(dialog);
    // The two lower buttons share their border pixel.
    noOverlaps(dialog, {{childOf<ClickLabel>(dialog, "Label3"), childOf<ClickLabel>(dialog, "Label4")},
                        {childOf<QPushButton>(dialog, "Button5"), childOf<QPushButton>(dialog, "Button3")}});
    save(dialog, QStringLiteral("settings.png"));
}

void ScreenshotTest::fontDialog() {
    QFont start(QStringLiteral("Liberation Serif"), 12);
    start.setBold(true);
    FontChoiceDialog dialog({start, colorvalue::Maroon}, false);
    dialog.setWindowTitle(QStringLiteral("Zvolte písmo hlavního okna"));
    dialog.show();
    QCOMPARE(dialog.faceBox()->currentFont().family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(dialog.sizeBox()->currentText(), QStringLiteral("12"));
    QCOMPARE(dialog.styleList()->currentItem()->text(), QStringLiteral("Tučné"));
    save(dialog, QStringLiteral("font-dialog.png"));
}

void ScreenshotTest::documentViewer() {
    RecordingMessageSink sink;
    AppContext state;
    state.messages = &sink;
    state.ProgramDir = QStringLiteral(KERLA_BIN_DIR "/");
    ShownViewer viewer;
    QVERIFY(documents::showDocument(state, viewer, documents::AboutWatchwords));
    QVERIFY(sink.all.isEmpty());
    QCOMPARE(viewer.windowTitle(), QStringLiteral("O Kerlach DR"));
    QCOMPARE(childOf<TmyLabel3d>(viewer, "myLabel3d1")->Caption(), QStringLiteral("O Kerlach Dorny"));
    QCOMPARE(childOf<QPushButton>(viewer, "Button1")->text(), QStringLiteral("Zavřít"));
    QCOMPARE(viewer.size(), QSize(377, 282));
    QVERIFY(!childOf<QTextEdit>(viewer, "RichEdit1")->toPlainText().isEmpty());
    captionsFit(viewer);
    noOverlaps(viewer);
    save(viewer, QStringLiteral("document-okerlach.png"));
    saveWholeText(viewer, QStringLiteral("document-okerlach-text.png"));

    QVERIFY(documents::showDocument(state, viewer, documents::PrintedEdition));
    save(viewer, QStringLiteral("document-distribuce.png"));
    saveWholeText(viewer, QStringLiteral("document-distribuce-text.png"));
}

void ScreenshotTest::aboutWindow() {
    RecordingMessageSink sink;
    AppContext state;
    state.messages = &sink;
    TAutor about(state, printsupport::linkedTable());
    about.show();
    QCOMPARE(about.windowTitle(), QStringLiteral("Autor programu"));
    QCOMPARE(childOf<TmyLabel3d>(about, "myLabel3d1")->Caption(), QStringLiteral("Kerla Dorny verze 2.36"));
    QCOMPARE(childOf<TmyLabel3d>(about, "myLabel3d2")->Caption(), QStringLiteral("freeware"));
    QCOMPARE(childOf<QLabel>(about, "Label5")->text(), QStringLiteral("Internetová adresa:"));
    QCOMPARE(childOf<QLabel>(about, "Label3")->text(), QStringLiteral("E-mailová adresa autora:"));
    QCOMPARE(childOf<TmyLabel3d>(about, "myLabel3d7")->Caption(), QStringLiteral("Zavřít"));
    QVERIFY(childOf<QLabel>(about, "Label2")
                ->text()
                .startsWith(QStringLiteral("Tato verze spatřila světlo světa: ")));
    QVERIFY(
        childOf<QLabel>(about, "Label8")->text().startsWith(QStringLiteral("Pokud mi zašlete informaci")));
    // The two paragraphs keep to their boxes.
    for (const QLabel *paragraph : {childOf<QLabel>(about, "Label1"), childOf<QLabel>(about, "Label8")})
        QVERIFY2(paragraph->heightForWidth(paragraph->width()) <= paragraph->height(),
                 qPrintable(paragraph->objectName()));
    captionsFit(about);
    noOverlaps(about);
    save(about, QStringLiteral("about.png"));
}

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
