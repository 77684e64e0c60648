#pragma once

#include "sharedstate.h"

#include <memory>

class AfterFirstPaint;
class PrintService;
class ShortcutFilter;
class TAutor;
class TBible;
class TForm2;
class TMainForm;
class TNastav;

// The program's five windows, created in their order: the main window, the settings dialog, the
// about window, the reading window and the document viewer. The main window's creation runs
// first, so the reading window reads its settings after it. The four windows that start hidden
// are created once the main window has painted its first page, or earlier when anything could
// reach them first (user input, a close, or a caller asking for one of them). The program's
// window icon is set with them.
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
    TNastav &nastav() { return createHiddenWindows(), *m_nastav; }
    TAutor &autor() { return createHiddenWindows(), *m_autor; }
    TBible &bible() { return createHiddenWindows(), *m_bible; }
    TForm2 &form2() { return createHiddenWindows(), *m_form2; }
    PrintService &printService() { return createHiddenWindows(), *m_print; }

private:
    void createHiddenWindows();

    SharedState &m_state;
    std::unique_ptr<TMainForm> m_main;
    std::unique_ptr<TNastav> m_nastav;
    std::unique_ptr<TAutor> m_autor;
    std::unique_ptr<TBible> m_bible;
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<PrintService> m_print;
    std::unique_ptr<ShortcutFilter> m_shortcuts;
    std::unique_ptr<AfterFirstPaint> m_afterPaint;
    bool m_hiddenWindowsMade = false;
};
