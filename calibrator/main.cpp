// Zentrim: the entry point of the calibration program.
#include "calibration_window.h"
#include "calibrator_state.h"
#include "driver_contract.h"
#include "resource.h"
#include "run_once.h"
#include "single_instance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    // First, so that Windows starts the calibrator once only, even when the
    // rest fails.
    RemoveRunOnceEntry();
    // A double start (the RunOnce start and a click on "Calibration"): the
    // copy already running keeps the screen, the store and the driver.
    if (AnotherCalibratorRuns())
        return 0;

    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = CalibrationWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = CalibrationClassName;
    if (RegisterClassA(&wc) == 0) {
        MessageBoxA(NULL, "Program requires Windows NT!", CalibrationClassName, MB_ICONERROR);
        return 0;
    }

    HDC display = CreateDCA("DISPLAY", NULL, NULL, NULL);
    ScreenWidth = GetDeviceCaps(display, HORZRES);
    ScreenHeight = GetDeviceCaps(display, VERTRES);
    DeleteDC(display);

    TargetBitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_TARGET));
    CheckMarkBitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_CHECKMARK));
    HandBitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_HAND));

    HWND window = CreateWindowExA(WS_EX_TOPMOST, CalibrationClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                                  ScreenWidth, ScreenHeight, NULL, NULL, instance, NULL);
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return int(msg.wParam);
}
