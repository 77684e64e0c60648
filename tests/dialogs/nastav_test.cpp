#include "controls/mylabel3d.h"
#include "dialogs/fontchoice.h"
#include "dialogs/screensaver.h"
#include "dialogs/settingsdialog.h"
#include "dialogs/translationnote.h"
#include "fakes.h"
#include "pages/appcontext.h"
#include "platform/colorvalue.h"
#include "platform/contrast.h"
#include "readings/readingwindow.h"
#include "recordingsink.h"
#include "testenv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

// Answers the font and colour dialogs at once, as a test tells it.
class ScriptedChooser : public FontColorChooser {
public:
    struct FontCall {
        QString caption;
        bool styleEditable;
        FontChoice start;
    };
    QList<FontCall> fontCalls;
    QList<int> colorStarts;
    std::optional<FontChoice> fontAnswer; // none: the user cancels
    std::optional<int> colorAnswer;

    bool chooseFont(QWidget *, const QString &caption, bool styleEditable, FontChoice &choice) override {
        fontCalls.append({caption, styleEditable, choice});
        if (!fontAnswer)
            return false;
        choice = *fontAnswer;
        return true;
    }
    bool chooseColor(QWidget *, int &colorValue) override {
        colorStarts.append(colorValue);
        if (!colorAnswer)
            return false;
        colorValue = *colorAnswer;
        return true;
    }
};

const QString ClosingMessage = QStringLiteral("Vaše nastavení bude aktivní od příštího spuštění Kerel DR.");
const QString MainWarning =
    QStringLiteral("HLAVNÍ OKNO: Máte nastavenu stejnou barvu podkladu i písma. Takhle nebudete nic vidět.");
const QString ReadingWarning =
    QStringLiteral("OKNO ČTENÍ: Máte nastavenu stejnou barvu podkladu i písma. Takhle nebudete nic vidět.");

struct Fixture {
    TempUserData user;
    QTemporaryDir program;
    RecordingMessageSink sink;
    AppContext state;
    FakeDayView view;
    ScriptedChooser chooser;
    SettingsFile settingsFile; // the reading window alone reads Kerla.ini into it
    std::unique_ptr<TBible> bible;
    std::unique_ptr<TNastav> dialog;

    Fixture() {
        state.ProgramDir = program.path() + QLatin1Char('/');
        state.UserDataDir = user.path();
        state.messages = &sink;
        bible = std::make_unique<TBible>(state, settingsFile);
        QFont reading(QStringLiteral("Arial"), 9);
        reading.setItalic(true);
        bible->setReadingFont(reading, colorvalue::Maroon);
        makeDialog();
    }
    void makeDialog() {
        dialog = std::make_unique<TNastav>(state, view, *bible);
        dialog->setChooser(&chooser);
    }
    void open() { dialog->show(); }
    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
};

QFont fontOf(const QString &family, int size, bool bold = false, bool italic = false) {
    QFont f(family, size);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

} // namespace

class NastavTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void packsDosDateTime_data();
    void packsDosDateTime();
    void translationNote_data();
    void translationNote();
    void opensFilledFromLiveWindows();
    void defaultsThenOkApplyEverything();
    void sameColoursWarnAndKeepChoices_data();
    void sameColoursWarnAndKeepChoices();
    void systemColourDiffersFromItsRgb();
    void stornoAndEscApplyNothing_data();
    void stornoAndEscApplyNothing();
    void enterDoesNotPressOk_data();
    void enterDoesNotPressOk();
    void fontAndColourRows();
    void tabOrder();
    void fontDialogKeepsWhatItDoesNotOffer();
    void screenSaverSettingsFromPath();
};

