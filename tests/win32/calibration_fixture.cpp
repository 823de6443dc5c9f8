#include "calibration_fixture.h"

#include "calibration_window.h"
#include "calibrator_state.h"

HWND StartCalibrationWindow(int width, int height)
{
    static bool registered = false;
    HINSTANCE self = GetModuleHandleA(NULL);
    if (!registered) {
        if (!RegisterCalibrationClass(self))
            return NULL;
        registered = true;
    }
    ScreenWidth = width;
    ScreenHeight = height;
    HWND window = CreateCalibrationWindow(self);
    if (window)
        UpdateWindow(window);
    return window;
}
