#include "app/mainform.h"
#include "app/objectnames.h"
#include "app/program.h"
#include "appfixture.h"
#include "controls/mylabel3d.h"
#include "dialogs/aboutwindow.h"
#include "dialogs/documentviewer.h"
#include "dialogs/printservice.h"
#include "dialogs/printsupport.h"
#include "dialogs/settingsdialog.h"
#include "pages/dates.h"
#include "pages/periodic.h"
#include "platform/profile.h"
#include "readings/readingwindow.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

const QDateTime kNow(QDate(2025, 12, 31), QTime(9, 30, 0));

QImage iconImage(QToolButton *button) {
    return button->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_RGB32);
}
QImage fileImage(const ProgramFolder &folder, const char *name) {
    return QImage(folder.path() + "grafika/" + name).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void opensOnTodaysPage();
    void keysMoveTheDate_data();
    void keysMoveTheDate();
    void keysActWhateverHasTheFocus_data();
    void keysActWhateverHasTheFocus();
    void homeMarksTheDayButton();
    void pickerChoiceRefreshesOnce();
    void menuKeysDoNothingUnderAModalDialog();
    void readingButtonsFollowTheIndex();
    void periodicViews_data();
    void periodicViews();
    void periodicViewsOutside2025ShowTheDayPage();
    void missingPictureStopsAtThatPicture();
    void oversizedPictureIsNotRead();
    void shortYearFileReportsTheIndex();
    void enterEndsOnceADayAndEscPlainly();
    void settingsRoundTrip();
    void settingsWithoutPoziceAndWithGarbage();
    void firstRunGeometry();
    void positionGuards_data();
    void positionGuards();
    void positionOnNoScreenMovesToThePrimary();
    void clickOnMainHidesTheReading();
    void readingCommands_data();
    void otherWindowsFromTheMenu();
    void unwritableSettingsStillEnd();
    void garbageDataNeverCrashes();
    void clockShowsTheTime();
    void popupsKeepTheirKeys();
    void keypadKeysMoveTheDate();
    void printsTheShownPage();
    void readingCommands();

private:
    void start(const QDateTime &now = kNow, const QString &argument = QString());
    TMainForm &main() { return m_program->mainForm(); }
    QDate shown() const { return m_program->mainForm().dayView().shownDate(); }
    // The main window's controls, by their names.
    template <class T> T *child(const char *name) {
        T *found = main().findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<TestState> m_test;
    std::unique_ptr<Program> m_program;
};

void MainFormTest::init() {
    m_folder = std::make_unique<ProgramFolder>();
    m_test = std::make_unique<TestState>(*m_folder, kNow);
}

void MainFormTest::cleanup() {
    m_program.reset();
    m_test.reset();
    m_folder.reset();
}

void MainFormTest::start(const QDateTime &now, const QString &argument) {
    m_test->state.clock.now = [now] { return now; };
    m_program = std::make_unique<Program>(m_test->state, argument, printsupport::linkedTable());
    m_program->show();
    main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main()));
}

void MainFormTest::opensOnTodaysPage() {
    start();
    QCOMPARE(shown(), QDate(2025, 12, 31));
    QVERIFY2(
        child<QTextEdit>(objectnames::TextWindow)->toPlainText().contains(QStringLiteral("Den 2025-371")),
        qPrintable(child<QTextEdit>(objectnames::TextWindow)->toPlainText()));
    QVERIFY(child<QTextEdit>(objectnames::TextWindow)->toPlainText().contains(QStringLiteral("Slovo české")));
    QCOMPARE(QGuiApplication::applicationDisplayName(),
             QStringLiteral("Kerla ") + shortDateText(QDate(2025, 12, 31)));
    QCOMPARE(main().windowTitle(), QStringLiteral("Kerla Dorny 2.36"));
    QCOMPARE(child<QDateEdit>(objectnames::Skoc)->date(), QDate(2025, 12, 31));
    QCOMPARE(main().refreshCount(), 1);
    // The day's font is laid over the whole page; the page's own bold stays.
    QTextCursor c(child<QTextEdit>(objectnames::TextWindow)->document());
    c.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(c.charFormat().fontFamilies().toStringList().value(0),
             child<QTextEdit>(objectnames::TextWindow)->font().family());
}

