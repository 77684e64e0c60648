#pragma once

#include "import/xmltree.h"
#include "import/yeartext.h"

#include <QList>

// The publisher's two XML formats read into a year's texts: LOSFILE (the Czech watchwords, with
// the week, month and year watchwords, the hymn verses, the commemorations and the readings) and
// FreeXml (the watchword and the teaching text of each day). Problems are added by day; those that
// leave nothing to write are fatal (a day doubled or missing, a year outside 1901–2099).
namespace xmlformats {

yeartext::Year readLosfile(const xmltree::Node &root, QList<yeartext::Problem> &problems);
yeartext::Year readFreeXml(const xmltree::Node &root, QList<yeartext::Problem> &problems);

// A FreeXml text: "/Jesus spricht:/" at its start is the introduction (italic), "#...#" is bold,
// the marks themselves are dropped.
yeartext::Passage freeXmlPassage(const QString &text, const QString &reference);

} // namespace xmlformats
