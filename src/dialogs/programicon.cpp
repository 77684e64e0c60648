#include "dialogs/programicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

QPixmap programIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    // The cover behind the pages.
    p.setPen(QPen(QColor(0x4a, 0x1c, 0x10), 1));
    p.setBrush(QColor(0x8b, 0x2a, 0x1a));
    QPainterPath cover;
    cover.moveTo(1, 9);
    cover.quadTo(8, 5, 16, 9);
    cover.quadTo(24, 5, 31, 9);
    cover.lineTo(31, 28);
    cover.quadTo(24, 24.5, 16, 28.5);
    cover.quadTo(8, 24.5, 1, 28);
    cover.closeSubpath();
    p.drawPath(cover);

    // Two pages, slightly curved: the right one is the left one mirrored at the spine.
    p.setPen(QPen(QColor(0x8c, 0x7b, 0x5a), 0.8));
    p.setBrush(QColor(0xfb, 0xf6, 0xe4));
    QPainterPath left;
    left.moveTo(3, 8);
    left.quadTo(9, 4.5, 15.5, 8.5);
    left.lineTo(15.5, 26.5);
    left.quadTo(9, 23, 3, 26);
    left.closeSubpath();
    p.drawPath(left);
    p.drawPath(QTransform(-1, 0, 0, 1, 32, 0).map(left));

    // Lines of text.
    p.setPen(QPen(QColor(0x9a, 0x92, 0x80), 0.9));
    for (int i = 0; i < 5; ++i) {
        const qreal y = 11.5 + i * 3;
        p.drawLine(QPointF(5, y), QPointF(13.5, y + 0.6));
        p.drawLine(QPointF(18.5, y + 0.6), QPointF(27, y));
    }

    // The bookmark ribbon.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc8, 0xa0, 0x20));
    QPainterPath ribbon;
    ribbon.moveTo(20, 2);
    ribbon.lineTo(23, 2);
    ribbon.lineTo(23, 13);
    ribbon.lineTo(21.5, 11.2);
    ribbon.lineTo(20, 13);
    ribbon.closeSubpath();
    p.drawPath(ribbon);
    return pixmap;
}