void MainFormTest::keysMoveTheDate_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("pageText");
    QTest::newRow("Right on 31.12.2025")
        << QDate(2025, 12, 31) << int(Qt::Key_Right) << 0 << QDate(2026, 1, 1) << QStringLiteral("Data na ");
    QTest::newRow("Ctrl+Right on 31.1.2025")
        << QDate(2025, 1, 31) << int(Qt::Key_Right) << int(Qt::ControlModifier) << QDate(2025, 2, 28)
        << QStringLiteral("Den 2025-58");
    QTest::newRow("Ctrl+PgDown on 29.2.2024")
        << QDate(2024, 2, 29) << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << QDate(2025, 2, 28)
        << QStringLiteral("Den 2025-58");
    QTest::newRow("Left") << QDate(2025, 3, 1) << int(Qt::Key_Left) << 0 << QDate(2025, 2, 28)
                          << QStringLiteral("Den 2025-58");
    QTest::newRow("PgUp") << QDate(2025, 1, 3) << int(Qt::Key_PageUp) << 0 << QDate(2024, 12, 27)
                          << QStringLiteral("Den 2024-367");
    QTest::newRow("PgDown") << QDate(2025, 1, 3) << int(Qt::Key_PageDown) << 0 << QDate(2025, 1, 10)
                            << QStringLiteral("Den 2025-9");
    QTest::newRow("Ctrl+Left") << QDate(2025, 3, 31) << int(Qt::Key_Left) << int(Qt::ControlModifier)
                               << QDate(2025, 2, 28) << QStringLiteral("Den 2025-58");
    QTest::newRow("Ctrl+PgUp") << QDate(2025, 2, 28) << int(Qt::Key_PageUp) << int(Qt::ControlModifier)
                               << QDate(2024, 2, 29) << QStringLiteral("Den 2024-59");
}

void MainFormTest::keysMoveTheDate() {
    QFETCH(QDate, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QDate, to);
    QFETCH(QString, pageText);
    start();
    main().dayView().setDate(from);
    main().FormShow();
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key(key),
                    Qt::KeyboardModifiers(modifiers));
    QCOMPARE(shown(), to);
    QVERIFY2(child<QTextEdit>(objectnames::TextWindow)->toPlainText().contains(pageText),
             qPrintable(child<QTextEdit>(objectnames::TextWindow)->toPlainText()));
    QCOMPARE(child<QDateEdit>(objectnames::Skoc)->date(), to);
}

void MainFormTest::keysActWhateverHasTheFocus_data() {
    QTest::addColumn<QString>("focus");
    QTest::newRow("text view") << QStringLiteral("TextWindow");
    QTest::newRow("date picker") << QStringLiteral("Skoc");
}

void MainFormTest::keysActWhateverHasTheFocus() {
    QFETCH(QString, focus);
    start();
    QWidget *target = main().findChild<QWidget *>(focus);
    QVERIFY(target);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Left);
    QCOMPARE(shown(), QDate(2025, 12, 30));
    QTest::keyClick(target, Qt::Key_Home);
    QCOMPARE(shown(), QDate(2025, 12, 31));
    QTest::keyClick(target, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(shown(), QDate(2026, 1, 31));
}

void MainFormTest::homeMarksTheDayButton() {
    start();
    QTest::mouseClick(child<QToolButton>(objectnames::SpeedButton4),
                      Qt::LeftButton); // the week view marks its own button
    QCOMPARE(iconImage(child<QToolButton>(objectnames::SpeedButton4)),
             fileImage(*m_folder, "menu_tyden61.bmp"));
    QCOMPARE(iconImage(child<QToolButton>(objectnames::SpeedButton9)), fileImage(*m_folder, "menu_den5.bmp"));
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_Left);
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_Home);
    QCOMPARE(shown(), QDate(2025, 12, 31));
    QCOMPARE(iconImage(child<QToolButton>(objectnames::SpeedButton9)),
             fileImage(*m_folder, "menu_den51.bmp"));
    QCOMPARE(iconImage(child<QToolButton>(objectnames::SpeedButton4)),
             fileImage(*m_folder, "menu_tyden6.bmp"));
}

