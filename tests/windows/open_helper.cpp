// Started by the shell's open in windows_test: leaves the file opened.txt beside itself.
#include <windows.h>

int main() {
    wchar_t path[MAX_PATH + 16] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    while (length > 0 && path[length - 1] != L'\\')
        --length;
    const wchar_t name[] = L"opened.txt";
    for (unsigned i = 0; i < sizeof name / sizeof name[0]; ++i)
        path[length + i] = name[i];
    const HANDLE file =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    CloseHandle(file);
    return 0;
}
