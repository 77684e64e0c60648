#pragma once

#include "platform/colorvalue.h"

#include <QWidget>

#include <cstdint>

// The label's three-dimensional effect.
enum class T3DEffect : std::uint8_t {
    Normal3d,   // caption only
    Resit3d,    // sunken: light copy below-right, dark copy above-left
    Raised3d,   // raised: dark copy below-right, light copy above-left
    Shadowed3d, // one copy shifted by the shadow offsets
};

// A text label that draws its caption sunken, raised or with a drop shadow. It is transparent by
// default (the parent shows through around the glyphs), draws its caption word-wrapped from the
// top, and reports a click and the pointer leaving it.
//
// Colours are stored colour values (colorvalue.h), so system colours follow the palette.
class TmyLabel3d : public QWidget {
    Q_OBJECT
public:
    explicit TmyLabel3d(QWidget *parent = nullptr);
    explicit TmyLabel3d(const QString &caption, QWidget *parent = nullptr);

    // The caption; with ShowAccelChar on, '&' marks the next character as the accelerator
    // ("&&" draws one ampersand). setText/text are the same as setCaption/Caption.
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    QString text() const { return m_caption; }
    void setText(const QString &caption) { setCaption(caption); }

    T3DEffect AStyle3D() const { return m_style; }
    void setAStyle3D(T3DEffect style);
    int AShadeRightBottom() const { return m_shadeRightBottom; }
    void setAShadeRightBottom(int colorValue);
    int AShadeLeftTop() const { return m_shadeLeftTop; }
    // Ignored while AShadeLTSet is on.
    void setAShadeLeftTop(int colorValue);
    int AHShadeOffSet() const { return m_hOffset; }
    void setAHShadeOffSet(int pixels);
    int AVShadeOffSet() const { return m_vOffset; }
    void setAVShadeOffSet(int pixels);
    // While on, AShadeLeftTop is held at white; turning it off restores the colour it had before.
    // Always repaints, also when the value stays.
    bool AShadeLTSet() const { return m_shadeLTSet; }
    void setAShadeLTSet(bool on);

    // The caption's colour (default: the system window-text colour).
    int FontColor() const { return m_fontColor; }
    void setFontColor(int colorValue);
    // Background colour, painted only when Transparent is off (default: button face).
    int Color() const { return m_color; }
    void setColor(int colorValue);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool on);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool on);
    // Horizontal alignment of the caption; it is always drawn from the top.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    // Sizing: with AutoSize on (the default) the label takes the size of its caption whenever
    // the caption or the font changes: one line wide, or, with WordWrap on, its current width
    // and the wrapped caption's height. The drawing itself always wraps.
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on);

    // What lies behind a transparent label, for the caption's contrast: the parent's background
    // unless a colour is given (the average colour of a picture under the label); an invalid
    // colour returns to the parent's background. An opaque label is behind itself (Color).
    void setBackdrop(const QColor &color);
    QColor backdropColor() const;
    // The colour that the caption is drawn in: FontColor, or black or white when FontColor would
    // be hard to read on the backdrop (below 4.5:1); grey text while disabled. FontColor stays.
    QColor faceColor() const;

    // For assistive technology: a caption that opens a link, or one that something handles a
    // click on (a button).
    bool IsLink() const { return m_isLink; }
    void setIsLink(bool on) { m_isLink = on; }
    bool isClickable() const;
    // Does what a click with the left button does.
    void click();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // A click with the left button (pressed and released over the label).
    void OnClick(TmyLabel3d *sender);
    // The pointer has left the label; raised once per visit.
    void OnMouseOut(TmyLabel3d *sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void DrawCaption3D(QPainter &painter, const QRect &rect, int flags);
    int textFlags() const;
    QSize captionSize(int width) const;
    void adjustToCaption();
    void pointerOut();

    QString m_caption;
    T3DEffect m_style = T3DEffect::Normal3d;
    int m_shadeRightBottom = colorvalue::Gray;
    int m_shadeLeftTop = colorvalue::White;
    int m_savedShadeLeftTop = colorvalue::White;
    int m_hOffset = 5;
    int m_vOffset = -5;
    bool m_shadeLTSet = false;

    int m_fontColor = colorvalue::clWindowText;
    int m_color = colorvalue::clBtnFace;
    bool m_transparent = true;
    bool m_showAccelChar = true;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_autoSize = true;
    bool m_wordWrap = false;
    bool m_isLink = false;
    QColor m_backdrop;

    bool m_pointerInside = false;
    bool m_pressed = false;
};
