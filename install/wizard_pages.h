// The Welcome and port pages, and where every page stands.
#pragma once

#include <windows.h>
#include <stdint.h>

// Moves a page from where its template puts it towards the screen's middle.
void CenterWizardPage(HWND page);
INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PortPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The port number of the serial-port value at that index, its data (the
// port's name) in entry; -1 when there is none or it names no COM port.
int32_t ReadSerialPortEntry(DWORD index, char *entry, DWORD size);
