#include "faultshim.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>

namespace {

struct Fault {
    std::string prefix; // empty: no fault
    int error = 0;
};

std::mutex guard;
Fault writeFault, changeFault, openFault, readFault;
long long writeBudget = 0;

template <class F> F real(const char *name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

bool under(const Fault &fault, const char *path) {
    return !fault.prefix.empty() && path && strncmp(path, fault.prefix.c_str(), fault.prefix.size()) == 0;
}

// The absolute path of a path relative to a folder descriptor (only AT_FDCWD or absolute paths
// matter to the tests).
std::string absolute(int dirfd, const char *path) {
    if (!path)
        return {};
    if (path[0] == '/' || dirfd != AT_FDCWD)
        return path;
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd))
        return path;
    return std::string(cwd) + '/' + path;
}

std::string pathOf(int fd) {
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t n = readlink(link, target, sizeof target - 1);
    if (n <= 0)
        return {};
    target[n] = '\0';
    return target;
}

// The error for a fault on that path, or 0.
int faultFor(const Fault &fault, const std::string &path) {
    std::lock_guard lock(guard);
    return under(fault, path.c_str()) ? fault.error : 0;
}

bool writes(int flags) {
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

int fail(int error) {
    errno = error;
    return -1;
}

} // namespace

namespace faultshim {

void failWritesAfter(const QByteArray &prefix, long long bytes, int error) {
    std::lock_guard lock(guard);
    writeFault = {prefix.toStdString(), error};
    writeBudget = bytes;
}
void refuseChanges(const QByteArray &prefix, int error) {
    std::lock_guard lock(guard);
    changeFault = {prefix.toStdString(), error};
}
void refuseOpen(const QByteArray &prefix, int error) {
    std::lock_guard lock(guard);
    openFault = {prefix.toStdString(), error};
}
void failReads(const QByteArray &prefix, int error) {
    std::lock_guard lock(guard);
    readFault = {prefix.toStdString(), error};
}
void reset() {
    std::lock_guard lock(guard);
    writeFault = changeFault = openFault = readFault = Fault{};
    writeBudget = 0;
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(strerror(error));
}

} // namespace faultshim

extern "C" {

int open64(const char *path, int flags, ...) {
    mode_t mode = 0;
    if ((flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    const std::string full = absolute(AT_FDCWD, path);
    if (const int e = faultFor(openFault, full))
        return fail(e);
    if (writes(flags)) {
        if (const int e = faultFor(changeFault, full))
            return fail(e);
    }
    static const auto next = real<int (*)(const char *, int, ...)>("open64");
    return next(path, flags, mode);
}

ssize_t write(int fd, const void *data, size_t size) {
    static const auto next = real<ssize_t (*)(int, const void *, size_t)>("write");
    bool limited = false;
    {
        std::lock_guard lock(guard);
        limited = !writeFault.prefix.empty();
    }
    if (!limited || fd <= 2)
        return next(fd, data, size);
    const std::string path = pathOf(fd);
    std::unique_lock lock(guard);
    if (!under(writeFault, path.c_str()))
        return next(fd, data, size);
    if (writeBudget <= 0)
        return fail(writeFault.error);
    const size_t allowed = size < static_cast<size_t>(writeBudget) ? size : static_cast<size_t>(writeBudget);
    const ssize_t n = next(fd, data, allowed);
    if (n > 0)
        writeBudget -= n;
    return n;
}

ssize_t read(int fd, void *data, size_t size) {
    static const auto next = real<ssize_t (*)(int, void *, size_t)>("read");
    bool active = false;
    {
        std::lock_guard lock(guard);
        active = !readFault.prefix.empty();
    }
    if (active && fd > 2) {
        if (const int e = faultFor(readFault, pathOf(fd)))
            return fail(e);
    }
    return next(fd, data, size);
}

int rename(const char *from, const char *to) noexcept {
    if (const int e = faultFor(changeFault, absolute(AT_FDCWD, to)))
        return fail(e);
    static const auto next = real<int (*)(const char *, const char *)>("rename");
    return next(from, to);
}

int renameat2(int fromdir, const char *from, int todir, const char *to, unsigned int flags) noexcept {
    if (const int e = faultFor(changeFault, absolute(todir, to)))
        return fail(e);
    static const auto next = real<int (*)(int, const char *, int, const char *, unsigned int)>("renameat2");
    return next(fromdir, from, todir, to, flags);
}

int linkat(int fromdir, const char *from, int todir, const char *to, int flags) noexcept {
    if (const int e = faultFor(changeFault, absolute(todir, to)))
        return fail(e);
    static const auto next = real<int (*)(int, const char *, int, const char *, int)>("linkat");
    return next(fromdir, from, todir, to, flags);
}

int mkdir(const char *path, mode_t mode) noexcept {
    if (const int e = faultFor(changeFault, absolute(AT_FDCWD, path)))
        return fail(e);
    static const auto next = real<int (*)(const char *, mode_t)>("mkdir");
    return next(path, mode);
}

int unlink(const char *path) noexcept {
    if (const int e = faultFor(changeFault, absolute(AT_FDCWD, path)))
        return fail(e);
    static const auto next = real<int (*)(const char *)>("unlink");
    return next(path);
}

} // extern "C"
