#include "platform/rtfparser.h"

#include "platform/rtfcodepage.h"

#include <QHash>

#include <algorithm>
#include <deque>
#include <string_view>
#include <vector>

namespace rtf::detail {

bool Font::isSymbol() const {
    return charset == 2 || name.startsWith(u"Symbol", Qt::CaseInsensitive) ||
           name.startsWith(u"Wingdings", Qt::CaseInsensitive);
}

bool looksLikeRtf(QByteArrayView bytes) {
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith(QByteArrayView("{\\rtf"));
}

namespace {

// Groups nested deeper than this share the state of the deepest one; their braces are still
// counted, so the document's structure is kept.
constexpr qsizetype kMaxDepth = 1000;
// Numeric parameters are clamped to this; the control words clamp them further to what they mean.
constexpr qint64 kMaxParam = 2'000'000'000;
// 22 inches: more than any page is wide.
constexpr int kMaxTwips = 31680;

enum class Dest : qint8 { Text, FontTable, ColorTable };

enum class Kw : qint8 {
    Skip, // a destination whose content is not shown
    FontTable,
    ColorTable,
    Par,
    Line,
    Tab,
    Cell,
    Row,
    Page,
    Char, // a fixed character
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Font,
    FontSize,
    Color,
    Background,
    Super,
    Sub,
    NoSuperSub,
    AllCaps,
    SmallCaps,
    Hidden,
    Pard,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    Unicode,
    UnicodeSkip,
    AnsiCodePage,
    CodePage, // \mac, \pc, \pca: the code page is the entry's value
    DefaultFont,
    FontCharset,
    FontCodePage,
    FontFamilyWord,
    Red,
    Green,
    Blue,
    Bin,
};

struct KwEntry {
    std::string_view name;
    Kw kw;
    int value = 0;
};

// Control words that the reader acts on; all others are ignored.
const std::vector<KwEntry> &keywords() {
    static const std::vector<KwEntry> table = [] {
        std::vector<KwEntry> t = {
            {"aftncn", Kw::Skip},
            {"aftnsep", Kw::Skip},
            {"aftnsepc", Kw::Skip},
            {"annotation", Kw::Skip},
            {"ansicpg", Kw::AnsiCodePage},
            {"atnauthor", Kw::Skip},
            {"atndate", Kw::Skip},
            {"atnid", Kw::Skip},
            {"atnparent", Kw::Skip},
            {"atnref", Kw::Skip},
            {"atntime", Kw::Skip},
            {"atrfend", Kw::Skip},
            {"atrfstart", Kw::Skip},
            {"author", Kw::Skip},
            {"b", Kw::Bold},
            {"background", Kw::Skip},
            {"bin", Kw::Bin},
            {"bkmkend", Kw::Skip},
            {"bkmkstart", Kw::Skip},
            {"blue", Kw::Blue},
            {"bullet", Kw::Char, 0x2022},
            {"buptim", Kw::Skip},
            {"bxe", Kw::Skip},
            {"caps", Kw::AllCaps},
            {"cb", Kw::Background},
            {"cell", Kw::Cell},
            {"cf", Kw::Color},
            {"chcbpat", Kw::Background},
            {"colortbl", Kw::ColorTable},
            {"comment", Kw::Skip},
            {"company", Kw::Skip},
            {"cpg", Kw::FontCodePage},
            {"creatim", Kw::Skip},
            {"datafield", Kw::Skip},
            {"datastore", Kw::Skip},
            {"deff", Kw::DefaultFont},
            {"do", Kw::Skip},
            {"dn", Kw::Sub},
            {"doccomm", Kw::Skip},
            {"docvar", Kw::Skip},
            {"emdash", Kw::Char, 0x2014},
            {"emspace", Kw::Char, 0x2003},
            {"endash", Kw::Char, 0x2013},
            {"enspace", Kw::Char, 0x2002},
            {"f", Kw::Font},
            {"fbidi", Kw::FontFamilyWord, int(FontFamily::Any)},
            {"fcharset", Kw::FontCharset},
            {"fdecor", Kw::FontFamilyWord, int(FontFamily::Decor)},
            {"fi", Kw::FirstIndent},
            {"fldinst", Kw::Skip},
            {"fmodern", Kw::FontFamilyWord, int(FontFamily::Modern)},
            {"fnil", Kw::FontFamilyWord, int(FontFamily::Any)},
            {"fonttbl", Kw::FontTable},
            {"footer", Kw::Skip},
            {"footerf", Kw::Skip},
            {"footerl", Kw::Skip},
            {"footerr", Kw::Skip},
            {"footnote", Kw::Skip},
            {"formfield", Kw::Skip},
            {"froman", Kw::FontFamilyWord, int(FontFamily::Roman)},
            {"fs", Kw::FontSize},
            {"fscript", Kw::FontFamilyWord, int(FontFamily::Script)},
            {"fswiss", Kw::FontFamilyWord, int(FontFamily::Swiss)},
            {"ftech", Kw::FontFamilyWord, int(FontFamily::Tech)},
            {"ftncn", Kw::Skip},
            {"ftnsep", Kw::Skip},
            {"ftnsepc", Kw::Skip},
            {"generator", Kw::Skip},
            {"green", Kw::Green},
            {"header", Kw::Skip},
            {"headerf", Kw::Skip},
            {"headerl", Kw::Skip},
            {"headerr", Kw::Skip},
            {"highlight", Kw::Background},
            {"i", Kw::Italic},
            {"info", Kw::Skip},
            {"keywords", Kw::Skip},
            {"latentstyles", Kw::Skip},
            {"ldblquote", Kw::Char, 0x201C},
            {"li", Kw::LeftIndent},
            {"lin", Kw::LeftIndent},
            {"line", Kw::Line},
            {"listoverridetable", Kw::Skip},
            {"listpicture", Kw::Skip},
            {"listtable", Kw::Skip},
            {"lquote", Kw::Char, 0x2018},
            {"ltrmark", Kw::Char, 0x200E},
            {"mac", Kw::CodePage, 10000},
            {"manager", Kw::Skip},
            {"nestcell", Kw::Cell},
            {"nestrow", Kw::Row},
            {"nesttableprops", Kw::Skip},
            {"nonesttables", Kw::Skip},
            {"nonshppict", Kw::Skip},
            {"nosupersub", Kw::NoSuperSub},
            {"objdata", Kw::Skip},
            {"object", Kw::Skip},
            {"operator", Kw::Skip},
            {"page", Kw::Page},
            {"par", Kw::Par},
            {"pard", Kw::Pard},
            {"pc", Kw::CodePage, 437},
            {"pca", Kw::CodePage, 850},
            {"pgdsctbl", Kw::Skip},
            {"pict", Kw::Skip},
            {"plain", Kw::Plain},
            {"pn", Kw::Skip},
            {"pnseclvl", Kw::Skip},
            {"pntxta", Kw::Skip},
            {"pntxtb", Kw::Skip},
            {"printim", Kw::Skip},
            {"private", Kw::Skip},
            {"qc", Kw::AlignCenter},
            {"qd", Kw::AlignJustify},
            {"qj", Kw::AlignJustify},
            {"ql", Kw::AlignLeft},
            {"qmspace", Kw::Char, 0x2005},
            {"qr", Kw::AlignRight},
            {"rdblquote", Kw::Char, 0x201D},
            {"red", Kw::Red},
            {"revtbl", Kw::Skip},
            {"revtim", Kw::Skip},
            {"ri", Kw::RightIndent},
            {"rin", Kw::RightIndent},
            {"row", Kw::Row},
            {"rquote", Kw::Char, 0x2019},
            {"rsidtbl", Kw::Skip},
            {"rtlmark", Kw::Char, 0x200F},
            {"rxe", Kw::Skip},
            {"sa", Kw::SpaceAfter},
            {"sb", Kw::SpaceBefore},
            {"scaps", Kw::SmallCaps},
            {"sect", Kw::Par},
            {"shp", Kw::Skip},
            {"shpinst", Kw::Skip},
            {"shppict", Kw::Skip},
            {"sl", Kw::LineSpacing},
            {"slmult", Kw::LineMultiple},
            {"strike", Kw::Strike},
            {"striked", Kw::Strike},
            {"stylesheet", Kw::Skip},
            {"sub", Kw::Sub},
            {"subject", Kw::Skip},
            {"super", Kw::Super},
            {"tab", Kw::Tab},
            {"tc", Kw::Skip},
            {"template", Kw::Skip},
            {"themedata", Kw::Skip},
            {"title", Kw::Skip},
            {"txe", Kw::Skip},
            {"u", Kw::Unicode},
            {"uc", Kw::UnicodeSkip},
            {"ul", Kw::Underline},
            {"uld", Kw::Underline},
            {"uldash", Kw::Underline},
            {"uldashd", Kw::Underline},
            {"uldashdd", Kw::Underline},
            {"uldb", Kw::Underline},
            {"ulhwave", Kw::Underline},
            {"ulldash", Kw::Underline},
            {"ulnone", Kw::UnderlineNone},
            {"ulth", Kw::Underline},
            {"ulthd", Kw::Underline},
            {"ulthdash", Kw::Underline},
            {"ulthdashd", Kw::Underline},
            {"ulthdashdd", Kw::Underline},
            {"ulthldash", Kw::Underline},
            {"ululdbwave", Kw::Underline},
            {"ulw", Kw::Underline},
            {"ulwave", Kw::Underline},
            {"up", Kw::Super},
            {"userprops", Kw::Skip},
            {"v", Kw::Hidden},
            {"wgrffmtfilter", Kw::Skip},
            {"xe", Kw::Skip},
            {"xmlnstbl", Kw::Skip},
            {"zwj", Kw::Char, 0x200D},
            {"zwnj", Kw::Char, 0x200C},
        };
        std::sort(t.begin(), t.end(), [](const KwEntry &a, const KwEntry &b) { return a.name < b.name; });
        return t;
    }();
    return table;
}

const KwEntry *findKeyword(std::string_view name) {
    const auto &table = keywords();
    auto it = std::lower_bound(table.begin(), table.end(), name,
                               [](const KwEntry &e, std::string_view n) { return e.name < n; });
    return (it != table.end() && it->name == name) ? &*it : nullptr;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Control characters are not text; paragraph separators and the document's own frame marks
// would break the paragraph structure that the parser keeps.
bool isUnwanted(QChar c) {
    const char16_t u = c.unicode();
    return (u < 0x20 && u != u'\t') || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1;
}

bool isBlank(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' ' || c == u'\t'; });
}

Flag onOff(bool hasParam, int param) {
    return (hasParam && param == 0) ? Flag::Off : Flag::On;
}

int clampTwips(int value) {
    return std::clamp(value, -kMaxTwips, kMaxTwips);
}

struct Word {
    std::string_view name;
    bool hasParam = false;
    int param = 0;
};

struct GroupState {
    CharProps chars;
    ParaProps para;
    Dest dest = Dest::Text;
    int uc = 1; // \uc: fallback characters after \u
};

struct HeldRun {
    QString text;
    CharProps chars;
};

class Parser {
public:
    Parser(QByteArrayView bytes, Sink &sink) : m_data(bytes.data()), m_end(bytes.size()), m_sink(sink) {}

