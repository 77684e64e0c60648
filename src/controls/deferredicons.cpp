#include "controls/deferredicons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>

#include <functional>
#include <optional>

namespace {

// An icon made on its first use; until then it holds nothing but the way to make it.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : m_make(std::move(make)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        // The engine's own pixmap, in pixels: QIcon sets the density on it, as for any engine.
        return icon().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("KerlaDeferred"); }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon &icon() {
        if (!m_icon)
            m_icon = m_make();
        return *m_icon;
    }

    std::function<QIcon()> m_make;
    std::optional<QIcon> m_icon;
};

} // namespace

DeferredIconStyle::DeferredIconStyle(QStyle *base) : QProxyStyle(base) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap which, const QStyleOption *option,
                                      const QWidget *widget) const {
    if (which != SP_ToolBarHorizontalExtensionButton && which != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(which, option, widget);
    // The arrow points with the writing direction, of the option or else of the application: it
    // is taken now, as the base style would take it; the option lives only for this call.
    QStyleOption kept;
    if (option)
        kept = *option;
    else
        kept.direction = QGuiApplication::layoutDirection();
    const QPointer<const QStyle> base(baseStyle());
    const QPointer<const QWidget> from(widget);
    return QIcon(new DeferredIconEngine([base, which, kept, from] {
        // A style that has been replaced since gives way to the application's present one.
        const QStyle *style = base ? base.data() : QApplication::style();
        return style->standardIcon(which, &kept, from.data());
    }));
}

void DeferredIconStyle::install() {
    if (!qobject_cast<DeferredIconStyle *>(QApplication::style()))
        QApplication::setStyle(new DeferredIconStyle(QApplication::style()));
}
