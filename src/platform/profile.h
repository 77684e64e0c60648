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

// Profile-string (INI) files with the semantics of the Windows profile functions: sections in
// square brackets and key=value lines in code page 1250; section and key names matched without
// regard to case; values trimmed (and freed of one pair of enclosing quotes); a missing file,
// section or key reads as the default. A write creates the file, the section and the key as
// needed and keeps all other content as it was; it replaces the file atomically, so a crash or a
// full disk never leaves a half-written file behind.
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

    // A write that fails raises "Unable to write to <path>".
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    // The integer conversion used by readInteger; false (and *value untouched) when the text is
    // not a number.
    static bool parseInteger(const QString &text, int *value);

private:
    QList<QByteArray> loadLines() const;

    QString m_path;
};
