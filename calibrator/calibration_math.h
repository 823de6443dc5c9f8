// The calibration arithmetic: two touches taken under the set in force become
// the set that puts them on the two targets. Platform-free.
#pragma once

#include "driver_contract.h"

// Pointer units spanning the screen, between the targets, and from the edge
// to the first target.
inline constexpr int64_t PointerRange = 65535;
inline constexpr int64_t TargetDistance = 52429;
inline constexpr int64_t EdgeToTarget = 6553;

// Fills result from the touches (screen pixels, 0..65535 each), the screen
// size and the LeftOffset, TopOffset and both scales of inForce (its SwapXY is
// not used). Returns false, leaving result alone, when the screen size or a
// scale in force is 0: nothing can be derived, and the store should stay as
// it is.
bool DeriveCalibration(int32_t firstX, int32_t firstY, int32_t secondX, int32_t secondY,
                       int32_t screenWidth, int32_t screenHeight, const CalibrationSet &inForce,
                       CalibrationSet *result);
