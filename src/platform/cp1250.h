#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The program's files are 8-bit Windows-1250 text; inside the program all text is Unicode.
namespace cp1250 {

// Every byte maps to one character. The five bytes that the code page leaves undefined
// (0x81, 0x83, 0x88, 0x90, 0x98) map to the C1 control of the same number, so every byte
// string survives a round trip.
QString toUnicode(QByteArrayView bytes);
QChar toUnicode(char byte);

// Characters outside the code page become '?'.
QByteArray fromUnicode(QStringView text);

// True when the character has a byte in the code page.
bool canEncode(QChar ch);

} // namespace cp1250
