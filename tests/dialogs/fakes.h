#pragma once

#include "dialogs/dayviewaccess.h"
#include "platform/colorvalue.h"

#include <QFont>

// The main window's side of the settings dialog, kept in plain fields.
class FakeDayView : public DayViewAccess {
public:
    QFont font{QStringLiteral("Arial"), 12};
    int fontColor = colorvalue::Navy;
    int background = colorvalue::Yellow;
    bool clock = false;
    int refreshes = 0;

    QFont textFont() const override { return font; }
    int textFontColor() const override { return fontColor; }
    void setTextFont(const QFont &f, int colorValue) override {
        font = f;
        fontColor = colorValue;
    }
    int backgroundColor() const override { return background; }
    void setBackgroundColor(int colorValue) override { background = colorValue; }
    bool clockVisible() const override { return clock; }
    void setClockVisible(bool visible) override { clock = visible; }
    void refreshDayPage() override { ++refreshes; }
};
