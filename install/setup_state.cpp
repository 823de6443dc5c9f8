#include "setup_state.h"

char AppTitle[100];
char MainClassName[100];
char AppletFileName[100];
HINSTANCE AppInstance;
HWND MainWindow;
int32_t ScreenWidth;
int32_t ScreenHeight;
int32_t SelectedPort;
int32_t InstallStep;
char SourceDirectory[PathSize];
char WindowsDirectory[PathSize];
char ProgramsDirectory[PathSize];
