#pragma once

#include "import/datacheck.h"
#include "platform/rtfparser.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

// The parts of the data check that the day pages, the readings index and the book files share;
// the import's fuzz targets read their pages with PageSink too.
namespace datacheck::detail {

// Bytes that code page 1250 leaves undefined, and control bytes other than tab and line ends.
bool isForeignByte(unsigned char b);
// Text saved as UTF-8 instead of Windows-1250: bytes above 127 that all form UTF-8 sequences.
bool looksLikeUtf8(QByteArrayView bytes);
// A book file of Data/: its markers in order and without a gap, in code page 1250.
void checkBook(const QString &abbrev, const QByteArray &bytes, QList<Problem> &problems);

// What the RTF reader makes of a day page: its text and what it passed over.
class PageSink final : public rtf::detail::Sink {
public:
    void text(const QString &text, const rtf::detail::CharProps &, const rtf::detail::Font *) override {
        m_text += text;
    }
    void paragraph(const rtf::detail::ParaProps &, const rtf::detail::CharProps &,
                   const rtf::detail::Font *) override {
        m_text += QLatin1Char('\n');
    }
    void finish(const rtf::detail::ParaProps &, bool) override {}
    void problem(rtf::detail::Problem problem, qsizetype offset, QByteArrayView name) override {
        m_problems.append({problem, offset, QString::fromLatin1(name)});
    }

    struct Passed {
        rtf::detail::Problem problem;
        qsizetype offset;
        QString name;
    };
    QString m_text;
    QList<Passed> m_problems;
};

} // namespace datacheck::detail
