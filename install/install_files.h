// File and path operations shared by the install steps and the uninstallation.
#pragma once

#include "platform.h"

// Fills SourceDirectory (the running program's directory, no trailing
// backslash) and WindowsDirectory.
void ResolveInstallPaths();

// Clears the destination's attributes and copies over it; false, with the
// platform's error, when the copy (or the building of either path) failed.
bool CopyNow(const char *source, const char *destination);

// CopyNow, and when a program holds the destination: true when it already
// holds the source's bytes or the restart will put them there; false, with
// the platform's error, when neither.
bool CopyOver(const char *source, const char *destination);

// DeleteOver, and a file that a program holds is deleted at the restart;
// false when even that cannot be arranged.
bool DeleteNowOrAtRestart(const char *path);

// Deletes every file directly inside the folder, then tries to remove the
// folder; subfolders stay. A file that a program holds, and then the
// folder, go at the restart.
void RemoveFolderFiles(const char *folder);

// Deletes the product folder's files and removes it, wherever the running
// program is; started from inside it, the program's own file goes at the
// restart.
void RemoveProductFolder();

// Fills ProgramsDirectory from the shell; false when the shell cannot say.
bool ResolveProgramsDirectory();
