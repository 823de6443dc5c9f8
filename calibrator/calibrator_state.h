// The calibrator's program-wide state: one instance each, all zero at start.
#pragma once

#include <windows.h>
#include <stdint.h>

// The display size in pixels, measured once at start.
extern int32_t ScreenWidth;
extern int32_t ScreenHeight;

// 1 = first target, 2 = second target, 3 = check screen.
extern int32_t ScreenState;
// 1 from an accepted touch until the pause after it ends; touches are
// ignored meanwhile.
extern int32_t TouchPending;
// 1 once a touch was accepted since creation or the last "Adjust Again";
// pause ticks count only then.
extern int32_t TouchTaken;
// 1 from entering the check screen until its first paint, which computes
// the calibration.
extern int32_t CheckScreenFresh;

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
