#include "app/mainparts.h"

#include "app/toolbaraccess.h"
#include "controls/captionfit.h"
#include "pages/settingskeys.h"
#include "platform/boundedpicture.h"
#include "platform/errors.h"
#include "platform/formatlocale.h"
#include "platform/rtfreader.h"
#include "platform/textfile.h"

#include <QAction>
#include <QDateEdit>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTextEdit>
#include <QTime>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <cerrno>

namespace mainparts {

using toolbarart::Picture;

namespace {

// A menu item; one without a caption is a separator.
struct Item {
    const char *name;
    const char16_t *caption;
    QList<QKeySequence> keys;
};
struct Menu {
    const char *name;
    const char16_t *caption;
    QList<Item> items;
};

QToolButton *speedButton(QToolBar *bar, const char *name, const QString &hint, Picture picture);
void separator(QToolBar *bar, const char *name, int width);

} // namespace

const std::array<DateStep, 8> DateSteps = {{
    {"Den2", DayForward},
    {"Tden1", WeekForward},
    {"Mesic1", MonthForward},
    {"Rok1", YearForward},
    {"Den1", DayBack},
    {"Tden2", WeekBack},
    {"Mesic2", MonthBack},
    {"Rok2", YearBack},
}};

void buildMenu(QMenuBar *bar) {
    const Menu menus[] = {
        {"Kerla",
         u"&Kerla",
         {{"Tisk1", u"&Tisk", {QKeySequence(Qt::CTRL | Qt::Key_P)}},
          {"Nastaventisku1", u"&Nastavení tisku", {}},
          {"N7", nullptr, {}},
          {"KopirovatHeslo1", u"&Kopírovat heslo dne", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}},
          {"Kalendar1", u"&Exportovat do kalendáře…", {}},
          {"N4", nullptr, {}},
          {"Konec2", u"&Konec (jednou denně)", {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}},
          {"Konec1", u"Kone&c", {QKeySequence(Qt::Key_Escape)}}}},
        {"Zobrazit",
         u"&Zobrazit",
         {{"Den2", u"&Zítra", {QKeySequence(Qt::Key_Right)}},
          {"Tden1", u"&Za týden", {QKeySequence(Qt::Key_PageDown)}},
          {"Mesic1", u"Za měsíc", {QKeySequence(Qt::CTRL | Qt::Key_Right)}},
          {"Rok1", u"Za rok", {QKeySequence(Qt::CTRL | Qt::Key_PageDown)}},
          {"N1", nullptr, {}},
          {"Den1", u"&Včera", {QKeySequence(Qt::Key_Left)}},
          {"Tden2", u"&Před týdnem", {QKeySequence(Qt::Key_PageUp)}},
          {"Mesic2", u"Před měsícem", {QKeySequence(Qt::CTRL | Qt::Key_Left)}},
          {"Rok2", u"Před rokem", {QKeySequence(Qt::CTRL | Qt::Key_PageUp)}},
          {"N2", nullptr, {}},
          {"Dnes1", u"&Dnes", {QKeySequence(Qt::Key_Home)}},
          {"CteniN1", u"První čtení", {QKeySequence(Qt::CTRL | Qt::Key_F1)}},
          {"CteniN2", u"Druhé čtení", {QKeySequence(Qt::CTRL | Qt::Key_F2)}},
          {"CteniN3", u"Třetí čtení", {QKeySequence(Qt::CTRL | Qt::Key_F3)}},
          {"N5", nullptr, {}},
          {"Hledat1", u"&Hledat…", {QKeySequence(Qt::CTRL | Qt::Key_F)}}}},
        {"Nastaven1",
         u"&Nastavení",
         {{"Puvnast", u"&Nastavení", {QKeySequence(Qt::CTRL | Qt::Key_N)}},
          {"N3", nullptr, {}}}}, // the start at login follows (autostartitem.h)
        {"Oprogramu1",
         u"&O programu",
         {{"OKerlach", u"O &Kerlach DR", {}},
          {"Titnverze1", u"Tištěná verze", {}},
          {"N6", nullptr, {}},
          {"Autoi1", u"&Autor", {QKeySequence(Qt::Key_F2)}}}},
    };
    bar->setObjectName(QStringLiteral("MainMenu"));
    for (const Menu &m : menus) {
        QMenu *menu = bar->addMenu(QString::fromUtf16(m.caption));
        menu->setObjectName(QLatin1String(m.name));
        menu->menuAction()->setObjectName(QLatin1String(m.name));
        for (const Item &i : m.items) {
            if (!i.caption) {
                menu->addSeparator()->setObjectName(QLatin1String(i.name));
                continue;
            }
            QAction *a = menu->addAction(QString::fromUtf16(i.caption));
            a->setObjectName(QLatin1String(i.name));
            a->setShortcuts(i.keys);
            a->setShortcutContext(Qt::ApplicationShortcut);
        }
    }
}

