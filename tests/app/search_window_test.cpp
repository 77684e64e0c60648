// The search window through the real main window: Ctrl+F, the results as the user types, Enter
// and a double click showing the day while the window stays, Esc closing only it, unreadable and
// imported years, and what a screen reader reads of it. Its own Enter, Esc and arrows come first
// while it is active; everywhere else the menu's keys stay as they are.
#include "dialogs/searchresults.h"
#include "everydayfixture.h"
#include "faultshim.h"
#include "platform/formatlocale.h"
#include "readings/readingwindow.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDateEdit>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolButton>

using namespace everyday;

namespace {
// The label of a day's row as the list shows it.
QString dayLabel(QDate date) {
    return SearchResults::dateLabel({date, search::Kind::Day, 0, QString()});
}
} // namespace

class SearchWindowTest : public QObject, Fixture {
    Q_OBJECT
private Q_SLOTS:
    void init() { setUpFolder(); }
    void cleanup() { tearDown(); }

    void findsAsTheUserTypes();
    void enterShowsTheDayAndTheWindowStays();
    void enterNeverEndsTheProgram_data();
    void enterNeverEndsTheProgram();
    void escClosesOnlyTheSearch();
    void periodicResultShowsItsView();
    void unreadableYearIsNamedAndSkipped();
    void importedYearIsFound();
    void newKeysReachTheMenuFromEveryWindow();
    void screenReaderReadsEveryPart();
    void rowDates_data();
    void rowDates();
};

void SearchWindowTest::findsAsTheUserTypes() {
    start();
    THledani *search = openSearch(QStringLiteral("dobal"));
    QVERIFY(search);
    QVERIFY(childOf<QLineEdit>(*search, "HledatText")->hasFocus());
    auto *list = childOf<QListView>(*search, "Vysledky");
    QCOMPARE(list->model()->rowCount(), 24); // the 7th of each month, in both years
    QCOMPARE(childOf<QLabel>(*search, "Nalezeno")->text(), QStringLiteral("Nalezeno: 24 dnů"));
    // More words narrow it, in any order, without case or diacritics.
    QTest::keyClicks(childOf<QLineEdit>(*search, "HledatText"), QStringLiteral(" 23 ZALM Brezna"));
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(childOf<QLabel>(*search, "Nalezeno")->text(), QStringLiteral("Nalezeno: 2 dny"));
    // Newest year first; each row the date and the words around the match, the match in bold.
    const QModelIndex first = list->model()->index(0, 0);
    QCOMPARE(first.data().toString(),
             dayLabel(QDate(2025, 3, 7)) +
                 QStringLiteral(" – Zpívej, Ďobalíku, píseň nová března. (Žalm 23, 3) · "
                                "Učení 66; pravda. (Příklad 8, 66)"));
    QVERIFY2(first.data(SearchResults::HtmlRole)
                 .toString()
                 .contains(
                     QStringLiteral("<b>Ďobal</b>íku, píseň nová <b>března</b>. (<b>Žalm</b> <b>23</b>, 3)")),
             qPrintable(first.data(SearchResults::HtmlRole).toString()));
    QVERIFY(list->model()->index(1, 0).data().toString().startsWith(dayLabel(QDate(2024, 3, 7))));
    // Only one more day for one more word.
    QTest::keyClicks(childOf<QLineEdit>(*search, "HledatText"), QStringLiteral(" nic"));
    QCOMPARE(childOf<QLabel>(*search, "Nalezeno")->text(), QStringLiteral("Nalezeno: 0 dnů"));
    childOf<QLineEdit>(*search, "HledatText")
        ->setText(QStringLiteral("Slovo dne 366.")); // 2024 is a leap year
    QCOMPARE(childOf<QLabel>(*search, "Nalezeno")->text(), QStringLiteral("Nalezeno: 1 den"));
    childOf<QLineEdit>(*search, "HledatText")->clear();
    QCOMPARE(childOf<QLabel>(*search, "Nalezeno")->text(), QString());
    QCOMPARE(list->model()->rowCount(), 0);
}

