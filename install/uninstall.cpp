#include "driver_contract.h"
#include "install_files.h"
#include "registry_data.h"
#include "restart_reconcile.h"
#include "setup_registry.h"
#include "setup_state.h"
#include "uninstall.h"

namespace {

void RemoveWindowsFile(const char *pattern)
{
    char path[PathSize];
    if (BuildPath(path, sizeof path, pattern, WindowsDirectory))
        DeleteNowOrAtRestart(path);
}

} // namespace

int UninstallPackage()
{
    int result = 0;
    ResolveInstallPaths();
    // A replacement an installation left for the restart would bring a file
    // back, and a deletion queued before would find nothing: what the
    // restart still holds of the package is dropped first. Where it cannot
    // be, the restart would undo part of this removal: a failure.
    if (!ReconcileRestartQueue(true))
        result = -1;

    // The class slot the device entry names. Anyone could have changed that
    // value, so only a slot the installation could have made is deleted; a
    // missing or other value counts as a failed deletion.
    char driver[DestinationSize];
    DWORD driverSize = 0;
    if (HKEY key = OpenKey(HKEY_LOCAL_MACHINE, DeviceInstanceKey)) {
        driverSize = sizeof driver;
        if (!ReadValue(key, "Driver", driver, &driverSize))
            driverSize = 0;
        CloseKey(key);
    } else {
        result = -1;
    }

    if (!DeleteKeyTree(HKEY_LOCAL_MACHINE, DeviceKey))
        result = -1;

    char slot[PathSize];
    bool slotDeleted = false;
    if (IsClassSlotName(driver, driverSize)) {
        driver[10] = '\0'; // "Mouse\NNNN", checked above
        slotDeleted = BuildPath(slot, sizeof slot, "%s\\%s", MouseClassKey, driver) &&
                      DeleteKeyTree(HKEY_LOCAL_MACHINE, slot);
    }
    if (!slotDeleted)
        result = -1;

    RemoveWindowsFile("%s\\System\\kaltex.vxd");
    RemoveWindowsFile("%s\\inf\\kaltex.inf");
    RemoveWindowsFile("%s\\Zentrim.exe");

    // Uninstalled before the restart, the hand-off would name the copy just
    // deleted, and Windows 98 would complain of it at the next logon.
    if (HKEY key = OpenKey(HKEY_CURRENT_USER, RunOnceKeyPath)) {
        DeleteValue(key, RunOnceValueName);
        CloseKey(key);
    }

    char applet[PathSize];
    if (BuildPath(applet, sizeof applet, "%s\\System\\%s", WindowsDirectory, AppletFileName) &&
        !DeleteOver(applet)) {
        // The control panel holds the applet while it is open; left open,
        // it goes at the restart.
        if (GetFileAttributesA(applet) != INVALID_FILE_ATTRIBUTES) {
            MessageBoxA(NULL, "Velmora uninstall program: Please close \"Control panel\"",
                        "Warning", MB_OK);
            DeleteNowOrAtRestart(applet);
        }
    }

    char group[PathSize];
    if (ResolveProgramsDirectory() &&
        BuildPath(group, sizeof group, "%s\\%s", ProgramsDirectory, ProgramGroupName))
        RemoveFolderFiles(group);

    // The product folder, not the folder the program was started from: that
    // may be the user's download folder or a floppy's root.
    RemoveProductFolder();
    return result;
}
