// Bad input the package meets in the field, one row each: the input, and the
// reaction it must give (never a crash, an out-of-bounds access or a silent
// loss of the user's calibration).
#include "calibration_fixture.h"
#include "calibration_window.h"
#include "calibrator_state.h"
#include "driver_contract.h"
#include "parameter_access.h"
#include "registry_fixture.h"

#include <gtest/gtest.h>

namespace {

// ---- the calibrator's store values ------------------------------------------

struct BadValue {
    const char *what;
    DWORD type;
    std::string bytes; // empty with REG_NONE: the value is missing
};

const BadValue BadValues[] = {
    {"missing", REG_NONE, ""},
    {"REG_SZ", REG_SZ, std::string("77\0", 3)},
    {"REG_BINARY of 1 byte", REG_BINARY, std::string("\x07", 1)},
    {"REG_BINARY of 3 bytes", REG_BINARY, std::string("\x07\0\0", 3)},
    {"REG_BINARY of 8 bytes", REG_BINARY, std::string("\x07\0\0\0\x01\0\0\0", 8)},
    {"REG_QWORD", REG_QWORD, std::string("\x07\0\0\0\0\0\0\0", 8)},
};

void PutBad(const char *name, const BadValue &bad)
{
    if (bad.type != REG_NONE)
        PutRaw(HKEY_LOCAL_MACHINE, StoreKeyPath, name, bad.type, bad.bytes.data(),
               DWORD(bad.bytes.size()));
}

// Every value the calibrator reads, stored badly: each counts as missing, so
// the calibration computes from 0, 0, 50, 50 and "BeepMode" goes back as the
// setup's 2; nothing reads stray bytes as a number.
TEST(BadInput, CalibratorStoreValuesOfTheWrongTypeOrSize)
{
    for (const BadValue &bad : BadValues) {
        SCOPED_TRACE(bad.what);
        ResetStore();
        for (const char *name : CalibrationValueNames)
            PutBad(name, bad);
        PutBad("BeepMode", bad);
        SavedCalibration = {-1, -1, -1, -1, -1};
        HWND window = StartCalibrationWindow(800, 600);
        ASSERT_NE(window, (HWND)NULL);
        EXPECT_EQ(SavedCalibration.LeftOffset, -1); // the destinations keep what they held
        EXPECT_EQ(SavedBeepMode, 2);
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(120, 90));
        SendMessageA(window, WM_TIMER, PauseTimer, 0);
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(680, 500));
        SendMessageA(window, WM_TIMER, PauseTimer, 0);
        UpdateWindow(window);
        EXPECT_EQ(StoreInt("LeftOffset"), 82); // computed from the neutral set written at creation
        EXPECT_EQ(StoreInt("YMikeyPerPixel"), 58);
        SendMessageA(window, WM_COMMAND, 0, LPARAM(OkButton));
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(StoreInt("BeepMode"), 2);
        TakeQuitMessage();
    }
}

} // namespace
