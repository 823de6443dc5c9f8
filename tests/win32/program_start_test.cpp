// The shipped programs as a user starts them: each shows its first window,
// stays, and ends once that window is closed. The calibrator started by the
// hand-off before the driver is there (a logon before the restart) shows no
// window, writes nothing and leaves the hand-off for the next logon.
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

// The program's first visible window of that class while it runs; NULL
// when it ends first, or when none shows within ten seconds.
HWND FirstWindow(const PROCESS_INFORMATION &pi, const char *windowClass)
{
    for (int i = 0; i < 200; ++i) {
        HWND window = FindWindowA(windowClass, NULL);
        DWORD owner = 0;
        if (window)
            GetWindowThreadProcessId(window, &owner);
        if (window && owner == pi.dwProcessId && IsWindowVisible(window))
            return window;
        if (WaitForSingleObject(pi.hProcess, 50) == WAIT_OBJECT_0)
            return NULL;
    }
    return NULL;
}

TEST(Programs, ShowTheirWindowAndEndWithIt)
{
    const CalibrationSet previous = {11, 22, 33, 44, 1};
    const std::string device = WindowsPath(std::string(getenv("WINEPREFIX")) + "/dosdevices/kestrune");
    const std::string away = device + ".away";
    const struct {
        const char *what, *program;
        bool handOff, driver, window;
    } cases[] = {
        {"the setup wizard", "install.exe", false, true, true},
        {"the calibrator by hand", "Zentrim.exe", false, true, true},
        {"by hand, no driver", "Zentrim.exe", false, false, true},
        {"by the hand-off", "Zentrim.exe", true, true, true},
        {"by the hand-off, no driver yet", "Zentrim.exe", true, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ResetStore();
        PutCalibrationSet(previous);
        PutDword(HKEY_LOCAL_MACHINE, StoreKeyPath, "BeepMode", 5);
        ASSERT_TRUE(DeleteTree(HKEY_CURRENT_USER, RunOnceKeyPath));
        if (c.handOff)
            PutRaw(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName, REG_SZ, "C:\\windows\\Zentrim.exe", 22);
        if (!c.driver) {
            ASSERT_TRUE(MoveFileA(device.c_str(), away.c_str()));
        }
        std::string command = "\"" + WindowsPath(VELMORA_PACKAGE_DIR) + "\\" + c.program + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
        const bool setup = c.program[0] == 'i';
        HWND window = FirstWindow(pi, setup ? "INSTALL" : "Aling");
        bool stays = window && WaitForSingleObject(pi.hProcess, 500) == WAIT_TIMEOUT;
        if (window) // the backdrop's Exit command; the calibrator's close request
            PostMessageA(window, setup ? WM_COMMAND : WM_CLOSE, setup ? 105 : 0, 0);
        bool ended = WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0;
        if (!ended)
            TerminateProcess(pi.hProcess, 1);
        DWORD code = 1;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        if (!c.driver)
            MoveFileA(away.c_str(), device.c_str());
        EXPECT_EQ(window != NULL, c.window);
        EXPECT_EQ(stays, c.window) << "ended at once";
        EXPECT_TRUE(ended) << "still running once its window was closed";
        EXPECT_EQ(code, 0u);
        EXPECT_EQ(GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName).Present,
                  c.handOff && !c.window);
        ExpectStoredSet(previous); // put back on leaving early, or never changed
        EXPECT_EQ(StoreInt("BeepMode"), 5);
    }
}

} // namespace