void NastavTest::packsDosDateTime_data() {
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<qint64>("packed");
    QTest::newRow("1999-03-25 16:38:40")
        << QDateTime(QDate(1999, 3, 25), QTime(16, 38, 40)) << qint64(0x267984D4);
    QTest::newRow("odd second rounds down")
        << QDateTime(QDate(1999, 3, 25), QTime(16, 38, 41)) << qint64(0x267984D4);
    QTest::newRow("2000-02-19 18:40:16")
        << QDateTime(QDate(2000, 2, 19), QTime(18, 40, 16)) << qint64(0x28539508);
    QTest::newRow("first day of the form") << QDateTime(QDate(1980, 1, 1), QTime(0, 0)) << qint64(0x00210000);
    QTest::newRow("high bit set") << QDateTime(QDate(2107, 12, 31), QTime(23, 59, 58))
                                  << qint64(qint32(0xFF9FBF7Du));
    QTest::newRow("before 1980") << QDateTime(QDate(1979, 12, 31), QTime(23, 59, 59)) << qint64(-1);
    QTest::newRow("after 2107") << QDateTime(QDate(2108, 1, 1), QTime(0, 0)) << qint64(-1);
    QTest::newRow("invalid") << QDateTime() << qint64(-1);
}

void NastavTest::packsDosDateTime() {
    QFETCH(QDateTime, time);
    QFETCH(qint64, packed);
    QCOMPARE(qint64(translationnote::packDosDateTime(time)), packed);
}

void NastavTest::translationNote_data() {
    QTest::addColumn<QString>("kind"); // "file", "folder" or "none"
    QTest::addColumn<QDateTime>("modified");
    QTest::addColumn<QString>("note");
    const QString dots = QStringLiteral("........");
    QTest::newRow("Kralice") << "file" << QDateTime(QDate(1999, 3, 25), QTime(16, 38, 40))
                             << QStringLiteral("Pro denní čtení je použito kralického překladu z roku 1613.");
    QTest::newRow("ecumenical") << "file" << QDateTime(QDate(2000, 2, 19), QTime(18, 40, 16))
                                << QStringLiteral(
                                       "Pro denní čtení je použito překladu ekumenického (SZ) a KMS (NZ).");
    QTest::newRow("two seconds later") << "file" << QDateTime(QDate(2000, 2, 19), QTime(18, 40, 18)) << dots;
    QTest::newRow("another day") << "file" << QDateTime(QDate(2024, 6, 1), QTime(12, 0)) << dots;
    QTest::newRow("missing") << "none" << QDateTime() << dots;
    QTest::newRow("a folder of that name")
        << "folder" << QDateTime(QDate(1999, 3, 25), QTime(16, 38, 40)) << dots;
}

