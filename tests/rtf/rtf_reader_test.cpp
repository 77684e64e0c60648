#include "platform/cp1250.h"
#include "platform/rtfreader.h"
#include "testenv.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

// Test input written as Unicode; the reader gets it as Windows-1250 bytes, as the program's
// own pages are.
QByteArray cp(QStringView text) {
    return cp1250::fromUnicode(text);
}

QByteArray fixture(const QString &name) {
    return readBytes(QStringLiteral(KERLA_FIXTURES "/rtf/") + name);
}

std::unique_ptr<QTextDocument> loaded(const QByteArray &bytes) {
    auto document = std::make_unique<QTextDocument>();
    rtf::load(document.get(), bytes);
    return document;
}

QChar alignLetter(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter)
        return u'C';
    if (alignment & Qt::AlignJustify)
        return u'J';
    if (alignment & Qt::AlignRight)
        return u'R';
    return u'L';
}

QString flags(const QTextCharFormat &f) {
    QString s;
    if (f.fontWeight() >= QFont::Bold)
        s += u'b';
    if (f.fontItalic())
        s += u'i';
    if (f.fontUnderline())
        s += u'u';
    if (f.fontStrikeOut())
        s += u's';
    return s;
}

// The document as one text: a line per paragraph, its alignment letter, a blank, then its runs,
// each run led by its bold/italic/underline/strike flags in braces when it has any.
QString describe(const QTextDocument &document) {
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line = QString(alignLetter(block.blockFormat().alignment())) + u' ';
        QString runFlags;
        bool first = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString f = flags(fragment.charFormat());
            if (first || f != runFlags) {
                if (!f.isEmpty())
                    line += u'{' + f + u'}';
                else if (!first)
                    line += u"{}";
            }
            runFlags = f;
            first = false;
            line += fragment.text();
        }
        lines << line;
    }
    return lines.join(u'\n');
}

// The document's text with a line feed for each paragraph end and line break, blanks as they are.
QString shownText(const QTextDocument &document) {
    return document.toRawText()
        .replace(QChar::ParagraphSeparator, u'\n')
        .replace(QChar::LineSeparator, u'\n');
}

// The character format of the first fragment that holds `needle`.
QTextCharFormat formatOf(const QTextDocument &document, const QString &needle) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(needle))
                return it.fragment().charFormat();
    return {};
}

QTextBlock blockWith(const QTextDocument &document, const QString &needle) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.text().contains(needle))
            return block;
    return {};
}

QString familyOf(const QTextCharFormat &f) {
    return f.hasProperty(QTextFormat::FontFamilies) ? f.fontFamilies().toStringList().join(u',') : QString();
}

QString colorOf(const QTextCharFormat &f) {
    return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : QString();
}

// A document of about `size` bytes as writers make them: formatting changes every few words,
// 8-bit and \u characters, a paragraph every line.
QByteArray largeDocument(qsizetype size) {
    QByteArray doc = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238 Calibri;}}"
                     "{\\colortbl ;\\red192\\green0\\blue0;}\\viewkind4\\uc1\\pard\\sa200\\f0\\fs22 ";
    int n = 0;
    while (doc.size() < size) {
        doc += "{\\b Heslo " + QByteArray::number(++n) +
               ":} Hospodin je m\\'f9j past\\'fd\\'f8, "
               "\\i nebudu m\\'edt nedostatek\\i0 ; \\cf1 pase m\\'ec\\cf0  na zelen\\'fdch "
               "pastvin\\'e1ch \\u8211? vede m\\'ec k\\~vod\\'e1m. \\par\r\n";
    }
    return doc + "}";
}

} // namespace

class RtfReaderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ownPages_data();
    void ownPages();
    void ownPagesNameNoFont();
    void escapes_data();
    void escapes();
    void codePages_data();
    void codePages();
    void groupsAndParagraphs_data();
    void groupsAndParagraphs();
    void skippedDestinations_data();
    void skippedDestinations();
    void namedFormats_data();
    void namedFormats();
    void paragraphFormats();
    void plainFallback_data();
    void plainFallback();
    void loadReplacesContent();
    void malformed_data();
    void malformed();
    void truncatedFixtures();
    void libreOfficeFixtures();
    void wordPadFixture();
    void largeDocumentLoadsQuickly();
    void equalFormatsMakeOneRun_data();
    void equalFormatsMakeOneRun();
    void runsPerParagraphAreCapped();
    void spacingIsBounded();
    void breaksAndWordsAreBounded_data();
    void breaksAndWordsAreBounded();
    void hugeDocumentsLayOut_data();
    void hugeDocumentsLayOut();
};

