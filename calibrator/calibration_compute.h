// Turns the two touches of the calibration screen into the stored calibration.
#pragma once

#include <stdint.h>

// Reads the set in force from the store, derives the new set from the two
// touches and the screen size, and writes all five values, "SwapXY" first.
// Does nothing when the store does not open or nothing can be derived (a
// scale or screen dimension of 0). Sends no reload request: the caller does.
void ComputeCalibration(int32_t firstX, int32_t firstY, int32_t secondX, int32_t secondY);
