// The package's files and the driver's default parameters.
#pragma once

#include <windows.h>

#include "step_results.h"

// Copies the source directory into the product folder (nothing to do when
// it is the product folder), the applet, the calibrator and the cursor into
// the Windows directory, and writes the driver's defaults: StepDone;
// StepStoppedEarly when the applet, calibrator or cursor did not copy (the
// other copies and the defaults still done); StepFailed when a source file
// did not copy or the store could not be made.
int DeployFiles(HWND page);
