// One calibrator at a time.
#pragma once

// True when another copy of the calibrator runs; its window is then brought
// to the front. A second copy must not start: it would save the neutral set
// the first one wrote as the user's calibration and later write it back.
bool AnotherCalibratorRuns();
