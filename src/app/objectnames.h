#pragma once

// The object names of the main window and its controls, written once: the window's command table
// gives them, and the tests find the controls by them. The names are the program's own and never
// change (stored scripts of assistive tools and the tests rely on them).
namespace objectnames {

inline constexpr const char *MainForm = "MainForm";
inline constexpr const char *TextWindow = "TextWindow";
inline constexpr const char *Timer1 = "Timer1";

// The menu bar, its four menus and their items; N1..N6 are the separators.
inline constexpr const char *MainMenu = "MainMenu";
inline constexpr const char *Kerla = "Kerla";
inline constexpr const char *Tisk1 = "Tisk1";
inline constexpr const char *Nastaventisku1 = "Nastaventisku1";
inline constexpr const char *NactiData1 = "NactiData1";
inline constexpr const char *N7 = "N7";
inline constexpr const char *KopirovatHeslo1 = "KopirovatHeslo1";
inline constexpr const char *Kalendar1 = "Kalendar1";
inline constexpr const char *N4 = "N4";
inline constexpr const char *Konec2 = "Konec2";
inline constexpr const char *Konec1 = "Konec1";
inline constexpr const char *Zobrazit = "Zobrazit";
inline constexpr const char *Den2 = "Den2";
inline constexpr const char *Tden1 = "Tden1";
inline constexpr const char *Mesic1 = "Mesic1";
inline constexpr const char *Rok1 = "Rok1";
inline constexpr const char *N1 = "N1";
inline constexpr const char *Den1 = "Den1";
inline constexpr const char *Tden2 = "Tden2";
inline constexpr const char *Mesic2 = "Mesic2";
inline constexpr const char *Rok2 = "Rok2";
inline constexpr const char *N2 = "N2";
inline constexpr const char *Dnes1 = "Dnes1";
inline constexpr const char *CteniN1 = "CteniN1";
inline constexpr const char *CteniN2 = "CteniN2";
inline constexpr const char *CteniN3 = "CteniN3";
inline constexpr const char *N5 = "N5";
inline constexpr const char *Hledat1 = "Hledat1";
inline constexpr const char *Nastaven1 = "Nastaven1";
inline constexpr const char *Puvnast = "Puvnast";
inline constexpr const char *N3 = "N3";
inline constexpr const char *Autostart1 = "Autostart1";
inline constexpr const char *Oprogramu1 = "Oprogramu1";
inline constexpr const char *OKerlach = "OKerlach";
inline constexpr const char *Titnverze1 = "Titnverze1";
inline constexpr const char *N6 = "N6";
inline constexpr const char *Autoi1 = "Autoi1";

// The toolbar and its controls, from the left; ToolButton1..6 are the gaps between the groups.
inline constexpr const char *Lista = "Lista";
inline constexpr const char *ToolButton4 = "ToolButton4";
inline constexpr const char *SpeedButton9 = "SpeedButton9"; // day view
inline constexpr const char *SpeedButton4 = "SpeedButton4"; // week view
inline constexpr const char *SpeedButton6 = "SpeedButton6"; // month view
inline constexpr const char *SpeedButton1 = "SpeedButton1"; // year view
inline constexpr const char *SpeedButton7 = "SpeedButton7"; // yesterday
inline constexpr const char *SpeedButton2 = "SpeedButton2"; // today
inline constexpr const char *SpeedButton3 = "SpeedButton3"; // tomorrow
inline constexpr const char *ToolButton1 = "ToolButton1";
inline constexpr const char *Cist1 = "Cist1";
inline constexpr const char *Cist2 = "Cist2";
inline constexpr const char *Cist3 = "Cist3";
inline constexpr const char *ToolButton2 = "ToolButton2";
inline constexpr const char *Skoc = "Skoc"; // the date picker
inline constexpr const char *ToolButton6 = "ToolButton6";
inline constexpr const char *SpeedButton5 = "SpeedButton5"; // end
inline constexpr const char *SpeedButton8 = "SpeedButton8"; // end once a day
inline constexpr const char *Panel1 = "Panel1";             // the clock

} // namespace objectnames
