#pragma once

#include <QProxyStyle>

// The style's own pictures of the toolbar's and the menu bar's extension buttons, which show only
// when the window is too narrow for all the items, are fetched when they are first drawn or
// measured. Fetching one decodes a picture, and the first decode loads every picture-format
// plug-in to ask whether it reads PNG, which would hold up the window's first appearance.
// Everything else is the base style's.
class DeferredIconStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Takes ownership of `base`, as QProxyStyle does; the application's style when null.
    explicit DeferredIconStyle(QStyle *base = nullptr);

    // Puts the application's style under this one, once; the widgets made afterwards use it.
    static void install();

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
