// The one-time start after the setup's restart.
#pragma once

// Deletes the per-user RunOnce value that started the calibrator, if any;
// silent either way.
void RemoveRunOnceEntry();
