#include "install_files.h"
#include "install_steps.h"
#include "registry_data.h"
#include "setup_state.h"

namespace {

struct TextValue {
    const char *Name;
    const char *Data;
};

const TextValue SlotValues[] = {
    {"DevLoader", "*vmouse"},   {"DriverDesc", DeviceMarker},  {"InfPath", InfFileName},
    {"InfSection", "Rendal"},   {"MouseDriver", DriverFileName}, {"ProviderName", "Halvex"},
};

// Text without its terminating zero, as the driver's loader expects.
void SetText(HKEY key, const char *name, const char *text)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text), lstrlenA(text));
}

void SetBinary(HKEY key, const char *name, DWORD value)
{
    const BYTE bytes[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
    RegSetValueExA(key, name, 0, REG_BINARY, bytes, 4);
}

bool CopyDriverFile(const char *sourcePattern, const char *destinationPattern, const char *name)
{
    char source[PathSize], destination[DestinationSize];
    return BuildPath(source, sizeof source, sourcePattern, SourceDirectory, name) &&
           BuildPath(destination, sizeof destination, destinationPattern, WindowsDirectory, name) &&
           CopyOver(source, destination);
}

// The first slot whose key does not open, or the first that carries the
// device marker; -1 when all sixteen are taken by others.
int FindMouseSlot(char *path)
{
    for (int n = 0; n < MouseSlotCount; ++n) {
        wsprintfA(path, MouseSlotPattern, n);
        HKEY key;
        if (RegOpenKeyA(HKEY_LOCAL_MACHINE, path, &key) != ERROR_SUCCESS)
            return n;
        char description[DestinationSize];
        DWORD size = sizeof description;
        bool ours = RegQueryValueExA(key, "DriverDesc", NULL, NULL,
                                     reinterpret_cast<BYTE *>(description), &size) == ERROR_SUCCESS &&
                    IsDeviceMarker(description, size);
        RegCloseKey(key);
        if (ours)
            return n;
    }
    return -1;
}

} // namespace

int RegisterTouchDevice(HWND)
{
    if (!CopyDriverFile("%s\\%s", "%s\\inf\\%s", InfFileName))
        return -1;
    if (!CopyDriverFile("%s\\%s", "%s\\System\\%s", DriverFileName))
        return -1;

    char path[PathSize];
    int slot = FindMouseSlot(path);
    if (slot < 0)
        return -1;

    HKEY key;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, path, &key) != ERROR_SUCCESS)
        return -1;
    for (const TextValue &v : SlotValues)
        SetText(key, v.Name, v.Data);
    RegCloseKey(key);

    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, DeviceInstanceKey, &key) != ERROR_SUCCESS)
        return -1;
    char driver[16];
    wsprintfA(driver, "Mouse\\%04d", slot);
    SetBinary(key, "Capabilities", 0x24);
    SetText(key, "Class", "Mouse");
    SetText(key, "ClassGUID", "{4d36e96f-e325-11ce-bfc1-08002be10318}");
    SetBinary(key, "ConfigFlags", 0);
    SetText(key, "DeviceDesc", DeviceMarker);
    SetText(key, "Driver", driver);
    SetText(key, "Mfg", "Halvex");
    RegCloseKey(key);
    return 0;
}
