// The calibrator's program-wide state.
#pragma once

#include <stdint.h>

// The display size in pixels, measured once at start.
extern int32_t ScreenWidth;
extern int32_t ScreenHeight;
