// "Načíst data roku…" and a dropped file, through the real main window: the imported year's days,
// readings and week, month and year views, the question before a year is replaced, the refusal of
// a bad file with the folder left as it was, and a window that keeps working while the file is read.
#include "app/mainform.h"
#include "app/program.h"
#include "appfixture.h"
#include "art/toolbarart.h"
#include "dialogs/printsupport.h"
#include "dialogs/yearimport.h"
#include "pages/yearfiles.h"
#include "yearfixtures.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <memory>

namespace {

const QDateTime kNow(QDate(2025, 12, 31), QTime(9, 30, 0));

QImage iconImage(QToolButton *button) {
    return button->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class YearImportWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void menuImportsAndShowsTheYear();
    void dropImportsTheSame();
    void replacingAYearAsksFirst_data();
    void replacingAYearAsksFirst();
    void badFileLeavesTheFolder();
    void windowStaysResponsive();

private:
    void start(const QDateTime &now = kNow);
    TMainForm &main() { return m_program->mainForm(); }
    template <class T> T *child(const char *name) { return childOf<T>(main(), name); }
    QString shownText() { return child<QTextEdit>("TextWindow")->toPlainText(); }
    QString write(const QString &name, const QByteArray &bytes) {
        const QString path = m_files.path() + QLatin1Char('/') + name;
        writeBytes(path, bytes);
        return path;
    }
    // Runs the menu command with a file dialog that picks `path`; waits for the import's end.
    bool importFromMenu(const QString &path);

    ProgramFolder m_unused; // TestState wants one; the generated data set is the program's folder
    std::unique_ptr<TestState> m_test;
    std::unique_ptr<Program> m_program;
    QTemporaryDir m_files;
    QStringList m_questions;
    bool m_answer = true;
};

void YearImportWindowTest::init() {
    m_test = std::make_unique<TestState>(m_unused, kNow);
    m_test->state.ProgramDir = QStringLiteral(KERLA_BIN_DIR "/");
    m_questions.clear();
    m_answer = true;
}

void YearImportWindowTest::cleanup() {
    m_program.reset();
    m_test.reset();
}

void YearImportWindowTest::start(const QDateTime &now) {
    m_test->state.clock.now = [now] { return now; };
    m_program = std::make_unique<Program>(m_test->state, QString(), printsupport::linkedTable());
    m_program->show();
    main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main()));
    main().yearImport().setSeams({{}, [this](const QString &q) {
                                      m_questions.append(q);
                                      return m_answer;
                                  }});
}

bool YearImportWindowTest::importFromMenu(const QString &path) {
    YearImport::Seams seams{[path] { return path; },
                            [this](const QString &q) {
                                m_questions.append(q);
                                return m_answer;
                            }};
    main().yearImport().setSeams(seams);
    QSignalSpy done(&main().yearImport(), &YearImport::finished);
    QAction *item = child<QAction>("NactiData1");
    if (item->text() != QStringLiteral("Načíst data roku…"))
        return false;
    item->trigger();
    return done.wait(20000);
}

// The menu item lies right after "&Nastavení tisku"; the imported year is shown at once: the shown
// date when it lies in that year, its days, readings and views.
void YearImportWindowTest::menuImportsAndShowsTheYear() {
    start();
    const QList<QAction *> items = child<QMenu>("Kerla")->actions();
    QCOMPARE(items.indexOf(child<QAction>("NactiData1")),
             items.indexOf(child<QAction>("Nastaventisku1")) + 1);
    QVERIFY(importFromMenu(write(QStringLiteral("hesla.xml"), yearfixtures::losfile())));
    const QStringList &messages = m_test->messages.messages;
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith(
                 QStringLiteral("Načten rok 2026 (LOSFILE): 365 dní, 834 čtení, z toho 834 se vyřízne")),
             qPrintable(messages[0]));
    QVERIFY(m_test->messages.errors.isEmpty());
    QVERIFY(m_questions.isEmpty()); // nothing was replaced
    // 31 December 2025 lies outside 2026: the year opens on 1 January
    QCOMPARE(main().dayView().shownDate(), QDate(2026, 1, 1));
    QVERIFY2(shownText().contains(yearfixtures::watchwordText(QDate(2026, 1, 1))), qPrintable(shownText()));
    QVERIFY(shownText().contains(QStringLiteral("Průběžné čtení: Lukáš 3,1-6")));
    QVERIFY(child<QToolButton>("Cist1")->isEnabled());
    QVERIFY(child<QToolButton>("Cist2")->isEnabled());
    QVERIFY(!child<QToolButton>("Cist3")->isEnabled()); // a Thursday has no sermon text
    // the week view, as 2025's built-in list is shown, and the year button shows 2026
    child<QToolButton>("SpeedButton4")->click();
    QVERIFY2(shownText().startsWith(QStringLiteral("KERLO TÝDNE \n\nVymyšlené heslo nového roku.")),
             qPrintable(shownText()));
    QCOMPARE(iconImage(child<QToolButton>("SpeedButton1")),
             toolbarart::draw(toolbarart::Picture::Year, 1.0, 2026).convertToFormat(QImage::Format_RGB32));
    child<QToolButton>("SpeedButton1")->click();
    QVERIFY(shownText().startsWith(QStringLiteral("KERLO ROKU \n\nUkázka praví: Vymyšlené heslo roku 2026")));
    QCOMPARE(
        iconImage(child<QToolButton>("SpeedButton1")),
        toolbarart::draw(toolbarart::Picture::YearPressed, 1.0, 2026).convertToFormat(QImage::Format_RGB32));
    child<QToolButton>("SpeedButton6")->click();
    QVERIFY(shownText().startsWith(QStringLiteral("KERLO MĚSÍCE \n\nVymyšlené heslo 1. měsíce s důrazem.")));
    // the next start in that year shows the year's number on the year button at once
    m_program.reset();
    start(QDateTime(QDate(2026, 2, 1), QTime(8, 0)));
    QCOMPARE(iconImage(child<QToolButton>("SpeedButton1")),
             toolbarart::draw(toolbarart::Picture::Year, 1.0, 2026).convertToFormat(QImage::Format_RGB32));
}

