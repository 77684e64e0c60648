#include "mainform.h"

#include "autor.h"
#include "bible.h"
#include "colorvalue.h"
#include "dates.h"
#include "daypage.h"
#include "documentviewer.h"
#include "folders.h"
#include "mylabel3d.h"
#include "nastav.h"
#include "passage.h"
#include "periodic.h"
#include "profile.h"
#include "rtfreader.h"
#include "settingskeys.h"
#include "textfile.h"
#include "toolbarart.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateEdit>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <cerrno>

namespace keys = settingskeys;
namespace defaults = settingskeys::defaults;
using toolbarart::Picture;

namespace {

// The pictures of the four view buttons, in the order day, week, month, year; the shown view's
// button gets its pressed picture.
QStringList viewPictures(Picture day, Picture week, Picture month, Picture year) {
    QStringList files;
    for (Picture picture : {day, week, month, year})
        files.append(QStringLiteral("grafika/") + toolbarart::fileName(picture));
    return files;
}
const QStringList &dayViewPictures() {
    static const QStringList files =
        viewPictures(Picture::DayPressed, Picture::Week, Picture::Month, Picture::Year);
    return files;
}
const QStringList &weekViewPictures() {
    static const QStringList files =
        viewPictures(Picture::Day, Picture::WeekPressed, Picture::Month, Picture::Year);
    return files;
}
const QStringList &monthViewPictures() {
    static const QStringList files =
        viewPictures(Picture::Day, Picture::Week, Picture::MonthPressed, Picture::Year);
    return files;
}
const QStringList &yearViewPictures() {
    static const QStringList files =
        viewPictures(Picture::Day, Picture::Week, Picture::Month, Picture::YearPressed);
    return files;
}

// The user's long time format, without the time zone that Qt's long format adds.
QString longTimeText(const QTime &time) {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return QLocale::system().toString(time, format.trimmed());
}

// The application title is Qt's display name. The platform shows it beside each window's own
// caption (on a taskbar or in the title bar), so the windows that are up are told of the new one.
void showApplicationTitle(const QString &title) {
    QGuiApplication::setApplicationDisplayName(title);
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window->handle())
            window->setTitle(window->title());
    }
}