void RtfReaderTest::ownPages_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown"); // describe()
    QTest::addColumn<QString>("text");  // plainText()

    QTest::newRow("week page")
        << cp(u"{\\rtf1\\ansi \\b\\qc KERLO TÝDNE \\par\\par\\ql Hospodin je můj pastýř. \\par "
              u"\\i\\qr Žalm 23, 1 \\plain\\par\r\n}\r\n")
        << u"C {b}KERLO TÝDNE \nC \nL {b}Hospodin je můj pastýř. \nR {bi}Žalm 23, 1 "_qs
        << u"KERLO TÝDNE \n\nHospodin je můj pastýř. \nŽalm 23, 1 "_qs;
    QTest::newRow("month page")
        << cp(u"{\\rtf1\\ansi \\b\\qc KERLO MĚSÍCE \\par\\par\\ql „Pokoj vám“ – praví Pán. \\par "
              u"\\i\\qr Jan 20, 19 (B21) \\plain\\par\r\n}\r\n")
        << u"C {b}KERLO MĚSÍCE \nC \nL {b}„Pokoj vám“ – praví Pán. \nR {bi}Jan 20, 19 (B21) "_qs
        << u"KERLO MĚSÍCE \n\n„Pokoj vám“ – praví Pán. \nJan 20, 19 (B21) "_qs;
    QTest::newRow("year page, no line end before the brace")
        << cp(u"{\\rtf1\\ansi \\b\\qc KERLO ROKU \\par\\par\\ql Zkoumejte všechno.\u00A0Dobrého se "
              u"držte. \\par \\i\\qr 1 Tes 5, 21 \\plain\\par}\r\n")
        << u"C {b}KERLO ROKU \nC \nL {b}Zkoumejte všechno.\u00A0Dobrého se držte. \nR {bi}1 Tes 5, 21 "_qs
        << u"KERLO ROKU \n\nZkoumejte všechno.\u00A0Dobrého se držte. \n1 Tes 5, 21 "_qs;
    QTest::newRow("substitute day page: centring carries over")
        << cp(u"{\\rtf1\\ansi \\par\\par\\b\\qc Data na 1.1.2026 nebyla nalezena! \\par\\par\\plain "
              u"Nejnovější data neleznete na internetu na adrese: \\par\\b www.example.cz \\par\\plain "
              u"Nebo pište na adresu: \\par\\b hesla@example.cz}\r\n")
        << u"L \nL \nC {b}Data na 1.1.2026 nebyla nalezena! \nC \nC Nejnovější data neleznete na "
           u"internetu na adrese: \nC {b}www.example.cz \nC Nebo pište na adresu: \nC {b}hesla@example.cz"_qs
        << u"\n\nData na 1.1.2026 nebyla nalezena! \n\nNejnovější data neleznete na internetu na adrese: "
           u"\nwww.example.cz \nNebo pište na adresu: \nhesla@example.cz"_qs;
    QTest::newRow("day page with two paragraphs")
        << cp(u"{\\rtf1\\ansi \\b Heslo:\\b0  Hospodin je blízko. \\par \\i Vyučující text\\i0  o "
              u"lásce.}\r\n")
        << u"L {b}Heslo:{} Hospodin je blízko. \nL {i}Vyučující text{} o lásce."_qs
        << u"Heslo: Hospodin je blízko. \nVyučující text o lásce."_qs;
    QTest::newRow("day page ending with a paragraph mark")
        << cp(u"{\\rtf1\\ansi Jeden \\par Dva \\par }\r\n") << u"L Jeden \nL Dva "_qs << u"Jeden \nDva "_qs;
    QTest::newRow("blanks after the last paragraph mark")
        << cp(u"{\\rtf1\\ansi Jeden \\par  \t }\r\n") << u"L Jeden "_qs << u"Jeden "_qs;
    QTest::newRow("empty day line") << cp(u"{\\rtf1\\ansi }\r\n") << u"L "_qs << QString();
    QTest::newRow("only paragraph marks") << cp(u"{\\rtf1\\ansi \\par\\par}\r\n") << u"L \nL "_qs << u"\n"_qs;
}

void RtfReaderTest::ownPages() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QFETCH(QString, text);
    QCOMPARE(describe(*loaded(bytes)), shown);
    QCOMPARE(rtf::plainText(bytes), text);
}

// The program's pages name no font, size or colour: their text takes the view's own.
void RtfReaderTest::ownPagesNameNoFont() {
    const QByteArray page = cp(u"{\\rtf1\\ansi \\b\\qc KERLO TÝDNE \\par\\par\\ql Text \\par \\i\\qr Ž 1 "
                               u"\\plain\\par\r\n}\r\n");
    const auto document = loaded(page);
    int fragments = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            QVERIFY(!f.hasProperty(QTextFormat::FontFamilies));
            QVERIFY(!f.hasProperty(QTextFormat::FontFamily));
            QVERIFY(!f.hasProperty(QTextFormat::FontPointSize));
            QVERIFY(!f.hasProperty(QTextFormat::ForegroundBrush));
            ++fragments;
        }
        QVERIFY(!block.charFormat().hasProperty(QTextFormat::FontPointSize));
    }
    QCOMPARE(fragments, 3);
}

void RtfReaderTest::escapes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("hex bytes") << QByteArray("{\\rtf1 \\'e8e\\'9atin\\'E1}") << u"češtiná"_qs;
    QTest::newRow("8-bit bytes as they stand")
        << cp(u"{\\rtf1\\ansi Příliš žluťoučký}") << u"Příliš žluťoučký"_qs;
    QTest::newRow("braces and backslash") << QByteArray("{\\rtf1 a\\{b\\}c\\\\d}") << u"a{b}c\\d"_qs;
    QTest::newRow("delimiter space is consumed once")
        << QByteArray("{\\rtf1 \\b  two\\b0   three}") << u" two  three"_qs;
    QTest::newRow("digits end a control word") << QByteArray("{\\rtf1 \\fs24x\\b0-y}") << u"x-y"_qs;
    QTest::newRow("special characters")
        << QByteArray(
               "{\\rtf1 a\\~b\\_c\\-d\\emdash\\endash\\lquote x\\rquote\\ldblquote y\\rdblquote\\bullet}")
        << u"a\u00A0b\u2011cd\u2014\u2013\u2018x\u2019\u201Cy\u201D\u2022"_qs;
    QTest::newRow("line, tab and literal tab")
        << QByteArray("{\\rtf1 a\\line b\\tab c\td}") << u"a\nb\tc\td"_qs;
    QTest::newRow("CR and LF are not text") << QByteArray("{\\rtf1 a\r\nb\rc\nd}") << u"abcd"_qs;
    QTest::newRow("backslash before a line end is a paragraph")
        << QByteArray("{\\rtf1 a\\\r\nb}") << u"a\nb"_qs;
    QTest::newRow("unicode, one fallback character") << QByteArray("{\\rtf1 \\u269?\\u345 ?x}") << u"čřx"_qs;
    QTest::newRow("unicode, hex fallback") << QByteArray("{\\rtf1 \\u8222\\'84z\\u8220\\'93}") << u"„z“"_qs;
    QTest::newRow("unicode, negative value") << QByteArray("{\\rtf1 \\u-4064?}") << u"\uF020"_qs;
    QTest::newRow("unicode, surrogate pair") << QByteArray("{\\rtf1 \\u-10179?\\u-8704?!}") << u"😀!"_qs;
    QTest::newRow("uc0: no fallback") << QByteArray("{\\rtf1 \\uc0\\u269 x}") << u"čx"_qs;
    QTest::newRow("uc2: two fallback characters")
        << QByteArray("{\\rtf1 \\uc2\\u269\\'63\\'3fxy}") << u"čxy"_qs;
    QTest::newRow("uc is scoped to its group")
        << QByteArray("{\\rtf1 {\\uc2 \\u269??}\\u269?x}") << u"ččx"_qs;
    QTest::newRow("a control word counts as one fallback character")
        << QByteArray("{\\rtf1 \\u8226\\bullet x}") << u"•x"_qs;
    QTest::newRow("fallback skipping ends at a group") << QByteArray("{\\rtf1 \\uc3\\u269{x}y}") << u"čxy"_qs;
    QTest::newRow("table cells and rows")
        << QByteArray("{\\rtf1 \\trowd a\\cell b\\cell\\row \\trowd \\cell c\\cell\\row end}")
        << u"a\tb\n\tc\nend"_qs;
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 shown{\\v hidden}\\v also\\v0  again}")
                                 << u"shown again"_qs;
}

