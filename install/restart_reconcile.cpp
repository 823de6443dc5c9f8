#include "restart_reconcile.h"

#include "driver_contract.h"
#include "install_constants.h"
#include "long_names.h"
#include "platform.h"
#include "rename_section.h"
#include "setup_registry.h"
#include "setup_state.h"
#include "wininit_file.h"

#include <stdlib.h>

namespace {

const char SessionManagerKey[] = "System\\CurrentControlSet\\Control\\Session Manager";
const WCHAR PendingRenamesName[] = L"PendingFileRenameOperations";
const char PendingRenamesNameA[] = "PendingFileRenameOperations";

// A path in the form every comparison takes: the 8.3 form of an existing
// file, else its folder's 8.3 form and its name as given. So the long and
// the short spelling of one file, in any case, compare equal.
bool ComparablePath(const char *path, char *out)
{
    if (ShortPath(path, out))
        return true;
    char folder[PathSize], shortFolder[PathSize];
    return FolderOf(path, folder) && ShortPath(folder, shortFolder) &&
           BuildPath(out, PathSize, "%s%s", shortFolder, LastBackslash(path) + 1);
}

bool SamePath(const char *path, const char *pattern, const char *name = nullptr)
{
    char built[PathSize], known[PathSize];
    return BuildPath(built, PathSize, pattern, WindowsDirectory, name) &&
           ComparablePath(built, known) && lstrcmpiA(path, known) == 0;
}

// The product folder itself, or a file directly inside it.
bool InProductFolder(const char *path)
{
    char built[PathSize], folder[PathSize], parent[PathSize];
    if (!BuildPath(built, PathSize, "%s\\%s", WindowsDirectory, ProductFolderName) ||
        !ComparablePath(built, folder))
        return false;
    return lstrcmpiA(path, folder) == 0 ||
           (FolderOf(path, parent) && BuildPath(built, PathSize, "%s\\", folder) &&
            lstrcmpiA(parent, built) == 0);
}

bool NamesPackageFile(const PendingOperation &op)
{
    char target[PathSize];
    if (!op.Target[0] || !ComparablePath(op.Target, target))
        return false;
    return InProductFolder(target) || SamePath(target, "%s\\%s", CalibratorFileName) ||
           SamePath(target, "%s\\%s", CursorFileName) ||
           SamePath(target, "%s\\System\\%s", DriverFileName) ||
           SamePath(target, "%s\\inf\\%s", InfFileName) ||
           SamePath(target, "%s\\System\\%s", AppletFileName);
}

typedef bool (*NextOperation)(const char *, size_t, size_t *, PendingOperation *);

// After the dropped operations are gone from the queue: the copies they
// would have moved into place, read-only ones too (from a floppy).
void DeleteDroppedCopies(const char *text, size_t length, NextOperation next)
{
    size_t cursor = 0;
    PendingOperation op;
    while (next(text, length, &cursor, &op)) {
        const char *cut = LastBackslash(op.Source);
        if (cut && IsRestartCopyName(cut + 1) && NamesPackageFile(op))
            DeleteOver(op.Source);
    }
}

bool ReconcileWininit()
{
    char *text;
    DWORD size;
    if (!ReadWininit(&text, &size))
        return false;
    char *kept = static_cast<char *>(malloc(size + 1));
    bool done = false;
    if (!kept) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } else {
        DWORD keptSize = DWORD(DropPendingOperations(text, size, NextRenameLine, NamesPackageFile, kept));
        done = keptSize == size || WriteWininit(kept, keptSize);
        if (done)
            DeleteDroppedCopies(text, size, NextRenameLine);
    }
    free(kept);
    free(text);
    return done;
}

// A name of NT's list in the code page; "" for one it cannot hold, which
// names none of the package's files. NT puts some characters into the code
// page as look-alikes without saying so: only a name that comes back whole
// is taken.
void Narrow(const uint16_t *wide, char *out)
{
    BOOL lossy = FALSE;
    WCHAR back[PendingNameSize];
    bool whole = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(wide), -1, out,
                                     int(PendingNameSize), NULL, &lossy) &&
                 !lossy && MultiByteToWideChar(CP_ACP, 0, out, -1, back, int(PendingNameSize));
    for (size_t i = 0; whole && (wide[i] || back[i]); ++i)
        whole = back[i] == wide[i];
    if (!whole)
        out[0] = '\0';
}

bool NextPendingRenameNarrowed(const char *data, size_t length, size_t *cursor,
                               PendingOperation *op)
{
    if (!NextPendingRename(data, length, cursor, op))
        return false;
    Narrow(op->WideTarget, op->Target);
    Narrow(op->WideSource, op->Source);
    return true;
}

// Read and written in UTF-16, as NT keeps it: the ANSI calls would turn
// another program's names outside the code page into "?" and write them
// back so.
bool ReconcilePendingRenames()
{
    HKEY key = OpenKeyFullAccess(HKEY_LOCAL_MACHINE, SessionManagerKey);
    if (!key)
        return true; // nothing queued
    DWORD size = 0;
    char *data = NULL, *kept = NULL;
    LONG status = ReadWideValue(key, PendingRenamesName, NULL, &size);
    if (status == ERROR_FILE_NOT_FOUND) {
        status = ERROR_SUCCESS; // none queued
    } else if (status == ERROR_SUCCESS) {
        // Zeros after what is read, so that a list cut short still ends.
        data = static_cast<char *>(calloc(size + 4, 1));
        kept = static_cast<char *>(malloc(size + 4));
        status = data && kept ? ReadWideValue(key, PendingRenamesName, data, &size)
                              : LONG(ERROR_NOT_ENOUGH_MEMORY);
    }
    if (data && kept && status == ERROR_SUCCESS) {
        size_t end = 0, cursor = 0;
        PendingOperation op;
        while (NextPendingRenameNarrowed(data, size + 4, &cursor, &op))
            end = cursor;
        size_t keptSize =
            DropPendingOperations(data, end, NextPendingRenameNarrowed, NamesPackageFile, kept);
        if (keptSize == 0 && end > 0) {
            if (!DeleteValue(key, PendingRenamesNameA))
                status = ERROR_ACCESS_DENIED;
        } else if (keptSize != end) {
            kept[keptSize++] = '\0'; // the empty name that ends the list
            kept[keptSize++] = '\0';
            status = WriteWideMultiText(key, PendingRenamesName, kept, DWORD(keptSize));
        }
        if (status == ERROR_SUCCESS)
            DeleteDroppedCopies(data, end, NextPendingRenameNarrowed);
    }
    free(kept);
    free(data);
    CloseKey(key);
    SetLastError(DWORD(status));
    return status == ERROR_SUCCESS;
}

} // namespace

bool ReconcileRestartQueue(bool uninstalling)
{
    if (!(RunsOnWindows9x() ? ReconcileWininit() : ReconcilePendingRenames()))
        return false;
    RestoreLongNames(uninstalling);
    return true;
}
