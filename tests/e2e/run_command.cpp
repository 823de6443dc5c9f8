// run_command COMMAND [FAILURES]: starts a command line as the shell starts
// a Run or RunOnce value: the text as it stands, through CreateProcessA
// with no application name, so the program is found by its quoted or
// unquoted path (as Wine's programs/wineboot/wineboot.c ProcessRunKeys and
// runCmd do, after deleting the value). The folder is the Windows folder,
// Explorer's own on 9x; wineboot passes none and so lends its own. Ends when
// the started program ends, with its exit code, so that the caller can wait
// for it or not; 99 when it could not be started, the command and the error
// then added to FAILURES as a line.
#include <windows.h>
#include <stdio.h>

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 3)
        return 98;
    char folder[MAX_PATH];
    if (!GetWindowsDirectoryA(folder, MAX_PATH))
        return 98;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(NULL, argv[1], NULL, NULL, FALSE, 0, NULL, folder, &si, &pi)) {
        const DWORD error = GetLastError();
        if (FILE *log = argc == 3 ? fopen(argv[2], "a") : NULL) {
            fprintf(log, "%s: error %lu\n", argv[1], error);
            fclose(log);
        }
        return 99;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return int(code);
}
