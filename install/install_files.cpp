#include "install_files.h"

#include "restart_queue.h"
#include "setup_state.h"

#include <shlobj.h>

namespace {

// The running program's path; "" when it does not fit.
void RunningProgramPath(char *path)
{
    DWORD length = GetModuleFileNameA(NULL, path, PathSize);
    if (length == 0 || length >= DWORD(PathSize))
        path[0] = '\0';
}

} // namespace

void ResolveInstallPaths()
{
    RunningProgramPath(SourceDirectory);
    // Cut at the last backslash: A:\setup\install.exe gives A:\setup, and
    // A:\install.exe gives A: alone. A name without one (never from the
    // platform) leaves the current directory, ".".
    if (const char *cut = LastBackslash(SourceDirectory))
        SourceDirectory[cut - SourceDirectory] = '\0';
    else
        lstrcpyA(SourceDirectory, ".");
    GetWindowsDirectoryA(WindowsDirectory, sizeof WindowsDirectory);
}

namespace {

// Shared for reading and writing, so that a file another program holds open,
// a running program's image among them, can still be read.
HANDLE OpenToRead(const char *path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
}

bool SameBytes(HANDLE first, HANDLE second)
{
    if (GetFileSize(first, NULL) != GetFileSize(second, NULL))
        return false;
    BYTE a[4096], b[4096];
    for (;;) {
        DWORD gotA = 0, gotB = 0;
        if (!ReadFile(first, a, sizeof a, &gotA, NULL) ||
            !ReadFile(second, b, sizeof b, &gotB, NULL) || gotA != gotB)
            return false;
        if (gotA == 0)
            return true;
        for (DWORD i = 0; i < gotA; ++i)
            if (a[i] != b[i])
                return false;
    }
}

// The same bytes in both. A destination that cannot be read is not known
// to be in place, whatever its size and time.
bool HasSameContent(const char *source, const char *destination)
{
    HANDLE a = OpenToRead(source);
    if (a == INVALID_HANDLE_VALUE)
        return false;
    HANDLE b = OpenToRead(destination);
    bool same = b != INVALID_HANDLE_VALUE && SameBytes(a, b);
    if (b != INVALID_HANDLE_VALUE)
        CloseHandle(b);
    CloseHandle(a);
    return same;
}

} // namespace

bool CopyNow(const char *source, const char *destination)
{
    if (!source[0] || !destination[0]) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    SetFileAttributesA(destination, 0);
    return CopyFileA(source, destination, FALSE) != FALSE;
}

bool CopyOver(const char *source, const char *destination)
{
    if (CopyNow(source, destination))
        return true;
    // A program holds the destination open: setup run again while lokrit.exe
    // runs from the product folder, or with the help file open (Windows 9x
    // refuses such a copy however the file is shared). A destination that
    // already holds the source's bytes is in place; any other is replaced
    // at the restart the setup ends with.
    DWORD error = GetLastError();
    if (!destination[0] || !IsFile(destination)) {
        SetLastError(error);
        return false;
    }
    return HasSameContent(source, destination) || ReplaceAtRestart(source, destination);
}

bool DeleteNowOrAtRestart(const char *path)
{
    return DeleteOver(path) || !path[0] || !IsFile(path) || DeleteAtRestart(path);
}

void RemoveFolderFiles(const char *folder)
{
    char path[PathSize];
    WIN32_FIND_DATAA entry;
    HANDLE search = INVALID_HANDLE_VALUE;
    bool heldFiles = false;
    if (BuildPath(path, sizeof path, "%s\\*.*", folder))
        search = FindFirstFileA(path, &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            // Subfolders stay, with whatever they hold.
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            if (BuildPath(path, sizeof path, "%s\\%s", folder, entry.cFileName) &&
                !DeleteOver(path) && IsFile(path))
                heldFiles = DeleteAtRestart(path) || heldFiles;
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    // A folder that keeps a held file goes at the restart, after it, where
    // the system can remove folders then (Windows NT).
    if (!RemoveDirectoryA(folder) && heldFiles)
        DeleteAtRestart(folder);
}

void RemoveProductFolder()
{
    char folder[PathSize];
    if (BuildPath(folder, sizeof folder, "%s\\%s", WindowsDirectory, ProductFolderName))
        RemoveFolderFiles(folder);
}

bool ResolveProgramsDirectory()
{
    ProgramsDirectory[0] = '\0';
    LPITEMIDLIST list = NULL;
    if (SHGetSpecialFolderLocation(NULL, CSIDL_PROGRAMS, &list) != S_OK || list == NULL)
        return false;
    BOOL found = SHGetPathFromIDListA(list, ProgramsDirectory);
    // The list is the shell's: on Windows 95/98/ME only the shell's allocator
    // may free it, and COM need not even be started.
    IMalloc *shellMalloc = NULL;
    if (SUCCEEDED(SHGetMalloc(&shellMalloc))) {
        shellMalloc->Free(list);
        shellMalloc->Release();
    }
    if (!found)
        ProgramsDirectory[0] = '\0';
    return ProgramsDirectory[0] != '\0';
}
