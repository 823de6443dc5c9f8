#include "platform.h"

#include "install_constants.h"
#include "path_format.h"

bool BuildPath(char *out, int size, const char *pattern, const char *first, const char *second)
{
    if (FormatPath(out, size_t(size), pattern, first, second))
        return true;
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
}

const char *LastBackslash(const char *path)
{
    // By characters: in a double-byte code page such as 936 a trail byte can
    // be 0x5C, and is no backslash.
    const char *found = NULL;
    for (const char *p = path; *p; p = CharNextA(p))
        if (*p == '\\')
            found = p;
    return found;
}

const char *FileNameOf(const char *path)
{
    const char *cut = LastBackslash(path);
    return cut ? cut + 1 : path;
}

bool FolderOf(const char *path, char *folder)
{
    const char *cut = LastBackslash(path);
    if (!cut || cut - path >= PathSize - 1) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    lstrcpynA(folder, path, int(cut - path) + 2);
    return true;
}

bool ShortPath(const char *path, char *out)
{
    DWORD length = GetShortPathNameA(path, out, PathSize);
    if (length > 0 && length < DWORD(PathSize))
        return true;
    if (length != 0)
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
}

bool IsSameFolder(const char *first, const char *second)
{
    // Windows 98 may hand a program its path in the 8.3 form, in any case:
    // both spellings are taken to their short form and compared without case.
    char a[PathSize], b[PathSize];
    return ShortPath(first, a) && ShortPath(second, b) && lstrcmpiA(a, b) == 0;
}

bool IsFile(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteOver(const char *path)
{
    if (!path[0])
        return false;
    SetFileAttributesA(path, 0);
    return DeleteFileA(path) != FALSE;
}

bool RunsOnWindows9x()
{
    return (GetVersion() & 0x80000000) != 0;
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
