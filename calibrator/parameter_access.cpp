#include "parameter_access.h"

#include "store_registry.h"

#include <winioctl.h>

static_assert(ReloadRequestCode == CTL_CODE(FILE_DEVICE_MOUSE, 0x800, METHOD_NEITHER, FILE_ANY_ACCESS),
              "the reload request as the platform spells it");

CalibrationSet SavedCalibration;
int32_t SavedBeepMode;
bool ReloadReachedDriver;

namespace {

void ShowOpenError()
{
    MessageBoxA(NULL, "Open Registry error!!!", "Error", MB_OK);
}

int32_t SetupDefault(const char *name)
{
    for (const ParameterDefault &p : ParameterDefaults)
        if (lstrcmpA(p.Name, name) == 0)
            return p.Value;
    return 0;
}

} // namespace

int32_t ReadParameter(const char *name)
{
    int32_t value = SetupDefault(name);
    HKEY key = OpenParameterStore();
    if (key == NULL) {
        ShowOpenError();
        return value;
    }
    ReadStoreValue(key, name, &value);
    CloseParameterStore(key);
    return value;
}

void SetBeepMode(int32_t mode)
{
    HKEY key = OpenParameterStore();
    if (key == NULL)
        ShowOpenError();
    else
        WriteStoreValue(key, BeepModeName, mode);
    SendReloadRequest();
    if (key != NULL)
        CloseParameterStore(key);
}

void SendReloadRequest()
{
    HANDLE device = CreateFileA(ControlDevicePath, GENERIC_READ | GENERIC_WRITE, 0, NULL,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (device == INVALID_HANDLE_VALUE)
        return;
    ReloadReachedDriver = true;
    DWORD returned = 0;
    DeviceIoControl(device, ReloadRequestCode, NULL, 0, NULL, 0, &returned, NULL);
    CloseHandle(device);
}

void ReadCalibration(int32_t *leftOffset, int32_t *topOffset, int32_t *xMikeyPerPixel,
                     int32_t *yMikeyPerPixel, int32_t *swapXY)
{
    if (!leftOffset || !topOffset || !xMikeyPerPixel || !yMikeyPerPixel)
        return;
    HKEY key = OpenParameterStore();
    if (key == NULL)
        return;
    int32_t *destinations[CalibrationValueCount] = {leftOffset, topOffset, xMikeyPerPixel,
                                                    yMikeyPerPixel, swapXY};
    for (int i = 0; i < CalibrationValueCount; ++i)
        if (destinations[i])
            ReadStoreValue(key, CalibrationValueNames[i], destinations[i]);
    CloseParameterStore(key);
}

void WriteCalibration(const CalibrationSet &set)
{
    HKEY key = OpenParameterStore();
    if (key == NULL)
        return;
    const int32_t values[CalibrationValueCount] = {set.LeftOffset, set.TopOffset,
                                                   set.XMikeyPerPixel, set.YMikeyPerPixel,
                                                   set.SwapXY};
    for (int i = 0; i < CalibrationValueCount; ++i)
        WriteStoreValue(key, CalibrationValueNames[i], values[i]);
    SendReloadRequest();
    CloseParameterStore(key);
}

void RestoreCalibration()
{
    WriteCalibration(SavedCalibration);
}