void RtfReaderTest::escapes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(rtf::plainText(bytes), text);
    QCOMPARE(shownText(*loaded(bytes)), text);
}

void RtfReaderTest::codePages_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("no code page: 1250") << QByteArray("{\\rtf1\\ansi \\'e8\xe8\x9a\x8a}") << u"ččšŠ"_qs;
    QTest::newRow("ansicpg1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'f8\\'ec\\'b9}")
                                 << u"čřěą"_qs;
    QTest::newRow("ansicpg1252") << QByteArray(
                                        "{\\rtf1\\ansi\\ansicpg1252 \\'e8\\'f8\xec\\'80\\'85\\'8c\\'9f\\'99}")
                                 << u"èøì€…ŒŸ™"_qs;
    QTest::newRow("1252 undefined bytes")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252 \\'81\\'8d}") << u"\u0081\u008D"_qs;
    QTest::newRow("font charset 238 in a 1252 document")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fswiss"
                      "\\fcharset238 Arial CE;}}\\f0\\'e8 \\f1\\'e8}")
        << u"è č"_qs;
    QTest::newRow("default font's charset applies")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff1{\\fonttbl{\\f0 A;}{\\f1\\fcharset238 B;}}\\'e8}")
        << u"č"_qs;
    QTest::newRow("font code page") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\cpg1252 A;}}\\f0\\'e8}")
                                    << u"è"_qs;
    QTest::newRow("cyrillic charset")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 A;}}\\f0\\'c0\\'e1}") << u"Аб"_qs;
    QTest::newRow("unknown code page reads as 1250")
        << QByteArray("{\\rtf1\\ansi\\ansicpg99999 \\'e8}") << u"č"_qs;
    QTest::newRow("symbol font bullet")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset2 Symbol;}}{\\f0\\'b7}\\tab x}")
        << u"•\tx"_qs;
    QTest::newRow("symbol font, private-use unicode")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f3\\fnil\\fcharset2 Symbol;}}{\\f3\\u61623 ?}}") << u"•"_qs;
    QTest::newRow("wingdings square")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset2 Wingdings;}}{\\f0\\'a7} x}")
        << u"▪ x"_qs;
}

void RtfReaderTest::codePages() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(rtf::plainText(bytes), text);
}

void RtfReaderTest::groupsAndParagraphs_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");

    QTest::newRow("bold ends with its group")
        << QByteArray("{\\rtf1 a{\\b b{\\i c}d}e}") << u"L a{b}b{bi}c{b}d{}e"_qs;
    QTest::newRow("plain inside a group") << QByteArray("{\\rtf1\\b a{\\plain b}c}") << u"L {b}a{}b{b}c"_qs;
    QTest::newRow("b0, i0, ul, ulnone, ul0, strike")
        << QByteArray("{\\rtf1\\b\\i a\\b0 b\\i0 c\\ul d\\ulnone e\\ul f\\ul0 g\\strike h\\strike0 i}")
        << u"L {bi}a{i}b{}c{u}d{}e{u}f{}g{s}h{}i"_qs;
    QTest::newRow("alignment carries over until pard")
        << QByteArray("{\\rtf1\\qc a\\par b\\par\\qr c\\par\\pard d\\par\\qj e}")
        << u"C a\nC b\nR c\nL d\nJ e"_qs;
    QTest::newRow("the alignment at the paragraph mark counts")
        << QByteArray("{\\rtf1\\qc a\\ql\\par b}") << u"L a\nL b"_qs;
    QTest::newRow("paragraph format ends with its group")
        << QByteArray("{\\rtf1 {\\qc a\\par}b\\par}") << u"C a\nL b"_qs;
    QTest::newRow("last paragraph takes the format in force at the end")
        << QByteArray("{\\rtf1 a\\par\\qr b}") << u"L a\nR b"_qs;
    QTest::newRow("plain keeps the paragraph format")
        << QByteArray("{\\rtf1\\qc\\b a\\plain\\par b}") << u"C {b}a\nC b"_qs;
    QTest::newRow("list text is shown")
        << QByteArray("{\\rtf1{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody{\\pntxta .}}Jedna\\par"
                      "{\\listtext\\pard\\plain 2.\\tab}Dva}")
        << u"L 1.\tJedna\nL 2.\tDva"_qs;
}

void RtfReaderTest::groupsAndParagraphs() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(describe(*loaded(bytes)), shown);
}

