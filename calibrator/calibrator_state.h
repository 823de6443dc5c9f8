// The calibrator's program-wide state: one instance each, all zero at start.
#pragma once

#include <windows.h>
#include <stdint.h>

// The display size in pixels, measured once at start.
extern int32_t ScreenWidth;
extern int32_t ScreenHeight;

// The screens in the order the user meets them; each pause after a touch
// moves to the next number.
enum CalibrationScreen : int32_t {
    FirstTargetScreen = 1,
    SecondTargetScreen = 2,
    CheckScreen = 3,
};
extern CalibrationScreen ScreenState;
// From an accepted touch until the pause after it ends; touches are ignored
// meanwhile.
extern bool TouchPending;
// Once a touch was accepted since creation or the last "Adjust Again"; pause
// ticks count only then.
extern bool TouchTaken;
// From entering the check screen until its first paint, which computes the
// calibration.
extern bool CheckScreenFresh;

struct TouchPoint {
    int32_t X, Y;
};
extern TouchPoint FirstTouch;
extern TouchPoint SecondTouch;

extern HBITMAP TargetBitmap;
extern HBITMAP CheckMarkBitmap;
extern HBITMAP HandBitmap;
extern HDC TargetDC;
extern HDC CheckMarkDC;
extern HDC HandDC;
extern int32_t TargetWidth;
extern int32_t TargetHeight;
extern HWND OkButton;
extern HWND AdjustAgainButton;
