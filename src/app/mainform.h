#pragma once

#include "dayviewaccess.h"
#include "sharedstate.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QDateEdit;
class QLabel;
class QMenu;
class QTextEdit;
class QTimer;
class QToolBar;
class QToolButton;
class TAutor;
class TBible;
class TForm2;
class TNastav;
class PrintService;

// The main window: the day page in TextWindow, the menu, the toolbar Lista and the clock.
class TMainForm : public QMainWindow, public DayViewAccess {
    Q_OBJECT
public:
    // Runs FormCreate: folders are taken from the state, the shown date becomes today, the settings
    // are read, and the once-a-day exit is decided (see endsAtOnce). `argument` is the first
    // command-line argument (empty when there is none).
    TMainForm(SharedState &state, const QString &argument, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The other windows, created after this one.
    void attachWindows(TNastav *nastav, TAutor *autor, TBible *bible, TForm2 *form2);
    void setPrintService(PrintService *service) { m_print = service; }

    // True when FormCreate found the argument "a" and the stored date equal to today's: the
    // program ends before any window is shown.
    bool endsAtOnce() const { return m_endAtOnce; }

    // The day-page refresh. Throws KerlaError; the handlers report it.
    void FormShow();

    // DayViewAccess, for the settings dialog.
    QFont textFont() const override;
    int textFontColor() const override { return m_textColor; }
    void setTextFont(const QFont &font, int colorValue) override;
    int backgroundColor() const override { return m_background; }
    void setBackgroundColor(int colorValue) override;
    bool clockVisible() const override;
    void setClockVisible(bool visible) override;
    void refreshDayPage() override;

    // The controls, by their names.
    QTextEdit *TextWindow = nullptr;
    QToolBar *Lista = nullptr;
    QToolButton *SpeedButton9 = nullptr, *SpeedButton4 = nullptr, *SpeedButton6 = nullptr,
                *SpeedButton1 = nullptr, *SpeedButton7 = nullptr, *SpeedButton2 = nullptr,
                *SpeedButton3 = nullptr, *Cist1 = nullptr, *Cist2 = nullptr, *Cist3 = nullptr,
                *SpeedButton5 = nullptr, *SpeedButton8 = nullptr;
    QDateEdit *Skoc = nullptr;
    QLabel *Panel1 = nullptr;
    QTimer *Timer1 = nullptr;
    QAction *Tisk1 = nullptr, *Nastaventisku1 = nullptr, *Konec2 = nullptr, *Konec1 = nullptr,
            *Den2 = nullptr, *Tden1 = nullptr, *Mesic1 = nullptr, *Rok1 = nullptr, *Den1 = nullptr,
            *Tden2 = nullptr, *Mesic2 = nullptr, *Rok2 = nullptr, *Dnes1 = nullptr, *CteniN1 = nullptr,
            *CteniN2 = nullptr, *CteniN3 = nullptr, *Puvnast = nullptr, *OKerlach = nullptr,
            *Titnverze1 = nullptr, *Autoi1 = nullptr;

    // The handlers.
    void Den1Click();
    void Den2Click();
    void Tden1Click();
    void Tden2Click();
    void Mesic1Click();
    void Mesic2Click();
    void Rok1Click();
    void Rok2Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton7Click();
    void SpeedButton9Click();
    void SpeedButton4Click(); // week view
    void SpeedButton6Click(); // month view
    void SpeedButton1Click(); // year view
    void SkocChange();
    void Konec1Click();
    void Konec2Click();
    void Cist1Click();
    void Cist2Click();
    void Cist3Click();
    void Tisk1Click();
    void Nastaventisku1Click();
    void OKerlachClick();
    void Titnverze1Click();
    void PuvnastClick();
    void Autoi1Click();
    void Timer1Timer();

    // How many times the day page was refreshed (for tests and benchmarks).
    int refreshCount() const { return m_refreshes; }

    // The window has no context menu of its own (Qt's would let the user hide the toolbar).
    QMenu *createPopupMenu() override { return nullptr; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildMenu();
    void buildToolbar();
    void FormCreate(const QString &argument);
    void FormClose();
    void FormActivate();
    void ExtractPassage();
    void reading(const QString &reference);
    // A step of the shown date, then the day-page refresh.
    void stepAndShow(void (*step)(ViewDate &));
    // Loads four pictures into the view buttons, in the order day, week, month, year; a missing
    // file ends the command at that picture.
    void loadPictureSet(const QStringList &files);
    void loadDayViewPictures();
    void showPeriodicPage(const QByteArray &page, const QStringList &pictures);
    void loadPageIntoTextWindow(const QByteArray &bytes);
    // Runs a command; an error ends it and goes to the error report.
    template <class F> void command(F &&f) { runCommand(*m_state.messages, std::forward<F>(f)); }

    SharedState &m_state;
    bool m_endAtOnce = false;
    bool m_shownOnce = false;
    bool m_centreOnShow = false;
    bool m_closing = false;
    int m_refreshes = 0;
    int m_textColor;
    int m_background;
    bool m_clockShown = true;
    PrintService *m_print = nullptr;
    QPointer<TNastav> m_nastav;
    QPointer<TAutor> m_autor;
    QPointer<TBible> m_bible;
    QPointer<TForm2> m_form2;
};
