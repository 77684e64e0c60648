#include "dialogs/versionstamp.h"

// Linked into an executable, this puts the product version into the section that VersionText
// reads. The build gives the four numbers; a program that does not link this file has no version.
#ifndef KERLA_VERSION_MAJOR
#error "KERLA_VERSION_MAJOR and its three companions come from the build"
#endif

extern "C" {
extern const versionstamp::Stamp kerlaVersionStamp;
__attribute__((section(".kerla_version"), used)) const versionstamp::Stamp kerlaVersionStamp = {
    "KerlaVersion/1", {KERLA_VERSION_MAJOR, KERLA_VERSION_MINOR, KERLA_VERSION_PATCH, KERLA_VERSION_BUILD}};
}
