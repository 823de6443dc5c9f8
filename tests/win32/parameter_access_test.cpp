// The calibrator's store operations and its RunOnce hand-off under Wine.
#include "driver_contract.h"
#include "message_boxes.h"
#include "parameter_access.h"
#include "registry_fixture.h"
#include "run_once.h"

#include <gtest/gtest.h>

namespace {

class ParameterAccess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetStore();
        PutCalibrationSet({1, 2, 3, 4, 5});
    }
};

TEST_F(ParameterAccess, ReadCalibrationNeedsTheFirstFourDestinations)
{
    int32_t v[5] = {-1, -1, -1, -1, -1};
    ReadCalibration(&v[0], &v[1], nullptr, &v[3], &v[4]);
    for (int32_t x : v)
        EXPECT_EQ(x, -1);
    ReadCalibration(&v[0], &v[1], &v[2], &v[3], nullptr);
    EXPECT_EQ(v[0], 1);
    EXPECT_EQ(v[3], 4);
    EXPECT_EQ(v[4], -1);
}

TEST_F(ParameterAccess, MissingOrMistypedValuesKeepTheDestination)
{
    const char text[] = "9";
    PutRaw(HKEY_LOCAL_MACHINE, StoreKeyPath, "TopOffset", REG_SZ, text, sizeof text);
    HKEY key;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, StoreKeyPath, &key), ERROR_SUCCESS);
    RegDeleteValueA(key, "SwapXY");
    RegCloseKey(key);
    int32_t v[5] = {-1, -1, -1, -1, -1};
    ReadCalibration(&v[0], &v[1], &v[2], &v[3], &v[4]);
    EXPECT_EQ(v[0], 1);
    EXPECT_EQ(v[1], -1);
    EXPECT_EQ(v[4], -1);
}

TEST_F(ParameterAccess, ReadParameterFallsBackToTheSetupDefault)
{
    PutDword(HKEY_LOCAL_MACHINE, StoreKeyPath, "BeepMode", 7);
    EXPECT_EQ(ReadParameter("BeepMode"), 7);
    const BYTE eight[8] = {7, 0, 0, 0, 0, 0, 0, 0};
    PutRaw(HKEY_LOCAL_MACHINE, StoreKeyPath, "BeepMode", REG_QWORD, eight, sizeof eight);
    EXPECT_EQ(ReadParameter("BeepMode"), 2);

    RemoveStore();
    MessageBoxRecorder boxes;
    EXPECT_EQ(ReadParameter("BeepMode"), 2);
    EXPECT_EQ(boxes.Seen().size(), 1u);
}

TEST_F(ParameterAccess, WritesAreSilentAndCreateNothingWithoutTheKey)
{
    RemoveStore();
    MessageBoxRecorder boxes;
    WriteCalibration(NeutralCalibration);
    RestoreCalibration();
    int32_t v[5] = {-1, -1, -1, -1, -1};
    ReadCalibration(&v[0], &v[1], &v[2], &v[3], &v[4]);
    EXPECT_EQ(v[2], -1);
    EXPECT_TRUE(boxes.Seen().empty());
    SetBeepMode(2);
    EXPECT_EQ(boxes.Seen().size(), 1u);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, StoreKeyPath));
}

// The hand-off is taken, only it, and can go back byte for byte.
TEST(RunOnce, TakesOnlyTheHandOffValueAndPutsItBackAsItWas)
{
    PutRaw(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName, REG_EXPAND_SZ, "C:\\x", 4);
    PutRaw(HKEY_CURRENT_USER, RunOnceKeyPath, "Other", REG_SZ, "y", 1);
    const StoredValue handOff = GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName);
    UserValue entry;
    EXPECT_TRUE(RemoveRunOnceEntry(&entry));
    EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName).Present);
    EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, "Other").Present);
    PutRunOnceEntryBack(&entry);
    StoredValue back = GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName);
    EXPECT_EQ(back.Type, handOff.Type);
    EXPECT_EQ(back.Bytes, handOff.Bytes);
    EXPECT_TRUE(RemoveRunOnceEntry(&entry));
    FreeUserValue(&entry);
    EXPECT_FALSE(RemoveRunOnceEntry(&entry)); // no value: harmless
    ASSERT_TRUE(DeleteTree(HKEY_CURRENT_USER, RunOnceKeyPath));
    EXPECT_FALSE(RemoveRunOnceEntry(&entry)); // no key: harmless
}

} // namespace