void MainFormTest::pickerChoiceRefreshesOnce() {
    start();
    const int before = main().refreshCount();
    child<QDateEdit>(objectnames::Skoc)->setDate(QDate(2025, 6, 15)); // as the calendar popup sets a choice
    QCOMPARE(main().refreshCount(), before + 1);
    QCOMPARE(shown(), QDate(2025, 6, 15));
    QVERIFY(
        child<QTextEdit>(objectnames::TextWindow)->toPlainText().contains(QStringLiteral("Den 2025-169")));
    QCOMPARE(iconImage(child<QToolButton>(objectnames::SpeedButton9)),
             fileImage(*m_folder, "menu_den51.bmp"));
    // The refresh's own update of the picker raises no second refresh.
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_Right);
    QCOMPARE(main().refreshCount(), before + 2);
}

void MainFormTest::menuKeysDoNothingUnderAModalDialog() {
    start();
    bool pressed = false;
    QTimer::singleShot(0, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        QTest::keyClick(modal, Qt::Key_Right);
        QTest::keyClick(modal, Qt::Key_Home);
        QTest::keyClick(modal, Qt::Key_PageDown);
        pressed = true;
        modal->close();
    });
    QDialog dialog(&main());
    dialog.setModal(true);
    dialog.exec();
    QVERIFY(pressed);
    QCOMPARE(shown(), QDate(2025, 12, 31));
    QVERIFY(main().isVisible());
}

void MainFormTest::readingButtonsFollowTheIndex() {
    start();
    QCOMPARE(child<QToolButton>(objectnames::Cist1)->toolTip(), QStringLiteral("První čtení na 31.12.2025"));
    QCOMPARE(child<QToolButton>(objectnames::Cist2)->toolTip(), QStringLiteral("Druhé čtení na 31.12.2025"));
    QVERIFY(child<QToolButton>(objectnames::Cist1)->isEnabled() &&
            child<QAction>(objectnames::CteniN1)->isEnabled());
    QVERIFY(!child<QToolButton>(objectnames::Cist2)->isEnabled() &&
            !child<QAction>(objectnames::CteniN2)->isEnabled());
    QVERIFY(child<QToolButton>(objectnames::Cist3)->isEnabled() &&
            child<QAction>(objectnames::CteniN3)->isEnabled());
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_Left); // no section for the day
    QVERIFY(!child<QToolButton>(objectnames::Cist1)->isEnabled() &&
            !child<QAction>(objectnames::CteniN1)->isEnabled() &&
            !child<QToolButton>(objectnames::Cist3)->isEnabled());
    QCOMPARE(child<QToolButton>(objectnames::Cist3)->toolTip(), QStringLiteral("Třetí čtení na 30.12.2025"));
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_F1,
                    Qt::ControlModifier); // disabled: nothing happens
    QVERIFY(!m_program->bible().isVisible());
    QVERIFY(m_test->messages.all.isEmpty());
}

void MainFormTest::periodicViews_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QStringList>("pictures");
    const QStringList week{"menu_den5.bmp", "menu_tyden61.bmp", "menu_mesic6.bmp", "menu-2025.bmp"};
    const QStringList month{"menu_den5.bmp", "menu_tyden6.bmp", "menu_mesic61.bmp", "menu-2025.bmp"};
    const QStringList year{"menu_den5.bmp", "menu_tyden6.bmp", "menu_mesic6.bmp", "menu-2025a.bmp"};
    QTest::newRow("week of 1.1.2025")
        << QDate(2025, 1, 1) << "SpeedButton4" << periodic::weekPageFor(QDate(2025, 1, 1)) << week;
    QTest::newRow("week of 5.1.2025")
        << QDate(2025, 1, 5) << "SpeedButton4" << periodic::weekPageFor(QDate(2025, 1, 5)) << week;
    QTest::newRow("week of 28.12.2025")
        << QDate(2025, 12, 28) << "SpeedButton4" << periodic::weekPageFor(QDate(2025, 12, 28)) << week;
    QTest::newRow("month of December")
        << QDate(2025, 12, 3) << "SpeedButton6" << periodic::monthPageFor(12) << month;
    QTest::newRow("year") << QDate(2025, 7, 3) << "SpeedButton1" << periodic::yearPageFor() << year;
}