// A file dropped on the window imports as the menu does; the shown date stays when it lies in the
// imported year.
void YearImportWindowTest::dropImportsTheSame() {
    start(QDateTime(QDate(2027, 3, 14), QTime(8, 0)));
    const QString path = write(QStringLiteral("losungen.xml"), yearfixtures::freeXml(2027));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main(), &enter);
    QVERIFY(enter.isAccepted());
    QSignalSpy done(&main().yearImport(), &YearImport::finished);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main(), &drop);
    QVERIFY(done.wait(20000));
    QCOMPARE(main().dayView().shownDate(), QDate(2027, 3, 14));
    QVERIFY2(shownText().contains(yearfixtures::teachingText(QDate(2027, 3, 14))), qPrintable(shownText()));
    QVERIFY(QFile::exists(m_test->user.path() + QStringLiteral("kerla/Kerla2027.rtf")));
    // FreeXml has no week watchwords: the week button shows the day page
    child<QToolButton>("SpeedButton4")->click();
    QVERIFY(!shownText().contains(QStringLiteral("KERLO TÝDNE")));
}

void YearImportWindowTest::replacingAYearAsksFirst_data() {
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes replaces") << true;
    QTest::newRow("no keeps") << false;
}

void YearImportWindowTest::replacingAYearAsksFirst() {
    QFETCH(bool, answer);
    start(QDateTime(QDate(2026, 5, 5), QTime(8, 0)));
    QVERIFY(importFromMenu(write(QStringLiteral("a.xml"), yearfixtures::freeXml(2026))));
    const QString dayFile = m_test->user.path() + QStringLiteral("kerla/Kerla2026.rtf");
    const QByteArray before = readBytes(dayFile);
    QVERIFY(m_questions.isEmpty());
    m_answer = answer;
    QVERIFY(importFromMenu(write(QStringLiteral("b.xml"), yearfixtures::losfile())));
    QCOMPARE(m_questions, QStringList{QStringLiteral(
                              "Data roku 2026 už v programu jsou. Nahradit je daty ze souboru b.xml?")});
    QCOMPARE(readBytes(dayFile) == before, !answer);
    QCOMPARE(shownText().contains(QStringLiteral("Průběžné čtení")), answer);
    if (!answer)
        QCOMPARE(m_test->messages.messages.last(), QStringLiteral("Data roku 2026 zůstala, jak byla."));
}

// A bad file is refused with a clear message, and the user's folder stays as it was.
void YearImportWindowTest::badFileLeavesTheFolder() {
    start();
    QVERIFY(importFromMenu(write(QStringLiteral("a.xml"), yearfixtures::freeXml(2026))));
    const QString folder = m_test->user.path() + QStringLiteral("kerla/");
    const QByteArray before = readBytes(folder + "Kerla2026.rtf");
    yearfixtures::LosfileOptions missing;
    missing.missing = QDate(2026, 2, 2);
    QVERIFY(importFromMenu(write(QStringLiteral("spatny.xml"), yearfixtures::losfile(missing))));
    QCOMPARE(m_test->messages.errors.size(), 1);
    QCOMPARE(m_test->messages.errors[0],
             QStringLiteral("Soubor spatny.xml nelze načíst: \n2.2.2026: den 2.2.2026 v souboru "
                            "chybí\n\nData v programu se nezměnila."));
    QCOMPARE(readBytes(folder + "Kerla2026.rtf"), before);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Kerla2026.rtf")});
    QVERIFY(m_questions.isEmpty());
}

// The file is read and checked off the window's thread: the window goes on handling its events
// meanwhile, and a second import waits its turn.
void YearImportWindowTest::windowStaysResponsive() {
    start();
    const QString path = write(QStringLiteral("hesla.xml"), yearfixtures::losfile());
    int ticks = 0;
    QTimer tick;
    tick.setInterval(1);
    connect(&tick, &QTimer::timeout, this, [&] { ++ticks; });
    QSignalSpy done(&main().yearImport(), &YearImport::finished);
    // how long the reading and converting takes on this machine
    QElapsedTimer clock;
    clock.start();
    const yearimport::Result direct =
        yearimport::convert(readBytes(path), references::booksIn(m_test->state.ProgramDir));
    yearimport::check(direct.files, m_test->state.ProgramDir);
    const qint64 work = clock.elapsed();
    tick.start();
    clock.restart();
    main().yearImport().importFile(path);
    const qint64 call = clock.elapsed();
    QVERIFY2(call * 4 < work,
             qPrintable(QStringLiteral("the call took %1 ms of the work's %2 ms").arg(call).arg(work)));
    QVERIFY(main().yearImport().busy());
    main().yearImport().importFile(path);
    QCOMPARE(m_test->messages.messages,
             QStringList{QStringLiteral("Data roku se právě načítají; počkejte, až načítání skončí.")});
    QVERIFY(!QFile::exists(m_test->user.path() + QStringLiteral("kerla/Kerla2026.rtf")));
    QVERIFY(done.wait(20000));
    QVERIFY2(ticks > 0, "the window's events waited for the import");
    QCOMPARE(done.size(), 1);
    QVERIFY(QFile::exists(m_test->user.path() + QStringLiteral("kerla/Kerla2026.rtf")));
}

QTEST_MAIN(YearImportWindowTest)
#include "yearimport_window_test.moc"
