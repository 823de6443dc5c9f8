// The Welcome and port pages, and where every page stands.
#pragma once

#include <windows.h>
#include <stdint.h>

// Moves a page from where its template puts it towards the screen's middle,
// keeping a page that fits the screen wholly on it.
void CenterWizardPage(HWND page);

// Opens a page modally, owned by owner; returns when it and every page
// opened from it have ended. A page that cannot be made (on Windows 98 the
// USER heap can run out) ends the wizard as "Cancel" does: the backdrop has
// no close box, and a touch-only user no Alt+F4.
void OpenWizardPage(HWND owner, int pageTemplate, DLGPROC proc);
INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PortPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The port number of the serial-port value at that index, its data (the
// port's name) in entry; -1 when there is none or it names no COM port.
int32_t ReadSerialPortEntry(DWORD index, char *entry, DWORD size);
