#pragma once

#include "pages/appcontext.h"

#include <memory>

class PrintService;
class ShortcutFilter;
class TAutor;
class TBible;
class TForm2;
class TMainForm;
class TNastav;

// The program's five windows. Owners: the program holds the main window, the reading window and
// the printer; the settings dialog, the about window and the document viewer are children of the
// main window and go with it. The members are declared so that what a window uses outlives it.
class Program {
public:
    Program(const AppContext &context, const QString &argument);
    ~Program();

    // True when the program ends at once (started with "a" on a day it was already ended once).
    bool endsAtOnce() const;
    // Shows the main window (which builds the first day page) and lets the main menu's shortcuts
    // act for the whole application.
    void show();

    TMainForm &mainForm() { return *m_main; }
    TNastav &nastav() { return *m_nastav; }
    TAutor &autor() { return *m_autor; }
    TBible &bible() { return *m_bible; }
    TForm2 &form2() { return *m_form2; }
    PrintService &printService() { return *m_print; }

private:
    std::unique_ptr<PrintService> m_print;
    std::unique_ptr<TBible> m_bible;
    std::unique_ptr<TMainForm> m_main;
    TNastav *m_nastav = nullptr; // child of m_main
    TAutor *m_autor = nullptr;   // child of m_main
    TForm2 *m_form2 = nullptr;   // child of m_main
    std::unique_ptr<ShortcutFilter> m_shortcuts;
};
