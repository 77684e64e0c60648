#include "platform/textfile.h"

#include "platform/cp1250.h"
#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace textfile {

QList<LineBounds> lineBounds(QByteArrayView text) {
    const qsizetype nul = text.indexOf('\0');
    const qsizetype n = nul >= 0 ? nul : text.size();
    QList<LineBounds> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        const qsizetype contentEnd = i;
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        lines.append({start, contentEnd - start, i + 1});
        start = i + 1;
    }
    if (start < n)
        lines.append({start, n - start, n});
    return lines;
}

QList<QByteArray> splitLines(QByteArrayView text) {
    QList<QByteArray> lines;
    for (const LineBounds &line : lineBounds(text))
        lines.append(text.sliced(line.start, line.size).toByteArray());
    return lines;
}

QString decodeLines(QByteArrayView text) {
    QString out;
    const QList<QByteArray> lines = splitLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += u'\n';
        out += cp1250::toUnicode(lines[i]);
    }
    return out;
}

QByteArray readAll(const QString &path) {
    if (QFileInfo(path).isDir())
        throw KerlaError(errors::cannotOpenFile(path, QStringLiteral("Is a directory")));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KerlaError(errors::cannotOpenFile(path, file.errorString()));
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw KerlaError(errors::cannotReadFile(path, file.errorString()));
    return data;
}

QList<QByteArray> readLines(const QString &path) {
    return splitLines(readAll(path));
}

void writeAll(const QString &path, QByteArrayView bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw KerlaError(errors::unableToWriteTo(path));
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush())
        throw KerlaError(errors::unableToWriteTo(path));
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw KerlaError(errors::unableToWriteTo(path));
}

void writeLines(const QString &path, const QList<QByteArray> &lines) {
    QByteArray all;
    for (const QByteArray &line : lines) {
        all += line;
        all += "\r\n";
    }
    writeAll(path, all);
}

bool fileExists(const QString &path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

void removeIfExists(const QString &path) {
    if (!fileExists(path))
        return;
    QFile file(path);
    if (!file.remove() && fileExists(path))
        throw KerlaError(errors::cannotDeleteFile(path, file.errorString()));
}

QString findFileNoCase(const QString &folder, const QString &name) {
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.startsWith(QLatin1Char('.')) || name.contains(QChar(0)) || name.contains(QLatin1Char(':')))
        return {};
    QString base = folder;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    if (fileExists(base + name))
        return base + name;
    const QDir dir(base);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && fileExists(base + entry))
            return base + entry;
    }
    return {};
}

} // namespace textfile
