#pragma once

#include "platform/colorvalue.h"

#include <QString>

// Every key of Kerla.ini in one place, with the value a key has when the file does not hold it, and
// the values the settings dialog's "Původní nastavení" puts back. Each section is read and written
// by one class only: [Okno], [Pozice] and [Hlavni] by the main window TMainForm, [Bible] by the
// reading window TBible; SettingsFile gathers their writes into the close's one replace of the file.
namespace settingskeys {

struct Key {
    const char16_t *section;
    const char16_t *name;
    QString sectionText() const { return QString::fromUtf16(section); }
    QString nameText() const { return QString::fromUtf16(name); }
};

// Owner: the main window TMainForm.
inline constexpr Key OknoBarva{u"Okno", u"Barva"};         // TextWindow background
inline constexpr Key OknoFontBarva{u"Okno", u"FontBarva"}; // TextWindow text colour
inline constexpr Key OknoFont{u"Okno", u"Font"};
inline constexpr Key OknoFontVelikost{u"Okno", u"FontVelikost"};
inline constexpr Key OknoHodiny{u"Okno", u"Hodiny"}; // clock panel shown
inline constexpr Key PoziceOdleva{u"Pozice", u"Odleva"};
inline constexpr Key PoziceOdshora{u"Pozice", u"Odshora"};
inline constexpr Key PoziceVyska{u"Pozice", u"Vyska"};
inline constexpr Key PoziceSirka{u"Pozice", u"Sirka"};
inline constexpr Key HlavniDatum{u"Hlavni", u"Datum"}; // the day of the last end once a day
// Owner: the reading window TBible.
inline constexpr Key BibleTypOkna{u"Bible", u"TypOkna"}; // classic reading window
inline constexpr Key BibleFont{u"Bible", u"Font"};
inline constexpr Key BibleFontVelikost{u"Bible", u"FontVelikost"};
inline constexpr Key BibleFontBarva{u"Bible", u"FontBarva"};
inline constexpr Key BibleFontStyl{u"Bible", u"FontStyl"};
inline constexpr Key BibleOdleva{u"Bible", u"Odleva"};
inline constexpr Key BibleOdshora{u"Bible", u"Odshora"};

// The values the windows have as designed, which stand for keys the file does not hold.
namespace defaults {
inline constexpr int TextBackground = colorvalue::White;
inline constexpr int TextColor = colorvalue::clWindowText;
inline constexpr const char16_t *TextFont = u"Tahoma";
inline constexpr int TextSize = 10; // points
inline constexpr bool Clock = true;
inline constexpr int Left = 292, Top = 290, Height = 324, Width = 692;
// Without any settings file: a smaller window, centred, and a date that is never today.
inline constexpr int FirstRunHeight = 260, FirstRunWidth = 662;
inline constexpr const char16_t *FirstRunStoredDate = u"1.1.1998";
// The position that the close does not write back.
inline constexpr int UnsavedLeft = 2000, UnsavedTop = 1500;
inline constexpr bool ClassicReadingWindow = false;
inline constexpr const char16_t *ReadingFont = u"Arial";
inline constexpr int ReadingSize = 9; // points
inline constexpr int ReadingColor = colorvalue::clWindowText;
inline constexpr int ReadingLeft = 235, ReadingTop = 111;
} // namespace defaults

// What the settings dialog's "Původní nastavení" (Button3) offers: the main text in its designed
// face and size, black on white, with the clock; the reading text in the same face, smaller,
// regular and black. OK applies them as any other choice.
namespace original {
inline constexpr const char16_t *TextFont = defaults::TextFont;
inline constexpr int TextSize = defaults::TextSize;
inline constexpr int TextColor = colorvalue::Black;
inline constexpr int TextBackground = defaults::TextBackground;
inline constexpr bool Clock = defaults::Clock;
inline constexpr const char16_t *ReadingFont = defaults::TextFont;
inline constexpr int ReadingSize = 8; // points
inline constexpr int ReadingColor = colorvalue::Black;
} // namespace original

} // namespace settingskeys
