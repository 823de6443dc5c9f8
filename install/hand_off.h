// The hand-off to the calibrator after the restart that ends an installation.
#pragma once

// Windows starts the calibrator's copy in the Windows directory once, at the
// next logon. Only when that copy is there: Windows 98 greets the logon with
// "cannot find" for a command naming a missing program. Beside it a marker
// that the restart deletes tells the calibrator, should a logon come first,
// that the installation still waits for its restart (driver_contract.h).
void WriteHandOff();
