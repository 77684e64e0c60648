// Copying the shown page with its reference (Ctrl+Shift+C), the reading window's Ctrl+C, and the
// calendar export from the menu, through the real main window.
#include "controls/mylabel3d.h"
#include "dialogs/calendardialog.h"
#include "everydayfixture.h"
#include "readings/readingwindow.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QToolButton>

using namespace everyday;

class CopyExportTest : public QObject, Fixture {
    Q_OBJECT
private Q_SLOTS:
    void init() { setUpFolder(); }
    void cleanup() { tearDown(); }

    void copiesTheDayPage();
    void copiesTheWeekView();
    void ctrlCKeepsCopyingTheSelection();
    void readingWindowCopiesThePassage();
    void exportsTheYearByKeys();
    void exportsDaysFromTheShownDate();
    void failedExportSaysSoInCzech();
    void exportDialogIsNamed();
    void newItemsTakeNoAccessKeyOfTheirMenu_data();
    void newItemsTakeNoAccessKeyOfTheirMenu();
};

void CopyExportTest::copiesTheDayPage() {
    start();
    QTest::keyClick(child<QTextEdit>("TextWindow"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QMimeData *copied = QApplication::clipboard()->mimeData();
    QCOMPARE(copied->text(), QStringLiteral("Den 31.12.2025\n\nSlovo dne 365.\nUkázka 1, 365\n\n"
                                            "Učení 365; pravda.\nPříklad 8, 365\n\n"
                                            "Čtení na tento den: tb 1,1-2; tb 2,1-1"));
    QVERIFY(copied->hasHtml());
    QVERIFY2(copied->html().contains(QStringLiteral("<b>Den 31.12.2025</b>")), qPrintable(copied->html()));
    QVERIFY(copied->html().contains(QStringLiteral("<i>Příklad 8, 365</i>")));
    QVERIFY(!copied->text().contains(u'\\'));
    // The page of another day, shown by a key.
    QTest::keyClick(child<QTextEdit>("TextWindow"), Qt::Key_Left);
    QTest::keyClick(child<QTextEdit>("TextWindow"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("Den 30.12.2025\n\nSlovo dne 364.")));
    QVERIFY(!QApplication::clipboard()->text().contains(QStringLiteral("Čtení")));
}

void CopyExportTest::copiesTheWeekView() {
    start();
    child<QToolButton>("SpeedButton4")->click();
    const QStringList shown = child<QTextEdit>("TextWindow")->toPlainText().split(u'\n');
    QTest::keyClick(child<QTextEdit>("TextWindow"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QString copied = QApplication::clipboard()->text();
    QVERIFY2(copied.startsWith(QStringLiteral("KERLO TÝDNE\n\n")), qPrintable(copied));
    QCOMPARE(copied.split(u'\n').size(), 4); // heading, empty line, text, reference
    QCOMPARE(copied.split(u'\n').value(2), shown.value(2).trimmed());
    QVERIFY(!copied.contains(QStringLiteral("Čtení")));
}

void CopyExportTest::ctrlCKeepsCopyingTheSelection() {
    start();
    QTextEdit *view = child<QTextEdit>("TextWindow");
    QTextCursor c(view->document());
    c.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
    view->setTextCursor(c);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Den "));
}

void CopyExportTest::readingWindowCopiesThePassage() {
    start();
    QTest::keyClick(child<QTextEdit>("TextWindow"), Qt::Key_F1, Qt::ControlModifier);
    TBible &bible = m_program->bible();
    QVERIFY(becomesActive(&bible));
    auto *memo = childOf<QPlainTextEdit>(bible, "TMemo1");
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             childOf<TmyLabel3d>(bible, "Odkaz")->Caption() + u'\n' + memo->toPlainText());
    QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("tb 1,1-2\n")));
    QVERIFY(bible.isVisible()); // the key does not put the reading away
    QTextCursor c = memo->textCursor();
    c.movePosition(QTextCursor::Start);
    c.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 5);
    memo->setTextCursor(c);
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), memo->toPlainText().left(5));
}

