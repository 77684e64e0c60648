// Walks every window in a font setup of its own, made with a FONTCONFIG_FILE of this test:
//   design  the faces that scripts/setup.sh installs: Liberation, DejaVu, and Wine's Tahoma and
//           MS Sans Serif registered by the program from their folder;
//   dejavu  DejaVu alone, and no Wine faces: every design face is missing.
// In each window no caption is clipped by its control or runs into another control, and with the
// design faces the windows keep their design geometry. Each window is saved as a picture beside
// the test, named after the setup, the scale (QT_SCALE_FACTOR) and the locale (LANG), whose time
// format the clock must hold whole.
#include "app/mainform.h"
#include "app/objectnames.h"
#include "art/toolbarart.h"
#include "controls/captionfit.h"
#include "controls/imageshape.h"
#include "controls/mylabel3d.h"
#include "dialogs/aboutwindow.h"
#include "dialogs/calendardialog.h"
#include "dialogs/documentviewer.h"
#include "dialogs/fontchoice.h"
#include "dialogs/printsupport.h"
#include "dialogs/searchwindow.h"
#include "dialogs/settingsdialog.h"
#include "pages/appcontext.h"
#include "pages/settingsfile.h"
#include "pages/settingskeys.h"
#include "platform/designfonts.h"
#include "readings/readingwindow.h"
#include "readings/sheetpicture.h"
#include "recordingsink.h"
#include "testenv.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

const QString LiberationFolder = QStringLiteral("/usr/share/fonts/truetype/liberation");
const QString DejaVuFolder = QStringLiteral("/usr/share/fonts/truetype/dejavu");

QString g_setup;          // "design" or "dejavu"
QStringList g_registered; // the faces that the start-up registered
QString g_wineFolder;     // where it looked for them

bool designSetup() {
    return g_setup == QLatin1String("design");
}

QString scaleName() {
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    return factor.isEmpty() ? QStringLiteral("1x") : QString::fromLatin1(factor) + QLatin1Char('x');
}

// Writes the font configuration of the setup; the fonts of the machine stay unseen.
bool writeFontConfig(const QString &path, const QString &cacheFolder) {
    QStringList folders{DejaVuFolder};
    if (designSetup())
        folders.prepend(LiberationFolder);
    QByteArray xml = "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\"><fontconfig>\n";
    for (const QString &folder : folders)
        xml += "<dir>" + folder.toUtf8() + "</dir>\n";
    xml += "<cachedir>" + cacheFolder.toUtf8() + "</cachedir>\n";
    xml += "<include ignore_missing=\"yes\">/etc/fonts/conf.d</include></fontconfig>\n";
    return writeBytes(path, xml);
}

QString mnemonicFree(QString text) {
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// A control that shows a caption: where its text lies, and the room it has, in its own
// coordinates. Empty when the control shows no text.
struct TextPlace {
    QRect text;
    QRect room;
};

TextPlace textPlace(const QWidget *w) {
    const QFontMetrics fm = w->fontMetrics();
    if (const auto *label = qobject_cast<const TmyLabel3d *>(w)) {
        if (label->Caption().isEmpty())
            return {};
        const int flags = (label->WordWrap() ? Qt::TextWordWrap : 0) | Qt::TextShowMnemonic;
        return {
            fm.boundingRect(label->rect(), int(label->alignment()) | Qt::AlignTop | flags, label->Caption()),
            label->rect()};
    }
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
            return {};
        const QRect room = label->contentsRect().marginsRemoved(
            QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
        if (!label->wordWrap())
            return {fm.boundingRect(room, int(label->alignment()), label->text()), room};
        // A wrapped label lays its text out in its width, from the top or centred.
        QRect text = fm.boundingRect(QRect(room.left(), room.top(), room.width(), 1 << 20),
                                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, label->text());
        if (label->alignment() & Qt::AlignVCenter)
            text.moveTop(room.top() + std::max(0, (room.height() - text.height()) / 2));
        return {text, room};
    }
    if (const auto *box = qobject_cast<const QCheckBox *>(w)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        return {fm.boundingRect(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, box->text()),
                room};
    }
    if (const auto *button = qobject_cast<const QPushButton *>(w)) {
        if (button->text().isEmpty())
            return {};
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return {fm.boundingRect(room, Qt::AlignCenter | Qt::TextShowMnemonic, button->text()), room};
    }
    if (const auto *box = qobject_cast<const QGroupBox *>(w)) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect room =
            box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        const int width = fm.horizontalAdvance(mnemonicFree(box->title()));
        // The title must lie within the box.
        return {QRect(room.left(), room.top(), width, room.height()), box->rect()};
    }
    if (const auto *combo = qobject_cast<const QComboBox *>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.subControls = QStyle::SC_All;
        const QRect room =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        return {QRect(room.topLeft(), QSize(fm.horizontalAdvance(combo->currentText()), room.height())),
                room};
    }
    if (const auto *edit = qobject_cast<const QLineEdit *>(w)) {
        // Qt keeps two pixels either side of a line edit's text.
        const QRect room = edit->contentsRect().marginsRemoved(edit->textMargins()).adjusted(2, 0, -2, 0);
        return {QRect(room.topLeft(), QSize(fm.horizontalAdvance(edit->text()), room.height())), room};
    }
    return {};
}

