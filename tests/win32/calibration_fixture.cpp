#include "calibration_fixture.h"

#include "calibration_window.h"
#include "calibrator_state.h"
#include "resource.h"

HWND CreateCalibrationWindow(int width, int height)
{
    static bool registered = false;
    HINSTANCE self = GetModuleHandleA(NULL);
    if (!registered) {
        WNDCLASSA wc = {};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = CalibrationWindowProc;
        wc.hInstance = self;
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = CalibrationClassName;
        if (RegisterClassA(&wc) == 0)
            return NULL;
        registered = true;
    }
    ScreenWidth = width;
    ScreenHeight = height;
    TargetBitmap = LoadBitmapA(self, MAKEINTRESOURCEA(IDB_TARGET));
    CheckMarkBitmap = LoadBitmapA(self, MAKEINTRESOURCEA(IDB_CHECKMARK));
    HandBitmap = LoadBitmapA(self, MAKEINTRESOURCEA(IDB_HAND));
    HWND window = CreateWindowExA(WS_EX_TOPMOST, CalibrationClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, width,
                                  height, NULL, NULL, self, NULL);
    if (window)
        UpdateWindow(window);
    return window;
}
