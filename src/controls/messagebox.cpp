#include "controls/messagebox.h"

#include <QApplication>
#include <QMessageBox>

namespace {
void show(QWidget *parent, QMessageBox::Icon icon, const QString &text) {
    QWidget *owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                     : QApplication::activeWindow()    ? QApplication::activeWindow()
                                                       : parent;
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, owner);
    box.exec();
}
} // namespace

void BoxMessageSink::showError(const QString &text) {
    show(m_parent, QMessageBox::Critical, text);
}

void BoxMessageSink::showMessage(const QString &text) {
    show(m_parent, QMessageBox::NoIcon, text);
}
