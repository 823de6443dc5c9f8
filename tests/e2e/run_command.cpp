// Starts a command line as the shell starts a Run or RunOnce value: the
// text as it stands, through CreateProcessA, the program found by its
// quoted or unquoted path. Ends when the started program ends, with its
// exit code, so that the caller can wait for it or not; 99 when it could
// not be started.
#include <windows.h>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 98;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(NULL, argv[1], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return 99;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return int(code);
}
