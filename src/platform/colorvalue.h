#pragma once

#include <QColor>

// Colours as the settings file and the windows keep them: a plain colour is 0x00BBGGRR (red in the
// lowest byte); a system colour has the high byte 0xFF and the system colour's index in the
// lowest byte. Values are compared as stored: a system colour and the RGB value that it happens to
// show are different values.
namespace colorvalue {

inline constexpr int White = 0xFFFFFF;
inline constexpr int Black = 0;
inline constexpr int Navy = 0x800000;
inline constexpr int Maroon = 0x000080;
inline constexpr int Yellow = 0x00FFFF;
inline constexpr int Gray = 0x808080;
inline constexpr int clWindow = static_cast<int>(0xFF000005u);
inline constexpr int clWindowText = static_cast<int>(0xFF000008u); // -16777208
inline constexpr int clBtnFace = static_cast<int>(0xFF00000Fu);
inline constexpr int clGrayText = static_cast<int>(0xFF000011u);
inline constexpr int clInfoBk = static_cast<int>(0xFF000018u); // -16777192

bool isSystemColor(int value);
// The colour to paint with; system colours come from the application's palette.
QColor toQColor(int value);
// A plain colour value for an RGB colour.
int fromQColor(const QColor &color);

} // namespace colorvalue
