#include "restart_queue.h"

#include "platform.h"
#include "setup_registry.h"
#include "setup_state.h"
#include "wininit_file.h"


namespace {

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
    if (AddWininitLine(to ? shortTo : "NUL", shortFrom))
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
