#include "platform/colorvalue.h"

#include <QGuiApplication>
#include <QPalette>

namespace colorvalue {

bool isSystemColor(int value) {
    return (static_cast<quint32>(value) >> 24) == 0xFFu;
}

QColor toQColor(int value) {
    const auto v = static_cast<quint32>(value);
    if (!isSystemColor(value))
        return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
    const QPalette palette = QGuiApplication::palette();
    switch (v & 0xFF) {
    case 5: // window
        return palette.color(QPalette::Base);
    case 8:  // window text
    case 7:  // menu text
    case 18: // button text
        return palette.color(QPalette::Text);
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 15: // button face
    case 4:  // menu
        return palette.color(QPalette::Button);
    case 16:
        return palette.color(QPalette::Dark);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 20:
        return palette.color(QPalette::Light);
    case 21:
        return palette.color(QPalette::Shadow);
    case 22:
        return palette.color(QPalette::Midlight);
    case 23:
        return palette.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Window);
    }
}

int fromQColor(const QColor &color) {
    const QColor rgb = color.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

} // namespace colorvalue
