// The progress page with its real template under Wine: the install steps
// replaced by stand-ins that succeed or fail where a test says, so that every
// path of the sequence, "Finish" and "Cancel" can be walked.
#include "driver_contract.h"
#include "file_fixture.h"
#include "message_boxes.h"
#include "progress_page.h"
#include "registry_fixture.h"
#include "resource.h"
#include "setup_state.h"

#include <gtest/gtest.h>
#include <functional>

namespace {

const std::string ProgressCaption = "Velmora Touchscreen Setup (Progressing...)";
int FailAt = -1;      // the step that fails, -1 for none
std::vector<int> Ran; // the steps run, in order

template <int N> int Step(HWND)
{
    Ran.push_back(N);
    if (FailAt != N)
        return N == 1 ? 1 : 0; // 1 from the file step still counts as success
    SetLastError(1234);
    return -1;
}

struct PageState {
    bool lines[3];
    bool cancel, finish;
};

PageState ReadState(HWND page)
{
    PageState s;
    for (int i = 0; i < 3; ++i)
        s.lines[i] = IsWindowEnabled(GetDlgItem(page, IDC_LINE_DEVICE + i)) != FALSE;
    s.cancel = IsWindowEnabled(GetDlgItem(page, IDCANCEL)) != FALSE;
    s.finish = IsWindowEnabled(GetDlgItem(page, IDC_FINISH)) != FALSE;
    return s;
}

HWND Page;
PageState AtFinish;
bool PressedFinish;
bool CloseBeforeFinish; // the close box first, then "Finish"

// Watches the page and presses "Finish" once it is enabled.
void CALLBACK Watch(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!IsWindow(Page) || PressedFinish)
        return;
    if (IsWindowEnabled(GetDlgItem(Page, IDC_FINISH))) {
        AtFinish = ReadState(Page);
        PressedFinish = true;
        KillTimer(NULL, id);
        if (CloseBeforeFinish)
            SendMessageA(Page, WM_CLOSE, 0, 0); // the dialog manager posts its command
        PostMessageA(Page, WM_COMMAND, MAKEWPARAM(IDC_FINISH, BN_CLICKED), 0);
    }
}

class ProgressPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallStepFunctions[0] = Step<0>;
        InstallStepFunctions[1] = Step<1>;
        InstallStepFunctions[2] = Step<2>;
        AppInstance = GetModuleHandleA(NULL);
        ScreenWidth = 1024;
        ScreenHeight = 768;
        MainWindow = NULL;
        InstallStep = 0;
        FailAt = -1;
        Ran.clear();
        Page = NULL;
        PressedFinish = false;
        CloseBeforeFinish = false;
        ASSERT_TRUE(DeleteTree(HKEY_CURRENT_USER, RunOnceKeyPath));
    }

    // Opens the page; onOpen runs once it is up; "Finish" is pressed as soon
    // as it is enabled. True when the quit message was posted.
    bool Run(MessageBoxRecorder &boxes, std::function<void(HWND)> onOpen = {})
    {
        boxes.PagePrefix = ProgressCaption;
        boxes.OnPage = [onOpen](HWND page, const std::string &) {
            Page = page;
            if (onOpen)
                onOpen(page);
            SetTimer(NULL, 0, 20, Watch);
        };
        DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_PROGRESS), NULL, ProgressPageProc, 0);
        return TakeQuitMessage();
    }

    std::string RunOnceValue()
    {
        StoredValue v = GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName);
        return v.Present ? v.Bytes.substr(0, v.Bytes.find('\0')) : "<none>";
    }
};

