#include "run_once.h"

#include "driver_contract.h"
#include "parameter_access.h"
#include "restart_marker.h"

#include <windows.h>

namespace {

// A file of the Windows directory, in MAX_PATH bytes; false when it would
// not fit.
bool WindowsFile(const char *name, char *path)
{
    UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenA(name) >= MAX_PATH)
        return false;
    path[length] = '\\';
    lstrcpyA(path + length + 1, name);
    return true;
}

uint64_t ThisBoot()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return BootSeconds(uint64_t(now.dwHighDateTime) << 32 | now.dwLowDateTime, GetTickCount());
}

// The setup's marker is there and names this boot. One that names another
// (it outlived its restart) or holds anything else is deleted.
bool RestartPending()
{
    char path[MAX_PATH];
    if (!WindowsFile(RestartMarkerPath, path))
        return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char text[24];
    DWORD read = 0;
    bool readable = ReadFile(file, text, sizeof text, &read, NULL) != FALSE;
    CloseHandle(file);
    uint64_t written;
    if (!readable)
        return false;
    if (ParseBootSeconds(text, read, &written) && SameBoot(written, ThisBoot()))
        return true;
    SetFileAttributesA(path, 0);
    DeleteFileA(path);
    return false;
}

} // namespace

void RemoveRunOnceEntry()
{
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, RunOnceKeyPathCalibrator, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, RunOnceValueName);
    RegCloseKey(key);
}

void RearmHandOff()
{
    char command[MAX_PATH];
    HKEY key;
    if (ReloadReachedDriver || !RestartPending() || !WindowsFile(CalibratorFileName, command) ||
        GetFileAttributesA(command) == INVALID_FILE_ATTRIBUTES ||
        RegCreateKeyA(HKEY_CURRENT_USER, RunOnceKeyPath, &key) != ERROR_SUCCESS)
        return;
    // As the setup writes it: the count leaves out the terminating zero.
    RegSetValueExA(key, RunOnceValueName, 0, REG_SZ, reinterpret_cast<const BYTE *>(command),
                   DWORD(lstrlenA(command)));
    RegCloseKey(key);
}
