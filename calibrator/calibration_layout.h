// Where the calibration screen draws what, from the screen size. Platform-free.
#pragma once

#include <stdint.h>

struct LayoutPoint {
    int32_t X, Y;
};

struct LayoutRect {
    int32_t Left, Top, Right, Bottom;
};

inline constexpr int32_t CheckMarkWidth = 28, CheckMarkHeight = 27;
inline constexpr int32_t HandWidth = 91, HandHeight = 109;
inline constexpr int32_t ButtonWidth = 100, ButtonHeight = 50;

// Top-left corners and text rectangles in window coordinates, which are
// screen coordinates. Every division drops the remainder.
struct CalibrationLayout {
    LayoutPoint FirstTargetCentre, FirstTarget;   // state 1
    LayoutPoint SecondTargetCentre, SecondTarget; // state 2
    LayoutPoint CheckMark;                        // states 1 and 2
    LayoutRect TargetText;                        // states 1 and 2
    LayoutPoint Hand;                             // state 3
    LayoutRect CheckText;                         // state 3
    LayoutPoint OkButton, AdjustAgainButton;      // state 3
};

// The target bitmap's own size places its centre pixel on each target.
CalibrationLayout ComputeLayout(int32_t screenWidth, int32_t screenHeight, int32_t targetWidth,
                                int32_t targetHeight);
