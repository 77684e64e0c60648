#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// The key=value entries of one section, in the order the file holds them (keys trimmed, values
// trimmed and unquoted).
struct ProfileSection {
    QList<std::pair<QString, QString>> entries;
    // The value of the first entry whose key matches without regard to case, else the default.
    QString readString(const QString &key, const QString &defaultValue) const;
};

// A section as it stands in the file: its name, the line of its header and of each entry
// (counted from 1), and its entries as ProfileFile reads them.
struct ProfileSectionAt {
    QString name;
    int line = 0;
    ProfileSection section;
    QList<int> entryLines;
};

// Every section of profile text in file order, doubles included (ProfileFile reads the first of
// a name); the data tools check a readings index with it.
QList<ProfileSectionAt> profileSections(const QList<QByteArray> &lines);

// The bytes of a profile-string (INI) file, read and edited in memory. Reading stops at a NUL
// byte, as it stops for the whole file. A write changes only the bytes of its own line, or adds
// its lines, and keeps every other byte as it stands: the line ends of other lines, and whatever
// follows a NUL byte.
class ProfileText {
public:
    explicit ProfileText(QByteArray bytes = {}) : m_bytes(std::move(bytes)) {}

    const QByteArray &bytes() const { return m_bytes; }

    // The first section of that name (no entries when there is none).
    ProfileSection readSection(const QString &section) const;
    // Every section by its name in lower case; of sections that share a name, the first.
    QList<std::pair<QString, ProfileSection>> readAll() const;

    // False, and nothing changed, for an entry that could not be read back as written: an empty
    // key, a key that begins with '[' (it would read as a section) or holds '=', a section name
    // that holds ']', and line ends or NUL bytes anywhere.
    static bool canWrite(const QString &section, const QString &key, const QString &value);
    // A value as the reader takes it from its line: trimmed, and freed of one pair of enclosing
    // quotes ("…" or '…'). A value that this changes does not read back as it was written.
    static QString valueAsRead(const QString &written);
    bool writeString(const QString &section, const QString &key, const QString &value);

private:
    QByteArray m_bytes;
};

// Profile-string (INI) files with the semantics of the Windows profile functions: sections in
// square brackets and key=value lines in code page 1250; section and key names matched without
// regard to case; values trimmed (and freed of one pair of enclosing quotes); a missing file,
// section or key reads as the default, and so does a file that cannot be read. A write creates
// the file, the section and the key as needed and keeps all other content as it was; it replaces
// the file atomically, so a crash or a full disk never leaves a half-written file behind.
class ProfileFile {
public:
    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // The first section of that name (no entries when there is none), for a reader that wants
    // several of its keys from one read of the file.
    ProfileSection readSection(const QString &section) const;
    // Decimal, or hexadecimal with a leading 0x or $; anything else gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // True for any non-zero number.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    // A write that fails raises "Unable to write to <path>", and the file stays as it was. So does
    // a file that is there but cannot be read: it is not replaced by one that holds this key alone.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    // The integer conversion used by readInteger; false (and *value untouched) when the text is
    // not a number.
    static bool parseInteger(const QString &text, int *value);

    // The file's bytes for a change: empty when there is no file; a file that cannot be read
    // raises "Unable to write to <path>".
    static QByteArray loadForChange(const QString &path);
    // Replaces the file with the bytes in one step: a temporary file beside it, written whole and
    // flushed, is renamed over it. On any failure the temporary file is removed, the file stays as
    // it was and "Unable to write to <path>" is raised.
    static void replace(const QString &path, const QByteArray &bytes);

private:
    QString m_path;
};
