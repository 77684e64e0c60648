#pragma once

#include <QByteArrayView>
#include <QString>

#include "platform/rtftext.h" // rtf::plainText

class QTextDocument;

// Our own RTF reader: loads RTF into a QTextDocument.
namespace rtf {

// What a shown document is kept within, so that any page of some 100 KB lays out in a blink and
// never grows taller than Qt's layout can measure (about 8.4 million pixels, beyond which the
// layout never ends). Real pages and documents stay far inside these bounds; past them nothing
// is lost, the text only flows on:
// - at most this many paragraphs and line breaks; later ones show as spaces;
constexpr int kMaxShownBreaks = 5000;
// - a word of this many characters gets a place to wrap (an invisible U+200B) after them;
constexpr int kMaxShownWord = 1000;
// - letters of at most 72 points, lines at most twice their height or 96 pixels apart, and at
//   most 96 pixels of space before and after a paragraph.
constexpr int kMaxShownHalfPoints = 144;
constexpr int kMaxShownTwips = 1440;
constexpr int kMaxShownLinePercent = 200;

// Replaces the document's content with the RTF text. Text that names no font, size or colour is
// left without them, so it takes the document's default font and the view's text colour. Bytes
// that do not begin as RTF ("{\rtf") are shown as plain Windows-1250 text. Malformed input never
// crashes; what could be read is shown, within the bounds above.
void load(QTextDocument *document, QByteArrayView bytes);

} // namespace rtf
