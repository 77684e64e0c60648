#pragma once

#include "daytext/searchindex.h"
#include "dialogs/dayviewaccess.h"
#include "pages/appcontext.h"
#include "pages/dayview.h"
#include "pages/settingsfile.h"

#include <QMainWindow>

#include <array>

class QAction;
class QDateEdit;
class QLabel;
class QMenu;
class QTextEdit;
class QTimer;
class QToolBar;
class QToolButton;
class PrintService;
class TAutor;
class TBible;
class TForm2;
class THledani;
class TKalendar;
class TNastav;
class YearImport;

// The main window: the day page in TextWindow, the menu, the toolbar Lista and the clock. Its
// command table (buildCommands) makes the menu and the toolbar and connects them to the handlers
// below, which drive the view state (DayView), the reading window and the dialogs. It owns the
// sections [Okno], [Pozice] and [Hlavni] of Kerla.ini (FormCreate reads them, FormClose and the
// end once a day write them).
class TMainForm : public QMainWindow, public DayViewAccess {
    Q_OBJECT
public:
    // Runs FormCreate: the shown date becomes today, the settings are read from Kerla.ini into
    // `settings`, and the once-a-day exit is decided (see endsAtOnce). The close writes the
    // settings back. `argument` is the first command-line argument (empty when there is none).
    TMainForm(const AppContext &context, SettingsFile &settings, const QString &argument,
              QWidget *parent = nullptr);
    ~TMainForm() override = default;

    // The other windows. The dialogs are this window's children; the reading window and the
    // printer belong to the program and outlive this window.
    struct OtherWindows {
        TNastav *nastav = nullptr;
        TAutor *autor = nullptr;
        TBible *bible = nullptr;
        TForm2 *form2 = nullptr;
        PrintService *print = nullptr;
    };
    void attachWindows(const OtherWindows &windows) { m_windows = windows; }

    // True when FormCreate found the argument "a" and the stored date equal to today's: the
    // program ends before any window is shown.
    bool endsAtOnce() const { return m_endAtOnce; }
    // The date of the last end once a day, as Kerla.ini holds it ("1.1.1998" on a first run).
    const QString &storedDate() const { return m_storedDate; }

    // The shown date, view, year lines and readings; this window drives them.
    DayView &dayView() { return m_dayView; }
    const DayView &dayView() const { return m_dayView; }

    // The day-page refresh. Throws KerlaError; the handlers report it.
    void FormShow();

    // DayViewAccess, for the settings dialog.
    QFont textFont() const override;
    int textFontColor() const override { return m_textColor; }
    void setTextFont(const QFont &font, int colorValue) override;
    int backgroundColor() const override { return m_background; }
    void setBackgroundColor(int colorValue) override;
    bool clockVisible() const override { return m_clockShown; }
    void setClockVisible(bool visible) override;
    void refreshDayPage() override { FormShow(); }

    // The import of a year's data (the menu's NactiData1 and a dropped file).
    YearImport &yearImport() { return *m_yearImport; }

    // How many times the day page was refreshed (for tests and benchmarks).
    int refreshCount() const { return m_refreshes; }

