#include "app/toolbaraccess.h"

#include <QEvent>
#include <QKeySequence>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

namespace {

void nameAfterHint(QWidget *control) {
    control->setAccessibleName(toolbaraccess::nameFromHint(control->toolTip()));
    control->setAccessibleDescription(control->toolTip());
}

// Renames a control whenever its hint changes.
class HintFollower : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::ToolTipChange && watched->isWidgetType())
            nameAfterHint(static_cast<QWidget *>(watched));
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

namespace toolbaraccess {

QString nameFromHint(const QString &hint) {
    static const QRegularExpression trailing(QStringLiteral("\\s*\\(([^()]+)\\)\\s*$"));
    const QRegularExpressionMatch match = trailing.match(hint);
    if (!match.hasMatch())
        return hint.trimmed();
    // Only a key goes: "(jednou denně)" is part of the name, "(Enter)" or "(Ctrl+P)" is not.
    const QKeySequence key =
        QKeySequence::fromString(match.captured(1).trimmed(), QKeySequence::PortableText);
    if (key.isEmpty() || key[0].key() == Qt::Key_unknown)
        return hint.trimmed();
    return hint.left(match.capturedStart()).trimmed();
}

void describeControls(QToolBar *bar) {
    // Qt's own button for the controls that do not fit ("»"), shown when the window is narrow: the
    // one child of its class.
    for (QToolButton *more : bar->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly)) {
        if (!more->inherits("QToolBarExtension"))
            continue;
        more->setToolTip(OverflowName);
        more->setAccessibleName(OverflowName);
    }
    auto *follower = new HintFollower(bar);
    for (QWidget *control : bar->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control->toolTip().isEmpty())
            continue;
        nameAfterHint(control);
        control->installEventFilter(follower);
    }
}

} // namespace toolbaraccess
