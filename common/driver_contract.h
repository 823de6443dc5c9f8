// The contract between the setup program, the calibrator and the touchscreen
// driver: where the driver's parameters live, their names and defaults, the
// one-time hand-off to the calibrator after the restart, and the driver's
// control channel. Platform-free, so both programs and the native tests share
// one definition of each.
#pragma once

#include <stdint.h>

// HKEY_LOCAL_MACHINE. The setup names the key without a trailing backslash,
// the calibrator with one; both name the same key.
#define VELMORA_STORE_KEY "System\\CurrentControlSet\\Services\\DravikTouchScreen\\Parameters"
inline constexpr char StoreKeyPath[] = VELMORA_STORE_KEY;
inline constexpr char StoreKeyPathWithSlash[] = VELMORA_STORE_KEY "\\";

// One named 32-bit parameter of the store, with the value the setup writes.
struct ParameterDefault {
    const char *Name;
    int32_t Value;
};

// In the order the setup writes them. "Port" is a placeholder here: the
// setup writes the COM port chosen in the wizard instead.
inline constexpr int ParameterCount = 12;
inline constexpr int PortParameterIndex = 0;
inline constexpr ParameterDefault ParameterDefaults[ParameterCount] = {
    {"Port", 0},
    {"LeftOffset", 0},
    {"TopOffset", 0},
    {"SwapXY", 0},
    {"XMikeyPerPixel", 50},
    {"YMikeyPerPixel", 50},
    {"BeepMode", 2},
    {"BeepFreq", 1938},
    {"BeepTime", 10000},
    {"DblClickRegion", 25},
    {"DragDelay", 1},
    {"MouseMode", 4},
};

inline constexpr char BeepModeName[] = "BeepMode";
inline constexpr int32_t CalibrationBeepMode = 2;

// The five calibration values, in the order the calibrator reads and writes
// them as a whole.
struct CalibrationSet {
    int32_t LeftOffset;
    int32_t TopOffset;
    int32_t XMikeyPerPixel;
    int32_t YMikeyPerPixel;
    int32_t SwapXY;
};

inline constexpr int CalibrationValueCount = 5;
inline constexpr const char *CalibrationValueNames[CalibrationValueCount] = {
    "LeftOffset", "TopOffset", "XMikeyPerPixel", "YMikeyPerPixel", "SwapXY",
};

// The same values as the setup's defaults: touches taken under it arrive
// uncorrected.
inline constexpr CalibrationSet NeutralCalibration = {0, 0, 50, 50, 0};

// Bits of "SwapXY".
inline constexpr int32_t MirrorX = 1;
inline constexpr int32_t MirrorY = 2;

// HKEY_CURRENT_USER. The setup writes the hand-off value under the first
// spelling, the calibrator deletes it under the second; the registry ignores
// the case, so both name the same key.
inline constexpr char RunOnceKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr char RunOnceKeyPathCalibrator[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Runonce";
inline constexpr char RunOnceValueName[] = "Orbalin";
inline constexpr char CalibratorFileName[] = "Zentrim.exe";

// Under the Windows directory: the file the setup leaves beside the
// hand-off, which a "NUL=" line of WININIT.INI deletes at the restart. While
// both are there, the installation waits for its restart.
inline constexpr char RestartMarkerPath[] = "VelmoraScreen\\restart.pnd";

// The driver's control device and the request that makes it re-read the store.
inline constexpr char ControlDevicePath[] = "\\\\.\\Kestrune";

constexpr uint32_t DeviceControlCode(uint32_t deviceType, uint32_t function, uint32_t method,
                                     uint32_t access)
{
    return (deviceType << 16) | (access << 14) | (function << 2) | method;
}

inline constexpr uint32_t MouseDeviceType = 0x000F;
inline constexpr uint32_t ReloadRequestCode = 0xF2003;
static_assert(ReloadRequestCode == DeviceControlCode(MouseDeviceType, 0x800, 3 /* neither */, 0 /* any */),
              "reload request: mouse device, function 0x800, method neither, any access");
