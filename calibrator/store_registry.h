// The calibrator's way into the driver parameter store.
#pragma once

#include <windows.h>
#include <stdint.h>

// Opens the store with full access; NULL when the key is missing or refused.
// The calibrator never creates it.
HKEY OpenParameterStore();

// Reads a 32-bit parameter. A value that is missing, or that is not a 4-byte
// REG_DWORD, leaves *value as it was and gives false: stray bytes of another
// type are never taken for a number.
bool ReadStoreValue(HKEY key, const char *name, int32_t *value);

// Writes a 32-bit parameter as a 4-byte REG_DWORD; the outcome is not used.
void WriteStoreValue(HKEY key, const char *name, int32_t value);

void CloseParameterStore(HKEY key);
