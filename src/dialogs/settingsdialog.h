#pragma once

#include "dialogs/fontchoice.h"

#include <QDialog>
#include <QLabel>

#include <memory>

class DayViewAccess;
class QCheckBox;
class QFrame;
class QGroupBox;
class QPushButton;
class ReadingWindowAccess;
struct AppContext;

// A label that reports a click with the left button (pressed and released over it).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

// The settings dialog: the fonts of the main text and of the reading text, the page background,
// the clock and the classic reading window. It keeps no settings of its own: each opening fills it
// from the live windows, OK applies the choices to them at once, and the main window's close
// writes them to Kerla.ini.
class TNastav : public QDialog {
    Q_OBJECT
public:
    // Runs FormCreate (the translation note). The main window and the reading window outlive
    // the dialog.
    TNastav(const AppContext &context, DayViewAccess &view, ReadingWindowAccess &reading,
            QWidget *parent = nullptr);
    ~TNastav() override;

    // The font and colour dialogs; the real ones unless a test gives its own (the dialog does not
    // take ownership).
    void setChooser(FontColorChooser *chooser);

    // The pending choices between the opening and OK.
    const FontChoice &FontDlg() const { return m_fontDlg; }
    const FontChoice &FontDlg2() const { return m_fontDlg2; }
    int ColorDialog1() const { return m_colorDialog1; }
    int label3Color() const { return m_label3Color; }
    int label4Color() const { return m_label4Color; }

protected:
    void showEvent(QShowEvent *event) override;

private Q_SLOTS:
    void Button1Click(); // the main window's font and colour (the font dialog)
    void Button2Click(); // the reading window's font and colour
    void Label4Click();  // the page's background colour (the colour dialog); also Label3
    void Button3Click(); // "Původní nastavení": the original choices (settingskeys::original)
    void Button5Click(); // "Šetřič": the desktop's screen saver settings
    void Button4Click(); // "OK": checks the colours, applies the choices to the windows
    void Button6Click(); // "Storno"

private:
    // The translation note of Label6, from the date of the book file Data/1j.
    void FormCreate();
    // Fills the dialog from the live windows; runs each time the dialog goes from hidden to shown.
    void FormActivate();
    void setLabel3Color(int colorValue);
    void setLabel4Color(int colorValue);
    void showColors();

    const AppContext &m_context;
    DayViewAccess &m_view;
    ReadingWindowAccess &m_reading;
    std::unique_ptr<DialogFontColorChooser> m_ownChooser;
    FontColorChooser *m_chooser;

    FontChoice m_fontDlg;
    FontChoice m_fontDlg2;
    int m_colorDialog1 = 0;
    int m_label3Color = 0;
    int m_label4Color = 0;

    // The controls, children of the dialog.
    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *Button1 = nullptr;
    QLabel *Label5 = nullptr;
    QPushButton *Button2 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QLabel *Label2 = nullptr;
    ClickLabel *Label4 = nullptr;
    ClickLabel *Label3 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QPushButton *Button5 = nullptr;
    QPushButton *Button3 = nullptr;
    QFrame *Panel1 = nullptr;
    QLabel *Label6 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button6 = nullptr;
};
