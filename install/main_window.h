// The setup's backdrop window, its About box, and the uninstall mode.
#pragma once

#include <windows.h>

void RegisterMainClass(HINSTANCE instance);
int CreateMainWindow(HINSTANCE instance, int show);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Confirmation, removal, result and restart offer.
void RunUninstallMode();