QToolButton *speedButton(QToolBar *bar, const char *name, const QString &hint, Picture picture) {
    auto *button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setFixedSize(36, 36);
    button->setIconSize(QSize(32, 32));
    button->setIcon(QIcon(QPixmap::fromImage(toolbarart::draw(picture))));
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

TMainForm::TMainForm(SharedState &state, const QString &argument, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_state(state), m_textColor(defaults::TextColor), m_background(defaults::TextBackground) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Kerla Dorny " KERLA_DISPLAY_VERSION));
    move(defaults::Left, defaults::Top);
    resize(defaults::Width, defaults::Height);

    buildMenu();
    buildToolbar();

    TextWindow = new QTextEdit(this);
    TextWindow->setObjectName(QStringLiteral("TextWindow"));
    TextWindow->setReadOnly(true);
    TextWindow->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextWindow->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TextWindow->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    TextWindow->setFont(QFont(QString::fromUtf16(defaults::TextFont), defaults::TextSize));
    setCentralWidget(TextWindow);
    setBackgroundColor(m_background);
    setTextFont(TextWindow->font(), m_textColor);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    Timer1->start();

    FormCreate(argument);
}

TMainForm::~TMainForm() = default;

void TMainForm::buildMenu() {
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    auto menu = [&](const char *name, const QString &caption) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [&](QMenu *m, const char *name, const QString &caption, const QList<QKeySequence> &keys,
                    void (TMainForm::*handler)()) {
        QAction *a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setShortcuts(keys);
        a->setShortcutContext(Qt::ApplicationShortcut);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto separatorItem = [&](QMenu *m, const char *name) {
        m->addSeparator()->setObjectName(QLatin1String(name));
    };

    QMenu *kerla = menu("Kerla", QStringLiteral("&Kerla"));
    Tisk1 = item(kerla, "Tisk1", QStringLiteral("&Tisk"), {QKeySequence(Qt::CTRL | Qt::Key_P)},
                 &TMainForm::Tisk1Click);
    Nastaventisku1 = item(kerla, "Nastaventisku1", QStringLiteral("&Nastavení tisku"), {},
                          &TMainForm::Nastaventisku1Click);
    separatorItem(kerla, "N4");
    Konec2 = item(kerla, "Konec2", QStringLiteral("&Konec (jednou denně)"),
                  {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, &TMainForm::Konec2Click);
    Konec1 = item(kerla, "Konec1", QStringLiteral("Kone&c"), {QKeySequence(Qt::Key_Escape)},
                  &TMainForm::Konec1Click);

    QMenu *view = menu("Zobrazit", QStringLiteral("&Zobrazit"));
    Den2 = item(view, "Den2", QStringLiteral("&Zítra"), {QKeySequence(Qt::Key_Right)}, &TMainForm::Den2Click);
    Tden1 = item(view, "Tden1", QStringLiteral("&Za týden"), {QKeySequence(Qt::Key_PageDown)},
                 &TMainForm::Tden1Click);
    Mesic1 = item(view, "Mesic1", QStringLiteral("Za měsíc"), {QKeySequence(Qt::CTRL | Qt::Key_Right)},
                  &TMainForm::Mesic1Click);
    Rok1 = item(view, "Rok1", QStringLiteral("Za rok"), {QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
                &TMainForm::Rok1Click);
    separatorItem(view, "N1");
    Den1 = item(view, "Den1", QStringLiteral("&Včera"), {QKeySequence(Qt::Key_Left)}, &TMainForm::Den1Click);
    Tden2 = item(view, "Tden2", QStringLiteral("&Před týdnem"), {QKeySequence(Qt::Key_PageUp)},
                 &TMainForm::Tden2Click);
    Mesic2 = item(view, "Mesic2", QStringLiteral("Před měsícem"), {QKeySequence(Qt::CTRL | Qt::Key_Left)},
                  &TMainForm::Mesic2Click);
    Rok2 = item(view, "Rok2", QStringLiteral("Před rokem"), {QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
                &TMainForm::Rok2Click);
    separatorItem(view, "N2");
    Dnes1 = item(view, "Dnes1", QStringLiteral("&Dnes"), {QKeySequence(Qt::Key_Home)},
                 &TMainForm::SpeedButton2Click);
    CteniN1 = item(view, "CteniN1", QStringLiteral("První čtení"), {QKeySequence(Qt::CTRL | Qt::Key_F1)},
                   &TMainForm::Cist1Click);
    CteniN2 = item(view, "CteniN2", QStringLiteral("Druhé čtení"), {QKeySequence(Qt::CTRL | Qt::Key_F2)},
                   &TMainForm::Cist2Click);
    CteniN3 = item(view, "CteniN3", QStringLiteral("Třetí čtení"), {QKeySequence(Qt::CTRL | Qt::Key_F3)},
                   &TMainForm::Cist3Click);

    QMenu *settings = menu("Nastaven1", QStringLiteral("&Nastavení"));
    Puvnast = item(settings, "Puvnast", QStringLiteral("&Nastavení"), {QKeySequence(Qt::CTRL | Qt::Key_N)},
                   &TMainForm::PuvnastClick);

    QMenu *about = menu("Oprogramu1", QStringLiteral("&O programu"));
    OKerlach = item(about, "OKerlach", QStringLiteral("O &Kerlach DR"), {}, &TMainForm::OKerlachClick);
    Titnverze1 = item(about, "Titnverze1", QStringLiteral("Tištěná verze"), {}, &TMainForm::Titnverze1Click);
    separatorItem(about, "N6");
    Autoi1 =
        item(about, "Autoi1", QStringLiteral("&Autor"), {QKeySequence(Qt::Key_F2)}, &TMainForm::Autoi1Click);
}

void TMainForm::buildToolbar() {
    Lista = new QToolBar(this);
    Lista->setObjectName(QStringLiteral("Lista"));
    Lista->setMovable(false);
    Lista->setFloatable(false);
    Lista->setIconSize(QSize(32, 32));
    Lista->setContextMenuPolicy(Qt::PreventContextMenu);
    Lista->layout()->setSpacing(0);
    Lista->layout()->setContentsMargins(0, 2, 0, 2);
    addToolBar(Qt::TopToolBarArea, Lista);

    separator(Lista, "ToolButton4", 1);
    SpeedButton9 = speedButton(Lista, "SpeedButton9", QStringLiteral("kerlo dne"), Picture::DayPressed);
    SpeedButton4 = speedButton(Lista, "SpeedButton4", QStringLiteral("kerlo týdne"), Picture::Week);
    SpeedButton6 = speedButton(Lista, "SpeedButton6", QStringLiteral("kerlo měsíce"), Picture::Month);
    SpeedButton1 = speedButton(Lista, "SpeedButton1", QStringLiteral("kerlo roku"), Picture::Year);
    SpeedButton7 = speedButton(Lista, "SpeedButton7", QStringLiteral("včera"), Picture::Yesterday);
    SpeedButton2 = speedButton(Lista, "SpeedButton2", QStringLiteral("dnes"), Picture::Today);
    SpeedButton3 = speedButton(Lista, "SpeedButton3", QStringLiteral("zítra"), Picture::Tomorrow);
    separator(Lista, "ToolButton1", 12);
    Cist1 = speedButton(Lista, "Cist1", QStringLiteral("První čtení"), Picture::Reading1);
    Cist2 = speedButton(Lista, "Cist2", QStringLiteral("Druhé čtení"), Picture::Reading2);
    Cist3 = speedButton(Lista, "Cist3", QStringLiteral("Třetí čtení"), Picture::Reading3);
    separator(Lista, "ToolButton2", 8);

    Skoc = new QDateEdit(Lista);
    Skoc->setObjectName(QStringLiteral("Skoc"));
    Skoc->setToolTip(QStringLiteral("Přejít na konkrétní datum"));
    Skoc->setFixedWidth(156);
    Skoc->setFont(QFont(QStringLiteral("Tahoma"), 8));
    Skoc->setCalendarPopup(true);
    Skoc->setKeyboardTracking(false);
    Skoc->setDisplayFormat(QLocale::system().dateFormat(QLocale::LongFormat));
    // The calendar's span: the day steps keep to it as well.
    Skoc->setDateRange(QDate(kFirstYear, 1, 1), QDate(kLastYear, 12, 31));
    Lista->addWidget(Skoc);
    separator(Lista, "ToolButton6", 10);
    SpeedButton5 = speedButton(Lista, "SpeedButton5", QStringLiteral("Ukončit program (Esc)"), Picture::End);
    SpeedButton8 =
        speedButton(Lista, "SpeedButton8", QStringLiteral("Ukončit program (jednou denně) (Enter)"),
                    Picture::EndOnceADay);
    SpeedButton8->setCheckable(true); // group 2: stays down once pressed

    Panel1 = new QLabel(Lista);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedSize(57, 36);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAlignment(Qt::AlignCenter);
    Lista->addWidget(Panel1);

    connect(SpeedButton9, &QToolButton::clicked, this, &TMainForm::SpeedButton9Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TMainForm::SpeedButton4Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TMainForm::SpeedButton6Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TMainForm::SpeedButton1Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TMainForm::SpeedButton7Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TMainForm::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TMainForm::SpeedButton3Click);
    connect(Cist1, &QToolButton::clicked, this, &TMainForm::Cist1Click);
    connect(Cist2, &QToolButton::clicked, this, &TMainForm::Cist2Click);
    connect(Cist3, &QToolButton::clicked, this, &TMainForm::Cist3Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TMainForm::Konec1Click);
    connect(SpeedButton8, &QToolButton::clicked, this, [this] {
        SpeedButton8->setChecked(true);
        Konec2Click();
    });
    connect(Skoc, &QDateEdit::dateChanged, this, &TMainForm::SkocChange);
}

void TMainForm::attachWindows(TNastav *nastav, TAutor *autor, TBible *bible, TForm2 *form2) {
    m_nastav = nastav;
    m_autor = autor;
    m_bible = bible;
    m_form2 = form2;
}

// ---------------------------------------------------------------------------------------------
// Start-up and shutdown

void TMainForm::FormCreate(const QString &argument) {
    if (m_state.ProgramDir.isEmpty())
        m_state.ProgramDir = folders::programDir();
    if (m_state.UserDataDir.isEmpty())
        m_state.UserDataDir = folders::userDataDir();
    m_state.referenceNotFoundMessage = QStringLiteral("Odkaz nebyl nelezen.");
    SetViewDateToday(m_state.viewDate, m_state.clock.today());

    const QString path = m_state.settingsPath();
    if (textfile::fileExists(path)) {
        const ProfileFile ini(path);
        auto integer = [&](const keys::Key &k, int def) {
            return ini.readInteger(k.sectionText(), k.nameText(), def);
        };
        setBackgroundColor(integer(keys::OknoBarva, m_background));
        m_textColor = integer(keys::OknoFontBarva, m_textColor);
        QFont font = TextWindow->font();
        font.setFamily(
            ini.readString(keys::OknoFont.sectionText(), keys::OknoFont.nameText(), font.family()));
        const int size = integer(keys::OknoFontVelikost, font.pointSize());
        if (size > 0)
            font.setPointSize(size);
        setTextFont(font, m_textColor);
        setClockVisible(
            ini.readBool(keys::OknoHodiny.sectionText(), keys::OknoHodiny.nameText(), m_clockShown));
        const int left = integer(keys::PoziceOdleva, x());
        const int top = integer(keys::PoziceOdshora, y());
        const int height = integer(keys::PoziceVyska, this->height());
        const int width = integer(keys::PoziceSirka, this->width());
        move(left, top);
        resize(width, height);
        m_state.StoredDate =
            ini.readString(keys::HlavniDatum.sectionText(), keys::HlavniDatum.nameText(), m_state.StoredDate);
        m_state.ClassicReadingWindow = ini.readBool(
            keys::BibleTypOkna.sectionText(), keys::BibleTypOkna.nameText(), defaults::ClassicReadingWindow);
    } else {
        resize(defaults::FirstRunWidth, defaults::FirstRunHeight);
        m_centreOnShow = true;
        m_state.StoredDate = QString::fromUtf16(defaults::FirstRunStoredDate);
    }

    // Ended once today already: started with "a", the program closes before showing anything.
    m_endAtOnce = argument == QLatin1String("a") &&
                  m_state.StoredDate == shortDateText(ViewDateAsDate(m_state.viewDate));
}

void TMainForm::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (m_shownOnce || event->spontaneous())
        return;
    m_shownOnce = true;
    QScreen *primary = QGuiApplication::primaryScreen();
    const bool onScreen = QGuiApplication::screenAt(frameGeometry().center()) != nullptr;
    if (primary && (m_centreOnShow || !onScreen)) {
        // First run, or a position that lies on no screen any more (a monitor was unplugged).
        QRect frame = frameGeometry();
        frame.moveCenter(primary->availableGeometry().center());
        move(frame.topLeft());
    }
    command([this] { FormShow(); });
}

void TMainForm::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMainForm::FormActivate() {
    if (m_bible)
        m_bible->hide();
}

void TMainForm::closeEvent(QCloseEvent *event) {
    if (!m_closing) {
        m_closing = true;
        // A settings file that cannot be written is reported, and the program still ends: a user
        // must always be able to close it.
        command([this] { FormClose(); });
    }
    if (m_bible)
        m_bible->hide();
    event->accept();
}

void TMainForm::FormClose() {
    textfile::removeIfExists(m_state.readingTextPath());
    textfile::removeIfExists(m_state.dayPagePath());
    ProfileFile ini(m_state.settingsPath());
    if (m_bible)
        m_state.ReadingFontStyle = m_bible->fontStyleSet();
    auto integer = [&](const keys::Key &k, int v) { ini.writeInteger(k.sectionText(), k.nameText(), v); };
    auto text = [&](const keys::Key &k, const QString &v) {
        ini.writeString(k.sectionText(), k.nameText(), v);
    };
    auto boolean = [&](const keys::Key &k, bool v) { ini.writeBool(k.sectionText(), k.nameText(), v); };
    const QFont font = textFont();
    integer(keys::OknoBarva, m_background);
    integer(keys::OknoFontBarva, m_textColor);
    text(keys::OknoFont, font.family());
    integer(keys::OknoFontVelikost, font.pointSize());
    boolean(keys::OknoHodiny, m_clockShown);
    if (x() != defaults::UnsavedLeft)
        integer(keys::PoziceOdleva, x());
    if (y() != defaults::UnsavedTop)
        integer(keys::PoziceOdshora, y());
    integer(keys::PoziceVyska, height());
    integer(keys::PoziceSirka, width());
    if (m_bible) {
        const QFont reading = m_bible->readingFont();
        text(keys::BibleFont, reading.family());
        integer(keys::BibleFontVelikost, reading.pointSize());
        integer(keys::BibleFontBarva, m_bible->readingFontColor());
        integer(keys::BibleFontStyl, m_state.ReadingFontStyle);
        integer(keys::BibleOdleva, m_bible->x());
        integer(keys::BibleOdshora, m_bible->y());
    }
    boolean(keys::BibleTypOkna, m_state.ClassicReadingWindow);
}

void TMainForm::Konec1Click() {
    close();
}

void TMainForm::Konec2Click() {
    command([this] {
        ProfileFile ini(m_state.settingsPath());
        ini.writeString(keys::HlavniDatum.sectionText(), keys::HlavniDatum.nameText(),
                        shortDateText(m_state.clock.today()));
        close();
    });
}

void TMainForm::Timer1Timer() {
    Panel1->setText(longTimeText(m_state.clock.now().time()));
}

// ---------------------------------------------------------------------------------------------
// The day page

void TMainForm::loadPageIntoTextWindow() {
    const QByteArray bytes = textfile::readAll(m_state.dayPagePath());
    rtf::load(TextWindow->document(), bytes);
    TextWindow->moveCursor(QTextCursor::Start);
}

void TMainForm::FormShow() {
    ++m_refreshes;
    const ViewDate &date = m_state.viewDate;
    m_state.dayReadings.clear();
    const QString sectionDate = sectionDateText(date);
    showApplicationTitle(QStringLiteral("Kerla ") + shortDateText(ViewDateAsDate(date)));
    daypage::ComposeDayPage(m_state);
    m_state.dayReadings = daypage::readDayReadings(m_state.ProgramDir, date);
    {
        // One batch: the view repaints once, with the settings' font over the whole page.
        TextWindow->setUpdatesEnabled(false);
        const auto repaint = qScopeGuard([this] { TextWindow->setUpdatesEnabled(true); });
        loadPageIntoTextWindow();
        QTextCursor all(TextWindow->document());
        all.select(QTextCursor::Document);
        QTextCharFormat format;
        format.setFontFamilies({TextWindow->font().family()});
        format.setFontPointSize(TextWindow->font().pointSizeF());
        format.setForeground(colorvalue::toQColor(m_textColor));
        all.mergeCharFormat(format);
    }

    Cist1->setToolTip(QStringLiteral("První čtení na ") + sectionDate);
    Cist2->setToolTip(QStringLiteral("Druhé čtení na ") + sectionDate);
    Cist3->setToolTip(QStringLiteral("Třetí čtení na ") + sectionDate);
    const DayReadings &r = m_state.dayReadings;
    Cist1->setEnabled(!r.first.isEmpty());
    CteniN1->setEnabled(!r.first.isEmpty());
    Cist2->setEnabled(!r.second.isEmpty());
    CteniN2->setEnabled(!r.second.isEmpty());
    Cist3->setEnabled(!r.third.isEmpty());
    CteniN3->setEnabled(!r.third.isEmpty());

    const QSignalBlocker blocker(Skoc);
    Skoc->setDate(ViewDateAsDate(date));
}

void TMainForm::refreshDayPage() {
    FormShow();
}

// ---------------------------------------------------------------------------------------------
// DayViewAccess

QFont TMainForm::textFont() const {
    return TextWindow->font();
}

void TMainForm::setTextFont(const QFont &font, int colorValue) {
    m_textColor = colorValue;
    TextWindow->setFont(font);
    QPalette palette = TextWindow->palette();
    palette.setColor(QPalette::Text, colorvalue::toQColor(colorValue));
    TextWindow->setPalette(palette);
}

void TMainForm::setBackgroundColor(int colorValue) {
    m_background = colorValue;
    QPalette palette = TextWindow->palette();
    palette.setColor(QPalette::Base, colorvalue::toQColor(colorValue));
    TextWindow->setPalette(palette);
}

bool TMainForm::clockVisible() const {
    return m_clockShown;
}

void TMainForm::setClockVisible(bool visible) {
    m_clockShown = visible;
    // The panel lives on the toolbar; its action decides whether it takes space.
    for (QAction *a : Lista->actions()) {
        if (Lista->widgetForAction(a) == Panel1)
            a->setVisible(visible);
    }
}

// ---------------------------------------------------------------------------------------------
// Navigation

void TMainForm::stepAndShow(void (*step)(ViewDate &)) {
    command([&] {
        step(m_state.viewDate);
        FormShow();
    });
}

void TMainForm::Den1Click() {
    stepAndShow(DayBack);
}
void TMainForm::Den2Click() {
    stepAndShow(DayForward);
}
void TMainForm::Tden1Click() {
    stepAndShow(WeekForward);
}
void TMainForm::Tden2Click() {
    stepAndShow(WeekBack);
}
void TMainForm::Mesic1Click() {
    stepAndShow(MonthForward);
}
void TMainForm::Mesic2Click() {
    stepAndShow(MonthBack);
}
void TMainForm::Rok1Click() {
    stepAndShow(YearForward);
}
void TMainForm::Rok2Click() {
    stepAndShow(YearBack);
}

void TMainForm::SpeedButton2Click() {
    command([this] {
        SetViewDateToday(m_state.viewDate, m_state.clock.today());
        loadDayViewPictures();
        FormShow();
    });
}

void TMainForm::SpeedButton3Click() {
    command([this] {
        DayForward(m_state.viewDate);
        FormShow();
        loadDayViewPictures();
    });
}

void TMainForm::SpeedButton7Click() {
    command([this] {
        DayBack(m_state.viewDate);
        FormShow();
        loadDayViewPictures();
    });
}

void TMainForm::SpeedButton9Click() {
    command([this] {
        FormShow();
        loadDayViewPictures();
    });
}

void TMainForm::SkocChange() {
    command([this] {
        SetViewDateFrom(m_state.viewDate, Skoc->date());
        FormShow();
        loadDayViewPictures();
    });
}

void TMainForm::loadPictureSet(const QStringList &files) {
    QToolButton *buttons[] = {SpeedButton9, SpeedButton4, SpeedButton6, SpeedButton1};
    for (int i = 0; i < 4; ++i) {
        const QString path = m_state.ProgramDir + files.at(i);
        QImageReader reader(path, "BMP");
        const QImage image = reader.read();
        if (image.isNull()) {
            const QString reason =
                QFileInfo::exists(path) ? reader.errorString() : errors::systemReason(ENOENT);
            throw KerlaError(errors::cannotOpenFile(path, reason));
        }
        buttons[i]->setIcon(QIcon(QPixmap::fromImage(image)));
    }
}

void TMainForm::loadDayViewPictures() {
    loadPictureSet(dayViewPictures());
}

// ---------------------------------------------------------------------------------------------
// The week, month and year watchwords (2025 only; other years show the day page)

void TMainForm::showPeriodicPage(const QByteArray &page, const QStringList &pictures) {
    textfile::writeAll(m_state.dayPagePath(), page);
    loadPageIntoTextWindow();
    loadPictureSet(pictures);
}

void TMainForm::SpeedButton4Click() {
    command([this] {
        if (m_state.viewDate.year != periodic::kYear)
            return FormShow();
        showPeriodicPage(periodic::weekPageFor(ViewDateAsDate(m_state.viewDate)), weekViewPictures());
    });
}

void TMainForm::SpeedButton6Click() {
    command([this] {
        if (m_state.viewDate.year != periodic::kYear)
            return FormShow();
        showPeriodicPage(periodic::monthPageFor(m_state.viewDate.month), monthViewPictures());
    });
}

void TMainForm::SpeedButton1Click() {
    command([this] {
        if (m_state.viewDate.year != periodic::kYear)
            return FormShow();
        showPeriodicPage(periodic::yearPageFor(), yearViewPictures());
    });
}

// ---------------------------------------------------------------------------------------------
// Readings

void TMainForm::Cist1Click() {
    reading(m_state.dayReadings.first);
}
void TMainForm::Cist2Click() {
    reading(m_state.dayReadings.second);
}
void TMainForm::Cist3Click() {
    reading(m_state.dayReadings.third);
}

void TMainForm::reading(const QString &reference) {
    command([&] {
        m_state.CurrentReference = reference;
        ExtractPassage();
    });
}

void TMainForm::ExtractPassage() {
    passage::Outcome out;
    auto apply = [&] {
        if (m_bible)
            m_bible->Odkaz->setText(out.label);
        for (const QString &message : std::as_const(out.messages))
            m_state.messages->showMessage(message);
    };
    try {
        passage::ExtractPassage(m_state, out);
    } catch (const KerlaError &) {
        apply();
        throw;
    }
    apply();
    if (!out.show || !m_bible)
        return;
    if (m_state.ClassicReadingWindow)
        m_bible->switchToClassic();
    m_bible->showReading();
}
