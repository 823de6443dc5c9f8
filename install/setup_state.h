// The setup program's program-wide state.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "install_constants.h"

// From the string table at start (100 bytes each).
extern char AppTitle[100];
extern char MainClassName[100];
extern char AppletFileName[100];

extern HINSTANCE AppInstance;
extern HWND MainWindow;
extern int32_t ScreenWidth;
extern int32_t ScreenHeight;

// The COM port number chosen on the port page.
extern int32_t SelectedPort;
// The progress page's step counter: 4 after a complete installation.
extern int32_t InstallStep;

// The running program's directory without a trailing backslash, the Windows
// directory, and the Start menu's Programs folder.
extern char SourceDirectory[PathSize];
extern char WindowsDirectory[PathSize];
extern char ProgramsDirectory[PathSize];
