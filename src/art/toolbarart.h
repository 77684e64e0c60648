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

// The year of the built-in week, month and year lists, which the year button's files show.
inline constexpr int kListsYear = 2025;

// Drawn for a screen of the given device pixel ratio: (32 × 32) × ratio pixels that carry the ratio.
// The year button's pictures show `year`.
QImage draw(Picture picture, qreal devicePixelRatio = 1.0, int year = kListsYear);
// Every picture, in the order of the enumeration.
QList<Picture> allPictures();

// The file names under grafika/ of the view buttons' pictures (plain and pressed); the year
// button's name the year ("menu-2025.bmp", "menu-2025a.bmp").
QString fileName(Picture picture, int year = kListsYear);
// The eight view pictures that lie under grafika/.
QList<Picture> filePictures();

// Writes the eight view pictures as 24-bit BMP files into the folder; false on a failure.
bool writeFiles(const QString &folder);

} // namespace toolbarart