// The hand-off names the calibrator's copy, and is written only when that
// copy is there; the restart is offered either way. The close box after the
// sequence, with "Cancel" disabled, asks nothing (Wine sends it on anyway).
TEST_F(ProgressPage, CompleteSequenceWritesTheHandOffAndOffersTheRestart)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string calibrator = std::string(windows) + "\\Zentrim.exe";
    for (bool copied : {true, false}) {
        SCOPED_TRACE(copied ? "calibrator copied" : "calibrator missing");
        SetUp();
        DeleteFileA(calibrator.c_str());
        if (copied)
            CloseHandle(CreateFileA(calibrator.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
        MessageBoxRecorder boxes({IDNO});
        CloseBeforeFinish = true;
        EXPECT_TRUE(Run(boxes));
        DeleteFileA(calibrator.c_str());
        EXPECT_EQ(Ran, (std::vector<int>{0, 1, 2}));
        EXPECT_EQ(InstallStep, 4);
        for (bool line : AtFinish.lines)
            EXPECT_TRUE(line);
        EXPECT_FALSE(AtFinish.cancel);
        EXPECT_EQ(RunOnceValue(), copied ? calibrator : "<none>");
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].Caption, "Message");
        EXPECT_EQ(boxes.Seen()[0].Text,
                  "To make the installation valid, you must restart your computer. Restart now?");
        EXPECT_EQ(boxes.Seen()[0].Owner, Page);
    }
}

TEST_F(ProgressPage, AFailedStepEndsTheSequenceWithItsMessage)
{
    const char *const messages[] = {"Setup driver fail!! err=1234", "Setup file fail!! err=1234",
                                    "Create shutcut fail!! err=1234"};
    for (int failAt = 0; failAt < 3; ++failAt) {
        SCOPED_TRACE(failAt);
        SetUp();
        FailAt = failAt;
        MessageBoxRecorder boxes;
        EXPECT_TRUE(Run(boxes));
        EXPECT_EQ(int(Ran.size()), failAt + 1);
        EXPECT_EQ(InstallStep, failAt + 1);
        for (int line = 0; line < 3; ++line)
            EXPECT_EQ(AtFinish.lines[line], line <= failAt) << line;
        EXPECT_FALSE(AtFinish.cancel);
        // Only the failure: no hand-off and no restart prompt.
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].Caption, "Error");
        EXPECT_EQ(boxes.Seen()[0].Text, messages[failAt]);
        EXPECT_EQ(RunOnceValue(), "<none>");
    }
}

// What an earlier run left for the restart names the package and cannot be
// dropped (WININIT.INI read-only): no step runs, as when the first fails.
TEST_F(ProgressPage, ARestartQueueThatCannotAgreeStopsBeforeTheFirstStep)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string wininit = std::string(windows) + "\\WININIT.INI";
    const std::string queued = "[rename]\r\nNUL=" + std::string(windows) + "\\Zentrim.exe\r\n";
    PutFile(wininit, queued, FILE_ATTRIBUTE_READONLY);
    MessageBoxRecorder boxes;
    EXPECT_TRUE(Run(boxes));
    const std::string after = FileText(wininit);
    RemoveTree(wininit);
    EXPECT_TRUE(Ran.empty());
    EXPECT_EQ(InstallStep, 1);
    EXPECT_EQ(after, queued);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].Text, "Setup driver fail!! err=5");
}

TEST_F(ProgressPage, CancelAnsweredNoGoesOnAndYesStops)
{
    MessageBoxRecorder no({IDNO, IDNO}); // keep going; then no restart
    EXPECT_TRUE(Run(no, [](HWND page) { PostMessageA(page, WM_COMMAND, IDCANCEL, 0); }));
    EXPECT_EQ(InstallStep, 4);
    ASSERT_EQ(no.Seen().size(), 2u);
    EXPECT_EQ(no.Seen()[0].Text, "Are you sure to break setup process?");

    SetUp();
    MessageBoxRecorder yes({IDYES});
    EXPECT_TRUE(Run(yes, [](HWND page) { PostMessageA(page, WM_COMMAND, IDCANCEL, 0); }));
    EXPECT_FALSE(PressedFinish);
    EXPECT_LT(InstallStep, 4);
    EXPECT_EQ(RunOnceValue(), "<none>");
    Sleep(300); // no tick after the page ended
    EXPECT_LT(InstallStep, 4);
}

} // namespace