    // The window has no context menu of its own (Qt's would let the user hide the toolbar).
    QMenu *createPopupMenu() override { return nullptr; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // A year's data file dropped on the window is imported as by NactiData1.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private Q_SLOTS:
    // The handlers of the command table (buildCommands), named after their controls; the steps of
    // the date in the Zobrazit menu go to stepAndShow, the week, month and year buttons to showView.
    void SpeedButton2Click();   // "dnes", Zobrazit → "&Dnes" (Home): today's day page
    void SpeedButton3Click();   // "zítra": the next day, in the day view
    void SpeedButton7Click();   // "včera": the day before, in the day view
    void SpeedButton9Click();   // "kerlo dne": the day view of the shown date
    void SpeedButton8Click();   // "Ukončit program (jednou denně)": as Konec2Click
    void SkocChange();          // the date picker Skoc: the picked day's page
    void Konec1Click();         // Kerla → "Kone&c" (Esc), "Ukončit program": the close
    void Konec2Click();         // Kerla → "&Konec (jednou denně)" (Enter): the date kept, then the close
    void Cist1Click();          // "První čtení" (Ctrl+F1): the first reading in the reading window
    void Cist2Click();          // "Druhé čtení" (Ctrl+F2)
    void Cist3Click();          // "Třetí čtení" (Ctrl+F3)
    void Tisk1Click();          // Kerla → "&Tisk" (Ctrl+P): prints the shown page
    void Nastaventisku1Click(); // Kerla → "&Nastavení tisku": the printer setup
    void NactiData1Click(); // Kerla → "Načíst data roku…": a publisher's year file imported (YearImport)
    void OKerlachClick();   // O programu → "O &Kerlach DR": the document viewer
    void Titnverze1Click();      // O programu → "Tištěná verze": the document viewer
    void PuvnastClick();         // Nastavení → "&Nastavení" (Ctrl+N): the settings dialog TNastav
    void Autoi1Click();          // O programu → "&Autor" (F2): the about window TAutor
    void KopirovatHeslo1Click(); // Kerla → "Kopírovat &heslo dne" (Ctrl+Shift+C): the page to the clipboard
    void Kalendar1Click();       // Kerla → "&Exportovat do kalendáře…": the calendar dialog TKalendar
    void Hledat1Click();         // Zobrazit → "&Hledat…" (Ctrl+F): the search window THledani
    void Timer1Timer();          // each second: the clock Panel1

private:
    // The command table: builds the menu and the toolbar (with Skoc and Panel1), connects each
    // item and button to its handler and keeps the controls the handlers need.
    void buildCommands();
    // The window's handlers, named after the events they serve. FormCreate reads the window's
    // sections of Kerla.ini and decides the end at once; FormClose deletes the temporary files and
    // writes the settings; FormActivate puts the reading window away.
    void FormCreate(const QString &argument);
    void FormClose();
    void FormActivate();
    // A step of the shown date, then the day-page refresh (the menu's and keys' steps).
    void stepAndShow(void (*step)(ViewDate &));
    // A step of the shown date, the refresh, and the day view's pictures (the toolbar's steps).
    void stepAndShowDay(void (*step)(ViewDate &));
    // The week, month or year page (2025 only; other years get the day page), with its pictures.
    void showView(DayView::View view);
    void reading(QString DayReadings::*which);
    void showDocument(const QString &fileName);
    // A result of the search: its day's page, or its week's, month's or year's watchword.
    void showFound(const QDate &date, search::Kind kind);
    // Runs a command; an error ends it and goes to the error report.
    template <class F> void command(F &&f) { runCommand(*m_context.messages, std::forward<F>(f)); }

    const AppContext &m_context;
    SettingsFile &m_settings; // owned by the program
    DayView m_dayView;
    QString m_storedDate; // read by FormCreate
    bool m_endAtOnce = false;
    bool m_shownOnce = false;
    bool m_centreOnShow = false;
    bool m_closing = false;
    int m_refreshes = 0;
    int m_textColor;
    int m_background;
    bool m_clockShown = settingskeys::defaults::Clock;

    // The controls, all children of this window.
    QTextEdit *TextWindow = nullptr;
    QToolBar *Lista = nullptr;
    QDateEdit *Skoc = nullptr;
    QLabel *Panel1 = nullptr;
    QTimer *Timer1 = nullptr;
    std::array<QToolButton *, 4> m_viewButtons{};    // SpeedButton9, 4, 6, 1: day, week, month, year
    std::array<QToolButton *, 3> m_readingButtons{}; // Cist1..3
    std::array<QAction *, 3> m_readingItems{};       // CteniN1..3
    QToolButton *m_onceADay = nullptr;               // SpeedButton8

    OtherWindows m_windows;             // see attachWindows
    YearImport *m_yearImport = nullptr; // a child of this window
    THledani *m_search = nullptr;       // child window, made on first use
    TKalendar *m_calendar = nullptr;    // child dialog, made on first use
    QString m_exportFolder;             // where the last calendar was written
};
