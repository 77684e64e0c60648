#include "app/program.h"

#include "app/mainform.h"
#include "app/shortcutfilter.h"
#include "dialogs/autor.h"
#include "dialogs/documentviewer.h"
#include "dialogs/nastav.h"
#include "dialogs/printing.h"
#include "readings/bible.h"

#include <QApplication>

Program::Program(const AppContext &context, const QString &argument) {
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Kerla"));
    // The main window's creation runs first: its settings are read before the reading window's.
    m_main = std::make_unique<TMainForm>(context, argument);
    m_bible = std::make_unique<TBible>(context);
    m_nastav = new TNastav(context, *m_main, *m_bible, m_main.get());
    m_autor = new TAutor(context, m_main.get());
    m_form2 = new TForm2(m_main.get());
    m_print = std::make_unique<PrintService>(context);
    m_main->attachWindows({m_nastav, m_autor, m_bible.get(), m_form2, m_print.get()});
}

Program::~Program() {
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
    }
    m_main->show();
}
