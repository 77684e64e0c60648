#include "controls/imageshape.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include <vector>

namespace {

// The process-wide note that some control has already shaped a window. It lives in the
// environment, so it is shared by every control of the process (and inherited by the processes
// that it starts).
constexpr char ShapedFlagName[] = "zabok";
constexpr char ShapedFlagValue[] = "set";

bool processHasShaped() {
    return qgetenv(ShapedFlagName) == ShapedFlagValue;
}

// The picture as painted, drawn at its natural size on black RGB32.
QImage renderOnBlack(const QImage &display) {
    QImage rendering(display.size(), QImage::Format_RGB32);
    rendering.fill(QColor(0, 0, 0));
    if (display.isNull())
        return rendering;
    QPainter painter(&rendering);
    painter.drawImage(0, 0, display);
    return rendering;
}

} // namespace

TImageShape::TImageShape(QWidget *parent) : QWidget(parent) {
    resize(105, 105);
    setFocusPolicy(Qt::NoFocus);
}

void TImageShape::setAlign(TAlign align) {
    m_align = align;
    if (m_alignedTo)
        m_alignedTo->removeEventFilter(this);
    m_alignedTo = nullptr;
    if (align == alClient && parentWidget()) {
        m_alignedTo = parentWidget();
        m_alignedTo->installEventFilter(this);
    }
    applyAlign();
}

void TImageShape::applyAlign() {
    if (m_align == alClient && parentWidget())
        setGeometry(parentWidget()->rect());
}

bool TImageShape::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_alignedTo && event->type() == QEvent::Resize)
        applyAlign();
    return QWidget::eventFilter(watched, event);
}

void TImageShape::setCenter(bool on) {
    if (on == m_center)
        return;
    m_center = on;
    RefreshPicture();
}

void TImageShape::setStretch(bool on) {
    if (on == m_stretch)
        return;
    m_stretch = on;
    RefreshPicture();
}

void TImageShape::setProportional(bool on) {
    if (on == m_proportional)
        return;
    m_proportional = on;
    RefreshPicture();
}

void TImageShape::setTransparent(bool on) {
    if (on == m_transparent)
        return;
    m_transparent = on;
    RefreshPicture();
}

void TImageShape::setPicture(const QImage &picture) {
    m_picture = picture; // QImage copies on write, so later changes of the caller's image stay there
    RefreshPicture();
}

void TImageShape::setDensePicture(const QImage &dense) {
    m_dense = dense;
    RefreshPicture();
}

QRect TImageShape::PictureRect() const {
    return PictureRect(m_picture.size(), size(), m_stretch, m_proportional, m_center);
}

QRect TImageShape::PictureRect(QSize picture, QSize client, bool stretch, bool proportional, bool center) {
    int w = picture.width();
    int h = picture.height();
    const int cw = client.width();
    const int ch = client.height();
    if (stretch || (proportional && (w > cw || h > ch))) {
        if (proportional && w > 0 && h > 0) {
            const double ratio = double(w) / double(h);
            if (w > h) {
                w = cw;
                h = static_cast<int>(cw / ratio);
                if (h > ch) {
                    h = ch;
                    w = static_cast<int>(ch * ratio);
                }
            } else {
                h = ch;
                w = static_cast<int>(ch * ratio);
                if (w > cw) {
                    w = cw;
                    h = static_cast<int>(cw / ratio);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    QRect rect(0, 0, w, h);
    if (center)
        rect.translate((cw - w) / 2, (ch - h) / 2);
    return rect;
}

QImage TImageShape::withoutTransparentColor(const QImage &picture) {
    if (picture.isNull())
        return picture;
    const QRgb key = picture.pixel(0, picture.height() - 1) & RGB_MASK;
    if (picture.format() == QImage::Format_Indexed8) {
        QImage out = picture;
        QList<QRgb> table = out.colorTable();
        for (QRgb &c : table) {
            if ((c & RGB_MASK) == key)
                c = qRgba(0, 0, 0, 0);
        }
        out.setColorTable(table);
        return out;
    }
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & RGB_MASK) == key)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return out;
}

QImage TImageShape::RenderPicture(const QImage &picture, bool transparent) {
    return renderOnBlack(transparent ? withoutTransparentColor(picture) : picture);
}

QRegion TImageShape::BuildOpaqueRegion(const QImage &rendering, const QRect &client, const QRect &dest) {
    if (rendering.isNull() || dest.width() <= 0 || dest.height() <= 0)
        return QRegion();
    const QImage source = rendering.format() == QImage::Format_RGB32
                              ? rendering
                              : rendering.convertToFormat(QImage::Format_RGB32);
    const QRgb key = source.pixel(0, source.height() - 1) & RGB_MASK;
    // The whole rendering copied into the destination rectangle (nearest pixel, no new colours).
    const QImage placed = dest.size() == source.size()
                              ? source
                              : source.scaled(dest.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QRect area = QRect(QPoint(0, 0), client.size()) & dest;
    if (area.isEmpty())
        return QRegion();

    // One rectangle per run of opaque pixels; rows with the same runs form one band, so the
    // rectangles come out sorted and banded as QRegion wants them, and the region is built at once.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> band, row;
    int bandTop = area.top();
    const auto flush = [&](int bottomExclusive) {
        for (const auto &[left, right] : band)
            rects.emplace_back(QPoint(left, bandTop), QPoint(right - 1, bottomExclusive - 1));
    };
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(placed.constScanLine(y - dest.top()));
        row.clear();
        int x = area.left();
        while (x <= area.right()) {
            while (x <= area.right() && (line[x - dest.left()] & RGB_MASK) == key)
                ++x;
            const int start = x;
            while (x <= area.right() && (line[x - dest.left()] & RGB_MASK) != key)
                ++x;
            if (x > start)
                row.emplace_back(start, x);
        }
        if (row != band || y == area.top()) {
            flush(y);
            band.swap(row);
            bandTop = y;
        }
    }
    flush(area.bottom() + 1);

    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), int(rects.size()));
    return region;
}