void MainFormTest::periodicViews() {
    QFETCH(QDate, date);
    QFETCH(QString, button);
    QFETCH(QByteArray, page);
    QFETCH(QStringList, pictures);
    start();
    main().dayView().setDate(date);
    main().FormShow();
    QTest::mouseClick(main().findChild<QToolButton *>(button), Qt::LeftButton);
    QCOMPARE(readBytes(m_test->state.dayPagePath()), page);
    QCOMPARE(shown(), date);
    QToolButton *buttons[] = {
        child<QToolButton>(objectnames::SpeedButton9), child<QToolButton>(objectnames::SpeedButton4),
        child<QToolButton>(objectnames::SpeedButton6), child<QToolButton>(objectnames::SpeedButton1)};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(iconImage(buttons[i]), fileImage(*m_folder, qPrintable(pictures.at(i))));
    const QString text = child<QTextEdit>(objectnames::TextWindow)->toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("KERLO ")), qPrintable(text));
}

void MainFormTest::periodicViewsOutside2025ShowTheDayPage() {
    start();
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow),
                    Qt::Key_Right); // 1.1.2026: no year file in the fixture
    const QImage dayBefore = iconImage(child<QToolButton>(objectnames::SpeedButton9));
    for (QToolButton *b :
         {child<QToolButton>(objectnames::SpeedButton4), child<QToolButton>(objectnames::SpeedButton6),
          child<QToolButton>(objectnames::SpeedButton1)}) {
        const int before = main().refreshCount();
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(main().refreshCount(), before + 1);
        QVERIFY(
            child<QTextEdit>(objectnames::TextWindow)->toPlainText().contains(QStringLiteral("Data na ")));
    }
    QCOMPARE(iconImage(child<QToolButton>(objectnames::SpeedButton9)), dayBefore);
    QVERIFY(m_test->messages.all.isEmpty());
}

void MainFormTest::missingPictureStopsAtThatPicture() {
    start();
    QVERIFY(QFile::remove(m_folder->path() + "grafika/menu_mesic6.bmp"));
    QTest::mouseClick(child<QToolButton>(objectnames::SpeedButton4), Qt::LeftButton);
    QCOMPARE(m_test->messages.errors.size(), 1);
    QVERIFY2(m_test->messages.errors.first().startsWith(
                 QStringLiteral("Cannot open file \"%1grafika/menu_mesic6.bmp\". ").arg(m_folder->path())),
             qPrintable(m_test->messages.errors.first()));
    // The page is shown and the pictures before the missing one are changed.
    QVERIFY(
        child<QTextEdit>(objectnames::TextWindow)->toPlainText().startsWith(QStringLiteral("KERLO TÝDNE")));
    QCOMPARE(iconImage(child<QToolButton>(objectnames::SpeedButton4)),
             fileImage(*m_folder, "menu_tyden61.bmp"));
}

void MainFormTest::oversizedPictureIsNotRead() {
    // A damaged header that claims a picture 16 million pixels wide: the program reports it at
    // once instead of allocating and decoding for seconds.
    QByteArray bmp("BM");
    auto le32 = [&bmp](qint32 v) {
        for (int i = 0; i < 4; ++i)
            bmp.append(char((quint32(v) >> (8 * i)) & 0xff));
    };
    auto le16 = [&bmp](qint16 v) {
        bmp.append(char(v & 0xff));
        bmp.append(char((v >> 8) & 0xff));
    };
    le32(78), le32(0), le32(54);              // file size, reserved, offset of the pixels
    le32(40), le32(16121859), le32(-2);       // header size, width, height (top-down)
    le16(1), le16(24), le32(0), le32(24);     // planes, bits, no compression, pixel bytes
    le32(2835), le32(2835), le32(0), le32(0); // resolution, colours
    bmp.append(QByteArray(24, '\x7f'));
    start();
    writeBytes(m_folder->path() + "grafika/menu_mesic6.bmp", bmp);
    QTest::mouseClick(childOf<QToolButton>(main(), objectnames::SpeedButton4), Qt::LeftButton);
    QCOMPARE(
        m_test->messages.errors,
        QStringList{QStringLiteral("Cannot open file \"%1grafika/menu_mesic6.bmp\". Obrázek je příliš velký "
                                   "(16121859 × -2 bodů).")
                        .arg(m_folder->path())});
    QVERIFY(childOf<QTextEdit>(main(), objectnames::TextWindow)
                ->toPlainText()
                .startsWith(QStringLiteral("KERLO TÝDNE")));
}

