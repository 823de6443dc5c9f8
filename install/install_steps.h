// The three install steps the progress page runs, and the uninstallation.
// Each step returns a negative result for a failure, with the platform's
// last-error code left where the failing call set it.
#pragma once

#include <windows.h>

// Copies the driver's files and registers the touchscreen as a mouse-class
// device in its own class slot: 0, or -1.
int RegisterTouchDevice(HWND page);

// Copies the source directory into the product folder, the applet, the
// calibrator and the cursor into the Windows directory, and writes the
// driver's defaults: 0; 1 when the applet, calibrator or cursor did not copy
// (the rest then not done); -1 when a source file did not copy or the store
// could not be made.
int DeployFiles(HWND page);

// Makes the Start-menu group and its six shortcuts; always 0.
int CreateShortcuts(HWND page);

// Saves one shortcut: 1 when it was handed to the shell for saving, 0 when
// no shell-link object could be had.
int CreateShellLink(const char *target, const char *linkFile, const char *description,
                    const char *workingDirectory, const char *arguments);

// Removes what an installation put in place: 0, or -1 when the device entry
// did not open or its key or class slot could not be deleted.
int UninstallPackage();
