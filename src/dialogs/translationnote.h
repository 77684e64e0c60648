#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

// The settings dialog names the Bible translation of the installed book files by the time stamp
// of one of them (Data/1j), packed into the 32-bit DOS date-time form.
namespace translationnote {

// The value for a file that is missing or is a folder.
inline constexpr std::int32_t NoFile = -1;

// Packs a local date and time: date in the high 16 bits (year - 1980 in bits 9-15, month in 5-8,
// day in 0-4), time in the low 16 bits (hours in 11-15, minutes in 5-10, seconds / 2 in 0-4).
// Years that the form cannot hold (before 1980, after 2107) and invalid values give NoFile.
std::int32_t packDosDateTime(const QDateTime &local);

// The last-modification time of the file in local time, packed; NoFile for a missing file or a
// folder.
std::int32_t fileDosDateTime(const QString &path);

// The note for a packed time stamp: the two known translations, "........" for anything else.
QString noteFor(std::int32_t dosDateTime);

} // namespace translationnote