void MainFormTest::shortYearFileReportsTheIndex() {
    writeBytes(m_folder->path() + "Kerla2025.rtf", "a\r\nb\r\n");
    start(QDateTime(QDate(2025, 1, 2), QTime(8, 0)));
    QVERIFY(child<QTextEdit>(objectnames::TextWindow)->toPlainText().contains(QLatin1Char('b')));
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_Right); // line 2 does not exist
    QCOMPARE(m_test->messages.errors, QStringList{QStringLiteral("List index out of bounds (2)")});
    // The title names the new date; the view keeps its page and the picker its date.
    QCOMPARE(QGuiApplication::applicationDisplayName(),
             QStringLiteral("Kerla ") + shortDateText(QDate(2025, 1, 3)));
    QCOMPARE(child<QTextEdit>(objectnames::TextWindow)->toPlainText(), QStringLiteral("b"));
    QCOMPARE(child<QDateEdit>(objectnames::Skoc)->date(), QDate(2025, 1, 2));
}

void MainFormTest::enterEndsOnceADayAndEscPlainly() {
    start();
    child<QDateEdit>(objectnames::Skoc)->setFocus();
    QTest::keyClick(child<QDateEdit>(objectnames::Skoc), Qt::Key_Return);
    QVERIFY(!main().isVisible());
    const ProfileFile ini(m_test->state.settingsPath());
    QCOMPARE(ini.readString("Hlavni", "Datum", QString()), shortDateText(QDate(2025, 12, 31)));
    QVERIFY(!QFile::exists(m_test->state.dayPagePath()));

    // A second start with "a" on the same day ends at once.
    m_program.reset();
    m_program = std::make_unique<Program>(m_test->state, QStringLiteral("a"), printsupport::linkedTable());
    QVERIFY(m_program->endsAtOnce());
    m_program.reset();
    for (const char *argument : {"", "A", "b"}) {
        Program other(m_test->state, QLatin1String(argument), printsupport::linkedTable());
        QVERIFY2(!other.endsAtOnce(), argument);
    }
    // The next day the argument does not end it.
    m_test->state.clock.now = [] { return kNow.addDays(1); };
    QVERIFY(!Program(m_test->state, QStringLiteral("a"), printsupport::linkedTable()).endsAtOnce());

    // Esc ends plainly: the stored date stays.
    start(kNow.addDays(1));
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_Escape);
    QVERIFY(!main().isVisible());
    QCOMPARE(ini.readString("Hlavni", "Datum", QString()), shortDateText(QDate(2025, 12, 31)));
}

