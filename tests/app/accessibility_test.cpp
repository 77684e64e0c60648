// The windows as assistive technology and a dark desktop theme meet them: every caption is
// reachable by its name, the clickable captions can be pressed, and every text stays readable.
#include "app/mainform.h"
#include "app/objectnames.h"
#include "app/program.h"
#include "app/toolbaraccess.h"
#include "appfixture.h"
#include "controls/accessibility.h"
#include "controls/imageshape.h"
#include "controls/mylabel3d.h"
#include "dialogs/aboutwindow.h"
#include "dialogs/calendardialog.h"
#include "dialogs/documentviewer.h"
#include "dialogs/printsupport.h"
#include "dialogs/searchwindow.h"
#include "dialogs/settingsdialog.h"
#include "platform/colorvalue.h"
#include "platform/contrast.h"
#include "readings/readingwindow.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

const QDateTime kNow(QDate(2025, 12, 31), QTime(9, 30, 0));

QAccessibleInterface *accessible(QObject *object) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qWarning("no accessible interface for %s", qPrintable(object->objectName()));
    return iface;
}

QString nameOf(QObject *object) {
    QAccessibleInterface *iface = accessible(object);
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<none>");
}

// Presses a control as a screen reader does.
void press(QObject *object) {
    QAccessibleInterface *iface = accessible(object);
    QVERIFY(iface && iface->actionInterface());
    QVERIFY(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// The caption that a control shows, or a null string for a control that shows none.
QString visibleCaption(QWidget *w) {
    if (auto *label = qobject_cast<TmyLabel3d *>(w))
        return accessibility::visibleCaption(label->Caption(), label->ShowAccelChar());
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->pixmap().isNull() ? accessibility::visibleCaption(label->text(), true) : QString();
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return button->text().isEmpty() ? QString() : accessibility::visibleCaption(button->text(), true);
    if (auto *box = qobject_cast<QGroupBox *>(w))
        return accessibility::visibleCaption(box->title(), true);
    return {};
}

// Every control of the window that shows a caption is named by it; returns how many there were.
int checkCaptions(QWidget &window) {
    int checked = 0;
    for (QWidget *w : window.findChildren<QWidget *>()) {
        const QString caption = visibleCaption(w);
        if (caption.isEmpty() || !w->accessibleName().isEmpty())
            continue;
        [&] { QCOMPARE(nameOf(w), caption); }();
        ++checked;
    }
    return checked;
}

// A dark desktop theme, as the GTK dark themes give it: light text on dark windows.
QPalette darkPalette() {
    QPalette p;
    const QColor window(53, 53, 53), text(240, 240, 240), base(36, 36, 36);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Window, window);
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Base, base);
        p.setColor(group, QPalette::AlternateBase, window);
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::Button, window);
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::ToolTipBase, QColor(30, 30, 30));
        p.setColor(group, QPalette::ToolTipText, text);
        p.setColor(group, QPalette::Light, QColor(90, 90, 90));
        p.setColor(group, QPalette::Midlight, QColor(70, 70, 70));
        p.setColor(group, QPalette::Dark, QColor(30, 30, 30));
        p.setColor(group, QPalette::Shadow, Qt::black);
    }
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    return p;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void everyCaptionIsItsName();
    void clickableCaptionsPress();
    void toolbarNamesFollowTheirHints();
    void nameFromHint_data();
    void nameFromHint();
    void swatchTellsItsColour();
    void textsStayReadable_data();
    void textsStayReadable();
    void lightPaletteKeepsTodaysColours();
    void readableUserColoursWin();

private:
    void start();
    // Opens every window: the reading (from the first reading button), the about window, the
    // document viewer and the settings dialog, without their modal loops.
    void openAll();
    TMainForm &main() { return m_program->mainForm(); }
    QList<QWidget *> windows() {
        return {&main(), &m_program->bible(), &m_program->autor(), &m_program->form2(), &m_program->nastav()};
    }

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<TestState> m_test;
    std::unique_ptr<Program> m_program;
    QPalette m_palette;
};

void AccessibilityTest::init() {
    m_palette = QApplication::palette();
    m_folder = std::make_unique<ProgramFolder>();
    m_test = std::make_unique<TestState>(*m_folder, kNow);
}

void AccessibilityTest::cleanup() {
    m_program.reset();
    m_test.reset();
    m_folder.reset();
    QApplication::setPalette(m_palette);
}

