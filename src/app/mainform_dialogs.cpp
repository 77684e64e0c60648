// The main window's commands that open the other windows: printing, the documents, the settings
// dialog and the about window.
#include "autor.h"
#include "documentviewer.h"
#include "mainform.h"
#include "nastav.h"
#include "printing.h"

#include <QTextEdit>

void TMainForm::Tisk1Click() {
    if (m_print)
        m_print->print(*TextWindow->document(), windowTitle());
}

void TMainForm::Nastaventisku1Click() {
    if (m_print)
        m_print->setupPrinter(this);
}

void TMainForm::OKerlachClick() {
    if (m_form2)
        command([this] { documents::showDocument(m_state, *m_form2, documents::AboutWatchwords); });
}

void TMainForm::Titnverze1Click() {
    if (m_form2)
        command([this] { documents::showDocument(m_state, *m_form2, documents::PrintedEdition); });
}

void TMainForm::PuvnastClick() {
    if (m_nastav)
        m_nastav->exec();
}

void TMainForm::Autoi1Click() {
    if (m_autor)
        m_autor->exec();
}
