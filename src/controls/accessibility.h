#pragma once

#include <QString>

class QWidget;

// What assistive technology (a screen reader on the desktop's accessibility bus) learns of the
// program's own controls.
//
// A TmyLabel3d tells its caption as its name. It is static text, a button when something handles
// its click, or a link (setIsLink); a button or link offers the press action, which does exactly
// what a click does. The interfaces come from a factory that the first label installs.
namespace accessibility {

// Installs the factory for the program's own controls; later calls do nothing.
void install();

// A picture that only decorates: screen readers pass over it.
void markDecorative(QWidget *widget);
bool isDecorative(const QWidget *widget);

// A caption as it is shown: with accelerator marks on, a single '&' is not drawn and "&&" draws
// one '&'.
QString visibleCaption(const QString &caption, bool accelerators);

} // namespace accessibility