QRect inWindow(const QWidget *w, const QRect &r) {
    return QRect(w->mapTo(w->window(), r.topLeft()), r.size());
}

// The part of a control that another caption must not cover: a group box only by its title,
// everything else by its whole rectangle.
QRect body(const QWidget *w) {
    // A label shows nothing beyond its text: its box may lie under a neighbour's by design.
    if (qobject_cast<const QGroupBox *>(w) || qobject_cast<const QLabel *>(w) ||
        qobject_cast<const TmyLabel3d *>(w)) {
        const TextPlace title = textPlace(w);
        if (title.text.isNull())
            return inWindow(w, w->rect());
        return inWindow(w, title.text & w->rect());
    }
    return inWindow(w, w->rect());
}

bool related(const QWidget *a, const QWidget *b) {
    return a->isAncestorOf(b) || b->isAncestorOf(a);
}

// No visible caption of the window is clipped, leaves the window (or its shape), or runs into
// another visible control. `under` names the controls that lie under others by design (a picture
// behind the labels, a swatch under its sample text): they are not neighbours.
void captionsWhole(QWidget &window, const QList<const QWidget *> &under = {}) {
    QList<QWidget *> controls;
    for (QWidget *w : window.findChildren<QWidget *>())
        if (w->isVisible() && !w->isWindow() && w->window() == &window)
            controls.append(w);
    QVERIFY(!controls.isEmpty());
    int captions = 0;
    for (QWidget *a : std::as_const(controls)) {
        const TextPlace place = textPlace(a);
        if (place.text.isNull())
            continue;
        ++captions;
        const QString name = window.objectName() + QLatin1Char('/') + a->objectName() + QLatin1Char(' ') +
                             QLatin1String(a->metaObject()->className()) + QLatin1Char(' ');
        QVERIFY2(place.room.contains(place.text),
                 qPrintable(name + QStringLiteral("clipped: text %1 in %2")
                                       .arg(QDebug::toString(place.text), QDebug::toString(place.room))));
        const QRect text = inWindow(a, place.text);
        QVERIFY2(window.rect().contains(text), qPrintable(name + QStringLiteral("leaves the window")));
        // A shaped window shows only its shape: the part of a caption outside it is cut away.
        const QRegion cut = QRegion(text) - window.mask();
        QVERIFY2(window.mask().isEmpty() || cut.isEmpty(),
                 qPrintable(name + QStringLiteral("leaves the window's shape: text %1, cut %2")
                                       .arg(QDebug::toString(text), QDebug::toString(cut.boundingRect()))));
        for (QWidget *b : std::as_const(controls)) {
            if (a == b || related(a, b) || under.contains(b) || qobject_cast<QToolBar *>(b))
                continue;
            // The parts of another control (its line edit, its scroll bars) count as that control.
            QWidget *parent = b->parentWidget();
            if (parent != &window && parent != a->parentWidget() && !qobject_cast<QGroupBox *>(parent) &&
                !qobject_cast<QToolBar *>(parent))
                continue;
            QVERIFY2(!text.intersects(body(b)),
                     qPrintable(
                         name + QStringLiteral("runs into ") + b->objectName() + QLatin1Char(' ') +
                         QLatin1String(b->metaObject()->className()) +
                         QStringLiteral(": %1 / %2").arg(QDebug::toString(text), QDebug::toString(body(b)))));
        }
    }
    QVERIFY2(captions > 0, qPrintable(window.objectName()));
}