void NastavTest::translationNote() {
    QFETCH(QString, kind);
    QFETCH(QDateTime, modified);
    QFETCH(QString, note);
    Fixture f;
    const QString path = f.state.ProgramDir + QStringLiteral("Data/1j");
    if (kind == QLatin1String("file")) {
        QVERIFY(writeBytes(path, "$1,1 Made-up text.\r\n"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(translationnote::fileDosDateTime(path), translationnote::packDosDateTime(modified));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
        QCOMPARE(translationnote::fileDosDateTime(path), translationnote::NoFile);
    } else {
        QCOMPARE(translationnote::fileDosDateTime(path), translationnote::NoFile);
    }
    f.makeDialog();
    QCOMPARE(childOf<QLabel>(*f.dialog, "Label6")->text(), note);
}

void NastavTest::opensFilledFromLiveWindows() {
    Fixture f;
    f.view.font = fontOf(QStringLiteral("Liberation Serif"), 11, true);
    f.view.clock = true;
    f.bible->setClassicReadingWindow(true);
    f.open();
    QCOMPARE(childOf<QPushButton>(*f.dialog, "Button1")->text(), QStringLiteral("Liberation Serif"));
    QCOMPARE(childOf<QPushButton>(*f.dialog, "Button2")->text(), QStringLiteral("Arial"));
    QCOMPARE(f.dialog->label3Color(), colorvalue::Navy);
    QCOMPARE(f.dialog->label4Color(), colorvalue::Yellow);
    QCOMPARE(f.dialog->ColorDialog1(), colorvalue::Yellow);
    QVERIFY(childOf<QCheckBox>(*f.dialog, "CheckBox1")->isChecked());
    QVERIFY(childOf<QCheckBox>(*f.dialog, "CheckBox2")->isChecked());
    QCOMPARE(f.dialog->FontDlg().font, f.view.font);
    QCOMPARE(f.dialog->FontDlg2().color, colorvalue::Maroon);
    QVERIFY(f.dialog->FontDlg2().font.italic());

    // The next opening shows what is live then, not what was pending before.
    f.click(childOf<QPushButton>(*f.dialog, "Button3"));
    f.click(childOf<QPushButton>(*f.dialog, "Button6"));
    f.view.font = fontOf(QStringLiteral("Liberation Mono"), 9);
    f.view.clock = false;
    f.open();
    QCOMPARE(childOf<QPushButton>(*f.dialog, "Button1")->text(), QStringLiteral("Liberation Mono"));
    QCOMPARE(childOf<QPushButton>(*f.dialog, "Button2")->text(), QStringLiteral("Arial"));
    QCOMPARE(f.dialog->label4Color(), colorvalue::Yellow);
    QVERIFY(!childOf<QCheckBox>(*f.dialog, "CheckBox1")->isChecked());
}

void NastavTest::defaultsThenOkApplyEverything() {
    Fixture f;
    f.view.font = fontOf(QStringLiteral("Arial"), 12, true, true);
    f.bible->setClassicReadingWindow(false);
    f.open();
    childOf<QCheckBox>(*f.dialog, "CheckBox2")->setChecked(true);
    f.click(childOf<QPushButton>(*f.dialog, "Button3"));
    QCOMPARE(childOf<QPushButton>(*f.dialog, "Button1")->text(), QStringLiteral("Tahoma"));
    QCOMPARE(childOf<QPushButton>(*f.dialog, "Button2")->text(), QStringLiteral("Tahoma"));
    QVERIFY(f.sink.all.isEmpty());
    QCOMPARE(f.view.refreshes, 0); // nothing applied before OK

    f.click(childOf<QPushButton>(*f.dialog, "Button4"));
    QCOMPARE(f.sink.all, QStringList{ClosingMessage});
    QCOMPARE(f.view.refreshes, 1);
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.dialog->result(), int(QDialog::Accepted));

    // The main text: Tahoma 10 black on white; its style stays as it was.
    QCOMPARE(f.view.font.family(), QStringLiteral("Tahoma"));
    QCOMPARE(f.view.font.pointSize(), 10);
    QVERIFY(f.view.font.bold());
    QVERIFY(f.view.font.italic());
    QCOMPARE(f.view.fontColor, colorvalue::Black);
    QCOMPARE(f.view.background, colorvalue::White);
    QVERIFY(f.view.clock);
    // The reading text: Tahoma 8 black, regular, and the labels in Tahoma.
    const QFont reading = f.bible->readingFont();
    QCOMPARE(reading.family(), QStringLiteral("Tahoma"));
    QCOMPARE(reading.pointSize(), 8);
    QVERIFY(!reading.bold() && !reading.italic() && !reading.underline() && !reading.strikeOut());
    QCOMPARE(f.bible->readingFontColor(), colorvalue::Black);
    for (const TmyLabel3d *label :
         {childOf<TmyLabel3d>(*f.bible, "Label3d1"), childOf<TmyLabel3d>(*f.bible, "Odkaz"),
          childOf<TmyLabel3d>(*f.bible, "Label3d")})
        QCOMPARE(label->font().family(), QStringLiteral("Tahoma"));
    QVERIFY(f.bible->classicReadingWindow());
}

void NastavTest::sameColoursWarnAndKeepChoices_data() {
    QTest::addColumn<int>("background");
    QTest::addColumn<int>("mainText");
    QTest::addColumn<int>("readingText");
    QTest::addColumn<QString>("warning");
    // The reading window's text area is white.
    QTest::newRow("main equal") << colorvalue::White << colorvalue::White << colorvalue::Black << MainWarning;
    QTest::newRow("reading equal") << colorvalue::White << colorvalue::Black << colorvalue::White
                                   << ReadingWarning;
    QTest::newRow("both equal") << colorvalue::Navy << colorvalue::Navy << colorvalue::White << MainWarning;
}

void NastavTest::sameColoursWarnAndKeepChoices() {
    QFETCH(int, background);
    QFETCH(int, mainText);
    QFETCH(int, readingText);
    QFETCH(QString, warning);
    Fixture f;
    const FakeDayView before = f.view;
    f.open();
    f.chooser.colorAnswer = background;
    f.click(childOf<ClickLabel>(*f.dialog, "Label4"));
    f.chooser.fontAnswer = FontChoice{fontOf(QStringLiteral("Liberation Serif"), 14), mainText};
    f.click(childOf<QPushButton>(*f.dialog, "Button1"));
    f.chooser.fontAnswer = FontChoice{fontOf(QStringLiteral("Liberation Mono"), 10), readingText};
    f.click(childOf<QPushButton>(*f.dialog, "Button2"));

    f.click(childOf<QPushButton>(*f.dialog, "Button4"));
    QCOMPARE(f.sink.all, QStringList{warning});
    QVERIFY(f.dialog->isVisible());
    // Nothing applied.
    QCOMPARE(f.view.refreshes, 0);
    QCOMPARE(f.view.font, before.font);
    QCOMPARE(f.view.background, before.background);
    QCOMPARE(f.bible->readingFont().family(), QStringLiteral("Arial"));
    // The choices are still there, and the warning did not refill the dialog.
    QCOMPARE(childOf<QPushButton>(*f.dialog, "Button1")->text(), QStringLiteral("Liberation Serif"));
    QCOMPARE(childOf<QPushButton>(*f.dialog, "Button2")->text(), QStringLiteral("Liberation Mono"));
    QCOMPARE(f.dialog->label4Color(), background);
    QCOMPARE(f.dialog->label3Color(), mainText);
    QCOMPARE(f.dialog->FontDlg2().color, readingText);
}

void NastavTest::systemColourDiffersFromItsRgb() {
    Fixture f;
    QPalette palette = QGuiApplication::palette();
    palette.setColor(QPalette::Text, Qt::white);
    QGuiApplication::setPalette(palette);
    // The system window-text colour shows white here, but as a value it is not white.
    QCOMPARE(colorvalue::toQColor(colorvalue::clWindowText), QColor(Qt::white));
    f.view.fontColor = colorvalue::clWindowText;
    f.view.background = colorvalue::White;
    f.bible->setReadingFont(f.bible->readingFont(), colorvalue::clWindowText);
    f.open();
    f.click(childOf<QPushButton>(*f.dialog, "Button4"));
    QGuiApplication::setPalette(QPalette());
    QCOMPARE(f.sink.all, QStringList{ClosingMessage});
    QCOMPARE(f.view.fontColor, colorvalue::clWindowText);
    QCOMPARE(f.bible->readingFontColor(), colorvalue::clWindowText);
}

void NastavTest::stornoAndEscApplyNothing_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Storno") << false;
    QTest::newRow("Esc") << true;
}

