// The start: the windows that start hidden are made once the main window has painted its first
// page, and at once whenever anything could reach them sooner; their creation order holds.
#include "app/afterfirstpaint.h"
#include "app/mainform.h"
#include "app/objectnames.h"
#include "app/program.h"
#include "appfixture.h"
#include "dialogs/printsupport.h"
#include "dialogs/programicon.h"
#include "pages/dates.h"
#include "platform/profile.h"
#include "readings/readingwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QTest>
#include <QTextEdit>

#include <memory>

namespace {

const QDateTime kNow(QDate(2025, 12, 31), QTime(9, 30, 0));

QStringList hiddenWindowsThatExist() {
    QStringList names;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        const QString name = w->objectName();
        if (name == QLatin1String("Nastav") || name == QLatin1String("Autor") ||
            name == QLatin1String("Bible") || name == QLatin1String("Form2"))
            names.append(name);
    }
    names.sort();
    return names;
}

const QStringList kAllHidden = {QStringLiteral("Autor"), QStringLiteral("Bible"), QStringLiteral("Form2"),
                                QStringLiteral("Nastav")};

} // namespace

class StartOrderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workWaitsForThePaintOrTheFirstInput_data();
    void workWaitsForThePaintOrTheFirstInput();
    void hiddenWindowsFollowTheFirstPaint();
    void aKeyBeforeThePaintFindsTheWindows();
    void aMenuKeyBeforeThePaintRunsItsCommand();
    void closingBeforeThePaintStillWritesTheReadingKeys();
    void endingAtOnceMakesNoOtherWindow();
};

void StartOrderTest::workWaitsForThePaintOrTheFirstInput_data() {
    QTest::addColumn<int>("event");
    QTest::addColumn<bool>("onChild");
    QTest::addColumn<int>("runsAtOnce");
    QTest::newRow("key press") << int(QEvent::KeyPress) << true << 1;
    QTest::newRow("shortcut override") << int(QEvent::ShortcutOverride) << true << 1;
    QTest::newRow("mouse press") << int(QEvent::MouseButtonPress) << false << 1;
    QTest::newRow("close") << int(QEvent::Close) << false << 1;
    QTest::newRow("a style change is no input") << int(QEvent::StyleChange) << false << 0;
    QTest::newRow("a font change is no input") << int(QEvent::FontChange) << true << 0;
}

void StartOrderTest::workWaitsForThePaintOrTheFirstInput() {
    QFETCH(int, event);
    QFETCH(bool, onChild);
    QFETCH(int, runsAtOnce);
    QWidget window;
    auto *child = new QWidget(&window);
    int runs = 0;
    AfterFirstPaint after(&window, [&] { ++runs; });
    QObject *target = onChild ? static_cast<QObject *>(child) : &window;
    std::unique_ptr<QEvent> e;
    if (event == QEvent::KeyPress || event == QEvent::ShortcutOverride)
        e = std::make_unique<QKeyEvent>(QEvent::Type(event), Qt::Key_Right, Qt::NoModifier);
    else if (event == QEvent::MouseButtonPress)
        e = std::make_unique<QMouseEvent>(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1),
                                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    else if (event == QEvent::Close)
        e = std::make_unique<QCloseEvent>();
    else
        e = std::make_unique<QEvent>(QEvent::Type(event));
    QCoreApplication::sendEvent(target, e.get());
    QCOMPARE(runs, runsAtOnce);
    QCOMPARE(after.done(), runsAtOnce == 1);

    // Either way the work runs once, after the window's first paint.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(runs, 1);
    QTest::keyClick(&window, Qt::Key_Left);
    window.update();
    QCoreApplication::processEvents();
    QCOMPARE(runs, 1);
}

void StartOrderTest::hiddenWindowsFollowTheFirstPaint() {
    ProgramFolder folder;
    TestState test(folder, kNow);
    QApplication::setWindowIcon(QIcon());
    Program program(test.state, QString(), printsupport::linkedTable());
    QCOMPARE(hiddenWindowsThatExist(), QStringList());
    QCOMPARE(program.mainForm().refreshCount(), 0);
    program.show();
    QVERIFY(QTest::qWaitForWindowExposed(&program.mainForm()));
    QCOMPARE(program.mainForm().refreshCount(), 1);
    QTRY_COMPARE(hiddenWindowsThatExist(), kAllHidden);
    QVERIFY(!QApplication::windowIcon().isNull());
    QCOMPARE(program.mainForm().windowIcon().availableSizes(), programWindowIcon().availableSizes());
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (kAllHidden.contains(w->objectName()))
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }
}

void StartOrderTest::aKeyBeforeThePaintFindsTheWindows() {
    // A key that reaches the main window before its first paint (here before it is even shown)
    // finds every window made, in their order: the reading window read the settings the main
    // window's creation had read before.
    ProgramFolder folder;
    TestState test(folder, kNow);
    ProfileFile(test.state.settingsPath())
        .writeInteger(QStringLiteral("Bible"), QStringLiteral("Odleva"), 321);
    Program program(test.state, QString(), printsupport::linkedTable());
    QCOMPARE(hiddenWindowsThatExist(), QStringList());
    QKeyEvent key(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QCoreApplication::sendEvent(childOf<QTextEdit>(program.mainForm(), objectnames::TextWindow), &key);
    QCOMPARE(hiddenWindowsThatExist(), kAllHidden);
    QCOMPARE(program.bible().x(), 321);
}

// Shown but not yet painted: the menu's key filter takes Ctrl+F1 for the menu, and the reading
// window that the command opens is made before the command runs.
void StartOrderTest::aMenuKeyBeforeThePaintRunsItsCommand() {
    ProgramFolder folder;
    TestState test(folder, kNow);
    Program program(test.state, QString(), printsupport::linkedTable());
    program.show();
    QCOMPARE(hiddenWindowsThatExist(), QStringList());
    QKeyEvent key(QEvent::ShortcutOverride, Qt::Key_F1, Qt::ControlModifier);
    QCoreApplication::sendEvent(childOf<QTextEdit>(program.mainForm(), objectnames::TextWindow), &key);
    QCOMPARE(hiddenWindowsThatExist(), kAllHidden);
}

void StartOrderTest::closingBeforeThePaintStillWritesTheReadingKeys() {
    ProgramFolder folder;
    TestState test(folder, kNow);
    {
        Program program(test.state, QString(), printsupport::linkedTable());
        program.mainForm().close();
    }
    const ProfileFile ini(test.state.settingsPath());
    QCOMPARE(ini.readInteger(QStringLiteral("Bible"), QStringLiteral("Odleva"), -1), 235);
    QCOMPARE(ini.readString(QStringLiteral("Bible"), QStringLiteral("Font"), QString()),
             QStringLiteral("Arial"));
}

void StartOrderTest::endingAtOnceMakesNoOtherWindow() {
    ProgramFolder folder;
    TestState test(folder, kNow);
    ProfileFile(test.state.settingsPath())
        .writeString(QStringLiteral("Hlavni"), QStringLiteral("Datum"), shortDateText(kNow.date()));
    Program program(test.state, QStringLiteral("a"), printsupport::linkedTable());
    QVERIFY(program.endsAtOnce());
    QCoreApplication::processEvents();
    QCOMPARE(hiddenWindowsThatExist(), QStringList());
    QVERIFY(!program.mainForm().isVisible());
}

QTEST_MAIN(StartOrderTest)
#include "startorder_test.moc"
