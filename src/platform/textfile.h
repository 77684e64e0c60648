#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Whole 8-bit text files, as the program reads and writes them.
namespace textfile {

// Splits 8-bit text into lines: CR, LF and CR LF each end a line, a zero byte ends the text,
// and a final line end adds no empty line. The line ends are not part of the lines.
QList<QByteArray> splitLines(QByteArrayView text);

// Where each of those lines lies in the text: its first byte, its length, and where its line end
// ends (start + size for a last line without one). No byte is copied.
struct LineBounds {
    qsizetype start, size, end;
    qsizetype contentEnd() const { return start + size; }
};
QList<LineBounds> lineBounds(QByteArrayView text);

// Windows-1250 text in Unicode: its lines, as splitLines takes them, joined by line feeds.
QString decodeLines(QByteArrayView text);

// Reads a whole file; a file that cannot be opened raises "Cannot open file ...", one that cannot
// be read to its end "Cannot read file ...".
QByteArray readAll(const QString &path);

// readAll + splitLines.
QList<QByteArray> readLines(const QString &path);

// Creates or truncates the file and writes the bytes as they stand. A file that cannot be
// created or written raises "Unable to write to ...".
void writeAll(const QString &path, QByteArrayView bytes);

// Writes the lines, each followed by CR LF.
void writeLines(const QString &path, const QList<QByteArray> &lines);

// True for an existing regular file (a folder does not count).
bool fileExists(const QString &path);

// Deletes the file if it exists; nothing happens otherwise. A file that stays raises "Cannot
// delete file ...".
void removeIfExists(const QString &path);

// Finds a file in a folder by its name without regard to letter case. Names that hold path
// syntax ('/', '\\', ':', a NUL, or a leading '.' as "." and ".." have) are never found. Returns
// the full path, or an empty text when no regular file of that name exists.
QString findFileNoCase(const QString &folder, const QString &name);

} // namespace textfile
