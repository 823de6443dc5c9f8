#include "device_registration.h"
#include "install_files.h"
#include "registry_data.h"
#include "setup_registry.h"
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
        HKEY key = OpenKey(HKEY_LOCAL_MACHINE, path);
        if (!key)
            return n;
        char description[DestinationSize];
        DWORD size = sizeof description;
        bool ours = ReadValue(key, "DriverDesc", description, &size) && IsDeviceMarker(description, size);
        CloseKey(key);
        if (ours)
            return n;
    }
    return -1;
}

} // namespace

int RegisterTouchDevice(HWND)
{
    if (!CopyDriverFile("%s\\%s", "%s\\inf\\%s", InfFileName))
        return StepFailed;
    if (!CopyDriverFile("%s\\%s", "%s\\System\\%s", DriverFileName))
        return StepFailed;

    char path[PathSize];
    int slot = FindMouseSlot(path);
    if (slot < 0)
        return StepFailed;

    HKEY key = CreateKey(HKEY_LOCAL_MACHINE, path);
    if (!key)
        return StepFailed;
    for (const TextValue &v : SlotValues)
        WriteText(key, v.Name, v.Data);
    CloseKey(key);

    key = CreateKey(HKEY_LOCAL_MACHINE, DeviceInstanceKey);
    if (!key)
        return StepFailed;
    char driver[16];
    wsprintfA(driver, "Mouse\\%04d", slot);
    WriteBinaryDword(key, "Capabilities", 0x24);
    WriteText(key, "Class", "Mouse");
    WriteText(key, "ClassGUID", "{4d36e96f-e325-11ce-bfc1-08002be10318}");
    WriteBinaryDword(key, "ConfigFlags", 0);
    WriteText(key, "DeviceDesc", DeviceMarker);
    WriteText(key, "Driver", driver);
    WriteText(key, "Mfg", "Halvex");
    CloseKey(key);
    return StepDone;
}
