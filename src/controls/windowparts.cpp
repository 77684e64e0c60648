#include "controls/windowparts.h"

#include "platform/colorvalue.h"

#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

namespace windowparts {

void setPaletteColor(QWidget &widget, QPalette::ColorRole role, const QColor &color) {
    QPalette palette = widget.palette();
    palette.setColor(role, color);
    widget.setPalette(palette);
}

void setPaletteColor(QWidget &widget, QPalette::ColorRole role, int colorValue) {
    setPaletteColor(widget, role, colorvalue::toQColor(colorValue));
}

void centreOnScreen(QWidget &window) {
    if (const QScreen *s = window.screen())
        window.move(s->availableGeometry().center() - QPoint(window.width() / 2, window.height() / 2));
}

bool swallowEscape(QKeyEvent &event) {
    if (event.key() != Qt::Key_Escape)
        return false;
    event.accept();
    return true;
}

} // namespace windowparts