void NastavTest::stornoAndEscApplyNothing() {
    QFETCH(bool, escape);
    Fixture f;
    const FakeDayView before = f.view;
    const QFont readingBefore = f.bible->readingFont();
    f.open();
    f.chooser.colorAnswer = colorvalue::Gray;
    f.click(childOf<ClickLabel>(*f.dialog, "Label3"));
    f.click(childOf<QPushButton>(*f.dialog, "Button3"));
    childOf<QCheckBox>(*f.dialog, "CheckBox2")->setChecked(true);
    if (escape) {
        childOf<QPushButton>(*f.dialog, "Button1")->setFocus();
        QTest::keyClick(f.dialog.get(), Qt::Key_Escape);
    } else {
        f.click(childOf<QPushButton>(*f.dialog, "Button6"));
    }
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.dialog->result(), int(QDialog::Rejected));
    QVERIFY(f.sink.all.isEmpty());
    QCOMPARE(f.view.refreshes, 0);
    QCOMPARE(f.view.font, before.font);
    QCOMPARE(f.view.fontColor, before.fontColor);
    QCOMPARE(f.view.background, before.background);
    QCOMPARE(f.view.clock, before.clock);
    QCOMPARE(f.bible->readingFont(), readingBefore);
    QCOMPARE(f.bible->readingFontColor(), colorvalue::Maroon);
    QVERIFY(!f.bible->classicReadingWindow());
    f.open();
    QCOMPARE(childOf<QPushButton>(*f.dialog, "Button1")->text(), QStringLiteral("Arial"));
    QCOMPARE(f.dialog->label4Color(), colorvalue::Yellow);
}

