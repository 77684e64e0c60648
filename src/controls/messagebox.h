#pragma once

#include "platform/errors.h"

#include <QString>

class QWidget;

// The real message boxes: a box with the text and one OK button, modal to the active window.
class BoxMessageSink : public MessageSink {
public:
    explicit BoxMessageSink(QWidget *parent = nullptr) : m_parent(parent) {}
    void showError(const QString &text) override;
    void showMessage(const QString &text) override;

private:
    QWidget *m_parent;
};