void RtfReaderTest::skippedDestinations_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ignorable destination") << QByteArray("{\\rtf1 a{\\*\\unknown x{y}z}b}") << u"ab"_qs;
    QTest::newRow("unknown plain destination shows its text")
        << QByteArray("{\\rtf1 a{\\unknown x}b}") << u"axb"_qs;
    QTest::newRow("font and colour tables")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial{\\*\\falt Helvetica};}\\f1 Courier;}"
                      "{\\colortbl;\\red255\\green0\\blue0;}text}")
        << u"text"_qs;
    QTest::newRow("info and stylesheet")
        << QByteArray(
               "{\\rtf1{\\info{\\title Nadpis}{\\author Autor}}{\\stylesheet{\\s0 Normal;}{\\s1 Heading;}}x}")
        << u"x"_qs;
    QTest::newRow("picture with escaped braces")
        << QByteArray("{\\rtf1 a{\\pict\\wmetafile8 0102\\}\\{ff}b}") << u"ab"_qs;
    QTest::newRow("binary data with braces") << QByteArray("{\\rtf1 a{\\pict\\bin6 }}{{\\ ff}b}") << u"ab"_qs;
    QTest::newRow("binary data in text") << QByteArray("{\\rtf1 a\\bin3 xyzb}") << u"ab"_qs;
    QTest::newRow("object with result")
        << QByteArray(
               "{\\rtf1 a{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0105}{\\result{\\pict 00}}}b}")
        << u"ab"_qs;
    QTest::newRow("headers and footers")
        << QByteArray("{\\rtf1{\\header h}{\\footerl f}{\\headerr r}{\\footnote n}body}") << u"body"_qs;
    QTest::newRow("list tables")
        << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext \\'01\\u8226 ?;}}}}"
                      "{\\listoverridetable{\\listoverride\\ls1}}x}")
        << u"x"_qs;
    QTest::newRow("Word's extra tables")
        << QByteArray("{\\rtf1{\\*\\rsidtbl \\rsid1}{\\*\\generator Msftedit;}{\\*\\themedata 0102}"
                      "{\\*\\colorschememapping 3c3f}{\\*\\latentstyles\\lsdstimax376{\\lsdlockedexcept a;}}"
                      "{\\*\\datastore 0105}{\\*\\xmlnstbl{\\xmlns1 http://x}}x}")
        << u"x"_qs;
    QTest::newRow("field shows its result")
        << QByteArray(
               "{\\rtf1 see {\\field{\\*\\fldinst {HYPERLINK \"https://x.cz\"}}{\\fldrslt {\\ul web}}}.}")
        << u"see web."_qs;
    QTest::newRow("field without the star")
        << QByteArray("{\\rtf1 page {\\field{\\fldinst PAGE}{\\fldrslt 3}}}") << u"page 3"_qs;
    QTest::newRow("unicode alternative of upr")
        << QByteArray("{\\rtf1{\\upr{abc}{\\*\\ud{\\u269?}}}}") << u"abc"_qs;
    QTest::newRow("bookmarks and shapes")
        << QByteArray(
               "{\\rtf1 a{\\*\\bkmkstart m}b{\\*\\bkmkend m}{\\shp{\\*\\shpinst{\\sp{\\sn x}}{\\shptxt t}}}c"
               "{\\nonshppict{\\pict 00}}}")
        << u"abc"_qs;
    QTest::newRow("the document's own group is never skipped")
        << QByteArray("{\\rtf1\\*\\pict x}") << u"x"_qs;
}

void RtfReaderTest::skippedDestinations() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(rtf::plainText(bytes), text);
}

void RtfReaderTest::namedFormats_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("family"); // of the fragment with "X"; empty: not set
    QTest::addColumn<qreal>("points");   // 0: not set
    QTest::addColumn<QString>("color");  // empty: not set

    const QByteArray tables =
        "{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss\\fcharset238 Arial;}"
        "{\\f2\\fnil\\fcharset2 Symbol;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0"
        "\\blue128;}";
    QTest::newRow("nothing named") << QByteArray("{\\rtf1 X}") << QString() << 0.0 << QString();
    QTest::newRow("tables alone name nothing") << "{\\rtf1" + tables + "X}" << QString() << 0.0 << QString();
    QTest::newRow("font") << "{\\rtf1" + tables + "\\f1 X}" << u"Arial"_qs << 0.0 << QString();
    QTest::newRow("default font") << "{\\rtf1\\deff0" + tables + "X}" << u"Times New Roman"_qs << 0.0
                                  << QString();
    QTest::newRow("unknown font") << "{\\rtf1" + tables + "\\f9 X}" << QString() << 0.0 << QString();
    QTest::newRow("symbol font is not named")
        << "{\\rtf1" + tables + "\\f2 X}" << QString() << 0.0 << QString();
    QTest::newRow("font ends with its group")
        << "{\\rtf1" + tables + "{\\f1 a}X}" << QString() << 0.0 << QString();
    QTest::newRow("size in half-points")
        << "{\\rtf1" + tables + "\\fs23 X}" << QString() << 11.5 << QString();
    QTest::newRow("huge size is shown at 72 points")
        << "{\\rtf1" + tables + "\\fs99999999999999 X}" << QString() << 72.0 << QString();
    QTest::newRow("72 points stay") << "{\\rtf1" + tables + "\\fs144 X}" << QString() << 72.0 << QString();
    QTest::newRow("colour") << "{\\rtf1" + tables + "\\cf1 X}" << QString() << 0.0 << u"#ff0000"_qs;
    QTest::newRow("cf0 is automatic")
        << "{\\rtf1" + tables + "\\cf2\\cf0 X}" << QString() << 0.0 << QString();
    QTest::newRow("colour outside the table")
        << "{\\rtf1" + tables + "\\cf7 X}" << QString() << 0.0 << QString();
    QTest::newRow("no colour table") << QByteArray("{\\rtf1\\cf1 X}") << QString() << 0.0 << QString();
    QTest::newRow("colour components are clamped")
        << QByteArray("{\\rtf1{\\colortbl;\\red99999999999\\green-5\\blue128;}\\cf1 X}") << QString() << 0.0
        << u"#ff0080"_qs;
    QTest::newRow("plain resets what was named")
        << "{\\rtf1" + tables + "\\f1\\fs30\\cf1\\plain X}" << QString() << 0.0 << QString();
    QTest::newRow("all three") << "{\\rtf1" + tables + "\\f0\\fs28\\cf2 X}" << u"Times New Roman"_qs << 14.0
                               << u"#000080"_qs;
}

void RtfReaderTest::namedFormats() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(QString, color);
    const auto document = loaded(bytes);
    QCOMPARE(document->toPlainText().right(1), u"X"_qs);
    const QTextCharFormat f = formatOf(*document, u"X"_qs);
    QCOMPARE(familyOf(f), family);
    QCOMPARE(f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : 0.0, points);
    QCOMPARE(colorOf(f), color);
}

