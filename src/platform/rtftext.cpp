#include "platform/rtftext.h"

#include "platform/rtfparser.h"
#include "platform/textfile.h"

namespace rtf {

namespace {

// A line break inside a paragraph reads as a line feed.
QString withLineFeeds(QString text) {
    return text.replace(QChar(0x2028), u'\n');
}

// The text alone: paragraphs joined by line feeds, line breaks inside paragraphs as line feeds.
class PlainSink final : public detail::Sink {
public:
    void text(const QString &text, const detail::CharProps &, const detail::Font *) override {
        separate();
        m_text += withLineFeeds(text);
    }
    void paragraph(const detail::ParaProps &, const detail::CharProps &, const detail::Font *) override {
        separate();
        m_pending = true;
    }
    void finish(const detail::ParaProps &, bool) override {}

    QString text() const { return m_text; }

private:
    void separate() {
        if (m_pending)
            m_text += u'\n';
        m_pending = false;
    }
    QString m_text;
    bool m_pending = false;
};

// The paragraphs with their alignment and the bold and italic runs.
class ParagraphSink final : public detail::Sink {
public:
    void text(const QString &text, const detail::CharProps &chars, const detail::Font *) override {
        const Run run{withLineFeeds(text), chars.bold == detail::Flag::On, chars.italic == detail::Flag::On};
        QList<Run> &runs = m_current.runs;
        if (!runs.isEmpty() && runs.last().bold == run.bold && runs.last().italic == run.italic)
            runs.last().text += run.text;
        else
            runs.append(run);
    }
    void paragraph(const detail::ParaProps &para, const detail::CharProps &, const detail::Font *) override {
        close(para);
    }
    void finish(const detail::ParaProps &para, bool open) override {
        if (open)
            close(para);
    }

    QList<Paragraph> paragraphs;

private:
    void close(const detail::ParaProps &para) {
        m_current.align = para.align;
        paragraphs.append(std::move(m_current));
        m_current = Paragraph();
    }
    Paragraph m_current;
};

} // namespace

QString plainText(QByteArrayView bytes) {
    if (!detail::looksLikeRtf(bytes))
        return textfile::decodeLines(bytes);
    PlainSink sink;
    detail::parse(bytes, sink);
    return sink.text();
}

QString Paragraph::text() const {
    QString all;
    for (const Run &run : runs)
        all += run.text;
    return all;
}

QList<Paragraph> paragraphs(QByteArrayView bytes) {
    if (!detail::looksLikeRtf(bytes)) {
        QList<Paragraph> lines;
        for (const QString &line : textfile::decodeLines(bytes).split(u'\n'))
            lines.append(Paragraph{detail::Align::Left, {Run{line}}});
        return lines;
    }
    ParagraphSink sink;
    detail::parse(bytes, sink);
    return sink.paragraphs;
}

} // namespace rtf
