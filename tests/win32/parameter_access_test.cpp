// The calibrator's store operations and its RunOnce hand-off under Wine.
#include "driver_contract.h"
#include "file_fixture.h"
#include "message_boxes.h"
#include "parameter_access.h"
#include "registry_fixture.h"
#include "run_once.h"

#include <gtest/gtest.h>
#include <string>

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

// Windows deletes the hand-off before it starts the calibrator, and a start
// by hand deletes it, only it. It comes back as the setup wrote it only
// while the installation waits for its restart (the setup's marker, and the
// line of WININIT.INI that deletes it at the restart) and no reload request
// reached the driver.
TEST(RunOnce, TheHandOffComesBackOnlyWhileTheRestartWaitsWithoutADriver)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string folder = std::string(windows) + "\\VelmoraScreen";
    const std::string marker = folder + "\\restart.pnd", wininit = std::string(windows) + "\\WININIT.INI";
    const std::string calibrator = std::string(windows) + "\\Zentrim.exe";
    const struct {
        const char *what;
        bool line, reached, copied, back;
    } cases[] = {
        {"waiting, no driver", true, false, true, true},
        {"waiting, the driver reached", true, true, true, false},
        {"waiting, no calibrator to name", true, false, false, false},
        {"after the restart, or its line dropped by another installer", false, false, true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        MakeDir(folder);
        PutFile(marker, "");
        PutFile(wininit, "[rename]\r\nNUL=C:\\OLD.TMP\r\n" +
                             (c.line ? "nul = " + ShortName(marker) + "\r\n" : std::string()));
        RemoveTree(calibrator);
        if (c.copied)
            PutFile(calibrator, "MZ");
        PutRaw(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName, REG_SZ, "C:\\x", 4);
        PutRaw(HKEY_CURRENT_USER, RunOnceKeyPath, "Other", REG_SZ, "y", 1);
        RemoveRunOnceEntry();
        EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName).Present);
        EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, "Other").Present);
        ReloadReachedDriver = c.reached;
        RearmHandOff();
        StoredValue back = GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName);
        EXPECT_EQ(back.Present, c.back);
        if (c.back) {
            EXPECT_EQ(back.Type, DWORD(REG_SZ));
            EXPECT_EQ(back.Bytes.substr(0, back.Bytes.find('\0')), calibrator);
        }
        ASSERT_TRUE(DeleteTree(HKEY_CURRENT_USER, RunOnceKeyPath));
    }
    RemoveRunOnceEntry(); // no key: harmless
    ReloadReachedDriver = false;
    RemoveTree(folder);
    RemoveTree(calibrator);
    RemoveTree(wininit);
}

} // namespace
