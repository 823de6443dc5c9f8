// The calibrator's one way into the registry: the driver parameter store,
// and the per-user value that started it.
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

// A per-user value as it was: its type and bytes (Data from malloc).
struct UserValue {
    DWORD Type;
    DWORD Size;
    BYTE *Data;
};

// Reads a value of a per-user key (RegOpenKeyA), then deletes it; false,
// *value empty, when either is missing or the value cannot be read.
bool TakeUserValue(const char *path, const char *name, UserValue *value);

// Writes a value taken before back, as it was, and frees its bytes.
void PutUserValueBack(const char *path, const char *name, UserValue *value);

void FreeUserValue(UserValue *value);