    void run() {
        while (m_pos < m_end && m_data[m_pos] != '{')
            ++m_pos;
        while (m_pos < m_end && !m_done) {
            if (m_skipDepth > 0) {
                skipStep();
                continue;
            }
            const char c = m_data[m_pos];
            if (c == '{') {
                ++m_pos;
                openGroup();
            } else if (c == '}') {
                ++m_pos;
                closeGroup();
            } else if (c == '\\') {
                ++m_pos;
                control();
            } else {
                textChunk();
            }
        }
        if (!m_done && depth() > 0)
            m_sink.problem(Problem::UnclosedGroup, m_end, {});
        for (qsizetype i = m_pos; m_done && i < m_end; ++i) {
            if (m_data[i] != ' ' && m_data[i] != '\t' && m_data[i] != '\r' && m_data[i] != '\n') {
                m_sink.problem(Problem::AfterEnd, i, {});
                break;
            }
        }
        finish();
    }

private:
    qsizetype depth() const { return m_stack.size() + m_overflow; }

    // --- groups -------------------------------------------------------------------------------

    void openGroup() {
        flushPending();
        m_ucSkip = 0;
        if (m_overflow > 0 || m_stack.size() >= kMaxDepth) {
            ++m_overflow;
            return;
        }
        m_stack.push_back(m_cur);
    }

