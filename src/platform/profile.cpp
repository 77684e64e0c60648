#include "platform/profile.h"

#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/textfile.h"

#include <QFile>
#include <QSaveFile>

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

QString unquote(QString value) {
    value = value.trimmed();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

QList<QByteArray> ProfileFile::loadLines() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return textfile::splitLines(file.readAll());
}

QString ProfileSection::readString(const QString &key, const QString &defaultValue) const {
    for (const auto &[k, value] : entries) {
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    }
    return defaultValue;
}

ProfileSection ProfileFile::readSection(const QString &section) const {
    ProfileSection found;
    bool inSection = false;
    for (const QByteArray &raw : loadLines()) {
        const QString line = cp1250::toUnicode(raw);
        const QString trimmed = line.trimmed();
        if (isSectionLine(trimmed)) {
            if (inSection)
                break; // the first section of that name is the one that counts
            inSection = sectionName(trimmed).compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        QString value;
        const QString k = keyOf(line, &value);
        if (!k.isEmpty())
            found.entries.append({k, unquote(value)});
    }
    return found;
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
        // Hexadecimal reads the 32-bit pattern, so $FF000008 is a system colour.
        if (magnitude > 0xFFFFFFFFull)
            return false;
        const auto pattern = static_cast<qint32>(static_cast<quint32>(magnitude));
        *value = negative ? -pattern : pattern;
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

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value) {
    // A file that is there but cannot be read is not replaced by one that holds this key alone.
    if (QFile::exists(m_path) && !QFile(m_path).open(QIODevice::ReadOnly))
        throw KerlaError(errors::unableToWriteTo(m_path));
    QList<QByteArray> lines = loadLines();
    const QByteArray entry = cp1250::fromUnicode(key) + '=' + cp1250::fromUnicode(value);

    qsizetype sectionStart = -1; // index of the section's header line
    qsizetype lastEntry = -1;    // last non-blank line of the section
    bool done = false;
    for (qsizetype i = 0; i < lines.size() && !done; ++i) {
        const QString line = cp1250::toUnicode(lines[i]);
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
            lines[i] = cp1250::fromUnicode(k) + '=' + cp1250::fromUnicode(value);
            done = true;
        }
    }
    if (!done) {
        if (sectionStart >= 0) {
            lines.insert(lastEntry + 1, entry);
        } else {
            if (!lines.isEmpty() && !lines.back().trimmed().isEmpty())
                lines.append(QByteArray());
            lines.append('[' + cp1250::fromUnicode(section) + ']');
            lines.append(entry);
        }
    }

    QByteArray all;
    for (const QByteArray &line : std::as_const(lines))
        all += line + "\r\n";
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(all) != all.size() || !file.commit())
        throw KerlaError(errors::unableToWriteTo(m_path));
}

void ProfileFile::writeInteger(const QString &section, const QString &key, int value) {
    writeString(section, key, QString::number(value));
}

void ProfileFile::writeBool(const QString &section, const QString &key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
