#pragma once

#include "pages/settingskeys.h"
#include "platform/profile.h"

#include <QList>
#include <QString>

// Kerla.ini for the windows: read once at start, written once at close.
//
// load() reads the file once; the windows then take their keys from memory. The writes of a close
// (and the date of the end once a day) are gathered, and save() makes them in one atomic replace
// of the file: it comes out byte for byte as writing the keys one by one, in the same order, would
// leave it (other content kept, keys and sections added where such writes add them), but a full
// disk, a refused write or a kill leaves the old file whole instead of a file half old, half new.
class SettingsFile {
public:
    // Reads the file. A missing file has no keys and exists() is false; a file that is there but
    // cannot be read gives every key's default. Leftover temporary files of a save that was killed
    // are removed.
    void load(const QString &path);
    bool isLoadedFrom(const QString &path) const { return m_loaded && path == m_path; }
    // Whether the file was there at load.
    bool exists() const { return m_exists; }
    const QString &path() const { return m_path; }

    QString readString(const settingskeys::Key &key, const QString &defaultValue) const;
    int readInteger(const settingskeys::Key &key, int defaultValue) const;
    bool readBool(const settingskeys::Key &key, bool defaultValue) const;

    // Gathers a write for the next save. A key that the file could not hold raises "Unable to
    // write to <path>".
    void writeString(const settingskeys::Key &key, const QString &value);
    void writeInteger(const settingskeys::Key &key, int value);
    void writeBool(const settingskeys::Key &key, bool value);
    bool hasPendingWrites() const { return !m_pending.isEmpty(); }

    // Makes the gathered writes in one replace of the file, as it is on disk now, and forgets
    // them, also on failure. A failure raises "Unable to write to <path>" and the file stays as it
    // was. Nothing gathered: the file is not touched.
    void save();

private:
    struct Write {
        QString section, key, value;
    };
    QString m_path;
    bool m_loaded = false;
    bool m_exists = false;
    QList<std::pair<QString, ProfileSection>> m_sections; // by lower-case name
    QList<Write> m_pending;
};