void AccessibilityTest::start() {
    m_program = std::make_unique<Program>(m_test->state, QString(), printsupport::linkedTable());
    m_program->show();
    QVERIFY(QTest::qWaitForWindowExposed(&main()));
    // The menu's shortcuts act in the active window; a real window system activates it later.
    QVERIFY(QTest::qWaitForWindowActive(&main()));
}

void AccessibilityTest::openAll() {
    QTest::keyClick(childOf<QTextEdit>(main(), objectnames::TextWindow), Qt::Key_F1, Qt::ControlModifier);
    QVERIFY(m_program->bible().isVisible());
    m_program->autor().show();
    m_program->form2().show();
    m_program->nastav().show();
}

void AccessibilityTest::everyCaptionIsItsName() {
    start();
    openAll();
    int checked = 0;
    for (QWidget *window : windows()) {
        QVERIFY2(!window->windowTitle().isEmpty(), qPrintable(window->objectName()));
        checked += checkCaptions(*window);
    }
    QVERIFY2(checked >= 25, qPrintable(QString::number(checked)));

    // The 3-D captions, one by one.
    TBible &bible = m_program->bible();
    QCOMPARE(nameOf(childOf<TmyLabel3d>(bible, "Label3d1")), QStringLiteral("Čtení na tento den:"));
    QCOMPARE(nameOf(childOf<TmyLabel3d>(bible, "Odkaz")), childOf<TmyLabel3d>(bible, "Odkaz")->Caption());
    QVERIFY(childOf<TmyLabel3d>(bible, "Odkaz")->Caption() != QStringLiteral("Odkaz"));
    QCOMPARE(nameOf(childOf<TmyLabel3d>(bible, "Label3d")), QStringLiteral("Zavřít"));
    TAutor &about = m_program->autor();
    QVERIFY(
        nameOf(childOf<TmyLabel3d>(about, "myLabel3d1")).startsWith(QStringLiteral("Kerla Dorny verze ")));
    QCOMPARE(nameOf(childOf<TmyLabel3d>(about, "myLabel3d2")), QStringLiteral("freeware"));
    QCOMPARE(nameOf(childOf<TmyLabel3d>(about, "myLabel3d3")), QStringLiteral("www.example.org/kerla"));
    QCOMPARE(nameOf(childOf<TmyLabel3d>(about, "myLabel3d4")), QStringLiteral("kerla@example.org"));
    QCOMPARE(nameOf(childOf<TmyLabel3d>(about, "myLabel3d7")), QStringLiteral("Zavřít"));
    QCOMPARE(nameOf(childOf<TmyLabel3d>(m_program->form2(), "myLabel3d1")),
             QStringLiteral("O Kerlach Dorny"));
    QCOMPARE(accessible(childOf<TmyLabel3d>(about, "myLabel3d3"))->role(), QAccessible::Link);
    QCOMPARE(accessible(childOf<TmyLabel3d>(about, "myLabel3d4"))->role(), QAccessible::Link);
    QCOMPARE(accessible(childOf<TmyLabel3d>(about, "myLabel3d7"))->role(), QAccessible::Button);
    QCOMPARE(accessible(childOf<TmyLabel3d>(bible, "Label3d"))->role(), QAccessible::Button);
    QCOMPARE(accessible(childOf<TmyLabel3d>(bible, "Odkaz"))->role(), QAccessible::StaticText);

    QCOMPARE(accessible(&bible)->role(), QAccessible::Window);
    QCOMPARE(nameOf(&bible), bible.windowTitle());

    // The text views, and the pictures that only decorate.
    QCOMPARE(nameOf(childOf<QTextEdit>(main(), objectnames::TextWindow)), QStringLiteral("Kerlo"));
    QCOMPARE(nameOf(childOf<QPlainTextEdit>(bible, "TMemo1")), QStringLiteral("Text čtení"));
    QCOMPARE(nameOf(childOf<QTextEdit>(m_program->form2(), "RichEdit1")), QStringLiteral("Text dokumentu"));
    QVERIFY(accessible(childOf<TImageShape>(bible, "ImageShape1"))->state().invisible);
    QVERIFY(accessible(childOf<QLabel>(about, "Image1"))->state().invisible);
    QVERIFY(!accessible(childOf<TmyLabel3d>(bible, "Odkaz"))->state().invisible);
    // The date picker is named by its hint and tells the date as its value.
    QAccessibleInterface *picker = accessible(childOf<QDateEdit>(main(), objectnames::Skoc));
    QCOMPARE(picker->text(QAccessible::Name), QStringLiteral("Přejít na konkrétní datum"));
    QCOMPARE(picker->text(QAccessible::Value), childOf<QDateEdit>(main(), objectnames::Skoc)->text());

    // The reference that a reading shows is read out as it changes.
    const QString first = childOf<TmyLabel3d>(bible, "Odkaz")->Caption();
    QTest::keyClick(childOf<QTextEdit>(main(), objectnames::TextWindow), Qt::Key_F3, Qt::ControlModifier);
    QVERIFY(childOf<TmyLabel3d>(bible, "Odkaz")->Caption() != first);
    QCOMPARE(nameOf(childOf<TmyLabel3d>(bible, "Odkaz")), childOf<TmyLabel3d>(bible, "Odkaz")->Caption());
}