void RtfReaderTest::paragraphFormats() {
    const auto document = loaded("{\\rtf1\\li720\\ri300\\fi-360\\sb120\\sa200\\sl276\\slmult1 A\\par"
                                 "\\pard\\li-500\\fi-100\\sl-300\\slmult0 B\\par\\pard\\page C}");
    const QTextBlockFormat a = document->begin().blockFormat();
    QCOMPARE(a.leftMargin(), 48.0);
    QCOMPARE(a.rightMargin(), 20.0);
    QCOMPARE(a.textIndent(), -24.0);
    QCOMPARE(a.topMargin(), 8.0);
    QCOMPARE(a.bottomMargin(), 200.0 / 15.0);
    QCOMPARE(a.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(a.lineHeight(), 115.0);
    // A margin out of the page is not shown, nor a first line that would start left of it.
    const QTextBlockFormat b = document->begin().next().blockFormat();
    QCOMPARE(b.leftMargin(), 0.0);
    QCOMPARE(b.textIndent(), 0.0);
    QCOMPARE(b.lineHeightType(), int(QTextBlockFormat::FixedHeight));
    QCOMPARE(b.lineHeight(), 20.0);
    const QTextBlock c = document->lastBlock();
    QCOMPARE(c.text(), u"C"_qs);
    QCOMPARE(c.blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    QCOMPARE(document->blockCount(), 3);
}

void RtfReaderTest::plainFallback_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("lines at CR, LF and CR LF")
        << cp(u"Příliš\r\nžluťoučký\rkůň\núpěl\r\n") << u"Příliš\nžluťoučký\nkůň\núpěl"_qs;
    QTest::newRow("empty lines stay") << QByteArray("a\r\n\r\nb") << u"a\n\nb"_qs;
    QTest::newRow("RTF not at the start") << QByteArray("x{\\rtf1 \\b a}") << u"x{\\rtf1 \\b a}"_qs;
    QTest::newRow("a brace alone") << QByteArray("{\\b a}") << u"{\\b a}"_qs;
    QTest::newRow("nothing") << QByteArray() << QString();
    QTest::newRow("white space before RTF") << QByteArray(" \r\n\t{\\rtf1 \\b a}") << u"a"_qs;
}

void RtfReaderTest::plainFallback() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(rtf::plainText(bytes), text);
    const auto document = loaded(bytes);
    QCOMPARE(document->toPlainText(), text);
}

void RtfReaderTest::loadReplacesContent() {
    QTextDocument document;
    QFont viewFont(u"Serif"_qs, 17);
    document.setDefaultFont(viewFont);
    document.setPlainText(u"staré\nřádky\nnavíc"_qs);
    rtf::load(&document, cp(u"{\\rtf1\\ansi \\b\\qc Nový \\par}\r\n"));
    QCOMPARE(describe(document), u"C {b}Nový "_qs);
    QCOMPARE(document.defaultFont(), viewFont);
    QVERIFY(document.isUndoRedoEnabled());
    QVERIFY(!document.isModified());
    rtf::load(&document, cp(u"prostý text"));
    QCOMPARE(describe(document), u"L prostý text"_qs);
    rtf::load(nullptr, "{\\rtf1 x}"); // nothing to load into: nothing happens
}

void RtfReaderTest::malformed_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text"); // what is shown; "*" for any text

    const QByteArray deep(100000, '{');
    const QByteArray shut(100000, '}');
    QTest::newRow("missing closing brace") << QByteArray("{\\rtf1 abc") << u"abc"_qs;
    QTest::newRow("missing inner braces") << QByteArray("{\\rtf1 a{\\b b{\\i c") << u"abc"_qs;
    QTest::newRow("too many closing braces") << QByteArray("{\\rtf1 a}}}} b}") << u"a"_qs;
    QTest::newRow("closing braces end the document") << "{\\rtf1 a" + shut + "b" << u"a"_qs;
    QTest::newRow("100,000 nested groups")
        << "{\\rtf1 " + deep + "deep" + shut + " after}" << u"deep after"_qs;
    QTest::newRow("100,000 nested bold groups")
        << "{\\rtf1 " + QByteArray("{\\b ").repeated(100000) + "x}" << u"x"_qs;
    QTest::newRow("nested groups, never closed") << "{\\rtf1 x" + deep << u"x"_qs;
    QTest::newRow("deep skipped group") << "{\\rtf1 {\\*\\x " + deep + shut + "}y}" << u"y"_qs;
    QTest::newRow("skipped group never closed") << QByteArray("{\\rtf1 a{\\*\\x {{{") << u"a"_qs;
    QTest::newRow("huge parameters")
        << QByteArray("{\\rtf1 \\li-99999999999999999999\\sb99999999999999999999\\fi-99999999999999999999"
                      "\\sl-99999999999999999999\\f99999999999999999999\\cf99999999999999999999 ok}")
        << u"ok"_qs;
    QTest::newRow("huge unicode") << QByteArray("{\\rtf1 \\u99999999999999x}") << u"\uFFFD"_qs;
    QTest::newRow("huge negative unicode") << QByteArray("{\\rtf1 \\u-99999999999ok}") << u"\uFFFDk"_qs;
    QTest::newRow("huge uc") << QByteArray("{\\rtf1 \\uc99999999\\u65 abc}") << u"A"_qs;
    QTest::newRow("huge bin") << QByteArray("{\\rtf1 a\\bin99999999999999 bc}") << u"a"_qs;
    QTest::newRow("negative bin") << QByteArray("{\\rtf1 a\\bin-5 bc}") << u"abc"_qs;
    QTest::newRow("NUL bytes") << QByteArray("{\\rtf1 a\0b\0\\\0c}", 15) << u"abc"_qs;
    QTest::newRow("lone backslash at the end") << QByteArray("{\\rtf1 abc\\") << u"abc"_qs;
    QTest::newRow("hex escape at the end") << QByteArray("{\\rtf1 abc\\'") << u"abc"_qs;
    QTest::newRow("hex escape cut short") << QByteArray("{\\rtf1 abc\\'e") << u"abc"_qs;
    QTest::newRow("hex escape without digits") << QByteArray("{\\rtf1 \\'zz ok}") << u"zz ok"_qs;
    QTest::newRow("control word at the end") << QByteArray("{\\rtf1 ab\\par") << u"ab"_qs;
    QTest::newRow("minus at the end") << QByteArray("{\\rtf1 ab\\li-") << u"ab-"_qs;
    QTest::newRow("very long control word") << "{\\rtf1 \\" + QByteArray(100000, 'a') + " x}" << u"x"_qs;
    QTest::newRow("truncated font table")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset238 Ari") << QString();
    QTest::newRow("font table closed early") << QByteArray("{\\rtf1{\\fonttbl\\f0 Arial}\\f0 x}") << u"x"_qs;
    QTest::newRow("only the header") << QByteArray("{\\rtf") << QString();
    QTest::newRow("many paragraphs") << "{\\rtf1 " + QByteArray("\\par ").repeated(50000) + "x}"
                                     << QString(50000, u'\n') + u"x"_qs;
    QTest::newRow("many empty fallbacks")
        << "{\\rtf1 " + QByteArray("\\u269?").repeated(50000) + "}" << QString(50000, QChar(0x10D));
    QByteArray noise = "{\\rtf1\\ansi ";
    quint32 seed = 12345;
    for (int i = 0; i < 65536; ++i) {
        seed = seed * 1103515245u + 12345u;
        const char alphabet[] = "{}\\\\\\'*abcfu0123456789- \r\n;\xe8\x00";
        noise += alphabet[(seed >> 16) % (sizeof alphabet - 1)];
    }
    QTest::newRow("noise") << noise << u"*"_qs;
}

