// The main window's commands: the table of its menu and toolbar, the steps of the date, the views,
// the readings and the other windows.
#include "app/autostartitem.h"
#include "app/commandtable.h"
#include "app/mainform.h"
#include "app/mainparts.h"
#include "app/objectnames.h"
#include "app/shortcutfilter.h"
#include "app/toolbaraccess.h"
#include "daytext/calendarexport.h"
#include "daytext/pagetext.h"
#include "dialogs/aboutwindow.h"
#include "dialogs/calendardialog.h"
#include "dialogs/documentviewer.h"
#include "dialogs/printservice.h"
#include "dialogs/searchwindow.h"
#include "dialogs/settingsdialog.h"
#include "dialogs/yearimport.h"
#include "readings/readingwindow.h"

#include <QAction>
#include <QClipboard>
#include <QDateEdit>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

using View = DayView::View;
namespace names = objectnames;
using commandtable::button;
using commandtable::control;
using commandtable::gap;
using toolbarart::Picture;

// The command table: every menu item and toolbar control of the window, in the order they are
// shown, each with its handler. A new command is one row here and its handler.
void TMainForm::buildCommands() {
    using K = QKeySequence;
    const auto step = [this](void (*s)(ViewDate &)) { return [this, s] { stepAndShow(s); }; };
    QMenu *settingsMenu = nullptr;
    menuBar()->setObjectName(QLatin1String(names::MainMenu));
    // clang-format off
    commandtable::buildMenus(menuBar(), {
        {names::Kerla, u"&Kerla", {
            {names::Tisk1, u"&Tisk", {K(Qt::CTRL | Qt::Key_P)}, [this] { Tisk1Click(); }},
            {names::Nastaventisku1, u"&Nastavení tisku", {}, [this] { Nastaventisku1Click(); }},
            {names::NactiData1, u"Načíst data roku…", {}, [this] { NactiData1Click(); }},
            {names::N7},
            {names::KopirovatHeslo1, u"Kopírovat &heslo dne", {K(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
             [this] { KopirovatHeslo1Click(); }},
            {names::Kalendar1, u"&Exportovat do kalendáře…", {}, [this] { Kalendar1Click(); }},
            {names::N4},
            {names::Konec2, u"&Konec (jednou denně)", {K(Qt::Key_Return), K(Qt::Key_Enter)},
             [this] { Konec2Click(); }},
            {names::Konec1, u"Kone&c", {K(Qt::Key_Escape)}, [this] { Konec1Click(); }}}},
        {names::Zobrazit, u"&Zobrazit", {
            {names::Den2, u"&Zítra", {K(Qt::Key_Right)}, step(DayForward)},
            {names::Tden1, u"&Za týden", {K(Qt::Key_PageDown)}, step(WeekForward)},
            {names::Mesic1, u"Za měsíc", {K(Qt::CTRL | Qt::Key_Right)}, step(MonthForward)},
            {names::Rok1, u"Za rok", {K(Qt::CTRL | Qt::Key_PageDown)}, step(YearForward)},
            {names::N1},
            {names::Den1, u"&Včera", {K(Qt::Key_Left)}, step(DayBack)},
            {names::Tden2, u"&Před týdnem", {K(Qt::Key_PageUp)}, step(WeekBack)},
            {names::Mesic2, u"Před měsícem", {K(Qt::CTRL | Qt::Key_Left)}, step(MonthBack)},
            {names::Rok2, u"Před rokem", {K(Qt::CTRL | Qt::Key_PageUp)}, step(YearBack)},
            {names::N2},
            {names::Dnes1, u"&Dnes", {K(Qt::Key_Home)}, [this] { SpeedButton2Click(); }},
            {names::CteniN1, u"První čtení", {K(Qt::CTRL | Qt::Key_F1)},
             [this] { Cist1Click(); }, &m_readingItems[0]},
            {names::CteniN2, u"Druhé čtení", {K(Qt::CTRL | Qt::Key_F2)},
             [this] { Cist2Click(); }, &m_readingItems[1]},
            {names::CteniN3, u"Třetí čtení", {K(Qt::CTRL | Qt::Key_F3)},
             [this] { Cist3Click(); }, &m_readingItems[2]},
            {names::N5},
            {names::Hledat1, u"&Hledat…", {K(Qt::CTRL | Qt::Key_F)}, [this] { Hledat1Click(); }}}},
        {names::Nastaven1, u"&Nastavení", {
            {names::Puvnast, u"&Nastavení", {K(Qt::CTRL | Qt::Key_N)}, [this] { PuvnastClick(); }},
            {names::N3}}, // the start at login follows (autostartitem.h)
         &settingsMenu},
        {names::Oprogramu1, u"&O programu", {
            {names::OKerlach, u"O &Kerlach DR", {}, [this] { OKerlachClick(); }},
            {names::Titnverze1, u"Tištěná verze", {}, [this] { Titnverze1Click(); }},
            {names::N6},
            {names::Autoi1, u"&Autor", {K(Qt::Key_F2)}, [this] { Autoi1Click(); }}}},
    }, this);
    // clang-format on
    addAutostartItem(settingsMenu, *m_context.messages);

    Lista = mainparts::newToolbar(this);
    const int year = m_context.clock.today().year();
    // clang-format off
    commandtable::fillToolbar(Lista, {
        gap(names::ToolButton4, 1),
        button(names::SpeedButton9, u"kerlo dne", Picture::DayPressed,
               [this] { SpeedButton9Click(); }, &m_viewButtons[0]),
        button(names::SpeedButton4, u"kerlo týdne", Picture::Week,
               [this] { showView(View::Week); }, &m_viewButtons[1]),
        button(names::SpeedButton6, u"kerlo měsíce", Picture::Month,
               [this] { showView(View::Month); }, &m_viewButtons[2]),
        button(names::SpeedButton1, u"kerlo roku", Picture::Year,
               [this] { showView(View::Year); }, &m_viewButtons[3]),
        button(names::SpeedButton7, u"včera", Picture::Yesterday, [this] { SpeedButton7Click(); }),
        button(names::SpeedButton2, u"dnes", Picture::Today, [this] { SpeedButton2Click(); }),
        button(names::SpeedButton3, u"zítra", Picture::Tomorrow, [this] { SpeedButton3Click(); }),
        gap(names::ToolButton1, 12),
        button(names::Cist1, u"První čtení", Picture::Reading1,
               [this] { Cist1Click(); }, &m_readingButtons[0]),
        button(names::Cist2, u"Druhé čtení", Picture::Reading2,
               [this] { Cist2Click(); }, &m_readingButtons[1]),
        button(names::Cist3, u"Třetí čtení", Picture::Reading3,
               [this] { Cist3Click(); }, &m_readingButtons[2]),
        gap(names::ToolButton2, 8),
        control([this, year](QToolBar *bar) { return Skoc = mainparts::newPicker(bar, year); }),
        gap(names::ToolButton6, 10),
        button(names::SpeedButton5, u"Ukončit program (Esc)", Picture::End, [this] { Konec1Click(); }),
        button(names::SpeedButton8, u"Ukončit program (jednou denně) (Enter)", Picture::EndOnceADay,
               [this] { SpeedButton8Click(); }, &m_onceADay, true),
        control([this](QToolBar *bar) { return Panel1 = mainparts::newClock(bar); }),
    }, this);
    // clang-format on
    toolbaraccess::describeControls(Lista);
    connect(Skoc, &QDateEdit::dateChanged, this, &TMainForm::SkocChange);
}

void TMainForm::SpeedButton8Click() {
    // Group 2: the button stays down once pressed.
    m_onceADay->setChecked(true);
    Konec2Click();
}

void TMainForm::stepAndShow(void (*step)(ViewDate &)) {
    command([&] {
        m_dayView.step(step);
        FormShow();
    });
}

void TMainForm::stepAndShowDay(void (*step)(ViewDate &)) {
    command([&] {
        m_dayView.step(step);
        FormShow();
        mainparts::loadViewPictures(m_context.ProgramDir, View::Day, m_viewButtons,
                                    m_dayView.watchwordYear());
    });
}

void TMainForm::SpeedButton2Click() {
    command([this] {
        m_dayView.setToday();
        mainparts::loadViewPictures(m_context.ProgramDir, View::Day, m_viewButtons,
                                    m_dayView.watchwordYear());
        FormShow();
    });
}

void TMainForm::SpeedButton3Click() {
    stepAndShowDay(DayForward);
}

void TMainForm::SpeedButton7Click() {
    stepAndShowDay(DayBack);
}

void TMainForm::SpeedButton9Click() {
    stepAndShowDay([](ViewDate &) {});
}

void TMainForm::SkocChange() {
    command([this] {
        m_dayView.setDate(Skoc->date());
        FormShow();
        mainparts::loadViewPictures(m_context.ProgramDir, View::Day, m_viewButtons,
                                    m_dayView.watchwordYear());
    });
}

void TMainForm::showView(View view) {
    command([&] {
        const std::optional<QByteArray> page = m_dayView.composePeriodicPage(view);
        if (!page)
            return FormShow();
        mainparts::showPage(*TextWindow, *page);
        mainparts::loadViewPictures(m_context.ProgramDir, view, m_viewButtons, m_dayView.watchwordYear());
    });
}

void TMainForm::Cist1Click() {
    reading(&DayReadings::first);
}
void TMainForm::Cist2Click() {
    reading(&DayReadings::second);
}
void TMainForm::Cist3Click() {
    reading(&DayReadings::third);
}

void TMainForm::reading(QString DayReadings::*which) {
    if (m_windows.bible)
        command([&] { m_windows.bible->readPassage(m_dayView.readings().*which); });
}

void TMainForm::Tisk1Click() {
    if (m_windows.print)
        m_windows.print->print(*TextWindow->document(), windowTitle());
}

void TMainForm::Nastaventisku1Click() {
    if (m_windows.print)
        m_windows.print->setupPrinter(this);
}

void TMainForm::NactiData1Click() {
    m_yearImport->choose();
}

void TMainForm::showDocument(const QString &fileName) {
    if (m_windows.form2)
        command([&] { documents::showDocument(m_context, *m_windows.form2, fileName); });
}

void TMainForm::OKerlachClick() {
    showDocument(documents::AboutWatchwords);
}

void TMainForm::Titnverze1Click() {
    showDocument(documents::PrintedEdition);
}

void TMainForm::PuvnastClick() {
    if (m_windows.nastav)
        m_windows.nastav->exec();
}

void TMainForm::Autoi1Click() {
    if (m_windows.autor)
        m_windows.autor->exec();
}

void TMainForm::KopirovatHeslo1Click() {
    // The shown page: the day's with its readings, or the week's, month's or year's watchword.
    const bool day = m_dayView.view() == View::Day;
    const QString readings = day ? pagetext::readingsLine(m_dayView.readings()) : QString();
    QGuiApplication::clipboard()->setMimeData(
        pagetext::mimeData(pagetext::read(m_dayView.page()), readings).release());
}

void TMainForm::Kalendar1Click() {
    if (!m_calendar)
        m_calendar = new TKalendar(this);
    if (m_exportFolder.isEmpty())
        m_exportFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    m_calendar->prepare(m_dayView.shownDate(), m_exportFolder);
    if (m_calendar->exec() != QDialog::Accepted)
        return;
    const TKalendar::Choice choice = m_calendar->choice();
    command([&] {
        const auto filesOf = [this](int year) { return yeardays::forYear(m_context, year); };
        const int written =
            calendarexport::write(choice.path, calendarexport::days(filesOf, choice.from, choice.to),
                                  {m_context.clock.now(), choice.alarm});
        m_exportFolder = QFileInfo(choice.path).absolutePath();
        m_context.messages->showMessage(
            QStringLiteral("Do kalendáře %1 je zapsáno %2.").arg(choice.path, pagetext::dayCount(written)));
    });
}

void TMainForm::Hledat1Click() {
    if (!m_search) {
        m_search = new THledani(m_context, this);
        ShortcutFilter::giveNavigationKeysTo(m_search);
        connect(m_search, &THledani::resultChosen, this, &TMainForm::showFound);
    }
    m_search->open();
}

void TMainForm::showFound(const QDate &date, search::Kind kind) {
    static constexpr View views[] = {View::Day, View::Week, View::Month, View::Year};
    command([&] {
        m_dayView.setDate(date);
        FormShow();
        if (kind == search::Kind::Day)
            mainparts::loadViewPictures(m_context.ProgramDir, View::Day, m_viewButtons);
        else
            showView(views[int(kind)]);
    });
}
