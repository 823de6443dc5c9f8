// ComputeCalibration against Wine's real registry.
#include "calibration_compute.h"
#include "calibrator_state.h"
#include "driver_contract.h"
#include "message_boxes.h"
#include "registry_fixture.h"

#include <gtest/gtest.h>

namespace {

void PutStore(const char *name, int32_t value)
{
    PutDword(HKEY_LOCAL_MACHINE, StoreKeyPath, name, value);
}

class ComputeCalibrationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScreenWidth = 800;
        ScreenHeight = 600;
        ResetStore();
    }
};

TEST_F(ComputeCalibrationTest, StoresTheDerivedSetAsDwords)
{
    PutCalibrationSet(NeutralCalibration);
    MessageBoxRecorder boxes;
    ComputeCalibration(700, 80, 140, 530);
    ExpectStoredSet({115, 51, 57, 53, 1}); // also checks REG_DWORD of 4 bytes
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(ComputeCalibrationTest, SecondCallReadsWhatTheFirstStored)
{
    PutCalibrationSet(NeutralCalibration);
    ComputeCalibration(120, 90, 680, 500);
    ExpectStoredSet({82, 84, 57, 58, 0});
    ComputeCalibration(120, 90, 680, 500);
    ExpectStoredSet({154, 156, 65, 67, 0});
}

TEST_F(ComputeCalibrationTest, MissingValuesTakeTheNeutralStartingValues)
{
    // An empty store: 0, 0, 50, 50 stand in, and all five are written.
    ComputeCalibration(120, 90, 680, 500);
    ExpectStoredSet({82, 84, 57, 58, 0});
    // Only the scales present: the offsets start from 0.
    ResetStore();
    PutStore("XMikeyPerPixel", 50);
    PutStore("YMikeyPerPixel", 50);
    ComputeCalibration(80, 60, 720, 540);
    ExpectStoredSet({0, 0, 50, 50, 0});
}

TEST_F(ComputeCalibrationTest, ValuesOfAnotherTypeOrSizeCountAsMissing)
{
    const char text[] = "1000";
    const BYTE one[1] = {7}, three[3] = {7, 0, 0}, eight[8] = {100, 0, 0, 0, 1, 0, 0, 0};
    PutRaw(HKEY_LOCAL_MACHINE, StoreKeyPath, "LeftOffset", REG_SZ, text, sizeof text);
    PutRaw(HKEY_LOCAL_MACHINE, StoreKeyPath, "TopOffset", REG_BINARY, three, sizeof three);
    PutRaw(HKEY_LOCAL_MACHINE, StoreKeyPath, "XMikeyPerPixel", REG_BINARY, one, sizeof one);
    PutRaw(HKEY_LOCAL_MACHINE, StoreKeyPath, "YMikeyPerPixel", REG_QWORD, eight, sizeof eight);
    ComputeCalibration(120, 90, 680, 500);
    ExpectStoredSet({82, 84, 57, 58, 0});
}

TEST_F(ComputeCalibrationTest, MissingKeyReadsWritesAndShowsNothing)
{
    RemoveStore();
    MessageBoxRecorder boxes;
    ComputeCalibration(120, 90, 680, 500);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, StoreKeyPath));
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(ComputeCalibrationTest, ZeroScaleOrScreenLeavesTheStoreAsItIs)
{
    PutCalibrationSet(NeutralCalibration);
    PutStore("XMikeyPerPixel", 0);
    PutStore("SwapXY", 3);
    ComputeCalibration(120, 90, 680, 500);
    ExpectStoredSet({0, 0, 0, 50, 3});

    PutCalibrationSet(NeutralCalibration);
    ScreenHeight = 0;
    ComputeCalibration(120, 90, 680, 500);
    ExpectStoredSet(NeutralCalibration);
}

} // namespace