    void closeGroup() {
        flushPending();
        m_ucSkip = 0;
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_stack.size() <= 1) { // the document's own group ends
            m_done = true;
            return;
        }
        if (m_cur.dest == Dest::FontTable)
            finishFontName();
        m_cur = m_stack.back();
        m_stack.pop_back();
        if (m_cur.dest != Dest::FontTable)
            m_curFont = -1;
    }

    // The rest of the current group is not shown. The document's own group is never skipped.
    void startSkip() {
        if (depth() < 2)
            return;
        flushPending();
        m_skipDepth = 1;
    }

    void skipStep() {
        const char c = m_data[m_pos++];
        if (c == '{') {
            ++m_skipDepth;
        } else if (c == '}') {
            if (--m_skipDepth == 0) {
                reportHiddenText();
                closeGroup();
            }
        } else if (c == '\\') {
            if (m_pos >= m_end)
                return;
            if (isLetter(m_data[m_pos])) {
                const Word w = readWord();
                if (w.name == "bin")
                    skipBinary(w);
                if (m_starSkip && m_starName.empty())
                    m_starName = w.name;
            } else {
                ++m_pos; // a control symbol: \{ \} \\ do not count as braces
            }
        } else {
            const qsizetype start = m_pos - 1;
            while (m_pos < m_end && m_data[m_pos] != '{' && m_data[m_pos] != '}' && m_data[m_pos] != '\\')
                ++m_pos;
            if (m_starSkip && !m_starHasText)
                m_starHasText = std::any_of(m_data + start, m_data + m_pos, [](char b) {
                    return b != ' ' && b != '\t' && b != '\r' && b != '\n' && b != ';';
                });
        }
    }

