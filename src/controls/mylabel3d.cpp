#include "controls/mylabel3d.h"

#include "controls/accessibility.h"
#include "platform/contrast.h"

#include <QAccessible>

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Stores the new value; true when it differs from the old one.
template <class T> bool change(T &member, T value) {
    if (member == value)
        return false;
    member = value;
    return true;
}

} // namespace

TmyLabel3d::TmyLabel3d(QWidget *parent) : TmyLabel3d(QString(), parent) {}

TmyLabel3d::TmyLabel3d(const QString &caption, QWidget *parent) : QWidget(parent), m_caption(caption) {
    // The parent shows through wherever the caption is not drawn (unless Transparent is off).
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
    adjustToCaption();
    accessibility::install();
}

void TmyLabel3d::setCaption(const QString &caption) {
    if (!change(m_caption, caption))
        return;
    adjustToCaption();
    updateGeometry();
    update();
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void TmyLabel3d::setAStyle3D(T3DEffect style) {
    if (change(m_style, style))
        update();
}

void TmyLabel3d::setAShadeRightBottom(int colorValue) {
    if (change(m_shadeRightBottom, colorValue))
        update();
}

void TmyLabel3d::setAShadeLeftTop(int colorValue) {
    if (!m_shadeLTSet && change(m_shadeLeftTop, colorValue))
        update();
}

void TmyLabel3d::setAHShadeOffSet(int pixels) {
    if (change(m_hOffset, pixels))
        update();
}

void TmyLabel3d::setAVShadeOffSet(int pixels) {
    if (change(m_vOffset, pixels))
        update();
}

void TmyLabel3d::setAShadeLTSet(bool on) {
    if (on != m_shadeLTSet) {
        if (on) {
            m_savedShadeLeftTop = m_shadeLeftTop;
            m_shadeLeftTop = colorvalue::White;
        } else {
            m_shadeLeftTop = m_savedShadeLeftTop;
        }
        m_shadeLTSet = on;
    }
    update();
}

void TmyLabel3d::setFontColor(int colorValue) {
    if (change(m_fontColor, colorValue))
        update();
}

void TmyLabel3d::setColor(int colorValue) {
    if (change(m_color, colorValue))
        update();
}

void TmyLabel3d::setTransparent(bool on) {
    if (change(m_transparent, on))
        update();
}

void TmyLabel3d::setShowAccelChar(bool on) {
    if (!change(m_showAccelChar, on))
        return;
    adjustToCaption();
    update();
}

void TmyLabel3d::setAlignment(Qt::Alignment alignment) {
    if (change(m_alignment, alignment))
        update();
}

void TmyLabel3d::setAutoSize(bool on) {
    if (change(m_autoSize, on))
        adjustToCaption();
}

void TmyLabel3d::setWordWrap(bool on) {
    if (!change(m_wordWrap, on))
        return;
    adjustToCaption();
    update();
}

void TmyLabel3d::setBackdrop(const QColor &color) {
    if (change(m_backdrop, color))
        update();
}

QColor TmyLabel3d::backdropColor() const {
    if (!m_transparent)
        return colorvalue::toQColor(m_color);
    if (m_backdrop.isValid())
        return m_backdrop;
    const QWidget *behind = parentWidget() ? parentWidget() : this;
    return behind->palette().color(behind->backgroundRole());
}

QColor TmyLabel3d::faceColor() const {
    if (!isEnabled())
        return colorvalue::toQColor(colorvalue::clGrayText);
    return contrast::readableOn(colorvalue::toQColor(m_fontColor), backdropColor());
}

bool TmyLabel3d::isClickable() const {
    return isSignalConnected(QMetaMethod::fromSignal(&TmyLabel3d::OnClick));
}

void TmyLabel3d::click() {
    Q_EMIT OnClick(this);
}

int TmyLabel3d::textFlags() const {
    int flags = Qt::TextWordWrap | Qt::TextExpandTabs | Qt::AlignTop;
    if (m_alignment & Qt::AlignRight)
        flags |= Qt::AlignRight;
    else if (m_alignment & Qt::AlignHCenter)
        flags |= Qt::AlignHCenter;
    else
        flags |= Qt::AlignLeft;
    return flags;
}

QSize TmyLabel3d::captionSize(int width) const {
    const QFontMetrics fm(font());
    const int mnemonic = m_showAccelChar ? int(Qt::TextShowMnemonic) : 0;
    if (width < 0)
        return fm.size(Qt::TextExpandTabs | mnemonic, m_caption);
    const QRect bounds(0, 0, width, 1 << 20);
    return QSize(
        width, fm.boundingRect(bounds, Qt::TextWordWrap | Qt::TextExpandTabs | mnemonic, m_caption).height());
}

void TmyLabel3d::adjustToCaption() {
    if (!m_autoSize)
        return;
    const QSize size = captionSize(m_wordWrap ? width() : -1);
    if (size == this->size())
        return;
    // A right-aligned label keeps its right edge, a centred one its centre.
    int left = x();
    if (m_alignment & Qt::AlignRight)
        left += width() - size.width();
    else if (m_alignment & Qt::AlignHCenter)
        left += (width() - size.width()) / 2;
    setGeometry(left, y(), size.width(), size.height());
}

QSize TmyLabel3d::sizeHint() const {
    return captionSize(m_wordWrap ? width() : -1);
}

QSize TmyLabel3d::minimumSizeHint() const {
    return sizeHint();
}

void TmyLabel3d::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), colorvalue::toQColor(m_color));
    painter.setBrush(Qt::NoBrush);
    DrawCaption3D(painter, rect(), textFlags());
}

