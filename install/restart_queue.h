// Files that a running program holds, replaced or deleted at the next
// restart, which the setup and the uninstallation offer anyway: Windows
// 95/98/ME through the [rename] section of WININIT.INI in the Windows
// directory, Windows NT through MoveFileExA.
#pragma once

// Has the restart put the source's bytes over the destination: they are
// copied now to a new file beside it (one volume, as the rename needs).
// On Windows 9x a destination whose long name is not its 8.3 name is
// recorded, so that the next run gives it its long name back (long_names.h). False, with the
// platform's error, when that copy or the queueing fails; the new file is
// then gone again, read-only or not.
bool ReplaceAtRestart(const char *source, const char *destination);

// Has the restart delete the file; on Windows NT also a folder, which it
// removes only when empty. Windows 9x removes no folders (false).
bool DeleteAtRestart(const char *path);
