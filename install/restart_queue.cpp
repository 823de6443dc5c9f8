#include "restart_queue.h"

#include "platform.h"
#include "rename_section.h"
#include "setup_state.h"

#include <stdlib.h>

namespace {

bool WriteAll(HANDLE file, const char *data, DWORD size)
{
    DWORD written = 0;
    return WriteFile(file, data, size, &written, NULL) && written == size;
}

// Writes the line into the [rename] section, from where it goes on: lines
// already there (other programs' too, several "NUL=" among them, which the
// profile functions would merge into one) stay as they are.
bool InsertRenameLine(HANDLE file, const char *destination, const char *source)
{
    DWORD size = GetFileSize(file, NULL);
    if (size == INVALID_FILE_SIZE)
        return false;
    char *text = static_cast<char *>(malloc(size + 1));
    if (!text) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    DWORD read = 0;
    bool done = false;
    if (ReadFile(file, text, size, &read, NULL) && read == size) {
        RenameInsertion at = FindRenameInsertion(text, size);
        char line[2 * PathSize + 16];
        if (!FormatRenameLine(line, sizeof line, at, destination, source))
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
        else if (SetFilePointer(file, LONG(at.Offset), NULL, FILE_BEGIN) !=
                 INVALID_SET_FILE_POINTER)
            done = WriteAll(file, line, DWORD(lstrlenA(line))) &&
                   WriteAll(file, text + at.Offset, DWORD(size - at.Offset));
    }
    free(text);
    return done;
}

bool AddRenameLine(const char *destination, const char *source)
{
    char path[PathSize];
    if (!BuildPath(path, sizeof path, "%s\\WININIT.INI", WindowsDirectory))
        return false;
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool done = InsertRenameLine(file, destination, source);
    DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return done;
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

// The restart moves from over to (to NULL: deletes from).
bool QueueForRestart(const char *from, const char *to)
{
    if (!RunsOnWindows9x())
        return MoveAtRestart(from, to);
    char shortFrom[PathSize], shortTo[PathSize];
    if (!ShortPath(from, shortFrom) || (to && !ShortPath(to, shortTo)))
        return false;
    return AddRenameLine(to ? shortTo : "NUL", shortFrom);
}

} // namespace

bool ReplaceAtRestart(const char *source, const char *destination)
{
    // The folder with its backslash, so that a drive's root stays "C:\".
    char folder[PathSize], copy[MAX_PATH];
    const char *cut = LastBackslash(destination);
    if (!cut || cut - destination >= PathSize - 1) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    lstrcpynA(folder, destination, int(cut - destination) + 2);
    if (!GetTempFileNameA(folder, "vel", 0, copy))
        return false;
    if (CopyFileA(source, copy, FALSE) && QueueForRestart(copy, destination))
        return true;
    DWORD error = GetLastError();
    DeleteFileA(copy);
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
