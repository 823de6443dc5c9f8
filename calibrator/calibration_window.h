// The calibration screen: the window procedure of the calibrator's one
// full-screen window.
#pragma once

#include <windows.h>

// The window's class; also how a second copy finds the first.
inline constexpr char CalibrationClassName[] = "Aling";

inline constexpr UINT_PTR GiveUpTimer = 1;
inline constexpr UINT GiveUpPeriod = 30000;
inline constexpr UINT_PTR PauseTimer = 2;
inline constexpr UINT PausePeriod = 500;

inline constexpr char TargetText[] = " TOUCH THE CENTER \n OF THE CROSS";
inline constexpr char CheckText[] =
    " CHECK CALIBRATION \n Touch different areas on the screen, \n does the cursor jump to your fingertip?";

LRESULT CALLBACK CalibrationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the window's class; false when the platform refuses it.
bool RegisterCalibrationClass(HINSTANCE instance);

// Loads the three bitmaps and opens the topmost window over ScreenWidth x
// ScreenHeight; its creation handling runs inside. NULL when it could not be
// made.
HWND CreateCalibrationWindow(HINSTANCE instance);

// Frees the three bitmaps; the window's destruction does, and so does a
// start whose window could not be made.
void FreeCalibrationBitmaps();
