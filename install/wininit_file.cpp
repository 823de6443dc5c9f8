#include "wininit_file.h"

#include "platform.h"
#include "rename_section.h"
#include "setup_state.h"

#include <stdlib.h>
#include <string.h>

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

namespace {

// Another program wrote WININIT.INI after a run ended between the two
// renames: the stepped-aside text goes back, and that program's lines join
// it.
bool MergeAside(const char *path, const char *fresh, const char *aside)
{
    char *foreign;
    DWORD size;
    if (!ReadWininit(&foreign, &size))
        return false;
    bool done = DeleteOver(fresh) && MoveFileA(path, fresh) && MoveFileA(aside, path);
    size_t cursor = 0;
    PendingOperation op;
    while (done && NextRenameLine(foreign, size, &cursor, &op))
        done = op.Source[0] ? AddWininitLine(op.Target, op.Source) : AddWininitLine("NUL", op.Target);
    free(foreign);
    return done;
}

// A file stepped aside and not yet gone: put back when no WININIT.INI took
// its place, joined to one another program wrote since the new text was
// left unused, deleted when the new text took its place. False while it is
// still there.
bool SettleAside(const char *path, const char *fresh, const char *aside)
{
    if (!IsFile(aside))
        return true;
    if (!IsFile(path))
        return MoveFileA(aside, path) != FALSE;
    if (IsFile(fresh))
        return MergeAside(path, fresh, aside);
    return DeleteOver(aside);
}

bool WininitPaths(char *path, char *fresh, char *aside)
{
    return WininitPath(path) && WininitPath(fresh, FreshName) && WininitPath(aside, AsideName);
}

} // namespace

bool WriteWininit(const char *text, DWORD size)
{
    char path[PathSize], fresh[PathSize], aside[PathSize];
    if (!WininitPaths(path, fresh, aside))
        return false;
    if (!SettleAside(path, fresh, aside))
        return FailWith(ERROR_ALREADY_EXISTS);
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
    // aside, under its fixed name, and the next run puts it back first.
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
        DeleteFileA(aside); // one left goes before the next write
    FlushProfileCache(path);
    return true;
}

bool AddWininitLine(const char *destination, const char *source)
{
    char *text;
    DWORD size;
    if (!ReadWininit(&text, &size))
        return false;
    RenameInsertion at = FindRenameInsertion(text, size);
    char line[2 * PathSize + 16];
    char *edited = NULL;
    bool done = false;
    if (!FormatRenameLine(line, sizeof line, at, destination, source)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
    } else if (!(edited = static_cast<char *>(malloc(size + sizeof line)))) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } else {
        DWORD lineSize = DWORD(lstrlenA(line));
        memcpy(edited, text, at.Offset);
        memcpy(edited + at.Offset, line, lineSize);
        memcpy(edited + at.Offset + lineSize, text + at.Offset, size - at.Offset);
        done = WriteWininit(edited, size + lineSize);
    }
    free(edited);
    free(text);
    return done;
}

void RecoverWininit()
{
    char path[PathSize], fresh[PathSize], aside[PathSize];
    if (WininitPaths(path, fresh, aside) && SettleAside(path, fresh, aside))
        DeleteOver(fresh);
}
