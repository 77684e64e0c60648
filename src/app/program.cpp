#include "app/program.h"

#include "app/afterfirstpaint.h"
#include "app/mainform.h"
#include "app/shortcutfilter.h"
#include "dialogs/aboutwindow.h"
#include "dialogs/documentviewer.h"
#include "dialogs/printservice.h"
#include "dialogs/programicon.h"
#include "dialogs/settingsdialog.h"
#include "readings/readingwindow.h"

#include <QApplication>

Program::Program(const AppContext &context, const QString &argument, printsupport::Source &printing)
    : m_context(context), m_printing(printing) {
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Kerla"));
    m_main = std::make_unique<TMainForm>(context, m_settings, argument);
    if (!m_main->endsAtOnce())
        m_afterPaint = std::make_unique<AfterFirstPaint>(m_main.get(), [this] { createHiddenWindows(); });
}

void Program::createHiddenWindows() {
    if (m_hiddenWindowsMade)
        return;
    m_hiddenWindowsMade = true;
    // The main window's creation has read the settings file; the reading window takes its keys
    // from it.
    m_bible = std::make_unique<TBible>(m_context, m_settings);
    m_nastav = new TNastav(m_context, *m_main, *m_bible, m_main.get());
    m_autor = new TAutor(m_context, m_printing, m_main.get());
    m_form2 = new TForm2(m_main.get());
    m_print = std::make_unique<PrintService>(m_context, m_printing);
    m_main->attachWindows({m_nastav, m_autor, m_bible.get(), m_form2, m_print.get()});
    // The icon's eight sizes take longer to decode and hand to the window system than the main
    // window takes to paint; they follow the first page like the hidden windows.
    QApplication::setWindowIcon(programWindowIcon());
}

Program::~Program() {
    m_afterPaint.reset();
    if (m_shortcuts)
        qApp->removeEventFilter(m_shortcuts.get());
}

bool Program::endsAtOnce() const {
    return m_main->endsAtOnce();
}

void Program::show() {
    if (!m_shortcuts) {
        m_shortcuts = std::make_unique<ShortcutFilter>(m_main.get());
        qApp->installEventFilter(m_shortcuts.get());
        // A menu key pressed before the first paint makes the hidden windows before its command
        // runs, as any other key does.
        if (m_afterPaint)
            m_afterPaint->comeFirst();
    }
    m_main->show();
}
