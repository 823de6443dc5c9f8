// The calibrator's window as its entry creates it, for the Wine tests, with
// the bitmaps from this test program's copy of the calibrator's resources.
#pragma once

#include "message_boxes.h" // TakeQuitMessage

#include <windows.h>

// Sets the screen size, loads the bitmaps and creates the window (its
// creation handling runs inside); NULL when it could not be made.
HWND StartCalibrationWindow(int width, int height);