void MainFormTest::settingsRoundTrip() {
    start();
    main().move(120, 80);
    main().resize(700, 400);
    main().setBackgroundColor(0x00E0F0);
    QFont f(QStringLiteral("DejaVu Serif"), 13);
    main().setTextFont(f, 0x102030);
    main().setClockVisible(false);
    m_program->bible().setClassicReadingWindow(true);
    main().close();
    const ProfileFile ini(m_test->state.settingsPath());
    QCOMPARE(ini.readInteger("Okno", "Barva", 0), 0x00E0F0);
    QCOMPARE(ini.readInteger("Okno", "FontBarva", 0), 0x102030);
    QCOMPARE(ini.readString("Okno", "Font", QString()), QStringLiteral("DejaVu Serif"));
    QCOMPARE(ini.readInteger("Okno", "FontVelikost", 0), 13);
    QCOMPARE(ini.readBool("Okno", "Hodiny", true), false);
    QCOMPARE(ini.readInteger("Pozice", "Sirka", 0), 700);
    QCOMPARE(ini.readInteger("Pozice", "Vyska", 0), 400);
    QCOMPARE(ini.readBool("Bible", "TypOkna", false), true);
    QVERIFY(ini.readString("Bible", "Font", QString()).size() > 0);
    QCOMPARE(ini.readInteger("Bible", "Odleva", 0), m_program->bible().x());
    const QString written = QString::fromLatin1(readBytes(m_test->state.settingsPath()));
    QVERIFY(!written.contains(QStringLiteral("Hlavni"))); // only the end once a day writes it

    m_program.reset();
    m_program = std::make_unique<Program>(m_test->state, QString(), printsupport::linkedTable());
    QCOMPARE(main().backgroundColor(), 0x00E0F0);
    QCOMPARE(main().textFontColor(), 0x102030);
    QCOMPARE(main().textFont().family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(main().textFont().pointSize(), 13);
    QVERIFY(!main().clockVisible());
    QCOMPARE(main().size(), QSize(700, 400));
    QCOMPARE(main().pos(),
             QPoint(ini.readInteger("Pozice", "Odleva", -1), ini.readInteger("Pozice", "Odshora", -1)));
    QVERIFY(m_program->bible().classicReadingWindow());
}

void MainFormTest::settingsWithoutPoziceAndWithGarbage() {
    writeBytes(m_test->state.settingsPath(),
               "[Okno]\r\nBarva=bílá\r\nFontVelikost=x12\r\nHodiny=ano\r\nFont=Tahoma\r\n"
               "[Bible]\r\nTypOkna=$1\r\n");
    m_program = std::make_unique<Program>(m_test->state, QString(), printsupport::linkedTable());
    QCOMPARE(main().pos(), QPoint(292, 290));
    QCOMPARE(main().size(), QSize(692, 324));
    QCOMPARE(main().backgroundColor(), 0xFFFFFF);
    QCOMPARE(main().textFont().pointSize(), 10);
    QVERIFY(main().clockVisible());
    QVERIFY(m_program->bible().classicReadingWindow());
    QCOMPARE(main().storedDate(), QString());
}

void MainFormTest::firstRunGeometry() {
    m_program = std::make_unique<Program>(m_test->state, QStringLiteral("a"), printsupport::linkedTable());
    QVERIFY(!m_program->endsAtOnce()); // "1.1.1998" is never today
    QCOMPARE(main().storedDate(), QStringLiteral("1.1.1998"));
    // 662 wide, or just as wide as the whole toolbar needs, the clock included.
    QCOMPARE(main().size().height(), 260);
    QVERIFY(main().width() >= 662);
    m_program->show();
    QVERIFY(QTest::qWaitForWindowExposed(&main()));
    QVERIFY(childOf<QLabel>(main(), objectnames::Panel1)->isVisible());
    QVERIFY(childOf<QToolBar>(main(), objectnames::Lista)
                ->rect()
                .contains(childOf<QLabel>(main(), objectnames::Panel1)->geometry()));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(main().frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(main().frameGeometry().center().y() - screen.center().y()) <= 1);
}

void MainFormTest::positionGuards_data() {
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QPoint>("written");
    QTest::newRow("2000 and 1500 are not written") << QPoint(2000, 1500) << QPoint(11, 22);
    QTest::newRow("1999 and 1501 are") << QPoint(1999, 1501) << QPoint(1999, 1501);
    QTest::newRow("2001 and 1499 are") << QPoint(2001, 1499) << QPoint(2001, 1499);
}

void MainFormTest::positionGuards() {
    QFETCH(QPoint, position);
    QFETCH(QPoint, written);
    writeBytes(m_test->state.settingsPath(), "[Pozice]\r\nOdleva=11\r\nOdshora=22\r\n");
    start();
    main().move(position);
    main().close();
    const ProfileFile ini(m_test->state.settingsPath());
    QCOMPARE(QPoint(ini.readInteger("Pozice", "Odleva", -1), ini.readInteger("Pozice", "Odshora", -1)),
             written);
}

void MainFormTest::positionOnNoScreenMovesToThePrimary() {
    // The window was last on a monitor that is not there any more.
    writeBytes(m_test->state.settingsPath(),
               "[Pozice]\r\nOdleva=9000\r\nOdshora=7000\r\nSirka=500\r\nVyska=300\r\n");
    m_program = std::make_unique<Program>(m_test->state, QString(), printsupport::linkedTable());
    QCOMPARE(main().pos(), QPoint(9000, 7000));
    m_program->show();
    QVERIFY(QTest::qWaitForWindowExposed(&main()));
    QVERIFY(QGuiApplication::primaryScreen()->geometry().contains(main().frameGeometry().center()));
    QCOMPARE(main().size(), QSize(500, 300));
}

void MainFormTest::clickOnMainHidesTheReading() {
    start();
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_F1, Qt::ControlModifier);
    QVERIFY(m_test->messages.all.isEmpty());
    QVERIFY(m_program->bible().isVisible());
    QVERIFY(readBytes(m_test->state.readingTextPath()).startsWith("tb 1 1 "));
    // A shortcut also acts while the reading window is active.
    m_program->bible().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_program->bible()));
    QTest::keyClick(&m_program->bible(), Qt::Key_Left);
    QCOMPARE(shown(), QDate(2025, 12, 30));
    // Activating the main window puts the reading away.
    main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main()));
    QTRY_VERIFY(!m_program->bible().isVisible());
}

