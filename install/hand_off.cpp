#include "hand_off.h"

#include "driver_contract.h"
#include "path_format.h"
#include "platform.h"
#include "restart_marker.h"
#include "restart_queue.h"
#include "setup_registry.h"
#include "setup_state.h"

namespace {

// The marker names this boot and goes at the restart. When the restart
// cannot be made to delete it, there is none: a marker left for good would
// hold the hand-off back after the restart too, on a computer whose clock
// comes back to the same time at every start.
void WriteRestartMarker()
{
    char path[PathSize], text[24];
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    uint64_t boot = BootSeconds(uint64_t(now.dwHighDateTime) << 32 | now.dwLowDateTime, GetTickCount());
    if (!BuildPath(path, sizeof path, "%s\\%s", WindowsDirectory, RestartMarkerPath) ||
        !FormatBootSeconds(boot, text, sizeof text))
        return;
    SetFileAttributesA(path, 0);
    if (!WriteNewFile(path, text, DWORD(lstrlenA(text))) || !DeleteAtRestart(path))
        DeleteOver(path);
}

} // namespace

void WriteHandOff()
{
    // In a buffer of its own, so that WindowsDirectory stays the directory; a
    // directory too long for the name is not written at all rather than cut
    // into a command naming another file.
    char command[PathSize];
    if (!FormatPath(command, sizeof command, "%s\\%s", WindowsDirectory, CalibratorFileName) ||
        GetFileAttributesA(command) == INVALID_FILE_ATTRIBUTES)
        return;
    HKEY key = OpenOrCreateKey(HKEY_CURRENT_USER, RunOnceKeyPath);
    if (!key)
        return;
    WriteRestartMarker();
    WriteText(key, RunOnceValueName, command);
    CloseKey(key);
}