    // An ignorable destination is skipped whole; one whose name the reader does not know and that
    // holds text hides that text from the reader.
    void reportHiddenText() {
        if (!m_starSkip)
            return;
        m_starSkip = false;
        const KwEntry *entry = findKeyword(m_starName);
        const bool destination =
            entry && (entry->kw == Kw::Skip || entry->kw == Kw::FontTable || entry->kw == Kw::ColorTable);
        if (m_starHasText && !destination)
            m_sink.problem(Problem::HiddenText, m_starStart,
                           QByteArrayView(m_starName.data(), qsizetype(m_starName.size())));
    }

    void skipBinary(const Word &w) {
        const qint64 count = w.hasParam ? std::max(0, w.param) : 0;
        m_pos += static_cast<qsizetype>(std::min<qint64>(count, m_end - m_pos));
    }

    // --- tokens -------------------------------------------------------------------------------

    Word readWord() {
        Word w;
        const qsizetype start = m_pos;
        while (m_pos < m_end && isLetter(m_data[m_pos]))
            ++m_pos;
        w.name = std::string_view(m_data + start, static_cast<size_t>(m_pos - start));
        bool negative = false;
        if (m_pos + 1 < m_end && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        qint64 value = 0;
        while (m_pos < m_end && isDigit(m_data[m_pos])) {
            w.hasParam = true;
            value = std::min<qint64>(value * 10 + (m_data[m_pos] - '0'), kMaxParam);
            ++m_pos;
        }
        w.param = static_cast<int>(negative ? -value : value);
        if (m_pos < m_end && m_data[m_pos] == ' ')
            ++m_pos; // the delimiter
        return w;
    }

    void control() {
        if (m_pos >= m_end)
            return; // a lone backslash at the end
        const char c = m_data[m_pos];
        if (isLetter(c)) {
            const Word w = readWord();
            if (m_ucSkip > 0) { // a control word in the fallback of \u counts as one character
                --m_ucSkip;
                if (w.name == "bin")
                    skipBinary(w);
                return;
            }
            controlWord(w);
            return;
        }
        ++m_pos;
        if (c == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_pos < m_end && hexValue(m_data[m_pos]) >= 0) {
                value = value * 16 + hexValue(m_data[m_pos]);
                ++m_pos;
                ++digits;
            }
            if (m_ucSkip > 0) {
                --m_ucSkip;
                return;
            }
            const char byte = static_cast<char>(value);
            if (digits > 0)
                addBytes(QByteArrayView(&byte, 1));
            return;
        }
        if (c == '\r' || c == '\n') { // a backslash before a line end is \par
            if (m_ucSkip == 0)
                paragraphEnd();
            return;
        }
        if (m_ucSkip > 0) {
            --m_ucSkip;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            addBytes(QByteArrayView(&c, 1));
            break;
        case '~':
            emitChar(0x00A0);
            break;
        case '_':
            emitChar(0x2011);
            break;
        case '\t':
            emitChar(u'\t');
            break;
        case '*':
            startSkip();
            if (m_skipDepth > 0 && m_cur.dest == Dest::Text) { // not a font's \*\panose and the like
                m_starSkip = true;
                m_starStart = m_pos - 2;
                m_starName = {};
                m_starHasText = false;
            }
            break;
        default: // \- (optional hyphen), \| and \: are not shown; unknown symbols are ignored
            break;
        }
    }

