// The touchscreen as a mouse-class device.
#pragma once

#include <windows.h>

#include "step_results.h"

// Copies the driver's files and registers the touchscreen in its own mouse
// class slot: StepDone, or StepFailed with the platform's last-error code
// left where the failing call set it.
int RegisterTouchDevice(HWND page);