QToolBar *buildToolbar(QMainWindow *window, int year) {
    auto *bar = new QToolBar(window);
    bar->setObjectName(QStringLiteral("Lista"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->layout()->setSpacing(0);
    bar->layout()->setContentsMargins(0, 2, 0, 2);
    window->addToolBar(Qt::TopToolBarArea, bar);

    separator(bar, "ToolButton4", 1);
    speedButton(bar, "SpeedButton9", QStringLiteral("kerlo dne"), Picture::DayPressed);
    speedButton(bar, "SpeedButton4", QStringLiteral("kerlo týdne"), Picture::Week);
    speedButton(bar, "SpeedButton6", QStringLiteral("kerlo měsíce"), Picture::Month);
    speedButton(bar, "SpeedButton1", QStringLiteral("kerlo roku"), Picture::Year);
    speedButton(bar, "SpeedButton7", QStringLiteral("včera"), Picture::Yesterday);
    speedButton(bar, "SpeedButton2", QStringLiteral("dnes"), Picture::Today);
    speedButton(bar, "SpeedButton3", QStringLiteral("zítra"), Picture::Tomorrow);
    separator(bar, "ToolButton1", 12);
    speedButton(bar, "Cist1", QStringLiteral("První čtení"), Picture::Reading1);
    speedButton(bar, "Cist2", QStringLiteral("Druhé čtení"), Picture::Reading2);
    speedButton(bar, "Cist3", QStringLiteral("Třetí čtení"), Picture::Reading3);
    separator(bar, "ToolButton2", 8);

    auto *picker = new QDateEdit(bar);
    picker->setObjectName(QStringLiteral("Skoc"));
    picker->setToolTip(QStringLiteral("Přejít na konkrétní datum"));
    picker->setFont(QFont(QStringLiteral("Tahoma"), 8));
    picker->setCalendarPopup(true);
    picker->setKeyboardTracking(false);
    captionfit::fitDatePicker(picker, formattingLocale(), formattingLocale().dateFormat(QLocale::LongFormat),
                              156, year);
    // The calendar's span: the day steps keep to it as well.
    picker->setDateRange(QDate(kFirstYear, 1, 1), QDate(kLastYear, 12, 31));
    bar->addWidget(picker);
    separator(bar, "ToolButton6", 10);
    speedButton(bar, "SpeedButton5", QStringLiteral("Ukončit program (Esc)"), Picture::End);
    speedButton(bar, "SpeedButton8", QStringLiteral("Ukončit program (jednou denně) (Enter)"),
                Picture::EndOnceADay)
        ->setCheckable(true); // group 2: stays down once pressed

    auto *clock = new QLabel(bar);
    clock->setObjectName(QStringLiteral("Panel1"));
    clock->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // The design's 57 pixels, or what the widest time of the user's format needs, with the frame
    // and a pixel either side.
    const int timeWidth =
        captionfit::widestTimeWidth(clock->fontMetrics(), formattingLocale(), longTimeFormat());
    clock->setFixedSize(std::max(57, timeWidth + 2 * clock->frameWidth() + 2 * clock->margin() + 2), 36);
    clock->setAlignment(Qt::AlignCenter);
    bar->addWidget(clock);
    toolbaraccess::describeControls(bar);
    return bar;
}

namespace {

QToolButton *speedButton(QToolBar *bar, const char *name, const QString &hint, Picture picture) {
    auto *button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setFixedSize(36, 36);
    button->setIconSize(QSize(32, 32));
    button->setIcon(toolbarart::icon(picture, bar->devicePixelRatioF()));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(button);
    return button;
}

void separator(QToolBar *bar, const char *name, int width) {
    auto *gap = new QWidget(bar);
    gap->setObjectName(QLatin1String(name));
    gap->setFixedSize(width, 36);
    bar->addWidget(gap);
}

} // namespace

QTextEdit *buildTextWindow(QMainWindow *window) {
    auto *view = new QTextEdit(window);
    view->setObjectName(QStringLiteral("TextWindow"));
    view->setAccessibleName(QStringLiteral("Kerlo"));
    view->setReadOnly(true);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setFont(
        QFont(QString::fromUtf16(settingskeys::defaults::TextFont), settingskeys::defaults::TextSize));
    window->setCentralWidget(view);
    return view;
}

void showPage(QTextEdit &view, const QByteArray &rtf) {
    rtf::load(view.document(), rtf);
    view.moveCursor(QTextCursor::Start);
}

void layFontOverPage(QTextEdit &view, const QColor &textColor) {
    QTextCursor all(view.document());
    all.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setFontFamilies({view.font().family()});
    format.setFontPointSize(view.font().pointSizeF());
    format.setForeground(textColor);
    all.mergeCharFormat(format);
}

void showOnToolbar(QToolBar &bar, QWidget *control, bool visible) {
    // A control lives on the toolbar through its action, which decides whether it takes space.
    for (QAction *a : bar.actions()) {
        if (bar.widgetForAction(a) == control)
            a->setVisible(visible);
    }
}

void loadViewPictures(const QString &programDir, DayView::View shown,
                      const std::array<QToolButton *, 4> &buttons) {
    static constexpr Picture plain[] = {Picture::Day, Picture::Week, Picture::Month, Picture::Year};
    static constexpr Picture pressed[] = {Picture::DayPressed, Picture::WeekPressed, Picture::MonthPressed,
                                          Picture::YearPressed};
    for (int i = 0; i < 4; ++i) {
        const Picture picture = i == int(shown) ? pressed[i] : plain[i];
        const QString path = programDir + QStringLiteral("grafika/") + toolbarart::fileName(picture);
        QImageReader reader(path, "BMP");
        QString reason;
        const QImage image = boundedpicture::read(reader, &reason);
        if (image.isNull()) {
            if (!QFileInfo::exists(path))
                reason = errors::systemReason(ENOENT);
            throw KerlaError(errors::cannotOpenFile(path, reason));
        }
        buttons[i]->setIcon(QIcon(QPixmap::fromImage(image)));
    }
}

std::exception_ptr removeTemporaryFiles(const AppContext &context) {
    std::exception_ptr failure;
    for (const QString &path : {context.readingTextPath(), context.dayPagePath()}) {
        try {
            textfile::removeIfExists(path);
        } catch (const KerlaError &) {
            failure = failure ? failure : std::current_exception();
        }
    }
    return failure;
}

void placeOnScreen(QWidget &window, bool centre) {
    QScreen *primary = QGuiApplication::primaryScreen();
    const bool onScreen = QGuiApplication::screenAt(window.frameGeometry().center()) != nullptr;
    if (primary && (centre || !onScreen)) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(primary->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

QString longTimeFormat() {
    QString format = formattingLocale().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

QString longTimeText(const QTime &time) {
    return formattingLocale().toString(time, longTimeFormat());
}

void showApplicationTitle(const QString &title) {
    QGuiApplication::setApplicationDisplayName(title);
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window->handle())
            window->setTitle(window->title());
    }
}

} // namespace mainparts