void RtfReaderTest::malformed() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QElapsedTimer timer;
    timer.start();
    const QString plain = rtf::plainText(bytes);
    const auto document = loaded(bytes);
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed()) + u" ms"_qs));
    if (text != u"*")
        QCOMPARE(plain, text);
    // Past the shown bounds, breaks show as spaces and long words get places to wrap.
    static const QHash<QByteArray, QString> shownPastTheBounds = {
        {"many paragraphs",
         QString(rtf::kMaxShownBreaks, u'\n') + QString(50000 - rtf::kMaxShownBreaks, u' ') + u"x"_qs},
        {"many empty fallbacks", (QString(rtf::kMaxShownWord, QChar(0x10D)) + QChar(0x200B)).repeated(49) +
                                     QString(rtf::kMaxShownWord, QChar(0x10D))},
    };
    QCOMPARE(shownText(*document), shownPastTheBounds.value(QTest::currentDataTag(), plain));
}

// Every cut of a real file reads without fault and shows a beginning of the whole text.
void RtfReaderTest::truncatedFixtures() {
    for (const QString &name : {u"navod.rtf"_qs, u"pozvanka-wordpad.rtf"_qs}) {
        const QByteArray whole = fixture(name);
        QVERIFY(!whole.isEmpty());
        const QString full = rtf::plainText(whole);
        for (qsizetype cut = 5; cut < whole.size(); cut += 3) {
            const QString part = rtf::plainText(whole.first(cut));
            // A cut may fall inside a \u fallback or a hex escape, so compare all but the last
            // character of what was read.
            QVERIFY2(full.startsWith(part.chopped(std::min<qsizetype>(part.size(), 1))),
                     qPrintable(name + u" cut at "_qs + QString::number(cut)));
        }
        const auto document = loaded(whole.first(whole.size() - 20));
        const QString shown = shownText(*document);
        QVERIFY(document->blockCount() > 5);
        QVERIFY(full.startsWith(shown.chopped(1)));
    }
}

