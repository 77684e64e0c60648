#pragma once

#include <QByteArray>
#include <QString>

#include <cerrno>

#if defined(Q_OS_WIN) && !defined(EDQUOT)
#define EDQUOT 122 // a full quota; MinGW's C library has no number for it
#endif

// Faults of the file system for tests, as a full disk, a refused write or a broken disk gives them,
// for root as well as for any other user. Linking this library into a test executable puts its
// open64, read, write, rename, linkat, mkdir and unlink in front of the C library's, for Qt too
// (on Windows the system's file functions in front of Qt's calls of them).
// A fault applies to the paths that begin with the given prefix (a folder ending in '/', or a
// whole path); without a fault set, every call goes straight to the C library.
namespace faultshim {

// Writes to files under `prefix` fail with `error` once `bytes` bytes have been written to them in
// all (a disk that fills up); the write that crosses the limit writes the bytes up to it.
void failWritesAfter(const QByteArray &prefix, long long bytes, int error = ENOSPC);
// Opening a file under `prefix` for writing, creating a file or a folder there, renaming or
// linking into it and deleting from it fail with `error` (a read-only or forbidden folder).
void refuseChanges(const QByteArray &prefix, int error = EACCES);
// Opening a path under `prefix` in any way fails with `error` (an unreadable file).
void refuseOpen(const QByteArray &prefix, int error = EACCES);
// Reads of files under `prefix` fail with `error` (a broken disk).
void failReads(const QByteArray &prefix, int error = EIO);
// Removes every fault.
void reset();
// What the system says of a fault's error, as Qt's file errors give it (on Windows the message of
// the Windows error that stands for it).
QString systemReason(int error);

// Clears the faults when it goes out of scope.
struct Scope {
    Scope() = default;
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;
    ~Scope() { reset(); }
};

} // namespace faultshim
