#include "platform/rtftext.h"

#include "platform/rtfparser.h"
#include "platform/textfile.h"

namespace rtf {

namespace {

// The text alone: paragraphs joined by line feeds, line breaks inside paragraphs as line feeds.
class PlainSink final : public detail::Sink {
public:
    void text(const QString &text, const detail::CharProps &, const detail::Font *) override {
        separate();
        const qsizetype start = m_text.size();
        m_text += text;
        for (qsizetype i = start; i < m_text.size(); ++i) {
            if (m_text[i] == QChar(0x2028))
                m_text[i] = u'\n';
        }
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

} // namespace

QString plainText(QByteArrayView bytes) {
    if (!detail::looksLikeRtf(bytes))
        return textfile::decodeLines(bytes);
    PlainSink sink;
    detail::parse(bytes, sink);
    return sink.text();
}

} // namespace rtf
