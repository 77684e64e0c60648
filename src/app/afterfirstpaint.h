#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

// Runs a piece of start-up work once the main window has painted its first page, so that the page
// is on screen sooner; and runs it at once, before the event goes on, when anything could reach
// what the work creates first: user input (keys, mouse, wheel, touch, shortcuts) or a close.
// Installed on the application; removes itself once the work has run.
class AfterFirstPaint : public QObject {
    Q_OBJECT
public:
    AfterFirstPaint(QWidget *mainWindow, std::function<void()> work, QObject *parent = nullptr);
    ~AfterFirstPaint() override;

    // Runs the work unless it has run already.
    void runNow();
    bool done() const { return !m_work; }
    // Sees every event again before the application's other filters, also those installed since
    // (the menu's key filter consumes a shortcut's key before a later filter sees it).
    void comeFirst();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_main;
    std::function<void()> m_work;
    bool m_queued = false;
};