void RtfReaderTest::libreOfficeFixtures() {
    const QByteArray navod = fixture(u"navod.rtf"_qs);
    QCOMPARE(rtf::plainText(navod), u"Jak číst denní hesla\n"
                                    "Každé ráno si přečtěte heslo dne a k němu vyučující text.\n"
                                    "•\tZačněte modlitbou. \n"
                                    "•\tPřečtěte si obě čtení. \n"
                                    " 1.\tZtište se. \n"
                                    " 2.\tČtěte pomalu. \n"
                                    " 3.\tZamyslete se nad slovem. \n"
                                    "Červená poznámka: žluťoučký kůň úpěl ďábelské ódy.\n"
                                    "Neproporcionální písmo 12345"_qs);
    const auto doc = loaded(navod);
    QCOMPARE(
        describe(*doc).section(u'\n', 0, 1),
        u"C {b}Jak číst denní hesla\nL Každé ráno si přečtěte {i}heslo dne{} a k němu {b}vyučující text{}."_qs);
    QCOMPARE(colorOf(formatOf(*doc, u"Červená"_qs)), u"#c00000"_qs);
    QCOMPARE(colorOf(formatOf(*doc, u"Každé"_qs)), QString());
    QCOMPARE(familyOf(formatOf(*doc, u"Neproporcionální"_qs)), u"Liberation Mono"_qs);
    QCOMPARE(familyOf(formatOf(*doc, u"•"_qs)), QString()); // the bullet's symbol font is not named
    QCOMPARE(formatOf(*doc, u"Jak"_qs).fontPointSize(), 24.0);
    const QTextBlock item = blockWith(*doc, u"Ztište"_qs);
    QCOMPARE(item.blockFormat().leftMargin(), 709 / 15.0);
    QCOMPARE(item.blockFormat().textIndent(), -283 / 15.0);

    const QByteArray tiraz = fixture(u"tiraz.rtf"_qs);
    QCOMPARE(rtf::plainText(tiraz),
             u"O tomto vydání\n"
             "Vydání připravil malý tým dobrovolníků – „pro radost“ — a\u00A0bez nároku na honorář.\n"
             "Více na stránce example.org/hesla.\n"
             "Rok\tPočet hesel\n"
             "2026\t365\n"
             "Ústí nad Orlicí, léto"_qs);
    const auto doc2 = loaded(tiraz);
    QCOMPARE(describe(*doc2).section(u'\n', 0, 0), u"C {b}O tomto vydání"_qs);
    QCOMPARE(alignLetter(blockWith(*doc2, u"dobrovolníků"_qs).blockFormat().alignment()), u'J');
    QCOMPARE(describe(*doc2).section(u'\n', 5, 5), u"R {i}Ústí nad Orlicí, léto"_qs);
    QVERIFY(formatOf(*doc2, u"example.org"_qs).fontUnderline());

    const QByteArray zmeny = fixture(u"zmeny.rtf"_qs);
    QCOMPARE(rtf::plainText(zmeny), u"Seznam změn\n"
                                    "Podtržené, přeškrtnuté a m2 v jednom řádku.\n"
                                    "Modrý text a zase obyčejný.\nDruhý řádek téhož odstavce."_qs);
    const auto doc3 = loaded(zmeny);
    QCOMPARE(describe(*doc3), u"C {b}Seznam změn\n"
                              "L {u}Podtržené{}, {s}přeškrtnuté{} a m2 v jednom řádku.\n"
                              "L Modrý text a zase obyčejný.\u2028Druhý řádek téhož odstavce."_qs);
    QCOMPARE(formatOf(*doc3, u"Seznam"_qs).fontPointSize(), 16.0);
    QCOMPARE(formatOf(*doc3, u"2"_qs).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(colorOf(formatOf(*doc3, u"Modrý"_qs)), u"#0000ff"_qs);
}

void RtfReaderTest::wordPadFixture() {
    const QByteArray bytes = fixture(u"pozvanka-wordpad.rtf"_qs);
    QCOMPARE(rtf::plainText(bytes), u"Pozvánka na setkání\n"
                                    "Srdečně zveme všechny, kdo rádi zpívají, na večer písní ve středu.\n"
                                    "•\tZpěvníky s sebou\n"
                                    "•\tDobrou náladu\n"
                                    "1.\tZačátek v\u00A0sedm hodin\n"
                                    "2.\tKonec podle nálady – nejpozději v\u00A0devět\n"
                                    "Heslo: αβγ\n"_qs);
    const auto doc = loaded(bytes);
    QCOMPARE(doc->blockCount(), 8);
    QCOMPARE(
        describe(*doc).section(u'\n', 0, 1),
        u"C {b}Pozvánka na setkání\nL Srdečně zveme všechny, kdo {i}rádi zpívají{}, na večer písní ve středu."_qs);
    const QTextCharFormat heading = formatOf(*doc, u"Pozvánka"_qs);
    QCOMPARE(familyOf(heading), u"Calibri"_qs);
    QCOMPARE(heading.fontPointSize(), 14.0);
    QCOMPARE(formatOf(*doc, u"Srdečně"_qs).fontPointSize(), 11.0);
    QCOMPARE(colorOf(formatOf(*doc, u"večer písní"_qs)), u"#0070c0"_qs);
    QCOMPARE(colorOf(formatOf(*doc, u" ve středu"_qs)), QString());
    QCOMPARE(familyOf(formatOf(*doc, u"αβγ"_qs)), u"Courier New"_qs);
    const QTextBlockFormat item = blockWith(*doc, u"Zpěvníky"_qs).blockFormat();
    QCOMPARE(item.leftMargin(), 48.0);
    QCOMPARE(item.textIndent(), -24.0);
    QCOMPARE(item.lineHeight(), 115.0);
    QCOMPARE(doc->lastBlock().text(), QString()); // WordPad's own empty last paragraph
}

void RtfReaderTest::largeDocumentLoadsQuickly() {
    const QByteArray bytes = largeDocument(100 * 1024);
    QTextDocument document;
    rtf::load(&document, bytes); // the first run sets up fonts and caches
    qint64 best = std::numeric_limits<qint64>::max();
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        rtf::load(&document, bytes);
        best = std::min(best, timer.nsecsElapsed());
    }
    QElapsedTimer timer;
    timer.start();
    const QString text = rtf::plainText(bytes);
    const qint64 plainNs = timer.nsecsElapsed();
    qInfo("%lld bytes, %d paragraphs: load %.2f ms, plainText %.2f ms", qlonglong(bytes.size()),
          document.blockCount(), best / 1e6, plainNs / 1e6);
    QVERIFY(document.blockCount() > 500);
    QVERIFY(text.startsWith(u"Heslo 1: Hospodin je můj pastýř, nebudu mít nedostatek; pase mě na zelených "
                            u"pastvinách – vede mě k\u00A0vodám. \nHeslo 2:"));
    // Generous for debug and sanitizer builds; an optimised build takes a few milliseconds.
    QVERIFY2(best < 250'000'000, qPrintable(QString::number(best / 1e6) + u" ms"_qs));
}

void RtfReaderTest::equalFormatsMakeOneRun_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("described");
    QTest::addColumn<int>("fragments");
    QTest::newRow("two fonts of one name")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Arial;}}\\f0 ab\\f1 cd}") << u"L abcd"_qs << 1;
    QTest::newRow("a format switched on and off")
        << QByteArray("{\\rtf1\\b a\\b0\\b b{\\i}c\\fs24\\fs0 d}") << u"L {b}abcd"_qs << 1;
    QTest::newRow("a hidden run between equal ones")
        << QByteArray("{\\rtf1\\b a{\\v skryto}b}") << u"L {b}ab"_qs << 1;
    QTest::newRow("differing formats stay apart")
        << QByteArray("{\\rtf1 a\\b b\\b0 c\\f1 d}") << u"L a{b}b{}cd"_qs << 3;
    QTest::newRow("sizes stay apart") << QByteArray("{\\rtf1\\fs20 a\\fs40 b}") << u"L ab"_qs << 2;
}

void RtfReaderTest::equalFormatsMakeOneRun() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, described);
    QFETCH(int, fragments);
    const auto document = loaded(rtf);
    QCOMPARE(describe(*document), described);
    int count = 0;
    for (auto it = document->begin().begin(); !it.atEnd(); ++it)
        ++count;
    QCOMPARE(count, fragments);
}

// A paragraph with thousands of format changes (a broken page could hold one) keeps all its text;
// its first runs keep their formats and the rest of it takes the last of them. The next paragraph
// has its formats again.
void RtfReaderTest::runsPerParagraphAreCapped() {
    QByteArray rtf = "{\\rtf1\\ansi ";
    QString expectedStart;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray word = QByteArray::number(i);
        rtf += (i % 2 ? "\\b0 " : "\\b ") + word + ' ';
    }
    rtf += "\\par a\\i b\\i0 c}";
    const auto document = loaded(rtf);
    QCOMPARE(shownText(*document), rtf::plainText(rtf));
    QCOMPARE(document->blockCount(), 2);

    QList<QTextFragment> runs;
    for (auto it = document->begin().begin(); !it.atEnd(); ++it)
        runs << it.fragment();
    QVERIFY2(runs.size() >= 100 && runs.size() <= 1000, qPrintable(QString::number(runs.size())));
    for (int i = 0; i + 1 < runs.size(); ++i) {
        QCOMPARE(runs[i].text(), QString::number(i) + u' ');
        QCOMPARE(runs[i].charFormat().fontWeight() >= QFont::Bold, i % 2 == 0);
    }
    QVERIFY(runs.last().text().startsWith(QString::number(runs.size() - 1) + u' '));
    QVERIFY(runs.last().text().endsWith(u"2999 "));
    QCOMPARE(describe(*document).section(u'\n', 1), u"L a{i}b{}c"_qs);
}

