#include "program.h"

#include "afterfirstpaint.h"
#include "autor.h"
#include "bible.h"
#include "documentviewer.h"
#include "mainform.h"
#include "nastav.h"
#include "printing.h"
#include "programicon.h"
#include "shortcutfilter.h"

#include <QApplication>

Program::Program(SharedState &state, const QString &argument) : m_state(state) {
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Kerla"));
    m_main = std::make_unique<TMainForm>(state, argument);
    if (!m_main->endsAtOnce())
        m_afterPaint = std::make_unique<AfterFirstPaint>(m_main.get(), [this] { createHiddenWindows(); });
}

void Program::createHiddenWindows() {
    if (m_hiddenWindowsMade)
        return;
    m_hiddenWindowsMade = true;
    m_nastav = std::make_unique<TNastav>(m_state, *m_main, m_main.get());
    m_autor = std::make_unique<TAutor>(m_state, m_main.get());
    m_bible = std::make_unique<TBible>(m_state);
    m_form2 = std::make_unique<TForm2>(m_main.get());
    m_nastav->setReadingWindow(*m_bible);
    m_print = std::make_unique<PrintService>(m_state);
    m_main->attachWindows(m_nastav.get(), m_autor.get(), m_bible.get(), m_form2.get());
    m_main->setPrintService(m_print.get());
    // The icon's eight sizes take longer to decode and hand to the window system than the main
    // window takes to paint; they follow the first page like the hidden windows.
    QApplication::setWindowIcon(programWindowIcon());
}

Program::~Program() {
    m_afterPaint.reset();
    if (m_shortcuts)
        qApp->removeEventFilter(m_shortcuts.get());
    // The windows go in the reverse order of their creation.
    m_print.reset();
    m_form2.reset();
    m_autor.reset();
    m_nastav.reset();
    m_bible.reset();
    m_main.reset();
}

bool Program::endsAtOnce() const {
    return m_main->endsAtOnce();
}

void Program::show() {
    if (!m_shortcuts) {
        m_shortcuts = std::make_unique<ShortcutFilter>(m_main.get());
        qApp->installEventFilter(m_shortcuts.get());
    }
    m_main->show();
}
