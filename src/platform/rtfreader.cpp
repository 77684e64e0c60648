#include "platform/rtfreader.h"

#include "platform/rtfparser.h"
#include "platform/textfile.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace rtf {

namespace {

using detail::Align;
using detail::CharProps;
using detail::Flag;
using detail::Font;
using detail::FontFamily;
using detail::ParaProps;

// One twip is a twentieth of a point; the document lays out in pixels of 1/96 inch.
constexpr qreal kTwipsPerPixel = 15.0;

QFont::StyleHint styleHint(FontFamily family) {
    switch (family) {
    case FontFamily::Roman:
        return QFont::Serif;
    case FontFamily::Swiss:
        return QFont::SansSerif;
    case FontFamily::Modern:
        return QFont::Monospace;
    case FontFamily::Script:
        return QFont::Cursive;
    case FontFamily::Decor:
        return QFont::Decorative;
    default:
        return QFont::AnyStyle;
    }
}

QTextCharFormat makeCharFormat(const CharProps &c, const Font *font) {
    QTextCharFormat f;
    if (font && !font->isSymbol() && !font->name.isEmpty()) {
        f.setFontFamilies(QStringList{font->name});
        if (font->family != FontFamily::Any)
            f.setFontStyleHint(styleHint(font->family));
    }
    if (c.halfPoints > 0)
        f.setFontPointSize(std::min(c.halfPoints, kMaxShownHalfPoints) / 2.0);
    if (c.hasColor)
        f.setForeground(QColor::fromRgb(c.color));
    if (c.hasBackground)
        f.setBackground(QColor::fromRgb(c.background));
    if (c.bold != Flag::Unset)
        f.setFontWeight(c.bold == Flag::On ? QFont::Bold : QFont::Normal);
    if (c.italic != Flag::Unset)
        f.setFontItalic(c.italic == Flag::On);
    if (c.underline != Flag::Unset)
        f.setFontUnderline(c.underline == Flag::On);
    if (c.strike != Flag::Unset)
        f.setFontStrikeOut(c.strike == Flag::On);
    if (c.valign == detail::VAlign::Super)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (c.valign == detail::VAlign::Sub)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (c.caps == detail::Caps::All)
        f.setFontCapitalization(QFont::AllUppercase);
    else if (c.caps == detail::Caps::Small)
        f.setFontCapitalization(QFont::SmallCaps);
    return f;
}

// Counts what the document shows against the bounds of rtfreader.h.
class ShownBounds {
public:
    // True while a paragraph or line break may still be shown as one; it is counted.
    bool takeBreak() {
        if (m_breaks >= kMaxShownBreaks)
            return false;
        ++m_breaks;
        m_word = 0;
        return true;
    }

    // The text as it is shown: line breaks (and the line ends of plain text) past the bound as
    // spaces, long words given places to wrap.
    QString shown(const QString &text) {
        QString out;
        out.reserve(text.size());
        for (QChar c : text) {
            if ((c == QChar::LineSeparator || c == u'\n') && !takeBreak())
                c = u' ';
            if (c.isSpace() || c == QChar(0x200B)) {
                m_word = 0;
            } else if (++m_word > kMaxShownWord) {
                out += QChar(0x200B);
                m_word = 1;
            }
            out += c;
        }
        return out;
    }

private:
    int m_breaks = 0;
    int m_word = 0; // letters since the last place to wrap
};

// Laying out a paragraph takes Qt time that grows with the square of its runs of differing
// format, so a paragraph holds at most this many; the text beyond them keeps the last run's format.
// Real day lines and documents have a few dozen at most.
constexpr int kMaxRunsPerBlock = 200;

// Builds the document with one cursor call per run of text and one block per paragraph. Runs
// that come out in the same format (though the RTF named it differently, as two fonts of one
// name) make one run.
class DocumentSink final : public detail::Sink {
public:
    explicit DocumentSink(QTextDocument *document) : m_cursor(document) { m_cursor.beginEditBlock(); }

    void text(const QString &text, const CharProps &chars, const Font *font) override {
        openBlock();
        const QTextCharFormat &format = charFormat(chars, font);
        if (m_runsInBlock == 0 || (m_runsInBlock < kMaxRunsPerBlock && format != m_runFormat)) {
            m_runFormat = format;
            ++m_runsInBlock;
        }
        m_cursor.insertText(m_bounds.shown(text), m_runFormat);
    }

