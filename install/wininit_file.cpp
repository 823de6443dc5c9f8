#include "wininit_file.h"

#include "platform.h"
#include "setup_state.h"

#include <stdlib.h>

namespace {

bool WininitPath(char *path)
{
    return BuildPath(path, PathSize, "%s\\WININIT.INI", WindowsDirectory);
}

void FlushProfileCache(const char *path)
{
    WritePrivateProfileStringA(NULL, NULL, NULL, path);
}

// A new empty file's name in the Windows directory, or none made.
bool NewFileBeside(char *name)
{
    return GetTempFileNameA(WindowsDirectory, "vel", 0, name) != 0;
}

bool WriteNewFile(const char *path, const char *text, DWORD size)
{
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool done = WriteFile(file, text, size, &written, NULL) && written == size;
    if (!CloseHandle(file))
        done = false;
    return done;
}

// Ends a failed step with its own error, whatever cleaning up sets.
bool FailWith(DWORD error)
{
    SetLastError(error);
    return false;
}

} // namespace

bool ReadWininit(char **text, DWORD *size)
{
    *text = NULL;
    *size = 0;
    char path[PathSize];
    if (!WininitPath(path))
        return false;
    FlushProfileCache(path);
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    DWORD length = file == INVALID_HANDLE_VALUE ? 0 : GetFileSize(file, NULL);
    char *buffer = length == INVALID_FILE_SIZE ? NULL : static_cast<char *>(malloc(length + 1));
    DWORD read = 0;
    bool done = buffer && (length == 0 || (ReadFile(file, buffer, length, &read, NULL) && read == length));
    DWORD error = buffer ? GetLastError() : ERROR_NOT_ENOUGH_MEMORY;
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!done) {
        free(buffer);
        return FailWith(error);
    }
    buffer[length] = '\0';
    *text = buffer;
    *size = length;
    return true;
}

bool WriteWininit(const char *text, DWORD size)
{
    char path[PathSize], fresh[MAX_PATH], aside[MAX_PATH];
    if (!WininitPath(path))
        return false;
    DWORD attributes = GetFileAttributesA(path);
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return FailWith(ERROR_ACCESS_DENIED);
    if (!NewFileBeside(fresh))
        return false;
    if (!WriteNewFile(fresh, text, size)) {
        DWORD error = GetLastError();
        DeleteFileA(fresh);
        return FailWith(error);
    }
    // The old file steps aside until the new one stands in its place, so
    // that no moment leaves the restart without one.
    bool setAside = false;
    if (exists) {
        setAside = NewFileBeside(aside) && DeleteFileA(aside) && MoveFileA(path, aside);
        if (!setAside) {
            DWORD error = GetLastError();
            DeleteFileA(fresh);
            return FailWith(error);
        }
    }
    if (!MoveFileA(fresh, path)) {
        DWORD error = GetLastError();
        if (setAside)
            MoveFileA(aside, path);
        DeleteFileA(fresh);
        return FailWith(error);
    }
    if (setAside)
        DeleteFileA(aside);
    FlushProfileCache(path);
    return true;
}
