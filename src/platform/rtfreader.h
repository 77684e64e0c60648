#pragma once

#include <QByteArrayView>
#include <QString>

#include "platform/rtftext.h" // rtf::plainText

class QTextDocument;

// Our own RTF reader: loads RTF into a QTextDocument.
namespace rtf {

// Replaces the document's content with the RTF text. Text that names no font, size or colour is
// left without them, so it takes the document's default font and the view's text colour. Bytes
// that do not begin as RTF ("{\rtf") are shown as plain Windows-1250 text. Malformed input never
// crashes; what could be read is shown.
void load(QTextDocument *document, QByteArrayView bytes);

} // namespace rtf