QTEST_MAIN(MainFormTest)
#include "mainform_test.moc"

void MainFormTest::readingCommands_data() {
    QTest::addColumn<QByteArray>("reference");
    QTest::addColumn<bool>("classic");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QByteArray>("passage");
    QTest::newRow("four parts, shaped")
        << QByteArray("tb 1 1 2") << false << "tb 1,1-2" << QStringList{}
        << QByteArray("tb 1 1 Prvn\xed ver\x9a.\r\ntb 1 2 Druh\xfd ver\x9a.\r\n");
    QTest::newRow("classic window") << QByteArray("tb 2 1 1") << true << "tb 2,1-1" << QStringList{}
                                    << QByteArray("tb 2 1 T\xf8\x65t\xed.\r\n");
    QTest::newRow("missing book")
        << QByteArray("xx 1 1 2") << false << "xx 1,1-2"
        << QStringList{QStringLiteral("Hledaná biblická kniha nebyla nalezena.\r\n\r\nOdkaz nebyl nelezen.")}
        << QByteArray();
    QTest::newRow("missing verse") << QByteArray("tb 9 1 2") << false << "tb 9,1-2"
                                   << QStringList{QStringLiteral("Odkaz nebyl nelezen.")} << QByteArray();
}

void MainFormTest::readingCommands() {
    QFETCH(QByteArray, reference);
    QFETCH(bool, classic);
    QFETCH(QString, label);
    QFETCH(QStringList, messages);
    QFETCH(QByteArray, passage);
    writeBytes(m_folder->path() + "Cteni2025.sj", "[31.12.2025]\r\nCteni2=" + reference + "\r\n");
    start();
    TBible &bible = m_program->bible();
    bible.setClassicReadingWindow(classic);
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_F2, Qt::ControlModifier);
    QCOMPARE(bible.findChild<TmyLabel3d *>(QStringLiteral("Odkaz"))->text(), label);
    QCOMPARE(m_test->messages.messages, messages);
    QCOMPARE(bible.isVisible(), !passage.isEmpty());
    QCOMPARE(readBytes(m_test->state.readingTextPath()), passage);
    QCOMPARE(bible.isClassic(), classic && !passage.isEmpty());
    if (!passage.isEmpty())
        QCOMPARE(bible.findChild<QPlainTextEdit *>(QStringLiteral("TMemo1"))->toPlainText().toUtf8(),
                 cp1250::toUnicode(passage)
                     .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                     .trimmed()
                     .toUtf8());
}

void MainFormTest::otherWindowsFromTheMenu() {
    start();
    // Ctrl+N and F2 open their windows modally; Esc closes the settings dialog without ending
    // the program, because no menu key acts under a modal window.
    QString seen;
    QTimer::singleShot(0, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        seen = modal ? modal->windowTitle() : QString();
        if (modal)
            QTest::keyClick(modal, Qt::Key_Escape);
    });
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(seen, QStringLiteral("Nastavení programu"));
    QVERIFY(main().isVisible());
    QTimer::singleShot(0, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        seen = modal ? modal->windowTitle() : QString();
        if (modal)
            modal->close();
    });
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_F2);
    QCOMPARE(seen, QStringLiteral("Autor programu"));
    QVERIFY(m_program->autor().findChild<QWidget *>(QStringLiteral("myLabel3d1")));
    // The fixture has no documents: each command shows its message and no viewer.
    child<QAction>(objectnames::OKerlach)->trigger();
    child<QAction>(objectnames::Titnverze1)->trigger();
    QCOMPARE(m_test->messages.messages,
             (QStringList{QStringLiteral("Informace o Kerlach nenalezeny."),
                          QStringLiteral("Informace o tištěné verzi nenalezeny.")}));
    QVERIFY(!m_program->form2().isVisible());
}

