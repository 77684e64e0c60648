#pragma once

#include <QByteArrayView>
#include <QString>

#include <map>
#include <memory>

class QStringDecoder;

// 8-bit text inside RTF: the document's code page (\ansicpg) or a font's character set
// (\fcharset) says how its bytes read.
namespace rtf::detail {

// Code page numbers of our own for the symbol fonts, whose bytes are pictures, not letters.
inline constexpr int kSymbolCodePage = -2;
inline constexpr int kWingdingsCodePage = -3;

// The code page of a Windows character set (\fcharsetN); 0 when the document's code page
// applies (ANSI, DEFAULT and unknown sets).
int codePageForCharset(int charset);

// Maps a character of a symbol font to Unicode: the few bullets that writers use for lists, the
// rest as in code page 1252.
QChar symbolToUnicode(int codePage, unsigned char byte);

// Decodes bytes of a code page. 1250 and 1252 are built in and exact; other code pages use the
// system's converters when they know them, else 1250, the program's own code page.
class CodePageDecoder {
public:
    CodePageDecoder();
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder &) = delete;
    CodePageDecoder &operator=(const CodePageDecoder &) = delete;

    QString decode(int codePage, QByteArrayView bytes);

private:
    QStringDecoder *converterFor(int codePage);
    std::map<int, std::unique_ptr<QStringDecoder>> m_converters; // null: not known
};

} // namespace rtf::detail
