#include "single_instance.h"

#include "calibration_window.h"

#include <windows.h>

bool AnotherCalibratorRuns()
{
    // Held until the process ends; named objects are system-wide on
    // Windows 98. A mutex that cannot be made at all lets the program run.
    CreateMutexA(NULL, FALSE, "Velmora Zentrim");
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    // The other copy may still be making its window (a double click), which
    // shows when its creation is done: activated while hidden, it would take
    // the activation from an error box shown during that creation.
    for (int tries = 0; tries < 20; ++tries) {
        HWND window = FindWindowA(CalibrationClassName, NULL);
        if (window && IsWindowVisible(window)) {
            SetForegroundWindow(window);
            break;
        }
        Sleep(100);
    }
    return true;
}