void SearchWindowTest::enterShowsTheDayAndTheWindowStays() {
    start();
    THledani *search = openSearch(QStringLiteral("dobalik"));
    QVERIFY(search);
    const int refreshes = main().refreshCount();
    QTest::keyClick(childOf<QLineEdit>(*search, "HledatText"), Qt::Key_Return);
    QCOMPARE(main().dayView().shownDate(), QDate(2025, 1, 7));
    QCOMPARE(main().refreshCount(), refreshes + 1);
    QVERIFY(child<QTextEdit>("TextWindow")->toPlainText().contains(QStringLiteral("Den 7.1.2025")));
    QCOMPARE(child<QDateEdit>("Skoc")->date(), QDate(2025, 1, 7));
    QVERIFY(search->isVisible());
    QCOMPARE(QApplication::activeWindow(), search);
    // The arrows move in the list (not the date), the next Enter shows the next result.
    QTest::keyClick(childOf<QLineEdit>(*search, "HledatText"), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(main().dayView().shownDate(), QDate(2025, 1, 7));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(main().dayView().shownDate(), QDate(2025, 3, 7));
    // A double click on a row too.
    auto *list = childOf<QListView>(*search, "Vysledky");
    list->scrollTo(list->model()->index(12, 0));
    const QRect row = list->visualRect(list->model()->index(12, 0));
    // A double click, as the user's: a click, then the second press.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(main().dayView().shownDate(), QDate(2025, 3, 7)); // a single click only chooses the row
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(main().dayView().shownDate(), QDate(2024, 1, 7));
    // Left and Right in the field move its cursor.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A); // typing in the list goes on in the field
    auto *field = childOf<QLineEdit>(*search, "HledatText");
    QCOMPARE(field->text(), QStringLiteral("dobalika"));
    QVERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, Qt::Key_PageUp);
    QCOMPARE(main().dayView().shownDate(), QDate(2024, 1, 7));
    QVERIFY(!ended());
}

void SearchWindowTest::enterNeverEndsTheProgram_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("inList");
    QTest::addColumn<int>("key");
    QTest::newRow("empty field") << QString() << false << int(Qt::Key_Return);
    QTest::newRow("nothing found") << QStringLiteral("xyzzy") << false << int(Qt::Key_Return);
    QTest::newRow("found, keypad Enter") << QStringLiteral("dobalik") << false << int(Qt::Key_Enter);
    QTest::newRow("in the list") << QStringLiteral("dobalik") << true << int(Qt::Key_Return);
}

void SearchWindowTest::enterNeverEndsTheProgram() {
    QFETCH(QString, query);
    QFETCH(bool, inList);
    QFETCH(int, key);
    start();
    THledani *search = openSearch(query);
    QVERIFY(search);
    QWidget *target = childOf<QLineEdit>(*search, "HledatText");
    if (inList) {
        target = childOf<QListView>(*search, "Vysledky");
        target->setFocus();
    }
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(target, Qt::Key(key));
    QVERIFY(main().isVisible());
    QVERIFY(search->isVisible());
    QVERIFY(!ended());
    QVERIFY(!child<QToolButton>("SpeedButton8")->isChecked());
}

