// The Start-menu group and its shortcuts.
#pragma once

#include <windows.h>

#include "step_results.h"

// Makes the group and its six shortcuts: always StepDone.
int CreateShortcuts(HWND page);

// Saves one shortcut: 1 when it was handed to the shell for saving, 0 when
// no shell-link object could be had.
int CreateShellLink(const char *target, const char *linkFile, const char *description,
                    const char *workingDirectory, const char *arguments);