void NastavTest::enterDoesNotPressOk_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    for (const char *name : {"CheckBox1", "CheckBox2", "Button1", "Button3", "Button4"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 Return").arg(QLatin1String(name))))
            << QString::fromLatin1(name) << int(Qt::Key_Return);
        QTest::newRow(qPrintable(QStringLiteral("%1 Enter").arg(QLatin1String(name))))
            << QString::fromLatin1(name) << int(Qt::Key_Enter);
    }
}

void NastavTest::enterDoesNotPressOk() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    Fixture f;
    f.open();
    f.dialog->activateWindow();
    auto *target = f.dialog->findChild<QWidget *>(focus);
    QVERIFY(target);
    target->setFocus();
    const bool classicBefore = childOf<QCheckBox>(*f.dialog, "CheckBox2")->isChecked();
    QTest::keyClick(target, Qt::Key(key));
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(f.view.refreshes, 0);
    QVERIFY(f.sink.all.isEmpty());
    QVERIFY(f.chooser.fontCalls.isEmpty());
    QCOMPARE(childOf<QCheckBox>(*f.dialog, "CheckBox2")->isChecked(), classicBefore);
    for (auto *b : f.dialog->findChildren<QPushButton *>())
        QVERIFY2(!b->isDefault(), qPrintable(b->objectName()));
}

void NastavTest::fontAndColourRows() {
    Fixture f;
    f.open();
    // Cancelled dialogs change nothing.
    f.click(childOf<QPushButton>(*f.dialog, "Button1"));
    f.click(childOf<QPushButton>(*f.dialog, "Button2"));
    f.click(childOf<ClickLabel>(*f.dialog, "Label4"));
    QCOMPARE(childOf<QPushButton>(*f.dialog, "Button1")->text(), QStringLiteral("Arial"));
    QCOMPARE(f.dialog->label3Color(), colorvalue::Navy);
    QCOMPARE(f.dialog->label4Color(), colorvalue::Yellow);

    // The main row locks the style; the reading row does not. Both start from the pending font.
    QCOMPARE(f.chooser.fontCalls.size(), 2);
    QCOMPARE(f.chooser.fontCalls[0].caption, QStringLiteral("Zvolte písmo hlavního okna"));
    QVERIFY(!f.chooser.fontCalls[0].styleEditable);
    QCOMPARE(f.chooser.fontCalls[0].start.font, f.view.font);
    QCOMPARE(f.chooser.fontCalls[1].caption, QStringLiteral("Zvolte písmo okna čtení"));
    QVERIFY(f.chooser.fontCalls[1].styleEditable);
    QCOMPARE(f.chooser.fontCalls[1].start.color, colorvalue::Maroon);

    // A confirmed main font shows its face and its colour on the sample.
    f.chooser.fontAnswer = FontChoice{fontOf(QStringLiteral("Liberation Sans"), 16), colorvalue::Gray};
    f.click(childOf<QPushButton>(*f.dialog, "Button1"));
    QCOMPARE(childOf<QPushButton>(*f.dialog, "Button1")->text(), QStringLiteral("Liberation Sans"));
    QCOMPARE(f.dialog->label3Color(), colorvalue::Gray);
    // The sample shows it as the page will: grey reads poorly on the yellow swatch, so black.
    QCOMPARE(childOf<ClickLabel>(*f.dialog, "Label3")->palette().color(QPalette::WindowText),
             contrast::readableText(colorvalue::Gray, colorvalue::Yellow));
    QCOMPARE(childOf<ClickLabel>(*f.dialog, "Label3")->palette().color(QPalette::WindowText),
             QColor(Qt::black));

    // The colour dialog starts from its own last colour; the sample's click opens it too.
    f.chooser.colorAnswer = colorvalue::Navy;
    f.click(childOf<ClickLabel>(*f.dialog, "Label3"));
    f.chooser.colorAnswer.reset();
    f.click(childOf<ClickLabel>(*f.dialog, "Label4"));
    QCOMPARE(f.chooser.colorStarts, (QList<int>{colorvalue::Yellow, colorvalue::Yellow, colorvalue::Navy}));
    QCOMPARE(f.dialog->label4Color(), colorvalue::Navy);
    QCOMPARE(childOf<ClickLabel>(*f.dialog, "Label4")->palette().color(QPalette::Window),
             colorvalue::toQColor(colorvalue::Navy));

    // Defaults do not touch the colour dialog's own colour.
    f.click(childOf<QPushButton>(*f.dialog, "Button3"));
    QCOMPARE(f.dialog->ColorDialog1(), colorvalue::Navy);
    QCOMPARE(f.dialog->label4Color(), colorvalue::White);
}

