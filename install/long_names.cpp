#include "long_names.h"

#include "install_constants.h"
#include "platform.h"
#include "restart_queue.h"
#include "setup_registry.h"
#include "setup_state.h"

namespace {

// A file's own name: no way to another folder or drive, no wildcard.
bool IsPlainName(const char *name)
{
    if (!*name || LastBackslash(name))
        return false;
    for (const char *p = name; *p; ++p)
        if (*p == '/' || *p == ':' || *p == '*' || *p == '?')
            return false;
    return true;
}

// The path's folder (without its backslash) is this one, however spelled.
bool InFolder(const char *path, const char *pattern, const char *name)
{
    char folder[PathSize], known[PathSize];
    if (!FolderOf(path, folder) || !BuildPath(known, PathSize, pattern, WindowsDirectory, name))
        return false;
    folder[lstrlenA(folder) - 1] = '\0';
    return IsSameFolder(folder, known);
}

// The file at the 8.3 path has that name alone. The alias of a file with a
// long name finds that file, under its long name.
bool HasShortNameAlone(const char *shortPath)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(shortPath, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           lstrcmpiA(found.cFileName, FileNameOf(shortPath)) == 0;
}

// False when the record must stay: a leftover the wizard could not rename
// (an open Control Panel holds it) is the applet's only copy until the
// copy that follows, which a failed step may never reach; it waits for the
// next run. The uninstallation removes it, now or at the restart.
bool RestoreLongName(const char *shortPath, const char *longName, bool uninstalling)
{
    char folder[PathSize], longPath[PathSize];
    if (!IsPlainName(longName) || !IsPlainName(FileNameOf(shortPath)) ||
        !(InFolder(shortPath, "%s\\System", nullptr) ||
          InFolder(shortPath, "%s\\%s", ProductFolderName)) ||
        !HasShortNameAlone(shortPath) || !FolderOf(shortPath, folder) ||
        !BuildPath(longPath, PathSize, "%s%s", folder, longName))
        return true;
    if (uninstalling || IsFile(longPath))
        return DeleteOver(shortPath) || DeleteAtRestart(shortPath);
    return MoveFileA(shortPath, longPath) != FALSE;
}

} // namespace

void RestoreLongNames(bool uninstalling)
{
    HKEY key = OpenKey(HKEY_LOCAL_MACHINE, ShortNamesKeyPath);
    if (!key)
        return;
    char shortPath[PathSize], longName[PathSize];
    DWORD index = 0;
    while (ReadValueName(key, index, shortPath, sizeof shortPath)) {
        DWORD size = sizeof longName - 1;
        bool done = true;
        if (ReadValue(key, shortPath, longName, &size)) {
            longName[size] = '\0';
            done = RestoreLongName(shortPath, longName, uninstalling);
        }
        if (!done || !DeleteValue(key, shortPath))
            ++index;
    }
    CloseKey(key);
    if (index > 0 || !DeleteKeyTree(HKEY_LOCAL_MACHINE, ShortNamesKeyPath))
        return;
    // The setup's own key goes too once nothing else is in it.
    if (HKEY setup = OpenKey(HKEY_LOCAL_MACHINE, SetupKeyPath)) {
        char name[MAX_PATH];
        bool empty = !ReadSubkeyName(setup, 0, name, sizeof name) &&
                     !ReadValueName(setup, 0, name, sizeof name);
        CloseKey(setup);
        if (empty)
            DeleteKeyTree(HKEY_LOCAL_MACHINE, SetupKeyPath);
    }
}
