#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

// A picture control that cuts its parent window down to the picture's opaque pixels and lets the
// user drag the window by the picture.
//
// The key colour is the colour of the rendered picture's bottom-left pixel: every pixel of the
// placed picture in that colour becomes a hole in the window. With Transparent on, the picture's
// transparent colour (also its bottom-left pixel's colour) is left undrawn on a black rendering,
// so the key colour is black then, and the picture's own black pixels become holes as well.
//
// The window is reshaped whenever the picture or one of Center, Stretch, Transparent and
// Proportional changes; never while painting or dragging.
class TImageShape : public QWidget {
    Q_OBJECT
public:
    enum TAlign { alNone, alClient };

    explicit TImageShape(QWidget *parent = nullptr); // 105 × 105

    TAlign Align() const { return m_align; }
    // alClient: the control always covers its parent's whole client area.
    void setAlign(TAlign align);
    bool AutoSize() const { return m_autoSize; }
    // The size is taken from the picture at the next change of the picture.
    void setAutoSize(bool on) { m_autoSize = on; }
    bool Center() const { return m_center; }
    void setCenter(bool on);
    bool Stretch() const { return m_stretch; }
    void setStretch(bool on);
    bool Proportional() const { return m_proportional; }
    void setProportional(bool on);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool on);
    // Kept for the picture formats that decode progressively; pictures here are decoded whole.
    bool IncrementalDisplay() const { return m_incrementalDisplay; }
    void setIncrementalDisplay(bool on) { m_incrementalDisplay = on; }
    // A held mouse button drags the window (on by default).
    bool Movable() const { return m_movable; }
    void setMovable(bool on) { m_movable = on; }

    const QImage &Picture() const { return m_picture; }
    // Copies the picture and runs RefreshPicture.
    void setPicture(const QImage &picture);
    // The same picture drawn for a high-density screen (it carries its device pixel ratio and
    // covers the picture's size): painted in its place, sharp, while the size and the window's
    // shape still come from Picture. An empty image, or one of another size, is not used.
    void setDensePicture(const QImage &dense);

    // Where the picture is drawn in the control.
    QRect PictureRect() const;
    static QRect PictureRect(QSize picture, QSize client, bool stretch, bool proportional, bool center);

    // Resizes (AutoSize), repaints and reshapes the parent window.
    void RefreshPicture();

    // The picture drawn at its natural size on black RGB32, leaving the transparent colour
    // undrawn when `transparent` is on.
    static QImage RenderPicture(const QImage &picture, bool transparent);
    // The pixels of the rendering placed (scaled) into `dest`, clipped to `client`, whose colour
    // differs from the rendering's bottom-left pixel. Built from one rectangle per run.
    static QRegion BuildOpaqueRegion(const QImage &rendering, const QRect &client, const QRect &dest);
    // The widths of a window's frame as (side, top): the left, right and bottom borders are taken
    // as equal; top is the caption bar plus the top border. (0, 0) for a borderless window.
    static QPoint FrameOffsets(const QRect &windowRect, const QRect &clientRect);

    // Applies a region in the control's coordinates as the parent window's shape. The first
    // shaping in the process replaces the window's shape; every later one replaces only what this
    // control added last time (PrevRegion) and keeps the rest of the window's shape.
    void ReshapeParent(QRegion region);
    // This control's last contribution, relative to the parent window's outer top-left corner.
    const QRegion &PrevRegion() const { return m_prevRegion; }

    bool MouseHeld() const { return m_mouseHeld; }
    QPoint LastCursorPos() const { return m_lastCursorPos; }

Q_SIGNALS:
    void OnMouseDown(Qt::MouseButton button, QPoint pos);
    void OnMouseMove(QPoint pos);
    void OnMouseUp(Qt::MouseButton button, QPoint pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyAlign();
    static QImage withoutTransparentColor(const QImage &picture);

    QPoint m_lastCursorPos;
    bool m_mouseHeld = false;
    bool m_movable = true;
    QImage m_picture;
    QImage m_display; // the picture as painted (transparent colour removed when Transparent)
    QImage m_dense;   // the high-density picture, as given
    QImage m_denseDisplay;
    bool m_stretch = false;
    bool m_center = false;
    bool m_incrementalDisplay = false;
    bool m_transparent = false;
    bool m_drawing = false;
    bool m_proportional = false;
    QRegion m_prevRegion;

    bool m_autoSize = false;
    TAlign m_align = alNone;
    QWidget *m_alignedTo = nullptr;
};