    void textChunk() {
        const qsizetype start = m_pos;
        while (m_pos < m_end) {
            const auto b = static_cast<unsigned char>(m_data[m_pos]);
            if (b == '\\' || b == '{' || b == '}' || b < 0x20)
                break;
            ++m_pos;
        }
        if (m_pos == start) { // a control byte: only a tab is text; CR, LF, NUL and the rest are not
            const char c = m_data[m_pos++];
            if (c == '\t') {
                if (m_ucSkip > 0)
                    --m_ucSkip;
                else
                    emitChar(u'\t');
            } else if (c != '\r' && c != '\n') {
                m_sink.problem(Problem::ControlByte, start, {});
            }
            return;
        }
        QByteArrayView chunk(m_data + start, m_pos - start);
        if (m_ucSkip > 0) {
            const qsizetype skipped = std::min<qsizetype>(m_ucSkip, chunk.size());
            chunk = chunk.sliced(skipped);
            m_ucSkip -= static_cast<int>(skipped);
        }
        addBytes(chunk);
    }

    // --- control words ------------------------------------------------------------------------

    void controlWord(const Word &w) {
        const KwEntry *entry = findKeyword(w.name);
        if (!entry)
            return;
        flushPending();
        CharProps &chars = m_cur.chars;
        ParaProps &para = m_cur.para;
        const int param = w.param;
        switch (entry->kw) {
        case Kw::Skip:
            startSkip();
            break;
        case Kw::FontTable:
            if (depth() >= 2) {
                m_cur.dest = Dest::FontTable;
                m_curFont = -1;
            }
            break;
        case Kw::ColorTable:
            if (depth() >= 2) {
                m_cur.dest = Dest::ColorTable;
                resetColor();
            }
            break;
        case Kw::Par:
            paragraphEnd();
            break;
        case Kw::Line:
            emitChar(0x2028);
            break;
        case Kw::Tab:
            emitChar(u'\t');
            break;
        case Kw::Cell:
            if (m_cur.dest == Dest::Text && !chars.hidden) {
                if (m_cellTab) // the tab after an earlier (empty) cell
                    appendRun(u"\t");
                m_cellTab = true;
            }
            break;
        case Kw::Row:
            m_cellTab = false; // no tab after the row's last cell
            paragraphEnd();
            break;
        case Kw::Page:
            if (m_cur.dest == Dest::Text) {
                if (m_paraHasText)
                    paragraphEnd();
                m_sink.pageBreak();
            }
            break;
        case Kw::Char:
            emitChar(static_cast<char16_t>(entry->value));
            break;
        case Kw::Plain:
            chars = CharProps();
            break;
        case Kw::Bold:
            chars.bold = onOff(w.hasParam, param);
            break;
        case Kw::Italic:
            chars.italic = onOff(w.hasParam, param);
            break;
        case Kw::Underline:
            chars.underline = onOff(w.hasParam, param);
            break;
        case Kw::UnderlineNone:
            chars.underline = Flag::Off;
            break;
        case Kw::Strike:
            chars.strike = onOff(w.hasParam, param);
            break;
        case Kw::Font:
            if (m_cur.dest == Dest::FontTable) {
                finishFontName();
                m_curFont = static_cast<int>(m_fonts.size());
                Font font;
                font.id = param;
                m_fonts.push_back(font);
                m_fontIds.insert(param, m_curFont);
            } else {
                chars.font = m_fontIds.value(param, -1);
            }
            break;
        case Kw::FontSize:
            chars.halfPoints = (w.hasParam && param > 0) ? std::min(param, 3276) : 0;
            break;
        case Kw::Color:
            chars.hasColor = colorAt(param, chars.color);
            break;
        case Kw::Background:
            chars.hasBackground = colorAt(param, chars.background);
            break;
        case Kw::Super:
            chars.valign = onOff(w.hasParam, param) == Flag::On ? VAlign::Super : VAlign::Normal;
            break;
        case Kw::Sub:
            chars.valign = onOff(w.hasParam, param) == Flag::On ? VAlign::Sub : VAlign::Normal;
            break;
        case Kw::NoSuperSub:
            chars.valign = VAlign::Normal;
            break;
        case Kw::AllCaps:
            chars.caps = onOff(w.hasParam, param) == Flag::On ? Caps::All : Caps::Normal;
            break;
        case Kw::SmallCaps:
            chars.caps = onOff(w.hasParam, param) == Flag::On ? Caps::Small : Caps::Normal;
            break;
        case Kw::Hidden:
            chars.hidden = onOff(w.hasParam, param) == Flag::On;
            break;
        case Kw::Pard:
            para = ParaProps();
            break;
        case Kw::AlignLeft:
            para.align = Align::Left;
            break;
        case Kw::AlignCenter:
            para.align = Align::Center;
            break;
        case Kw::AlignRight:
            para.align = Align::Right;
            break;
        case Kw::AlignJustify:
            para.align = Align::Justify;
            break;
        case Kw::LeftIndent:
            para.leftIndent = clampTwips(param);
            break;
        case Kw::RightIndent:
            para.rightIndent = clampTwips(param);
            break;
        case Kw::FirstIndent:
            para.firstIndent = clampTwips(param);
            break;
        case Kw::SpaceBefore:
            para.spaceBefore = std::clamp(param, 0, kMaxTwips);
            break;
        case Kw::SpaceAfter:
            para.spaceAfter = std::clamp(param, 0, kMaxTwips);
            break;
        case Kw::LineSpacing:
            para.lineSpacing = clampTwips(param);
            break;
        case Kw::LineMultiple:
            para.lineMultiple = !w.hasParam || param != 0;
            break;
        case Kw::Unicode:
            if (w.hasParam)
                unicodeChar(param);
            break;
        case Kw::UnicodeSkip:
            m_cur.uc = std::clamp(param, 0, 64);
            break;
        case Kw::AnsiCodePage:
            if (param > 0)
                m_codePage = param;
            break;
        case Kw::CodePage:
            m_codePage = entry->value;
            break;
        case Kw::DefaultFont:
            m_defaultFontId = param;
            break;
        case Kw::FontCharset:
            if (Font *font = currentFont())
                font->charset = param;
            break;
        case Kw::FontCodePage:
            if (Font *font = currentFont())
                font->codePage = std::max(param, 0);
            break;
        case Kw::FontFamilyWord:
            if (Font *font = currentFont())
                font->family = static_cast<FontFamily>(entry->value);
            break;
        case Kw::Red:
            m_red = std::clamp(param, 0, 255);
            m_colorGiven = true;
            break;
        case Kw::Green:
            m_green = std::clamp(param, 0, 255);
            m_colorGiven = true;
            break;
        case Kw::Blue:
            m_blue = std::clamp(param, 0, 255);
            m_colorGiven = true;
            break;
        case Kw::Bin:
            skipBinary(w);
            break;
        }
    }

