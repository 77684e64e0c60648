#include "dialogs/versioninfo.h"

#include "dialogs/versionstamp.h"

#include <QFile>

#include <cstring>
#include <optional>

namespace versioninfo {

namespace {

// Reads the parts of an ELF file that lead to one section, every offset checked against the
// file's size before use.
class ElfReader {
public:
    explicit ElfReader(QByteArrayView file) : m_file(file) {}

    bool readHeader() {
        if (m_file.size() < 16 || std::memcmp(m_file.data(),
                                              "\x7f"
                                              "ELF",
                                              4) != 0)
            return false;
        const auto elfClass = uchar(m_file[4]);
        const auto data = uchar(m_file[5]);
        if ((elfClass != 1 && elfClass != 2) || (data != 1 && data != 2))
            return false;
        m_is64 = elfClass == 2;
        m_bigEndian = data == 2;
        const qsizetype headerSize = m_is64 ? 64 : 52;
        if (m_file.size() < headerSize)
            return false;
        if (m_is64) {
            m_shoff = word(0x28, 8);
            m_shentsize = word(0x3A, 2);
            m_shnum = word(0x3C, 2);
            m_shstrndx = word(0x3E, 2);
        } else {
            m_shoff = word(0x20, 4);
            m_shentsize = word(0x2E, 2);
            m_shnum = word(0x30, 2);
            m_shstrndx = word(0x32, 2);
        }
        if (m_shoff == 0 || m_shentsize < quint64(m_is64 ? 64 : 40))
            return false;
        // Files with very many sections keep the real count and the index of the names in
        // section 0.
        if (m_shnum == 0 || m_shstrndx == 0xFFFF) {
            const auto first = section(0, /*checkCount=*/false);
            if (!first)
                return false;
            if (m_shnum == 0)
                m_shnum = first->size;
            if (m_shstrndx == 0xFFFF)
                m_shstrndx = first->link;
        }
        if (m_shnum > quint64(m_file.size()) || !fits(m_shoff, m_shnum * m_shentsize))
            return false;
        return m_shstrndx < m_shnum;
    }

    struct Section {
        quint64 name = 0;
        quint64 type = 0;
        quint64 offset = 0;
        quint64 size = 0;
        quint64 link = 0;
    };

    std::optional<Section> section(quint64 index, bool checkCount = true) const {
        if (checkCount && index >= m_shnum)
            return std::nullopt;
        const quint64 at = m_shoff + index * m_shentsize;
        if (index > quint64(m_file.size()) || !fits(at, m_shentsize))
            return std::nullopt;
        Section s;
        s.name = word(at, 4);
        s.type = word(at + 4, 4);
        if (m_is64) {
            s.offset = word(at + 0x18, 8);
            s.size = word(at + 0x20, 8);
            s.link = word(at + 0x28, 4);
        } else {
            s.offset = word(at + 0x10, 4);
            s.size = word(at + 0x14, 4);
            s.link = word(at + 0x18, 4);
        }
        return s;
    }

    // The section of that name whose content lies inside the file.
    std::optional<Section> findSection(const char *wanted) const {
        const auto names = section(m_shstrndx);
        if (!names || !fits(names->offset, names->size))
            return std::nullopt;
        const char *table = m_file.data() + names->offset;
        const size_t wantedLength = std::strlen(wanted) + 1; // with its terminating zero
        for (quint64 i = 1; i < m_shnum; ++i) {
            const auto s = section(i);
            if (!s)
                return std::nullopt;
            if (s->name >= names->size || names->size - s->name < wantedLength)
                continue;
            if (std::memcmp(table + s->name, wanted, wantedLength) != 0)
                continue;
            constexpr quint64 NoBits = 8; // SHT_NOBITS: the section takes no room in the file
            if (s->type == NoBits || !fits(s->offset, s->size))
                return std::nullopt;
            return s;
        }
        return std::nullopt;
    }

    quint64 word(quint64 at, int bytes) const {
        quint64 value = 0;
        for (int i = 0; i < bytes; ++i) {
            const int index = m_bigEndian ? i : bytes - 1 - i;
            value = (value << 8) | uchar(m_file[qsizetype(at) + index]);
        }
        return value;
    }

    bool fits(quint64 offset, quint64 length) const {
        const auto size = quint64(m_file.size());
        return offset <= size && length <= size - offset;
    }

private:
    QByteArrayView m_file;
    bool m_is64 = false;
    bool m_bigEndian = false;
    quint64 m_shoff = 0;
    quint64 m_shentsize = 0;
    quint64 m_shnum = 0;
    quint64 m_shstrndx = 0;
};

} // namespace

QString versionFromElf(QByteArrayView file) {
    ElfReader elf(file);
    if (!elf.readHeader())
        return {};
    const auto stamp = elf.findSection(versionstamp::SectionName);
    if (!stamp || stamp->size < sizeof(versionstamp::Stamp))
        return {};
    if (std::memcmp(file.data() + stamp->offset, versionstamp::Marker, sizeof versionstamp::Marker) != 0)
        return {};
    const quint64 numbers = stamp->offset + offsetof(versionstamp::Stamp, numbers);
    const auto major = elf.word(numbers, 2);
    const auto minor = elf.word(numbers + 2, 2);
    return QStringLiteral("%1.%2").arg(major).arg(minor);
}

} // namespace versioninfo

QString VersionText(const QString &path) {
#ifdef Q_OS_WIN
    return versioninfo::versionFromResource(path);
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The file is mapped rather than read, so a large executable costs no copy.
    const qint64 size = file.size();
    if (size <= 0)
        return {};
    uchar *mapped = file.map(0, size);
    if (mapped)
        return versioninfo::versionFromElf(QByteArrayView(mapped, size));
    return versioninfo::versionFromElf(file.readAll());
#endif
}