void AccessibilityTest::clickableCaptionsPress() {
    start();
    openAll();
    TBible &bible = m_program->bible();
    press(childOf<TmyLabel3d>(bible, "Label3d"));
    QVERIFY(!bible.isVisible());

    TAutor &about = m_program->autor();
    struct : LinkOpener {
        QList<QUrl> opened;
        bool open(const QUrl &url) override {
            opened.append(url);
            return true;
        }
    } links;
    QList<QUrl> &opened = links.opened;
    about.setLinkOpener(&links);
    press(childOf<TmyLabel3d>(about, "myLabel3d3"));
    press(childOf<TmyLabel3d>(about, "myLabel3d4"));
    QCOMPARE(opened, (QList<QUrl>{TAutor::webTarget(QStringLiteral("www.example.org/kerla")),
                                  QUrl(QStringLiteral("mailto:kerla@example.org"))}));
    QVERIFY(about.isVisible());
    press(childOf<TmyLabel3d>(about, "myLabel3d7"));
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Rejected));
}

void AccessibilityTest::toolbarNamesFollowTheirHints() {
    start();
    struct Expected {
        QToolButton *button;
        QString name, description;
    };
    const QList<Expected> expected{
        {childOf<QToolButton>(main(), objectnames::SpeedButton9), QStringLiteral("kerlo dne"),
         QStringLiteral("kerlo dne")},
        {childOf<QToolButton>(main(), objectnames::SpeedButton1), QStringLiteral("kerlo roku"),
         QStringLiteral("kerlo roku")},
        {childOf<QToolButton>(main(), objectnames::SpeedButton3), QStringLiteral("zítra"),
         QStringLiteral("zítra")},
        {childOf<QToolButton>(main(), objectnames::SpeedButton5), QStringLiteral("Ukončit program"),
         QStringLiteral("Ukončit program (Esc)")},
        {childOf<QToolButton>(main(), objectnames::SpeedButton8),
         QStringLiteral("Ukončit program (jednou denně)"),
         QStringLiteral("Ukončit program (jednou denně) (Enter)")},
    };
    for (const Expected &e : expected) {
        QAccessibleInterface *iface = accessible(e.button);
        QCOMPARE(iface->text(QAccessible::Name), e.name);
        QCOMPARE(iface->text(QAccessible::Description), e.description);
    }
    // Every button of the toolbar has a name, Qt's own for the controls that do not fit ("»") too.
    for (QToolButton *button : childOf<QToolBar>(main(), objectnames::Lista)
                                   ->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly))
        QVERIFY2(!nameOf(button).isEmpty(), qPrintable(button->objectName()));
    QCOMPARE(nameOf(childOf<QToolButton>(main(), "qt_toolbar_ext_button")),
             QStringLiteral("Další tlačítka lišty"));

    // The reading buttons are named after the shown date, and follow it.
    QCOMPARE(nameOf(childOf<QToolButton>(main(), objectnames::Cist1)),
             childOf<QToolButton>(main(), objectnames::Cist1)->toolTip());
    QVERIFY2(nameOf(childOf<QToolButton>(main(), objectnames::Cist1))
                 .startsWith(QStringLiteral("První čtení na ")),
             qPrintable(nameOf(childOf<QToolButton>(main(), objectnames::Cist1))));
    const QString before = nameOf(childOf<QToolButton>(main(), objectnames::Cist2));
    QTest::keyClick(childOf<QTextEdit>(main(), objectnames::TextWindow), Qt::Key_Right);
    QVERIFY(nameOf(childOf<QToolButton>(main(), objectnames::Cist2)) != before);
    QCOMPARE(nameOf(childOf<QToolButton>(main(), objectnames::Cist2)),
             childOf<QToolButton>(main(), objectnames::Cist2)->toolTip());
    QCOMPARE(accessible(childOf<QToolButton>(main(), objectnames::Cist3))->text(QAccessible::Description),
             childOf<QToolButton>(main(), objectnames::Cist3)->toolTip());
}