QPoint TImageShape::FrameOffsets(const QRect &windowRect, const QRect &clientRect) {
    const int side = (windowRect.width() - clientRect.width()) / 2;
    const int top = (windowRect.height() - clientRect.height()) - side;
    return QPoint(side, top);
}

void TImageShape::ReshapeParent(QRegion region) {
    QWidget *target = parentWidget();
    if (!target)
        return;
    // The shape is kept relative to the window's outer corner; the mask that Qt applies is
    // relative to the client area, so the frame offsets are taken off again at the end.
    const QPoint frame =
        target->isWindow() ? FrameOffsets(target->frameGeometry(), target->geometry()) : QPoint(0, 0);
    region.translate(frame + pos());

    if (!processHasShaped()) {
        m_prevRegion = region;
        qputenv(ShapedFlagName, ShapedFlagValue);
    } else {
        QRegion combined = target->mask().translated(frame);
        combined -= m_prevRegion;
        m_prevRegion = region;
        region = combined | region;
    }
    // An empty mask would show the whole window: a shape without opaque pixels leaves nothing
    // visible, so it becomes one pixel outside the window.
    const QRegion shape = region.translated(-frame);
    target->setMask(shape.isEmpty() ? QRegion(-1, -1, 1, 1) : shape);
}

void TImageShape::RefreshPicture() {
    const bool hasPicture = !m_picture.isNull();
    if (m_autoSize && m_picture.width() > 0 && m_picture.height() > 0) {
        setGeometry(x(), y(), m_picture.width(), m_picture.height());
        applyAlign();
    }
    m_display = m_transparent ? withoutTransparentColor(m_picture) : m_picture;
    const bool denseFits = !m_dense.isNull() && m_dense.deviceIndependentSize().toSize() == m_picture.size();
    m_denseDisplay = !denseFits ? QImage() : m_transparent ? withoutTransparentColor(m_dense) : m_dense;
    // Nothing behind the control needs painting when the picture covers all of it.
    setAttribute(Qt::WA_OpaquePaintEvent, hasPicture && !m_transparent && m_stretch && !m_proportional);
    if (!m_drawing)
        update();
    if (!hasPicture)
        return;

    // RenderPicture(m_picture, m_transparent), from the display picture made above.
    ReshapeParent(BuildOpaqueRegion(renderOnBlack(m_display), rect(), PictureRect()));
}

void TImageShape::paintEvent(QPaintEvent *) {
    const bool wasDrawing = m_drawing;
    m_drawing = true;
    if (!m_display.isNull()) {
        QPainter painter(this);
        painter.drawImage(PictureRect(), m_denseDisplay.isNull() ? m_display : m_denseDisplay);
    }
    m_drawing = wasDrawing;
}

void TImageShape::mousePressEvent(QMouseEvent *event) {
    event->accept();
    Q_EMIT OnMouseDown(event->button(), event->position().toPoint());
    m_mouseHeld = true;
    m_lastCursorPos = QCursor::pos();
}

void TImageShape::mouseMoveEvent(QMouseEvent *event) {
    event->accept();
    Q_EMIT OnMouseMove(event->position().toPoint());
    if (!m_mouseHeld || !m_movable)
        return;
    const QPoint now = QCursor::pos();
    QWidget *target = window();
    target->move(target->pos() + (now - m_lastCursorPos));
    m_lastCursorPos = now;
}

void TImageShape::mouseReleaseEvent(QMouseEvent *event) {
    event->accept();
    Q_EMIT OnMouseUp(event->button(), event->position().toPoint());
    m_mouseHeld = false;
}