    void unicodeChar(int param) {
        int code = param < 0 ? param + 65536 : param;
        if (code < 0 || code > 0xFFFF)
            code = 0xFFFD;
        if (code >= 0xF000 && code <= 0xF0FF) { // a symbol font's character in the private area
            const int codePage = currentCodePage();
            if (codePage == kSymbolCodePage || codePage == kWingdingsCodePage)
                code = symbolToUnicode(codePage, static_cast<unsigned char>(code & 0xFF)).unicode();
        }
        if (code != 0)
            emitChar(static_cast<char16_t>(code));
        m_ucSkip = m_cur.uc;
    }

    // --- font and colour tables ---------------------------------------------------------------

    Font *currentFont() {
        return (m_cur.dest == Dest::FontTable && m_curFont >= 0) ? &m_fonts[static_cast<size_t>(m_curFont)]
                                                                 : nullptr;
    }

    void fontNameBytes(QByteArrayView bytes) {
        Font *font = currentFont();
        if (!font)
            return;
        for (char b : bytes) {
            if (font->nameDone)
                return;
            if (b == ';')
                finishFontName();
            else
                font->nameBytes.append(b);
        }
    }

    void finishFontName() {
        Font *font = currentFont();
        if (!font || font->nameDone)
            return;
        int codePage = font->codePage > 0 ? font->codePage : codePageForCharset(font->charset);
        if (codePage <= 0)
            codePage = m_codePage;
        font->name = m_decoder.decode(codePage, font->nameBytes).trimmed();
        font->nameBytes.clear();
        font->nameDone = true;
    }

