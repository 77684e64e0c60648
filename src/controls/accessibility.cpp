#include "controls/accessibility.h"

#include "controls/mylabel3d.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace {

const char DecorativeProperty[] = "kerlaDecorative";

class Label3dAccessible : public QAccessibleWidget {
public:
    explicit Label3dAccessible(TmyLabel3d *label) : QAccessibleWidget(label, roleOf(label)) {}

    static QAccessible::Role roleOf(const TmyLabel3d *label) {
        if (label->IsLink())
            return QAccessible::Link;
        return label->isClickable() ? QAccessible::Button : QAccessible::StaticText;
    }

    TmyLabel3d *label() const { return static_cast<TmyLabel3d *>(object()); }

    // The role is asked anew: a handler may be connected after the interface was made.
    QAccessible::Role role() const override { return roleOf(label()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const QString own = label()->accessibleName();
            return own.isEmpty() ? accessibility::visibleCaption(label()->Caption(), label()->ShowAccelChar())
                                 : own;
        }
        if (t == QAccessible::Description && label()->accessibleDescription().isEmpty() &&
            !label()->statusTip().isEmpty())
            return label()->statusTip();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = label()->IsLink();
        s.readOnly = true;
        return s;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (label()->isClickable() || label()->IsLink())
            names << pressAction();
        return names;
    }

    void doAction(const QString &actionName) override {
        // A disabled label takes no clicks either.
        if (actionName == pressAction() && label()->isEnabled() && actionNames().contains(actionName))
            label()->click();
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

// A decoration: no name, and hidden from the reader.
class DecorativeAccessible : public QAccessibleWidget {
public:
    explicit DecorativeAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Graphic) {}
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        s.focusable = false;
        return s;
    }
    QStringList actionNames() const override { return {}; }
};

QAccessibleInterface *factory(const QString &className, QObject *object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (accessibility::isDecorative(widget))
        return new DecorativeAccessible(widget);
    if (className == QLatin1String("TmyLabel3d"))
        return new Label3dAccessible(static_cast<TmyLabel3d *>(widget));
    // A window of our own made from a plain widget (the reading window) is a window to the
    // reader, not a filler.
    if (className == QLatin1String("QWidget") && widget->isWindow() &&
        widget->metaObject() != &QWidget::staticMetaObject)
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

namespace accessibility {

void install() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void markDecorative(QWidget *widget) {
    install();
    widget->setProperty(DecorativeProperty, true);
    widget->setAccessibleName(QString());
}

bool isDecorative(const QWidget *widget) {
    return widget->property(DecorativeProperty).toBool();
}

QString visibleCaption(const QString &caption, bool accelerators) {
    if (!accelerators)
        return caption;
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (++i == caption.size())
                break;
        }
        shown.append(caption.at(i));
    }
    return shown;
}

} // namespace accessibility
