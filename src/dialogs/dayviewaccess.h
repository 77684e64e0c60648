#pragma once

#include <QFont>

// What the settings dialog reads from and applies to the main window. The main window
// implements it; a test can give its own.
class DayViewAccess {
public:
    virtual ~DayViewAccess() = default;

    // TextWindow's font (face, size in points, style, charset) and its colour as a stored colour
    // value (colorvalue.h).
    virtual QFont textFont() const = 0;
    virtual int textFontColor() const = 0;
    virtual void setTextFont(const QFont &font, int colorValue) = 0;

    // TextWindow's background as a stored colour value.
    virtual int backgroundColor() const = 0;
    virtual void setBackgroundColor(int colorValue) = 0;

    // The clock panel Panel1.
    virtual bool clockVisible() const = 0;
    virtual void setClockVisible(bool visible) = 0;

    // The day-page refresh (FormShow).
    virtual void refreshDayPage() = 0;
};
