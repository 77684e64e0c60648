// The fault shim on Windows. Qt's file engine calls the system's file functions (CreateFileW,
// ReadFile, WriteFile, MoveFileW, MoveFileExW, CreateDirectoryW, DeleteFileW), so the shim puts its own in
// front of them in Qt6Core.dll's import table the first time a fault is set. Paths are compared as
// Qt writes them (forward slashes, letter case aside), the POSIX error numbers of the faults given
// as the Windows errors that mean the same.
#include "faultshim.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QString>

#include <windows.h>

#include <cstring>

#ifndef ERROR_DISK_QUOTA_EXCEEDED
#define ERROR_DISK_QUOTA_EXCEEDED 1295L // winerror.h has it; MinGW's does not
#endif

namespace {

struct Fault {
    QByteArray prefix; // as the test gave it (QFile::encodeName, '/' between names); empty: no fault
    int error = 0;
};

QMutex guard;
Fault writeFault, changeFault, openFault, readFault;
long long writeBudget = 0;
QHash<HANDLE, QString> openFiles; // the files opened while the shim stands, by handle

DWORD windowsError(int error) {
    switch (error) {
    case ENOSPC:
        return ERROR_DISK_FULL;
    case EDQUOT:
        return ERROR_DISK_QUOTA_EXCEEDED;
    case EACCES:
    case EPERM:
        return ERROR_ACCESS_DENIED;
    case EROFS:
        return ERROR_WRITE_PROTECT;
    case EIO:
        return ERROR_READ_FAULT;
    default:
        return ERROR_GEN_FAILURE;
    }
}

// A system path as Qt writes paths: without the \\?\ of long paths, with forward slashes.
QString qtPath(const wchar_t *path) {
    if (!path)
        return {};
    QString text = QString::fromWCharArray(path);
    if (text.startsWith(QLatin1String("\\\\?\\")))
        text.remove(0, 4);
    return text.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// The path is compared in the form the test gave its prefix: QFile::encodeName takes the ANSI
// code page, which holds few Czech letters, so both sides lose the same ones.
bool under(const Fault &fault, const QString &path) {
    return !fault.prefix.isEmpty() && QFile::encodeName(path).toLower().startsWith(fault.prefix.toLower());
}

// The Windows error for a fault on that path, or 0.
DWORD faultFor(const Fault &fault, const QString &path) {
    QMutexLocker lock(&guard);
    return under(fault, path) ? windowsError(fault.error) : 0;
}

using CreateFileWFn = HANDLE(WINAPI *)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
using ReadFileFn = BOOL(WINAPI *)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
using WriteFileFn = BOOL(WINAPI *)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
using CloseHandleFn = BOOL(WINAPI *)(HANDLE);
using MoveFileWFn = BOOL(WINAPI *)(LPCWSTR, LPCWSTR);
using MoveFileExWFn = BOOL(WINAPI *)(LPCWSTR, LPCWSTR, DWORD);
using CreateDirectoryWFn = BOOL(WINAPI *)(LPCWSTR, LPSECURITY_ATTRIBUTES);
using DeleteFileWFn = BOOL(WINAPI *)(LPCWSTR);

CreateFileWFn realCreateFileW = nullptr;
ReadFileFn realReadFile = nullptr;
WriteFileFn realWriteFile = nullptr;
CloseHandleFn realCloseHandle = nullptr;
MoveFileWFn realMoveFileW = nullptr;
MoveFileExWFn realMoveFileExW = nullptr;
CreateDirectoryWFn realCreateDirectoryW = nullptr;
DeleteFileWFn realDeleteFileW = nullptr;

HANDLE WINAPI shimCreateFileW(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                              DWORD disposition, DWORD flags, HANDLE model) {
    const QString path = qtPath(name);
    DWORD error = faultFor(openFault, path);
    const bool writes = (access & (GENERIC_WRITE | FILE_WRITE_DATA | FILE_APPEND_DATA)) != 0 ||
                        disposition == CREATE_NEW || disposition == CREATE_ALWAYS ||
                        disposition == TRUNCATE_EXISTING;
    if (!error && writes)
        error = faultFor(changeFault, path);
    if (error) {
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    const HANDLE handle = realCreateFileW(name, access, share, security, disposition, flags, model);
    if (handle != INVALID_HANDLE_VALUE) {
        const DWORD saved = GetLastError(); // "already exists" may tell the caller something
        QMutexLocker lock(&guard);
        openFiles.insert(handle, path);
        SetLastError(saved);
    }
    return handle;
}

QString pathOf(HANDLE handle) {
    return openFiles.value(handle);
}

BOOL WINAPI shimWriteFile(HANDLE handle, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    QMutexLocker lock(&guard);
    if (!under(writeFault, pathOf(handle))) {
        lock.unlock();
        return realWriteFile(handle, data, size, written, overlapped);
    }
    if (writeBudget <= 0) {
        if (written)
            *written = 0;
        SetLastError(windowsError(writeFault.error));
        return FALSE;
    }
    const DWORD allowed = size < writeBudget ? size : DWORD(writeBudget);
    DWORD done = 0;
    const BOOL ok = realWriteFile(handle, data, allowed, &done, overlapped);
    if (ok)
        writeBudget -= done;
    if (written)
        *written = done;
    return ok;
}

BOOL WINAPI shimReadFile(HANDLE handle, LPVOID data, DWORD size, LPDWORD read, LPOVERLAPPED overlapped) {
    DWORD error = 0;
    {
        QMutexLocker lock(&guard);
        if (under(readFault, pathOf(handle)))
            error = windowsError(readFault.error);
    }
    if (error) {
        if (read)
            *read = 0;
        SetLastError(error);
        return FALSE;
    }
    return realReadFile(handle, data, size, read, overlapped);
}

BOOL WINAPI shimCloseHandle(HANDLE handle) {
    {
        QMutexLocker lock(&guard);
        openFiles.remove(handle);
    }
    return realCloseHandle(handle);
}

// QFile::rename moves with MoveFileW, QSaveFile's commit with MoveFileExW: both refuse alike.
BOOL WINAPI shimMoveFileW(LPCWSTR from, LPCWSTR to) {
    if (const DWORD error = faultFor(changeFault, qtPath(to))) {
        SetLastError(error);
        return FALSE;
    }
    return realMoveFileW(from, to);
}

BOOL WINAPI shimMoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) {
    if (const DWORD error = faultFor(changeFault, qtPath(to))) {
        SetLastError(error);
        return FALSE;
    }
    return realMoveFileExW(from, to, flags);
}

BOOL WINAPI shimCreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES security) {
    if (const DWORD error = faultFor(changeFault, qtPath(path))) {
        SetLastError(error);
        return FALSE;
    }
    return realCreateDirectoryW(path, security);
}

BOOL WINAPI shimDeleteFileW(LPCWSTR path) {
    if (const DWORD error = faultFor(changeFault, qtPath(path))) {
        SetLastError(error);
        return FALSE;
    }
    return realDeleteFileW(path);
}

struct Hook {
    const char *name;
    void *shim;
    void **real;
};

const Hook hooks[] = {
    {"CreateFileW", reinterpret_cast<void *>(&shimCreateFileW), reinterpret_cast<void **>(&realCreateFileW)},
    {"ReadFile", reinterpret_cast<void *>(&shimReadFile), reinterpret_cast<void **>(&realReadFile)},
    {"WriteFile", reinterpret_cast<void *>(&shimWriteFile), reinterpret_cast<void **>(&realWriteFile)},
    {"CloseHandle", reinterpret_cast<void *>(&shimCloseHandle), reinterpret_cast<void **>(&realCloseHandle)},
    {"MoveFileW", reinterpret_cast<void *>(&shimMoveFileW), reinterpret_cast<void **>(&realMoveFileW)},
    {"MoveFileExW", reinterpret_cast<void *>(&shimMoveFileExW), reinterpret_cast<void **>(&realMoveFileExW)},
    {"CreateDirectoryW", reinterpret_cast<void *>(&shimCreateDirectoryW),
     reinterpret_cast<void **>(&realCreateDirectoryW)},
    {"DeleteFileW", reinterpret_cast<void *>(&shimDeleteFileW), reinterpret_cast<void **>(&realDeleteFileW)},
};

// Points the entries of `module`'s import table that name one of the hooks at the shim.
void patchImports(HMODULE module) {
    auto *base = reinterpret_cast<BYTE *>(module);
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0)
        return;
    for (auto *desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + dir.VirtualAddress); desc->Name;
         ++desc) {
        if (!desc->OriginalFirstThunk)
            continue;
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + desc->OriginalFirstThunk);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + desc->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            for (const Hook &hook : hooks) {
                if (std::strcmp(reinterpret_cast<const char *>(byName->Name), hook.name) != 0)
                    continue;
                if (!*hook.real)
                    *hook.real = reinterpret_cast<void *>(slots->u1.Function);
                DWORD old = 0;
                VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
                slots->u1.Function = reinterpret_cast<ULONG_PTR>(hook.shim);
                VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            }
        }
    }
}

