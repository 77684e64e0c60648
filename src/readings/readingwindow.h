#pragma once

#include "pages/appcontext.h"
#include "pages/readingaccess.h"
#include "pages/settingsfile.h"

#include <QWidget>

class QKeyEvent;
class QPlainTextEdit;
class TImageShape;
class TmyLabel3d;

// The reading window: the day's passage on a borderless window shaped like a sheet of paper, or,
// in the classic layout, in an ordinary framed window. It owns the reading settings, the section
// [Bible] of Kerla.ini: the reading font with its style and colour, the window's position, and
// whether readings open the classic window.
class TBible : public QWidget, public ReadingWindowAccess {
    Q_OBJECT
public:
    // Runs FormCreate: reads the Bible section of Kerla.ini (when the file exists) from `settings`,
    // which the main window has loaded already; a settings file that is not loaded yet from the
    // context's Kerla.ini (a window alone) is loaded here. `settings` outlives the window.
    TBible(const AppContext &context, SettingsFile &settings, QWidget *parent = nullptr);

    // Gathers the Bible section for the close's one write of Kerla.ini: the reading font, its size,
    // colour and style, the window's position and the classic window choice.
    void saveSettings(SettingsFile &settings) const;

    // The classic framed layout (doing it again changes nothing).
    void switchToClassic();
    bool isClassic() const;
    // Shows the window (loading Cteni.tmp when it goes from hidden to visible, and also when it is
    // visible already), brings it to the front and activates it. A missing Cteni.tmp raises
    // KerlaError.
    void showReading();
    // A reading command: cuts the reference's passage into Cteni.tmp, captions Odkaz with it,
    // shows the cutting's messages and then the passage (in the classic layout when that is
    // chosen). A failed write of Cteni.tmp raises KerlaError after the caption and the messages.
    void readPassage(const QString &reference);

    // The reading text's font style as a set: bit 0 bold, 1 italic, 2 underline, 3 strike-out.
    uint8_t fontStyleSet() const;

    // ReadingWindowAccess: the settings dialog reads and replaces these, the close writes them.
    QFont readingFont() const override;
    int readingFontColor() const override;
    void setReadingFont(const QFont &font, int colorValue) override;
    // The face name given to the three labels (their sizes, colours and styles stay).
    void setLabelFaces(const QString &family) override;
    // TMemo1's background as a stored colour value: white as designed, the tooltip colour once
    // the classic layout is on.
    int memoBackgroundColor() const override;
    bool classicReadingWindow() const override { return m_classicChosen; }
    void setClassicReadingWindow(bool classic) override { m_classicChosen = classic; }

    // Whether a key press types a character (keys without text, such as the arrows, Enter, Esc or
    // Ctrl+F1, belong to the main window's shortcuts).
    static bool typesCharacter(const QKeyEvent &event);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    // "Zavřít".
    void Label3dClick();

private:
    // The window's handlers, named after the events they serve.
    // Reads the Bible keys of Kerla.ini into the fonts, the font style, the classic window choice
    // and the position.
    void FormCreate();
    // Loads Cteni.tmp into TMemo1, from its first line. A missing file raises KerlaError.
    void FormShow();
    // In the classic layout the text area, aligned to the bottom, ends 85 pixels short of the
    // window's outer height; the shaped layout keeps its designed places.
    void FormResize();
    // A typed character puts the reading away.
    void FormKeyPress(QChar key);
    // Ctrl+C with nothing selected: the whole passage under its reference ("am 1,1-3,15"). With a
    // selection the text area copies the selection.
    void copyPassage();
    // Keeps the reference label clear of the heading.
    void placeReference();

    void setMemoColors(int textColor, int backgroundColor);
    void applyFontStyle(uint8_t style);
    void fitClassicFrame();

    const AppContext &m_context;
    SettingsFile &m_settings;     // owned by the program (a test's own, for a window alone)
    bool m_classicChosen = false; // the setting: readings open the classic window
    bool m_classic = false;       // the classic layout is on
    bool m_loadedForShow = false;
    int m_fontColor;
    int m_memoBackground;
    QSize m_pendingOuterSize; // classic layout: the outer size to keep once the frame is known

    // The controls, children of the window, from the bottom up.
    TImageShape *ImageShape1 = nullptr;
    TmyLabel3d *Odkaz = nullptr;
    TmyLabel3d *Label3d1 = nullptr;
    TmyLabel3d *Label3d = nullptr; // "Zavřít"
    QPlainTextEdit *TMemo1 = nullptr;
};
