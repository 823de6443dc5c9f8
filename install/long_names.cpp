#include "long_names.h"

#include "driver_contract.h"
#include "platform.h"
#include "rename_section.h"
#include "setup_logic.h"
#include "setup_registry.h"
#include "setup_state.h"
#include "wininit_file.h"

#include <stdlib.h>
#include <string.h>

namespace {

const int ValueNameSize = 256;
const int CommandSize = 2 * PathSize + 32;

bool ValueNameFor(const char *shortPath, char *name)
{
    return BuildPath(name, ValueNameSize, "%s%s", LongNameValuePrefix, shortPath);
}

const char *FileNameOf(const char *path)
{
    const char *cut = LastBackslash(path);
    return cut ? cut + 1 : path;
}

// The long name in the folder of the 8.3 path; false for a long name that
// is no file name.
bool LongPathBeside(const char *shortPath, const char *longName, char *longPath)
{
    char folder[PathSize];
    return *longName && !LastBackslash(longName) && FolderOf(shortPath, folder) &&
           BuildPath(longPath, PathSize, "%s%s", folder, longName);
}

// WININIT.INI still holds a line that moves a file to that 8.3 path.
bool AwaitsRestart(const char *shortPath)
{
    char *text;
    DWORD size;
    if (!ReadWininit(&text, &size))
        return false;
    size_t cursor = 0;
    PendingOperation op;
    bool found = false;
    while (!found && NextRenameLine(text, size, &cursor, &op))
        found = op.Source[0] && lstrcmpiA(op.Target, shortPath) == 0;
    free(text);
    return found;
}

} // namespace

bool QueueLongNameRestore(const char *longPath, const char *shortPath)
{
    const char *longName = FileNameOf(longPath);
    if (lstrcmpiA(longName, FileNameOf(shortPath)) == 0)
        return true;
    // The product folder's copy of the setup, named as the restart's line
    // names every file: by its 8.3 path.
    char folderCopy[PathSize], installer[PathSize], first[CommandSize], command[CommandSize];
    char name[ValueNameSize];
    if (!BuildPath(folderCopy, PathSize, "%s\\%s\\install.exe", WindowsDirectory,
                   ProductFolderName) ||
        !ShortPath(folderCopy, installer) ||
        !BuildPath(first, CommandSize, "\"%s\" %s", installer, LongNameSwitch) ||
        !BuildPath(command, CommandSize, "%s \"%s\"", first, longName) ||
        !BuildPath(first, CommandSize, "%s %s", command, shortPath) ||
        !ValueNameFor(shortPath, name))
        return false;
    HKEY key = OpenOrCreateKey(HKEY_LOCAL_MACHINE, RunOnceKeyPath);
    if (!key) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    bool written = WriteText(key, name, first);
    CloseKey(key);
    if (!written)
        SetLastError(ERROR_WRITE_FAULT);
    return written;
}

void ForgetLongNameRestore(const char *shortPath)
{
    char name[ValueNameSize];
    if (!ValueNameFor(shortPath, name))
        return;
    if (HKEY key = OpenKey(HKEY_LOCAL_MACHINE, RunOnceKeyPath)) {
        DeleteValue(key, name);
        CloseKey(key);
    }
}

void RestoreLongName(const char *shortPath, const char *longName)
{
    char longPath[PathSize], shortOfLong[PathSize];
    if (!LongPathBeside(shortPath, longName, longPath) || !IsFile(shortPath))
        return;
    if (!IsFile(longPath))
        MoveFileA(shortPath, longPath);
    else if (ShortPath(longPath, shortOfLong) && lstrcmpiA(shortOfLong, shortPath) != 0)
        DeleteOver(shortPath);
}

void RunLongNameCommand(const char *shortPath, const char *longName)
{
    if (!AwaitsRestart(shortPath)) {
        RestoreLongName(shortPath, longName);
        return;
    }
    // Queued again, as it was; the long path only lends it its name.
    char longPath[PathSize];
    if (LongPathBeside(shortPath, longName, longPath))
        QueueLongNameRestore(longPath, shortPath);
}

void RestoreQueuedLongNames()
{
    HKEY key = OpenKey(HKEY_LOCAL_MACHINE, RunOnceKeyPath);
    if (!key)
        return;
    const size_t prefixLength = sizeof LongNameValuePrefix - 1;
    char name[ValueNameSize], command[CommandSize], longName[PathSize], shortPath[PathSize];
    DWORD index = 0;
    while (ReadValueName(key, index, name, sizeof name)) {
        if (strncmp(name, LongNameValuePrefix, prefixLength) != 0) {
            ++index;
            continue;
        }
        DWORD size = sizeof command - 1;
        if (ReadValue(key, name, command, &size)) {
            command[size] = '\0';
            if (ParseLongNameTail(CommandLineTail(command), longName, sizeof longName, shortPath,
                                  sizeof shortPath))
                RestoreLongName(shortPath, longName);
        }
        if (!DeleteValue(key, name))
            ++index;
    }
    CloseKey(key);
}
