#pragma once

#include <cstdint>

// The product version that the build stamps into the executable file. The stamp lies in an ELF
// section of its own, so that VersionText can read it back from the file without running it.
namespace versionstamp {

inline constexpr char SectionName[] = ".kerla_version";
inline constexpr char Marker[16] = "KerlaVersion/1";

// The section's content: the marker, then the four numbers of the version (major, minor, patch,
// build) as 16-bit values in the byte order of the file.
struct Stamp {
    char marker[16];
    std::uint16_t numbers[4];
};

} // namespace versionstamp
