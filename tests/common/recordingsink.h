#pragma once

#include "platform/errors.h"

#include <QStringList>

// A message sink that records the texts of the error reports and messages instead of showing
// boxes: what a test's AppContext gets.
class RecordingMessageSink : public MessageSink {
public:
    void showError(const QString &text) override {
        errors.append(text);
        all.append(text);
    }
    void showMessage(const QString &text) override {
        messages.append(text);
        all.append(text);
    }
    QStringList errors, messages, all;
};
