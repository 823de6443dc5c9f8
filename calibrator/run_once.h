// The one-time start after the setup's restart.
#pragma once

#include "store_registry.h"

// Takes the per-user RunOnce value that started the calibrator, if any: read,
// then deleted, silently either way. True, the value kept in *entry, when
// the calibrator was started by the hand-off.
bool RemoveRunOnceEntry(UserValue *entry);

// Puts the value back as it was, for the next logon.
void PutRunOnceEntryBack(UserValue *entry);