void CopyExportTest::exportsTheYearByKeys() {
    start();
    const QString path = m_test->state.UserDataDir + QStringLiteral("out/moje.ics");
    QVERIFY(QDir().mkpath(m_test->state.UserDataDir + QStringLiteral("out")));
    QString offered;
    onModal([&](QWidget *dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("Kalendar"));
        QVERIFY(childOf<QRadioButton>(*dialog, "CelyRok")->isChecked());
        offered = childOf<QLineEdit>(*dialog, "Soubor")->text();
        QVERIFY(!childOf<QCheckBox>(*dialog, "Pripominka")->isChecked()); // off by default
        QVERIFY(!childOf<QTimeEdit>(*dialog, "CasPripominky")->isEnabled());
        childOf<QLineEdit>(*dialog, "Soubor")->setText(path);
        childOf<QCheckBox>(*dialog, "Pripominka")->setChecked(true);
        childOf<QTimeEdit>(*dialog, "CasPripominky")->setTime(QTime(6, 45));
        QTest::keyClick(childOf<QLineEdit>(*dialog, "Soubor"), Qt::Key_Return);
    });
    // The menu by its access keys: Alt+K, then E.
    QTest::keyClick(&main(), Qt::Key_K, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_E);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QVERIFY2(offered.endsWith(QStringLiteral("/hesla-2025.ics")), qPrintable(offered));
    const QByteArray file = readBytes(path);
    QCOMPARE(file.count("BEGIN:VEVENT\r\n"), 365);
    QCOMPARE(file.count("\r\nDTSTAMP:20251231T093000Z\r\n"), 365); // "now" is the context's
    QCOMPARE(file.count("TRIGGER;RELATED=START:PT6H45M\r\n"), 365);
    QVERIFY(file.contains("\r\nUID:20250107@kerla.example.org\r\n"));
    QVERIFY(file.contains("\r\nSUMMARY:Žalm 23\\, 1: Zpívej\\, Ďobalíku\\, píseň nová ledna.\r\n"));
    QCOMPARE(m_test->messages.messages,
             QStringList{QStringLiteral("Do kalendáře %1 je zapsáno 365 dnů.").arg(path)});
    QVERIFY(m_test->messages.errors.isEmpty());
    QVERIFY(main().isVisible());
}

void CopyExportTest::exportsDaysFromTheShownDate() {
    start(QDateTime(QDate(2024, 12, 30), QTime(9, 0), Qt::UTC));
    const QString path = m_test->state.UserDataDir + QStringLiteral("span.ics");
    onModal([&](QWidget *dialog) {
        childOf<QRadioButton>(*dialog, "OdData")->setChecked(true);
        childOf<QSpinBox>(*dialog, "PocetDni")->setValue(4);
        childOf<QLineEdit>(*dialog, "Soubor")->setText(path);
        childOf<QPushButton>(*dialog, "Exportovat")->click();
    });
    main().findChild<QAction *>(QStringLiteral("Kalendar1"))->trigger();
    const QByteArray file = readBytes(path);
    QCOMPARE(file.count("BEGIN:VEVENT\r\n"), 4);
    for (const char *day : {"20241230", "20241231", "20250101", "20250102"})
        QVERIFY2(file.contains(QByteArray("DTSTART;VALUE=DATE:") + day), day);
    QVERIFY(!file.contains("VALARM"));
    // Storno writes nothing.
    QVERIFY(QFile::remove(path));
    onModal([](QWidget *dialog) { childOf<QPushButton>(*dialog, "Storno")->click(); });
    main().findChild<QAction *>(QStringLiteral("Kalendar1"))->trigger();
    QVERIFY(!QFile::exists(path));
}

