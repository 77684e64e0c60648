#pragma once

#include "sharedstate.h"

#include <memory>

class PrintService;
class ShortcutFilter;
class TAutor;
class TBible;
class TForm2;
class TMainForm;
class TNastav;

// The program's five windows, created in their order: the main window, the settings dialog, the
// about window, the reading window and the document viewer. The main window's creation runs
// first, so the reading window reads its settings after it.
class Program {
public:
    Program(SharedState &state, const QString &argument);
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
    std::unique_ptr<TMainForm> m_main;
    std::unique_ptr<TNastav> m_nastav;
    std::unique_ptr<TAutor> m_autor;
    std::unique_ptr<TBible> m_bible;
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<PrintService> m_print;
    std::unique_ptr<ShortcutFilter> m_shortcuts;
};