    void resetColor() {
        m_red = m_green = m_blue = 0;
        m_colorGiven = false;
    }

    void colorTableBytes(QByteArrayView bytes) {
        for (char b : bytes) {
            if (b == ';') {
                m_colors.push_back(m_colorGiven ? qint64(m_red) << 16 | m_green << 8 | m_blue : -1);
                resetColor();
            }
        }
    }

    // An entry of the colour table; false for the automatic colour and for entries not there.
    bool colorAt(int index, quint32 &color) const {
        if (index < 0 || static_cast<size_t>(index) >= m_colors.size() || m_colors[size_t(index)] < 0)
            return false;
        color = static_cast<quint32>(m_colors[static_cast<size_t>(index)]);
        return true;
    }

    // --- text ---------------------------------------------------------------------------------

    int effectiveFont() const {
        return m_cur.chars.font >= 0 ? m_cur.chars.font : m_fontIds.value(m_defaultFontId, -1);
    }

    const Font *fontAt(int index) const {
        return (index >= 0 && static_cast<size_t>(index) < m_fonts.size()) ? &m_fonts[size_t(index)]
                                                                           : nullptr;
    }

    int currentCodePage() const {
        const Font *font = fontAt(effectiveFont());
        if (!font)
            return m_codePage;
        if (font->isSymbol())
            return font->name.startsWith(u"Wingdings", Qt::CaseInsensitive) ? kWingdingsCodePage
                                                                            : kSymbolCodePage;
        if (font->codePage > 0)
            return font->codePage;
        const int codePage = codePageForCharset(font->charset);
        return codePage > 0 ? codePage : m_codePage;
    }

    // 8-bit text, as it stands or as \'hh: it is decoded when something else comes.
    void addBytes(QByteArrayView bytes) {
        switch (m_cur.dest) {
        case Dest::Text:
            if (!m_cur.chars.hidden)
                m_pending.append(bytes);
            break;
        case Dest::FontTable:
            fontNameBytes(bytes);
            break;
        case Dest::ColorTable:
            colorTableBytes(bytes);
            break;
        }
    }

