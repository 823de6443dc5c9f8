#include "single_setup.h"

#include <windows.h>

namespace {

// Named objects are system-wide on Windows 9x, which refuses a backslash in
// their names.
const char MutexName[] = "Velmora Touchscreen Setup";
const char OwnerName[] = "Velmora Touchscreen Setup Owner";
const DWORD WaitForOther = 3000;

// The running setup's process id, where a second start finds it; the
// mapping lives with this process.
void PublishOwner()
{
    HANDLE mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(DWORD), OwnerName);
    if (!mapping)
        return;
    if (void *view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(DWORD))) {
        *static_cast<DWORD *>(view) = GetCurrentProcessId();
        UnmapViewOfFile(view);
    }
}

DWORD OwnerProcess()
{
    DWORD owner = 0;
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, OwnerName);
    if (!mapping)
        return 0;
    if (void *view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(DWORD))) {
        owner = *static_cast<DWORD *>(view);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return owner;
}

// The owner's window that has no owner itself (the wizard's backdrop, the
// uninstallation's message box) stands for all of them: the one of its
// family the user used last comes to the front.
BOOL CALLBACK BringForward(HWND window, LPARAM owner)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != DWORD(owner) || !IsWindowVisible(window) || GetWindow(window, GW_OWNER))
        return TRUE;
    SetForegroundWindow(GetLastActivePopup(window));
    return FALSE;
}

} // namespace

bool TakeSetupTurn()
{
    HANDLE mutex = CreateMutexA(NULL, FALSE, MutexName);
    if (!mutex)
        return true; // no guard to be had: as before there was one
    DWORD waited = WaitForSingleObject(mutex, WaitForOther);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
        PublishOwner();
        return true;
    }
    if (DWORD owner = OwnerProcess())
        EnumWindows(BringForward, LPARAM(owner));
    CloseHandle(mutex);
    return false;
}
