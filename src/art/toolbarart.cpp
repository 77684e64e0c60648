#include "art/toolbarart.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>

namespace toolbarart {

namespace {

const QColor kFace(236, 233, 216);
const QColor kInk(40, 52, 92);
const QColor kRed(178, 34, 34);
const QColor kPaper(255, 253, 244);
const QColor kGreen(46, 125, 50);

// A button's face: plain, or sunken (darker, with the light from below right) when pressed.
void face(QPainter &p, bool pressed) {
    p.fillRect(0, 0, 32, 32, pressed ? kFace.darker(118) : kFace);
    p.setPen(pressed ? QColor(120, 120, 120) : QColor(255, 255, 255));
    p.drawLine(0, 0, 31, 0);
    p.drawLine(0, 0, 0, 31);
    p.setPen(pressed ? QColor(255, 255, 255) : QColor(128, 128, 128));
    p.drawLine(0, 31, 31, 31);
    p.drawLine(31, 0, 31, 31);
}

// A calendar sheet with a red top strip; its red cells mark what the view covers: `kind` 0 a
// day, 1 a week, 2 the month.
void calendar(QPainter &p, bool pressed, int kind) {
    face(p, pressed);
    const int o = pressed ? 1 : 0;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(5 + o, 6 + o, 21, 21);
    p.fillRect(6 + o, 7 + o, 20, 5, kRed);
    p.fillRect(9 + o, 4 + o, 2, 5, kInk);
    p.fillRect(21 + o, 4 + o, 2, 5, kInk);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            const QRect cell(7 + o + col * 5, 14 + o + row * 4, 3, 2);
            bool marked = false;
            switch (kind) {
            case 0:
                marked = row == 1 && col == 1;
                break; // one day
            case 1:
                marked = row == 1;
                break; // a week
            default:
                marked = true;
                break; // the month
            }
            p.fillRect(cell, marked ? kRed : QColor(170, 170, 190));
        }
    }
}

void yearPicture(QPainter &p, bool pressed, int year) {
    face(p, pressed);
    const int o = pressed ? 1 : 0;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(3.5 + o, 8.5 + o, 25, 15), 2, 2);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    font.setStretch(QFont::SemiCondensed);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -0.5);
    p.setFont(font);
    p.setPen(kRed);
    p.drawText(QRect(3 + o, 8 + o, 26, 16), Qt::AlignCenter, QString::number(year));
}

void arrow(QPainter &p, int direction) {
    face(p, false);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    QPainterPath path;
    if (direction < 0) {
        path.moveTo(6, 16), path.lineTo(16, 7), path.lineTo(16, 12), path.lineTo(26, 12), path.lineTo(26, 20),
            path.lineTo(16, 20), path.lineTo(16, 25);
    } else {
        path.moveTo(26, 16), path.lineTo(16, 7), path.lineTo(16, 12), path.lineTo(6, 12), path.lineTo(6, 20),
            path.lineTo(16, 20), path.lineTo(16, 25);
    }
    path.closeSubpath();
    p.drawPath(path);
}

void today(QPainter &p) {
    face(p, false);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kRed, 2));
    p.setBrush(QColor(255, 214, 90));
    p.drawEllipse(QRectF(8, 8, 16, 16));
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(16, 12), QPointF(16, 16.5));
    p.drawLine(QPointF(16, 16.5), QPointF(19.5, 18.5));
}

void book(QPainter &p, int number) {
    face(p, false);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    QPainterPath left, right;
    left.moveTo(16, 9), left.cubicTo(12, 6, 7, 6, 4, 8), left.lineTo(4, 25),
        left.cubicTo(7, 23, 12, 23, 16, 26);
    right.moveTo(16, 9), right.cubicTo(20, 6, 25, 6, 28, 8), right.lineTo(28, 25),
        right.cubicTo(25, 23, 20, 23, 16, 26);
    p.drawPath(left);
    p.drawPath(right);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kRed);
    p.drawText(QRect(16, 9, 12, 14), Qt::AlignCenter, QString::number(number));
    p.setPen(QPen(QColor(150, 150, 170), 1));
    for (int y = 12; y <= 20; y += 3)
        p.drawLine(6, y, 13, y);
}

void endPicture(QPainter &p, bool onceADay) {
    face(p, false);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (!onceADay) {
        p.setPen(QPen(kRed, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(9, 9, 23, 23);
        p.drawLine(23, 9, 9, 23);
        return;
    }
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(5.5, 6.5, 17, 19));
    p.setPen(QPen(kGreen, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(10, 16), tick.lineTo(15, 22), tick.lineTo(27, 7);
    p.drawPath(tick);
}

} // namespace

QImage draw(Picture picture, qreal devicePixelRatio, int year) {
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const int side = qRound(32 * ratio);
    QImage image(side, side, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kFace);
    QPainter p(&image);
    switch (picture) {
    case Picture::Day:
        calendar(p, false, 0);
        break;
    case Picture::DayPressed:
        calendar(p, true, 0);
        break;
    case Picture::Week:
        calendar(p, false, 1);
        break;
    case Picture::WeekPressed:
        calendar(p, true, 1);
        break;
    case Picture::Month:
        calendar(p, false, 2);
        break;
    case Picture::MonthPressed:
        calendar(p, true, 2);
        break;
    case Picture::Year:
        yearPicture(p, false, year);
        break;
    case Picture::YearPressed:
        yearPicture(p, true, year);
        break;
    case Picture::Yesterday:
        arrow(p, -1);
        break;
    case Picture::Today:
        today(p);
        break;
    case Picture::Tomorrow:
        arrow(p, +1);
        break;
    case Picture::Reading1:
        book(p, 1);
        break;
    case Picture::Reading2:
        book(p, 2);
        break;
    case Picture::Reading3:
        book(p, 3);
        break;
    case Picture::End:
        endPicture(p, false);
        break;
    case Picture::EndOnceADay:
        endPicture(p, true);
        break;
    }
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

QList<Picture> allPictures() {
    QList<Picture> all;
    for (int i = int(Picture::Day); i <= int(Picture::EndOnceADay); ++i)
        all.append(Picture(i));
    return all;
}

QString fileName(Picture picture, int year) {
    switch (picture) {
    case Picture::Day:
        return QStringLiteral("menu_den5.bmp");
    case Picture::DayPressed:
        return QStringLiteral("menu_den51.bmp");
    case Picture::Week:
        return QStringLiteral("menu_tyden6.bmp");
    case Picture::WeekPressed:
        return QStringLiteral("menu_tyden61.bmp");
    case Picture::Month:
        return QStringLiteral("menu_mesic6.bmp");
    case Picture::MonthPressed:
        return QStringLiteral("menu_mesic61.bmp");
    case Picture::Year:
        return QStringLiteral("menu-%1.bmp").arg(year);
    case Picture::YearPressed:
        return QStringLiteral("menu-%1a.bmp").arg(year);
    default:
        return {};
    }
}

QList<Picture> filePictures() {
    return {Picture::Day,   Picture::DayPressed,   Picture::Week, Picture::WeekPressed,
            Picture::Month, Picture::MonthPressed, Picture::Year, Picture::YearPressed};
}

bool writeFiles(const QString &folder) {
    if (!QDir().mkpath(folder))
        return false;
    for (Picture picture : filePictures()) {
        if (!draw(picture).save(folder + QLatin1Char('/') + fileName(picture), "BMP"))
            return false;
    }
    return true;
}

} // namespace toolbarart
