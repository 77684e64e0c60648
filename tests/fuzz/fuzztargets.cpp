#include "fuzztargets.h"

#include "dialogs/jpegimage.h"
#include "pages/daypage.h"
#include "platform/boundedpicture.h"
#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/profile.h"
#include "platform/rtfparser.h"
#include "platform/rtfreader.h"
#include "readings/passage.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

namespace fuzztargets {

void check(bool ok, const char *what) {
    if (ok)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

namespace {

std::unique_ptr<QTemporaryDir> g_scratch;

QString scratchPath(const QString &name) {
    return g_scratch->filePath(name);
}

void writeFile(const QString &path, QByteArrayView data) {
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file opens");
    check(file.write(data.data(), data.size()) == data.size(), "scratch file written");
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    check(file.open(QIODevice::ReadOnly), "scratch file reads");
    return file.readAll();
}

// ---------------------------------------------------------------------------------------------
// RTF: the parser alone, into a sink that only counts what it is given.

class CountingSink final : public rtf::detail::Sink {
public:
    void text(const QString &text, const rtf::detail::CharProps &chars,
              const rtf::detail::Font *font) override {
        check(!m_finished, "no text after the end");
        check(!text.isEmpty(), "runs of text are not empty");
        m_chars += text.size();
        m_runs += 1;
        m_fonts += font != nullptr;
        m_sizes += chars.halfPoints;
    }
    void paragraph(const rtf::detail::ParaProps &para, const rtf::detail::CharProps &,
                   const rtf::detail::Font *) override {
        check(!m_finished, "no paragraph after the end");
        m_paragraphs += 1;
        m_indents += para.leftIndent;
    }
    void pageBreak() override { m_pages += 1; }
    void finish(const rtf::detail::ParaProps &, bool) override {
        check(!m_finished, "the document ends once");
        m_finished = true;
    }
    bool finished() const { return m_finished; }

private:
    bool m_finished = false;
    qint64 m_chars = 0, m_runs = 0, m_fonts = 0, m_sizes = 0, m_paragraphs = 0, m_indents = 0, m_pages = 0;
};

void rtfParser(QByteArrayView data) {
    CountingSink sink;
    rtf::detail::parse(data, sink);
    check(sink.finished(), "the parser ends the document");
}

// RTF: the whole path from bytes to a laid-out QTextDocument, as the day view shows it. The
// document holds the same text as the plain-text reading of the same bytes.
void rtfDocument(QByteArrayView data) {
    QTextDocument document;
    rtf::load(&document, data);
    document.setTextWidth(480);
    const QSizeF size = document.documentLayout()->documentSize();
    check(size.width() >= 0 && size.height() >= 0, "the document has a size");
    check(size.height() < 8'000'000, "the document stays below the height Qt can lay out");
    if (rtf::detail::looksLikeRtf(data)) {
        QString shown = document.toRawText();
        shown.replace(QChar(QChar::ParagraphSeparator), u'\n').replace(QChar(QChar::LineSeparator), u'\n');
        QString plain = rtf::plainText(data);
        // Past the shown bounds breaks show as spaces and long words get invisible places to wrap:
        // the letters are still all there, in their order.
        if (shown.contains(QChar(0x200B)) || plain.count(u'\n') > rtf::kMaxShownBreaks) {
            for (QString *text : {&shown, &plain})
                text->remove(QChar(0x200B)).replace(u'\n', u' ');
        }
        check(shown == plain, "the document shows the text that was read");
    }
}

// ---------------------------------------------------------------------------------------------
// The profile-string layer: the bytes are a Kerla.ini; read it, write a key, read it back.

// A name that the file can hold as it is: no brackets, '=', ';' or line ends, no spaces at the
// ends, and every character in code page 1250.
bool plainName(const QString &name) {
    if (name.isEmpty() || name.trimmed() != name)
        return false;
    for (QChar c : name) {
        if (c == u'[' || c == u']' || c == u'=' || c == u';' || c == u'"' || c == u'\'' ||
            c.unicode() < 0x20 || !cp1250::canEncode(c))
            return false;
    }
    return true;
}

// A section and a key named by the file itself, so that the fuzzer reaches the matching.
std::pair<QString, QString> namesFromFile(QByteArrayView data) {
    const QStringList lines = cp1250::toUnicode(data).split(u'\n');
    QString section = QStringLiteral("Kerla"), key = QStringLiteral("Left");
    for (const QString &line : lines) {
        const QString t = line.trimmed();
        if (t.startsWith(u'[') && t.contains(u']')) {
            section = t.mid(1, t.indexOf(u']') - 1);
            break;
        }
    }
    for (const QString &line : lines) {
        if (line.contains(u'=') && !line.trimmed().startsWith(u'[')) {
            key = line.left(line.indexOf(u'=')).trimmed();
            break;
        }
    }
    return {section, key};
}

// The same rules through the file: read, write, read back, a refused write leaving the file
// whole. The disk makes it about twenty times slower than the text in memory, so only one input
// in 32 takes this path; which one is fixed by its bytes, so a reproducer stays one.
void profileThroughFile(QByteArrayView data, const QString &section, const QString &key) {
    const QString path = scratchPath(QStringLiteral("Kerla.ini"));
    writeFile(path, data);
    ProfileFile file(path);

    const ProfileSection whole = file.readSection(section);
    const QString before = file.readString(section, key, QStringLiteral("\x01"));
    check(whole.readString(key, QStringLiteral("\x01")) == before, "a section reads as its keys do");
    int number = 0;
    if (ProfileFile::parseInteger(before, &number))
        check(file.readInteger(section, key, 7) == number, "readInteger reads what parseInteger parses");
    file.readBool(section, key, true);
    const ProfileSection other = file.readSection(QStringLiteral("Other"));

    const QString value = QStringLiteral("v%1").arg(data.size());
    // A key or section that would not read back as written is refused, and the file stays whole.
    if (!ProfileText::canWrite(section, key, value)) {
        bool refused = false;
        try {
            file.writeString(section, key, value);
        } catch (const KerlaError &) {
            refused = true;
        }
        check(refused, "a key that cannot read back is refused");
        check(readFile(path) == data.toByteArray(), "a refused write leaves the file as it was");
        return;
    }
    file.writeString(section, key, value);
    if (plainName(section) && plainName(key)) {
        check(file.readString(section, key, QString()) == value, "a written key reads back");
        const int written = number == std::numeric_limits<int>::min() ? 0 : -number;
        file.writeInteger(section, QStringLiteral("Number"), written);
        check(file.readInteger(section, QStringLiteral("Number"), 7) == written,
              "a written number reads back");
        if (section.compare(QStringLiteral("Other"), Qt::CaseInsensitive) != 0 && !data.contains('\0'))
            check(file.readSection(QStringLiteral("Other")).entries == other.entries,
                  "a write keeps the other sections");
    }
}

void profile(QByteArrayView data) {
    const auto [section, key] = namesFromFile(data);

    // The text in memory: the parser, the reads, a write and the read back.
    ProfileText text(data.toByteArray());
    const ProfileSection whole = text.readSection(section);
    const QString before = whole.readString(key, QStringLiteral("\x01"));
    int number = 0;
    ProfileFile::parseInteger(before, &number);
    const ProfileSection other = text.readSection(QStringLiteral("Other"));
    text.readAll();
    const QString value = QStringLiteral("w%1").arg(data.size());
    if (!ProfileText::canWrite(section, key, value)) {
        check(!text.writeString(section, key, value), "a key that cannot read back is refused");
        check(text.bytes() == data.toByteArray(), "a refused write leaves the text as it was");
    } else {
        check(text.writeString(section, key, value), "a plain key is written");
        const qsizetype nul = data.indexOf('\0');
        if (nul >= 0) // everything from the NUL on stays as it was
            check(text.bytes().endsWith(data.sliced(nul).toByteArray()),
                  "a write keeps the bytes after a NUL");
        if (plainName(section) && plainName(key)) {
            check(text.readSection(section).readString(key, QString()) == value, "a written key reads back");
            if (section.compare(QStringLiteral("Other"), Qt::CaseInsensitive) != 0 && nul < 0)
                check(text.readSection(QStringLiteral("Other")).entries == other.entries,
                      "a write keeps the other sections");
        }
    }

    quint32 hash = 2166136261u; // FNV-1a
    for (char c : data)
        hash = (hash ^ uchar(c)) * 16777619u;
    if (hash % 32 == 0)
        profileThroughFile(data, section, key);
}

// ---------------------------------------------------------------------------------------------
// The readings index and the passage cutting. The bytes are both the year's readings index and
// the book; the first line is a reference of its own, cut as well as the day's readings.

void readings(QByteArrayView data) {
    AppContext context;
    context.ProgramDir = g_scratch->path() + QLatin1Char('/');
    context.UserDataDir = context.ProgramDir + QStringLiteral("user/");
    writeFile(daypage::readingsIndexPath(context.ProgramDir, 2025), data);
    ViewDate date;
    SetViewDate(date, 2025, 1, 1);
    const DayReadings day = daypage::readDayReadings(context, date);

    const qsizetype lineEnd = data.indexOf('\n');
    const QString ownReference = cp1250::toUnicode(lineEnd < 0 ? data : data.first(lineEnd)).trimmed();
    for (const QString &reference : {ownReference, day.first, day.second, day.third, day.pericope}) {
        const passage::ReadingReference ref = passage::splitReference(reference);
        check(ref.separators >= 0 && ref.separators <= 4, "a reference has at most four separators");
        QStringList messages;
        const std::optional<passage::PassageSpan> span = passage::cutPassage(ref, data, messages);
        if (span) {
            check(span->start >= 0 && span->start <= span->end && span->end <= data.size(),
                  "the passage lies inside the book");
            // Empty when the end marker is the start marker itself (a last verse before the first).
            check(span->start == span->end || data.sliced(span->start)
                                                  .startsWith(cp1250::fromUnicode(
                                                      ref.Book + u' ' + ref.Chapter + u' ' + ref.FirstVerse)),
                  "the passage begins at its first verse");
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The Windows-1250 codec: every byte string survives a round trip; every character either has its
// byte or becomes '?'.

void codec(QByteArrayView data) {
    const QString text = cp1250::toUnicode(data);
    check(text.size() == data.size(), "one character a byte");
    check(cp1250::fromUnicode(text) == data, "bytes survive a round trip");
    for (qsizetype i = 0; i < data.size(); ++i)
        check(cp1250::toUnicode(data[i]) == text[i], "the byte and the string decoding agree");

    const QString utf16 =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(data.data()), data.size() / 2);
    const QByteArray bytes = cp1250::fromUnicode(utf16);
    check(bytes.size() == utf16.size(), "one byte a character");
    const QString back = cp1250::toUnicode(bytes);
    for (qsizetype i = 0; i < utf16.size(); ++i) {
        if (cp1250::canEncode(utf16[i]))
            check(back[i] == utf16[i], "an encodable character survives");
        else
            check(bytes[i] == '?', "a character outside the code page becomes '?'");
    }
}

// ---------------------------------------------------------------------------------------------
// The pictures: the toolbar's 24-bit BMP files as the main window reads them, and the JPEG of
// the about window through our libjpeg wrapper.

void pictures(QByteArrayView data) {
    QByteArray bytes = data.toByteArray();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    const QImage bmp = boundedpicture::read(reader, nullptr);
    if (!bmp.isNull())
        check(bmp.width() > 0 && bmp.height() > 0, "a BMP has pixels");

    const QImage jpeg = jpegimage::decode(data);
    if (!jpeg.isNull())
        check(jpeg.format() == QImage::Format_RGB888 && jpeg.width() > 0, "a JPEG decodes to RGB");
}

constexpr Target kTargets[] = {
    {"rtf_parser", rtfParser}, {"rtf_document", rtfDocument}, {"profile", profile}, {"readings", readings},
    {"codec", codec},          {"pictures", pictures},
};

} // namespace

std::span<const Target> all() {
    static const std::vector<Target> targets = [] {
        std::vector<Target> out(std::begin(kTargets), std::end(kTargets));
        out.insert(out.end(), importTargets().begin(), importTargets().end());
        return out;
    }();
    return targets;
}

const Target *find(const char *name) {
    for (const Target &t : all())
        if (qstrcmp(t.name, name) == 0)
            return &t;
    return nullptr;
}

void setUp(int *argc, char ***argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QGuiApplication::instance())
        new QGuiApplication(*argc, *argv); // lives as long as the process
    // The file-based targets write a file on every run: memory-backed when the system has it.
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    g_scratch = std::make_unique<QTemporaryDir>(base + QStringLiteral("/kerla-fuzz-XXXXXX"));
    check(g_scratch->isValid(), "the scratch folder exists");
}

} // namespace fuzztargets
