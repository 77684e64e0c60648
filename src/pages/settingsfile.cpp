#include "pages/settingsfile.h"

#include "platform/errors.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

void SettingsFile::load(const QString &path) {
    m_path = path;
    m_loaded = true;
    m_pending.clear();
    m_sections.clear();
    QFile file(path);
    m_exists = textfile::fileExists(path);
    if (file.open(QIODevice::ReadOnly))
        m_sections = ProfileText(file.readAll()).readAll();

    // A save that was killed between writing its temporary file and renaming it leaves the
    // temporary file ("Kerla.ini.XXXXXX") behind; it holds nothing the file itself does not.
    const QFileInfo info(path);
    const QRegularExpression leftover(QLatin1String("^") + QRegularExpression::escape(info.fileName()) +
                                      QLatin1String("\\.[A-Za-z0-9]{6}$"));
    const QDir dir = info.dir();
    for (const QString &name :
         dir.entryList({info.fileName() + QLatin1String(".*")}, QDir::Files | QDir::Hidden)) {
        if (leftover.match(name).hasMatch())
            QFile::remove(dir.filePath(name));
    }
}

QString SettingsFile::readString(const settingskeys::Key &key, const QString &defaultValue) const {
    const QString name = key.sectionText().toLower();
    for (const auto &[n, section] : m_sections) {
        if (n == name)
            return section.readString(key.nameText(), defaultValue);
    }
    return defaultValue;
}

int SettingsFile::readInteger(const settingskeys::Key &key, int defaultValue) const {
    int value = 0;
    return ProfileFile::parseInteger(readString(key, QString()), &value) ? value : defaultValue;
}

bool SettingsFile::readBool(const settingskeys::Key &key, bool defaultValue) const {
    return readInteger(key, defaultValue ? 1 : 0) != 0;
}

void SettingsFile::writeString(const settingskeys::Key &key, const QString &value) {
    if (!ProfileText::canWrite(key.sectionText(), key.nameText(), value))
        throw KerlaError(errors::unableToWriteTo(m_path));
    m_pending.append({key.sectionText(), key.nameText(), value});
}

void SettingsFile::writeInteger(const settingskeys::Key &key, int value) {
    writeString(key, QString::number(value));
}

void SettingsFile::writeBool(const settingskeys::Key &key, bool value) {
    writeString(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsFile::save() {
    const QList<Write> pending = std::exchange(m_pending, {});
    if (pending.isEmpty())
        return;
    // The file as it is now: what another program or run wrote since the start is kept.
    ProfileText text(ProfileFile::loadForChange(m_path));
    for (const Write &w : pending)
        text.writeString(w.section, w.key, w.value);
    ProfileFile::replace(m_path, text.bytes());
}
