// The shipped programs as a user starts them: each shows its first window,
// stays, and ends once that window is closed; one setup runs at a time.
#include "driver_contract.h"
#include "registry_fixture.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

std::string WindowsPath(std::string unixPath)
{
    std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
    return "Z:" + unixPath;
}

PROCESS_INFORMATION Start(const char *program, const char *tail = "")
{
    std::string command = "\"" + WindowsPath(VELMORA_PACKAGE_DIR) + "\\" + program + "\"" + tail;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    EXPECT_TRUE(CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    return pi;
}

// Waits up to ten seconds for the program to end: its exit code, or -1
// when it was still running (it is ended then).
int Finish(const PROCESS_INFORMATION &pi)
{
    DWORD code = DWORD(-1);
    if (WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return int(code);
}

DWORD ProcessOf(HWND window)
{
    DWORD process = 0;
    if (window)
        GetWindowThreadProcessId(window, &process);
    return process;
}

// The program's first visible window of that class while it runs; NULL
// when it ends first, or when none shows within ten seconds.
HWND FirstWindow(const PROCESS_INFORMATION &pi, const char *windowClass)
{
    for (int i = 0; i < 200; ++i) {
        HWND window = FindWindowA(windowClass, NULL);
        if (window && ProcessOf(window) == pi.dwProcessId && IsWindowVisible(window))
            return window;
        if (WaitForSingleObject(pi.hProcess, 50) == WAIT_OBJECT_0)
            return NULL;
    }
    return NULL;
}

// The setup's backdrop ends the wizard with its Exit command.
void ExitWizard(HWND backdrop)
{
    PostMessageA(backdrop, WM_COMMAND, 105, 0);
}

TEST(Programs, ShowTheirWindowAndEndWithIt)
{
    const CalibrationSet previous = {11, 22, 33, 44, 1};
    const std::string device = WindowsPath(std::string(getenv("WINEPREFIX")) + "/dosdevices/kestrune");
    const std::string away = device + ".away";
    for (const char *program : {"install.exe", "Zentrim.exe"}) {
        SCOPED_TRACE(program);
        ResetStore();
        PutCalibrationSet(previous);
        PutDword(HKEY_LOCAL_MACHINE, StoreKeyPath, "BeepMode", 5);
        // The calibrator by hand after the restart, its driver not loaded,
        // the hand-off still there: it goes first, and stays gone.
        const bool setup = program[0] == 'i';
        PutRaw(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName, REG_SZ, "C:\\x", 4);
        if (!setup) {
            ASSERT_TRUE(MoveFileA(device.c_str(), away.c_str()));
        }
        PROCESS_INFORMATION pi = Start(program);
        HWND window = FirstWindow(pi, setup ? "INSTALL" : "Aling");
        bool stays = window && WaitForSingleObject(pi.hProcess, 500) == WAIT_TIMEOUT;
        const bool handOffWhileRunning =
            GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName).Present;
        if (window && setup)
            ExitWizard(window);
        else if (window) // the calibrator's close request
            PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(Finish(pi), 0);
        if (!setup)
            MoveFileA(away.c_str(), device.c_str());
        EXPECT_TRUE(window != NULL && stays) << "no window, or ended at once";
        EXPECT_EQ(handOffWhileRunning, setup);
        EXPECT_EQ(GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName).Present, setup);
        ExpectStoredSet(previous); // put back on leaving early, or never changed
        EXPECT_EQ(StoreInt("BeepMode"), 5);
        DeleteTree(HKEY_CURRENT_USER, RunOnceKeyPath);
    }
}

// A second start of the setup while the wizard or the uninstallation's
// question runs ends by itself, with no window of its own, and brings the
// first one's window forward; a start just after the first ended goes on.
TEST(Programs, OneSetupAtATime)
{
    HWND other = CreateWindowExA(0, "STATIC", "the user's other work", WS_POPUP | WS_VISIBLE, 0, 0,
                                 40, 40, NULL, NULL, NULL, NULL);
    for (const char *tail : {"", " /u"}) {
        SCOPED_TRACE(tail[0] ? "the uninstallation's question" : "the wizard");
        PROCESS_INFORMATION first = Start("install.exe", tail);
        HWND shown = FirstWindow(first, "#32770"); // the Welcome page, or the question
        ASSERT_TRUE(shown);
        SetForegroundWindow(other);
        EXPECT_EQ(Finish(Start("install.exe")), 0) << "the second start did not end";
        bool forward = false;
        for (int i = 0; i < 40 && !forward; ++i, Sleep(50))
            forward = ProcessOf(GetForegroundWindow()) == first.dwProcessId;
        EXPECT_TRUE(forward) << "the first one's window is not in front";
        HWND backdrop = FindWindowA("INSTALL", NULL);
        EXPECT_EQ(ProcessOf(backdrop), tail[0] ? 0 : first.dwProcessId);
        if (tail[0])
            PostMessageA(shown, WM_COMMAND, IDNO, 0);
        else
            ExitWizard(backdrop);
        EXPECT_EQ(Finish(first), 0);
    }
    PROCESS_INFORMATION first = Start("install.exe");
    HWND backdrop = FirstWindow(first, "INSTALL");
    ASSERT_TRUE(backdrop);
    ExitWizard(backdrop);
    PROCESS_INFORMATION next = Start("install.exe");
    backdrop = FirstWindow(next, "INSTALL");
    EXPECT_TRUE(backdrop) << "a start just after the first ended did not go on";
    if (backdrop)
        ExitWizard(backdrop);
    EXPECT_EQ(Finish(first), 0);
    EXPECT_EQ(Finish(next), 0);
    DestroyWindow(other);
}

} // namespace