void MainFormTest::printsTheShownPage() {
    start();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    QPrinter &printer = m_program->printService().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QTest::mouseClick(child<QToolButton>(objectnames::SpeedButton4),
                      Qt::LeftButton); // the week view is what is printed
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_P, Qt::ControlModifier);
    QVERIFY(m_test->messages.errors.isEmpty());
    const QByteArray bytes = readBytes(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
}

void MainFormTest::unwritableSettingsStillEnd() {
    start();
    // A folder stands where the settings file should be written.
    QVERIFY(QDir().mkpath(m_test->state.settingsPath()));
    QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_Escape);
    QCOMPARE(m_test->messages.errors,
             QStringList{QStringLiteral("Unable to write to ") + m_test->state.settingsPath()});
    QVERIFY(!main().isVisible()); // the user can always close the program
    QVERIFY(!QFile::exists(m_test->state.dayPagePath()));
}

void MainFormTest::garbageDataNeverCrashes() {
    QByteArray garbage;
    quint32 seed = 12345;
    for (int i = 0; i < 60000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        garbage.append(char(seed >> 24));
    }
    writeBytes(m_folder->path() + "Kerla2025.rtf", garbage);
    writeBytes(m_folder->path() + "Cteni2025.sj", garbage);
    start();
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(child<QTextEdit>(objectnames::TextWindow), Qt::Key_PageUp);
    QVERIFY(main().isVisible());
    // Whatever the lines held, each day either showed a page or reported a short file.
    for (const QString &e : std::as_const(m_test->messages.errors))
        QVERIFY2(e.startsWith(QStringLiteral("List index out of bounds (")), qPrintable(e));
}

void MainFormTest::clockShowsTheTime() {
    start();
    QCOMPARE(child<QTimer>(objectnames::Timer1)->interval(), 1000);
    QVERIFY(child<QTimer>(objectnames::Timer1)->isActive());
    QVERIFY(QMetaObject::invokeMethod(&main(), "Timer1Timer"));
    QVERIFY(child<QLabel>(objectnames::Panel1)->text().contains(QStringLiteral("30")));
    QVERIFY(child<QLabel>(objectnames::Panel1)->text().contains(QStringLiteral("9")));
}

void MainFormTest::popupsKeepTheirKeys() {
    start();
    QVERIFY(!main().createPopupMenu()); // no context menu that could hide the toolbar
    // Open the picker's calendar: Esc closes the calendar, not the program, and Home stays in it.
    QTest::mouseClick(child<QDateEdit>(objectnames::Skoc), Qt::LeftButton, {},
                      QPoint(child<QDateEdit>(objectnames::Skoc)->width() - 6,
                             child<QDateEdit>(objectnames::Skoc)->height() / 2));
    QWidget *popup = QApplication::activePopupWidget();
    QVERIFY(popup);
    QTest::keyClick(popup, Qt::Key_Home);
    QCOMPARE(shown(), QDate(2025, 12, 31));
    QTest::keyClick(popup, Qt::Key_Escape);
    QVERIFY(!QApplication::activePopupWidget());
    QVERIFY(main().isVisible());
    QCOMPARE(shown(), QDate(2025, 12, 31));
    QVERIFY(!QFile::exists(m_test->state.settingsPath()));
}

void MainFormTest::keypadKeysMoveTheDate() {
    start();
    child<QDateEdit>(objectnames::Skoc)->setFocus();
    QTest::keyClick(child<QDateEdit>(objectnames::Skoc), Qt::Key_Left, Qt::KeypadModifier);
    QCOMPARE(shown(), QDate(2025, 12, 30));
    QTest::keyClick(child<QDateEdit>(objectnames::Skoc), Qt::Key_Home, Qt::KeypadModifier);
    QCOMPARE(shown(), QDate(2025, 12, 31));
}
