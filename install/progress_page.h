// The progress page: the install steps, one a tick, then "Finish".
#pragma once

#include <windows.h>

INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The install steps the page runs, in this order; tests put others in.
inline constexpr int InstallStepCount = 3;
extern int (*InstallStepFunctions[InstallStepCount])(HWND page);