void SearchWindowTest::escClosesOnlyTheSearch() {
    start();
    THledani *search = openSearch(QStringLiteral("dobalik"));
    QVERIFY(search);
    QTest::keyClick(childOf<QLineEdit>(*search, "HledatText"), Qt::Key_Escape);
    QVERIFY(!search->isVisible());
    QVERIFY(main().isVisible());
    QVERIFY(!ended());
    // Elsewhere the keys are the menu's as before: Right moves the date, Esc ends the program.
    main().activateWindow();
    QVERIFY(becomesActive(&main()));
    QTest::keyClick(child<QTextEdit>("TextWindow"), Qt::Key_Right);
    QCOMPARE(main().dayView().shownDate(), QDate(2026, 1, 1));
    // Opened again, it is the same window, with the words still there.
    QTest::keyClick(child<QTextEdit>("TextWindow"), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(becomesActive(search));
    QCOMPARE(childOf<QLineEdit>(*search, "HledatText")->selectedText(), QStringLiteral("dobalik"));
    QCOMPARE(main().findChildren<THledani *>().size(), 1);
    QTest::keyClick(childOf<QLineEdit>(*search, "HledatText"), Qt::Key_Escape);
    main().activateWindow();
    QVERIFY(becomesActive(&main()));
    QTest::keyClick(child<QTextEdit>("TextWindow"), Qt::Key_Escape);
    QVERIFY(!main().isVisible());
    QVERIFY(ended());
}

void SearchWindowTest::periodicResultShowsItsView() {
    start(QDateTime(QDate(2025, 6, 1), QTime(8, 0), Qt::UTC));
    // The year's watchword, searched by its own words.
    child<QToolButton>("SpeedButton1")->click();
    const QString yearText = child<QTextEdit>("TextWindow")->toPlainText().split(u'\n').value(2);
    QVERIFY(!yearText.isEmpty());
    child<QToolButton>("SpeedButton9")->click();
    THledani *search = openSearch(yearText);
    QVERIFY(search);
    auto *list = childOf<QListView>(*search, "Vysledky");
    int row = 0;
    while (row < list->model()->rowCount() &&
           !list->model()->index(row, 0).data().toString().startsWith(QStringLiteral("Kerlo roku 2025")))
        ++row;
    QVERIFY(row < list->model()->rowCount());
    list->setCurrentIndex(list->model()->index(row, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(main().dayView().view(), DayView::View::Year);
    QCOMPARE(main().dayView().shownDate(), QDate(2025, 1, 1));
    QVERIFY(child<QTextEdit>("TextWindow")->toPlainText().startsWith(QStringLiteral("KERLO ROKU")));
}

void SearchWindowTest::unreadableYearIsNamedAndSkipped() {
    start();
    const faultshim::Scope faults;
    faultshim::refuseOpen((m_folder->path() + QStringLiteral("Kerla2024.rtf")).toLocal8Bit());
    THledani *search = openSearch(QStringLiteral("dobalik"));
    QVERIFY(search);
    QCOMPARE(childOf<QLabel>(*search, "Nalezeno")->text(), QStringLiteral("Nalezeno: 12 dnů"));
    QVERIFY(childOf<QLabel>(*search, "Stav")->isVisible());
    QCOMPARE(childOf<QLabel>(*search, "Stav")->text(),
             QStringLiteral("Rok 2024 nelze přečíst (%1Kerla2024.rtf).").arg(m_folder->path()));
    // Readable again, it is found the next time the window opens.
    faultshim::reset();
    QTest::keyClick(childOf<QLineEdit>(*search, "HledatText"), Qt::Key_Escape);
    main().activateWindow();
    QVERIFY(becomesActive(&main()));
    QTest::keyClick(child<QTextEdit>("TextWindow"), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(becomesActive(search));
    QCOMPARE(childOf<QLabel>(*search, "Nalezeno")->text(), QStringLiteral("Nalezeno: 24 dnů"));
    QVERIFY(!childOf<QLabel>(*search, "Stav")->isVisible());
}

void SearchWindowTest::importedYearIsFound() {
    writeYear(m_test->state.UserDataDir + QStringLiteral("kerla/"), 2026);
    start();
    THledani *search = openSearch(QStringLiteral("dobalik"));
    QVERIFY(search);
    QCOMPARE(childOf<QLabel>(*search, "Nalezeno")->text(), QStringLiteral("Nalezeno: 36 dnů"));
    QTest::keyClick(childOf<QLineEdit>(*search, "HledatText"), Qt::Key_Return);
    QCOMPARE(main().dayView().shownDate(), QDate(2026, 1, 7));
    QVERIFY(child<QTextEdit>("TextWindow")->toPlainText().contains(QStringLiteral("Den 7.1.2026")));
}

void SearchWindowTest::newKeysReachTheMenuFromEveryWindow() {
    start();
    // No two commands share a key.
    QList<QKeySequence> keys;
    for (QAction *a : main().menuBar()->findChildren<QAction *>())
        for (const QKeySequence &k : a->shortcuts()) {
            QVERIFY2(!keys.contains(k), qPrintable(k.toString()));
            keys.append(k);
        }
    QVERIFY(keys.contains(QKeySequence(Qt::CTRL | Qt::Key_F)));
    QVERIFY(keys.contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)));
    // The picker and the reading window leave them to the menu.
    QDateEdit *picker = child<QDateEdit>("Skoc");
    picker->setFocus();
    const QDate before = picker->date();
    QTest::keyClick(picker, Qt::Key_F, Qt::ControlModifier);
    auto *search = main().findChild<THledani *>(QStringLiteral("Hledani"));
    QVERIFY(search && search->isVisible());
    QCOMPARE(picker->date(), before);
    // Each window in turn is active before the next key (Windows hands activation on later).
    QVERIFY(becomesActive(search));
    search->close();
    main().activateWindow();
    QVERIFY(becomesActive(&main()));
    QTest::keyClick(child<QTextEdit>("TextWindow"), Qt::Key_F1, Qt::ControlModifier);
    TBible &bible = m_program->bible();
    QVERIFY(becomesActive(&bible));
    QApplication::clipboard()->clear();
    QTest::keyClick(childOf<QPlainTextEdit>(bible, "TMemo1"), Qt::Key_C,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("Den 31.12.2025")));
    QTest::keyClick(childOf<QPlainTextEdit>(bible, "TMemo1"), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(becomesActive(search));
}

void SearchWindowTest::screenReaderReadsEveryPart() {
    start();
    THledani *search = openSearch(QStringLiteral("dobalik"));
    QVERIFY(search);
    const auto name = [](QObject *o) {
        return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name);
    };
    QCOMPARE(name(search), QStringLiteral("Hledat"));
    auto *field = childOf<QLineEdit>(*search, "HledatText");
    QCOMPARE(name(field), QStringLiteral("Hledaná slova"));
    QCOMPARE(QAccessible::queryAccessibleInterface(field)->role(), QAccessible::EditableText);
    QVERIFY(!QAccessible::queryAccessibleInterface(field)->text(QAccessible::Description).isEmpty());
    // The count, read as it stands.
    auto *count = childOf<QLabel>(*search, "Nalezeno");
    QCOMPARE(name(count), QStringLiteral("Nalezeno: 24 dnů"));
    // The list and each of its rows: the date and the words around the match.
    auto *list = childOf<QListView>(*search, "Vysledky");
    QAccessibleInterface *rows = QAccessible::queryAccessibleInterface(list);
    QCOMPARE(rows->text(QAccessible::Name), QStringLiteral("Výsledky hledání"));
    QCOMPARE(rows->role(), QAccessible::List);
    QCOMPARE(rows->childCount(), 24);
    for (int i = 0; i < rows->childCount(); ++i) {
        QAccessibleInterface *row = rows->child(i);
        QCOMPARE(row->role(), QAccessible::ListItem);
        QCOMPARE(row->text(QAccessible::Name), list->model()->index(i, 0).data().toString());
        QVERIFY2(row->text(QAccessible::Name).contains(QStringLiteral("Ďobalíku")),
                 qPrintable(row->text(QAccessible::Name)));
    }
    QVERIFY(rows->child(0)->text(QAccessible::Name).startsWith(dayLabel(QDate(2025, 1, 7))));
    // By keyboard alone: Tab from the field into the list, Down to the next row.
    QVERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Tab);
    QVERIFY(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentIndex().row(), 1);
    QVERIFY(rows->child(1)->state().focused);
}

