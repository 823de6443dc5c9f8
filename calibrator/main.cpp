// Zentrim: the entry point of the calibration program.
#include "calibration_window.h"
#include "calibrator_state.h"
#include "driver_contract.h"
#include "parameter_access.h"
#include "run_once.h"
#include "single_instance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    // First, so that Windows starts the calibrator once only, even when the
    // rest fails.
    UserValue handOff;
    bool handedOver = RemoveRunOnceEntry(&handOff);
    // A double start (the RunOnce start and a click on "Calibration"): the
    // copy already running keeps the screen, the store and the driver.
    if (AnotherCalibratorRuns()) {
        FreeUserValue(&handOff);
        return 0;
    }
    // Windows runs the per-user RunOnce at every logon, so also at one before
    // the restart (declined, or refused by another program): without the
    // driver no touch could arrive, and the calibration would be given up
    // with the hand-off spent. It waits for the next logon, the store as it is.
    if (handedOver && !ControlDeviceOpens()) {
        PutRunOnceEntryBack(&handOff);
        return 0;
    }
    FreeUserValue(&handOff);

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
