// Starts the session's desktop, Wine's "explorer.exe /desktop", and waits
// until it takes input, up to a minute, as Windows has its shell up before
// a logon's RunOnce commands run (Q179365). Otherwise the first program of
// a session to make a window starts it and waits ten seconds at most (Wine's
// dlls/win32u/winstation.c get_desktop_window: NtUserWaitForInputIdle with
// 10000 ms). Exit code 0 once the desktop is up (or already was), 1 when it
// was not within the minute.
#include <windows.h>

int main()
{
    char command[] = "C:\\windows\\system32\\explorer.exe /desktop";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, DETACHED_PROCESS, NULL, NULL, &si, &pi))
        return 1;
    // An explorer that finds the desktop already up ends at once.
    const DWORD waited = WaitForInputIdle(pi.hProcess, 60000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return waited == WAIT_TIMEOUT ? 1 : 0;
}