void NastavTest::tabOrder() {
    Fixture f;
    f.open();
    f.dialog->activateWindow();
    QApplication::setActiveWindow(f.dialog.get());
    childOf<QPushButton>(*f.dialog, "Button1")->setFocus();
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(order, (QStringList{"Button1", "Button2", "CheckBox1", "Button5", "Button3", "Button4",
                                 "Button6", "CheckBox2", "Button1"}));
}

void NastavTest::fontDialogKeepsWhatItDoesNotOffer() {
    QFont start(QStringLiteral("No Such Face Here"), 11);
    start.setBold(true);
    start.setUnderline(true);
    start.setStrikeOut(true);
    {
        // Main text: face, size and colour only.
        FontChoiceDialog dialog({start, colorvalue::Navy}, false);
        QVERIFY(!dialog.styleList()->isEnabled());
        dialog.sizeBox()->setCurrentText(QStringLiteral("14"));
        const FontChoice c = dialog.choice();
        QCOMPARE(c.font.family(), QStringLiteral("No Such Face Here")); // untouched face stays
        QCOMPARE(c.font.pointSize(), 14);
        QVERIFY(c.font.bold() && c.font.underline() && c.font.strikeOut());
        QCOMPARE(c.color, colorvalue::Navy);
    }
    {
        // Reading text: the style too, but still no underline or strike-out.
        FontChoiceDialog dialog({start, colorvalue::Navy}, true);
        QVERIFY(dialog.styleList()->isEnabled());
        QCOMPARE(dialog.styleList()->currentRow(), 2); // bold
        dialog.styleList()->setCurrentRow(1);          // italic
        const int other = dialog.faceBox()->currentIndex() == 0 ? 1 : 0;
        dialog.faceBox()->setCurrentIndex(other);
        dialog.setColorValue(colorvalue::Maroon);
        const FontChoice c = dialog.choice();
        QCOMPARE(c.font.family(), dialog.faceBox()->itemText(other));
        QVERIFY(c.font.italic() && !c.font.bold());
        QVERIFY(c.font.underline() && c.font.strikeOut());
        QCOMPARE(c.color, colorvalue::Maroon);
        // Only faces from the list can be chosen.
        QVERIFY(!dialog.faceBox()->isEditable());
        QVERIFY(dialog.faceBox()->fontFilters() & QFontComboBox::ScalableFonts);
    }
}

void NastavTest::screenSaverSettingsFromPath() {
#ifdef Q_OS_WIN
    QSKIP("on Windows the screen saver's settings are the control panel's (windows_test)");
#endif
    const QByteArray oldPath = qgetenv("PATH");
    QTemporaryDir bin;
    const QString marker = bin.filePath(QStringLiteral("started"));
    qputenv("PATH", bin.path().toLocal8Bit());
    QCOMPARE(screensaver::settingsCommand().program, QString());
    QVERIFY(!screensaver::startSettings());

    // The button reports nothing when there is no settings program.
    Fixture f;
    f.open();
    f.click(childOf<QPushButton>(*f.dialog, "Button5"));
    QVERIFY(f.sink.all.isEmpty());

    // The first known program found on PATH is started, with its arguments.
    const QString script = bin.filePath(QStringLiteral("cinnamon-settings"));
    QVERIFY(writeBytes(script, "#!/bin/sh\necho \"$@\" > '" + marker.toLocal8Bit() + "'\n"));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const screensaver::Command command = screensaver::settingsCommand();
    QCOMPARE(command.program, script);
    QCOMPARE(command.arguments, QStringList{QStringLiteral("screensaver")});
    f.click(childOf<QPushButton>(*f.dialog, "Button5"));
    QTRY_VERIFY(QFile::exists(marker) && readBytes(marker) == "screensaver\n");
    QVERIFY(f.sink.all.isEmpty());
    qputenv("PATH", oldPath);
}

QTEST_MAIN(NastavTest)
#include "nastav_test.moc"
