#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The toolbar's pictures, drawn by code: 32 x 32 pixels, 24 bits per pixel.
namespace toolbarart {

enum class Picture {
    Day,
    DayPressed,
    Week,
    WeekPressed,
    Month,
    MonthPressed,
    Year,
    YearPressed, // view buttons
    Yesterday,
    Today,
    Tomorrow, // day steps
    Reading1,
    Reading2,
    Reading3, // the day's readings
    End,
    EndOnceADay, // the two ends
};

// Drawn for a screen of the given device pixel ratio: (32 × 32) × ratio pixels that carry the ratio.
QImage draw(Picture picture, qreal devicePixelRatio = 1.0);
// Every picture, in the order of the enumeration.
QList<Picture> allPictures();

// The file names under grafika/ of the view buttons' pictures (plain and pressed).
QString fileName(Picture picture);
// The eight view pictures that lie under grafika/.
QList<Picture> filePictures();

// Writes the eight view pictures as 24-bit BMP files into the folder; false on a failure.
bool writeFiles(const QString &folder);

} // namespace toolbarart