void SearchWindowTest::rowDates_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("number");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("label");
    QTest::newRow("week") << int(search::Kind::Week) << 12 << QDate(2025, 3, 16)
                          << QStringLiteral("Kerlo týdne 12 (2025)");
    QTest::newRow("month") << int(search::Kind::Month) << 3 << QDate(2025, 3, 1)
                           << QStringLiteral("Kerlo měsíce: březen 2025");
    QTest::newRow("year") << int(search::Kind::Year) << 1 << QDate(2025, 1, 1)
                          << QStringLiteral("Kerlo roku 2025");
    // A day in the user's short format, but with the whole year ("07.03.25" would not tell 1925).
    const bool czech = formattingLocale().language() == QLocale::Czech;
    QTest::newRow("day") << int(search::Kind::Day) << 0 << QDate(2025, 3, 7)
                         << (czech ? QStringLiteral("07.03.2025")
                                   : formattingLocale()
                                         .toString(QDate(2025, 3, 7), QLocale::ShortFormat)
                                         .replace(QStringLiteral("25"), QStringLiteral("2025")));
}

void SearchWindowTest::rowDates() {
    QFETCH(int, kind);
    QFETCH(int, number);
    QFETCH(QDate, date);
    QFETCH(QString, label);
    QCOMPARE(SearchResults::dateLabel({date, search::Kind(kind), number, QString()}), label);
}

QTEST_MAIN(SearchWindowTest)
#include "search_window_test.moc"
