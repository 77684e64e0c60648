#include "platform/profile.h"

#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>

#include <array>

namespace {

bool isSectionLine(const QString &trimmed) {
    return trimmed.startsWith(QLatin1Char('['));
}

QString sectionName(const QString &trimmed) {
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

// The key of a key=value line, or an empty text for a line without '='.
QString keyOf(const QString &line, QString *value = nullptr) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return {};
    if (value)
        *value = line.mid(eq + 1);
    return line.left(eq).trimmed();
}

// Whether a line could open a section: its first byte that does not read as white space is '['.
// A byte reads as white space when its letter in Windows-1250 is one to QString::trimmed().
bool mayOpenSection(const char *line, qsizetype size) {
    static const auto blank = [] {
        std::array<bool, 256> table{};
        for (int b = 0; b < 256; ++b)
            table[b] = cp1250::toUnicode(char(b)).isSpace();
        return table;
    }();
    for (qsizetype i = 0; i < size; ++i) {
        if (!blank[uchar(line[i])])
            return line[i] == '[';
    }
    return false;
}

bool holdsLineBreak(const QString &text) {
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) || text.contains(QChar(0));
}

} // namespace

QString ProfileText::valueAsRead(const QString &written) {
    const QString value = written.trimmed();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

QString ProfileSection::readString(const QString &key, const QString &defaultValue) const {
    for (const auto &[k, value] : entries) {
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    }
    return defaultValue;
}

QList<std::pair<QString, ProfileSection>> ProfileText::readAll() const {
    QList<std::pair<QString, ProfileSection>> sections;
    QSet<QString> seen;
    qsizetype current = -1;
    for (const QByteArray &raw : textfile::splitLines(m_bytes)) {
        const QString line = cp1250::toUnicode(raw);
        const QString trimmed = line.trimmed();
        if (isSectionLine(trimmed)) {
            const QString name = sectionName(trimmed).toLower();
            current = -1;
            // The first section of a name is the one that counts.
            if (!seen.contains(name)) {
                seen.insert(name);
                current = sections.size();
                sections.append({name, ProfileSection{}});
            }
            continue;
        }
        QString value;
        const QString k = current >= 0 ? keyOf(line, &value) : QString();
        if (!k.isEmpty())
            sections[current].second.entries.append({k, ProfileText::valueAsRead(value)});
    }
    return sections;
}

ProfileSection ProfileText::readSection(const QString &section) const {
    ProfileSection found;
    bool inSection = false;
    for (const textfile::LineBounds &span : textfile::lineBounds(m_bytes)) {
        const char *raw = m_bytes.constData() + span.start;
        const qsizetype size = span.size;
        // Outside the section only a section's opening line counts: the others are not read.
        if (!inSection && !mayOpenSection(raw, size))
            continue;
        const QString line = cp1250::toUnicode(QByteArrayView(raw, size));
        const QString trimmed = line.trimmed();
        if (isSectionLine(trimmed)) {
            if (inSection)
                break; // the first section of that name is the one that counts
            inSection = sectionName(trimmed).compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString value;
        const QString k = inSection ? keyOf(line, &value) : QString();
        if (!k.isEmpty())
            found.entries.append({k, ProfileText::valueAsRead(value)});
    }
    return found;
}

QList<ProfileSectionAt> profileSections(const QList<QByteArray> &lines) {
    QList<ProfileSectionAt> sections;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = cp1250::toUnicode(lines[i]);
        const QString trimmed = line.trimmed();
        if (isSectionLine(trimmed)) {
            sections.append({sectionName(trimmed), int(i + 1), {}, {}});
            continue;
        }
        QString value;
        const QString k = keyOf(line, &value);
        if (sections.isEmpty() || k.isEmpty())
            continue;
        sections.last().section.entries.append({k, ProfileText::valueAsRead(value)});
        sections.last().entryLines.append(int(i + 1));
    }
    return sections;
}

bool ProfileText::canWrite(const QString &section, const QString &key, const QString &value) {
    const QString k = key.trimmed();
    return !k.isEmpty() && !k.startsWith(QLatin1Char('[')) && !k.contains(QLatin1Char('=')) &&
           !section.contains(QLatin1Char(']')) && !holdsLineBreak(section) && !holdsLineBreak(key) &&
           !holdsLineBreak(value);
}

bool ProfileText::writeString(const QString &section, const QString &key, const QString &value) {
    if (!canWrite(section, key, value))
        return false;
    const QList<textfile::LineBounds> spans = textfile::lineBounds(m_bytes);
    qsizetype sectionStart = -1; // index of the section's header line
    qsizetype lastEntry = -1;    // last non-blank line of the section
    for (qsizetype i = 0; i < spans.size(); ++i) {
        const textfile::LineBounds &span = spans[i];
        const QString line = cp1250::toUnicode(m_bytes.sliced(span.start, span.size));
        const QString trimmed = line.trimmed();
        if (isSectionLine(trimmed)) {
            if (sectionStart >= 0)
                break;
            if (sectionName(trimmed).compare(section, Qt::CaseInsensitive) == 0) {
                sectionStart = i;
                lastEntry = i;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (!trimmed.isEmpty())
            lastEntry = i;
        const QString k = keyOf(line);
        if (!k.isEmpty() && k.compare(key, Qt::CaseInsensitive) == 0) {
            // The key keeps its spelling in the file; its line end stays as it was.
            m_bytes.replace(span.start, span.size, cp1250::fromUnicode(k) + '=' + cp1250::fromUnicode(value));
            return true;
        }
    }
    const QByteArray entry = cp1250::fromUnicode(key) + '=' + cp1250::fromUnicode(value) + "\r\n";
    // A line without a line end (the last one before the end or a NUL) gets one before new lines.
    auto endOf = [&](const textfile::LineBounds &span) {
        return span.contentEnd() == span.end ? QByteArray("\r\n") : QByteArray();
    };
    if (sectionStart >= 0) {
        const textfile::LineBounds &after = spans[lastEntry];
        m_bytes.insert(after.end, endOf(after) + entry);
        return true;
    }
    QByteArray added;
    qsizetype at = 0;
    if (!spans.isEmpty()) {
        const textfile::LineBounds &last = spans.back();
        at = last.end;
        added = endOf(last);
        if (!m_bytes.sliced(last.start, last.size).trimmed().isEmpty())
            added += "\r\n";
    }
    added += '[' + cp1250::fromUnicode(section) + "]\r\n" + entry;
    m_bytes.insert(at, added);
    return true;
}

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

ProfileSection ProfileFile::readSection(const QString &section) const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ProfileText(file.readAll()).readSection(section);
}

QString ProfileFile::readString(const QString &section, const QString &key,
                                const QString &defaultValue) const {
    return readSection(section).readString(key, defaultValue);
}

bool ProfileFile::parseInteger(const QString &text, int *value) {
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.front() == QLatin1Char('-');
        t = t.mid(1);
    }
    int base = 10;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        t = t.mid(2);
    } else if (t.startsWith(QLatin1Char('$'))) {
        base = 16;
        t = t.mid(1);
    }
    if (t.isEmpty())
        return false;
    for (QChar c : t) {
        const bool ok = base == 10 ? c.isDigit() && c.unicode() < 0x80
                                   : QStringLiteral("0123456789abcdefABCDEF").contains(c);
        if (!ok)
            return false;
    }
    bool ok = false;
    const qulonglong magnitude = t.toULongLong(&ok, base);
    if (!ok)
        return false;
    if (base == 16) {
        // Hexadecimal reads the 32-bit pattern, so $FF000008 is a system colour. A minus sign
        // negates the pattern in 32 bits, so -$80000000 is the lowest integer again.
        if (magnitude > 0xFFFFFFFFull)
            return false;
        const auto pattern = static_cast<quint32>(magnitude);
        *value = static_cast<qint32>(negative ? 0u - pattern : pattern);
        return true;
    }
    if (negative ? magnitude > 2147483648ull : magnitude > 2147483647ull)
        return false;
    *value = negative ? static_cast<int>(-static_cast<qlonglong>(magnitude)) : static_cast<int>(magnitude);
    return true;
}

