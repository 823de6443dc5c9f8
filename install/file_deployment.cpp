#include "driver_contract.h"
#include "file_deployment.h"
#include "install_files.h"
#include "setup_registry.h"
#include "setup_state.h"

namespace {

// The source directory's file of that name, and where it goes.
void SourceAndDestination(const char *name, const char *destinationPattern, char *source,
                          char *destination)
{
    if (!BuildPath(source, PathSize, "%s\\%s", SourceDirectory, name) ||
        !BuildPath(destination, DestinationSize, destinationPattern, WindowsDirectory, name))
        source[0] = destination[0] = '\0';
}

bool CopyFromSource(const char *name, const char *destinationPattern)
{
    char source[PathSize], destination[DestinationSize];
    SourceAndDestination(name, destinationPattern, source, destination);
    return CopyOver(source, destination);
}

// An open Control Panel holds the applet, and could write its old settings
// back over the new port: whenever the copy fails, even over the same bytes,
// the user is asked to close it; a copy that fails again is finished at the
// restart.
bool CopyApplet(HWND page)
{
    char source[PathSize], destination[DestinationSize];
    SourceAndDestination(AppletFileName, "%s\\System\\%s", source, destination);
    if (CopyNow(source, destination))
        return true;
    MessageBoxA(page, "Please Close \"Control Panel\"", "Warnning", MB_OK);
    return CopyOver(source, destination);
}

// Every entry of the source directory into the product folder; on a failed
// copy, one attempt to remove the folder (only an empty one goes). Setup
// started again from the product folder (for another COM port) has nothing
// to copy there: each file would be copied onto itself, which fails (80 on
// Windows 9x, 32 on NT) and would clear the files' attributes for nothing.
bool CopySourceDirectory(const char *folder)
{
    if (IsSameFolder(SourceDirectory, folder))
        return true;
    char pattern[PathSize];
    WIN32_FIND_DATAA entry;
    if (!BuildPath(pattern, sizeof pattern, "%s\\*.*", SourceDirectory))
        return true; // no search could start: nothing to copy, as when it finds nothing
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    do {
        if (lstrcmpA(entry.cFileName, ".") == 0 || lstrcmpA(entry.cFileName, "..") == 0)
            continue;
        if (!CopyFromSource(entry.cFileName, "%s\\VelmoraScreen\\%s")) {
            DWORD error = GetLastError();
            FindClose(search);
            if (folder[0])
                RemoveDirectoryA(folder);
            SetLastError(error); // the copy's error is the one to report
            return false;
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return true;
}

bool WriteDefaults()
{
    HKEY key = OpenOrCreateKey(HKEY_LOCAL_MACHINE, StoreKeyPath);
    if (!key)
        return false;
    for (int i = 0; i < ParameterCount; ++i)
        WriteDword(key, ParameterDefaults[i].Name,
                   i == PortParameterIndex ? SelectedPort : ParameterDefaults[i].Value);
    CloseKey(key);
    return true;
}

} // namespace

int DeployFiles(HWND page)
{
    char folder[DestinationSize];
    if (BuildPath(folder, sizeof folder, "%s\\%s", WindowsDirectory, ProductFolderName))
        CreateDirectoryA(folder, NULL);
    else
        folder[0] = '\0';
    if (!CopySourceDirectory(folder))
        return StepFailed;

    // A single file that does not copy still leaves the others and the
    // driver's settings in place: without them the driver would start with
    // no port, however complete the installation is reported.
    bool complete = CopyApplet(page);
    complete = CopyFromSource(CalibratorFileName, "%s\\%s") && complete;
    complete = CopyFromSource(CursorFileName, "%s\\%s") && complete;
    if (!WriteDefaults())
        return StepFailed;
    return complete ? StepDone : StepStoppedEarly;
}