void AccessibilityTest::nameFromHint_data() {
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("name");
    QTest::newRow("no key") << QStringLiteral("kerlo týdne") << QStringLiteral("kerlo týdne");
    QTest::newRow("Esc") << QStringLiteral("Ukončit program (Esc)") << QStringLiteral("Ukončit program");
    QTest::newRow("words in parentheses stay") << QStringLiteral("Ukončit program (jednou denně) (Enter)")
                                               << QStringLiteral("Ukončit program (jednou denně)");
    QTest::newRow("only words in parentheses") << QStringLiteral("Ukončit program (jednou denně)")
                                               << QStringLiteral("Ukončit program (jednou denně)");
    QTest::newRow("chord") << QStringLiteral("Tisk (Ctrl+P)") << QStringLiteral("Tisk");
    QTest::newRow("function key") << QStringLiteral("Autor (F2)") << QStringLiteral("Autor");
    QTest::newRow("empty") << QString() << QString();
}

void AccessibilityTest::nameFromHint() {
    QFETCH(QString, hint);
    QFETCH(QString, name);
    QCOMPARE(toolbaraccess::nameFromHint(hint), name);
}

void AccessibilityTest::swatchTellsItsColour() {
    start();
    TNastav &nastav = m_program->nastav();
    nastav.show();
    QCOMPARE(nameOf(childOf<ClickLabel>(nastav, "Label4")), QStringLiteral("Barva podkladu: bílá"));
    QCOMPARE(accessible(childOf<ClickLabel>(nastav, "Label3"))->text(QAccessible::Description),
             QStringLiteral("Barva písma: barva textu okna"));
    QVERIFY(QMetaObject::invokeMethod(&nastav, "Button3Click")); // the defaults: black on white
    QCOMPARE(accessible(childOf<ClickLabel>(nastav, "Label3"))->text(QAccessible::Description),
             QStringLiteral("Barva písma: černá"));
    nastav.close();
    main().setBackgroundColor(colorvalue::Yellow);
    nastav.show();
    QCOMPARE(nameOf(childOf<ClickLabel>(nastav, "Label4")), QStringLiteral("Barva podkladu: žlutá"));
}

void AccessibilityTest::textsStayReadable_data() {
    QTest::addColumn<bool>("classic");
    QTest::newRow("sheet of paper") << false;
    QTest::newRow("classic reading window") << true;
}

void AccessibilityTest::textsStayReadable() {
    QFETCH(bool, classic);
    QApplication::setPalette(darkPalette());
    start();
    m_program->bible().setClassicReadingWindow(classic);
    openAll();
    const auto readable = [](const QColor &text, const QColor &background, const char *what) {
        const double ratio = contrast::contrastRatio(text, background);
        QVERIFY2(ratio >= contrast::MinimumRatio,
                 qPrintable(QStringLiteral("%1: %2 on %3 is %4:1")
                                .arg(QLatin1String(what), text.name(), background.name())
                                .arg(ratio)));
    };

    // The page: light theme text would be lost on the default white page.
    const QPalette page = childOf<QTextEdit>(main(), objectnames::TextWindow)->palette();
    readable(page.color(QPalette::Text), page.color(QPalette::Base), "page");
    QTextCursor c(childOf<QTextEdit>(main(), objectnames::TextWindow)->document());
    c.movePosition(QTextCursor::NextCharacter);
    readable(c.charFormat().foreground().color(), page.color(QPalette::Base), "page text");

    // The reading text.
    TBible &bible = m_program->bible();
    QCOMPARE(bible.isClassic(), classic);
    const QPalette memo = childOf<QPlainTextEdit>(bible, "TMemo1")->palette();
    readable(memo.color(QPalette::Text), memo.color(QPalette::Base), "reading");

    // Every 3-D caption against what lies behind it.
    QSet<TmyLabel3d *> labels;
    for (QWidget *window : windows()) {
        for (TmyLabel3d *label : window->findChildren<TmyLabel3d *>()) {
            readable(label->faceColor(), label->backdropColor(), qPrintable(label->objectName()));
            labels.insert(label);
        }
    }
    QCOMPARE(labels.size(), 9);
    // The about window's plain captions lie on its picture too.
    TAutor &about = m_program->autor();
    const QImage picture = childOf<QLabel>(about, "Image1")->pixmap().toImage();
    QCOMPARE(picture.size(), about.size());
    for (QLabel *label : {childOf<QLabel>(about, "Label1"), childOf<QLabel>(about, "Label2"),
                          childOf<QLabel>(about, "Label3"), childOf<QLabel>(about, "Label5"),
                          childOf<QLabel>(about, "Label8")})
        readable(label->palette().color(QPalette::WindowText),
                 contrast::averageColor(picture, label->geometry()), qPrintable(label->objectName()));

    // The settings dialog's sample on its swatch.
    TNastav &nastav = m_program->nastav();
    readable(childOf<ClickLabel>(nastav, "Label3")->palette().color(QPalette::WindowText),
             childOf<ClickLabel>(nastav, "Label4")->palette().color(QPalette::Window), "sample");

    // Pictures of the windows in the dark theme, beside the test program, to be looked at.
    for (QWidget *window : {static_cast<QWidget *>(&main()), static_cast<QWidget *>(&bible),
                            static_cast<QWidget *>(&m_program->autor())}) {
        const QString path = QStringLiteral("%1/dark_%2%3.png")
                                 .arg(QCoreApplication::applicationDirPath(), window->objectName(),
                                      classic ? QStringLiteral("_classic") : QString());
        QVERIFY2(window->grab().save(path), qPrintable(path));
    }

    // Nothing stored changes.
    QCOMPARE(main().textFontColor(), colorvalue::clWindowText);
    QCOMPARE(main().backgroundColor(), colorvalue::White);
    QCOMPARE(bible.readingFontColor(), colorvalue::clWindowText);
    QCOMPARE(childOf<TmyLabel3d>(bible, "Label3d")->FontColor(), colorvalue::clWindowText);
    QCOMPARE(nastav.label3Color(), colorvalue::clWindowText);
}