// Spacing and line heights from a broken page are shown at most 96 pixels or twice the line.
void RtfReaderTest::spacingIsBounded() {
    const auto document = loaded("{\\rtf1\\sb31680\\sa99999\\sl9999\\slmult1 A\\par"
                                 "\\pard\\sl-99999 B\\par\\pard\\sl1440\\sb1440 C\\par"
                                 "\\pard\\sl480\\slmult1 D}");
    const QTextBlock a = document->begin();
    QCOMPARE(a.blockFormat().topMargin(), 96.0);
    QCOMPARE(a.blockFormat().bottomMargin(), 96.0);
    QCOMPARE(a.blockFormat().lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(a.blockFormat().lineHeight(), 200.0);
    const QTextBlock b = a.next();
    QCOMPARE(b.blockFormat().lineHeightType(), int(QTextBlockFormat::FixedHeight));
    QCOMPARE(b.blockFormat().lineHeight(), 96.0);
    const QTextBlock c = b.next(); // at the bounds, as written
    QCOMPARE(c.blockFormat().lineHeightType(), int(QTextBlockFormat::MinimumHeight));
    QCOMPARE(c.blockFormat().lineHeight(), 96.0);
    QCOMPARE(c.blockFormat().topMargin(), 96.0);
    QCOMPARE(c.next().blockFormat().lineHeight(), 200.0);
}

// Past the bounds nothing is lost: breaks show as spaces, long words get invisible places to wrap.
void RtfReaderTest::breaksAndWordsAreBounded_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("blocks");
    QTest::addColumn<int>("lineBreaks");
    QTest::addColumn<int>("wrapPlaces");

    const int n = rtf::kMaxShownBreaks;
    auto repeat = [](const QByteArray &unit, int times) {
        QByteArray out;
        for (int i = 0; i < times; ++i)
            out += unit;
        return out;
    };
    QTest::newRow("paragraphs up to the bound")
        << "{\\rtf1 " + repeat("a\\par ", n - 1) + "z}" << n << 0 << 0;
    QTest::newRow("paragraphs past the bound")
        << "{\\rtf1 " + repeat("a\\par ", n + 700) + "z}" << n + 1 << 0 << 0;
    QTest::newRow("line breaks past the bound")
        << "{\\rtf1 " + repeat("a\\line ", n + 300) + "z}" << 1 << n << 0;
    QTest::newRow("paragraphs and line breaks share it")
        << "{\\rtf1 " + repeat("a\\par b\\line ", n) + "z}" << n / 2 + 1 << n / 2 << 0;
    QTest::newRow("a word at the bound")
        << "{\\rtf1 " + QByteArray(rtf::kMaxShownWord, 'x') + "}" << 1 << 0 << 0;
    QTest::newRow("a word one past it")
        << "{\\rtf1 " + QByteArray(rtf::kMaxShownWord + 1, 'x') + "}" << 1 << 0 << 1;
    QTest::newRow("a word over format changes")
        << "{\\rtf1 " + repeat("xxxxxxxxx\\b y\\b0 ", 250) + "}" << 1 << 0 << 2;
    QTest::newRow("words of normal length") << "{\\rtf1 " + repeat("slovo ", 5000) + "}" << 1 << 0 << 0;
    QTest::newRow("plain text lines past the bound") << repeat("a\r\n", n + 50) << n + 1 << 0 << 0;
    QTest::newRow("a plain text word") << QByteArray(3 * rtf::kMaxShownWord + 5, 'q') << 1 << 0 << 3;
}

void RtfReaderTest::breaksAndWordsAreBounded() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, blocks);
    QFETCH(int, lineBreaks);
    QFETCH(int, wrapPlaces);
    const auto document = loaded(bytes);
    QCOMPARE(document->blockCount(), blocks);
    const QString raw = document->toRawText();
    QCOMPARE(int(raw.count(QChar::LineSeparator)), lineBreaks);
    QCOMPARE(int(raw.count(QChar(0x200B))), wrapPlaces);
    // Every letter is shown, in its order.
    auto letters = [](QString text) {
        text.remove(QChar(0x200B));
        for (QChar &c : text)
            if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n')
                c = u' ';
        return text.simplified();
    };
    QCOMPARE(letters(raw), letters(rtf::plainText(bytes)));
}

// Hand-made pages that once froze the view: Qt's layout never ends for a document taller than about
// 8.4 million pixels. Each lays out, narrow and wide, and stays below that height.
void RtfReaderTest::hugeDocumentsLayOut_data() {
    QTest::addColumn<QByteArray>("bytes");
    auto fill = [](const QByteArray &head, const QByteArray &unit) {
        QByteArray doc = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 " + head;
        while (doc.size() < 100 * 1024)
            doc += unit;
        return doc + '}';
    };
    QTest::newRow("huge letters") << fill("\\fs3000 ", "x ");
    QTest::newRow("huge letters, tall lines") << fill("\\fs3276\\sl31680\\slmult1 ", "x ");
    QTest::newRow("space around empty paragraphs") << fill("\\sb31680\\sa31680 ", "\\par ");
    QTest::newRow("exact tall lines") << fill("\\sl-31680 ", "x\\line ");
    QTest::newRow("huge empty paragraphs") << fill("\\fs3276\\sl-31680\\sb31680 ", "\\par ");
    QTest::newRow("one long word") << fill("", "x");
    QTest::newRow("plain lines") << QByteArray(100 * 1024, '\n');
}

void RtfReaderTest::hugeDocumentsLayOut() {
    QFETCH(QByteArray, bytes);
    const auto document = loaded(bytes);
    for (int width : {600, 250}) {
        document->setTextWidth(width);
        const qreal height = document->size().height();
        QVERIFY2(height > 0 && height < 8'000'000, qPrintable(QString::number(height)));
    }
}

QTEST_MAIN(RtfReaderTest)
#include "rtf_reader_test.moc"
