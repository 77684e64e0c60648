// The main window's commands: their wiring to the menu and the toolbar, the steps of the date,
// the views, the readings and the other windows.
#include "app/mainform.h"
#include "app/mainparts.h"
#include "app/shortcutfilter.h"
#include "daytext/calendarexport.h"
#include "daytext/pagetext.h"
#include "dialogs/autor.h"
#include "dialogs/calendardialog.h"
#include "dialogs/documentviewer.h"
#include "dialogs/nastav.h"
#include "dialogs/printing.h"
#include "dialogs/searchwindow.h"
#include "readings/bible.h"

#include <QAction>
#include <QClipboard>
#include <QDateEdit>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QStandardPaths>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <utility>

using View = DayView::View;
using mainparts::child;

void TMainForm::wireCommands() {
    using Handler = void (TMainForm::*)();
    const std::pair<const char *, Handler> items[] = {
        {"Tisk1", &TMainForm::Tisk1Click},
        {"Nastaventisku1", &TMainForm::Nastaventisku1Click},
        {"Konec2", &TMainForm::Konec2Click},
        {"Konec1", &TMainForm::Konec1Click},
        {"Dnes1", &TMainForm::SpeedButton2Click},
        {"CteniN1", &TMainForm::Cist1Click},
        {"CteniN2", &TMainForm::Cist2Click},
        {"CteniN3", &TMainForm::Cist3Click},
        {"Puvnast", &TMainForm::PuvnastClick},
        {"OKerlach", &TMainForm::OKerlachClick},
        {"Titnverze1", &TMainForm::Titnverze1Click},
        {"Autoi1", &TMainForm::Autoi1Click},
        {"KopirovatHeslo1", &TMainForm::KopirovatHeslo1Click},
        {"Kalendar1", &TMainForm::Kalendar1Click},
        {"Hledat1", &TMainForm::Hledat1Click},
    };
    for (const auto &[name, handler] : items)
        connect(child<QAction>(this, name), &QAction::triggered, this, handler);
    for (const mainparts::DateStep &s : mainparts::DateSteps)
        connect(child<QAction>(this, s.name), &QAction::triggered, this,
                [this, step = s.step] { stepAndShow(step); });

    // clang-format off
    const std::pair<const char *, Handler> buttons[] = {
        {"SpeedButton9", &TMainForm::SpeedButton9Click}, {"SpeedButton7", &TMainForm::SpeedButton7Click},
        {"SpeedButton2", &TMainForm::SpeedButton2Click}, {"SpeedButton3", &TMainForm::SpeedButton3Click},
        {"Cist1", &TMainForm::Cist1Click}, {"Cist2", &TMainForm::Cist2Click}, {"Cist3", &TMainForm::Cist3Click},
        {"SpeedButton5", &TMainForm::Konec1Click}};
    // clang-format on
    for (const auto &[name, handler] : buttons)
        connect(child<QToolButton>(Lista, name), &QToolButton::clicked, this, handler);
    const std::pair<const char *, View> views[] = {
        {"SpeedButton4", View::Week}, {"SpeedButton6", View::Month}, {"SpeedButton1", View::Year}};
    for (const auto &[name, view] : views)
        connect(child<QToolButton>(Lista, name), &QToolButton::clicked, this,
                [this, v = view] { showView(v); });
    QToolButton *onceADay = child<QToolButton>(Lista, "SpeedButton8");
    connect(onceADay, &QToolButton::clicked, this, [this, onceADay] {
        onceADay->setChecked(true);
        Konec2Click();
    });
    Skoc = child<QDateEdit>(Lista, "Skoc");
    connect(Skoc, &QDateEdit::dateChanged, this, &TMainForm::SkocChange);
    Panel1 = child<QLabel>(Lista, "Panel1");

    m_viewButtons = {child<QToolButton>(Lista, "SpeedButton9"), child<QToolButton>(Lista, "SpeedButton4"),
                     child<QToolButton>(Lista, "SpeedButton6"), child<QToolButton>(Lista, "SpeedButton1")};
    m_readingButtons = {child<QToolButton>(Lista, "Cist1"), child<QToolButton>(Lista, "Cist2"),
                        child<QToolButton>(Lista, "Cist3")};
    m_readingItems = {child<QAction>(this, "CteniN1"), child<QAction>(this, "CteniN2"),
                      child<QAction>(this, "CteniN3")};
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
        mainparts::loadViewPictures(m_context.ProgramDir, View::Day, m_viewButtons);
    });
}

void TMainForm::SpeedButton2Click() {
    command([this] {
        m_dayView.setToday();
        mainparts::loadViewPictures(m_context.ProgramDir, View::Day, m_viewButtons);
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
        mainparts::loadViewPictures(m_context.ProgramDir, View::Day, m_viewButtons);
    });
}

void TMainForm::showView(View view) {
    command([&] {
        const std::optional<QByteArray> page = m_dayView.composePeriodicPage(view);
        if (!page)
            return FormShow();
        mainparts::showPage(*TextWindow, *page);
        mainparts::loadViewPictures(m_context.ProgramDir, view, m_viewButtons);
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
