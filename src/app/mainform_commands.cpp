// The main window's commands: their wiring to the menu and the toolbar, the steps of the date,
// the views, the readings and the other windows.
#include "app/mainform.h"
#include "app/mainparts.h"
#include "dialogs/autor.h"
#include "dialogs/documentviewer.h"
#include "dialogs/nastav.h"
#include "dialogs/printing.h"
#include "dialogs/yearimport.h"
#include "readings/bible.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <utility>

using View = DayView::View;
using mainparts::child;

void TMainForm::wireCommands() {
    using Handler = void (TMainForm::*)();
    const std::pair<const char *, Handler> items[] = {
        {"Tisk1", &TMainForm::Tisk1Click},           {"Nastaventisku1", &TMainForm::Nastaventisku1Click},
        {"NactiData1", &TMainForm::NactiData1Click}, {"Konec2", &TMainForm::Konec2Click},
        {"Konec1", &TMainForm::Konec1Click},         {"Dnes1", &TMainForm::SpeedButton2Click},
        {"CteniN1", &TMainForm::Cist1Click},         {"CteniN2", &TMainForm::Cist2Click},
        {"CteniN3", &TMainForm::Cist3Click},         {"Puvnast", &TMainForm::PuvnastClick},
        {"OKerlach", &TMainForm::OKerlachClick},     {"Titnverze1", &TMainForm::Titnverze1Click},
        {"Autoi1", &TMainForm::Autoi1Click},
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
