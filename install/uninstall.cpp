#include "driver_contract.h"
#include "install_files.h"
#include "install_steps.h"
#include "registry_data.h"
#include "setup_state.h"

namespace {

// Deletes a key with all its subkeys, as RegDeleteKeyA does on Windows 98/ME;
// built from calls Windows 98 has, since on NT RegDeleteKeyA leaves a key
// with subkeys alone.
bool DeleteKeyTree(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyA(root, path, &key) != ERROR_SUCCESS)
        return false;
    char child[PathSize];
    char childPath[PathSize];
    const char *slash = LastBackslash(path);
    const char *joint = slash && slash[1] == '\0' ? "%s%s" : "%s\\%s";
    while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS) {
        if (!BuildPath(childPath, sizeof childPath, joint, path, child) ||
            !DeleteKeyTree(root, childPath))
            break;
    }
    RegCloseKey(key);
    return RegDeleteKeyA(root, path) == ERROR_SUCCESS;
}

void RemoveWindowsFile(const char *pattern)
{
    char path[PathSize];
    if (BuildPath(path, sizeof path, pattern, WindowsDirectory))
        DeleteOver(path);
}

} // namespace

int UninstallPackage()
{
    int result = 0;
    ResolveInstallPaths();

    // The class slot the device entry names. Anyone could have changed that
    // value, so only a slot the installation could have made is deleted; a
    // missing or other value counts as a failed deletion.
    char driver[DestinationSize];
    DWORD driverSize = 0;
    HKEY key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, DeviceInstanceKey, &key) == ERROR_SUCCESS) {
        driverSize = sizeof driver;
        if (RegQueryValueExA(key, "Driver", NULL, NULL, reinterpret_cast<BYTE *>(driver),
                             &driverSize) != ERROR_SUCCESS)
            driverSize = 0;
        RegCloseKey(key);
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
    if (RegOpenKeyA(HKEY_CURRENT_USER, RunOnceKeyPath, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, RunOnceValueName);
        RegCloseKey(key);
    }

    char applet[PathSize];
    if (BuildPath(applet, sizeof applet, "%s\\System\\%s", WindowsDirectory, AppletFileName) &&
        !DeleteOver(applet)) {
        // The control panel holds the applet while it is open.
        if (GetFileAttributesA(applet) != INVALID_FILE_ATTRIBUTES) {
            MessageBoxA(NULL, "Velmora uninstall program: Please close \"Control panel\"",
                        "Warning", MB_OK);
            DeleteOver(applet);
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
