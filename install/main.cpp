// install: the setup program's entry point.
#include "install_files.h"
#include "main_window.h"
#include "resource.h"
#include "setup_logic.h"
#include "setup_state.h"
#include "single_setup.h"
#include "wininit_file.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    // First: the uninstall mode needs the applet's name too.
    LoadStringA(instance, IDS_APP_TITLE, AppTitle, sizeof AppTitle);
    LoadStringA(instance, IDS_MAIN_CLASS, MainClassName, sizeof MainClassName);
    LoadStringA(instance, IDS_APPLET_FILE, AppletFileName, sizeof AppletFileName);

    // The tail taken from the command line itself, so that it is the same
    // whatever start-up code the program is linked with.
    const char *tail = CommandLineTail(GetCommandLineA());
    if (!TakeSetupTurn())
        return 0;
    // Before anything else, and only while no other setup runs.
    ResolveInstallPaths();
    RecoverWininit();
    if (IsUninstallTail(tail)) {
        RunUninstallMode();
        return 0;
    }

    // The driver is a virtual device driver, which the NT family cannot load:
    // an installation there would end in a touchscreen that does nothing.
    if (!RunsOnWindows9x()) {
        MessageBoxA(NULL,
                    "Velmora touchscreen works with Windows 98 and Windows ME only. Setup cannot "
                    "install it on this version of Windows.",
                    "Message", MB_OK);
        return 0;
    }

    RegisterMainClass(instance);
    if (!CreateMainWindow(instance, show))
        return 0;
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_MAIN));
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (!TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return int(msg.wParam);
}
