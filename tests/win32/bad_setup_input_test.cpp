// Bad input the package meets in the field, one row each: the input, and the
// reaction it must give (never a crash, an out-of-bounds access or a silent
// loss of the user's calibration).
#include "driver_contract.h"
#include "file_fixture.h"
#include "install_steps.h"
#include "message_boxes.h"
#include "registry_fixture.h"
#include "setup_state.h"

#include <gtest/gtest.h>

namespace {

// ---- the setup's files --------------------------------------------------------

const std::string Root = "C:\\velmora-bad";
const std::string Source = Root + "\\source";
const std::string Windows = Root + "\\windows";

class BadFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveTree(Root);
        MakeDir(Root);
        MakeDir(Source);
        MakeDir(Windows);
        MakeDir(Windows + "\\inf");
        MakeDir(Windows + "\\System");
        for (const char *name : {"install.exe", "Zentrim.exe", "kaltex.inf", "kaltex.vxd",
                                 "quinpad1.0.cpl", "nilpt.cur"})
            PutFile(Source + "\\" + name, std::string("new ") + name);
        lstrcpyA(SourceDirectory, Source.c_str());
        lstrcpyA(WindowsDirectory, Windows.c_str());
        lstrcpyA(AppletFileName, "quinpad1.0.cpl");
        SelectedPort = 1;
        ASSERT_TRUE(DeleteTree(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Class\\Mouse"));
        ResetStore();
    }
    void TearDown() override { RemoveTree(Root); }
};

// A read-only copy left in the Windows directory of each file the package
// writes there: overwritten all the same.
TEST_F(BadFiles, ReadOnlyFilesInTheWindowsDirectoryAreOverwritten)
{
    const char *const written[] = {"\\inf\\kaltex.inf", "\\System\\kaltex.vxd",
                                   "\\System\\quinpad1.0.cpl", "\\Zentrim.exe", "\\nilpt.cur",
                                   "\\VelmoraScreen\\install.exe"};
    MakeDir(Windows + "\\VelmoraScreen");
    for (const char *file : written)
        PutFile(Windows + file, "old", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    MessageBoxRecorder boxes;
    EXPECT_EQ(RegisterTouchDevice(NULL), 0);
    EXPECT_EQ(DeployFiles(NULL), 0);
    EXPECT_TRUE(boxes.Seen().empty());
    for (const char *file : written) {
        std::string text = FileText(Windows + file);
        EXPECT_EQ(text.substr(0, 4), "new ") << file;
    }
}

// The product folder's name taken by a file: the copies into it fail, the
// step reports it, and the file is left as it was.
TEST_F(BadFiles, ProductFolderExistingAsAFile)
{
    PutFile(Windows + "\\VelmoraScreen", "a file");
    EXPECT_EQ(DeployFiles(NULL), -1);
    EXPECT_NE(GetLastError(), DWORD(0));
    EXPECT_EQ(FileText(Windows + "\\VelmoraScreen"), "a file");
    EXPECT_FALSE(GetValue(HKEY_LOCAL_MACHINE, StoreKeyPath, "Port").Present);
}

// A source directory whose path leaves less room than any file name needs:
// each step fails with "file name too long" instead of copying a cut path.
TEST_F(BadFiles, SourcePathTooLongForAnyFileName)
{
    std::string deep = "C:\\" + std::string(252, 's'); // 255: "\x.y" no longer fits 260
    lstrcpyA(SourceDirectory, deep.c_str());
    EXPECT_EQ(RegisterTouchDevice(NULL), -1);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));
    lstrcpyA(SourceDirectory, deep.c_str());
    MessageBoxRecorder boxes;
    EXPECT_EQ(DeployFiles(NULL), 1); // no entry found; the applet's copy fails after one warning
    EXPECT_EQ(boxes.Seen().size(), 1u);
    EXPECT_FALSE(FileExists(Windows + "\\Zentrim.exe"));
}

} // namespace
