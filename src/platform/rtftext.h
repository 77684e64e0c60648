#pragma once

#include <QByteArrayView>
#include <QString>

// The text of an RTF document without a text document (Qt Core only, for the data tools).
namespace rtf {

// The text as the reader reads it, one paragraph a line (for tests and for the data tools): a
// line feed between paragraphs and for each line break inside one, none after the last; tabs
// and no-break spaces as they are. Non-RTF bytes give their Windows-1250 lines.
QString plainText(QByteArrayView bytes);

} // namespace rtf
