#include "hand_off.h"

#include "driver_contract.h"
#include "path_format.h"
#include "platform.h"
#include "restart_queue.h"
#include "setup_registry.h"
#include "setup_state.h"

namespace {

// The marker, with a line of WININIT.INI that deletes it at the restart;
// without that line the marker means nothing, and none is left.
void WriteRestartMarker()
{
    static const char text[] = "Velmora touchscreen: the restart deletes this file.\r\n";
    char path[PathSize];
    if (!BuildPath(path, sizeof path, "%s\\%s", WindowsDirectory, RestartMarkerPath))
        return;
    SetFileAttributesA(path, 0);
    if (!WriteNewFile(path, text, sizeof text - 1) || !DeleteAtRestart(path))
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
