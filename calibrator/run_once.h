// The one-time start after the setup's restart.
#pragma once

// Deletes the per-user RunOnce value that starts the calibrator, silently
// when there is none. Windows deletes it itself before it runs the command;
// a start by hand must not leave it for the next logon either.
void RemoveRunOnceEntry();

// When the window goes. Windows runs the per-user RunOnce at every logon,
// so also at one before the restart that loads the driver: a calibration
// then reaches no driver, and without one no touch arrives. While the
// installation still waits for its restart (the setup's marker and its
// line in WININIT.INI) and no reload request reached the driver, the value
// is written again as the setup wrote it, for the next logon; after the
// restart, or with the driver there, it stays gone.
void RearmHandOff();
