// Zentrim: the entry point of the calibration program.
#include "calibration_window.h"
#include "calibrator_state.h"
#include "driver_contract.h"
#include "run_once.h"
#include "single_instance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    // First, so that Windows starts the calibrator once only, even when the
    // rest fails.
    RemoveRunOnceEntry();
    // A double start (the RunOnce start and a click on "Calibration"): the
    // copy already running keeps the screen, the store, the driver and the
    // hand-off.
    if (AnotherCalibratorRuns())
        return 0;

    if (!RegisterCalibrationClass(instance)) {
        MessageBoxA(NULL, "Program requires Windows NT!", CalibrationClassName, MB_ICONERROR);
        return 0;
    }

    HDC display = CreateDCA("DISPLAY", NULL, NULL, NULL);
    ScreenWidth = GetDeviceCaps(display, HORZRES);
    ScreenHeight = GetDeviceCaps(display, VERTRES);
    DeleteDC(display);

    HWND window = CreateCalibrationWindow(instance);
    if (window == NULL) {
        // On Windows 98 the USER heap can run out at a crowded logon. Waiting
        // in a loop with no window would hold the single-instance mutex, and
        // every later start would end silently until the next restart.
        // The hand-off stays spent: written back now, while the shell may
        // still be walking the key, it could start the calibrator again.
        FreeCalibrationBitmaps();
        return 0;
    }
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return int(msg.wParam);
}