    void paragraph(const ParaProps &para, const CharProps &chars, const Font *font) override {
        if (!m_bounds.takeBreak()) { // the paragraph flows on into the last one shown
            openBlock();
            m_cursor.insertText(m_bounds.shown(QStringLiteral(" ")), m_runFormat);
            return;
        }
        openBlock();
        m_cursor.setBlockFormat(blockFormat(para));
        m_cursor.setBlockCharFormat(charFormat(chars, font));
        m_pendingBlock = true;
        m_breakBefore = false;
    }

    void pageBreak() override {
        if (!m_pendingBlock && m_cursor.block().length() <= 1)
            m_breakBefore = true; // the current paragraph is still empty: it begins the page
        else
            m_breakNext = true;
    }

    void finish(const ParaProps &para, bool open) override {
        if (open)
            m_cursor.setBlockFormat(blockFormat(para));
        m_cursor.endEditBlock();
    }

private:
    // A paragraph ended: the next block is made only when something goes into it.
    void openBlock() {
        if (!m_pendingBlock)
            return;
        m_pendingBlock = false;
        m_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        m_runsInBlock = 0;
        m_breakBefore = m_breakNext;
        m_breakNext = false;
    }

    // Documents use few formats over and over: each is built once.
    const QTextCharFormat &charFormat(const CharProps &chars, const Font *font) {
        for (const CachedFormat &cached : m_formats)
            if (cached.font == font && cached.chars == chars)
                return cached.format;
        if (m_formats.size() >= 64)
            m_formats.erase(m_formats.begin());
        m_formats.push_back({chars, font, makeCharFormat(chars, font)});
        return m_formats.back().format;
    }

    QTextBlockFormat blockFormat(const ParaProps &p) const {
        QTextBlockFormat f;
        switch (p.align) {
        case Align::Center:
            f.setAlignment(Qt::AlignHCenter);
            break;
        case Align::Right:
            f.setAlignment(Qt::AlignRight);
            break;
        case Align::Justify:
            f.setAlignment(Qt::AlignJustify);
            break;
        case Align::Left:
            break;
        }
        // Margins that reach out of the page are not shown; a hanging first line stays inside.
        const int left = std::max(p.leftIndent, 0);
        if (left > 0)
            f.setLeftMargin(left / kTwipsPerPixel);
        if (p.rightIndent > 0)
            f.setRightMargin(p.rightIndent / kTwipsPerPixel);
        const int first = std::max(p.firstIndent, -left);
        if (first != 0)
            f.setTextIndent(first / kTwipsPerPixel);
        if (p.spaceBefore > 0)
            f.setTopMargin(std::min(p.spaceBefore, kMaxShownTwips) / kTwipsPerPixel);
        if (p.spaceAfter > 0)
            f.setBottomMargin(std::min(p.spaceAfter, kMaxShownTwips) / kTwipsPerPixel);
        const int spacing = std::min(std::abs(p.lineSpacing), kMaxShownTwips);
        if (p.lineSpacing > 0 && p.lineMultiple)
            f.setLineHeight(std::min(p.lineSpacing * 100.0 / 240.0, qreal(kMaxShownLinePercent)),
                            QTextBlockFormat::ProportionalHeight);
        else if (p.lineSpacing > 0)
            f.setLineHeight(spacing / kTwipsPerPixel, QTextBlockFormat::MinimumHeight);
        else if (p.lineSpacing < 0)
            f.setLineHeight(spacing / kTwipsPerPixel, QTextBlockFormat::FixedHeight);
        if (m_breakBefore)
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        return f;
    }

    QTextCursor m_cursor;
    ShownBounds m_bounds;
    bool m_pendingBlock = false;
    bool m_breakBefore = false;  // the current block begins a page
    bool m_breakNext = false;    // the next block begins a page
    int m_runsInBlock = 0;       // runs of differing format in the current block
    QTextCharFormat m_runFormat; // the format of the current block's last run
    struct CachedFormat {
        CharProps chars;
        const Font *font;
        QTextCharFormat format;
    };
    std::vector<CachedFormat> m_formats;
};

} // namespace

void load(QTextDocument *document, QByteArrayView bytes) {
    if (!document)
        return;
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    if (detail::looksLikeRtf(bytes)) {
        document->clear();
        DocumentSink sink(document);
        detail::parse(bytes, sink);
    } else {
        // One paragraph a line, within the same bounds.
        document->setPlainText(ShownBounds().shown(textfile::decodeLines(bytes)));
    }
    document->setUndoRedoEnabled(undo);
    document->setModified(false);
}

} // namespace rtf