int ProfileFile::readInteger(const QString &section, const QString &key, int defaultValue) const {
    int value = 0;
    return parseInteger(readString(section, key, QString()), &value) ? value : defaultValue;
}

bool ProfileFile::readBool(const QString &section, const QString &key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QByteArray ProfileFile::loadForChange(const QString &path) {
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw KerlaError(errors::unableToWriteTo(path));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw KerlaError(errors::unableToWriteTo(path));
    return bytes;
}

void ProfileFile::replace(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    // Unbuffered: a write that fails (a full disk) fails here. Buffered, it would fail only in the
    // flush inside commit(), and Qt 6.4 renames the short temporary file over the old one then.
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size() &&
              file.error() == QFileDevice::NoError;
    if (ok)
        ok = file.commit();
    else
        file.cancelWriting(); // the temporary file is removed when `file` goes
    if (!ok)
        throw KerlaError(errors::unableToWriteTo(path));
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value) {
    ProfileText text(loadForChange(m_path));
    if (!text.writeString(section, key, value))
        throw KerlaError(errors::unableToWriteTo(m_path));
    replace(m_path, text.bytes());
}

void ProfileFile::writeInteger(const QString &section, const QString &key, int value) {
    writeString(section, key, QString::number(value));
}

void ProfileFile::writeBool(const QString &section, const QString &key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