void AccessibilityTest::lightPaletteKeepsTodaysColours() {
    start();
    openAll();
    const QColor windowText = colorvalue::toQColor(colorvalue::clWindowText);
    QCOMPARE(childOf<QTextEdit>(main(), objectnames::TextWindow)->palette().color(QPalette::Text),
             windowText);
    QCOMPARE(childOf<QTextEdit>(main(), objectnames::TextWindow)->palette().color(QPalette::Base),
             QColor(Qt::white));
    QTextCursor c(childOf<QTextEdit>(main(), objectnames::TextWindow)->document());
    c.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(c.charFormat().foreground().color(), windowText);
    QCOMPARE(childOf<QPlainTextEdit>(m_program->bible(), "TMemo1")->palette().color(QPalette::Text),
             windowText);
    for (QWidget *window : windows()) {
        for (TmyLabel3d *label : window->findChildren<TmyLabel3d *>())
            QCOMPARE(label->faceColor(), colorvalue::toQColor(label->FontColor()));
    }
    for (QLabel *label : m_program->autor().findChildren<QLabel *>())
        QCOMPARE(label->palette().color(QPalette::WindowText),
                 QApplication::palette().color(QPalette::WindowText));
    m_program->bible().switchToClassic();
    QCOMPARE(childOf<QPlainTextEdit>(m_program->bible(), "TMemo1")->palette().color(QPalette::Text),
             windowText);
    for (TmyLabel3d *label : m_program->bible().findChildren<TmyLabel3d *>())
        QCOMPARE(label->faceColor(), colorvalue::toQColor(label->FontColor()));
}

void AccessibilityTest::readableUserColoursWin() {
    start();
    // Navy on yellow reads well and stays; light grey on the yellow does not.
    main().setBackgroundColor(colorvalue::Yellow);
    main().setTextFont(main().textFont(), colorvalue::Navy);
    QCOMPARE(childOf<QTextEdit>(main(), objectnames::TextWindow)->palette().color(QPalette::Text),
             QColor(0, 0, 128));
    main().setTextFont(main().textFont(), 0xE0E0E0);
    QCOMPARE(childOf<QTextEdit>(main(), objectnames::TextWindow)->palette().color(QPalette::Text),
             QColor(Qt::black));
    QCOMPARE(main().textFontColor(), 0xE0E0E0);
    // A new background resolves the stored text colour again.
    main().setBackgroundColor(colorvalue::Navy);
    QCOMPARE(childOf<QTextEdit>(main(), objectnames::TextWindow)->palette().color(QPalette::Text),
             QColor(0xE0, 0xE0, 0xE0));
    main().FormShow();
    QTextCursor c(childOf<QTextEdit>(main(), objectnames::TextWindow)->document());
    c.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(c.charFormat().foreground().color(), QColor(0xE0, 0xE0, 0xE0));

    TBible &bible = m_program->bible();
    bible.setReadingFont(bible.readingFont(), colorvalue::White);
    QCOMPARE(childOf<QPlainTextEdit>(bible, "TMemo1")->palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(bible.readingFontColor(), colorvalue::White);
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
