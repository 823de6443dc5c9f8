#include "wininit_file.h"

#include "platform.h"
#include "setup_state.h"

#include <stdlib.h>

namespace {

bool WininitPath(char *path, const char *name = "WININIT.INI")
{
    return BuildPath(path, PathSize, "%s\\%s", WindowsDirectory, name);
}

// Where the new text is written, and where the old file steps aside while
// the new one takes its name: names of the setup's own, so that the next
// run finds them.
const char FreshName[] = "VELWINIT.NEW";
const char AsideName[] = "VELWINIT.OLD";

void FlushProfileCache(const char *path)
{
    WritePrivateProfileStringA(NULL, NULL, NULL, path);
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
    char path[PathSize], fresh[PathSize], aside[PathSize];
    if (!WininitPath(path) || !WininitPath(fresh, FreshName) || !WininitPath(aside, AsideName))
        return false;
    DWORD attributes = GetFileAttributesA(path);
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return FailWith(ERROR_ACCESS_DENIED);
    if (!WriteNewFile(fresh, text, size)) {
        DWORD error = GetLastError();
        DeleteFileA(fresh);
        return FailWith(error);
    }
    // Windows 9x has no rename over a file: the old file steps aside, the
    // new one takes its name, and the old one goes. Between the two renames
    // there is no WININIT.INI; a run that ends there leaves the old file
    // aside, under its fixed name, and the next run puts it back first
    // (RecoverWininit).
    if (exists && !MoveFileA(path, aside)) {
        DWORD error = GetLastError();
        DeleteFileA(fresh);
        return FailWith(error);
    }
    if (!MoveFileA(fresh, path)) {
        DWORD error = GetLastError();
        if (exists)
            MoveFileA(aside, path);
        DeleteFileA(fresh);
        return FailWith(error);
    }
    if (exists)
        DeleteFileA(aside);
    FlushProfileCache(path);
    return true;
}

void RecoverWininit()
{
    char path[PathSize], fresh[PathSize], aside[PathSize];
    if (!WininitPath(path) || !WininitPath(fresh, FreshName) || !WininitPath(aside, AsideName))
        return;
    if (IsFile(aside) && !(IsFile(path) ? DeleteOver(aside) : MoveFileA(aside, path)))
        return; // still aside: nothing is deleted that might be its only copy
    DeleteOver(fresh);
}
