#include "run_once.h"

#include "driver_contract.h"
#include "parameter_access.h"
#include "rename_section.h"

#include <windows.h>
#include <stdlib.h>

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

// The installation waits for its restart: the setup's marker is there, and
// WININIT.INI's [rename] section still holds the line that deletes it.
// Windows 9x carries that section out at every start and renames the file
// WININIT.BAK (Q140570), so after the restart the line is gone. A marker
// whose line another installer's profile functions dropped, or that
// outlived its restart, counts for nothing. NT never reads WININIT.INI, and
// no installation is made there.
bool RestartPending()
{
    char marker[MAX_PATH], shortMarker[MAX_PATH], wininit[MAX_PATH];
    if (!(GetVersion() & 0x80000000) || !WindowsFile(RestartMarkerPath, marker) ||
        !WindowsFile("WININIT.INI", wininit))
        return false;
    DWORD length = GetShortPathNameA(marker, shortMarker, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    WritePrivateProfileStringA(NULL, NULL, NULL, wininit); // past the profile cache
    HANDLE file = CreateFileA(wininit, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, NULL), read = 0;
    char *text = size == INVALID_FILE_SIZE ? NULL : static_cast<char *>(malloc(size + 1));
    bool readable = text && ReadFile(file, text, size, &read, NULL) && read == size;
    CloseHandle(file);
    bool pending = false;
    size_t cursor = 0;
    PendingOperation op;
    while (readable && !pending && NextRenameLine(text, size, &cursor, &op))
        pending = !op.Source[0] && lstrcmpiA(op.Target, shortMarker) == 0;
    free(text);
    return pending;
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