    void flushPending() {
        if (m_pending.isEmpty())
            return;
        const QString text = m_decoder.decode(currentCodePage(), m_pending);
        m_pending.clear();
        emitText(text);
    }

    void emitChar(char16_t c) {
        flushPending();
        emitText(QStringView(&c, 1));
    }

    void emitText(QStringView text) {
        if (m_cur.dest != Dest::Text || m_cur.chars.hidden || text.isEmpty())
            return;
        if (m_cellTab) {
            m_cellTab = false;
            appendRun(u"\t");
        }
        if (std::none_of(text.begin(), text.end(), isUnwanted)) {
            appendRun(text);
            return;
        }
        m_sink.problem(Problem::ControlByte, m_pos, {});
        QString clean;
        for (QChar c : text)
            if (!isUnwanted(c))
                clean += c;
        appendRun(clean);
    }

    CharProps effectiveChars() const {
        CharProps chars = m_cur.chars;
        chars.font = effectiveFont();
        return chars;
    }

    void appendRun(QStringView text) {
        const CharProps chars = effectiveChars();
        if (!m_run.isEmpty() && !(chars == m_runChars))
            flushRun();
        if (m_run.isEmpty())
            m_runChars = chars;
        m_run += text;
        m_paraHasText = true;
    }

    // Blanks at the start of a paragraph are held back until the paragraph shows more, so that
    // blanks after the last \par do not make an empty paragraph at the end.
    void flushRun() {
        if (m_run.isEmpty())
            return;
        if (!m_paraOpen && isBlank(m_run)) {
            m_held.push_back({m_run, m_runChars});
            m_run.truncate(0);
            return;
        }
        releaseHeld();
        m_sink.text(m_run, m_runChars, fontAt(m_runChars.font));
        m_run.truncate(0); // keeps the buffer for the next run
    }

    void releaseHeld() {
        for (const HeldRun &held : m_held)
            m_sink.text(held.text, held.chars, fontAt(held.chars.font));
        m_held.clear();
        m_paraOpen = true;
    }

    void paragraphEnd() {
        flushPending();
        if (m_cur.dest != Dest::Text)
            return;
        m_cellTab = false;
        flushRun();
        if (!m_held.empty())
            releaseHeld();
        const CharProps chars = effectiveChars();
        m_sink.paragraph(m_cur.para, chars, fontAt(chars.font));
        m_paraOpen = false;
        m_paraHasText = false;
    }

    void finish() {
        flushPending();
        flushRun();
        m_held.clear();
        m_sink.finish(m_cur.para, m_paraOpen);
    }

    const char *m_data;
    qsizetype m_pos = 0;
    const qsizetype m_end;
    Sink &m_sink;
    bool m_done = false;

    GroupState m_cur;
    std::vector<GroupState> m_stack;
    qsizetype m_overflow = 0;  // groups beyond kMaxDepth
    qsizetype m_skipDepth = 0; // > 0 inside a skipped group
    bool m_starSkip = false;   // the skipped group is an ignorable destination {\* ...}
    qsizetype m_starStart = 0;
    std::string_view m_starName;
    bool m_starHasText = false;
    int m_ucSkip = 0; // fallback characters of \u still to skip

    int m_codePage = 1250;
    CodePageDecoder m_decoder;
    QByteArray m_pending;

    std::deque<Font> m_fonts; // a deque: the sink keeps pointers to its entries
    QHash<int, int> m_fontIds;
    int m_curFont = -1;
    int m_defaultFontId = -1;

    std::vector<qint64> m_colors; // 0xRRGGBB, -1: automatic
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colorGiven = false;

    QString m_run;
    CharProps m_runChars;
    std::vector<HeldRun> m_held;
    bool m_paraOpen = false;    // text of the current paragraph has reached the sink
    bool m_paraHasText = false; // the current paragraph has text
    bool m_cellTab = false;     // a table cell ended: a tab comes before the next text
};

} // namespace

void parse(QByteArrayView bytes, Sink &sink) {
    Parser parser(bytes, sink);
    parser.run();
}

} // namespace rtf::detail
