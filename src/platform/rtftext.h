#pragma once

#include "platform/rtfparser.h" // rtf::detail::Align

#include <QByteArrayView>
#include <QList>
#include <QString>

// The text of an RTF document without a text document (Qt Core only, for the data tools).
namespace rtf {

// The text as the reader reads it, one paragraph a line (for tests and for the data tools): a
// line feed between paragraphs and for each line break inside one, none after the last; tabs
// and no-break spaces as they are. Non-RTF bytes give their Windows-1250 lines.
QString plainText(QByteArrayView bytes);

// A run of a paragraph's text with the emphasis it is shown with; a line break inside the
// paragraph is a line feed.
struct Run {
    QString text;
    bool bold = false;
    bool italic = false;
    bool operator==(const Run &) const = default;
};

// A paragraph as the reader shows it: its alignment and its runs (neighbours of the same
// emphasis joined).
struct Paragraph {
    detail::Align align = detail::Align::Left;
    QList<Run> runs;
    QString text() const;
    bool isBlank() const { return text().trimmed().isEmpty(); }
};

// The paragraphs of the document, empty ones included, as the reader reads them (for copying a
// page and searching it). Non-RTF bytes give one paragraph a line.
QList<Paragraph> paragraphs(QByteArrayView bytes);

} // namespace rtf
