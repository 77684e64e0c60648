#pragma once

#include <QFont>
#include <QString>

// What the settings dialog reads from and applies to the reading window. The reading window
// implements it; a test can give its own.
class ReadingWindowAccess {
public:
    virtual ~ReadingWindowAccess() = default;

    // The reading text's font (face, size in points, style) and its colour as a stored colour
    // value (colorvalue.h).
    virtual QFont readingFont() const = 0;
    virtual int readingFontColor() const = 0;
    virtual void setReadingFont(const QFont &font, int colorValue) = 0;
    // The face name given to the window's three labels.
    virtual void setLabelFaces(const QString &family) = 0;
    // The text area's background as a stored colour value.
    virtual int memoBackgroundColor() const = 0;

    // Whether a reading opens the classic framed window.
    virtual bool classicReadingWindow() const = 0;
    virtual void setClassicReadingWindow(bool classic) = 0;
};