void install() {
    static const bool done = [] {
        if (HMODULE core = GetModuleHandleW(L"Qt6Core.dll"))
            patchImports(core);
        return true;
    }();
    (void)done;
}

// In place before the test opens its first file, so that every handle's path is known.
const bool installedAtStart = (install(), true);

QByteArray prefixOf(const QByteArray &prefix) {
    return QByteArray(prefix).replace('\\', '/');
}

} // namespace

namespace faultshim {

void failWritesAfter(const QByteArray &prefix, long long bytes, int error) {
    install();
    QMutexLocker lock(&guard);
    writeFault = {prefixOf(prefix), error};
    writeBudget = bytes;
}
void refuseChanges(const QByteArray &prefix, int error) {
    install();
    QMutexLocker lock(&guard);
    changeFault = {prefixOf(prefix), error};
}
void refuseOpen(const QByteArray &prefix, int error) {
    install();
    QMutexLocker lock(&guard);
    openFault = {prefixOf(prefix), error};
}
void failReads(const QByteArray &prefix, int error) {
    install();
    QMutexLocker lock(&guard);
    readFault = {prefixOf(prefix), error};
}
void reset() {
    QMutexLocker lock(&guard);
    writeFault = changeFault = openFault = readFault = Fault{};
    writeBudget = 0;
}

QString systemReason(int error) {
    return qt_error_string(int(windowsError(error)));
}

} // namespace faultshim
