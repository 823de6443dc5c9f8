// The setup wizard: the backdrop window and its pages.
#pragma once

#include <windows.h>
#include <stdint.h>

void RegisterMainClass(HINSTANCE instance);
int CreateMainWindow(HINSTANCE instance, int show);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Moves a page from where its template puts it towards the screen's middle.
void CenterWizardPage(HWND page);
INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PortPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The install steps the progress page runs, one a tick, in this order.
inline constexpr int InstallStepCount = 3;
extern int (*InstallStepFunctions[InstallStepCount])(HWND page);

// The port number of the serial-port value at that index, its data (the
// port's name) in entry; -1 when there is none or it names no COM port.
int32_t ReadSerialPortEntry(DWORD index, char *entry, DWORD size);

// The uninstall mode: confirmation, removal, result and restart offer.
void RunUninstallMode();