void TmyLabel3d::DrawCaption3D(QPainter &painter, const QRect &rect, int flags) {
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;
    painter.setFont(font());
    // Everything outside the label is clipped: a shifted copy loses what leaves the label.
    painter.setClipRect(this->rect());

    const auto pass = [&](int dx, int dy, const QColor &color) {
        painter.setPen(color);
        painter.drawText(rect.translated(dx, dy), flags, m_caption);
    };
    const QColor leftTop = colorvalue::toQColor(m_shadeLeftTop);
    const QColor rightBottom = colorvalue::toQColor(m_shadeRightBottom);
    switch (m_style) {
    case T3DEffect::Normal3d:
        break;
    case T3DEffect::Resit3d:
        pass(1, 1, leftTop);
        pass(-1, -1, rightBottom);
        break;
    case T3DEffect::Raised3d:
        pass(1, 1, rightBottom);
        pass(-1, -1, leftTop);
        break;
    case T3DEffect::Shadowed3d:
        pass(m_hOffset, m_vOffset, rightBottom);
        break;
    }
    pass(0, 0, faceColor());
}

void TmyLabel3d::changeEvent(QEvent *event) {
    if (event->type() == QEvent::FontChange) {
        adjustToCaption();
        updateGeometry();
        update();
    }
    QWidget::changeEvent(event);
}

void TmyLabel3d::enterEvent(QEnterEvent *event) {
    m_pointerInside = true;
    QWidget::enterEvent(event);
}

void TmyLabel3d::leaveEvent(QEvent *event) {
    pointerOut();
    QWidget::leaveEvent(event);
}

void TmyLabel3d::pointerOut() {
    if (!m_pointerInside)
        return;
    m_pointerInside = false;
    Q_EMIT OnMouseOut(this);
}

void TmyLabel3d::mousePressEvent(QMouseEvent *event) {
    m_pointerInside = true;
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

void TmyLabel3d::mouseMoveEvent(QMouseEvent *event) {
    // While a button is held the label keeps getting the moves; one past the last pixel still
    // counts as inside.
    const QPoint p = event->position().toPoint();
    const bool inside = p.x() >= 0 && p.y() >= 0 && p.x() <= width() && p.y() <= height();
    if (inside)
        m_pointerInside = true;
    else
        pointerOut();
    event->accept();
}

void TmyLabel3d::mouseReleaseEvent(QMouseEvent *event) {
    const bool wasPressed = m_pressed && event->button() == Qt::LeftButton;
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    event->accept();
    if (wasPressed && rect().contains(event->position().toPoint()))
        click();
}
