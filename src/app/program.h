#pragma once

#include "pages/appcontext.h"
#include "pages/settingsfile.h"

#include <memory>

class AfterFirstPaint;
class PrintService;
namespace printsupport {
class Source;
}
class ShortcutFilter;
class TAutor;
class TBible;
class TForm2;
class TMainForm;
class TNastav;

// The program's five windows. Owners: the program holds the settings file, the printer, the main
// window and the reading window; the settings dialog, the about window and the document viewer are
// children of the main window and go with it. The members are declared so that what a window uses
// outlives it. The main window comes first; the four windows that start hidden are created once it
// has painted its first page, or earlier when anything could reach them first (user input, a
// close, or a caller asking for one of them). The program's window icon is set with them.
class Program {
public:
    // `printing` is where the printer and the about window's picture take the printing table from
    // (the module's loader in the program); it outlives the program.
    Program(const AppContext &context, const QString &argument, printsupport::Source &printing);
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

    const AppContext &m_context;
    printsupport::Source &m_printing;
    SettingsFile m_settings; // Kerla.ini: read by the windows' creation, written by the main window's close
    std::unique_ptr<PrintService> m_print;
    std::unique_ptr<TBible> m_bible;
    std::unique_ptr<TMainForm> m_main;
    TNastav *m_nastav = nullptr; // child of m_main
    TAutor *m_autor = nullptr;   // child of m_main
    TForm2 *m_form2 = nullptr;   // child of m_main
    std::unique_ptr<ShortcutFilter> m_shortcuts;
    std::unique_ptr<AfterFirstPaint> m_afterPaint;
    bool m_hiddenWindowsMade = false;
};
