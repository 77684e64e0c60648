#include "app/afterfirstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

// The events by which a user (or the window system on a user's behalf) can reach a window.
bool reachesWindows(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

AfterFirstPaint::AfterFirstPaint(QWidget *mainWindow, std::function<void()> work, QObject *parent)
    : QObject(parent), m_main(mainWindow), m_work(std::move(work)) {
    QCoreApplication::instance()->installEventFilter(this);
}

AfterFirstPaint::~AfterFirstPaint() {
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void AfterFirstPaint::comeFirst() {
    QCoreApplication *app = QCoreApplication::instance();
    if (!m_work || !app)
        return;
    app->removeEventFilter(this);
    app->installEventFilter(this); // the filter installed last is asked first
}

void AfterFirstPaint::runNow() {
    if (!m_work)
        return;
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
    const auto work = std::move(m_work);
    m_work = nullptr;
    work();
}

bool AfterFirstPaint::eventFilter(QObject *watched, QEvent *event) {
    if (m_work) {
        if (reachesWindows(event->type())) {
            runNow();
        } else if (!m_queued && event->type() == QEvent::Paint && watched->isWidgetType() && m_main &&
                   static_cast<QWidget *>(watched)->window() == m_main) {
            // The paint is under way: the work follows once the page is flushed to the screen.
            m_queued = true;
            QTimer::singleShot(0, this, &AfterFirstPaint::runNow);
        }
    }
    return QObject::eventFilter(watched, event);
}
