#include "install_files.h"

#include "path_format.h"
#include "setup_state.h"

#include <shlobj.h>

void ResolveInstallPaths()
{
    DWORD length = GetModuleFileNameA(NULL, SourceDirectory, sizeof SourceDirectory);
    if (length >= sizeof SourceDirectory)
        SourceDirectory[sizeof SourceDirectory - 1] = '\0';
    // Cut at the last backslash: A:\setup\install.exe gives A:\setup, and
    // A:\install.exe gives A: alone. A name without one (never from the
    // platform) leaves the current directory, ".".
    char *cut = NULL;
    for (char *p = SourceDirectory; *p; p = CharNextA(p))
        if (*p == '\\')
            cut = p;
    if (cut)
        *cut = '\0';
    else
        lstrcpyA(SourceDirectory, ".");
    GetWindowsDirectoryA(WindowsDirectory, sizeof WindowsDirectory);
}

bool BuildPath(char *out, int size, const char *pattern, const char *first, const char *second)
{
    if (FormatPath(out, size_t(size), pattern, first, second))
        return true;
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
}

bool CopyOver(const char *source, const char *destination)
{
    if (!source[0] || !destination[0]) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    SetFileAttributesA(destination, 0);
    return CopyFileA(source, destination, FALSE) != FALSE;
}

bool DeleteOver(const char *path)
{
    if (!path[0])
        return false;
    SetFileAttributesA(path, 0);
    return DeleteFileA(path) != FALSE;
}

void RemoveFolderFiles(const char *folder)
{
    char path[PathSize];
    WIN32_FIND_DATAA entry;
    HANDLE search = INVALID_HANDLE_VALUE;
    if (BuildPath(path, sizeof path, "%s\\*.*", folder))
        search = FindFirstFileA(path, &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (lstrcmpA(entry.cFileName, ".") == 0 || lstrcmpA(entry.cFileName, "..") == 0)
                continue;
            if (BuildPath(path, sizeof path, "%s\\%s", folder, entry.cFileName))
                DeleteOver(path);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder);
}

bool ResolveProgramsDirectory()
{
    ProgramsDirectory[0] = '\0';
    LPITEMIDLIST list = NULL;
    if (SHGetSpecialFolderLocation(NULL, CSIDL_PROGRAMS, &list) != S_OK || list == NULL)
        return false;
    BOOL found = SHGetPathFromIDListA(list, ProgramsDirectory);
    CoTaskMemFree(list);
    if (!found)
        ProgramsDirectory[0] = '\0';
    return ProgramsDirectory[0] != '\0';
}
