#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The RTF parser behind rtf::load and rtf::plainText. It reads the bytes once, front to back,
// with an explicit stack of group states (no recursion), and hands runs of text and paragraph
// ends to a sink, which builds a document or plain text from them.
namespace rtf::detail {

enum class Align : qint8 { Left, Center, Right, Justify };

// Paragraph properties; \pard gives them back their defaults. Lengths are in twips.
struct ParaProps {
    Align align = Align::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0; // \sl: 0 = single; > 0 at least, < 0 exactly (twips), or 240ths with lineMultiple
    bool lineMultiple = false;
    bool operator==(const ParaProps &) const = default;
};

// The document may switch a character property on or off, or say nothing of it; what it says
// nothing of comes from the view's own font.
enum class Flag : qint8 { Unset, Off, On };

enum class VAlign : qint8 { Normal, Super, Sub };
enum class Caps : qint8 { Normal, All, Small };

// Character properties; \plain gives them back their defaults (nothing named).
struct CharProps {
    int font = -1;      // index into the font table, -1: no font named
    int halfPoints = 0; // \fs; 0: no size named
    bool hasColor = false;
    bool hasBackground = false;
    quint32 color = 0;      // 0xRRGGBB
    quint32 background = 0; // 0xRRGGBB
    Flag bold = Flag::Unset;
    Flag italic = Flag::Unset;
    Flag underline = Flag::Unset;
    Flag strike = Flag::Unset;
    VAlign valign = VAlign::Normal;
    Caps caps = Caps::Normal;
    bool hidden = false; // \v: not shown
    bool operator==(const CharProps &) const = default;
};

enum class FontFamily : qint8 { Any, Roman, Swiss, Modern, Script, Decor, Tech };

// An entry of the font table.
struct Font {
    int id = 0;   // the number in \fN
    QString name; // empty until the entry's ';'
    QByteArray nameBytes;
    bool nameDone = false;
    int charset = -1; // \fcharset, -1: none given
    int codePage = 0; // \cpg, 0: none given
    FontFamily family = FontFamily::Any;
    // A symbol font (Symbol, Wingdings): its characters are mapped to Unicode and the font
    // itself is not named in the result.
    bool isSymbol() const;
};

// What the parser passes over without a word: the data tools report it. What is shown is the same
// whether or not a sink listens.
enum class Problem : qint8 {
    ControlByte,   // a control character (not a tab or line end) in the text; it is dropped
    HiddenText,    // text in an ignorable destination {\*\name ...} that the reader does not know
    UnclosedGroup, // the bytes end before the document's group is closed
    AfterEnd,      // more than blanks after the brace that closes the document
};

// Receives what the parser reads. The first paragraph exists from the start; paragraph() ends
// the current one and the next begins (it is only there once text arrives).
class Sink {
public:
    virtual ~Sink() = default;
    // A run of text in one format within the current paragraph: '\t' for tabs, U+2028 for line
    // breaks inside a paragraph. `font` is null when the run names no font.
    virtual void text(const QString &text, const CharProps &chars, const Font *font) = 0;
    // The current paragraph ends; these are its properties.
    virtual void paragraph(const ParaProps &para, const CharProps &chars, const Font *font) = 0;
    // The next paragraph begins on a new page.
    virtual void pageBreak() {}
    // The document ends. `open`: the last paragraph has text and was not ended by paragraph();
    // it takes `para`. A last paragraph without text (or with blanks only) is dropped.
    virtual void finish(const ParaProps &para, bool open) = 0;
    // Something that the reader passed over, at that byte offset; `name` is the destination's
    // name for HiddenText.
    virtual void problem(Problem, qsizetype /*offset*/, QByteArrayView /*name*/) {}
};

void parse(QByteArrayView bytes, Sink &sink);

// True when the bytes begin, after optional white space, as RTF ("{\rtf").
bool looksLikeRtf(QByteArrayView bytes);

} // namespace rtf::detail
