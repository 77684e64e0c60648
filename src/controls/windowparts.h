#pragma once

#include <QPalette>

class QKeyEvent;
class QWidget;

// Small things that several windows do alike.
namespace windowparts {

// Gives one colour role of the widget's palette a colour, or a stored colour value (colorvalue.h).
void setPaletteColor(QWidget &widget, QPalette::ColorRole role, const QColor &color);
void setPaletteColor(QWidget &widget, QPalette::ColorRole role, int colorValue);

// Moves the window to the middle of the available area of its screen (nothing without a screen).
void centreOnScreen(QWidget &window);

// For the windows that close with their own button or close box only: true (and the event taken)
// when the key is Esc, which then does nothing.
bool swallowEscape(QKeyEvent &event);

} // namespace windowparts
