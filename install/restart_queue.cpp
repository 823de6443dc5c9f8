#include "restart_queue.h"

#include "platform.h"
#include "rename_section.h"
#include "setup_registry.h"
#include "setup_state.h"
#include "wininit_file.h"

#include <stdlib.h>
#include <string.h>

namespace {

// Writes the line into the [rename] section, from where it goes on: lines
// already there (other programs' too, several "NUL=" among them, which the
// profile functions would merge into one) stay as they are.
bool AddRenameLine(const char *destination, const char *source)
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

// The restart will leave the file at longPath under its 8.3 path alone:
// recorded for the next run (long_names.h), unless its name is its 8.3 name
// anyway (case aside: Velmora.hlp as VELMORA.HLP is found all the same).
bool RecordShortName(const char *longPath, const char *shortPath)
{
    const char *longName = FileNameOf(longPath);
    if (lstrcmpiA(longName, FileNameOf(shortPath)) == 0)
        return true;
    HKEY key = OpenOrCreateKey(HKEY_LOCAL_MACHINE, ShortNamesKeyPath);
    bool written = key && WriteText(key, shortPath, longName);
    if (key)
        CloseKey(key);
    if (!written)
        SetLastError(ERROR_WRITE_FAULT);
    return written;
}

void ForgetShortName(const char *shortPath)
{
    if (HKEY key = OpenKey(HKEY_LOCAL_MACHINE, ShortNamesKeyPath)) {
        DeleteValue(key, shortPath);
        CloseKey(key);
    }
}

// MoveFileExA, looked up when it is called: Windows 95/98/ME do not
// implement it, and a program that imported it might not load there.
bool MoveAtRestart(const char *from, const char *to)
{
    typedef BOOL(WINAPI * MoveFileExProc)(LPCSTR, LPCSTR, DWORD);
    FARPROC found = GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "MoveFileExA");
    if (!found) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return false;
    }
    MoveFileExProc move = reinterpret_cast<MoveFileExProc>(reinterpret_cast<void (*)()>(found));
    DWORD flags = MOVEFILE_DELAY_UNTIL_REBOOT | (to ? MOVEFILE_REPLACE_EXISTING : 0);
    return move(from, to, flags) != FALSE;
}

// The restart moves from over to (to NULL: deletes from). Both names short
// on 9x: WININIT runs before long names exist.
bool QueueForRestart(const char *from, const char *to)
{
    if (!RunsOnWindows9x())
        return MoveAtRestart(from, to);
    char shortFrom[PathSize], shortTo[PathSize];
    if (!ShortPath(from, shortFrom) || (to && !ShortPath(to, shortTo)))
        return false;
    if (to && !RecordShortName(to, shortTo))
        return false;
    if (AddRenameLine(to ? shortTo : "NUL", shortFrom))
        return true;
    DWORD error = GetLastError();
    if (to)
        ForgetShortName(shortTo);
    SetLastError(error);
    return false;
}

} // namespace

bool ReplaceAtRestart(const char *source, const char *destination)
{
    char folder[PathSize], copy[MAX_PATH];
    if (!FolderOf(destination, folder) || !GetTempFileNameA(folder, "vel", 0, copy))
        return false;
    // Copied as a new file, which takes the source's attributes on every
    // system alike: from a floppy it is read-only.
    DeleteFileA(copy);
    if (CopyFileA(source, copy, FALSE) && QueueForRestart(copy, destination))
        return true;
    DWORD error = GetLastError();
    DeleteOver(copy);
    SetLastError(error);
    return false;
}

bool DeleteAtRestart(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        RunsOnWindows9x()) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return false;
    }
    return QueueForRestart(path, NULL);
}