void CopyExportTest::failedExportSaysSoInCzech() {
    start();
    const QString path = m_test->state.UserDataDir + QStringLiteral("chybi/hesla-2025.ics");
    onModal([&](QWidget *dialog) {
        childOf<QLineEdit>(*dialog, "Soubor")->setText(path);
        childOf<QPushButton>(*dialog, "Exportovat")->click();
    });
    main().findChild<QAction *>(QStringLiteral("Kalendar1"))->trigger();
    QCOMPARE(m_test->messages.errors,
             QStringList{
                 QStringLiteral("Kalendář nelze uložit: do souboru %1 nelze zapisovat. Nic nebylo zapsáno.")
                     .arg(path)});
    QVERIFY(!QFile::exists(path));
    QVERIFY(m_test->messages.messages.isEmpty());
}

void CopyExportTest::exportDialogIsNamed() {
    TKalendar dialog;
    dialog.prepare(QDate(2026, 12, 9), QStringLiteral("/tmp"));
    dialog.show();
    const auto name = [&](const char *control) {
        return QAccessible::queryAccessibleInterface(childOf<QWidget>(dialog, control))
            ->text(QAccessible::Name);
    };
    QCOMPARE(QAccessible::queryAccessibleInterface(&dialog)->text(QAccessible::Name),
             QStringLiteral("Exportovat do kalendáře"));
    QCOMPARE(name("CelyRok"), QStringLiteral("Celý rok 2026"));
    QCOMPARE(name("OdData"), QStringLiteral("Od %1 na").arg(shortDateText(QDate(2026, 12, 9))));
    QCOMPARE(name("PocetDni"), QStringLiteral("Počet dní"));
    QCOMPARE(name("Soubor"), QStringLiteral("Soubor"));
    QCOMPARE(name("Vybrat"), QStringLiteral("Procházet…"));
    QCOMPARE(name("Pripominka"), QStringLiteral("Připomenout v"));
    QCOMPARE(name("CasPripominky"), QStringLiteral("Čas připomínky"));
    QCOMPARE(name("Exportovat"), QStringLiteral("Exportovat"));
    QCOMPARE(childOf<QLineEdit>(dialog, "Soubor")->text(), QStringLiteral("/tmp/hesla-2026.ics"));
    // Procházet… asks the file dialog, with the file name shown.
    QString asked;
    dialog.chooseFile = [&](QWidget *, const QString &path) {
        asked = path;
        return QStringLiteral("/jinam/moje.ics");
    };
    childOf<QPushButton>(dialog, "Vybrat")->click();
    QCOMPARE(asked, QStringLiteral("/tmp/hesla-2026.ics"));
    QCOMPARE(dialog.choice().path, QStringLiteral("/jinam/moje.ics"));
    // No file name, no export.
    childOf<QLineEdit>(dialog, "Soubor")->clear();
    QVERIFY(!childOf<QPushButton>(dialog, "Exportovat")->isEnabled());
}

void CopyExportTest::newItemsTakeNoAccessKeyOfTheirMenu_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("key");
    QTest::newRow("copy") << "Kerla"
                          << "KopirovatHeslo1"
                          << "H";
    QTest::newRow("calendar") << "Kerla"
                              << "Kalendar1"
                              << "E";
    QTest::newRow("search") << "Zobrazit"
                            << "Hledat1"
                            << "H";
}

// An access key that two items of a menu share only moves between them: the menu's own items (K
// ends the program once a day) keep theirs.
void CopyExportTest::newItemsTakeNoAccessKeyOfTheirMenu() {
    QFETCH(QString, menu);
    QFETCH(QString, item);
    QFETCH(QString, key);
    start();
    const QList<QAction *> items = child<QMenu>(menu.toLatin1().constData())->actions();
    QAction *added = child<QAction>(item.toLatin1().constData());
    QCOMPARE(QKeySequence::mnemonic(added->text()), QKeySequence(Qt::ALT | QKeySequence(key)[0].key()));
    for (QAction *other : items)
        if (other != added && !other->isSeparator())
            QVERIFY2(QKeySequence::mnemonic(other->text()) != QKeySequence::mnemonic(added->text()),
                     qPrintable(other->text()));
}

QTEST_MAIN(CopyExportTest)
#include "copy_export_test.moc"