// How much ink a line of text in the font takes.
qint64 ink(const QFont &font) {
    QImage image(300, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Čtení na tento den"));
    painter.end();
    qint64 sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += 255 - qGray(image.pixel(x, y));
    return sum;
}

void save(QWidget &window, const QString &name) {
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);
    const QString path =
        QCoreApplication::applicationDirPath() +
        QStringLiteral("/geometry-%1-%2-%3-%4.png").arg(g_setup, scaleName(), QLocale::system().name(), name);
    QVERIFY2(window.grab().save(path), qPrintable(path));
    qInfo("saved %s", qPrintable(path));
}

class ShownViewer : public TForm2 {
public:
    void showModal() override { show(); }
};

} // namespace

class GeometryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void mainWindow();
    void settingsDialog();
    void fontDialog();
    void aboutWindow();
    void documentViewer();
    void readingWindow();
    void messageBox();
    void searchAndExport();

private:
    std::unique_ptr<TempUserData> m_user;
    RecordingMessageSink m_sink;
    AppContext m_state;
    SettingsFile m_settings;
};

void GeometryTest::initTestCase() {
    // The setup's faces are what the program's text is measured with.
    QCOMPARE(g_registered, designSetup()
                               ? QStringList({QStringLiteral("Tahoma"), QStringLiteral("MS Sans Serif")})
                               : QStringList());
    QCOMPARE(QFontDatabase::hasFamily(QStringLiteral("Tahoma")), designSetup());
    QCOMPARE(QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif")), designSetup());
    QCOMPARE(QFontDatabase::hasFamily(QStringLiteral("Liberation Sans")), designSetup());
    QVERIFY(QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans")));
    QVERIFY(!QFontDatabase::hasFamily(QStringLiteral("Arial")));
    // A second call finds the faces there and registers nothing more.
    QCOMPARE(designfonts::install(g_wineFolder), QStringList());
    if (!designSetup())
        return;
    // Bold page text comes out bold: its strokes carry clearly more ink than the regular ones.
    QFont regular(QStringLiteral("Tahoma"), 10);
    QFont bold = regular;
    bold.setBold(true);
    QCOMPARE(QFontInfo(bold).family(), QStringLiteral("Tahoma"));
    const qint64 regularInk = ink(regular), boldInk = ink(bold);
    QVERIFY2(boldInk > regularInk * 5 / 4,
             qPrintable(QStringLiteral("%1 / %2").arg(boldInk).arg(regularInk)));
    // The remaining design faces stand in by their free twins.
    const QList<QPair<QString, QString>> standIns{
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")}};
    for (const auto &[design, standIn] : standIns)
        QCOMPARE(QFontInfo(QFont(design, 10)).family(), standIn);
}

void GeometryTest::init() {
    m_user = std::make_unique<TempUserData>();
    m_sink = RecordingMessageSink();
    m_state = AppContext();
    m_settings = SettingsFile();
    m_state.messages = &m_sink;
    m_state.UserDataDir = m_user->path();
    m_state.ProgramDir = QStringLiteral(KERLA_BIN_DIR "/");
    m_state.clock.now = [] { return QDateTime(QDate(2025, 9, 24), QTime(23, 58, 58)); };
}

void GeometryTest::mainWindow() {
    // The first run: no settings file.
    TMainForm main(m_state, m_settings, QString());
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(QMetaObject::invokeMethod(&main, "Timer1Timer"));
    // The day page's bold lines are bold in the page's face.
    QTextCursor heading(childOf<QTextEdit>(main, objectnames::TextWindow)->document());
    heading.setPosition(1);
    QVERIFY(heading.charFormat().font().bold());
    QCOMPARE(QFontInfo(heading.charFormat().font()).family(),
             designSetup() ? QStringLiteral("Tahoma") : QStringLiteral("DejaVu Sans"));
    QVERIFY(ink(heading.charFormat().font()) >
            ink(childOf<QTextEdit>(main, objectnames::TextWindow)->font()) * 5 / 4);
    // The whole toolbar is on screen, the clock included, and no wider window than needed.
    QVERIFY(childOf<QLabel>(main, objectnames::Panel1)->isVisible());
    QVERIFY2(childOf<QToolBar>(main, objectnames::Lista)
                 ->rect()
                 .contains(childOf<QLabel>(main, objectnames::Panel1)->geometry()),
             qPrintable(QDebug::toString(childOf<QLabel>(main, objectnames::Panel1)->geometry()) +
                        QDebug::toString(childOf<QToolBar>(main, objectnames::Lista)->geometry()) +
                        QDebug::toString(childOf<QToolBar>(main, objectnames::Lista)->sizeHint()) +
                        QDebug::toString(main.geometry()) +
                        QDebug::toString(childOf<QDateEdit>(main, objectnames::Skoc)->geometry())));
    auto *more = childOf<QToolBar>(main, objectnames::Lista)
                     ->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
    QVERIFY(!more || !more->isVisible());
    QCOMPARE(main.height(), settingskeys::defaults::FirstRunHeight);
    QVERIFY(main.width() >= settingskeys::defaults::FirstRunWidth);
    // No wider than needed: the clock ends within a few pixels of the window's right edge.
    if (main.width() > settingskeys::defaults::FirstRunWidth)
        QVERIFY2(childOf<QLabel>(main, objectnames::Panel1)
                         ->mapTo(&main, QPoint(childOf<QLabel>(main, objectnames::Panel1)->width(), 0))
                         .x() >= main.width() - 4,
                 qPrintable(QString::number(main.width())));
    // The picker shows the whole date in Czech where no language was chosen, or the user's.
    QVERIFY(childOf<QDateEdit>(main, objectnames::Skoc)->width() >= 156);
    QVERIFY(!childOf<QDateEdit>(main, objectnames::Skoc)->text().isEmpty());
    // The picker shows the widest date of the year whole.
    for (const QDate day :
         {QDate(2025, 9, 24), QDate(2025, 11, 26), QDate(2025, 6, 18), QDate(2025, 12, 31)}) {
        childOf<QDateEdit>(main, objectnames::Skoc)->setDate(day);
        captionsWhole(main);
    }
    // The clock holds every hour of the user's time format whole ("11:58:48 PM" under en_US).
    for (int hour = 0; hour < 24; ++hour) {
        m_state.clock.now = [hour] { return QDateTime(QDate(2025, 9, 24), QTime(hour, 58, 48)); };
        QVERIFY(QMetaObject::invokeMethod(&main, "Timer1Timer"));
        const TextPlace clock = textPlace(childOf<QLabel>(main, "Panel1"));
        QVERIFY2(clock.room.contains(clock.text), qPrintable(childOf<QLabel>(main, "Panel1")->text()));
    }
    // The pictures drawn by code are sharp at the screen's density.
    const qreal ratio = main.devicePixelRatioF();
    for (QToolButton *button : {childOf<QToolButton>(main, objectnames::SpeedButton7),
                                childOf<QToolButton>(main, objectnames::SpeedButton2),
                                childOf<QToolButton>(main, objectnames::Cist1),
                                childOf<QToolButton>(main, objectnames::SpeedButton5)}) {
        const QPixmap shown = button->icon().pixmap(button->iconSize(), ratio);
        QCOMPARE(shown.devicePixelRatio(), ratio);
        QCOMPARE(shown.size(), button->iconSize() * ratio);
    }
    QCOMPARE(childOf<QToolButton>(main, objectnames::Cist1)
                 ->icon()
                 .pixmap(QSize(32, 32), ratio)
                 .toImage()
                 .convertToFormat(QImage::Format_RGB32),
             toolbarart::draw(toolbarart::Picture::Reading1, ratio).convertToFormat(QImage::Format_RGB32));
    for (const qreal density : {1.5, 2.0}) {
        const QImage dense = toolbarart::draw(toolbarart::Picture::Today, density);
        QCOMPARE(dense.size(), QSize(32, 32) * density);
        QCOMPARE(dense.devicePixelRatio(), density);
    }
    save(main, QStringLiteral("main"));
    main.close();
}

void GeometryTest::settingsDialog() {
    TMainForm main(m_state, m_settings, QString());
    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(m_state, settingsFile);
    TNastav dialog(m_state, main, bible);
    dialog.show();
    QCOMPARE(dialog.size(), QSize(345, 290));
    if (designSetup()) {
        // The design faces keep the design places.
        QCOMPARE(childOf<ClickLabel>(dialog, "Label4")->geometry(), QRect(96, 16, 241, 25));
        QCOMPARE(childOf<ClickLabel>(dialog, "Label3")->pos(), QPoint(152, 22));
    }
    // The swatch keeps its right edge; its sample text lies on it.
    QCOMPARE(childOf<ClickLabel>(dialog, "Label4")->geometry().right(), 96 + 241 - 1);
    QVERIFY(childOf<ClickLabel>(dialog, "Label4")
                ->geometry()
                .contains(childOf<ClickLabel>(dialog, "Label3")->geometry()));
    captionsWhole(dialog, {childOf<ClickLabel>(dialog, "Label4")});
    save(dialog, QStringLiteral("settings"));
}

void GeometryTest::fontDialog() {
    QFont start(QStringLiteral("Tahoma"), 10);
    start.setBold(true);
    FontChoiceDialog dialog({start, 0}, true);
    dialog.setObjectName(QStringLiteral("FontDialog"));
    dialog.setWindowTitle(QStringLiteral("Zvolte písmo hlavního okna"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    captionsWhole(dialog);
    save(dialog, QStringLiteral("font-dialog"));
}

void GeometryTest::aboutWindow() {
    TAutor about(m_state, printsupport::linkedTable());
    about.show();
    QCOMPARE(about.size(), QSize(450, 338));
    if (designSetup()) {
        QCOMPARE(childOf<TmyLabel3d>(about, "myLabel3d1")->pos(), QPoint(8, 32));
        QCOMPARE(childOf<TmyLabel3d>(about, "myLabel3d2")->pos(), QPoint(368, 37));
    }
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    captionsWhole(about, {childOf<QLabel>(about, "Image1")});
    save(about, QStringLiteral("about"));
}

void GeometryTest::documentViewer() {
    ShownViewer viewer;
    QVERIFY(documents::showDocument(m_state, viewer, documents::AboutWatchwords));
    QVERIFY(m_sink.all.isEmpty());
    QCOMPARE(viewer.size(), QSize(377, 282));
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    captionsWhole(viewer);
    save(viewer, QStringLiteral("document"));
}

void GeometryTest::readingWindow() {
    SettingsFile settingsFile; // the window alone reads Kerla.ini into it
    TBible bible(m_state, settingsFile);
    QVERIFY(writeBytes(m_state.readingTextPath(), "Am 1,1 Slova Amosova.\r\n"));
    childOf<TmyLabel3d>(bible, "Odkaz")->setText(QStringLiteral("Am 1,1-3,15"));
    bible.showReading();
    QVERIFY(QTest::qWaitForWindowExposed(&bible));
    TmyLabel3d *odkaz = childOf<TmyLabel3d>(bible, "Odkaz");
    TmyLabel3d *heading = childOf<TmyLabel3d>(bible, "Label3d1");
    if (designSetup())
        QCOMPARE(odkaz->pos(), QPoint(236, 40));
    // The reference starts after the heading. DejaVu's is too wide for the paper there: it lies
    // on the paper below the text area.
    if (designSetup())
        QVERIFY(odkaz->x() > heading->geometry().right());
    else
        QVERIFY(odkaz->y() > childOf<QPlainTextEdit>(bible, "TMemo1")->geometry().bottom());
    // The window is shaped by the sheet, so its captions are checked against the paper.
    QVERIFY(!bible.mask().isEmpty());
    QVERIFY(!bible.mask().contains(QPoint(0, 0)));
    captionsWhole(bible, {childOf<TImageShape>(bible, "ImageShape1")});
    // A short reference goes back beside the heading, and a long one away from it again.
    const QPoint longPlace = odkaz->pos();
    odkaz->setText(QStringLiteral("Ž 1"));
    QCOMPARE(odkaz->y(), heading->y());
    QCOMPARE(odkaz->x(), designSetup() ? 236 : heading->geometry().right() + 1 + captionfit::Gap);
    captionsWhole(bible, {childOf<TImageShape>(bible, "ImageShape1")});
    odkaz->setText(QStringLiteral("Am 1,1-3,15"));
    QCOMPARE(odkaz->pos(), longPlace);
    save(bible, QStringLiteral("reading"));
    if (bible.devicePixelRatioF() != 1.0) {
        // On a high-density screen the sheet is painted from its dense picture, pixel for pixel.
        const qreal ratio = bible.devicePixelRatioF();
        const QImage shot = childOf<TImageShape>(bible, "ImageShape1")
                                ->grab()
                                .toImage()
                                .convertToFormat(QImage::Format_RGB32);
        const QImage dense = sheetpicture::sheetPicture(ratio).convertToFormat(QImage::Format_RGB32);
        const QRect pin(qRound(30 * ratio), qRound(16 * ratio), qRound(30 * ratio), qRound(30 * ratio));
        QCOMPARE(shot.copy(pin), dense.copy(pin));
    }

    bible.switchToClassic();
    bible.showReading();
    QVERIFY(QTest::qWaitForWindowExposed(&bible));
    if (designSetup())
        QCOMPARE(childOf<TmyLabel3d>(bible, "Odkaz")->pos(), QPoint(192, 10));
    QVERIFY(childOf<TmyLabel3d>(bible, "Odkaz")->x() >
            childOf<TmyLabel3d>(bible, "Label3d1")->geometry().right());
    captionsWhole(bible);
    save(bible, QStringLiteral("reading-classic"));
    bible.hide();
}

void GeometryTest::messageBox() {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Kerla"),
                    QStringLiteral("Nemohu otevřít soubor „Kerla2025.rtf“: Soubor nebo adresář neexistuje"),
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    captionsWhole(box);
    save(box, QStringLiteral("message"));
}

void GeometryTest::searchAndExport() {
    THledani search(m_state);
    search.open();
    QVERIFY(QTest::qWaitForWindowExposed(&search));
    childOf<QLineEdit>(search, "HledatText")->setText(QStringLiteral("hospodin"));
    captionsWhole(search);
    save(search, QStringLiteral("search"));
    TKalendar dialog;
    dialog.prepare(QDate(2025, 11, 26), m_state.UserDataDir);
    dialog.show();
    captionsWhole(dialog);
    save(dialog, QStringLiteral("calendar"));
}

int main(int argc, char **argv) {
    // The first argument names the setup; the rest goes to Qt Test.
    QStringList rest;
    for (int i = 0; i < argc; ++i)
        rest.append(QString::fromLocal8Bit(argv[i]));
    g_setup = rest.size() > 1 && !rest.at(1).startsWith(QLatin1Char('-')) ? rest.takeAt(1)
                                                                          : QStringLiteral("design");
    if (g_setup != QLatin1String("design") && g_setup != QLatin1String("dejavu")) {
        qCritical("unknown font setup %s", qPrintable(g_setup));
        return 2;
    }
    for (const QString &folder : {LiberationFolder, DejaVuFolder, designfonts::defaultWineFolder()}) {
        if (!QFile::exists(folder)) {
            qCritical("%s is missing: scripts/setup.sh installs it", qPrintable(folder));
            return 2;
        }
    }
    QTemporaryDir fonts;
    const QString config = fonts.path() + QStringLiteral("/fonts.conf");
    if (!writeFontConfig(config, fonts.path() + QStringLiteral("/cache")))
        return 2;
    qputenv("FONTCONFIG_FILE", QFile::encodeName(config));

    QApplication app(argc, argv);
    QElapsedTimer clock;
    clock.start();
    g_wineFolder =
        designSetup() ? designfonts::defaultWineFolder() : fonts.path() + QStringLiteral("/no-wine");
    g_registered = designfonts::install(g_wineFolder);
    qInfo("font setup %s, scale %s, registered in %lld ms: %s", qPrintable(g_setup), qPrintable(scaleName()),
          clock.elapsed(), qPrintable(g_registered.join(QStringLiteral(", "))));
    GeometryTest test;
    return QTest::qExec(&test, rest);
}

#include "geometry_test.moc"
